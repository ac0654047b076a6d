// Application object: start-up order, version, terminate recording and the image cache.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <csignal>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>

#include "platform/files.h"
#include "platform/image.h"
#include "platform/testing.h"
#include "support/kit_test.h"
#include "vostrel/kz_button.h"
#include "vostrel/kz_event.h"
#include "vostrel/kz_systemui2.h"
#include "vostrel/resourcemanager.h"
#include "vostrel/screenmanager.h"
#include "vostrel/soundmanager.h"
#include "vostrel/vostrel_display.h"
#include "vostrel/vostrel_io.h"
#include "vostrel/vostrelframework.h"

namespace fs = std::filesystem;

namespace {

using kit::writePng;

std::string headOf(const fs::path& p, size_t n) {
    std::ifstream in(p, std::ios::binary);
    std::string s(n, '\0');
    in.read(s.data(), std::streamsize(n));
    s.resize(size_t(in.gcount()));
    return s;
}
// What builds leave beside the cache ("images.part-...", "images.old-..."): none once a start is done.
std::vector<std::string> buildLeftovers(const fs::path& assets) {
    std::vector<std::string> found;
    for (const auto& e : fs::directory_iterator(assets))
        if (e.path().filename().string().rfind("images.", 0) == 0) found.push_back(e.path().filename().string());
    return found;
}

const std::string PNG_MAGIC = "\x89PNG";
const std::string JPEG_MAGIC = "\xFF\xD8\xFF";

class FrameworkTest : public kit::ScreenTest {
protected:
    void SetUp() override {
        kit::offscreen();
        fs::create_directories(root / "assets");
    }
    // A small "original" tree with a sub-folder, an upper-case PNG and a file without extension.
    void makeOriginal() {
        writePng(root / "assets/original/logo.png", 20, 10);
        writePng(root / "assets/original/aircraft/md-11.png", 70, 48);
        writePng(root / "assets/original/aircraft/LOUD.PNG", 8, 8);
        writePng(root / "assets/original/screens/score_board/noext", 6, 4);
    }
    kit::Scratch scratch{"framework"};
    const fs::path root = scratch.enter();
};

}  // namespace

TEST_F(FrameworkTest, VersionIsEmptyUntilSet) {
    auto fw = VostrelFramework::Create();
    EXPECT_EQ(fw, vostrel);
    EXPECT_EQ(fw->getVersion(), "");
    fw->setVersion("1.51");
    EXPECT_EQ(vostrel->getVersion(), "1.51");
    EXPECT_EQ(fw->screen, nullptr);
    EXPECT_EQ(fw->io, nullptr);
    try {
        VostrelFramework extra;
        FAIL() << "a second framework object was built";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Cannot create multiple instances of Singleton Type");
    }
}

TEST_F(FrameworkTest, InitAppCreatesAndWiresEveryService) {
    ScreenManager::setDrawScale(1.0f);
    auto fw = VostrelFramework::Create();
    fw->initApp(800, 480, 30, 0);
    EXPECT_EQ(fw->ui, KZ_systemUI2::GetInstance());
    EXPECT_EQ(fw->io, Vostrel_IO::GetInstance());
    EXPECT_EQ(fw->resource, ResourceManager::GetInstance());
    EXPECT_EQ(fw->screen, ScreenManager::GetInstance());
    EXPECT_EQ(fw->audio, SoundManager::GetInstance());
    ASSERT_NE(fw->display, nullptr);
    EXPECT_EQ(fw->display->getWidth(), 800);
    EXPECT_EQ(fw->display->getHeight(), 480);
    EXPECT_EQ(fw->display->getFps(), 30);
    EXPECT_EQ(fw->screen->getWidth(), 800);
    EXPECT_EQ(fw->screen->getHeight(), 480);
    EXPECT_EQ(fw->screen->getFps(), 30);
    fw->update();
    fw->update();
    EXPECT_EQ(fw->screen->getFrameCount(), 2);
    // The shared text drawer comes once the bitmap font is registered.
    EXPECT_EQ(fw->screen->text_norm, nullptr);
    fw->resource->addImageFont("font", "KZ_default", 30, 30, 2);
    fw->screen->initFont();
    EXPECT_NE(fw->screen->text_norm, nullptr);
}

