#include "screens/gamescreen.h"

#include "screens/constants.h"
#include "game/airport/airport.h"
#include "game/weather/cloudmanager.h"
#include "game/traffic/fleetmanager.h"
#include "game/scenarios/game_playmanager.h"
#include "game/gameengine.h"
#include "game/gameshell.h"
#include "game/display/gameui.h"
#include "game/traffic/gameworld.h"
#include "game/scenarios/gp_calmday.h"
#include "game/display/renderer.h"
#include "game/weather/weathersystem.h"
#include "screens/menuscreen.h"
#include "vostrel/screenmanager.h"
#include "vostrel/soundmanager.h"

namespace {
// Once the game is lost, the mouse leads back to the menu instead of drawing paths.
bool failed() { return Game_playManager::getMissionStatus() == Game_playManager::FAILED; }
}  // namespace

GameScreen::GameScreen() {
    _id = Constants::GAME;
    _ge = GameEngine::GetInstance();
    _gw = GameWorld::GetInstance();
    _ws = WeatherSystem::GetInstance();
    _renderer = _ge->getRenderer();
    _gui = GameUI::GetInstance();
    // The calm day stands in until the first game is installed, so there is always a scenario.
    if (!GameShell::get().getGameplayMan()) GameShell::get().setGameplayMan(GP_calmDay::GetInstance());
}

std::shared_ptr<Game_playManager> GameScreen::getGameplayMan() const {
    auto pm = GameShell::get().getGameplayMan();
    if (!pm) {
        // The shell was replaced without a scenario (tests do this); keep the promise of one.
        pm = GP_calmDay::GetInstance();
        GameShell::get().setGameplayMan(pm);
    }
    return pm;
}

int GameScreen::update() {
    if (_ge->getPause() != 0) return 0;
    _ge->update();
    _gw->process();
    _ws->update();
    getGameplayMan()->update();
    _gui->update();
    return 0;
}

int GameScreen::render() {
    if (_renderer) _renderer->update();
    return 0;
}

int GameScreen::onFadeInStart() {
    // Back on the game after a paid collision's intermission (by its Play, by Continue or
    // any other road): that collision is settled.
    getGameplayMan()->onPlayResumed();
    // The display learns the funds from the airport's once-a-second tick; without this a
    // new game would show "Funds: $0" for its first second.
    _gui->setFundsBalance(Airport::GetInstance()->getFunds());
    return 0;
}

int GameScreen::onFadeOutStart() {
    MenuScreen::GetInstance()->set_ctnScreen(GameScreen::GetInstance());
    return 0;
}

int GameScreen::onFadeOutEnd() {
    // The siren loops until stopped, and the engine, which stops it, does not run behind
    // other screens (it may sound it until here, during the fade). It sounds it again on
    // its first frame back if the aircraft are still too close.
    if (_ge->getSirenStat() != 0) _ge->clearSiren();
    return 0;
}

int GameScreen::_toMenu() {
    ScreenManager::GetInstance()->switchTo(MenuScreen::GetInstance(), 1, 0.0f);
    return 0;
}

int GameScreen::onMouseMove(int x, int y) {
    _ge->onMouseMove(x, y);
    return 0;
}

int GameScreen::onMouseDown(int x, int y) {
    if (!failed()) _ge->onMouseDown(x, y);
    return 0;
}

int GameScreen::onMouseUp(int x, int y) {
    // The engine never hears a release: a path ends with the drag stop.
    (void)x;
    (void)y;
    if (failed()) _toMenu();
    return 0;
}

int GameScreen::onDragStart(int x, int y) {
    if (failed())
        _toMenu();
    else
        _ge->onDragStart(x, y);
    return 0;
}

int GameScreen::onDrag(int x, int y) {
    _ge->onDrag(x, y);
    return 0;
}

int GameScreen::onDragStop(int x, int y) {
    _ge->onDragStop(x, y);
    return 0;
}

int GameScreen::onKeyPress(int key) {
    auto sm = ScreenManager::GetInstance();
    switch (key) {
        case 27:
            // Lift the pause on the way out: the grey picture would otherwise stay over the
            // menu, and the pause would keep the sound muted there.
            if (_ge->getPause() != 0) {
                _ge->clearPause();
                sm->unpauseView();
            }
            _toMenu();
            break;
        case 'P':
        case 'p':
            if (_ge->getPause() != 0) {
                _ge->clearPause();
                sm->unpauseView();
            } else if (sm->pauseView() != 0) {
                // pauseView refuses during a fade; then the game runs on.
                _ge->setPause();
            }
            break;
        case 'M':
        case 'm': {
            auto audio = SoundManager::GetInstance();
            if (audio->getMute() != 0)
                audio->unMute();
            else
                audio->mute();
            break;
        }
        default: break;
    }
    return 0;
}

int GameScreen::setGameplayMan(const std::shared_ptr<Game_playManager>& pm) {
    if (!pm) return 0;  // only cells with a scenario start a game
    FleetManager::GetInstance()->reset();
    // The display before the scenario's init, which may put its own items on it (the
    // story's "PHASE n").
    _gui->reset();
    GameShell::get().setGameplayMan(pm);
    _gw->reset();
    // reset before init: init sets the story mode that reset clears.
    pm->reset();
    pm->init();
    pm->setMissionStatus(Game_playManager::ACTIVE);
    _ge->reset();
    Airport::GetInstance()->reset();
    CloudManager::GetInstance()->reset();
    return 0;
}
