#include "game/scenarios/gs_forgottenport.h"

#include <algorithm>
#include <optional>

#include "game/traffic/aircraft.h"
#include "game/airport/airport.h"
#include "game/traffic/fleetmanager.h"
#include "game/gameshell.h"
#include "game/scenarios/storyslot.h"
#include "game/display/gameui.h"
#include "game/traffic/gameworld.h"
#include "game/weather/weathersystem.h"
#include "imports/basicfunctions.h"
#include "platform/sys.h"
#include "platform/text.h"
#include "vostrel/resourcemanager.h"
#include "vostrel/screenmanager.h"
#include "vostrel/soundmanager.h"

namespace {
const char* const SPEECH_FILE = "Stories/forgotten_port_speech.txt";
const char* const OLEG = "Oleg_Varnik";

// Phase 7: a flock, while fewer than 3 are in the air.
constexpr Chance FLOCK_CHANCE{2000, 1226};
// Phase 10: a life flight, while fewer than 3 are in the air.
constexpr Chance LIFE_FLIGHT_CHANCE{200, 172};
// Phase 11: a drone, while none is in the air; an intruder, while none is in the air.
constexpr Chance UAV_CHANCE{200, 102};
constexpr Chance INTRUDER_CHANCE{200, 12};

std::string num(int n) { return std::to_string(n); }
}  // namespace

const std::vector<std::string>& GS_forgottenPort::storyNations() {
    static const std::vector<std::string> ids{"russia", "china", "brazil", "venezuela", "usa", "england"};
    return ids;
}

const std::vector<std::string>& GS_forgottenPort::storyPictures() {
    static const std::vector<std::string> paths{
        "images/airport/forgotton_port_2.png",           "images/stories/forgotten_port/Oleg_Varnik.png",
        "images/stories/forgotten_port/Mei_Tarsa.png",   "images/stories/forgotten_port/Dana_Colter.png",
        "images/stories/forgotten_port/Rick_Halden.png",
    };
    return paths;
}

int GS_forgottenPort::init() {
    const float ds = ScreenManager::getDrawScale();
    auto airport = Airport::getInstance();
    auto& shell = GameShell::get();
    airport->loadBgd(2, "forgotton_port_2.png");
    shell.storySetTextLocation(int(280 * ds), int(50 * ds), int(500 * ds), int(200 * ds));
    shell.storySetImageLocation(5, 50);
    _nationCount = 0;

    // A visit to a nation the list lacks would wait for ever: refuse to start, naming it.
    auto world = GameWorld::GetInstance();
    for (const auto& id : storyNations())
        if (!world->getNationById(id)) plat::fatal("Nation " + id + " could not be found in nations.txt");

    if (_phase == 0) {
        if (const std::optional<StorySlot> slot = StorySlot::parse(shell.getStoryData(0))) {
            _phase = slot->phase;
            airport->setFunds(slot->funds);
            // Phases 13-99 and below 0 do nothing: such a slot would stick.
            if (_phase < 0 || (_phase > 12 && _phase <= 99)) _phase = 0;
        } else {
            // Never written by the game: begin the story afresh.
            _phase = 0;
            airport->setFunds(Airport::STARTING_FUNDS);
        }
    }
    if (_phase > 99) _phase = 0;
    // A restored story that cannot pay its way would be lost again 150 frames after every start.
    if (airport->getFunds() <= 0) airport->setFunds(Airport::STARTING_FUNDS);
    setPhase(_phase);

    auto rm = ResourceManager::GetInstance();
    if (rm->textFileExist(SPEECH_FILE)) {
        const std::string text = rm->getDirectText(SPEECH_FILE);
        if (!text.empty()) _speech = plat::split(text, "\n");
    }
    _HOScrash = 0;
    _storyMode = STORY;
    return 0;
}

int GS_forgottenPort::setPhase(int phase) {
    ++_phaseStarts;
    const float ds = ScreenManager::getDrawScale();
    auto& shell = GameShell::get();
    _phase = phase;
    shell.storySetPhase(phase);
    GameWorld::GetInstance()->removeAllAircrafts();
    shell.showStoryBreak();
    FleetManager::GetInstance()->setLandCount(0);
    _step = _var1 = _var2 = _var3 = 0;
    auto ui = GameUI::GetInstance();
    if (phase > 0) {
        const std::string text = "PHASE " + num(phase);
        ui->addText(int(float(ScreenManager::GetInstance()->textRightAlignX(text)) - 10 * ds), int(10 * ds), text, 400);
    }
    auto airport = Airport::getInstance();
    airport->clearRunwaysLights();
    ui->setAuxMsg("");
    airport->stopBGsound();
    SoundManager::GetInstance()->stopBackground();
    _saveDataToSettings();
    return 0;
}

