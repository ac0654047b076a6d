#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "platform/files.h"
#include "support/kit.h"

using namespace plat;
using Bytes = std::vector<unsigned char>;

namespace {

// Each test works in a fresh folder of its own under /tmp.
class FilesTest : public ::testing::Test {
protected:
    kit::Scratch scratch{"files"};
    const std::string dir = scratch.string();
    std::string at(const std::string& name) const { return dir + "/" + name; }
    void writeRaw(const std::string& name, const Bytes& b) {
        ASSERT_TRUE(saveBytes(b, at(name)));
    }
    Bytes readRaw(const std::string& name) {
        Bytes b;
        EXPECT_TRUE(loadBytes(at(name), b));
        return b;
    }
};

const std::string ALPHA_EURO_CLEF = "A\xE2\x82\xAC\xF0\x9D\x84\x9E";  // "A", U+20AC, U+1D11E

}  // namespace

TEST_F(FilesTest, ReadsEachByteOrderMark) {
    std::string s;
    writeRaw("be.txt", {0xFE, 0xFF, 0x00, 'A', 0x20, 0xAC, 0xD8, 0x34, 0xDD, 0x1E});
    ASSERT_TRUE(loadText(at("be.txt"), s));
    EXPECT_EQ(s, ALPHA_EURO_CLEF);

    writeRaw("le.txt", {0xFF, 0xFE, 'A', 0x00, 0xAC, 0x20, 0x34, 0xD8, 0x1E, 0xDD});
    ASSERT_TRUE(loadText(at("le.txt"), s));
    EXPECT_EQ(s, ALPHA_EURO_CLEF);

    std::string marked = "\xEF\xBB\xBF" + ALPHA_EURO_CLEF;
    Bytes u8(marked.begin(), marked.end());
    writeRaw("u8.txt", u8);
    ASSERT_TRUE(loadText(at("u8.txt"), s));
    EXPECT_EQ(s, ALPHA_EURO_CLEF);

    // Without a mark every byte is one character, including bytes that look like UTF-8.
    writeRaw("latin.txt", {'C', 'a', 'f', 0xE9, 0xE2, 0x82, 0xAC});
    ASSERT_TRUE(loadText(at("latin.txt"), s));
    EXPECT_EQ(s, "Caf\xC3\xA9\xC3\xA2\xC2\x82\xC2\xAC");

    writeRaw("empty.txt", {});
    ASSERT_TRUE(loadText(at("empty.txt"), s));
    EXPECT_EQ(s, "");
    writeRaw("markonly.txt", {0xFF, 0xFE});
    ASSERT_TRUE(loadText(at("markonly.txt"), s));
    EXPECT_EQ(s, "");
}

TEST_F(FilesTest, DamagedUtf16FailsAndLoneSurrogatesAreReplaced) {
    std::string s = "untouched";
    writeRaw("odd-le.txt", {0xFF, 0xFE, 'A', 0x00, 'B'});
    EXPECT_FALSE(loadText(at("odd-le.txt"), s));
    EXPECT_EQ(s, "");
    writeRaw("odd-be.txt", {0xFE, 0xFF, 0x00});
    EXPECT_FALSE(loadText(at("odd-be.txt"), s));

    // A high surrogate at the very end, and a low one on its own.
    writeRaw("lone.txt", {0xFF, 0xFE, 0x00, 0xDC, 'x', 0x00, 0x34, 0xD8});
    ASSERT_TRUE(loadText(at("lone.txt"), s));
    EXPECT_EQ(s, "\xEF\xBF\xBDx\xEF\xBF\xBD");

    EXPECT_FALSE(loadText(at("missing.txt"), s));
    EXPECT_FALSE(loadText(dir, s));  // a folder is not a text
}

TEST_F(FilesTest, WritesLatin1WhenItFitsElseUtf16) {
    ASSERT_TRUE(saveText("Caf\xC3\xA9\n0;5000", at("narrow.txt")));
    EXPECT_EQ(readRaw("narrow.txt"), (Bytes{'C', 'a', 'f', 0xE9, '\n', '0', ';', '5', '0', '0', '0'}));

    ASSERT_TRUE(saveText(ALPHA_EURO_CLEF, at("wide.txt")));
    EXPECT_EQ(readRaw("wide.txt"), (Bytes{0xFF, 0xFE, 'A', 0x00, 0xAC, 0x20, 0x34, 0xD8, 0x1E, 0xDD}));

    // The last three begin with the characters of a byte-order mark ("\xFE\xFF", "\xFF\xFE",
    // "\xEF\xBB\xBF" in one byte each).
    for (const std::string& text : {std::string("Caf\xC3\xA9\n\xC3\xBF"), ALPHA_EURO_CLEF,
                                    std::string(""), std::string("a\r\nb\0c", 6), std::string("\xC3\xBE\xC3\xBF"),
                                    std::string("\xC3\xBF\xC3\xBEx"), std::string("\xC3\xAF\xC2\xBB\xC2\xBF" "1")}) {
        std::string back;
        ASSERT_TRUE(saveText(text, at("round.txt")));
        ASSERT_TRUE(loadText(at("round.txt"), back));
        EXPECT_EQ(back, text);
    }
}

TEST_F(FilesTest, SaveReplacesWholeFileAndLeavesNoTemporaries) {
    ASSERT_TRUE(saveText(std::string(5000, 'x'), at("settings.txt")));
    ASSERT_TRUE(saveText("0", at("settings.txt")));
    std::string s;
    ASSERT_TRUE(loadText(at("settings.txt"), s));
    EXPECT_EQ(s, "0");
    std::vector<std::string> names;
    ASSERT_TRUE(readDir(dir, names));
    EXPECT_EQ(names, std::vector<std::string>{"settings.txt"});

    // A folder in the way is a failure, and the folder stays.
    ASSERT_TRUE(createDir(at("busy")));
    EXPECT_FALSE(saveText("data", at("busy")));
    EXPECT_EQ(fileType(at("busy")), FILETYPE_DIR);
    EXPECT_FALSE(saveText("data", at("no/such/folder/file.txt")));
}

