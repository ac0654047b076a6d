#include "vostrel/statemanager.h"

#include <algorithm>
#include <cstring>

#include "platform/files.h"
#include "vostrel/resourcemanager.h"

namespace {

// Bodies are copied in pieces of this size, so a length read from a damaged file never
// decides an allocation before the bytes are really there.
constexpr size_t COPY_PIECE = 4096;
constexpr long long HEADER_BYTES = 3;  // header byte and header short

bool readSentinel(plat::Stream& in, uint32_t expected) {
    int32_t v = 0;
    return in.readInt(v) && static_cast<uint32_t>(v) == expected;
}

}  // namespace

std::shared_ptr<StateManager> StateManager::Create(const std::shared_ptr<ResourceManager>& resMan) {
    auto sm = std::make_shared<StateManager>();
    sm->_resMan = resMan;
    return sm;
}

plat::StreamPtr StateManager::createframe() {
    _frameBank = std::make_shared<plat::Bank>();
    plat::StreamPtr frame = plat::openBankStream(_frameBank);
    frame->writeInt(static_cast<int32_t>(START_SENTINEL));
    frame->writeInt(0);
    return frame;
}

int StateManager::closeFrame(const plat::StreamPtr& frame) {
    if (!frame) return -1;
    const long long p = frame->pos();
    const long long total = p + 4;
    const long long headerEnd = 2 * _OFFSET_SIZE + HEADER_BYTES;
    // A frame shorter than its header would carry a negative length; one past the bank's
    // end would overwrite memory that isn't the save's.
    if (!_mainBank || _mainBankOffset < 0 || p < headerEnd ||
        total > static_cast<long long>(_mainBank->size()) - _mainBankOffset) {
        frame->close();
        return -1;
    }
    bool ok = frame->seek(_OFFSET_SIZE) && frame->writeInt(static_cast<int32_t>(p - headerEnd)) &&
              frame->seek(p) && frame->writeInt(static_cast<int32_t>(END_SENTINEL)) && frame->seek(0);
    if (ok) {
        uint8_t* dst = _mainBank->bytes.data() + _mainBankOffset;
        ok = frame->read(dst, static_cast<size_t>(total)) == static_cast<size_t>(total);
    }
    frame->close();
    if (!ok) return -1;
    _mainBankOffset += static_cast<int>(total);
    return 0;
}

int StateManager::newSave(const std::string& path) {
    _saveFilePath = path;
    _mainBank = std::make_shared<plat::Bank>(MAIN_BANK_SIZE);
    _mainBankOffset = 0;
    return 0;
}

int StateManager::closeSave() {
    // The offset is a public field; never write from outside the bank.
    if (!_mainBank || _mainBankOffset < 0 || static_cast<size_t>(_mainBankOffset) > _mainBank->size()) return -1;
    return _writeFile(_saveFilePath, static_cast<size_t>(_mainBankOffset));
}

int StateManager::newLoad(const std::string& path) {
    return newLoad(_openFile(path, ResourceManager::READ));
}

int StateManager::newLoad(const plat::StreamPtr& stream) {
    _readStream = stream;
    return _readStream ? 0 : -1;
}

int StateManager::closeLoad() {
    if (_readStream) _readStream->close();
    _readStream = nullptr;
    return 0;
}

plat::BankPtr StateManager::getFrame() {
    // A failed read leaves no frame behind that could be taken for this one.
    _frameBank = nullptr;
    if (!_readStream) return nullptr;
    plat::Stream& in = *_readStream;
    if (!readSentinel(in, START_SENTINEL)) return nullptr;
    int32_t length = -1;
    if (!in.readInt(length) || length < 0) return nullptr;
    const long long left = in.size() - in.pos();
    if (static_cast<long long>(length) + HEADER_BYTES + 4 > left) return nullptr;
    uint8_t headerByte = 0;
    int16_t headerShort = 0;
    if (!in.readByte(headerByte) || !in.readShort(headerShort)) return nullptr;

    auto body = std::make_shared<plat::Bank>();
    _frameStream = plat::openBankStream(body);
    uint8_t piece[COPY_PIECE];
    size_t remaining = static_cast<size_t>(length);
    bool ok = true;
    while (ok && remaining > 0) {
        size_t want = std::min(remaining, COPY_PIECE);
        size_t got = in.read(piece, want);
        ok = got == want && _frameStream->write(piece, got) == got;
        remaining -= got;
    }
    _frameStream->close();
    _frameStream = nullptr;
    if (!ok || !readSentinel(in, END_SENTINEL)) return nullptr;
    _frameBank = body;
    return _frameBank;
}

int StateManager::debugSaveBank(const std::string& path) {
    if (!_mainBank) return -1;
    return _writeFile(path, _mainBank->size());
}

plat::StreamPtr StateManager::_openFile(const std::string& path, int mode) const {
    if (!_resMan) return nullptr;
    return _resMan->newFileStream(path, mode);
}

int StateManager::_writeFile(const std::string& path, size_t count) {
    // Saves go through the registry's store like its loads; one without a registry has none.
    if (!_resMan) return -1;
    // The platform's writer: a temporary file that reaches the disk, then a rename, so a
    // failed or interrupted save leaves the old file whole.
    const std::vector<unsigned char> bytes(_mainBank->bytes.begin(), _mainBank->bytes.begin() + count);
    return plat::saveBytes(bytes, path) ? 0 : -1;
}
