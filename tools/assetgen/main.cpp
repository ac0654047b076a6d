// assetgen SOURCE_ASSETS OUT_ASSETS REVIEW_DIR
// Writes the complete asset tree: generated pictures under OUT/original, sounds under
// OUT/audio, the font under OUT/fonts, and the hand-written data texts copied from
// SOURCE. A stale OUT/images cache is removed so the game rebuilds it.
// The build runs it every time: when the tree already matches its inputs (REVIEW/assets.stamp
// records the last complete run) it leaves everything as it is.
#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "gen.h"
#include "manifest.h"

namespace fs = std::filesystem;

static std::string readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + p.string());
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

static void copyFile(const fs::path& from, const fs::path& to) {
    fs::create_directories(to.parent_path());
    fs::copy_file(from, to, fs::copy_options::overwrite_existing);
}

int main(int argc, char** argv) {
    if (argc != 4) {
        std::printf("usage: assetgen SOURCE_ASSETS OUT_ASSETS REVIEW_DIR\n");
        return 2;
    }
    auto t0 = std::chrono::steady_clock::now();
    try {
        fs::path src = argv[1], out = argv[2], review = argv[3];
        const fs::path fontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";
        const fs::path licenceFile = "/usr/share/doc/fonts-dejavu-core/copyright";
        const fs::path stamp = review / "assets.stamp";
        std::vector<fs::path> inputs = {"/proc/self/exe", fontFile, licenceFile};
        for (auto& f : ag::fontFiles()) inputs.push_back(f);
        const uint64_t inputsHash = ag::inputsHash(inputs, src);
        {
            ag::Manifest last;
            if (ag::loadManifest(stamp, last) && ag::treeMatches(last, inputsHash, out) &&
                fs::exists(review / "contact_sheet.png")) {
                std::printf("assetgen: asset tree is up to date\n");
                return 0;
            }
        }
        // Read and check the inputs before anything of the old tree is removed.
        auto airports = ag::parseAirports(readFile(src / "airports.txt"));
        auto nations = ag::nationIds(readFile(src / "nations.txt"));
        if (nations.empty()) throw std::runtime_error("nations.txt holds no nation");
        if (!ag::fontsAvailable()) throw std::runtime_error("cannot load the DejaVu fonts for labels");
        // From here until the new stamp is written the tree is incomplete: a run that stops
        // half-way must never count as up to date.
        fs::remove(stamp);
        fs::create_directories(out);
        // Start from an empty tree but for the player's progress: everything under original/
        // is decoded by the game, the images/ cache built from an older original/ would hide
        // the new pictures, and a data text, sound or flag whose source is gone must not
        // linger where the game still finds it.
        for (auto& e : fs::directory_iterator(out))
            if (e.path().filename() != "settings.txt") fs::remove_all(e.path());
        ag::setOutput(out.string(), review.string());

        // Data texts, byte for byte.
        for (auto& e : fs::recursive_directory_iterator(src)) {
            if (!e.is_regular_file()) continue;
            copyFile(e.path(), out / fs::relative(e.path(), src));
        }
        // The font under the name the game registers, with its licence beside it.
        copyFile(fontFile, out / "fonts" / "ConsolaMono.ttf");
        {
            std::string lic = readFile(licenceFile);
            std::ofstream o(out / "fonts" / "ConsolaMono-LICENSE.txt", std::ios::binary);
            o << "ConsolaMono.ttf is an unmodified copy of DejaVu Sans Mono (fonts-dejavu-core),\n"
                 "stored under the file name the game loads. Its copyright and licence follow.\n\n"
              << lic;
            if (!o) throw std::runtime_error("cannot write the font licence");
        }

        ag::runParallel({
            [] { ag::genAircraft(); },
            [] { ag::genEffects(); },
            [] { ag::genButtons(); },
            [&] { ag::genFlags(nations); },
            [] { ag::genPortraits(); },
            [&] { ag::genAirports(airports); },
            [] { ag::genTerminal(); },
            [&] { ag::genSounds(nations, airports); },
        });
        ag::runParallel({
            [] { ag::genScreens(); },
            [] { ag::genIcons(); },
        });
        ag::writeContactSheet((review / "contact_sheet.png").string());
        if (!ag::saveManifest(ag::scanTree(out, inputsHash), stamp))
            throw std::runtime_error("cannot write " + stamp.string());
    } catch (const std::exception& e) {
        std::printf("assetgen: %s\n", e.what());
        return 1;
    }
    double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    std::printf("assetgen: asset tree written in %.1f s\n", secs);
    return 0;
}