TEST_F(FrameworkTest, OnTerminateRecordsOnlyAnActiveGame) {
    auto fw = VostrelFramework::Create();
    fw->onTerminate();  // nothing wired: nothing to record
    std::vector<std::string> calls;
    int status = -1;
    fw->setRunningGameHooks({[&] { calls.push_back("status"); return status; },
                             [&] { calls.push_back("score"); }, [&] { calls.push_back("save"); }});
    for (int s : {-1, 0, 1}) {
        status = s;
        calls.clear();
        fw->onTerminate();
        EXPECT_EQ(calls, std::vector<std::string>{"status"}) << s;
    }
    status = 2;
    calls.clear();
    fw->onTerminate();
    EXPECT_EQ(calls, (std::vector<std::string>{"status", "score", "save"}));
}

TEST_F(FrameworkTest, FirstStartBuildsTheImageCacheFromOriginal) {
    makeOriginal();
    auto fw = VostrelFramework::Create();
    const std::string out = captureStdout([&] { fw->initApp(800, 480, 30, 0); });
    // Every file's path is printed, and the tree is reproduced.
    for (const char* p : {"assets/original/logo.png", "assets/original/aircraft/md-11.png",
                          "assets/original/aircraft/LOUD.PNG", "assets/original/screens/score_board/noext"})
        EXPECT_NE(out.find(std::string(p) + "\n"), std::string::npos) << p << " in\n" << out;
    EXPECT_TRUE(fs::is_directory(root / "assets/images/screens/score_board"));
    EXPECT_EQ(headOf(root / "assets/images/logo.png", 4), PNG_MAGIC);
    EXPECT_EQ(headOf(root / "assets/images/aircraft/md-11.png", 4), PNG_MAGIC);
    // Only a lower-case "png" stays PNG; the rest become JPEG data under their own names.
    EXPECT_EQ(headOf(root / "assets/images/aircraft/LOUD.PNG", 3), JPEG_MAGIC);
    EXPECT_EQ(headOf(root / "assets/images/screens/score_board/noext", 3), JPEG_MAGIC);
    auto md11 = plat::loadPixels((root / "assets/images/aircraft/md-11.png").string());
    ASSERT_NE(md11, nullptr);
    EXPECT_EQ(md11->width, 70);
    EXPECT_EQ(md11->height, 48);
    EXPECT_EQ(md11->readPixel(3, 3), plat::argb(255, 10, 200, 30));
    EXPECT_FALSE(fs::exists(root / "assets/images.part"));
    // The registry then finds them.
    ResourceManager::GetInstance()->addImage("aircraft/md-11.png", "MD-11", 0);
    EXPECT_NE(ResourceManager::GetInstance()->retrieveImage("MD-11"), nullptr);
}

TEST_F(FrameworkTest, SecondStartLeavesTheCacheAlone) {
    makeOriginal();
    std::ofstream(root / "assets/original/aircraft/readme.txt") << "never cached";
    auto display = std::make_shared<Vostrel_display>();
    captureStdout([&] { display->resizeAssets("assets/original", "assets/images"); });
    // A rebuild would replace the whole tree and lose this.
    std::ofstream(root / "assets/images/marker") << "kept";
    auto fw = VostrelFramework::Create();
    const std::string out = captureStdout([&] { fw->initApp(800, 480, 30, 0); });
    EXPECT_EQ(out, "");
    EXPECT_TRUE(fs::exists(root / "assets/images/marker"));
}

