// Places a test can make that refuse writes even to root: a file or folder marked immutable
// (nothing replaces, renames or adds to it) and a small file system filled to the last byte.
// Each undoes itself; `ok()` is false where the machine does not allow it (the test skips).
#pragma once
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace unwritable {

inline bool setImmutable(const std::string& path, bool on) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}

class Immutable {
public:
    explicit Immutable(std::string path) : _path(std::move(path)), _ok(setImmutable(_path, true)) {}
    ~Immutable() {
        if (_ok) setImmutable(_path, false);
    }
    Immutable(const Immutable&) = delete;
    Immutable& operator=(const Immutable&) = delete;
    bool ok() const { return _ok; }

private:
    std::string _path;
    bool _ok;
};

// A 256 KiB memory file system mounted on `dir` (which must exist and be empty); `fill()`
// takes every free byte.
class FullDisk {
public:
    explicit FullDisk(std::string dir) : _dir(std::move(dir)) {
        _ok = ::mount("tarn-full", _dir.c_str(), "tmpfs", 0, "size=256k") == 0;
    }
    ~FullDisk() {
        if (_ok) ::umount2(_dir.c_str(), MNT_DETACH);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;
    bool ok() const { return _ok; }
    void fill() const {
        std::ofstream out(_dir + "/.ballast", std::ios::binary);
        const std::vector<char> block(4096, 'x');
        while (out.write(block.data(), std::streamsize(block.size()))) {
        }
        // Whatever is left below a block goes byte by byte.
        out.clear();
        while (out.put('x') && out.flush()) {
        }
    }

private:
    std::string _dir;
    bool _ok = false;
};

}  // namespace unwritable
