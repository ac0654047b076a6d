#include "imports/kz_time.h"

#include <cctype>

#include "platform/sys.h"
#include "platform/text.h"

const std::vector<std::string> KZ_time::shortMonth = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

static std::string lower(std::string s) {
    for (auto& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

int KZ_time::_convertMonth(const std::string& text) {
    const std::string t = lower(text);
    for (size_t i = 0; i < shortMonth.size(); ++i)
        if (lower(shortMonth[i]) == t) return int(i);
    return -1;
}

std::string KZ_time::getDate(int) { return _formatDate(plat::currentDate()); }

std::string KZ_time::_formatDate(const std::string& platformDate) {
    std::vector<std::string> parts = plat::split(platformDate, " ");
    while (parts.size() < 3) parts.push_back("");
    int m = _convertMonth(parts[1]);
    // A month word we don't know is kept as the platform wrote it rather than dropped.
    const std::string month = m >= 0 ? shortMonth[size_t(m)] : parts[1];
    return month + " " + parts[0] + ", " + parts[2];
}
