// Small helpers shared by the tests that read the generated asset tree.
#pragma once
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/text.h"

namespace asset_tree {

inline const std::string ROOT = TARN_ASSET_DIR;

// The whole file as bytes, "" when it cannot be read.
inline std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

inline std::vector<std::string> splitOn(const std::string& s, char sep) { return plat::split(s, std::string(1, sep)); }

}  // namespace asset_tree
