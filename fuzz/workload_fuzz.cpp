// "workload.txt" as the scenario grid reads it: registered under its key at start-up, read
// by the grid, drawn, and every cell clicked, its description opened, drawn and closed.
#include <cstdint>
#include <string>

#include "fuzz_game.h"
#include "platform/files.h"
#include "screens/workloadscreen.h"
#include "vostrel/resourcemanager.h"

namespace {
// The grid reads the text once, when it is made; this puts a fresh reading in its place.
struct GridItems : WorkloadScreen {
    static constexpr auto slot = &GridItems::_workItemArray;
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz_game::start();
    fuzz_game::writeFile("workload.txt", data, size);
    auto res = ResourceManager::GetInstance();
    std::string decoded;
    // An empty or unreadable file ends the start-up with the registry's message: not fuzzed.
    if (!plat::loadText(ResourceManager::_textPath + "workload.txt", decoded) || decoded.empty()) return 0;
    res->addText("workload.txt", "workload data");
    auto grid = WorkloadScreen::GetInstance();
    (*grid).*GridItems::slot = WorkloadScreen::parseWorkload(res->retrieveText("workload data"));
    grid->onFadeInStart();
    grid->render();
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 4; ++column) {
            grid->onMouseUp(100 + 187 * column, 150 + 199 * row);
            grid->render();
            grid->_hideDetail();
        }
    grid->onFadeOutEnd();
    return 0;
}
