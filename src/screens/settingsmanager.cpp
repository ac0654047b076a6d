#include "screens/settingsmanager.h"

#include <vector>

#include "game/traffic/fleetmanager.h"
#include "platform/files.h"
#include "platform/sys.h"
#include "platform/text.h"
#include "screens/scorescreen.h"
#include "vostrel/resourcemanager.h"

SettingsManager::SettingsManager() { _storyPhaseArray.fill(DEFAULT_STORY); }

std::string SettingsManager::_composeText() const {
    std::string text = std::to_string(FleetManager::GetInstance()->getTotalLandCount()) + "\r\n";
    text += ScoreScreen::GetInstance()->serializeScores() + "\r\n";
    text += _storyPhaseArray[0] + "\r\n";
    return text;
}

int SettingsManager::save() {
    if (!_saving) return 0;
    return ResourceManager::GetInstance()->SaveTextFile(_composeText(), FILE_NAME);
}

int SettingsManager::_createNewSettings() {
    if (ResourceManager::GetInstance()->SaveTextFile("0", FILE_NAME) == 0) return 0;
    // The folder cannot take the file at all: play on as a first run, saying so once,
    // instead of failing the same write at every game over.
    _saving = false;
    plat::printLine("Progress will not be kept this time: " + ResourceManager::_textPath + FILE_NAME +
                    " cannot be created");
    return -1;
}

int SettingsManager::loadData() {
    auto res = ResourceManager::GetInstance();
    const std::string path = ResourceManager::_textPath + FILE_NAME;
    // The registry's reader would stop with a bare "could not read"; say what is wrong
    // instead, since the player has to mend it by hand.
    if (plat::fileType(path) == plat::FILETYPE_DIR)
        ResourceManager::_errorHandling("The progress file " + path + " is a folder, not a file; remove or rename it");
    // A file that could not be created is read as the new file it would have been.
    std::string text = "0";
    const bool onDisk = res->textFileExist(FILE_NAME) != 0 || _createNewSettings() == 0;
    if (onDisk && !plat::loadText(path, text))
        ResourceManager::_errorHandling("The progress file " + path + " cannot be read; check that it is a readable text file");

    std::vector<std::string> lines = plat::split(text, "\r\n");
    // A trailing CR LF leaves an empty last piece that is not a line.
    if (lines.size() > 1 && lines.back().empty()) lines.pop_back();

    const std::string landings = plat::split(lines[0], "|")[0];
    if (lines.size() >= 2) {
        _scoreData = lines[1];
        ScoreScreen::GetInstance()->loadScores(lines[1]);
    }
    if (lines.size() >= 3) _storyPhaseArray[0] = lines[2];
    FleetManager::GetInstance()->setTotalLandCount(plat::toInt(landings));
    return 0;
}

std::string SettingsManager::getStoryData(int i) const {
    if (i < 0 || i >= int(_storyPhaseArray.size())) return "";
    return _storyPhaseArray[size_t(i)];
}

int SettingsManager::setStoryData(int i, const std::string& text) {
    if (i < 0 || i >= int(_storyPhaseArray.size())) return 0;
    _storyPhaseArray[size_t(i)] = text;
    return 0;
}