int GS_forgottenPort::_saveDataToSettings() {
    GameShell::get().setStoryData(0, StorySlot{_phase, Airport::getInstance()->getFunds()}.text());
    // On disk at once: the program may be closed with no game running (from the menu, or
    // after the last phase), and then nothing else would save the phase reached.
    GameShell::get().saveProgress();
    return 0;
}

int GS_forgottenPort::_addNationIcon(const std::string& id) {
    ++_nationCount;
    _addFlagIcon(id, _nationCount);
    return 0;
}

void GS_forgottenPort::_show(const std::string& portrait, int line) {
    auto& shell = GameShell::get();
    shell.storySetImage("images/stories/forgotten_port/" + portrait + ".png");
    shell.storySetText(line >= 0 && line < int(_speech.size()) ? _speech[size_t(line)] : std::string());
}

void GS_forgottenPort::_endPhase(const std::string& portrait, int line, int next) {
    _show(portrait, line);
    setPhase(next);
}

void GS_forgottenPort::_restart(int line) {
    _show(OLEG, line);
    setPhase(_phase);
}

void GS_forgottenPort::_wait() { _var1 = plat::Rand(450, 900); }

void GS_forgottenPort::_visit(const std::string& nation, int first) {
    auto airport = Airport::getInstance();
    if (_step == first) {
        airport->startBGsound();
        _wait();
        _step = first + 1;
    } else if (_step == first + 1) {
        --_var1;
        if (_var1 > 0) return;
        auto fleet = FleetManager::GetInstance();
        int lane = fleet->getFreeLane();
        if (lane == -1) return;
        airport->stopBGsound();
        fleet->addHeadOfState(GameWorld::GetInstance()->getNationById(nation), lane, 1);
        _step = first + 2;
    }
    // The third step waits for the landing.
}

void GS_forgottenPort::_stormBreaks() {
    Airport::getInstance()->stopBGsound();
    SoundManager::GetInstance()->load_play("audio/wind.ogg", 1);
    WeatherSystem::getInstance()->setCloudCover(WeatherSystem::CLOUD_THUNDER);
    _addRightText("THUNDER STORM IMMINENT");
    SoundManager::GetInstance()->playChannel(3, "warning sound");
    Airport::getInstance()->switchBgdTo(2);
}

void GS_forgottenPort::_storm(int frames, const std::string& portrait, int line, int next) {
    auto airport = Airport::getInstance();
    auto weather = WeatherSystem::getInstance();
    switch (_step) {
        case 0:
            FleetManager::GetInstance()->setLandCount(0);
            airport->startBGsound();
            weather->setCloudCover(WeatherSystem::CLOUD_LIGHT);
            airport->switchBgdTo(1);
            _wait();
            _step = 1;
            break;
        case 1:
            if (--_var1 <= 0) _step = 2;
            break;
        case 2:
            _stormBreaks();
            _var1 = frames;
            _step = 3;
            break;
        case 3:
            --_var1;
            GameUI::GetInstance()->setAuxMsg("End of storm ~ " + formatFrameCountForTime(_var1, 30));
            if (_var1 <= 0) _step = 4;
            break;
        case 4:
            SoundManager::GetInstance()->stopBackground();
            weather->setCloudCover(WeatherSystem::CLOUD_NONE);
            airport->switchBgdTo(1);
            _endPhase(portrait, line, next);
            break;
        default:
            break;
    }
}

bool GS_forgottenPort::_lifeFlights(int patients, int inAir, const std::optional<Chance>& chance) {
    auto fleet = FleetManager::GetInstance();
    if (_step == 0) {
        fleet->startMedicalBeat();
        Airport::getInstance()->stopBGsound();
        _step = 1;
        return false;
    }
    if (_step != 1) return false;
    if (GameWorld::GetInstance()->getLifeFlightCount() < inAir && (!chance || chance->draw()) && fleet->laneAvailable())
        fleet->addLifeFlight(fleet->getFreeLane());
    if (fleet->getFlatLine()) {
        SoundManager::GetInstance()->playChannel(4, "flatline sound");
        _restart(13);
    }
    GameUI::GetInstance()->setAuxMsg("Medivac remaining:" + num(std::max(0, patients - _var1)));
    if (_var1 < patients) return false;
    fleet->stopMedicalBeat();
    return true;
}

