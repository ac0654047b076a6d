// The tests' part of the harness kit (kit.h has the rest): a stand-in screen that notes what
// it hears, and the helpers the screen tests share.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "imports/object.h"
#include "platform/canvas.h"
#include "platform/image.h"
#include "platform/testing.h"
#include "platform/window.h"
#include "support/kit.h"
#include "vostrel/kz_systemui2.h"
#include "vostrel/inf_screenmanager.h"
#include "vostrel/kz_event.h"
#include "vostrel/screenmanager.h"

namespace kit {

// A screen that notes each handler it hears as prefix + event + "@" + the screen manager's
// frame count ("A:down 10,20@3", "2:fadeInStart@24"): the input events, the frame's update
// and render, the fades, as `heard` says. Into its own `log`, or into `shared` when given, so
// that several screens note into one order. A click from any of its widgets is noted too and
// switches to `next`, when there is one.
class RecordingScreen : public inf_screenManager {
public:
    enum Heard { INPUT = 1, FRAME = 2, FADES = 4, ALL = 7 };

    explicit RecordingScreen(int id = 0, std::string prefix = "", std::vector<std::string>* shared = nullptr,
                             int heard = ALL)
        : _prefix(std::move(prefix)), _to(shared ? shared : &log), _heard(heard) {
        _id = id;
    }

    int update() override {
        note(FRAME, "update");
        if (onUpdate) onUpdate();
        return 0;
    }
    int render() override {
        note(FRAME, "render");
        if (onRender) onRender();
        return 0;
    }
    int onFadeInStart() override { return note(FADES, "fadeInStart"); }
    int onFadeInEnd() override { return note(FADES, "fadeInEnd"); }
    int onFadeOutStart() override { return note(FADES, "fadeOutStart"); }
    int onFadeOutEnd() override { return note(FADES, "fadeOutEnd"); }
    int onMouseMove(int x, int y) override { return note(INPUT, "move " + xy(x, y)); }
    int onMouseUp(int x, int y) override { return note(INPUT, "up " + xy(x, y)); }
    int onMouseDown(int x, int y) override { return note(INPUT, "down " + xy(x, y)); }
    int onKeyPress(int key) override { return note(INPUT, "key " + std::to_string(key)); }
    int onDragStart(int x, int y) override { return note(INPUT, "dragStart " + xy(x, y)); }
    int onDrag(int x, int y) override { return note(INPUT, "drag " + xy(x, y)); }
    int onDragStop(int x, int y) override { return note(INPUT, "dragStop " + xy(x, y)); }
    int SendMessage(const std::shared_ptr<Object>& message, const std::shared_ptr<Object>&) override {
        auto ev = std::dynamic_pointer_cast<KZ_event>(message);
        if (ev && ev->getId() == KZ_event::ONCLICK && next) {
            note(INPUT, "click");
            ScreenManager::GetInstance()->switchTo(next, 1, 0.0f);
        }
        return 0;
    }

    std::vector<std::string> log;
    std::function<void()> onUpdate, onRender;  // run after the note
    std::shared_ptr<inf_screenManager> next;

private:
    static std::string xy(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
    int note(int kind, const std::string& what) {
        if (_heard & kind)
            _to->push_back(_prefix + what + "@" + std::to_string(ScreenManager::GetInstance()->getFrameCount()));
        return 0;
    }
    std::string _prefix;
    std::vector<std::string>* _to;
    int _heard;
};

// The screens' framework without the start-up, offscreen: the window, the screen manager
// with the widget system, every asset of the game, "normal" as the font in force, white ink.
inline void openScreens() {
    offscreen();
    ASSERT_TRUE(plat::openWindow(800, 480, 30));
    ScreenManager::GetInstance()->init(800, 480, 30, KZ_systemUI2::GetInstance());
    loadAssets();
    plat::setImageFont(ResourceManager::GetInstance()->retrieveFont("normal"));
    plat::setColor(255, 255, 255);
}

// Small files a case writes into its scratch folder, the folders on the way made.
inline void writeFile(const std::filesystem::path& p, const std::string& bytes) {
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << bytes;
}
inline void writePng(const std::filesystem::path& p, int w, int h, uint32_t argb = plat::argb(255, 10, 200, 30)) {
    std::filesystem::create_directories(p.parent_path());
    ASSERT_TRUE(plat::savePNG(plat::PixelBuffer(w, h, plat::PF_RGBA, argb), p.string(), 5));
}
// A mono 16-bit WAV of `frames` samples at 22050 Hz.
inline void writeWav(const std::filesystem::path& p, uint32_t frames = 2205) {
    std::string b = "RIFF";
    auto put = [&b](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) b += char((v >> (8 * i)) & 0xFF);
    };
    put(36 + frames * 2, 4);
    b += "WAVEfmt ";
    put(16, 4), put(1, 2), put(1, 2), put(22050, 4), put(44100, 4), put(2, 2), put(16, 2);
    b += "data";
    put(frames * 2, 4);
    for (uint32_t i = 0; i < frames; ++i) put((i % 50) * 300, 2);
    writeFile(p, b);
}

// The screen a switch is heading for, read before any frame runs it.
struct ScreenManagerPeek : ScreenManager {
    static ScreenPtr incoming(const ScreenManager& sm) { return static_cast<const ScreenManagerPeek&>(sm)._in; }
};
inline ScreenPtr incoming(const ScreenManager& sm) { return ScreenManagerPeek::incoming(sm); }

// The helpers the screen fixtures' cases share.
class ScreenTest : public ::testing::Test {
protected:
    static std::shared_ptr<ScreenManager> sm() { return ScreenManager::GetInstance(); }
    // A click on `button` as its widget delivers it to the screen that owns it.
    static void click(Object& screen, const std::shared_ptr<Object>& button) {
        screen.SendMessage(KZ_event::Create(KZ_event::ONCLICK), button);
    }
    static uint32_t pixel(int x, int y) { return plat::canvas().pixels().readPixel(x, y); }
    // Saves the canvas as `name`.png in the test output folder; the path, for a failure message.
    static std::string savePng(const std::string& name) {
        std::filesystem::create_directories(TARN_TEST_OUT);
        const std::string out = std::string(TARN_TEST_OUT) + "/" + name + ".png";
        EXPECT_TRUE(plat::testing::saveCanvas(out)) << out;
        return out;
    }
    // Standard output written while fn runs.
    static std::string captureStdout(const std::function<void()>& fn) {
        std::fflush(stdout);
        testing::internal::CaptureStdout();
        fn();
        std::fflush(stdout);
        return testing::internal::GetCapturedStdout();
    }
};

}  // namespace kit
