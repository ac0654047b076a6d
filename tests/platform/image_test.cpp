#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/image.h"

using namespace plat;
namespace fs = std::filesystem;

namespace {

// Working files of these tests, kept apart from the pictures meant for a person.
std::string outPath(const std::string& name) {
    const std::string dir = std::string(TARN_TEST_OUT) + "/image-files";
    fs::create_directories(dir);
    return dir + "/" + name;
}

// A picture with distinct colours and a graded alpha ramp.
PixelBuffer testPicture(int w, int h) {
    PixelBuffer b(w, h, PF_RGBA);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.writePixel(x, y, argb((x * 255) / (w - 1), x * 7, y * 11, 200));
    return b;
}

std::vector<char> fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::string& path, const std::vector<char>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

// A 16 x 8 progressive JPEG, red at the top fading to blue at the bottom.
std::vector<char> progressiveJpeg() {
    const std::string hex =
        "ffd8ffdb004300100b0c0e0c0a100e0d0e1211101318281a181616183123251d283a333d3c3933383740485c4e404457"
        "453738506d51575f626768673e4d71797064785c656763ffdb0043011112121815182f1a1a2f63423842636363636363"
        "6363636363636363636363636363636363636363636363636363636363636363636363636363636363636363ffc20011"
        "080008001003012200021101031101ffc4001500010100000000000000000000000000000005ffc40015010101000000"
        "00000000000000000000000305ffda000c0301000210031000000198292fffc400151001010000000000000000000000"
        "0000000012ffda0008010100010502a53fffc400161100030000000000000000000000000000000314ffda0008010301"
        "013f01a187ffc40017110003010000000000000000000000000000031451ffda0008010201013f0195787fffc4001410"
        "0100000000000000000000000000000010ffda0008010100063f023fffc4001410010000000000000000000000000000"
        "0010ffda0008010100013f213fffda000c030100020003000000100bffc4001511010100000000000000000000000000"
        "000061ffda0008010301013f10b3ffc40014110100000000000000000000000000000000ffda0008010201013f102fff"
        "c4001510010100000000000000000000000000000071ffda0008010100013f10a53fffd9";
    std::vector<char> bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) bytes.push_back(char(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}

}  // namespace

TEST(PixelBufferIO, PngRoundTripKeepsSizeAndAlpha) {
    PixelBuffer src = testPicture(37, 21);
    const std::string path = outPath("roundtrip.png");
    ASSERT_TRUE(savePNG(src, path, 5));
    auto back = loadPixels(path);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->width, 37);
    EXPECT_EQ(back->height, 21);
    EXPECT_EQ(back->format, PF_RGBA);
    EXPECT_EQ(back->pixels, src.pixels);
    EXPECT_FALSE(fs::exists(path + ".tmp~"));
}

TEST(PixelBufferIO, RgbBufferSavesWithoutAlpha) {
    auto rgb = createPixels(10, 4);
    ASSERT_NE(rgb, nullptr);
    EXPECT_EQ(rgb->format, PF_RGB);
    EXPECT_EQ(rgb->readPixel(3, 3), 0xFF000000u);
    rgb->writePixel(2, 1, 0x00123456u);  // no alpha to lose in a 24-bit buffer
    EXPECT_EQ(rgb->readPixel(2, 1), 0xFF123456u);
    const std::string path = outPath("rgb.png");
    ASSERT_TRUE(savePNG(*rgb, path, 9));
    auto back = loadPixels(path);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->format, PF_RGB);
    EXPECT_EQ(back->readPixel(2, 1), 0xFF123456u);
}

TEST(PixelBufferIO, JpegRoundTripKeepsSizeAndColour) {
    PixelBuffer src(64, 40, PF_RGB, argb(255, 200, 60, 30));
    const std::string path = outPath("roundtrip.jpg");
    ASSERT_TRUE(saveJPEG(src, path, 75));
    auto back = loadPixels(path);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->width, 64);
    EXPECT_EQ(back->height, 40);
    const uint32_t p = back->readPixel(30, 20);
    EXPECT_EQ(p >> 24, 255u);
    EXPECT_NEAR(int((p >> 16) & 255), 200, 6);
    EXPECT_NEAR(int((p >> 8) & 255), 60, 6);
    EXPECT_NEAR(int(p & 255), 30, 6);
}

