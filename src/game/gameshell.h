// What the simulation asks of the screens and the progress file, which live in the layer
// above it. The start-up installs the real links (src/screens); until then, and in the
// simulation's own tests, every call is harmless and the installed scenario is kept here.
#pragma once
#include <memory>
#include <string>

#include "game/scenarios/storyslot.h"

class Game_playManager;

class GameShell {
public:
    virtual ~GameShell() = default;

    // The scenario installed on the game screen (what GameScreen.getGameplayMan returns).
    std::shared_ptr<Game_playManager> getGameplayMan() const { return _gameplayMan; }
    void setGameplayMan(std::shared_ptr<Game_playManager> pm) { _gameplayMan = std::move(pm); }

    // ScreenManager.switchTo(<screen>, push 1, rate 0.0) to the intermission or the story break.
    virtual void showIntermission() {}
    virtual void showStoryBreak() {}
    // ScoreScreen.addCurrentScore and SettingsManager.save.
    virtual void addCurrentScore() {}
    virtual void saveProgress() {}
    // SettingsManager's story slots (StorySlot's text).
    virtual std::string getStoryData(int slot) { (void)slot; return StorySlot::DEFAULT; }
    virtual void setStoryData(int slot, const std::string& text) { (void)slot; (void)text; }
    // The story break screen's setters.
    virtual void storySetPhase(int n) { (void)n; }
    virtual void storySetTextLocation(int x, int y, int width, int height) { (void)x; (void)y; (void)width; (void)height; }
    virtual void storySetText(const std::string& text) { (void)text; }
    virtual void storySetImageLocation(int x, int y) { (void)x; (void)y; }
    virtual void storySetImage(const std::string& path) { (void)path; }

    // The links in force; a default (inert) shell until one is installed.
    static GameShell& get();
    // Installs `shell`, keeping the installed scenario; nullptr goes back to the inert shell.
    static void install(std::shared_ptr<GameShell> shell);

private:
    std::shared_ptr<Game_playManager> _gameplayMan;
};
