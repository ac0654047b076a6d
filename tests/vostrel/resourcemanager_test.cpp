// The asset registry: folders, registration and lookup by kind, fatal messages, files.
#include "support/child_process.h"
#include "support/kit_test.h"
#include "support/unwritable.h"
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "platform/files.h"
#include "platform/image.h"
#include "vostrel/resourcemanager.h"

namespace fs = std::filesystem;

namespace {

// Runs fn in a forked child with its standard output captured; returns the exit status
// (-1 when the child did not exit normally) and what it printed.

using kit::writeFile;
using kit::writePng;

// Each test runs in a fresh temporary working directory holding an "assets" tree.
class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(root / "assets" / "images");
        fs::create_directories(root / "assets" / "fonts");
        fs::create_directories(root / "assets" / "audio");
    }
    kit::Scratch scratch{"registry"};
    const fs::path root = scratch.enter();
};

}  // namespace

TEST_F(RegistryTest, FoldersWithoutTheBundleFlagAreRelativeToTheWorkingDirectory) {
    auto rm = ResourceManager::GetInstance();
    EXPECT_EQ(rm->getBasePath(), "assets/");
    EXPECT_EQ(ResourceManager::_imagePath, "assets/images/");
    EXPECT_EQ(ResourceManager::_fontPath, "assets/fonts/");
    EXPECT_EQ(ResourceManager::_audioPath, "assets/audio/");
    EXPECT_EQ(ResourceManager::_textPath, "assets/");
    EXPECT_EQ(ResourceManager::videoPath, "video/");
    EXPECT_EQ(rm->fontChar, (std::vector<std::string>{"A", "B"}));
}

TEST_F(RegistryTest, TheBundleFlagPutsTheAssetsBesideTheExecutable) {
    ResourceManager::setMacReleaseCompile(1);
    auto rm = ResourceManager::GetInstance();
    const std::string app = plat::appDir() + "/";
    EXPECT_EQ(ResourceManager::_appPath, app);
    EXPECT_EQ(rm->getBasePath(), app + "assets/");
    EXPECT_EQ(ResourceManager::_imagePath, app + "assets/images/");
    // Setting the flag later changes nothing: the folders were fixed at creation.
    ResourceManager::setMacReleaseCompile(0);
    EXPECT_EQ(ResourceManager::GetInstance()->getBasePath(), app + "assets/");
}

TEST_F(RegistryTest, SecondConstructionIsRefused) {
    ResourceManager::GetInstance();
    try {
        ResourceManager extra;
        FAIL() << "a second registry was built";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Cannot create multiple instances of Singleton Type");
    }
}

TEST_F(RegistryTest, ImagesAndStripsRegisterWithTheirHandles) {
    writePng(root / "assets/images/plane.png", 38, 32);
    writePng(root / "assets/images/strip.png", 100, 20);
    auto rm = ResourceManager::GetInstance();
    rm->addImage("plane.png", "plane", 1);
    rm->addSprite("strip.png", "strip", 20, 20, 5, 0);
    auto plane = rm->retrieveImage("plane");
    ASSERT_NE(plane, nullptr);
    EXPECT_EQ(plane->width(), 38);
    EXPECT_FLOAT_EQ(plane->handleX(), 19.0f);
    EXPECT_FLOAT_EQ(plane->handleY(), 16.0f);
    auto strip = rm->retrieveImage("strip");
    ASSERT_NE(strip, nullptr);
    EXPECT_EQ(strip->frameCount(), 5);
    EXPECT_EQ(strip->width(), 20);
    EXPECT_FLOAT_EQ(strip->handleX(), 0.0f);
}

TEST_F(RegistryTest, LookupsOfTheWrongKindGiveNothing) {
    writePng(root / "assets/images/a.png", 4, 4);
    writeFile(root / "assets/data.txt", "hello");
    auto rm = ResourceManager::GetInstance();
    rm->addImage("a.png", "pic", 0);
    rm->addText("data.txt", "words");
    rm->addImageFont("font", "KZ_default", 30, 30, 2);  // missing strip: not fatal
    EXPECT_EQ(rm->retrieveSound("pic"), nullptr);
    EXPECT_EQ(rm->retrieveFont("pic"), nullptr);
    EXPECT_EQ(rm->retrieveImageFont("pic"), nullptr);
    EXPECT_EQ(rm->retrieveText("pic"), "");
    EXPECT_EQ(rm->retrieveImage("words"), nullptr);
    EXPECT_EQ(rm->retrieveImage("KZ_default"), nullptr);
    EXPECT_EQ(rm->retrieveText("absent"), "");
    EXPECT_EQ(rm->retrieveImage("absent"), nullptr);
    EXPECT_EQ(rm->retrieveText("words"), "hello");
    // Keys are exact, case included.
    EXPECT_EQ(rm->retrieveImage("Pic"), nullptr);
}

