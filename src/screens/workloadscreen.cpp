#include "screens/workloadscreen.h"

#include <cstdio>

#include "screens/constants.h"
#include "game/airport/airport.h"
#include "game/airport/airportitem.h"
#include "game/traffic/fleetmanager.h"
#include "game/scenarios/game_playmanager.h"
#include "platform/canvas.h"
#include "platform/text.h"
#include "screens/airportselectscreen.h"
#include "screens/gamescreen.h"
#include "screens/scorescreen.h"
#include "vostrel/kz_button.h"
#include "vostrel/kz_event.h"
#include "vostrel/kz_systemui2.h"
#include "vostrel/kz_textarea.h"
#include "vostrel/resourcemanager.h"
#include "vostrel/screenmanager.h"

namespace {
constexpr int KEY_ESC = 27;
constexpr int STORY_CELL = Constants::FORGOTTEN_PORT;
}  // namespace

WorkloadScreen::WorkloadScreen() { _init(); }

std::array<WorkloadItemPtr, 8> WorkloadScreen::parseWorkload(const std::string& text) {
    std::array<WorkloadItemPtr, 8> items;
    const std::vector<std::string> lines = plat::split(text, "\n");
    for (size_t k = 0; k < items.size(); ++k) {
        if (k >= lines.size()) {
            // Cells past the scenarios (5 to 7) never open, so only a missing scenario is news.
            if (int(k) <= STORY_CELL)
                std::printf("workload.txt: line %zu is missing; its scenario cannot be chosen\n", k + 1);
            continue;
        }
        const std::vector<std::string> fields = plat::split(lines[k], "/");
        if (fields.size() < 3) {
            std::printf("workload.txt line %zu: expected title/cost/description, found %zu field(s); "
                        "the cell stays closed\n",
                        k + 1, fields.size());
            continue;
        }
        items[k] = WorkloadItem::Create(fields[0], plat::toInt(fields[1]), fields[2]);
    }
    std::fflush(stdout);
    return items;
}

int WorkloadScreen::_init() {
    _id = Constants::WORKLOAD;
    const float s = ScreenManager::getDrawScale();
    auto res = ResourceManager::GetInstance();
    auto ui = KZ_systemUI2::GetInstance();
    _btn_play = ui->CreateButton(int(510 * s), int(390 * s), res->retrieveImage("ok button"), this, _id);
    _btn_play->hide();
    _btn_cancel = ui->CreateButton(int(430 * s), int(390 * s), res->retrieveImage("cancel button"), this, _id);
    _btn_cancel->hide();
    _btn_back = ui->CreateButton(int(10 * s), int(22 * s), res->retrieveImage("back button"), this, _id);
    _workItemArray = parseWorkload(res->retrieveText("workload data"));
    return 0;
}

int WorkloadScreen::onFadeInStart() {
    auto res = ResourceManager::GetInstance();
    _bgd = res->getDirectImage("images/screens/workload/bgd.jpg");
    _bgdButtons = res->getDirectImage("images/screens/workload/bgdButtons.png");
    _descPaper = res->getDirectImage("images/paper.png");
    return 0;
}

int WorkloadScreen::onFadeOutEnd() {
    _bgd = nullptr;
    _bgdButtons = nullptr;
    _descPaper = nullptr;
    _hideDetail();
    return 0;
}

int WorkloadScreen::onMouseUp(int x, int y) {
    if (!_descArea) _checkButtons(Vector(x, y));
    return 0;
}

int WorkloadScreen::onKeyPress(int key) {
    if (key == KEY_ESC) _leave();
    return 0;
}

int WorkloadScreen::_leave() {
    // Withdrawn only when the screen really goes back: a press during the fade after Play
    // is refused, and the game it starts must stay running.
    if (ScreenManager::GetInstance()->navBack()) Game_playManager::setMissionStatus(Game_playManager::INVALID);
    return 0;
}

