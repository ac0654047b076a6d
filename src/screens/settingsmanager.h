// Keeps the player's progress between runs in "settings.txt": the total landings, the score
// board and the story progress, three lines each ending in CR LF.
#pragma once
#include <array>
#include <memory>
#include <string>

#include "game/scenarios/storyslot.h"
#include "imports/object.h"
#include "vostrel/singleton.h"

class SettingsManager : public Object, public Singleton<SettingsManager> {
public:
    static constexpr const char* FILE_NAME = "settings.txt";
    static constexpr const char* DEFAULT_STORY = StorySlot::DEFAULT;

    SettingsManager();

    // Writes the file whole through the registry's safe writer (temporary file, then rename).
    // A failed write is reported and returns -1; the old file stays whole and play goes on.
    int save();
    // Reads the file, creating it holding "0" first when it is missing; when it cannot be
    // created, reads "0" and keeps nothing this run. A "settings.txt" that is a folder or
    // cannot be read ends the program with a message saying so.
    int loadData();
    // Slots 0..3; slot 0 is the one kept in the file. Outside that range: "" and no change.
    std::string getStoryData(int i) const;
    int setStoryData(int i, const std::string& text);
    int _createNewSettings();
    std::string getSocreData() const { return _scoreData; }

    // The file's content as save() writes it.
    std::string _composeText() const;

    std::array<std::string, 4> _storyPhaseArray;
    std::string _scoreData;
    // False once the file could not even be created: nothing is written this run.
    bool _saving = true;
};
