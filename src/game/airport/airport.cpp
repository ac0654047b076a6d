#include "game/airport/airport.h"

#include "game/traffic/aircraft.h"
#include "game/scenarios/game_playmanager.h"
#include "game/gameshell.h"
#include "game/display/gameui.h"
#include "game/display/renderer.h"
#include "platform/canvas.h"
#include "vostrel/resourcemanager.h"
#include "vostrel/screenmanager.h"
#include "vostrel/soundmanager.h"

namespace {
constexpr int HEAVY_RUNWAY_LENGTH = 330;
constexpr int LIGHT_RUNWAY_LENGTH = 226;
constexpr int AMBIENT_SLOT = 1;
}  // namespace

Airport::Airport() { Runway::set_Scale(ScreenManager::getDrawScale()); }

void Airport::renderTo(Renderer& renderer) { renderer.renderAirport(*this); }

void Airport::reset() {
    clearFlag();
    _bgdTimer = 0.0f;
    _bgdIndex = 1;
}

void Airport::removeFromFunds(int n) {
    _funds -= n;
    if (_funds < 0) _funds = 0;
}

void Airport::loadData(const AirportItem& item) {
    const plat::ImagePtr picture = ResourceManager::GetInstance()->getDirectImage("images/airport/" + item.imgName);
    _bgdArray[0] = picture;
    _bgdArray[1] = picture;
    _bgdIndex = 1;
    _iconName = item.imgName.substr(0, item.imgName.find('.'));
    _runways.clear();
    _addRunway(Runway::Create(item.rwy_1.value_or(Vector()), int(item.rwy_1_head), HEAVY_RUNWAY_LENGTH, Aircraft::HEAVY));
    _addRunway(Runway::Create(item.rwy_2.value_or(Vector()), int(item.rwy_2_head), LIGHT_RUNWAY_LENGTH, Aircraft::LIGHT));
    _flagPos = item.flag.value_or(Vector());
    _flagAngle = item.flag_angle;
    GameUI::setDspColor(item.r, item.g, item.b);
    _bgSound = item.bgSound;
    if (_soundQue == 1) startBGsound();
}

void Airport::loadBgd(int slot, const std::string& fileName) {
    if (slot < 0 || slot >= int(_bgdArray.size())) return;
    _bgdArray[size_t(slot)] = ResourceManager::GetInstance()->getDirectImage("images/airport/" + fileName);
}

int Airport::startBGsound() {
    if (_bgSound.empty()) return 0;
    SoundManager::GetInstance()->loadPlayChannel(AMBIENT_SLOT, "audio/" + _bgSound, 1);
    _soundQue = 0;
    return 1;
}

void Airport::stopBGsound() { SoundManager::GetInstance()->endChannel(AMBIENT_SLOT); }

void Airport::update() {
    _timer1 -= 1;
    if (_timer1 == 0) {
        _deductOPcost();
        GameUI::GetInstance()->setFundsBalance(_funds);
        _timer1 = _delay1;
    }
    if (_bgdTimer > 0.0f) {
        _bgdTimer -= _bgdFadeRate;
        // Also at exactly 0, or the fade would stop without showing the new picture.
        if (!(_bgdTimer > 0.0f)) {
            _bgdIndex = _bgd2Index;
            _bgdTimer = 0.0f;
        }
    }
    for (const auto& rw : std::vector<RunwayPtr>(_runways)) rw->update();
}

void Airport::aircraftLanded(const Aircraft& aircraft) {
    // A lost game's page shows the funds it was lost with; the game screen runs on while it
    // fades out, and a touchdown then books nothing, as it counts nothing.
    if (auto pm = GameShell::get().getGameplayMan(); pm && pm->isGameOver()) return;
    if (aircraft.getClass() == Aircraft::HEAVY) {
        addToFunds(_landingFeeHeavy);
    } else if (aircraft.getClass() == Aircraft::LIGHT) {
        addToFunds(_landingFeeLight);
    }
}

void Airport::aircraftLanded(const std::shared_ptr<Aircraft>& aircraft) {
    if (aircraft) aircraftLanded(*aircraft);
}

RunwayPtr Airport::inThreshold(const Vector& point) const {
    for (const auto& rw : _runways)
        if (rw->inThreshold(point)) return rw;
    return nullptr;
}

RunwayPtr Airport::pathOnFinal(const KZ_spline& path) const {
    for (const auto& rw : _runways)
        if (rw->onFinal(path)) return rw;
    return nullptr;
}

RunwayPtr Airport::pathOnFinal(const KZ_splinePtr& path) const { return path ? pathOnFinal(*path) : nullptr; }

RunwayPtr Airport::getRunwayOfClass(int cls) const {
    for (const auto& rw : _runways)
        if (rw->getClass() == cls) return rw;
    return nullptr;
}

RunwayPtr Airport::getAvailableRunRunway(const Aircraft& aircraft) const {
    return getRunwayOfClass(aircraft.getClass());
}

RunwayPtr Airport::getAvailableRunRunway(const std::shared_ptr<Aircraft>& aircraft) const {
    return aircraft ? getAvailableRunRunway(*aircraft) : nullptr;
}

void Airport::hilightRunway(const Aircraft& aircraft) {
    for (const auto& rw : _runways) {
        if (rw->getClass() != aircraft.getClass() || !rw->getRuwayLights()) continue;
        rw->getRuwayLights()->setColorYellow();
        rw->getRuwayLights()->on();
    }
}

void Airport::hilightRunway(const std::shared_ptr<Aircraft>& aircraft) {
    if (aircraft) hilightRunway(*aircraft);
}

void Airport::clearRunwaysLights() {
    for (const auto& rw : _runways) rw->lightsOff();
}

void Airport::setFlag(const std::string& id) {
    _flag = ResourceManager::GetInstance()->getDirectImage("images/flags/" + id + ".png");
    if (_flag) _flag->midHandle();
}

void Airport::switchBgdTo(int slot) {
    if (slot < 0 || slot >= int(_bgdArray.size())) return;
    _bgd2Index = slot;
    _bgdTimer = 1.0f;
}

void Airport::_renderBackground() {
    plat::drawImage(_bgdArray[size_t(_bgdIndex)], 0.0f, 0.0f);
    if (_bgdTimer > 0.0f) {
        plat::setAlpha(1.0f - _bgdTimer);
        plat::drawImage(_bgdArray[size_t(_bgd2Index)], 0.0f, 0.0f);
        plat::setAlpha(1.0f);
    }
}

void Airport::render() {
    _renderBackground();
    if (_flag) {
        const float ds = ScreenManager::getDrawScale();
        plat::setRotation(_flagAngle);
        plat::setAlpha(0.75f);
        plat::drawImage(_flag, float(_flagPos.x) * ds, float(_flagPos.y) * ds);
        plat::setRotation(0.0f);
        plat::setAlpha(1.0f);
    }
    for (const auto& rw : _runways) rw->render();
}