int GS_forgottenPort::update() {
    _globalUpdate();
    // Lost for money: the game screen still runs while it fades out to the intermission,
    // and no phase may end or restart (and ask for the break screen instead) meanwhile.
    if (_gameOverDone) return 0;
    if (_phase == 0) {
        _show(OLEG, 0);
        setPhase(1);
    }
    switch (_phase) {
        case 1: return _update_phase_1();
        case 2: return _update_phase_2();
        case 3: return _update_phase_3();
        case 4: return _update_phase_4();
        case 5: return _update_phase_5();
        case 6: return _update_phase_6();
        case 7: return _update_phase_7();
        case 8: return _update_phase_8();
        case 9: return _update_phase_9();
        case 10: return _update_phase_10();
        case 11: return _update_phase_11();
        case 12: return _update_phase_12();
        default: return 0;
    }
}

int GS_forgottenPort::_update_phase_1() {
    _updateBasics();
    int landings = FleetManager::GetInstance()->getLandCount();
    GameUI::GetInstance()->setAuxMsg("Landings Remaining:" + num(std::max(0, 20 - landings)));
    if (_step == 0) {
        Airport::getInstance()->startBGsound();
        _step = 1;
    } else if (_step == 1 && landings >= 20) {
        _show(OLEG, 1);
        Airport::getInstance()->addToFunds(100000);
        setPhase(2);
    }
    return 0;
}

int GS_forgottenPort::_update_phase_2() {
    _updateBasics();
    if (_step == 3) _endPhase(OLEG, 2, 3);
    else _visit("russia", 0);
    return 0;
}

int GS_forgottenPort::_update_phase_3() {
    _updateBasics();
    // One life flight at a time, sent as soon as a lane is free.
    if (_lifeFlights(6, 1, std::nullopt)) _endPhase(OLEG, 3, 4);
    return 0;
}

int GS_forgottenPort::_update_phase_4() {
    _updateBasics();
    _storm(4000, OLEG, 4, 5);
    return 0;
}

int GS_forgottenPort::_update_phase_5() {
    _updateBasics();
    auto fleet = FleetManager::GetInstance();
    auto ui = GameUI::GetInstance();
    switch (_step) {
        case 0:
            fleet->setLandCount(0);
            ui->setAuxMsg("Installation at 0%");
            fleet->removeAircraftType(Aircraft::LIGHT);
            Airport::getInstance()->startBGsound();
            _step = 1;
            return 0;
        case 10:
            _restart(18);
            return 0;
        default:
            break;
    }
    int landings = fleet->getLandCount();
    ui->setAuxMsg("Installation at " + num(int(landings / 30.0 * 100.0)) + "%");
    if (_step == 1 && landings >= 30) {
        Airport::getInstance()->stopBGsound();
        _step = 2;
    } else if (_step == 2) {
        _endPhase(OLEG, 5, 6);
    }
    return 0;
}

int GS_forgottenPort::_update_phase_6() {
    _updateBasics();
    if (_step == 0) _var2 = 3;
    else if (_step == 3) _var2 = 2;
    else if (_step == 6) _var2 = 1;
    GameUI::GetInstance()->setAuxMsg("Remainig Heads of State:" + num(_var2));
    if (_step <= 2) _visit("china", 0);
    else if (_step <= 5) _visit("brazil", 3);
    else if (_step <= 8) _visit("venezuela", 6);
    else if (_step == 9) _endPhase(OLEG, 6, 7);
    return 0;
}

int GS_forgottenPort::_update_phase_7() {
    _updateBasics();
    GameUI::GetInstance()->setAuxMsg("Flocks Remaining:" + num(std::max(0, 5 - _var1)));
    if (_step == 0) {
        _step = 1;
    } else if (_step == 1) {
        auto fleet = FleetManager::GetInstance();
        if (GameWorld::GetInstance()->getBirdCount() < 3 && FLOCK_CHANCE.draw()) {
            int lane = fleet->getFreeLane();
            if (lane != -1) fleet->addBirdFlock(lane);
        }
        if (_var1 >= 5) _endPhase("Mei_Tarsa", 7, 8);
    }
    return 0;
}

int GS_forgottenPort::_update_phase_8() {
    _updateBasics();
    _storm(8000, "Dana_Colter", 8, 9);
    return 0;
}

int GS_forgottenPort::_update_phase_9() {
    _updateBasics();
    if (_step == 3) _endPhase(OLEG, 9, 10);
    else _visit("usa", 0);
    return 0;
}

int GS_forgottenPort::_update_phase_10() {
    _updateBasics();
    if (_lifeFlights(20, 3, LIFE_FLIGHT_CHANCE)) {
        auto ui = GameUI::GetInstance();
        if (ui->getItemList().size() > 5) ui->removeImage(5);
        _endPhase(OLEG, 10, 11);
    }
    return 0;
}

