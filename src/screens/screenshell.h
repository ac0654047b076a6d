// The real links from the simulation up to the screens and the progress file.
#pragma once
#include <string>

#include "game/gameshell.h"

class ScreenShell : public GameShell {
public:
    void showIntermission() override;
    void showStoryBreak() override;
    void addCurrentScore() override;
    void saveProgress() override;
    std::string getStoryData(int slot) override;
    void setStoryData(int slot, const std::string& text) override;
    void storySetPhase(int n) override;
    void storySetTextLocation(int x, int y, int width, int height) override;
    void storySetText(const std::string& text) override;
    void storySetImageLocation(int x, int y) override;
    void storySetImage(const std::string& path) override;
};

// Installs the shell above, and lets the program's end enter and save a running game.
// The start-up calls it once, after the framework object exists.
void installScreenShell();
