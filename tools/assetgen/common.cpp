#include <algorithm>
#include <filesystem>
#include <map>
#include <mutex>
#include <stdexcept>

#include "gen.h"
#include "platform/image.h"
#include "platform/text.h"

namespace ag {

namespace fs = std::filesystem;

namespace {
std::string g_root, g_review;
std::mutex g_mu;
std::map<std::string, Img> g_saved;  // sorted by path: the contact sheet's order
}  // namespace

void setOutput(const std::string& root, const std::string& review) {
    g_root = root;
    g_review = review;
}
const std::string& assetRoot() { return g_root; }

static void writeFile(const std::string& path, const Img& img, bool jpeg) {
    fs::create_directories(fs::path(path).parent_path());
    plat::PixelBuffer buf;
    img.toBuffer(buf, jpeg);
    bool ok = jpeg ? plat::saveJPEG(buf, path, 90) : plat::savePNG(buf, path, 6);
    if (!ok) throw std::runtime_error("could not write " + path);
}

void saveImage(const std::string& rel, const Img& img) {
    bool jpeg = rel.size() > 4 && rel.substr(rel.size() - 4) == ".jpg";
    writeFile(g_root + "/original/" + rel, img, jpeg);
    std::lock_guard<std::mutex> lock(g_mu);
    g_saved[rel] = img;
}

void saveRawPNG(const std::string& rel, const Img& img) { writeFile(g_root + "/" + rel, img, false); }

Img strip(const std::vector<Img>& frames) {
    if (frames.empty()) return Img(1, 1);
    int fw = frames[0].w, fh = frames[0].h;
    Img out(fw * int(frames.size()), fh);
    for (size_t i = 0; i < frames.size(); ++i) out.draw(frames[i], float(i * fw), 0);
    return out;
}

void writeContactSheet(const std::string& path) {
    std::lock_guard<std::mutex> lock(g_mu);
    // Each picture in a cell of at most 240 x 160 (wide strips get a whole row), labelled.
    const int cellW = 250, cellH = 190, cols = 8;
    struct Item { std::string name; const Img* img; int cw; };
    std::vector<Item> items;
    for (auto& [name, img] : g_saved) items.push_back({name, &img, img.w > 2 * cellW ? cols : 1});
    int x = 0, y = 0, rowH = cellH;
    std::vector<std::pair<V2, Item>> placed;
    for (auto& it : items) {
        int span = it.cw == cols ? cols : 1;
        if (x + span > cols) { x = 0; y += rowH; }
        placed.push_back({V2{float(x * cellW), float(y)}, it});
        x += span;
        if (x >= cols) { x = 0; y += rowH; }
    }
    int H = y + (x ? rowH : 0) + 10;
    Img sheet(cols * cellW, H, hex(0x3a4048));
    for (auto& [pos, it] : placed) {
        const Img& im = *it.img;
        float maxW = it.cw == cols ? float(cols * cellW - 10) : float(cellW - 10);
        float maxH = float(cellH - 30);
        float s = std::min({1.0f, maxW / im.w, maxH / im.h});
        float dw = std::max(1.0f, im.w * s), dh = std::max(1.0f, im.h * s);
        // checkerboard so transparency shows
        for (int yy = 0; yy < int(dh); ++yy)
            for (int xx = 0; xx < int(dw); ++xx) {
                bool c = ((xx / 8) + (yy / 8)) & 1;
                sheet.set(int(pos.x) + 5 + xx, int(pos.y) + 5 + yy, c ? hex(0x9aa0a8) : hex(0x7a8088));
            }
        if (s < 1.0f) sheet.drawScaled(im, pos.x + 5, pos.y + 5, dw, dh);
        else sheet.draw(im, pos.x + 5, pos.y + 5);
        std::string label = it.name + "  " + std::to_string(im.w) + "x" + std::to_string(im.h);
        drawText(sheet, label, FACE_SANS, 10, pos.x + 5, pos.y + dh + 18, hex(0xffffff));
    }
    fs::create_directories(fs::path(path).parent_path());
    plat::PixelBuffer buf;
    sheet.toBuffer(buf, true);
    if (!plat::savePNG(buf, path, 6)) throw std::runtime_error("could not write " + path);
}

static std::vector<std::string> splitOn(const std::string& s, char sep) {
    std::vector<std::string> out;
    size_t start = 0;
    for (;;) {
        size_t k = s.find(sep, start);
        if (k == std::string::npos) {
            out.push_back(s.substr(start));
            return out;
        }
        out.push_back(s.substr(start, k - start));
        start = k + 1;
    }
}

std::vector<AirportRec> parseAirports(const std::string& text) {
    std::vector<AirportRec> recs;
    auto lines = splitOn(text, '\n');
    if (lines.size() < 4) throw std::runtime_error("airports.txt: expected 4 lines, found " + std::to_string(lines.size()));
    for (size_t i = 0; i < 4; ++i) {
        auto f = splitOn(lines[i], '/');
        if (f.size() < 16)
            throw std::runtime_error("airports.txt line " + std::to_string(i + 1) + ": expected 16 fields, found " +
                                     std::to_string(f.size()));
        AirportRec r;
        r.title = f[0];
        r.imgName = f[1];
        r.bgSound = f[2];
        r.r1x = float(plat::toInt(f[3]));
        r.r1y = float(plat::toInt(f[4]));
        r.r1h = float(std::atof(f[5].c_str()));
        r.r2x = float(plat::toInt(f[6]));
        r.r2y = float(plat::toInt(f[7]));
        r.r2h = float(std::atof(f[8].c_str()));
        r.r = int(std::atof(f[9].c_str()));
        r.g = int(std::atof(f[10].c_str()));
        r.b = int(std::atof(f[11].c_str()));
        r.flagX = float(plat::toInt(f[12]));
        r.flagY = float(plat::toInt(f[13]));
        r.flagAngle = float(std::atof(f[14].c_str()));
        r.description = f[15];
        recs.push_back(r);
    }
    return recs;
}

RunwayGeo runwayGeo(float x, float y, float h, float length) {
    // The game truncates the heading to whole degrees.
    float hr = float(int(h)) * PI / 180.0f;
    RunwayGeo g;
    g.p = {x, y};
    g.u = {std::sin(hr), -std::cos(hr)};
    g.v = {std::cos(hr), std::sin(hr)};
    g.len = length;
    g.wid = 30;
    return g;
}

std::vector<std::string> nationIds(const std::string& text) {
    std::vector<std::string> ids;
    for (auto& line : splitOn(text, '\n')) {
        auto f = splitOn(line, '|');
        if (f.size() >= 2 && !f[1].empty()) ids.push_back(f[1]);
    }
    return ids;
}

}  // namespace ag