TEST_F(RegistryTest, RegisteringAKeyAgainKeepsTheSecondAsset) {
    writePng(root / "assets/images/small.png", 4, 4);
    writePng(root / "assets/images/big.png", 9, 7);
    writeFile(root / "assets/t.txt", "text");
    auto rm = ResourceManager::GetInstance();
    rm->addImage("small.png", "key", 0);
    rm->addImage("big.png", "key", 0);
    ASSERT_NE(rm->retrieveImage("key"), nullptr);
    EXPECT_EQ(rm->retrieveImage("key")->width(), 9);
    // Even when the second asset is of another kind.
    rm->addText("t.txt", "key");
    EXPECT_EQ(rm->retrieveImage("key"), nullptr);
    EXPECT_EQ(rm->retrieveText("key"), "text");
}

TEST_F(RegistryTest, ImageFontWithoutItsStripStillMapsBothGlyphs) {
    auto rm = ResourceManager::GetInstance();
    rm->addImageFont("font", "KZ_default", 30, 30, 2);
    auto font = rm->retrieveImageFont("KZ_default");
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->getImage(), nullptr);
    EXPECT_EQ(font->getFrame("A"), 0);
    EXPECT_EQ(font->getFrame("B"), 1);
}

TEST_F(RegistryTest, ImageFontLoadsItsStripFromTheFontFolder) {
    writePng(root / "assets/fonts/font.png", 60, 30);
    fs::rename(root / "assets/fonts/font.png", root / "assets/fonts/font");
    auto rm = ResourceManager::GetInstance();
    rm->addImageFont("font", "KZ_default", 30, 30, 2);
    auto font = rm->retrieveImageFont("KZ_default");
    ASSERT_NE(font, nullptr);
    ASSERT_NE(font->getImage(), nullptr);
    EXPECT_EQ(font->getImage()->frameCount(), 2);
}

TEST_F(RegistryTest, TheDebianTrueTypeFontLoadsAtItsPixelSize) {
    fs::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", root / "assets/fonts/mono.ttf");
    auto rm = ResourceManager::GetInstance();
    rm->addFont("mono.ttf", "normal", 12);
    rm->addFont("mono.ttf", "big font", 20);
    auto normal = rm->retrieveFont("normal");
    auto big = rm->retrieveFont("big font");
    ASSERT_NE(normal, nullptr);
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(normal->pixelSize(), 12);
    EXPECT_EQ(big->pixelSize(), 20);
    // A monospaced face: ten characters are ten advances, about 0.6 em each.
    EXPECT_NEAR(normal->textWidth("0123456789"), 72, 3);
    EXPECT_NEAR(big->textWidth("0123456789"), 120, 3);
    EXPECT_EQ(rm->retrieveImage("normal"), nullptr);
}

TEST_F(RegistryTest, DebianWavAndOggSoundsDecodeToTheirLength) {
    fs::copy_file("/usr/share/sounds/sound-icons/cembalo-1.wav", root / "assets/audio/cembalo.wav");
    fs::copy_file("/usr/share/sounds/freedesktop/stereo/bell.oga", root / "assets/audio/bell.ogg");
    auto rm = ResourceManager::GetInstance();
    rm->addSound("cembalo.wav", "wav", 0);
    rm->addSound("bell.ogg", "ogg", 1);
    auto wav = rm->retrieveSound("wav");
    auto ogg = rm->retrieveSound("ogg");
    ASSERT_NE(wav, nullptr);
    ASSERT_NE(ogg, nullptr);
    EXPECT_FALSE(wav->loop);
    EXPECT_TRUE(ogg->loop);
    // 8683 samples at 16 kHz and 6151 samples at 44.1 kHz, whatever rate they are kept at.
    EXPECT_NEAR(double(wav->frames()) / wav->rate, 8683.0 / 16000.0, 0.002);
    EXPECT_NEAR(double(ogg->frames()) / ogg->rate, 6151.0 / 44100.0, 0.002);
    EXPECT_EQ(rm->retrieveImage("wav"), nullptr);
    // Direct loads are relative to the assets folder, with the loop flag as given.
    auto direct = rm->getDirectSound("audio/bell.ogg", 1);
    ASSERT_NE(direct, nullptr);
    EXPECT_TRUE(direct->loop);
    EXPECT_EQ(rm->getDirectSound("audio/none.ogg", 0), nullptr);
}

