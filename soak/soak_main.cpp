// The soak: the whole game offscreen, through its real start-up and frame, fed random mouse
// and key input for a given number of frames. Made to run under AddressSanitizer and
// UndefinedBehaviorSanitizer: any fault ends it there; a frame that hangs ends it through
// the watchdog; a fatal message of the game ends it with that message. At the end the
// window is asked to close, so the game's own ending (record the running game, save the
// progress file) runs too, and the progress file must read back. A screen the player can
// never leave (its own way back) is a fault as well. Exit status 0 when none was found.
//
//   tarn_soak [frames] [--seed N] [--assets DIR] [--quiet]
//
// The input is random but steered: it clicks the current screen's buttons now and then,
// so every screen is reached, and on the game screen it often presses on an aircraft and
// drags toward a runway, so paths are drawn, accepted and flown to landings. Nothing in
// the game opens the terminal view, so the soak shows it now and then itself.
#include <cxxabi.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <typeinfo>
#include <vector>

#include "screens/constants.h"
#include "game/traffic/aircraft.h"
#include "game/airport/airport.h"
#include "game/traffic/fleetmanager.h"
#include "game/traffic/gameworld.h"
#include "game/airport/runway.h"
#include "imports/kz_boundingbox.h"
#include "screens/loadassets.h"
#include "platform/files.h"
#include "platform/testing.h"
#include "platform/window.h"
#include "screens/menuscreen.h"
#include "screens/terminal.h"
#include "screens/settingsmanager.h"
#include "support/kit.h"
#include "vostrel/kz_systemui2.h"
#include "vostrel/kz_uielement.h"
#include "vostrel/screenmanager.h"
#include "vostrel/vostrelframework.h"

namespace fs = std::filesystem;

namespace {

std::string screenName(const ScreenPtr& s) {
    if (!s) return "(none)";
    const inf_screenManager& ref = *s;
    int status = 0;
    char* name = abi::__cxa_demangle(typeid(ref).name(), nullptr, nullptr, &status);
    std::string out = status == 0 && name ? name : typeid(ref).name();
    std::free(name);
    return out;
}

long rssKb() {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    return -1;
}

extern "C" void onWatchdog(int) {
    static const char msg[] = "soak: a frame took longer than the watchdog allows (hang)\n";
    (void)!write(STDERR_FILENO, msg, sizeof msg - 1);
    _exit(3);
}

class Player {
public:
    explicit Player(unsigned seed) : _rng(seed) {}

    // Sets the input the next frame's poll reads.
    void step() {
        auto sm = ScreenManager::GetInstance();
        if (_hold > 0) {
            _x += _dx;
            _y += _dy;
            // A drag that reaches its target rests there a few frames, as a player does.
            if (_target && std::hypot(_tx - _x, _ty - _y) <= std::hypot(_dx, _dy)) {
                _x = _tx;
                _y = _ty;
                _dx = _dy = 0.0;
                _target = false;
                _hold = std::min(_hold, 4 + pick(8));
            }
            _x = std::clamp(_x, -20.0, 819.0);
            _y = std::clamp(_y, -20.0, 499.0);
            plat::testing::setMouse(int(_x), int(_y));
            if (--_hold == 0) plat::testing::setButton(false);
            return;
        }
        if (_releaseNext) {
            plat::testing::setButton(false);
            _releaseNext = false;
            return;
        }
        const int roll = pick(1000);
        if (roll < 300) {
            _x = std::clamp(_x + pick(41) - 20, 0.0, 799.0);
            _y = std::clamp(_y + pick(41) - 20, 0.0, 479.0);
            plat::testing::setMouse(int(_x), int(_y));
        } else if (roll < 330) {
            _x = pick(800);
            _y = pick(480);
            plat::testing::setMouse(int(_x), int(_y));
        } else if (roll < 360) {
            clickButton();
        } else if (roll < 400) {
            drag(sm->getSid() == Constants::GAME);
        } else if (roll < 410) {
            plat::testing::setMouse(int(_x), int(_y));
            plat::testing::tap();
        } else if (roll < 420) {
            typeKey();
        }
        // Otherwise the player just watches this frame.
    }

private:
    int pick(int n) { return int(_rng() % uint32_t(n)); }