TEST_F(FrameworkTest, ADamagedCacheIsRebuilt) {
    struct Case {
        const char* what;
        std::function<void()> damage;
    };
    const std::vector<Case> cases = {
        {"a plain file named images", [&] { std::ofstream(root / "assets/images") << "not a folder"; }},
        {"an empty cache", [&] { fs::create_directories(root / "assets/images"); }},
        {"a picture missing in a sub-folder", [&] {
             auto display = std::make_shared<Vostrel_display>();
             captureStdout([&] { display->resizeAssets("assets/original", "assets/images"); });
             fs::remove(root / "assets/images/aircraft/md-11.png");
         }},
        {"a sub-folder in place of a picture", [&] {
             auto display = std::make_shared<Vostrel_display>();
             captureStdout([&] { display->resizeAssets("assets/original", "assets/images"); });
             fs::remove(root / "assets/images/logo.png");
             fs::create_directories(root / "assets/images/logo.png");
         }},
        {"a link that points nowhere", [&] { fs::create_directory_symlink(root / "gone", root / "assets/images"); }},
    };
    makeOriginal();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SingletonRegistry::resetAllForTests();
        kit::offscreen();
        fs::remove_all(root / "assets/images");
        c.damage();
        auto fw = VostrelFramework::Create();
        captureStdout([&] { fw->initApp(800, 480, 30, 0); });
        EXPECT_TRUE(fs::is_regular_file(root / "assets/images/logo.png"));
        EXPECT_TRUE(fs::is_regular_file(root / "assets/images/aircraft/md-11.png"));
        EXPECT_TRUE(fs::is_regular_file(root / "assets/images/screens/score_board/noext"));
        EXPECT_FALSE(fs::is_symlink(root / "assets/images"));
        EXPECT_EQ(buildLeftovers(root / "assets"), std::vector<std::string>{});
    }
}

TEST_F(FrameworkTest, CacheIsScaledByTheDrawScale) {
    makeOriginal();
    ScreenManager::setDrawScale(0.5f);
    auto display = std::make_shared<Vostrel_display>();
    captureStdout([&] { display->resizeAssets("assets/original", "assets/images"); });
    auto md11 = plat::loadPixels((root / "assets/images/aircraft/md-11.png").string());
    ASSERT_NE(md11, nullptr);
    EXPECT_EQ(md11->width, 35);
    EXPECT_EQ(md11->height, 24);
    auto tiny = plat::loadPixels((root / "assets/images/screens/score_board/noext").string());
    ASSERT_NE(tiny, nullptr);
    EXPECT_EQ(tiny->width, 3);
    EXPECT_EQ(tiny->height, 2);
    // A picture that the scale truncates to nothing keeps one pixel instead of failing the cache.
    writePng(root / "assets/original/dot.png", 1, 1);
    fs::remove_all(root / "assets/images");
    captureStdout([&] { display->resizeAssets("assets/original", "assets/images"); });
    auto dot = plat::loadPixels((root / "assets/images/dot.png").string());
    ASSERT_NE(dot, nullptr);
    EXPECT_EQ(dot->width, 1);
    EXPECT_EQ(dot->height, 1);
    EXPECT_TRUE(fs::exists(root / "assets/images/aircraft/md-11.png"));
}

