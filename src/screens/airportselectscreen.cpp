#include "screens/airportselectscreen.h"

#include <cstdio>
#include <vector>

#include "screens/constants.h"
#include "game/airport/airport.h"
#include "game/airport/airportitem.h"
#include "game/scenarios/game_playmanager.h"
#include "imports/kz_graphicsshape.h"
#include "platform/canvas.h"
#include "platform/text.h"
#include "screens/gamescreen.h"
#include "vostrel/kz_button.h"
#include "vostrel/kz_event.h"
#include "vostrel/kz_systemui2.h"
#include "vostrel/kz_textarea.h"
#include "vostrel/resourcemanager.h"
#include "vostrel/screenmanager.h"

namespace {
// The buttons' x positions are not evenly spaced (the frames are drawn to match).
constexpr int BUTTON_X[3] = {11, 276, 538};
constexpr int FRAME_X[3] = {10, 275, 537};
}  // namespace

AirportSelectScreen::AirportSelectScreen() { _init(); }

std::array<std::shared_ptr<AirportItem>, 4> AirportSelectScreen::parseAirports(const std::string& text) {
    std::array<std::shared_ptr<AirportItem>, 4> records;
    const std::vector<std::string> lines = plat::split(text, "\n");
    for (size_t i = 0; i < records.size(); ++i) {
        if (i >= lines.size()) {
            std::printf("airports.txt: line %zu is missing; that airport cannot be chosen\n", i + 1);
            continue;
        }
        std::string error;
        records[i] = AirportItem::fromLine(lines[i], &error);
        if (!records[i])
            std::printf("airports.txt line %zu: %s; that airport cannot be chosen\n", i + 1, error.c_str());
    }
    std::fflush(stdout);
    return records;
}

int AirportSelectScreen::_init() {
    _id = Constants::AIRPORT_SELECT;
    const float s = ScreenManager::getDrawScale();
    _airportItemArray = parseAirports(ResourceManager::GetInstance()->retrieveText("airport data"));
    const plat::FontPtr normal = ResourceManager::GetInstance()->retrieveFont("normal");
    for (size_t i = 0; i < _airportItemArray.size(); ++i) {
        const std::string description = _airportItemArray[i] ? _airportItemArray[i]->description : std::string();
        _dscAreaArray[i] = KZ_textarea::Create(description, int((10 + 260 * int(i)) * s), int(270 * s),
                                               int(244 * s), int(300 * s), normal);
    }
    return 0;
}

std::shared_ptr<AirportItem> AirportSelectScreen::getAirportItemData(int index) const {
    if (index < 0 || index >= int(_airportItemArray.size())) return nullptr;
    return _airportItemArray[size_t(index)];
}

std::shared_ptr<AirportItem> AirportSelectScreen::getStoryData(int index) const { return getAirportItemData(index + 3); }

std::shared_ptr<KZ_button> AirportSelectScreen::airportButton(int k) const {
    switch (k) {
        case 1: return _btn_airport_1;
        case 2: return _btn_airport_2;
        case 3: return _btn_airport_3;
        default: return nullptr;
    }
}

int AirportSelectScreen::onFadeInStart() {
    const float s = ScreenManager::getDrawScale();
    auto res = ResourceManager::GetInstance();
    auto ui = KZ_systemUI2::GetInstance();
    _bgd = res->getDirectImage("images/screens/workload/bgd.jpg");
    _img_banner = res->getDirectImage("images/screens/airport_select/banner.png");
    // A fade-in that was cut short never reached its fade-out end; its buttons go first,
    // so there is only ever one set.
    _removeButtons();
    std::shared_ptr<KZ_button>* buttons[3] = {&_btn_airport_1, &_btn_airport_2, &_btn_airport_3};
    for (int k = 0; k < 3; ++k) {
        const std::string picture = "images/screens/airport_select/airport_" + std::to_string(k + 1) + ".png";
        *buttons[k] = ui->CreateButton(int(BUTTON_X[k] * s), int(114 * s), res->getDirectImage(picture), this, _id);
        // An airport whose record could not be read is shown faded and cannot be picked.
        if (!_airportItemArray[size_t(k)]) (*buttons[k])->disable();
    }
    _btn_back = ui->CreateButton(int(720 * s), int(400 * s), res->retrieveImage("cancel button"), this, _id);
    return 0;
}

int AirportSelectScreen::_removeButtons() {
    auto ui = KZ_systemUI2::GetInstance();
    for (auto* b : {&_btn_airport_1, &_btn_airport_2, &_btn_airport_3, &_btn_back}) {
        ui->removeItem(*b);
        *b = nullptr;
    }
    return 0;
}

int AirportSelectScreen::onFadeOutEnd() {
    _bgd = nullptr;
    _img_banner = nullptr;
    _removeButtons();
    return 0;
}

int AirportSelectScreen::SendMessage(const std::shared_ptr<Object>& message, const std::shared_ptr<Object>& source) {
    auto ev = std::dynamic_pointer_cast<KZ_event>(message);
    if (!ev || ev->getId() != KZ_event::ONCLICK || !source) return 0;
    auto sm = ScreenManager::GetInstance();
    const std::shared_ptr<Object> airports[3] = {_btn_airport_1, _btn_airport_2, _btn_airport_3};
    for (int k = 0; k < 3; ++k) {
        if (source != airports[k]) continue;
        const auto& record = _airportItemArray[size_t(k)];
        if (!record) return 0;
        Airport::GetInstance()->loadData(record);
        sm->switchTo(GameScreen::GetInstance(), 1, 0.0f);
        return 0;
    }
    // Withdrawn only when the screen really goes back (Back is refused while it fades in).
    if (source == _btn_back && sm->navBack()) Game_playManager::setMissionStatus(Game_playManager::INVALID);
    return 0;
}

int AirportSelectScreen::render() {
    const float s = ScreenManager::getDrawScale();
    auto res = ResourceManager::GetInstance();
    plat::drawImage(_bgd, 0.0f, 0.0f, 0);
    plat::drawImage(_img_banner, 0.0f, float(int(12 * s)), 0);

    plat::setColor(0, 0, 0);
    plat::setLineWidth(2.0f);
    for (int x : FRAME_X) KZ_graphicsShape::rectangle(int(x * s), int(113 * s), int(246 * s), int(148 * s), 1);
    plat::setLineWidth(1.0f);

    const plat::FontPtr big = res->retrieveFont("big font");
    for (int i = 0; i < 3; ++i) {
        plat::setImageFont(big);
        plat::setColor(0, 0, 0);
        if (const auto& record = _airportItemArray[size_t(i)])
            plat::drawText(record->title, float(int((10 + 265 * i) * s)), float(int(80 * s)));
        if (_dscAreaArray[size_t(i)]) _dscAreaArray[size_t(i)]->render();
    }
    plat::setColor(255, 255, 255);
    plat::setImageFont(res->retrieveFont("normal"));
    return 0;
}