    // Presses on one of the current screen's buttons: released in the next frame, a click.
    void clickButton() {
        auto ui = KZ_systemUI2::GetInstance();
        const int sid = ScreenManager::GetInstance()->getSid();
        std::vector<std::shared_ptr<KZ_UIelement>> shown;
        for (const auto& o : ui->items()) {
            auto w = std::dynamic_pointer_cast<KZ_UIelement>(o);
            if (w && w->_screenID == sid && w->_visibility && w->_enabled && !w->_removed && w->_width > 0)
                shown.push_back(w);
        }
        if (sid == Constants::WORKLOAD && pick(2) == 0) {
            // The grid's cells are no widgets: it hit-tests its releases itself.
            const int cell = pick(8);
            _x = 40 + 187 * (cell % 4) + pick(156);
            _y = 82 + 199 * (cell / 4) + pick(156);
        } else if (!shown.empty()) {
            const auto& w = shown[size_t(pick(int(shown.size())))];
            _x = w->_x + pick(std::max(1, w->_width));
            _y = w->_y + pick(std::max(1, w->_height));
        } else {
            return;
        }
        plat::testing::setMouse(int(_x), int(_y));
        plat::testing::setButton(true);
        _releaseNext = true;
    }

    // Holds the button for a while, moving. On the game screen it mostly starts on an
    // aircraft and heads for a runway's threshold.
    void drag(bool inGame) {
        _target = false;
        double speed = 1.0 + pick(8);
        double angle = pick(360) * M_PI / 180.0;
        _hold = 1 + pick(90);
        if (inGame && pick(10) < 7) {
            auto& list = GameWorld::GetInstance()->getAircraftList();
            if (!list.empty()) {
                const auto& a = list[size_t(pick(int(list.size())))];
                _x = a->GetPosition().x;
                _y = a->GetPosition().y;
                // Mostly a runway of the aircraft's class, aimed at its threshold box.
                std::vector<RunwayPtr> runways;
                for (const auto& rw : Airport::GetInstance()->getRunways())
                    if (rw->getClass() == a->getClass() || pick(5) == 0) runways.push_back(rw);
                if (!runways.empty()) {
                    const auto& box = runways[size_t(pick(int(runways.size())))]->getHotspot1()->getFloatArray();
                    _tx = (box[0] + box[2] + box[4] + box[6]) / 4.0 + pick(11) - 5;
                    _ty = (box[1] + box[3] + box[5] + box[7]) / 4.0 + pick(11) - 5;
                    angle = std::atan2(_ty - _y, _tx - _x);
                    speed = 3.0 + pick(6);
                    _hold = int(std::hypot(_tx - _x, _ty - _y) / speed) + 20;
                    _target = true;
                }
            }
        }
        _dx = speed * std::cos(angle);
        _dy = speed * std::sin(angle);
        plat::testing::setMouse(int(_x), int(_y));
        plat::testing::setButton(true);
    }

    void typeKey() {
        static const int common[] = {27, 'p', 'P', 'm', 'M', 13, 8, ' ', 'a', 'z', '0', '9', 127, 9};
        const bool inGame = ScreenManager::GetInstance()->getSid() == Constants::GAME;
        const int r = pick(inGame ? 1000 : 100);
        int key;
        if (r < 4)
            key = 27;  // Esc leaves the game, so rarely there
        else if (r < (inGame ? 900 : 60))
            key = common[1 + pick(int(std::size(common)) - 1)];
        else if (r < (inGame ? 980 : 90))
            key = 32 + pick(95);
        else
            key = 1 + pick(255);
        plat::testing::typeChar(key);
    }

    std::mt19937 _rng;
    double _x = 400, _y = 240, _dx = 0, _dy = 0, _tx = 0, _ty = 0;
    int _hold = 0;
    bool _target = false;
    bool _releaseNext = false;
};

}  // namespace