TEST_F(FrameworkTest, WhatKilledStartsLeftGoesAtTheNextStart) {
    makeOriginal();
    // A partial tree of a start killed half-way, under this version's name and the earlier one's.
    for (const char* part : {"assets/images.part", "assets/images.part-k1lled"}) {
        writePng(root / part / "logo.png", 1, 1);
        fs::create_directories(root / part / "aircraft");
    }
    auto fw = VostrelFramework::Create();
    captureStdout([&] { fw->initApp(800, 480, 30, 0); });
    EXPECT_EQ(buildLeftovers(root / "assets"), std::vector<std::string>{});
    auto logo = plat::loadPixels((root / "assets/images/logo.png").string());
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->width, 20);
    EXPECT_TRUE(fs::exists(root / "assets/images/aircraft/md-11.png"));
    EXPECT_TRUE(fs::exists(root / "assets/images/aircraft/LOUD.PNG"));

    // With the cache complete, a later start still takes away a killed build and a cache put aside.
    std::ofstream(root / "assets/images/marker") << "kept";
    writePng(root / "assets/images.part-k1lled/logo.png", 1, 1);
    writePng(root / "assets/images.old-k1lled/logo.png", 1, 1);
    SingletonRegistry::resetAllForTests();
    kit::offscreen();
    EXPECT_EQ(captureStdout([&] { VostrelFramework::Create()->initApp(800, 480, 30, 0); }), "");
    EXPECT_EQ(buildLeftovers(root / "assets"), std::vector<std::string>{});
    EXPECT_TRUE(fs::exists(root / "assets/images/marker"));
}

TEST_F(FrameworkTest, FirstStartsAtTheSameTimeAllSucceed) {
    // Enough pictures that the builds overlap.
    auto picture = [](int i) { return "set" + std::to_string(i % 4) + "/p" + std::to_string(i) + ".png"; };
    for (int i = 0; i < 40; ++i)
        writePng(root / "assets/original" / picture(i), 160, 120, plat::argb(255, i * 6, 90, 200 - i * 4));
    for (int round = 0; round < 4; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        fs::remove_all(root / "assets/images");
        int go[2];
        ASSERT_EQ(pipe(go), 0);
        fflush(stdout);
        std::vector<pid_t> starts;
        for (int k = 0; k < 3; ++k) {
            const pid_t pid = fork();
            if (pid == 0) {
                close(go[1]);
                char c;
                if (read(go[0], &c, 1) != 0) _exit(3);  // all begin together, when the pipe closes
                const int devnull = open("/dev/null", O_WRONLY);
                dup2(devnull, STDOUT_FILENO);
                VostrelFramework::Create()->initApp(800, 480, 30, 0);
                // A picture that cannot be registered ends the start with exit 1.
                for (int i = 0; i < 40; ++i) ResourceManager::GetInstance()->addImage(picture(i), "p", 0);
                _exit(0);
            }
            starts.push_back(pid);
        }
        close(go[0]);
        close(go[1]);
        for (pid_t pid : starts) {
            int status = 0;
            waitpid(pid, &status, 0);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a start ended with " << status;
        }
        EXPECT_EQ(buildLeftovers(root / "assets"), std::vector<std::string>{});
        EXPECT_TRUE(fs::is_regular_file(root / "assets/images/set3/p39.png"));
    }
}

