#include "manifest.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>

namespace ag {

namespace fs = std::filesystem;

namespace {
constexpr uint64_t FNV_PRIME = 0x100000001b3ull;

uint64_t hashBytes(const char* p, size_t n, uint64_t h) {
    for (size_t i = 0; i < n; ++i) {
        h ^= uint8_t(p[i]);
        h *= FNV_PRIME;
    }
    return h;
}

// Files the game writes into its own tree; they are no output of the generator.
bool gameOwned(const fs::path& rel) {
    auto top = rel.begin()->string();
    return top == "images" || rel == "settings.txt";
}
}  // namespace

uint64_t hashText(const std::string& s, uint64_t h) { return hashBytes(s.data(), s.size(), h); }

uint64_t hashFile(const fs::path& p, uint64_t h) {
    std::ifstream in(p, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + p.string());
    std::vector<char> buf(1 << 16);
    while (in) {
        in.read(buf.data(), std::streamsize(buf.size()));
        h = hashBytes(buf.data(), size_t(in.gcount()), h);
    }
    return h;
}

uint64_t inputsHash(const std::vector<fs::path>& files, const fs::path& dataDir) {
    uint64_t h = 0xcbf29ce484222325ull;
    for (const auto& f : files) h = hashFile(f, hashText(f.string() + '\n', h));
    std::vector<fs::path> data;
    for (auto& e : fs::recursive_directory_iterator(dataDir))
        if (e.is_regular_file()) data.push_back(e.path());
    std::sort(data.begin(), data.end());
    for (const auto& f : data) h = hashFile(f, hashText(fs::relative(f, dataDir).generic_string() + '\n', h));
    return h;
}

Manifest scanTree(const fs::path& out, uint64_t inputs) {
    Manifest m;
    m.inputs = inputs;
    for (auto& e : fs::recursive_directory_iterator(out)) {
        if (!e.is_regular_file()) continue;
        auto rel = fs::relative(e.path(), out);
        if (gameOwned(rel)) continue;
        m.files.push_back({rel.generic_string(), uint64_t(e.file_size()), hashFile(e.path())});
    }
    std::sort(m.files.begin(), m.files.end(), [](const auto& a, const auto& b) { return a.rel < b.rel; });
    return m;
}

bool saveManifest(const Manifest& m, const fs::path& path) {
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    fs::path tmp = path;
    tmp += ".tmp";
    {
        std::ofstream o(tmp, std::ios::binary | std::ios::trunc);
        char line[64];
        std::snprintf(line, sizeof line, "inputs %016llx\n", static_cast<unsigned long long>(m.inputs));
        o << line;
        for (const auto& f : m.files) {
            std::snprintf(line, sizeof line, "%016llx %llu ", static_cast<unsigned long long>(f.hash),
                          static_cast<unsigned long long>(f.size));
            o << line << f.rel << '\n';
        }
        o.flush();
        if (!o) return false;
    }
    fs::rename(tmp, path, ec);
    return !ec;
}

bool loadManifest(const fs::path& path, Manifest& m) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string word;
    if (!(in >> word) || word != "inputs") return false;
    std::string hex;
    if (!(in >> hex)) return false;
    m = Manifest{};
    m.inputs = std::stoull(hex, nullptr, 16);
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        std::istringstream ls(line);
        Manifest::Entry e;
        if (!(ls >> hex >> e.size)) return false;
        e.hash = std::stoull(hex, nullptr, 16);
        ls.get();  // the blank before the name
        std::getline(ls, e.rel);
        if (e.rel.empty()) return false;
        m.files.push_back(e);
    }
    return !m.files.empty();
}

bool treeMatches(const Manifest& m, uint64_t inputs, const fs::path& out) {
    if (m.inputs != inputs) return false;
    std::set<std::string> listed;
    for (const auto& f : m.files) {
        fs::path p = out / f.rel;
        std::error_code ec;
        if (!fs::is_regular_file(p, ec) || fs::file_size(p, ec) != f.size || ec) return false;
        try {
            if (hashFile(p) != f.hash) return false;
        } catch (const std::exception&) {
            return false;
        }
        listed.insert(f.rel);
    }
    // A stray file under original/ would be decoded into the game's image cache.
    std::error_code ec;
    if (!fs::is_directory(out / "original", ec)) return false;
    for (auto& e : fs::recursive_directory_iterator(out / "original"))
        if (!e.is_directory() && !listed.count(fs::relative(e.path(), out).generic_string())) return false;
    return true;
}

}  // namespace ag
