#include <algorithm>
#include <filesystem>
#include <map>
#include <mutex>
#include <stdexcept>
#include <thread>

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

void runParallel(const std::vector<std::function<void()>>& jobs) {
    std::vector<std::thread> threads;
    std::vector<std::exception_ptr> errors(jobs.size());
    for (size_t i = 0; i < jobs.size(); ++i)
        threads.emplace_back([&, i] {
            try {
                jobs[i]();
            } catch (...) {
                errors[i] = std::current_exception();
            }
        });
    for (auto& t : threads) t.join();
    for (auto& e : errors)
        if (e) std::rethrow_exception(e);
}

Img strip(const std::vector<Img>& frames) {
    if (frames.empty()) return Img(1, 1);
    int fw = frames[0].w, fh = frames[0].h;
    Img out(fw * int(frames.size()), fh);
    for (size_t i = 0; i < frames.size(); ++i) out.draw(frames[i], float(i * fw), 0);
    return out;
}

void writeContactSheet(const std::string& path) {
    std::lock_guard<std::mutex> lock(g_mu);
    // Rows of pictures at most 200 pixels high (strips scaled to the sheet's width), each
    // labelled with its path and size, on a checkerboard so transparency shows.
    const int sheetW = 2000, maxH = 200, pad = 10, labelH = 16;
    struct Placed { const std::string* name; const Img* img; float x, y, s; };
    std::vector<Placed> placed;
    float x = pad, y = pad, rowH = 0;
    for (auto& [name, img] : g_saved) {
        float s = std::min({1.0f, float(maxH) / img.h, float(sheetW - 2 * pad) / img.w});
        std::string label = name + "  " + std::to_string(img.w) + "x" + std::to_string(img.h);
        float w = std::max(img.w * s, textWidth(label, FACE_SANS, 10)), h = img.h * s + labelH;
        if (x + w > sheetW - pad) { x = pad; y += rowH + pad; rowH = 0; }
        placed.push_back({&name, &img, x, y, s});
        x += w + pad;
        rowH = std::max(rowH, h);
    }
    int H = int(y + rowH + pad);
    Img sheet(sheetW, H, hex(0x3a4048));
    for (auto& p : placed) {
        const Img& im = *p.img;
        int dw = std::max(1, int(im.w * p.s)), dh = std::max(1, int(im.h * p.s));
        for (int yy = 0; yy < dh; ++yy)
            for (int xx = 0; xx < dw; ++xx) {
                bool c = ((xx / 8) + (yy / 8)) & 1;
                sheet.set(int(p.x) + xx, int(p.y) + yy, c ? hex(0x9aa0a8) : hex(0x7a8088));
            }
        if (p.s < 1.0f) sheet.drawScaled(im, p.x, p.y, float(dw), float(dh));
        else sheet.draw(im, p.x, p.y);
        std::string label = *p.name + "  " + std::to_string(im.w) + "x" + std::to_string(im.h);
        drawText(sheet, label, FACE_SANS, 10, p.x, p.y + dh + 12, hex(0xffffff));
    }
    fs::create_directories(fs::path(path).parent_path());
    plat::PixelBuffer buf;
    sheet.toBuffer(buf, true);
    if (!plat::savePNG(buf, path, 6)) throw std::runtime_error("could not write " + path);
}

static std::vector<std::string> splitOn(const std::string& s, char sep) { return plat::split(s, std::string(1, sep)); }

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

RunwayPair runways(const AirportRec& r) {
    return {runwayGeo(r.r1x, r.r1y, r.r1h, 330), runwayGeo(r.r2x, r.r2y, r.r2h, 226)};
}

const AirportRec& recordOf(const AirportArt& art, const std::vector<AirportRec>& recs) {
    if (art.record >= recs.size())
        throw std::runtime_error("airports.txt has no line " + std::to_string(art.record + 1) + " for " + art.picture);
    const AirportRec& r = recs[art.record];
    if (r.imgName != art.picture)
        throw std::runtime_error("airports.txt line " + std::to_string(art.record + 1) + " names the picture " +
                                 r.imgName + ", the generator paints " + art.picture + " there");
    return r;
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