TEST(PixelBufferIO, ContentDecidesTheDecoderNotTheName) {
    PixelBuffer src = testPicture(8, 8);
    const std::string path = outPath("png_without_extension");
    ASSERT_TRUE(savePNG(src, path, 5));
    auto back = loadPixels(path);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->pixels, src.pixels);
    const std::string jpgNamedPng = outPath("jpeg_data.png");
    ASSERT_TRUE(saveJPEG(src, jpgNamedPng, 90));
    ASSERT_NE(loadPixels(jpgNamedPng), nullptr);
}

TEST(PixelBufferIO, DamagedFilesFailCleanly) {
    EXPECT_EQ(loadPixels(outPath("does_not_exist.png")), nullptr);
    const std::string png = outPath("good.png"), jpg = outPath("good.jpg");
    ASSERT_TRUE(savePNG(testPicture(120, 90), png, 5));
    ASSERT_TRUE(saveJPEG(testPicture(120, 90), jpg, 80));
    for (const std::string& good : {png, jpg}) {
        const auto bytes = fileBytes(good);
        // Truncated at several points, from inside the header to just before the end.
        for (size_t cut : {size_t(10), size_t(40), bytes.size() / 2, bytes.size() - 3}) {
            const std::string bad = outPath("truncated.bin");
            writeBytes(bad, std::vector<char>(bytes.begin(), bytes.begin() + long(cut)));
            EXPECT_EQ(loadPixels(bad), nullptr) << good << " cut at " << cut;
        }
        // Garbage in the middle of the data.
        auto broken = bytes;
        for (size_t i = broken.size() / 3; i < broken.size() / 3 + 64; ++i) broken[i] = char(i * 37);
        const std::string bad = outPath("scrambled.bin");
        writeBytes(bad, broken);
        EXPECT_EQ(loadPixels(bad), nullptr) << good;
    }
    writeBytes(outPath("text.png"), {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'});
    EXPECT_EQ(loadPixels(outPath("text.png")), nullptr);
}

// The cheap check reads the header only: what it refuses cannot load, and a picture cut short
// after its header passes it (loading still fails then).
TEST(PixelBufferIO, HeaderCheckRefusesWhatHasNoSoundHeader) {
    const std::string png = outPath("head.png"), jpg = outPath("head.jpg");
    ASSERT_TRUE(savePNG(testPicture(120, 90), png, 5));
    ASSERT_TRUE(saveJPEG(testPicture(120, 90), jpg, 80));
    int w = 0, h = 0;
    for (const std::string& good : {png, jpg}) {
        ASSERT_TRUE(readImageHeader(good, w, h)) << good;
        EXPECT_EQ(w, 120);
        EXPECT_EQ(h, 90);
        const auto bytes = fileBytes(good);
        for (size_t cut : {size_t(0), size_t(10), size_t(30)}) {
            writeBytes(outPath("cut.bin"), std::vector<char>(bytes.begin(), bytes.begin() + long(cut)));
            EXPECT_FALSE(readImageHeader(outPath("cut.bin"), w, h)) << good << " cut at " << cut;
        }
        writeBytes(outPath("cut.bin"), std::vector<char>(bytes.begin(), bytes.end() - 40));
        EXPECT_TRUE(readImageHeader(outPath("cut.bin"), w, h)) << good;
        EXPECT_EQ(loadPixels(outPath("cut.bin")), nullptr) << good;
    }
    EXPECT_FALSE(readImageHeader(outPath("does_not_exist.png"), w, h));
    writeBytes(outPath("text.png"), {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'});
    EXPECT_FALSE(readImageHeader(outPath("text.png"), w, h));
}

// A progressive file has its whole coefficient store allocated before the first line comes
// out, so a size claimed in a damaged header must be refused before decoding starts.
TEST(PixelBufferIO, ProgressiveJpegDecodesAndAHugeClaimedSizeIsRefused) {
    std::vector<char> bytes = progressiveJpeg();
    const std::string path = outPath("progressive.jpg");
    writeBytes(path, bytes);
    auto px = loadPixels(path);
    ASSERT_NE(px, nullptr);
    EXPECT_EQ(px->width, 16);
    EXPECT_EQ(px->height, 8);
    const uint32_t top = px->readPixel(8, 0), bottom = px->readPixel(8, 7);
    EXPECT_GT((top >> 16) & 255, top & 255);
    EXPECT_GT(bottom & 255, (bottom >> 16) & 255);

    // The frame header (FF C2) claims 65000 x 65000 pixels over the same few hundred bytes.
    size_t sof = 0;
    while (sof + 1 < bytes.size() && !(bytes[sof] == char(0xFF) && bytes[sof + 1] == char(0xC2))) ++sof;
    ASSERT_LT(sof + 9, bytes.size());
    for (size_t at : {sof + 5, sof + 7}) {
        bytes[at] = char(65000 >> 8);
        bytes[at + 1] = char(65000 & 255);
    }
    writeBytes(path, bytes);
    EXPECT_EQ(loadPixels(path), nullptr);
    EXPECT_EQ(Image::load(path), nullptr);
    int w = 0, h = 0;
    EXPECT_FALSE(readImageHeader(path, w, h));
}

TEST(PixelBufferIO, SaveIntoMissingFolderFails) {
    EXPECT_FALSE(savePNG(testPicture(4, 4), outPath("no/such/folder/x.png"), 5));
    EXPECT_FALSE(saveJPEG(testPicture(4, 4), outPath("no/such/folder/x.jpg"), 75));
    EXPECT_FALSE(savePNG(PixelBuffer(), outPath("empty.png"), 5));
}

// Pictures are saved the way every file is: whole, through a temporary file, keeping the
// old file's permissions, and leaving nothing else behind.
TEST(PixelBufferIO, SaveReplacesThePictureWholeAndLeavesNothingElse) {
    const std::string dir = outPath("replace");
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string path = dir + "/bgd.png";
    ASSERT_TRUE(savePNG(testPicture(64, 32), path, 5));
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(saveJPEG(testPicture(16, 8), path, 75));  // JPEG data under a .png name
    auto px = loadPixels(path);
    ASSERT_NE(px, nullptr);
    EXPECT_EQ(px->width, 16);
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_directories(dir + "/folder.png");
    EXPECT_FALSE(savePNG(testPicture(4, 4), dir + "/folder.png", 5));
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"bgd.png", "folder.png"}));
}

TEST(PixelBufferResize, AveragesWhenShrinkingAndKeepsAlpha) {
    PixelBuffer src(4, 2, PF_RGBA);
    // Left half opaque red, right half fully transparent (its colour must not bleed in).
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) src.writePixel(x, y, x < 2 ? argb(255, 255, 0, 0) : argb(0, 0, 255, 0));
    auto half = resizePixels(src, 2, 1);
    ASSERT_NE(half, nullptr);
    EXPECT_EQ(half->format, PF_RGBA);
    EXPECT_EQ(half->readPixel(0, 0), argb(255, 255, 0, 0));
    EXPECT_EQ(half->readPixel(1, 0) >> 24, 0u);
    auto one = resizePixels(src, 1, 1);
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(one->readPixel(0, 0), argb(128, 255, 0, 0));  // half covered, pure red
}

