// Little-endian byte streams over memory banks and files.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace plat {

// A growable byte buffer.
struct Bank {
    std::vector<uint8_t> bytes;
    explicit Bank(size_t size = 0) : bytes(size, 0) {}
    size_t size() const { return bytes.size(); }
};
using BankPtr = std::shared_ptr<Bank>;

class Stream {
public:
    // A file stream owns its open file: streams are shared through StreamPtr, never copied.
    Stream() = default;
    Stream(const Stream&) = delete;
    Stream& operator=(const Stream&) = delete;
    virtual ~Stream() = default;
    // Each returns the number of bytes moved; a short count means end or failure.
    virtual size_t read(void* dst, size_t n) = 0;
    virtual size_t write(const void* src, size_t n) = 0;
    // False for a negative position; a bank stream also refuses positions past its end.
    virtual bool seek(long long pos) = 0;
    virtual long long pos() const = 0;
    virtual long long size() const = 0;
    virtual bool eof() const = 0;
    // After close every read and write moves nothing; closing twice is harmless.
    virtual void close() = 0;
    // Pushes buffered writes out; false when they could not be written (a full disk).
    virtual bool flush() { return true; }

    // Little-endian whatever the host; false (value unchanged) when the bytes run out.
    bool readByte(uint8_t& v);
    bool readShort(int16_t& v);
    bool readInt(int32_t& v);
    bool readDouble(double& v);
    bool writeByte(uint8_t v);
    bool writeShort(int16_t v);
    bool writeInt(int32_t v);
    bool writeDouble(double v);
};
using StreamPtr = std::shared_ptr<Stream>;

// A stream over a bank; writing past the end grows the bank.
StreamPtr openBankStream(const BankPtr& bank);
enum StreamMode { STREAM_READ = 0, STREAM_WRITE = 1, STREAM_READWRITE = 2 };
// READ and READWRITE need an existing file; WRITE creates it or empties it. nullptr when the
// file can't be opened (a folder included) or the mode is unknown.
StreamPtr openFileStream(const std::string& path, int mode);

}  // namespace plat
