// Byte streams over memory banks and files. Numbers are stored little-endian whatever the
// host's byte order, so a file written on one machine reads back the same on another.
#include "platform/stream.h"

#include <sys/stat.h>

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <limits>

namespace plat {

namespace {

uint64_t loadLE(const uint8_t* b, int n) {
    uint64_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = (v << 8) | b[i];
    return v;
}

void storeLE(uint8_t* b, uint64_t v, int n) {
    for (int i = 0; i < n; ++i) {
        b[i] = static_cast<uint8_t>(v & 0xFF);
        v >>= 8;
    }
}

class BankStream : public Stream {
public:
    explicit BankStream(BankPtr bank) : _bank(std::move(bank)) {}

    size_t read(void* dst, size_t n) override {
        if (!_bank || !dst || _pos >= _bank->size()) return 0;
        size_t got = std::min(n, _bank->size() - _pos);
        std::memcpy(dst, _bank->bytes.data() + _pos, got);
        _pos += got;
        return got;
    }

    size_t write(const void* src, size_t n) override {
        if (!_bank || !src || n == 0) return 0;
        if (n > _bank->bytes.max_size() - _pos) return 0;
        if (_pos + n > _bank->size()) _bank->bytes.resize(_pos + n, 0);
        std::memcpy(_bank->bytes.data() + _pos, src, n);
        _pos += n;
        return n;
    }

    // Only positions inside the bank or at its end: a gap would have to be invented.
    bool seek(long long pos) override {
        if (!_bank || pos < 0 || static_cast<unsigned long long>(pos) > _bank->size()) return false;
        _pos = static_cast<size_t>(pos);
        return true;
    }

    long long pos() const override { return _bank ? static_cast<long long>(_pos) : 0; }
    long long size() const override { return _bank ? static_cast<long long>(_bank->size()) : 0; }
    bool eof() const override { return !_bank || _pos >= _bank->size(); }
    void close() override {
        _bank.reset();
        _pos = 0;
    }

private:
    BankPtr _bank;
    size_t _pos = 0;
};

struct FileClose {
    void operator()(FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<FILE, FileClose>;

class FileStream : public Stream {
public:
    FileStream(FilePtr f, bool canRead, bool canWrite) : _file(std::move(f)), _canRead(canRead), _canWrite(canWrite) {}

    size_t read(void* dst, size_t n) override {
        if (!_file || !_canRead || !dst || n == 0) return 0;
        // The C library needs a positioning call between a write and a read on one file.
        if (_lastWasWrite) std::fseek(_file.get(), 0, SEEK_CUR);
        _lastWasWrite = false;
        return std::fread(dst, 1, n, _file.get());
    }

    size_t write(const void* src, size_t n) override {
        if (!_file || !_canWrite || !src || n == 0) return 0;
        if (!_lastWasWrite) std::fseek(_file.get(), 0, SEEK_CUR);
        _lastWasWrite = true;
        return std::fwrite(src, 1, n, _file.get());
    }

    bool seek(long long pos) override {
        if (!_file || pos < 0 || pos > std::numeric_limits<off_t>::max()) return false;
        return fseeko(_file.get(), static_cast<off_t>(pos), SEEK_SET) == 0;
    }

    long long pos() const override { return _file ? static_cast<long long>(ftello(_file.get())) : 0; }

    long long size() const override {
        if (!_file) return 0;
        // Bytes still in the write buffer belong to the size too.
        if (_lastWasWrite) std::fflush(_file.get());
        struct stat st;
        if (fstat(fileno(_file.get()), &st) != 0) return 0;
        return static_cast<long long>(st.st_size);
    }

    bool eof() const override {
        if (!_file) return true;
        return pos() >= size();
    }

    bool flush() override { return _file && std::fflush(_file.get()) == 0 && !std::ferror(_file.get()); }

    void close() override { _file.reset(); }

private:
    FilePtr _file;
    bool _canRead;
    bool _canWrite;
    bool _lastWasWrite = false;
};

}  // namespace

bool Stream::readByte(uint8_t& v) { return read(&v, 1) == 1; }

bool Stream::readShort(int16_t& v) {
    uint8_t b[2];
    if (read(b, 2) != 2) return false;
    v = static_cast<int16_t>(static_cast<uint16_t>(loadLE(b, 2)));
    return true;
}

bool Stream::readInt(int32_t& v) {
    uint8_t b[4];
    if (read(b, 4) != 4) return false;
    v = static_cast<int32_t>(static_cast<uint32_t>(loadLE(b, 4)));
    return true;
}

bool Stream::readDouble(double& v) {
    uint8_t b[8];
    if (read(b, 8) != 8) return false;
    uint64_t bits = loadLE(b, 8);
    std::memcpy(&v, &bits, 8);
    return true;
}

bool Stream::writeByte(uint8_t v) { return write(&v, 1) == 1; }

bool Stream::writeShort(int16_t v) {
    uint8_t b[2];
    storeLE(b, static_cast<uint16_t>(v), 2);
    return write(b, 2) == 2;
}

bool Stream::writeInt(int32_t v) {
    uint8_t b[4];
    storeLE(b, static_cast<uint32_t>(v), 4);
    return write(b, 4) == 4;
}

bool Stream::writeDouble(double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, 8);
    uint8_t b[8];
    storeLE(b, bits, 8);
    return write(b, 8) == 8;
}

StreamPtr openBankStream(const BankPtr& bank) {
    if (!bank) return nullptr;
    return std::make_shared<BankStream>(bank);
}

StreamPtr openFileStream(const std::string& path, int mode) {
    const char* how = nullptr;
    bool canRead = false, canWrite = false;
    switch (mode) {
        case STREAM_READ: how = "rb"; canRead = true; break;
        case STREAM_WRITE: how = "wb"; canWrite = true; break;
        case STREAM_READWRITE: how = "r+b"; canRead = canWrite = true; break;
        default: return nullptr;
    }
    if (path.empty()) return nullptr;
    // A folder opens for reading on some systems and then fails every read.
    struct stat st;
    if (stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return nullptr;
    FilePtr f(std::fopen(path.c_str(), how));
    if (!f) return nullptr;
    return std::make_shared<FileStream>(std::move(f), canRead, canWrite);
}

}  // namespace plat
