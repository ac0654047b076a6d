// Placeholder until the file services land.
#include "platform/files.h"
namespace plat {
int fileType(const std::string&) { return 0; }
bool readDir(const std::string&, std::vector<std::string>&) { return false; }
bool createDir(const std::string&) { return false; }
bool deletePath(const std::string&) { return false; }
bool renamePath(const std::string&, const std::string&) { return false; }
std::string stripDir(const std::string& p) { auto i = p.find_last_of('/'); return i == std::string::npos ? p : p.substr(i + 1); }
std::string extractExt(const std::string& p) { auto n = stripDir(p); auto i = n.find_last_of('.'); return i == std::string::npos ? "" : n.substr(i + 1); }
std::string extractDir(const std::string& p) { auto i = p.find_last_of('/'); return i == std::string::npos ? "" : p.substr(0, i); }
std::string appDir() { return "."; }
std::string appFile() { return "tarnholt"; }
bool loadText(const std::string&, std::string&) { return false; }
bool saveText(const std::string&, const std::string&) { return false; }
bool loadBytes(const std::string&, std::vector<unsigned char>&) { return false; }
bool saveBytes(const std::vector<unsigned char>&, const std::string&) { return false; }
}  // namespace plat