int GS_forgottenPort::_update_phase_11() {
    _updateBasics();
    const int starts = _phaseStarts;
    auto airport = Airport::getInstance();
    auto weather = WeatherSystem::getInstance();
    auto ui = GameUI::GetInstance();
    auto calmAgain = [&] {
        SoundManager::GetInstance()->stopBackground();
        weather->setCloudCover(WeatherSystem::CLOUD_NONE);
        airport->switchBgdTo(1);
    };
    switch (_step) {
        case 0:
            FleetManager::GetInstance()->setLandCount(0);
            airport->startBGsound();
            weather->setCloudCover(WeatherSystem::CLOUD_LIGHT);
            ui->setAuxMsg("UAV kills Remaining:" + num(std::max(0, 10 - _var3)));
            airport->switchBgdTo(1);
            _step = 1;
            break;
        case 1:
            if (_var3 > 5) _step = 2;
            break;
        case 2:
            _stormBreaks();
            _step = 3;
            break;
        case 3:
            if (_var3 >= 10) _step = 4;
            break;
        case 4:
            calmAgain();
            _show(OLEG, 11);
            ui->setAuxMsg("");
            ui->clearImages();
            setPhase(12);
            break;
        case 5:
            calmAgain();
            _show(OLEG, 14);
            ui->setAuxMsg("");
            setPhase(11);
            break;
        default:
            break;
    }
    // Nothing new takes off into a phase that has just ended or restarted: an intruder sent
    // now would cross the next phase on its own and fail it when it leaves.
    if (_phaseStarts != starts) return 0;
    auto fleet = FleetManager::GetInstance();
    auto world = GameWorld::GetInstance();
    if (world->getUAVFlightCount() == 0 && UAV_CHANCE.draw() && fleet->laneAvailable())
        fleet->addUAVFlight(fleet->getFreeLane());
    if (world->getLifeFlightCount() == 0 && INTRUDER_CHANCE.draw() && fleet->laneAvailable()) {
        if (auto intruder = fleet->addLifeFlight(fleet->getFreeLane())) {
            intruder->setUserControlled(0);
            intruder->setTransitFlight(1);
        }
    }
    return 0;
}

int GS_forgottenPort::_update_phase_12() {
    _updateBasics();
    if (_step == 3) {
        _show("Rick_Halden", 12);
        _step = 4;
        setPhase(STORYOVER);
        endGameplay();
    } else {
        _visit("england", 0);
    }
    return 0;
}

int GS_forgottenPort::onAircraftLanded(const std::shared_ptr<Aircraft>& aircraft) {
    if (!aircraft) return 0;
    if (aircraft->getPayload() == Aircraft::HOS) {
        if (_phase == 2) _step = 3;
        else if (_phase == 6 || _phase == 9 || _phase == 12) ++_step;
    } else if (aircraft->getPayload() == Aircraft::LIFEGUARD) {
        if (_phase == 3 || _phase == 10) ++_var1;
    } else if (aircraft->getClass() == Aircraft::LIGHT && _phase == 5) {
        _step = 10;
    }
    return 0;
}

int GS_forgottenPort::onAircraftDrift(const std::shared_ptr<Aircraft>& aircraft) {
    if (!aircraft || _gameOverDone) return 0;
    bool failure = true;
    if (_phase == 5) {
        failure = aircraft->getClass() != Aircraft::LIGHT;
    } else if (_phase == 7) {
        if (aircraft->getClass() == Aircraft::BIRD) {
            ++_var1;
            failure = false;
        }
    } else if (_phase == 11) {
        if (aircraft->getPayload() == Aircraft::LIFEGUARD) {
            _step = 5;
            failure = false;
        }
    }
    if (failure) {
        _addRightText("Aircraft drifted");
        SoundManager::GetInstance()->playChannel(3, "warning sound");
        _restart(15);
    }
    return 0;
}

int GS_forgottenPort::onCollision(const std::shared_ptr<Aircraft>& a, const std::shared_ptr<Aircraft>& b) {
    if (_gameOverDone) return 0;
    auto payload = [](const std::shared_ptr<Aircraft>& x) { return x ? x->getPayload() : 0; };
    const int pa = payload(a), pb = payload(b);
    if (_phase == 11 && ((pa == Aircraft::UAV && pb == Aircraft::LIFEGUARD) ||
                         (pa == Aircraft::LIFEGUARD && pb == Aircraft::UAV))) {
        ++_var3;
        GameUI::GetInstance()->setAuxMsg("UAV kills Remaining:" + num(std::max(0, 10 - _var3)));
        return 0;
    }
    _restart(pa == Aircraft::HOS || pb == Aircraft::HOS ? 16 : 17);
    return 0;
}