TEST(PixelBufferResize, SizesBeyondAnyPictureAreRefused) {
    const PixelBuffer src(4, 4, PF_RGBA, argb(255, 1, 2, 3));
    EXPECT_EQ(resizePixels(src, 100000, 100000), nullptr);
    EXPECT_EQ(createPixels(1 << 20, 1 << 20), nullptr);
    EXPECT_EQ(Image::create(4096, 4096, 1 << 30), nullptr);
    auto big = resizePixels(src, 4096, 4096);  // the largest allowed
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(big->readPixel(4095, 4095), argb(255, 1, 2, 3));
}

TEST(PixelBufferResize, EnlargesSmoothlyAndKeepsSize) {
    PixelBuffer src(2, 1, PF_RGB);
    src.writePixel(0, 0, argb(255, 0, 0, 0));
    src.writePixel(1, 0, argb(255, 200, 200, 200));
    auto big = resizePixels(src, 8, 3);
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(big->width, 8);
    EXPECT_EQ(big->height, 3);
    EXPECT_EQ(big->format, PF_RGB);
    EXPECT_EQ(big->readPixel(0, 1), argb(255, 0, 0, 0));
    EXPECT_EQ(big->readPixel(7, 1), argb(255, 200, 200, 200));
    int prev = -1;
    for (int x = 0; x < 8; ++x) {
        int v = int((big->readPixel(x, 2) >> 16) & 255);
        EXPECT_GE(v, prev);
        prev = v;
    }
    // Same size is an exact copy; a size that truncated to nothing still gives one pixel.
    EXPECT_EQ(resizePixels(src, 2, 1)->pixels, src.pixels);
    auto tiny = resizePixels(src, 0, 0);
    ASSERT_NE(tiny, nullptr);
    EXPECT_EQ(tiny->width, 1);
    EXPECT_EQ(tiny->height, 1);
}

