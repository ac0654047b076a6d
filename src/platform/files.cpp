#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <initializer_list>

#include "platform/text.h"

namespace plat {

int fileType(const std::string& path) {
    if (path.empty()) return FILETYPE_NONE;
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return FILETYPE_NONE;
    return S_ISDIR(st.st_mode) ? FILETYPE_DIR : FILETYPE_FILE;
}

bool pathPresent(const std::string& path) {
    struct stat st;
    return !path.empty() && ::lstat(path.c_str(), &st) == 0;
}

bool readDir(const std::string& path, std::vector<std::string>& names) {
    names.clear();
    DIR* d = ::opendir(path.c_str());
    if (!d) return false;
    while (struct dirent* e = ::readdir(d)) {
        if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0) continue;
        names.emplace_back(e->d_name);
    }
    ::closedir(d);
    return true;
}

bool createDir(const std::string& path) {
    if (path.empty()) return false;
    if (::mkdir(path.c_str(), 0777) == 0) return true;
    // Asking for a folder that is already there is not a failure.
    return errno == EEXIST && fileType(path) == FILETYPE_DIR;
}

bool deletePath(const std::string& path) {
    if (path.empty()) return false;
    std::error_code ec;
    // remove_all does not follow symbolic links into other trees.
    std::uintmax_t n = std::filesystem::remove_all(path, ec);
    return !ec && n > 0;
}

bool renamePath(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0;
}

std::string createUniqueDir(const std::string& prefix) {
    std::vector<char> name(prefix.begin(), prefix.end());
    for (char c : std::string("XXXXXX")) name.push_back(c);
    name.push_back('\0');
    if (!::mkdtemp(name.data())) return std::string();
    // mkdtemp makes it private; a folder of ours is made like any other.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::chmod(name.data(), 0777 & ~mask);
    return std::string(name.data());
}

int lockFolder(const std::string& path, bool wait) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return -1;
    int r;
    do r = ::flock(fd, LOCK_EX | (wait ? 0 : LOCK_NB));
    while (r != 0 && errno == EINTR);
    // Whoever held it may have removed or replaced the folder before letting go.
    struct stat held, now;
    if (r != 0 || ::fstat(fd, &held) != 0 || ::stat(path.c_str(), &now) != 0 || held.st_dev != now.st_dev ||
        held.st_ino != now.st_ino) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void unlockFolder(int handle) {
    if (handle >= 0) ::close(handle);
}

std::string stripDir(const std::string& path) {
    size_t i = path.find_last_of('/');
    return i == std::string::npos ? path : path.substr(i + 1);
}

std::string extractExt(const std::string& path) {
    std::string name = stripDir(path);
    size_t i = name.find_last_of('.');
    return i == std::string::npos ? "" : name.substr(i + 1);
}

std::string extractDir(const std::string& path) {
    size_t i = path.find_last_of('/');
    if (i == std::string::npos) return "";
    if (i == 0) return "/";
    return path.substr(0, i);
}

static std::string exePath() {
    std::error_code ec;
    auto p = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : p.string();
}

std::string appDir() {
    std::string p = exePath();
    return p.empty() ? std::string(".") : extractDir(p);
}

std::string appFile() { return stripDir(exePath()); }

bool loadBytes(const std::string& path, std::vector<unsigned char>& bytes) {
    bytes.clear();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st;
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return false;
    }
    if (st.st_size > 0) bytes.reserve(size_t(st.st_size));
    unsigned char buf[65536];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            bytes.clear();
            return false;
        }
        if (n == 0) break;
        bytes.insert(bytes.end(), buf, buf + n);
    }
    ::close(fd);
    return true;
}

