// Placeholder until the byte streams land.
#include "platform/stream.h"
namespace plat {
bool Stream::readByte(uint8_t& v) { return read(&v, 1) == 1; }
bool Stream::readShort(int16_t& v) { return read(&v, 2) == 2; }
bool Stream::readInt(int32_t& v) { return read(&v, 4) == 4; }
bool Stream::readDouble(double& v) { return read(&v, 8) == 8; }
bool Stream::writeByte(uint8_t v) { return write(&v, 1) == 1; }
bool Stream::writeShort(int16_t v) { return write(&v, 2) == 2; }
bool Stream::writeInt(int32_t v) { return write(&v, 4) == 4; }
bool Stream::writeDouble(double v) { return write(&v, 8) == 8; }
StreamPtr openBankStream(const BankPtr&) { return nullptr; }
StreamPtr openFileStream(const std::string&, int) { return nullptr; }
}  // namespace plat
