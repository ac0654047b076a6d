#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "vostrel/resourcemanager.h"
#include "vostrel/statemanager.h"

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

namespace {

const Bytes kExampleFrame = {0xFE, 0xFE, 0xFE, 0xFE, 0x04, 0x00, 0x00, 0x00, 0x07, 0x01,
                             0x00, 0x01, 0x02, 0x03, 0x04, 0xAA, 0xAA, 0xAA, 0xAA};

fs::path scratch(const std::string& name) {
    fs::path dir = fs::path(TARN_TEST_OUT) / "statemanager";
    fs::create_directories(dir);
    fs::path p = dir / (std::to_string(getpid()) + "_" + name);
    fs::remove(p);
    return p;
}

Bytes slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void spit(const fs::path& p, const Bytes& bytes) {
    std::ofstream out(p, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The caller's side of a frame: header byte, header short, body.
int addFrame(StateManager& sm, uint8_t header, int16_t tag, const Bytes& body) {
    plat::StreamPtr f = sm.createframe();
    f->writeByte(header);
    f->writeShort(tag);
    if (!body.empty()) f->write(body.data(), body.size());
    return sm.closeFrame(f);
}

Bytes used(const StateManager& sm) {
    return Bytes(sm._mainBank->bytes.begin(), sm._mainBank->bytes.begin() + sm._mainBankOffset);
}

class StateManagerTest : public ::testing::Test {
protected:
    StateManagerPtr sm = StateManager::Create(ResourceManager::GetInstance());

    // Reads the given bytes as a save file and returns what getFrame gives.
    plat::BankPtr readOnly(const Bytes& file) {
        fs::path p = scratch("damaged.sav");
        spit(p, file);
        EXPECT_EQ(sm->newLoad(p.string()), 0);
        plat::BankPtr frame = sm->getFrame();
        sm->closeLoad();
        return frame;
    }
};

}  // namespace

TEST_F(StateManagerTest, WorkedExampleByteForByteAndBack) {
    fs::path p = scratch("example.sav");
    sm->newSave(p.string());
    EXPECT_EQ(sm->_mainBank->size(), 4095u);
    EXPECT_EQ(addFrame(*sm, 7, 1, {1, 2, 3, 4}), 0);
    EXPECT_EQ(sm->_mainBankOffset, 19);
    EXPECT_EQ(used(*sm), kExampleFrame);
    EXPECT_EQ(sm->closeSave(), 0);
    EXPECT_EQ(slurp(p), kExampleFrame);
    // Saved through the platform's writer: nothing is left beside the file, not even what an
    // earlier, interrupted save left.
    const fs::path leftover = p.parent_path() / ("." + p.filename().string() + ".Xy12Z9");
    spit(leftover, {1});
    EXPECT_EQ(sm->closeSave(), 0);
    EXPECT_FALSE(fs::exists(leftover));
    EXPECT_FALSE(fs::exists(p.string() + ".tmp"));

    ASSERT_EQ(sm->newLoad(p.string()), 0);
    plat::BankPtr frame = sm->getFrame();
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->bytes, (Bytes{1, 2, 3, 4}));
    EXPECT_EQ(sm->_frameBank, frame);
    EXPECT_EQ(sm->getFrame(), nullptr);  // end of the file
    EXPECT_EQ(sm->closeLoad(), 0);
    EXPECT_EQ(sm->getFrame(), nullptr);  // nothing open
}

TEST_F(StateManagerTest, FramesBackToBackRoundTripThroughAFile) {
    fs::path p = scratch("three.sav");
    sm->newSave(p.string());
    Bytes longBody(5000 / 2, 0x5A);
    for (size_t i = 0; i < longBody.size(); ++i) longBody[i] = static_cast<uint8_t>(i * 7);
    ASSERT_EQ(addFrame(*sm, 1, -1, longBody), 0);
    ASSERT_EQ(addFrame(*sm, 2, 300, {}), 0);
    ASSERT_EQ(addFrame(*sm, 3, 0, {9, 8, 7}), 0);
    const int total = static_cast<int>(longBody.size()) + 15 + 15 + 18;
    EXPECT_EQ(sm->_mainBankOffset, total);
    ASSERT_EQ(sm->closeSave(), 0);
    EXPECT_EQ(fs::file_size(p), static_cast<uintmax_t>(total));

    ASSERT_EQ(sm->newLoad(p.string()), 0);
    plat::BankPtr a = sm->getFrame();
    plat::BankPtr b = sm->getFrame();
    plat::BankPtr c = sm->getFrame();
    ASSERT_TRUE(a && b && c);
    EXPECT_EQ(a->bytes, longBody);
    EXPECT_EQ(b->size(), 0u);
    // Only its own bytes, never the tail of the longer frame read before it.
    EXPECT_EQ(c->bytes, (Bytes{9, 8, 7}));
    EXPECT_EQ(sm->getFrame(), nullptr);
}

TEST_F(StateManagerTest, FrameThatWouldOverflowTheBankIsRefused) {
    sm->newSave(scratch("full.sav").string());
    // 4095 - 15 overhead: exactly fills the bank.
    ASSERT_EQ(addFrame(*sm, 0, 0, Bytes(2000, 1)), 0);
    Bytes before = used(*sm);
    EXPECT_EQ(addFrame(*sm, 0, 0, Bytes(4095 - 2015 - 15 + 1, 2)), -1);
    EXPECT_EQ(used(*sm), before);
    EXPECT_EQ(addFrame(*sm, 0, 0, Bytes(9000, 3)), -1);
    EXPECT_EQ(sm->_mainBank->size(), 4095u);
    EXPECT_EQ(addFrame(*sm, 0, 0, Bytes(4095 - 2015 - 15, 4)), 0);
    EXPECT_EQ(sm->_mainBankOffset, 4095);
    EXPECT_EQ(addFrame(*sm, 0, 0, {}), -1);
}

TEST_F(StateManagerTest, FramesWithoutHeaderOrWithoutSaveAreRefused) {
    plat::StreamPtr orphan = sm->createframe();
    orphan->writeByte(1);
    orphan->writeShort(1);
    EXPECT_EQ(sm->closeFrame(orphan), -1);  // no newSave yet
    EXPECT_EQ(sm->closeSave(), -1);
    EXPECT_EQ(sm->debugSaveBank(scratch("nobank.bin").string()), -1);

    sm->newSave(scratch("short.sav").string());
    plat::StreamPtr headless = sm->createframe();
    headless->writeByte(1);  // no short: the length would be negative
    EXPECT_EQ(sm->closeFrame(headless), -1);
    EXPECT_EQ(sm->_mainBankOffset, 0);
    EXPECT_EQ(sm->closeFrame(nullptr), -1);
    sm->_mainBankOffset = -1;  // a stray offset never reaches outside the bank
    EXPECT_EQ(addFrame(*sm, 1, 1, {1}), -1);
    EXPECT_EQ(sm->closeSave(), -1);
    sm->_mainBankOffset = 5000;
    EXPECT_EQ(addFrame(*sm, 1, 1, {1}), -1);
    EXPECT_EQ(sm->closeSave(), -1);
    sm->_mainBankOffset = 0;
    uint8_t v;
    EXPECT_FALSE(headless->readByte(v));  // closed even when refused
}

TEST_F(StateManagerTest, DebugSaveBankWritesTheWholeBank) {
    fs::path p = scratch("bank.bin");
    sm->newSave(scratch("unused.sav").string());
    addFrame(*sm, 7, 1, {1, 2, 3, 4});
    ASSERT_EQ(sm->debugSaveBank(p.string()), 0);
    Bytes bank = slurp(p);
    ASSERT_EQ(bank.size(), 4095u);
    EXPECT_EQ(Bytes(bank.begin(), bank.begin() + 19), kExampleFrame);
    EXPECT_EQ(bank[19], 0);
}

TEST_F(StateManagerTest, UnwritableOrUnreadableFilesAreReported) {
    sm->newSave((scratch("nofolder") / "x.sav").string());
    addFrame(*sm, 7, 1, {1, 2, 3, 4});
    EXPECT_EQ(sm->closeSave(), -1);
    // A save that can't be written whole (the file size limit is hit half way) leaves the
    // previous one as it was, and no temporary file beside it.
    fs::path old = scratch("kept.sav");
    spit(old, kExampleFrame);
    sm->newSave(old.string());
    addFrame(*sm, 7, 1, Bytes(1000, 5));
    struct rlimit limit;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
    auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = limit;
    small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const int result = sm->closeSave();
    setrlimit(RLIMIT_FSIZE, &limit);
    signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(result, -1);
    EXPECT_EQ(slurp(old), kExampleFrame);
    for (const auto& e : fs::directory_iterator(old.parent_path()))
        EXPECT_EQ(e.path().filename().string().find("." + old.filename().string() + "."), std::string::npos)
            << e.path();

    EXPECT_EQ(sm->newLoad(scratch("absent.sav").string()), -1);
    EXPECT_EQ(sm->getFrame(), nullptr);

    auto orphan = StateManager::Create(nullptr);
    orphan->newSave(scratch("noreg.sav").string());
    EXPECT_EQ(orphan->closeSave(), -1);
    EXPECT_FALSE(fs::exists(scratch("noreg.sav")));
}

TEST_F(StateManagerTest, DamagedFilesFailCleanly) {
    auto withLength = [](int32_t len) {
        Bytes f = kExampleFrame;
        for (int i = 0; i < 4; ++i) f[4 + i] = static_cast<uint8_t>(static_cast<uint32_t>(len) >> (8 * i));
        return f;
    };
    struct Case { const char* what; Bytes file; };
    std::vector<Case> cases = {
        {"empty file", {}},
        {"negative length", withLength(-1)},
        {"most negative length", withLength(INT32_MIN)},
        {"length past the end", withLength(5)},
        {"huge length", withLength(INT32_MAX)},
        {"short length", withLength(3)},
        {"only the start sentinel", Bytes(kExampleFrame.begin(), kExampleFrame.begin() + 4)},
        {"cut in the header", Bytes(kExampleFrame.begin(), kExampleFrame.begin() + 9)},
        {"cut in the body", Bytes(kExampleFrame.begin(), kExampleFrame.begin() + 13)},
        {"cut in the end sentinel", Bytes(kExampleFrame.begin(), kExampleFrame.end() - 1)},
    };
    Bytes badStart = kExampleFrame;
    badStart[2] = 0x00;
    cases.push_back({"start sentinel damaged", badStart});
    Bytes badEnd = kExampleFrame;
    badEnd[17] = 0xAB;
    cases.push_back({"end sentinel damaged", badEnd});

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(readOnly(c.file), nullptr);
        EXPECT_EQ(sm->_frameBank, nullptr);
    }
}

TEST_F(StateManagerTest, GoodFrameBeforeADamagedOneStillReads) {
    Bytes file = kExampleFrame;
    file.insert(file.end(), kExampleFrame.begin(), kExampleFrame.begin() + 12);
    auto bank = std::make_shared<plat::Bank>();
    bank->bytes = file;
    ASSERT_EQ(sm->newLoad(plat::openBankStream(bank)), 0);
    plat::BankPtr first = sm->getFrame();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->bytes, (Bytes{1, 2, 3, 4}));
    EXPECT_EQ(sm->getFrame(), nullptr);
    EXPECT_EQ(sm->newLoad(plat::StreamPtr()), -1);
}
