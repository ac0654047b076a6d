// "nations.txt" as the game reads it when a game starts: the world's nation list, then
// heads of state of the first nations greeted (anthem, "NOW ARRIVING" line, flag at the
// airport), flown, drawn and landed, each landing adding the nation's flag to the display.
// A nation whose id names no flag picture gets a known id instead: a missing picture ends
// the game by design.
#include <cstdint>
#include <string>

#include "screens/constants.h"
#include "fuzz_game.h"
#include "game/traffic/aircraft.h"
#include "game/traffic/fleetmanager.h"
#include "game/scenarios/game_playmanager.h"
#include "game/traffic/gameworld.h"
#include "game/traffic/nationitem.h"
#include "platform/files.h"
#include "screens/gamescreen.h"
#include "vostrel/resourcemanager.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz_game::start();
    fuzz_game::writeFile("nations.txt", data, size);
    std::string decoded;
    // An empty or unreadable file ends the start-up with the registry's message: not fuzzed.
    if (!plat::loadText(ResourceManager::_textPath + "nations.txt", decoded) || decoded.empty()) return 0;
    ResourceManager::GetInstance()->addText("nations.txt", "nation data");

    auto game = GameScreen::GetInstance();
    auto pm = Game_playManager::loadScene(Constants::UNITED_NATIONS);
    game->setGameplayMan(pm);  // the world reads the nation list afresh
    auto world = GameWorld::GetInstance();
    const int count = world->getNationCount();
    for (int i = 0; i < count; ++i) {
        auto nation = world->getNationByIndex(i);
        if (!nation) __builtin_trap();
        const std::string flag = (fuzz_game::root() / "assets" / "images" / "flags" / (nation->id + ".png")).string();
        if (nation->id.empty() || nation->id.find('/') != std::string::npos ||
            plat::fileType(flag) != plat::FILETYPE_FILE)
            nation->id = "usa";
        if (world->getNationById(nation->id) == nullptr) __builtin_trap();
    }
    auto fleet = FleetManager::GetInstance();
    for (int i = 0; i < count && i < 4; ++i) {
        auto hos = fleet->addHeadOfState(world->getNationByIndex(i), i * 2, 1);
        if (!hos) continue;
        fleet->startHOSgreetings();
        for (int f = 0; f < 10; ++f) {
            game->update();
            game->render();
        }
        pm->onAircraftLanded(hos);
        world->removeAircraft(hos);
        game->render();
    }
    return 0;
}
