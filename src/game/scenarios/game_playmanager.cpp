#include "game/scenarios/game_playmanager.h"

#include "game/traffic/aircraft.h"
#include "game/airport/airport.h"
#include "game/gameengine.h"
#include "game/gameshell.h"
#include "game/display/gameui.h"
#include "game/scenarios/gp_birdmigration.h"
#include "game/scenarios/gp_calmday.h"
#include "game/scenarios/gp_medicalemergency.h"
#include "game/scenarios/gp_unitednations.h"
#include "game/scenarios/gs_forgottenport.h"
#include "game/weather/weathersystem.h"
#include "platform/sys.h"
#include "vostrel/resourcemanager.h"
#include "vostrel/screenmanager.h"
#include "vostrel/singleton.h"
#include "vostrel/soundmanager.h"

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

// How heavily a failure kind ends a collision: a later collision inside the same delay never
// lowers the verdict (head of state over collision over payout).
int verdictRank(int kind) {
    switch (kind) {
        case Game_playManager::FAILED_HOS: return 3;
        case Game_playManager::FAILED_COLLISION: return 2;
        case Game_playManager::FAILED_PAYOUT: return 1;
        default: return 0;
    }
}
}  // namespace

std::shared_ptr<Game_playManager> Game_playManager::loadScene(int id) {
    WeatherSystem::getInstance()->reset();
    std::shared_ptr<Game_playManager> pm;
    switch (id) {
        case 0: pm = GP_calmDay::GetInstance(); pm->setIconName("calmday"); break;
        case 1: pm = GP_unitedNations::GetInstance(); pm->setIconName("un"); break;
        case 2: pm = GP_birdMigration::GetInstance(); pm->setIconName("birds"); break;
        case 3: pm = GP_medicalEmergency::GetInstance(); pm->setIconName("medical"); break;
        case 4: pm = GS_forgottenPort::GetInstance(); break;
        default: break;
    }
    classWide().instance = pm;
    return pm;
}

int Game_playManager::endGameplay() {
    auto sm = SoundManager::GetInstance();
    sm->stopBackground();
    sm->endAllChannels();
    GameEngine::GetInstance()->setPause();
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

int Game_playManager::_globalUpdate() {
    if (_collisionTimer > 0) {
        --_collisionTimer;
        if (_collisionTimer == 0) {
            if (_failureMode == FAILED_PAYOUT) {
                _payoutShown = true;
                GameShell::get().showIntermission();
            } else if (_failureMode == FAILED_COLLISION || _failureMode == FAILED_HOS) {
                gameOver();
            }
        }
    }

    auto airport = Airport::getInstance();
    if (_collisionTimer == 0 && _failureMode == 0 && airport->getFunds() <= 0 && _gameOverTimer == 0)
        _gameOverTimer = FUNDS_RUNOUT_FRAMES;

    if (_gameOverTimer > 0) {
        --_gameOverTimer;
        if (_gameOverTimer == 0) {
            _gameOverTimer = -1;
            // A lost game keeps the verdict it was lost with; a collision that is still to end
            // the game keeps its own (heavier) verdict.
            bool collisionPending = _collisionTimer > 0 && verdictRank(_failureMode) >= verdictRank(FAILED_COLLISION);
            if (!_gameOverDone && !collisionPending) {
                GameUI::GetInstance()->setFundsBalance(airport->getFunds());
                _failureMode = FAILED_FUNDS;
                gameOver();
            }
        }
    }
    return 0;
}

int Game_playManager::gameOver() {
    // The game screen keeps updating during its fade-out, and a run-out countdown may still
    // be running: the game is ended, scored and saved once.
    if (_gameOverDone) return 0;
    _gameOverDone = true;
    auto sm = SoundManager::GetInstance();
    sm->stopBackground();
    sm->endAllChannels();
    GameEngine::GetInstance()->clearSiren();
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
    if (!aircraft) return 0;
    if (aircraft->GetUserControlled() == 0 && aircraft->getPhase() != Aircraft::ENGINE_FAILURE) return 0;
    Airport::getInstance()->removeFromFunds(DRIFT_PENALTY);
    _addRightText("Aircraft drifted: -$5000");
    SoundManager::GetInstance()->playChannel(3, "warning sound");
    return 0;
}

int Game_playManager::onCollision(const std::shared_ptr<Aircraft>& a, const std::shared_ptr<Aircraft>& b) {
    auto payload = [](const std::shared_ptr<Aircraft>& x) { return x ? x->getPayload() : 0; };
    auto cls = [](const std::shared_ptr<Aircraft>& x) { return x ? x->getClass() : -1; };
    // The game screen runs on while it fades out to the intermission: a lost game keeps the
    // verdict and the funds it was lost with (no payout, no Play button into a lost game).
    // The same while the game fades out to a payout's intermission: a verdict reached there
    // would never run out, and the intermission would report a game still running as lost.
    if (_gameOverDone || _payoutShown) return 0;
    _HOScrash = (payload(a) == Aircraft::HOS || payload(b) == Aircraft::HOS) ? 1 : 0;

    // Only a collision still waiting for its consequence can be outranked; a settled payout
    // is not pending.
    int pending = _collisionTimer > 0 ? _failureMode : 0;
    if (_HOScrash == 1) {
        _failureMode = FAILED_HOS;
    } else if (cls(a) == Aircraft::BIRD || cls(b) == Aircraft::BIRD) {
        // A bird strike records no failure.
    } else if (verdictRank(pending) >= verdictRank(FAILED_COLLISION)) {
        // The game is already to end: no payout is taken and the funds are left alone.
    } else {
        auto airport = Airport::getInstance();
        if (airport->getFunds() > COLLISION_PAYOUT) {
            airport->removeFromFunds(COLLISION_PAYOUT);
            _failureMode = FAILED_PAYOUT;
        } else {
            airport->clearFunds();
            _failureMode = FAILED_COLLISION;
        }
    }
    _collisionTimer = _collisionDelay;
    return 0;
}

int Game_playManager::endGame() { plat::endProgram(0); }

int Game_playManager::onPlayResumed() {
    _payoutShown = false;
    if (_failureMode == FAILED_PAYOUT && _collisionTimer == 0) _failureMode = 0;
    return 0;
}

void Game_playManager::_addRightText(const std::string& text) {
    GameUI::GetInstance()->addText(ScreenManager::GetInstance()->textRightAlignX(text), 0, text, 200);
}

void Game_playManager::_addFlagIcon(const std::string& id, int n) {
    float ds = ScreenManager::getDrawScale();
    auto img = ResourceManager::GetInstance()->getDirectImage("images/flags/" + id + ".png");
    if (!img || img->frameCount() < 1) return;
    auto pixels = img->lockFrame(0);
    if (!pixels) return;
    auto resized = plat::resizePixels(*pixels, int(30 * ds), int(20 * ds));
    if (!resized) return;
    GameUI::GetInstance()->addImage(8, int((60 + 25 * (n - 1)) * ds), plat::Image::fromPixels(*resized), 0);
}
