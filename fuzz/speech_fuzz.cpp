// The story's speech file, "Stories/forgotten_port_speech.txt": read by the story when it
// starts, one speech a line, each shown on the story break screen in its text area. The
// story starts (its first speech shown through the real frames), then every line of the
// file is shown and drawn in turn.
#include <cstdint>
#include <string>

#include "screens/constants.h"
#include "fuzz_game.h"
#include "game/scenarios/game_playmanager.h"
#include "platform/files.h"
#include "platform/text.h"
#include "screens/gamescreen.h"
#include "screens/storybreakscreen.h"
#include "vostrel/resourcemanager.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz_game::start();
    const std::string file = "Stories/forgotten_port_speech.txt";
    fuzz_game::writeFile(file, data, size);
    auto game = GameScreen::GetInstance();
    game->setGameplayMan(Game_playManager::loadScene(Constants::FORGOTTEN_PORT));
    fuzz_game::frames(3);

    std::string text;
    if (!plat::loadText(ResourceManager::_textPath + file, text)) return 0;
    auto screen = StorybreakScreen::GetInstance();
    const auto lines = plat::split(text, "\n");
    for (size_t i = 0; i < lines.size() && i < 64; ++i) {
        screen->setText(lines[i]);
        screen->render();
    }
    return 0;
}