TEST(ImageFrames, CellsCutLeftToRightThenTopToBottom) {
    // A 3 x 2 grid of 5 x 4 cells, each cell filled with its own index as the blue value.
    PixelBuffer strip(15, 8, PF_RGBA);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 15; ++x) strip.writePixel(x, y, argb(255, 0, 0, (y / 4) * 3 + x / 5));
    const std::string path = outPath("strip.png");
    ASSERT_TRUE(savePNG(strip, path, 5));
    auto img = Image::load(path, 5, 4, 1, 4);
    ASSERT_NE(img, nullptr);
    EXPECT_EQ(img->width(), 5);
    EXPECT_EQ(img->height(), 4);
    ASSERT_EQ(img->frameCount(), 4);
    for (int f = 0; f < 4; ++f) {
        EXPECT_EQ(img->frame(f).readPixel(0, 0), argb(255, 0, 0, f + 1)) << f;
        EXPECT_EQ(img->frame(f).readPixel(4, 3), argb(255, 0, 0, f + 1)) << f;
    }
    auto whole = Image::load(path);
    ASSERT_NE(whole, nullptr);
    EXPECT_EQ(whole->width(), 15);
    EXPECT_EQ(whole->frameCount(), 1);
    // More cells than the strip holds is a damaged asset, not a read past its end.
    EXPECT_EQ(Image::load(path, 5, 4, 0, 7), nullptr);
    EXPECT_EQ(Image::load(path, 16, 4, 0, 1), nullptr);
}

TEST(ImageFrames, HandleLockAndUnlock) {
    auto img = Image::create(10, 6, 2);
    ASSERT_NE(img, nullptr);
    EXPECT_EQ(img->handleX(), 0.0f);
    img->midHandle();
    EXPECT_EQ(img->handleX(), 5.0f);
    EXPECT_EQ(img->handleY(), 3.0f);
    auto buf = img->lockFrame(1);
    ASSERT_NE(buf, nullptr);
    buf->writePixel(2, 2, 0xFF00FF00u);
    EXPECT_EQ(img->frame(1).readPixel(2, 2), 0u);  // a copy until written back
    img->unlockFrame(1, *buf);
    EXPECT_EQ(img->frame(1).readPixel(2, 2), 0xFF00FF00u);
    img->unlockFrame(1, PixelBuffer(3, 3));  // wrong size: ignored
    EXPECT_EQ(img->frame(1).width, 10);
    EXPECT_EQ(img->lockFrame(2), nullptr);
}

TEST(ImageFrames, GrabCopiesTheCanvasPicture) {
    // The pause view grabs the last frame before the next one is cleared.
    canvas().clear(argb(255, 10, 20, 30));
    canvas().pixels().writePixel(799, 479, argb(255, 200, 100, 50));
    auto shot = Image::create(800, 480);
    ASSERT_NE(shot, nullptr);
    shot->grab(0, 0);
    EXPECT_EQ(shot->frame(0).readPixel(5, 5), argb(255, 10, 20, 30));
    EXPECT_EQ(shot->frame(0).readPixel(799, 479), argb(255, 200, 100, 50));
    auto corner = Image::create(4, 4);
    corner->grab(798, 478);
    EXPECT_EQ(corner->frame(0).readPixel(1, 1), argb(255, 200, 100, 50));
    EXPECT_EQ(corner->frame(0).readPixel(3, 3), argb(255, 0, 0, 0));  // off the canvas
}