TEST_F(RegistryTest, DirectImagesAndTextsAreRelativeToTheAssetsFolder) {
    writePng(root / "assets/images/menu.png", 8, 6);
    writeFile(root / "assets/Stories/speech.txt", "line one\r\nline two");
    auto rm = ResourceManager::GetInstance();
    auto img = rm->getDirectImage("images/menu.png");
    ASSERT_NE(img, nullptr);
    EXPECT_EQ(img->height(), 6);
    EXPECT_EQ(rm->getDirectText("Stories/speech.txt"), "line one\r\nline two");
    // Unlike a registered text, an empty one read by path is simply empty.
    writeFile(root / "assets/empty.txt", "");
    EXPECT_EQ(rm->getDirectText("empty.txt"), "");
}

TEST_F(RegistryTest, EveryMissingAssetIsFatalWithItsMessage) {
    writeFile(root / "assets/empty.txt", "");
    writeFile(root / "assets/images/broken.png", "not a picture");
    struct Case {
        std::function<void()> call;
        std::string message;
    };
    const std::vector<Case> cases = {
        {[] { ResourceManager::GetInstance()->addImage("none.png", "k", 0); },
         "Image none.png could not be found or is damaged\n"},
        {[] { ResourceManager::GetInstance()->addImage("broken.png", "k", 1); },
         "Image broken.png could not be found or is damaged\n"},
        {[] { ResourceManager::GetInstance()->addSprite("birds.png", "k", 64, 64, 8, 0); },
         "Image birds.png could not be found or is damaged\n"},
        {[] { ResourceManager::GetInstance()->getDirectImage("images/logo.png"); },
         "Direct Image assets/images/logo.png could not be found or is damaged\n"},
        {[] { ResourceManager::GetInstance()->addFont("ConsolaMono.ttf", "normal", 12); },
         "Font ConsolaMono.ttf could not be found or is damaged\n"},
        {[] { ResourceManager::GetInstance()->addSound("siren.wav", "danger sound", 1); },
         "Audio siren.wav could not be found or is damaged\n"},
        {[] { ResourceManager::GetInstance()->addText("airports.txt", "airport data"); },
         "String airports.txt could not be found or is damaged\n"},
        {[] { ResourceManager::GetInstance()->addText("empty.txt", "e"); },
         "String empty.txt could not be found or is damaged\n"},
        {[] { ResourceManager::GetInstance()->getFileCount("nowhere"); },
         "Could not open the assets/nowhere folder\n"},
        {[] { ResourceManager::GetInstance()->getDirectText("Stories/none.txt"); },
         "Could not read the file assets/Stories/none.txt\n"},
        {[] { ResourceManager::GetInstance()->getDirectText("images"); },
         "Could not read the file assets/images\n"},
    };
    for (const auto& c : cases) {
        ChildResult r = runInChild(c.call);
        EXPECT_EQ(r.status, 1) << c.message;
        EXPECT_EQ(r.out, c.message);
    }
}

