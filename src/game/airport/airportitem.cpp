#include "game/airport/airportitem.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "platform/text.h"
#include "vostrel/resourcemanager.h"

namespace {

// The reader takes "1e30", "inf" and "nan" for numbers; none of them may reach an int
// conversion, which is undefined beyond int's range.
double finite(const std::string& field) {
    const double v = plat::toFloat(field);
    return std::isfinite(v) ? v : 0.0;
}

// A heading past a million degrees is taken within one turn; any sane one stays as written.
float heading(const std::string& field) {
    const double h = finite(field);
    return float(std::fabs(h) > 1e6 ? std::fmod(h, 360.0) : h);
}

int colour(const std::string& field) { return int(std::clamp(finite(field), double(INT_MIN), double(INT_MAX))); }

}  // namespace

AirportItemPtr AirportItem::fromLine(const std::string& line, std::string* error) {
    const std::vector<std::string> f = plat::split(line, "/");
    if (int(f.size()) < FIELD_COUNT) {
        if (error) *error = "has " + std::to_string(f.size()) + " fields, " + std::to_string(FIELD_COUNT) + " are needed";
        return nullptr;
    }
    auto item = std::make_shared<AirportItem>();
    item->title = f[0];
    item->imgName = f[1];
    item->bgSound = f[2];
    item->rwy_1 = Vector(plat::toInt(f[3]), plat::toInt(f[4]));
    item->rwy_1_head = heading(f[5]);
    item->rwy_2 = Vector(plat::toInt(f[6]), plat::toInt(f[7]));
    item->rwy_2_head = heading(f[8]);
    // Colours are written as decimal numbers and truncated toward zero.
    item->r = colour(f[9]);
    item->g = colour(f[10]);
    item->b = colour(f[11]);
    item->flag = Vector(plat::toInt(f[12]), plat::toInt(f[13]));
    item->flag_angle = heading(f[14]);
    item->description = f[15];
    return item;
}

std::optional<std::array<AirportItemPtr, AirportItem::RECORD_COUNT>> AirportItem::readRecords(const std::string& text,
                                                                                             std::string& error) {
    const std::vector<std::string> lines = plat::split(text, "\n");
    std::array<AirportItemPtr, RECORD_COUNT> records{};
    for (int i = 0; i < RECORD_COUNT; ++i) {
        const std::string where = "airports.txt line " + std::to_string(i + 1);
        if (i >= int(lines.size())) {
            error = where + " is missing: " + std::to_string(RECORD_COUNT) + " airports are needed";
            return std::nullopt;
        }
        std::string why;
        records[size_t(i)] = fromLine(lines[size_t(i)], &why);
        if (!records[size_t(i)]) {
            error = where + " " + why;
            return std::nullopt;
        }
    }
    return records;
}

std::array<AirportItemPtr, AirportItem::RECORD_COUNT> AirportItem::loadRecords(const std::string& text) {
    std::string error;
    auto records = readRecords(text, error);
    if (!records) ResourceManager::_errorHandling(error);
    return *records;
}