TEST_F(FilesTest, LeftoversOfAnInterruptedSaveGoWithTheNextSave) {
    // What saves killed between the temporary file and the rename leave, and files that only
    // look alike: those stay.
    const std::vector<std::string> leftovers = {".game.sav.AbC123", ".game.sav.zz9ZZ0"};
    const std::vector<std::string> others = {".game.sav.bak", ".game.sav.AbC1234", ".game.sav.AbC12",
                                             ".game.sav.AB-123", "game.sav.AbC123", ".other.sav.AbC123"};
    for (const auto& n : leftovers) writeRaw(n, {1, 2});
    for (const auto& n : others) writeRaw(n, {3});
    // A save that fails takes nothing away.
    ASSERT_TRUE(createDir(at("game.sav")));
    EXPECT_FALSE(saveBytes({9}, at("game.sav")));
    ASSERT_TRUE(deletePath(at("game.sav")));
    std::vector<std::string> names;
    ASSERT_TRUE(readDir(dir, names));
    EXPECT_EQ(names.size(), leftovers.size() + others.size());

    ASSERT_TRUE(saveBytes({7, 7, 7}, at("game.sav")));
    EXPECT_EQ(readRaw("game.sav"), (Bytes{7, 7, 7}));
    names.clear();
    ASSERT_TRUE(readDir(dir, names));
    std::sort(names.begin(), names.end());
    std::vector<std::string> expected = others;
    expected.push_back("game.sav");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names, expected);
}

TEST_F(FilesTest, FailedSaveKeepsOldFile) {
    ASSERT_TRUE(saveText("old progress", at("settings.txt")));

    // The write cannot complete: the file size limit is hit half way.
    struct rlimit old;
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    bool saved = saveText(std::string(1000, 'n'), at("settings.txt"));
    ::setrlimit(RLIMIT_FSIZE, &old);
    ::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(saved);

    std::string s;
    ASSERT_TRUE(loadText(at("settings.txt"), s));
    EXPECT_EQ(s, "old progress");
    std::vector<std::string> names;
    ASSERT_TRUE(readDir(dir, names));
    EXPECT_EQ(names, std::vector<std::string>{"settings.txt"});

    // A read-only folder refuses the temporary file (root ignores permissions).
    if (::geteuid() != 0) {
        ASSERT_EQ(::chmod(dir.c_str(), 0555), 0);
        EXPECT_FALSE(saveText("new progress", at("settings.txt")));
        ::chmod(dir.c_str(), 0755);
        ASSERT_TRUE(loadText(at("settings.txt"), s));
        EXPECT_EQ(s, "old progress");
    }
}

TEST_F(FilesTest, FoldersAndPaths) {
    EXPECT_EQ(fileType(dir), FILETYPE_DIR);
    EXPECT_EQ(fileType(at("none")), FILETYPE_NONE);
    EXPECT_EQ(fileType(""), FILETYPE_NONE);
    writeRaw("a.txt", {'1'});
    EXPECT_EQ(fileType(at("a.txt")), FILETYPE_FILE);

    ASSERT_TRUE(createDir(at("sub")));
    EXPECT_TRUE(createDir(at("sub")));  // already there
    EXPECT_FALSE(createDir(at("a.txt")));
    EXPECT_FALSE(createDir(at("x/y")));
    writeRaw("sub/b.png", {'2'});
    ASSERT_TRUE(createDir(at("sub/deeper")));
    writeRaw("sub/deeper/c", {'3'});

    std::vector<std::string> names;
    ASSERT_TRUE(readDir(dir, names));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"a.txt", "sub"}));
    EXPECT_FALSE(readDir(at("none"), names));
    EXPECT_TRUE(names.empty());

    ASSERT_TRUE(renamePath(at("sub"), at("images")));
    EXPECT_EQ(fileType(at("images/deeper/c")), FILETYPE_FILE);
    EXPECT_FALSE(renamePath(at("none"), at("other")));
    EXPECT_TRUE(deletePath(at("images")));
    EXPECT_EQ(fileType(at("images")), FILETYPE_NONE);
    EXPECT_FALSE(deletePath(at("images")));
    EXPECT_TRUE(deletePath(at("a.txt")));
    ASSERT_TRUE(readDir(dir, names));
    EXPECT_TRUE(names.empty());
}

TEST(FilePaths, StripExtractAndAppLocation) {
    EXPECT_EQ(stripDir("a/b/c.png"), "c.png");
    EXPECT_EQ(stripDir("c.png"), "c.png");
    EXPECT_EQ(stripDir("a/b/"), "");
    EXPECT_EQ(extractExt("a/b/c.png"), "png");
    EXPECT_EQ(extractExt("a.d/font"), "");
    EXPECT_EQ(extractExt("x.tar.gz"), "gz");
    EXPECT_EQ(extractDir("a/b/c.png"), "a/b");
    EXPECT_EQ(extractDir("c.png"), "");
    EXPECT_EQ(extractDir("/c.png"), "/");

    EXPECT_EQ(appFile(), "tarn_tests");
    EXPECT_EQ(appDir().front(), '/');
    EXPECT_EQ(fileType(appDir() + "/" + appFile()), FILETYPE_FILE);
}
