#include "screens/gamescreen.h"

#include "constants.h"
#include "game/gameshell.h"

GameScreen::GameScreen() { _id = Constants::GAME; }

int GameScreen::update() { return 0; }
int GameScreen::render() { return 0; }
int GameScreen::onFadeInStart() { return 0; }
int GameScreen::onFadeOutStart() { return 0; }
int GameScreen::onMouseMove(int, int) { return 0; }
int GameScreen::onMouseUp(int, int) { return 0; }
int GameScreen::onMouseDown(int, int) { return 0; }
int GameScreen::onKeyPress(int) { return 0; }
int GameScreen::onDragStart(int, int) { return 0; }
int GameScreen::onDrag(int, int) { return 0; }
int GameScreen::onDragStop(int, int) { return 0; }
int GameScreen::_toMenu() { return 0; }

int GameScreen::setGameplayMan(const std::shared_ptr<Game_playManager>& pm) {
    GameShell::get().setGameplayMan(pm);
    return 0;
}

std::shared_ptr<Game_playManager> GameScreen::getGameplayMan() const { return GameShell::get().getGameplayMan(); }
