// Feeds arbitrary bytes to the state store's frame reader, and round-trips bodies cut from
// them through the frame writer. Any read outside a buffer, a crash, a hang or a frame that
// comes back different is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <unistd.h>

#include "vostrel/statemanager.h"

namespace {

void readAll(const uint8_t* data, size_t size, plat::StreamPtr in) {
    auto sm = StateManager::Create(nullptr);
    sm->newLoad(in);
    size_t consumed = 0;
    while (plat::BankPtr frame = sm->getFrame()) {
        consumed += frame->size() + StateManager::FRAME_OVERHEAD;
        if (consumed > size) __builtin_trap();  // a frame bigger than its file
    }
    sm->closeLoad();
}

void roundTrip(const uint8_t* data, size_t size) {
    auto sm = StateManager::Create(nullptr);
    sm->newSave("");
    std::vector<std::vector<uint8_t>> kept;
    size_t at = 0;
    while (at < size) {
        // Two bytes of length, so bodies can outgrow the bank.
        size_t len = data[at++];
        if (at < size) len = len * 256 + data[at++];
        len = std::min(len, size - at);
        std::vector<uint8_t> body(data + at, data + at + len);
        at += len;
        plat::StreamPtr f = sm->createframe();
        f->writeByte(static_cast<uint8_t>(len));
        f->writeShort(static_cast<int16_t>(kept.size()));
        if (!body.empty()) f->write(body.data(), body.size());
        int before = sm->_mainBankOffset;
        if (sm->closeFrame(f) == 0) {
            kept.push_back(std::move(body));
        } else if (sm->_mainBankOffset != before) {
            __builtin_trap();  // a refused frame changed the save
        }
        if (sm->_mainBankOffset > StateManager::MAIN_BANK_SIZE) __builtin_trap();
    }
    auto saved = std::make_shared<plat::Bank>();
    saved->bytes.assign(sm->_mainBank->bytes.begin(), sm->_mainBank->bytes.begin() + sm->_mainBankOffset);
    sm->newLoad(plat::openBankStream(saved));
    for (const auto& body : kept) {
        plat::BankPtr frame = sm->getFrame();
        if (!frame || frame->bytes != body) __builtin_trap();
    }
    if (sm->getFrame()) __builtin_trap();  // nothing after the last frame
}

// The same bytes once more as a real file, read through the file stream.
void readFile(const uint8_t* data, size_t size) {
    // Memory-backed when the system has it: a disk makes every run a hundred times slower.
    static const std::string path = std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm/" : "") +
                                    "statemanager_fuzz_" + std::to_string(getpid()) + ".sav";
    static const bool cleanup = std::atexit([] { std::remove(path.c_str()); }) == 0;
    (void)cleanup;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    readAll(data, size, plat::openFileStream(path, plat::STREAM_READ));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto bank = std::make_shared<plat::Bank>();
    bank->bytes.assign(data, data + size);
    readAll(data, size, plat::openBankStream(bank));
    readFile(data, size);
    roundTrip(data, size);
    return 0;
}