int main(int argc, char** argv) {
    long frames = 1000000;
    unsigned seed = 1;
    bool quiet = false;
    fs::path assets = kit::builtAssets();
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--seed" && i + 1 < argc)
            seed = unsigned(std::strtoul(argv[++i], nullptr, 10));
        else if (a == "--assets" && i + 1 < argc)
            assets = argv[++i];
        else if (a == "--quiet")
            quiet = true;
        else if (!a.empty() && std::isdigit(static_cast<unsigned char>(a[0])))
            frames = std::strtol(a.c_str(), nullptr, 10);
        else {
            std::fprintf(stderr, "usage: %s [frames] [--seed N] [--assets DIR] [--quiet]\n", argv[0]);
            return 2;
        }
    }
    if (!fs::is_directory(assets / "original")) {
        std::fprintf(stderr, "soak: no asset tree at %s\n", assets.c_str());
        return 2;
    }
    // A sandbox of the tree without the image cache (the start builds it) and without a
    // progress file (the start creates it).
    kit::Scratch root("soak");
    kit::sandboxAssets(root / "assets", {.cache = false, .from = assets});

    signal(SIGALRM, onWatchdog);
    alarm(600);  // the start builds the image cache; slow under the sanitizers

    kit::startGame(root);

    Player player(seed);
    std::map<std::string, long> shown;
    long trapped = 0;
    long terminalUntil = -1;
    std::mt19937 rare(seed * 7919u + 1u);
    for (long f = 0; f < frames; ++f) {
        if (f % 1000 == 0) alarm(120);
        auto sm = ScreenManager::GetInstance();
        // Nothing opens the terminal view: show it for a while every so often, then go back.
        if (terminalUntil < 0 && sm->getPhase() == ScreenManager::NORMAL && rare() % 20000 == 0) {
            sm->switchTo(Terminal::GetInstance(), 1, 0.0f);
            terminalUntil = f + 300;
        } else if (terminalUntil >= 0 && f >= terminalUntil && sm->getPhase() == ScreenManager::NORMAL) {
            if (sm->getScreen() == ScreenPtr(Terminal::GetInstance())) sm->switchTo(MenuScreen::GetInstance(), 0, 0.0f);
            terminalUntil = -1;
        }
        // A screen whose only way out is Back, with itself on top of the history, can never
        // be left: a second Back during the fade gets there. Counted as a finding, and the
        // player starts again from the menu.
        if (sm->getPhase() == ScreenManager::NORMAL && !sm->navHistory().empty() &&
            sm->navHistory().back() == sm->getScreen() && sm->getScreen() != ScreenPtr(MenuScreen::GetInstance())) {
            if (trapped++ == 0)
                std::printf("soak: frame %ld: trapped on %s, which is its own way back\n", f,
                            screenName(sm->getScreen()).c_str());
            sm->switchTo(MenuScreen::GetInstance(), 0, 0.0f);
        }
        player.step();
        plat::testing::advanceClock(33);
        vostrel->update();
        ++shown[screenName(sm->getScreen())];
        if (!quiet && f > 0 && f % 100000 == 0)
            std::printf("soak: %ld frames, %ld kB resident\n", f, rssKb()), std::fflush(stdout);
    }
    plat::testing::setButton(false);
    plat::requestClose();
    runFrameLoop();
    alarm(0);

    // The progress file the ending saved reads back.
    std::string text;
    const bool saved = plat::loadText((root / "assets" / "settings.txt").string(), text) &&
                       std::count(text.begin(), text.end(), '\n') == 3;

    std::printf("soak: %ld frames, seed %u, %d landings in all, %ld kB resident at the end\n", frames, seed,
                FleetManager::GetInstance()->getTotalLandCount(), rssKb());
    for (const auto& [name, n] : shown) std::printf("soak:   %-22s %ld frames\n", name.c_str(), n);
    if (!saved) {
        std::printf("soak: the progress file did not read back as three lines\n");
        return 1;
    }
    if (trapped) {
        std::printf("soak: trapped %ld times on a screen that leads back to itself\n", trapped);
        return 1;
    }
    return 0;
}