// A save that fails says so with the reason and goes on; the old file stays whole. Four
// ways: a folder in the way, a missing folder, a file nothing may replace, a full disk.
TEST_F(RegistryTest, AFailedSaveIsReportedKeepsTheOldFileAndGoesOn) {
    auto rm = ResourceManager::GetInstance();
    auto save = [&](const std::string& file) {
        testing::internal::CaptureStdout();
        const int rc = rm->SaveTextFile("12\r\n", file);
        return std::make_pair(rc, testing::internal::GetCapturedStdout());
    };
    fs::create_directories(root / "assets/settings.txt");
    EXPECT_EQ(save("settings.txt"), std::make_pair(-1, std::string("String settings.txt could not be be saved: Is a directory\n")));
    EXPECT_TRUE(fs::is_directory(root / "assets/settings.txt"));
    EXPECT_EQ(save("no/such/dir.txt"),
              std::make_pair(-1, std::string("String no/such/dir.txt could not be be saved: No such file or directory\n")));
    fs::remove(root / "assets/settings.txt");

    writeFile(root / "assets/settings.txt", "40\r\n");
    {
        unwritable::Immutable locked((root / "assets/settings.txt").string());
        if (!locked.ok()) GTEST_SKIP() << "this file system cannot mark a file immutable";
        EXPECT_EQ(save("settings.txt"),
                  std::make_pair(-1, std::string("String settings.txt could not be be saved: Operation not permitted\n")));
    }
    std::string back;
    ASSERT_TRUE(plat::loadText("assets/settings.txt", back));
    EXPECT_EQ(back, "40\r\n");

    const fs::path small = root / "assets/small";
    fs::create_directories(small);
    unwritable::FullDisk disk(small.string());
    if (!disk.ok()) GTEST_SKIP() << "no permission to mount a small file system";
    writeFile(small / "settings.txt", "40\r\n");
    disk.fill();
    EXPECT_EQ(save("small/settings.txt"),
              std::make_pair(-1, std::string("String small/settings.txt could not be be saved: No space left on device\n")));
    ASSERT_TRUE(plat::loadText("assets/small/settings.txt", back));
    EXPECT_EQ(back, "40\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(small), fs::directory_iterator()), 2) << "a temporary file was left";
}

TEST_F(RegistryTest, SavedTextsReplaceTheFileWhole) {
    auto rm = ResourceManager::GetInstance();
    writeFile(root / "assets/settings.txt", "a much longer old content that must vanish");
    rm->SaveTextFile("12\r\nscores\r\n0;5000\r\n", "settings.txt");
    std::string back;
    ASSERT_TRUE(plat::loadText("assets/settings.txt", back));
    EXPECT_EQ(back, "12\r\nscores\r\n0;5000\r\n");
    EXPECT_EQ(fs::file_size(root / "assets/settings.txt"), 20u);
    // A character above 255 makes the file UTF-16 little-endian after FF FE.
    rm->SaveTextFile("\xC5\x81", "wide.txt");
    std::ifstream in(root / "assets/wide.txt", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, std::string("\xFF\xFE\x41\x01", 4));
    // No temporary file is left beside it.
    int entries = 0;
    for (auto& e : fs::directory_iterator(root / "assets")) entries += e.is_regular_file() ? 1 : 0;
    EXPECT_EQ(entries, 2);
}

TEST_F(RegistryTest, FileAndFolderTests) {
    auto rm = ResourceManager::GetInstance();
    EXPECT_EQ(rm->textFileExist("settings.txt"), 0);
    fs::create_directories(root / "assets/settings.txt");
    EXPECT_EQ(rm->textFileExist("settings.txt"), 1);  // a folder counts too
    EXPECT_EQ(rm->folderExist("images"), 1);
    EXPECT_EQ(rm->folderExist("original"), 0);
    writeFile(root / "assets/box/a.txt", "a");
    writeFile(root / "assets/box/b.txt", "b");
    fs::create_directories(root / "assets/box/sub");
    EXPECT_EQ(rm->getFileCount("box"), 3);
}

TEST_F(RegistryTest, FileStreamsOpenThePathUnchangedInTheThreeModes) {
    auto rm = ResourceManager::GetInstance();
    EXPECT_EQ(rm->newFileStream("state.bin", 3), nullptr);
    EXPECT_EQ(rm->newFileStream("state.bin", -1), nullptr);
    EXPECT_EQ(rm->newFileStream("missing.bin", ResourceManager::READ), nullptr);
    auto out = rm->newFileStream("state.bin", ResourceManager::WRITE);
    ASSERT_NE(out, nullptr);
    EXPECT_TRUE(out->writeInt(1234));
    out->close();
    EXPECT_TRUE(fs::exists(root / "state.bin"));  // no assets folder prefix
    auto in = rm->newFileStream("state.bin", ResourceManager::READ);
    ASSERT_NE(in, nullptr);
    int32_t v = 0;
    EXPECT_TRUE(in->readInt(v));
    EXPECT_EQ(v, 1234);
    in->close();
    EXPECT_NE(rm->newFileStream("state.bin", ResourceManager::READWRITE), nullptr);
}