static bool writeAll(int fd, const unsigned char* p, size_t n) {
    while (n > 0) {
        ssize_t w = ::write(fd, p, n);
        if (w < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += w;
        n -= size_t(w);
    }
    return true;
}

static mode_t newFileMode(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return st.st_mode & 07777;
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// The temporary files of saveBytes are ".NAME.XXXXXX", the last six from mkstemp's letters.
static bool isTemporaryOf(const std::string& entry, const std::string& name) {
    const std::string prefix = "." + name + ".";
    if (entry.size() != prefix.size() + 6 || entry.compare(0, prefix.size(), prefix) != 0) return false;
    for (size_t i = prefix.size(); i < entry.size(); ++i)
        if (!std::isalnum(static_cast<unsigned char>(entry[i]))) return false;
    return true;
}

// A save killed between mkstemp and the rename leaves its temporary file behind; the next
// successful save of the same file takes such leftovers away.
static void removeLeftovers(const std::string& dir, const std::string& name) {
    std::vector<std::string> entries;
    if (!readDir(dir.empty() ? "." : dir, entries)) return;
    for (const std::string& e : entries)
        if (isTemporaryOf(e, name)) ::unlink(((dir.empty() ? std::string() : dir + "/") + e).c_str());
}

// The bytes go to a temporary file beside the target, reach the disk, and only then
// replace the old file: a crash or a full disk never leaves a half-written one.
bool saveBytes(const std::vector<unsigned char>& bytes, const std::string& path) {
    if (path.empty() || fileType(path) == FILETYPE_DIR) {
        errno = path.empty() ? ENOENT : EISDIR;
        return false;
    }
    std::string dir = extractDir(path);
    std::string tmpl = (dir.empty() ? std::string() : dir + "/") + "." + stripDir(path) + ".XXXXXX";
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd < 0) return false;
    const std::string tmp(name.data());
    bool ok = ::fchmod(fd, newFileMode(path)) == 0 && writeAll(fd, bytes.data(), bytes.size()) &&
              ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok) ok = ::rename(tmp.c_str(), path.c_str()) == 0;
    if (!ok) {
        const int why = errno;
        ::unlink(tmp.c_str());
        errno = why;
        return false;
    }
    // Make the rename itself durable.
    int dfd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    removeLeftovers(dir, stripDir(path));
    return true;
}

static bool decodeUtf16(const std::vector<unsigned char>& b, size_t start, bool bigEndian,
                        std::string& out) {
    if ((b.size() - start) % 2 != 0) return false;
    auto unit = [&](size_t i) -> uint32_t {
        return bigEndian ? (uint32_t(b[i]) << 8) | b[i + 1] : (uint32_t(b[i + 1]) << 8) | b[i];
    };
    for (size_t i = start; i < b.size(); i += 2) {
        uint32_t u = unit(i);
        if (u >= 0xD800 && u < 0xDC00 && i + 3 < b.size()) {
            uint32_t lo = unit(i + 2);
            if (lo >= 0xDC00 && lo < 0xE000) {
                utf8Append(out, 0x10000 + ((u - 0xD800) << 10) + (lo - 0xDC00));
                i += 2;
                continue;
            }
        }
        // A lone surrogate has no character of its own.
        if (u >= 0xD800 && u < 0xE000) u = 0xFFFD;
        utf8Append(out, u);
    }
    return true;
}

bool loadText(const std::string& path, std::string& utf8) {
    utf8.clear();
    std::vector<unsigned char> b;
    if (!loadBytes(path, b)) return false;
    std::string out;
    if (b.size() >= 2 && b[0] == 0xFE && b[1] == 0xFF) {
        if (!decodeUtf16(b, 2, true, out)) return false;
    } else if (b.size() >= 2 && b[0] == 0xFF && b[1] == 0xFE) {
        if (!decodeUtf16(b, 2, false, out)) return false;
    } else if (b.size() >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
        // Re-encode so that damaged sequences become U+FFFD instead of travelling on.
        out = utf8Encode(utf8Decode(std::string(b.begin() + 3, b.end())));
    } else {
        out.reserve(b.size());
        for (unsigned char c : b) utf8Append(out, c);
    }
    utf8.swap(out);
    return true;
}

bool saveText(const std::string& utf8, const std::string& path) {
    std::vector<uint32_t> cps = utf8Decode(utf8);
    bool narrow = true;
    for (uint32_t cp : cps)
        if (cp > 0xFF) { narrow = false; break; }
    // Written one byte a character, a text that begins like a byte-order mark would be read
    // back as one: such a text is written wide.
    auto begins = [&](std::initializer_list<uint32_t> mark) {
        return cps.size() >= mark.size() && std::equal(mark.begin(), mark.end(), cps.begin());
    };
    if (begins({0xFE, 0xFF}) || begins({0xFF, 0xFE}) || begins({0xEF, 0xBB, 0xBF})) narrow = false;
    std::vector<unsigned char> b;
    if (narrow) {
        b.assign(cps.begin(), cps.end());
    } else {
        b.reserve(2 + cps.size() * 2);
        b.push_back(0xFF);
        b.push_back(0xFE);
        auto put = [&](uint32_t u) {
            b.push_back(u & 0xFF);
            b.push_back((u >> 8) & 0xFF);
        };
        for (uint32_t cp : cps) {
            if (cp > 0x10FFFF) cp = 0xFFFD;
            if (cp >= 0x10000) {
                cp -= 0x10000;
                put(0xD800 + (cp >> 10));
                put(0xDC00 + (cp & 0x3FF));
            } else {
                put(cp);
            }
        }
    }
    return saveBytes(b, path);
}

}  // namespace plat
