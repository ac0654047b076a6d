// "airports.txt" through the game's reader; every airport it accepts is installed as the
// game installs a chosen one (runways, a visitor's flag, display colour), drawn, and landed on: an
// aircraft on each runway's final approach flies for a while. Picture and sound names that
// name no file in the tree are replaced by the first airport's, since a missing asset ends
// the game by design.
#include <cstdint>
#include <string>

#include "screens/constants.h"
#include "fuzz_game.h"
#include "game/traffic/aircraft.h"
#include "game/airport/airport.h"
#include "game/airport/airportitem.h"
#include "game/traffic/fleetmanager.h"
#include "game/scenarios/game_playmanager.h"
#include "game/traffic/gameworld.h"
#include "game/airport/runway.h"
#include "imports/kz_spline.h"
#include "platform/files.h"
#include "screens/airportselectscreen.h"
#include "screens/gamescreen.h"
#include "vostrel/kz_textarea.h"

namespace {

bool inTree(const std::string& rel) {
    return plat::fileType((fuzz_game::root() / "assets" / rel).string()) == plat::FILETYPE_FILE;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz_game::start();
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string error;
    auto records = AirportItem::readRecords(text, error);
    if (!records) {
        // Refused: a message naming the line, as the start-up prints it.
        if (error.rfind("airports.txt line ", 0) != 0) __builtin_trap();
        return 0;
    }
    auto game = GameScreen::GetInstance();
    for (const AirportItemPtr& item : *records) {
        if (!item) __builtin_trap();
        AirportItem record = *item;
        if (!inTree("images/airport/" + record.imgName)) record.imgName = "farmville.png";
        if (!inTree("audio/" + record.bgSound)) record.bgSound = "ambience_farmville.ogg";
        game->setGameplayMan(Game_playManager::loadScene(Constants::CALM_DAY));
        auto airport = Airport::GetInstance();
        airport->loadData(record);
        airport->setFlag("usa");  // a visitor's flag, at the record's place and angle
        auto world = GameWorld::GetInstance();
        for (const RunwayPtr& rw : airport->getRunways()) {
            auto a = Aircraft::Create(rw->getClass(), Vector(400.0, 240.0));
            world->addAircraft(a);
            auto path = std::make_shared<KZ_spline>();
            path->addPoint(Vector(400.0, 240.0));
            rw->addVectorFinal(path);
            a->flyPath(path, 2.0f, 0);
            a->setPhase(Aircraft::APPROACH);
            airport->hilightRunway(a);
        }
        for (int i = 0; i < 15; ++i) {
            game->update();
            game->render();
        }
    }
    // The airport choice reads the file its own way and shows each description in a text
    // area as wide as its column.
    const auto chosen = AirportSelectScreen::parseAirports(text);
    auto normal = ResourceManager::GetInstance()->retrieveFont("normal");
    for (size_t i = 0; i < chosen.size(); ++i) {
        if (!chosen[i]) __builtin_trap();  // the reader above accepted every line
        auto area = KZ_textarea::Create(chosen[i]->description, int(10 + 260 * i), 270, 244, 300, normal);
        area->render();
    }
    return 0;
}