int WorkloadScreen::_checkButtons(const Vector& point) {
    const float s = ScreenManager::getDrawScale();
    for (int i = 0; i < 8; ++i) {
        if (i >= _maxWorkItems || !_workItemArray[size_t(i)]) continue;
        const int row = i / 4, column = i % 4;
        const int left = int((40 + 187 * column) * s), top = int((82 + 199 * row) * s);
        const int right = int((196 + 187 * column) * s), bottom = int((238 + 199 * row) * s);
        if (!point.xyIsWithinArea(left, top, right, bottom)) continue;
        // The story runs on an airport of its own; without that record the cell stays shut
        // rather than start a game on no airport.
        if (i == STORY_CELL && !AirportSelectScreen::GetInstance()->getStoryData(0)) {
            std::printf("airports.txt: the story's airport (line 4) is missing or incomplete; "
                        "the story cannot be started\n");
            std::fflush(stdout);
            return 0;
        }
        _showDetail(i);
        return 1;
    }
    return 0;
}

int WorkloadScreen::_showDetail(int index) {
    if (index < 0 || index >= int(_workItemArray.size()) || !_workItemArray[size_t(index)]) return 0;
    const float s = ScreenManager::getDrawScale();
    _descArea = KZ_textarea::Create(_workItemArray[size_t(index)]->description, int(235 * s), int(140 * s),
                                    int(340 * s), int(240 * s), nullptr);
    _selectedIndex = index;
    _btn_play->show();
    _btn_cancel->show();
    return 0;
}

int WorkloadScreen::_hideDetail() {
    _descArea = nullptr;
    _btn_play->hide();
    _btn_cancel->hide();
    return 0;
}

int WorkloadScreen::SendMessage(const std::shared_ptr<Object>& message, const std::shared_ptr<Object>& source) {
    auto ev = std::dynamic_pointer_cast<KZ_event>(message);
    if (!ev || ev->getId() != KZ_event::ONCLICK || !source) return 0;
    auto sm = ScreenManager::GetInstance();
    if (source == _btn_play) {
        // The panel and its buttons stay live while the grid fades out: a second click on
        // Play then would enter the game just started on the score board and start it again.
        if (!_descArea || _selectedIndex < 0 || sm->getPhase() != ScreenManager::NORMAL) return 0;
        auto game = GameScreen::GetInstance();
        if (Game_playManager::getMissionStatus() == Game_playManager::ACTIVE)
            ScoreScreen::GetInstance()->addCurrentScore();
        game->setGameplayMan(Game_playManager::loadScene(_selectedIndex));
        if (_selectedIndex < STORY_CELL) {
            sm->switchTo(AirportSelectScreen::GetInstance(), 0, 0.0f);
        } else {
            Airport::GetInstance()->loadData(AirportSelectScreen::GetInstance()->getStoryData(0));
            sm->switchTo(game, 1, 0.0f);
        }
    } else if (source == _btn_cancel) {
        _hideDetail();
    } else if (source == _btn_back) {
        _leave();
    }
    return 0;
}

int WorkloadScreen::render() {
    const float s = ScreenManager::getDrawScale();
    auto sm = ScreenManager::GetInstance();
    auto res = ResourceManager::GetInstance();
    plat::drawImage(_bgd, 0.0f, 0.0f, 0);
    plat::drawImage(_bgdButtons, 0.0f, 0.0f, 0);

    // Measured in the font it is drawn in, so the right edge really is 10 pixels in.
    plat::setImageFont(res->retrieveFont("big font"));
    const std::string landings =
        "TOTAL LANDINGS: " + std::to_string(FleetManager::GetInstance()->getTotalLandCount());
    plat::setColor(255, 255, 255);
    if (sm->text_norm) sm->text_norm->render(landings, sm->textRightAlignX(landings) - int(10 * s), int(20 * s));
    plat::setImageFont(res->retrieveFont("normal"));

    if (_descArea) _renderDetail(s);
    return 0;
}

int WorkloadScreen::_renderDetail(float scale) {
    auto sm = ScreenManager::GetInstance();
    sm->auxShade(0.75f);
    plat::drawImage(_descPaper, float(int(205 * scale)), float(int(60 * scale)), 0);
    plat::setColor(0, 0, 0);
    const plat::FontPtr previous = plat::getImageFont();
    plat::setImageFont(ResourceManager::GetInstance()->retrieveFont("big font"));
    const auto& item = _workItemArray[size_t(_selectedIndex)];
    if (item && sm->text_norm) sm->text_norm->render(item->title, sm->textCenterAlignX(item->title), int(90 * scale));
    plat::setImageFont(previous);
    _descArea->render();
    plat::setColor(255, 255, 255);
    return 0;
}
