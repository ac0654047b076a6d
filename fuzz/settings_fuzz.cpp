// The progress file "settings.txt" as the game reads it at start-up: the total landings,
// the score board (then drawn as the player sees it) and the story's slot (then the story
// restored from it, played a little and landed on). Whatever the file holds, the game must neither
// crash nor stop, and what it saves from the file must read back the same.
#include <cstdint>
#include <string>

#include "screens/constants.h"
#include "fuzz_game.h"
#include "game/traffic/aircraft.h"
#include "game/airport/airport.h"
#include "game/traffic/fleetmanager.h"
#include "game/scenarios/game_playmanager.h"
#include "platform/files.h"
#include "screens/gamescreen.h"
#include "screens/scorescreen.h"
#include "screens/settingsmanager.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz_game::start();
    fuzz_game::writeFile(SettingsManager::FILE_NAME, data, size);
    const std::string path = (fuzz_game::root() / "assets" / SettingsManager::FILE_NAME).string();
    // A UTF-16 file with an odd byte count is refused by the text reader, and the game
    // stops with its message; that road is not for fuzzing.
    std::string decoded;
    if (!plat::loadText(path, decoded)) return 0;

    // As a fresh start finds things before the file is read.
    auto settings = SettingsManager::GetInstance();
    auto board = ScoreScreen::GetInstance();
    board->resetScores();
    settings->setStoryData(0, SettingsManager::DEFAULT_STORY);
    FleetManager::GetInstance()->setTotalLandCount(0);

    settings->loadData();
    const std::string first = settings->_composeText();
    board->render();

    // Saved and read again, the progress is what it was.
    settings->save();
    settings->loadData();
    if (settings->_composeText() != first) __builtin_trap();

    // The story picks up where the slot says, and plays on a little.
    auto game = GameScreen::GetInstance();
    game->setGameplayMan(Game_playManager::loadScene(Constants::FORGOTTEN_PORT));
    for (int i = 0; i < 20; ++i) {
        game->update();
        game->render();
    }
    // A landing of each class books its fee on the restored funds.
    auto airport = Airport::GetInstance();
    for (int cls : {Aircraft::HEAVY, Aircraft::LIGHT}) airport->aircraftLanded(Aircraft::Create(cls, Vector(400.0, 240.0)));
    FleetManager::GetInstance()->_addLandCount();  // and counts on the restored total
    game->render();
    return 0;
}
