#include "vostrel/vostrelframework.h"

#include "platform/audio.h"
#include "platform/sys.h"
#include "vostrel/kz_systemui2.h"
#include "vostrel/resourcemanager.h"
#include "vostrel/screenmanager.h"
#include "vostrel/soundmanager.h"
#include "vostrel/vostrel_display.h"
#include "vostrel/vostrel_io.h"

std::shared_ptr<VostrelFramework> vostrel;
[[maybe_unused]] static const bool globalForgotten = (SingletonRegistry::onReset([] { vostrel = nullptr; }), true);

// The scenario's mission status while a game is being played.
static constexpr int MISSION_ACTIVE = 2;

std::shared_ptr<VostrelFramework> VostrelFramework::GetInstance() {
    vostrel = Singleton<VostrelFramework>::GetInstance();
    return vostrel;
}

std::shared_ptr<VostrelFramework> VostrelFramework::Create() { return GetInstance(); }

VostrelFramework::VostrelFramework() = default;

int VostrelFramework::initApp(int width, int height, int fps, int mode) {
    // The game's services are made here, in this order: the screen manager before the input
    // poller, which binds it when it is made; the registry fixes its asset folders when made.
    ui = KZ_systemUI2::GetInstance();
    screen = ScreenManager::GetInstance();
    io = Vostrel_IO::GetInstance();
    display = Vostrel_display::Create(width, height, fps, mode);
    resource = ResourceManager::GetInstance();
    screen->init(width, height, fps, ui);
    audio = SoundManager::GetInstance();
    plat::openAudio();
    plat::seedRnd(static_cast<unsigned int>(plat::millisecs()));
    const std::string original = resource->getBasePath() + "original";
    const std::string images = resource->getBasePath() + "images";
    display->removeAbandonedBuilds(images);
    if (!display->cacheComplete(original, images)) display->resizeAssets(original, images);
    return 0;
}

int VostrelFramework::setVersion(const std::string& version) {
    _version = version;
    return 0;
}

std::string VostrelFramework::getVersion() const { return _version; }

int VostrelFramework::update() {
    if (io) io->update();
    if (screen) screen->Update();
    return 0;
}

int VostrelFramework::setRunningGameHooks(RunningGameHooks hooks) {
    _runningGame = std::move(hooks);
    return 0;
}

int VostrelFramework::onTerminate() {
    if (!_runningGame.missionStatus || _runningGame.missionStatus() != MISSION_ACTIVE) return 0;
    if (_runningGame.addCurrentScore) _runningGame.addCurrentScore();
    if (_runningGame.saveProgress) _runningGame.saveProgress();
    return 0;
}
