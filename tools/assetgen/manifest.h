// Whether the asset tree is up to date. The build runs the generator every time; a run
// whose inputs (the generator itself, the data texts, the fonts it copies and draws with)
// hash to the value of the last complete run, and whose files are all still there
// unchanged, ends at once. Anything else (a changed input, a file removed or edited in the
// tree, a run that stopped half-way) regenerates the whole tree.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace ag {

// FNV-1a over a file's bytes, continuing from h. Throws when the file can't be read.
uint64_t hashFile(const std::filesystem::path& p, uint64_t h = 0xcbf29ce484222325ull);
uint64_t hashText(const std::string& s, uint64_t h = 0xcbf29ce484222325ull);

// One hash over every input: the named files and every file under the data folder
// (relative names included, so a renamed file counts as a change).
uint64_t inputsHash(const std::vector<std::filesystem::path>& files, const std::filesystem::path& dataDir);

// The files a complete run left in the tree (images/ and settings.txt are the game's own).
struct Manifest {
    uint64_t inputs = 0;
    struct Entry {
        std::string rel;
        uint64_t size = 0, hash = 0;
    };
    std::vector<Entry> files;
};
Manifest scanTree(const std::filesystem::path& out, uint64_t inputs);
bool saveManifest(const Manifest& m, const std::filesystem::path& path);  // written whole or not at all
bool loadManifest(const std::filesystem::path& path, Manifest& m);
// True when the manifest was made from these inputs and the tree still holds exactly its
// files under original/ (the game decodes every one) and every other file unchanged.
bool treeMatches(const Manifest& m, uint64_t inputs, const std::filesystem::path& out);

}  // namespace ag
