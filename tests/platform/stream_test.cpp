#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/stream.h"

// A file stream owns its FILE*: a copy would close it twice.
static_assert(!std::is_copy_constructible_v<plat::Stream> && !std::is_copy_assignable_v<plat::Stream>);

namespace fs = std::filesystem;

namespace {

fs::path scratch(const std::string& name) {
    fs::path dir = fs::path(TARN_TEST_OUT) / "stream";
    fs::create_directories(dir);
    fs::path p = dir / (std::to_string(getpid()) + "_" + name);
    fs::remove(p);
    return p;
}

std::vector<uint8_t> slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(BankStream, NumbersAreLittleEndianAndReadBack) {
    auto bank = std::make_shared<plat::Bank>();
    auto s = plat::openBankStream(bank);
    ASSERT_TRUE(s);
    EXPECT_TRUE(s->writeByte(0x81));
    EXPECT_TRUE(s->writeShort(-2));
    EXPECT_TRUE(s->writeInt(0x01020304));
    EXPECT_TRUE(s->writeDouble(1.0));
    const std::vector<uint8_t> expected = {0x81, 0xFE, 0xFF, 0x04, 0x03, 0x02, 0x01,
                                           0, 0, 0, 0, 0, 0, 0xF0, 0x3F};
    EXPECT_EQ(bank->bytes, expected);
    EXPECT_EQ(s->size(), 15);

    ASSERT_TRUE(s->seek(0));
    uint8_t b = 0;
    int16_t sh = 0;
    int32_t i = 0;
    double d = 0;
    EXPECT_TRUE(s->readByte(b));
    EXPECT_TRUE(s->readShort(sh));
    EXPECT_TRUE(s->readInt(i));
    EXPECT_TRUE(s->readDouble(d));
    EXPECT_EQ(b, 0x81);
    EXPECT_EQ(sh, -2);
    EXPECT_EQ(i, 0x01020304);
    EXPECT_EQ(d, 1.0);
    EXPECT_TRUE(s->eof());
}

TEST(BankStream, ShortReadFailsAndLeavesValue) {
    auto bank = std::make_shared<plat::Bank>(3);
    auto s = plat::openBankStream(bank);
    int32_t v = 77;
    EXPECT_FALSE(s->readInt(v));
    EXPECT_EQ(v, 77);
    EXPECT_EQ(s->pos(), 3);  // the three bytes there were consumed
    uint8_t byte = 9;
    EXPECT_FALSE(s->readByte(byte));
    EXPECT_EQ(byte, 9);
}

TEST(BankStream, WritingPastTheEndGrowsOverwritingInsideDoesNot) {
    auto bank = std::make_shared<plat::Bank>(4);
    auto s = plat::openBankStream(bank);
    ASSERT_TRUE(s->seek(2));
    EXPECT_TRUE(s->writeInt(-1));
    EXPECT_EQ(bank->size(), 6u);
    ASSERT_TRUE(s->seek(0));
    EXPECT_TRUE(s->writeShort(0x0102));
    EXPECT_EQ(bank->bytes, (std::vector<uint8_t>{2, 1, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(BankStream, SeekOutsideAndClosedStreamMoveNothing) {
    auto bank = std::make_shared<plat::Bank>(4);
    auto s = plat::openBankStream(bank);
    EXPECT_FALSE(s->seek(-1));
    EXPECT_FALSE(s->seek(5));
    EXPECT_TRUE(s->seek(4));
    s->close();
    s->close();
    EXPECT_FALSE(s->writeByte(1));
    uint8_t v;
    EXPECT_FALSE(s->readByte(v));
    EXPECT_TRUE(s->eof());
    EXPECT_EQ(bank->size(), 4u);
    EXPECT_EQ(plat::openBankStream(nullptr), nullptr);
}

TEST(FileStream, WriteThenReadBackThroughAFile) {
    fs::path p = scratch("rt.bin");
    auto w = plat::openFileStream(p.string(), plat::STREAM_WRITE);
    ASSERT_TRUE(w);
    EXPECT_TRUE(w->writeInt(0x11223344));
    EXPECT_TRUE(w->writeDouble(-0.5));
    EXPECT_TRUE(w->writeShort(300));
    uint8_t scrap;
    EXPECT_FALSE(w->readByte(scrap));  // write-only
    w->close();
    EXPECT_EQ(fs::file_size(p), 14u);
    EXPECT_EQ(slurp(p)[0], 0x44);

    auto r = plat::openFileStream(p.string(), plat::STREAM_READ);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->size(), 14);
    int32_t i = 0;
    double d = 0;
    int16_t sh = 0;
    EXPECT_TRUE(r->readInt(i));
    EXPECT_TRUE(r->readDouble(d));
    EXPECT_FALSE(r->eof());
    EXPECT_TRUE(r->readShort(sh));
    EXPECT_TRUE(r->eof());
    EXPECT_EQ(i, 0x11223344);
    EXPECT_EQ(d, -0.5);
    EXPECT_EQ(sh, 300);
    EXPECT_FALSE(r->writeByte(1));  // read-only
    EXPECT_FALSE(r->readShort(sh));
}

TEST(FileStream, WriteEmptiesReadWriteKeepsAndPatches) {
    fs::path p = scratch("rw.bin");
    {
        std::ofstream out(p, std::ios::binary);
        out << "abcdef";
    }
    auto rw = plat::openFileStream(p.string(), plat::STREAM_READWRITE);
    ASSERT_TRUE(rw);
    uint8_t c = 0;
    EXPECT_TRUE(rw->readByte(c));
    EXPECT_EQ(c, 'a');
    EXPECT_TRUE(rw->writeByte('X'));  // switching direction needs no seek from the caller
    EXPECT_TRUE(rw->readByte(c));
    EXPECT_EQ(c, 'c');
    EXPECT_EQ(rw->pos(), 3);
    rw->close();
    EXPECT_EQ(slurp(p), (std::vector<uint8_t>{'a', 'X', 'c', 'd', 'e', 'f'}));

    auto w = plat::openFileStream(p.string(), plat::STREAM_WRITE);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->size(), 0);
    w->close();
    EXPECT_EQ(fs::file_size(p), 0u);
}

TEST(FileStream, UnopenableAndUnknownModesGiveNull) {
    fs::path missing = scratch("missing.bin");
    EXPECT_EQ(plat::openFileStream(missing.string(), plat::STREAM_READ), nullptr);
    EXPECT_EQ(plat::openFileStream(missing.string(), plat::STREAM_READWRITE), nullptr);
    EXPECT_FALSE(fs::exists(missing));
    EXPECT_EQ(plat::openFileStream(missing.string(), 3), nullptr);
    EXPECT_EQ(plat::openFileStream(missing.string(), -1), nullptr);
    EXPECT_FALSE(fs::exists(missing));
    EXPECT_EQ(plat::openFileStream(missing.parent_path().string(), plat::STREAM_READ), nullptr);
    EXPECT_EQ(plat::openFileStream((missing / "below").string(), plat::STREAM_WRITE), nullptr);
    EXPECT_EQ(plat::openFileStream("", plat::STREAM_WRITE), nullptr);
}

TEST(FileStream, FullDeviceShowsAtFlush) {
    auto full = plat::openFileStream("/dev/full", plat::STREAM_WRITE);
    if (!full) GTEST_SKIP() << "no /dev/full";
    EXPECT_TRUE(full->writeInt(1));  // still in the buffer
    EXPECT_FALSE(full->flush());
}
