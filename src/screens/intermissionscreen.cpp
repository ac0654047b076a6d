#include "screens/intermissionscreen.h"

#include "screens/constants.h"
#include "game/airport/airport.h"
#include "game/traffic/fleetmanager.h"
#include "game/scenarios/game_playmanager.h"
#include "game/gameshell.h"
#include "platform/canvas.h"
#include "screens/gamescreen.h"
#include "screens/menuscreen.h"
#include "screens/scorescreen.h"
#include "vostrel/kz_event.h"
#include "vostrel/kz_systemui2.h"
#include "vostrel/resourcemanager.h"
#include "vostrel/screenmanager.h"
#include "vostrel/soundmanager.h"

namespace {
int scaled(double v) { return int(v * double(ScreenManager::getDrawScale())); }

int failureKind() {
    auto pm = GameShell::get().getGameplayMan();
    return pm ? pm->getFailureMode() : 0;
}

// The screen manager's text renderer when it has one, else the plain text drawer it wraps.
void text(const std::string& s, int x, int y) {
    auto sm = ScreenManager::GetInstance();
    if (sm->text_norm) sm->text_norm->render(s, x, y);
    else plat::drawText(s, float(x), float(y));
}
}  // namespace

IntermissionScreen::IntermissionScreen() {
    _id = Constants::INTERMISSION;
    auto res = ResourceManager::GetInstance();
    auto ui = KZ_systemUI2::GetInstance();
    _btn_menu = ui->CreateButton(scaled(720), scaled(400), res->retrieveImage("menu button"), this,
                                 Constants::INTERMISSION);
    _btn_play = ui->CreateButton(scaled(720), scaled(400), res->retrieveImage("ok button"), this,
                                 Constants::INTERMISSION);
    _btn_topScore = ui->CreateButton(scaled(270), scaled(330), res->getDirectImage("images/menu/top_scores.png"), this,
                                     Constants::INTERMISSION);
}

std::string IntermissionScreen::storyLine(int failureKind) {
    switch (failureKind) {
        case Game_playManager::FAILED_HOS:
            return "Death of Head of State in mid-air collision sparks international crisis.";
        case Game_playManager::FAILED_FUNDS:
            return "Local airport goes backrupt due to a series of mistakes. Airport closed.";
        case Game_playManager::FAILED_COLLISION:
            return "Sleeping controller causes mid-air collision. Airport closed.";
        case Game_playManager::FAILED_PAYOUT:
            return "Insurance company settles with victims. Airport stays open.";
        default:
            return "";
    }
}

int IntermissionScreen::onFadeInStart() {
    _bgd = ResourceManager::GetInstance()->getDirectImage("images/intermission.jpg");
    if (failureKind() == Game_playManager::FAILED_PAYOUT) {
        _btn_menu->hide();
        _btn_play->show();
    } else {
        _btn_menu->show();
        _btn_play->hide();
    }
    _btn_topScore->show();
    _isTopScore = 0;
    return 0;
}

int IntermissionScreen::onFadeInEnd() {
    // A payout enters no score, so the board's flag would speak of an earlier game.
    if (failureKind() != Game_playManager::FAILED_PAYOUT && ScoreScreen::GetInstance()->isTopScore() != 0) {
        _isTopScore = 1;
        SoundManager::GetInstance()->playChannel(3, "reward sound");
    } else {
        _isTopScore = 0;
    }
    return 0;
}

int IntermissionScreen::render() {
    if (_bgd) plat::drawImage(*_bgd, 0, 0, 0);
    const std::string story = storyLine(failureKind());
    auto fleet = FleetManager::GetInstance();

    plat::setColor(0, 0, 0);
    const int x = scaled(100);
    text("Status: FAILED", x, scaled(120));
    text("Funds: $" + std::to_string(Airport::GetInstance()->getFunds()), x, scaled(140));
    text("Aircraft Landed: " + std::to_string(fleet->getLandCount()), x, scaled(160));
    text("Total Aircraft Landed: " + std::to_string(fleet->getTotalLandCount()), x, scaled(180));

    auto sm = ScreenManager::GetInstance();
    plat::drawRect(0, 0, float(sm->getWidth()), float(scaled(50)));

    auto res = ResourceManager::GetInstance();
    plat::setColor(255, 255, 255);
    // The font first: the centring measures in it.
    plat::setImageFont(res->retrieveFont("medium font"));
    text(story, sm->textCenterAlignX(story), 10);
    if (_isTopScore == 1) {
        const std::string notice = _topScoreText + std::to_string(fleet->getLandCount());
        plat::setColor(0, 0, 0);
        text(notice, sm->textCenterAlignX(notice), scaled(300));
        plat::setColor(255, 255, 255);
    }
    plat::setImageFont(res->retrieveFont("normal"));
    return 0;
}

int IntermissionScreen::SendMessage(const std::shared_ptr<Object>& message, const std::shared_ptr<Object>& context) {
    auto ev = std::dynamic_pointer_cast<KZ_event>(message);
    if (!ev || ev->getId() != KZ_event::ONCLICK || !context) return 0;
    auto sm = ScreenManager::GetInstance();
    if (context.get() == _btn_menu.get()) sm->switchTo(MenuScreen::GetInstance(), 1, 0.0f);
    else if (context.get() == _btn_play.get()) sm->switchTo(GameScreen::GetInstance(), 1, 0.0f);
    else if (context.get() == _btn_topScore.get()) sm->switchTo(ScoreScreen::GetInstance(), 1, 0.0f);
    return 0;
}

int IntermissionScreen::onFadeOutEnd() {
    _bgd.reset();
    return 0;
}