TEST_F(FrameworkTest, ANonImageIsReportedAndSkipped) {
    makeOriginal();
    std::ofstream(root / "assets/original/.DS_Store") << "junk";
    std::ofstream(root / "assets/original/aircraft/readme.txt") << "notes";
    auto display = std::make_shared<Vostrel_display>();
    const std::string out = captureStdout([&] { display->resizeAssets("assets/original", "assets/images"); });
    EXPECT_NE(out.find("assets/original/.DS_Store is not an image and was skipped\n"), std::string::npos) << out;
    EXPECT_NE(out.find("assets/original/aircraft/readme.txt is not an image and was skipped\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(root / "assets/images/.DS_Store"));
    EXPECT_FALSE(fs::exists(root / "assets/images/aircraft/readme.txt"));
    EXPECT_TRUE(fs::exists(root / "assets/images/aircraft/md-11.png"));
    EXPECT_TRUE(fs::exists(root / "assets/images/logo.png"));
}

TEST_F(FrameworkTest, AFailedWriteLeavesNoCacheBehind) {
    makeOriginal();
    // Noise does not compress: this one cannot be written under the file-size limit below.
    plat::PixelBuffer noise(200, 200, plat::PF_RGBA);
    for (size_t i = 0; i < noise.pixels.size(); ++i) noise.pixels[i] = uint32_t(i * 2654435761u) | 0xFF000000u;
    ASSERT_TRUE(plat::savePNG(noise, (root / "assets/original/zz_noise.png").string(), 5));
    fflush(stdout);
    pid_t pid = fork();
    if (pid == 0) {
        signal(SIGXFSZ, SIG_IGN);
        struct rlimit lim = {4096, 4096};
        setrlimit(RLIMIT_FSIZE, &lim);
        int devnull = open("/dev/null", O_WRONLY);
        dup2(devnull, STDOUT_FILENO);
        Vostrel_display display;
        display.resizeAssets("assets/original", "assets/images");
        _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_FALSE(fs::exists(root / "assets/images"));
    EXPECT_FALSE(fs::exists(root / "assets/images.part"));
    // With room to write, the next start builds it whole.
    auto fw = VostrelFramework::Create();
    captureStdout([&] { fw->initApp(800, 480, 30, 0); });
    EXPECT_TRUE(fs::exists(root / "assets/images/zz_noise.png"));
    EXPECT_TRUE(fs::exists(root / "assets/images/logo.png"));
}

TEST_F(FrameworkTest, MissingOriginalIsReported) {
    auto display = std::make_shared<Vostrel_display>();
    const std::string out = captureStdout([&] { display->resizeAssets("assets/original", "assets/images"); });
    EXPECT_EQ(out, "Could not open the assets/original folder\n");
    EXPECT_FALSE(fs::exists(root / "assets/images"));
}

namespace {
std::vector<int> framesOf(const std::vector<std::string>& log, const std::string& prefix) {
    std::vector<int> out;
    for (const auto& e : log)
        if (e.rfind(prefix + "@", 0) == 0) out.push_back(std::stoi(e.substr(prefix.size() + 1)));
    return out;
}
}  // namespace

TEST_F(FrameworkTest, ButtonClickSwitchesScreensOnTheFramesOfTheFade) {
    fs::create_directories(root / "assets/images");
    auto fw = VostrelFramework::Create();
    fw->initApp(800, 480, 30, 0);
    std::vector<std::string> log;
    auto a = std::make_shared<kit::RecordingScreen>(1, "1:", &log);
    auto b = std::make_shared<kit::RecordingScreen>(2, "2:", &log);
    a->next = b;
    auto picture = plat::Image::create(60, 40, 1);
    auto button = fw->ui->CreateButton(100, 100, picture, KZ_receiver(a), 1);
    fw->screen->switchTo(a, 0, 0.0f);
    plat::testing::setMouse(120, 120);
    for (int i = 0; i < 12; ++i) fw->update();  // fade-in done, pointer over the button
    log.clear();
    plat::testing::tap();
    fw->update();  // frame 13: the press
    fw->update();  // frame 14 = F: the release is queued in the poll, the click delivered in the widget update
    for (int i = 0; i < 25; ++i) fw->update();
    ASSERT_EQ(framesOf(log, "1:click"), std::vector<int>{14});
    // The old screen is still shown in F to F + 10, the new one from F + 11, plain from F + 22.
    const auto aUpdates = framesOf(log, "1:update");
    ASSERT_FALSE(aUpdates.empty());
    EXPECT_EQ(aUpdates.back(), 24);
    EXPECT_EQ(aUpdates.size(), 12u);  // 13 and 14 .. 24
    EXPECT_EQ(framesOf(log, "1:fadeOutEnd"), std::vector<int>{24});
    EXPECT_EQ(framesOf(log, "2:fadeInStart"), std::vector<int>{24});
    EXPECT_EQ(framesOf(log, "2:update").front(), 25);
    EXPECT_EQ(framesOf(log, "2:fadeInEnd"), std::vector<int>{35});
    EXPECT_EQ(fw->screen->getSid(), 2);
    EXPECT_EQ(fw->screen->getPhase(), ScreenManager::NORMAL);
}
