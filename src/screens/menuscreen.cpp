#include "screens/menuscreen.h"

#include "screens/constants.h"
#include "game/scenarios/game_playmanager.h"
#include "platform/canvas.h"
#include "screens/creditsscreen.h"
#include "screens/gamescreen.h"
#include "screens/helpscreen.h"
#include "screens/scorescreen.h"
#include "screens/workloadscreen.h"
#include "vostrel/kz_button.h"
#include "vostrel/kz_event.h"
#include "vostrel/kz_systemui2.h"
#include "vostrel/resourcemanager.h"
#include "vostrel/screenmanager.h"
#include "vostrel/vostrelframework.h"

MenuScreen::MenuScreen() { _id = Constants::MENU; }

int MenuScreen::set_ctnScreen(const ScreenPtr& screen) {
    _ctnScreen = screen;
    return 0;
}

int MenuScreen::onFadeInStart() {
    const float s = ScreenManager::getDrawScale();
    auto res = ResourceManager::GetInstance();
    auto ui = KZ_systemUI2::GetInstance();
    _bgd = res->getDirectImage("images/menu.png");
    auto make = [&](const char* path, float y) {
        return ui->CreateButton(int(520 * s), int(y * s), res->getDirectImage(path), this, Constants::MENU);
    };
    _btn_continue = make("images/menu/continue.png", 165);
    _btn_newGame = make("images/menu/new_game.png", 215);
    _btn_topScore = make("images/menu/top_scores.png", 265);
    _btn_help = make("images/menu/help.png", 315);
    _btn_credits = make("images/menu/credits.png", 365);
    // The first call creates the game screen, and with it the simulation.
    if (GameScreen::GetInstance()->getGameplayMan()->getMissionStatus() < Game_playManager::ACTIVE)
        _btn_continue->disable();
    return 0;
}

int MenuScreen::render() {
    plat::drawImage(_bgd, 0.0f, 0.0f, 0);
    plat::setColor(0, 0, 0);
    const std::string version = "version " + (vostrel ? vostrel->getVersion() : std::string());
    plat::drawText(version, 5.0f, float(ScreenManager::GetInstance()->getHeight() - 20));
    plat::setColor(255, 255, 255);
    return 0;
}

int MenuScreen::onFadeOutEnd() {
    _bgd = nullptr;
    auto ui = KZ_systemUI2::GetInstance();
    for (auto* b : {&_btn_continue, &_btn_help, &_btn_newGame, &_btn_credits, &_btn_topScore}) {
        ui->removeItem(*b);
        *b = nullptr;
    }
    return 0;
}

int MenuScreen::SendMessage(const std::shared_ptr<Object>& message, const std::shared_ptr<Object>& source) {
    auto ev = std::dynamic_pointer_cast<KZ_event>(message);
    if (!ev || ev->getId() != KZ_event::ONCLICK || !source) return 0;
    auto sm = ScreenManager::GetInstance();
    if (source == _btn_continue) {
        // Checked now rather than trusted from the fade-in: the buttons stay live during the
        // menu's own fade-out, when New game may just have ended the game.
        if (_ctnScreen && Game_playManager::getMissionStatus() == Game_playManager::ACTIVE)
            sm->switchTo(_ctnScreen, 1, 0.0f);
    } else if (source == _btn_newGame) {
        // Ends the running game unscored; the grid comes next.
        Game_playManager::endGameplay();
        sm->switchTo(WorkloadScreen::GetInstance(), 1, 0.0f);
    } else if (source == _btn_topScore) {
        sm->switchTo(ScoreScreen::GetInstance(), 1, 0.0f);
    } else if (source == _btn_help) {
        sm->switchTo(HelpScreen::GetInstance(), 1, 0.0f);
    } else if (source == _btn_credits) {
        sm->switchTo(CreditsScreen::GetInstance(), 1, 0.0f);
    }
    return 0;
}
