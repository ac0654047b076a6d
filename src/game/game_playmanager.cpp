#include "game/game_playmanager.h"

#include "game/gameshell.h"
#include "vostrel/singleton.h"

namespace {
struct ClassWide {
    int missionStatus = Game_playManager::INVALID;
    std::shared_ptr<Game_playManager> instance;
    int music = 0;
};
ClassWide& classWide() {
    static ClassWide values;
    static const bool registered = (SingletonRegistry::onReset([] { values = ClassWide{}; }), true);
    (void)registered;
    return values;
}
}  // namespace

std::shared_ptr<Game_playManager> Game_playManager::loadScene(int id) {
    (void)id;
    classWide().instance = nullptr;
    return nullptr;
}

int Game_playManager::endGameplay() {
    setMissionStatus(INVALID);
    return 0;
}

int Game_playManager::setMusicPlay(int flag) {
    classWide().music = flag;
    return 0;
}
int Game_playManager::getMusicPlay() { return classWide().music; }
std::shared_ptr<Game_playManager> Game_playManager::getInstanceRef() { return classWide().instance; }

int Game_playManager::reset() {
    _collisionTimer = 0;
    _failureMode = 0;
    _HOScrash = 0;
    _gameOverTimer = 0;
    _storyMode = WORK;
    _gameOverDone = false;
    return 0;
}

int Game_playManager::_globalUpdate() { return 0; }

int Game_playManager::gameOver() {
    if (_gameOverDone) return 0;
    _gameOverDone = true;
    setMissionStatus(FAILED);
    GameShell::get().showIntermission();
    GameShell::get().addCurrentScore();
    GameShell::get().saveProgress();
    return 0;
}

int Game_playManager::setMissionStatus(int status) {
    classWide().missionStatus = status;
    return 0;
}
int Game_playManager::getMissionStatus() { return classWide().missionStatus; }

int Game_playManager::onAircraftDrift(const std::shared_ptr<Aircraft>& aircraft) {
    (void)aircraft;
    return 0;
}

int Game_playManager::onCollision(const std::shared_ptr<Aircraft>& a, const std::shared_ptr<Aircraft>& b) {
    (void)a;
    (void)b;
    _collisionTimer = _collisionDelay;
    return 0;
}

int Game_playManager::endGame() { return 0; }

int Game_playManager::onPlayResumed() {
    if (_failureMode == FAILED_PAYOUT && _collisionTimer == 0) _failureMode = 0;
    return 0;
}

void Game_playManager::_addRightText(const std::string& text) { (void)text; }
