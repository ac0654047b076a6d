#include "screens/screenshell.h"

#include <memory>

#include "game/scenarios/game_playmanager.h"
#include "screens/intermissionscreen.h"
#include "screens/scorescreen.h"
#include "screens/storybreakscreen.h"
#include "screens/settingsmanager.h"
#include "vostrel/screenmanager.h"
#include "vostrel/vostrelframework.h"

void ScreenShell::showIntermission() { ScreenManager::GetInstance()->switchTo(IntermissionScreen::GetInstance(), 1, 0.0f); }

void ScreenShell::showStoryBreak() { ScreenManager::GetInstance()->switchTo(StorybreakScreen::GetInstance(), 1, 0.0f); }

void ScreenShell::addCurrentScore() { ScoreScreen::GetInstance()->addCurrentScore(); }

void ScreenShell::saveProgress() { SettingsManager::GetInstance()->save(); }

std::string ScreenShell::getStoryData(int slot) { return SettingsManager::GetInstance()->getStoryData(slot); }

void ScreenShell::setStoryData(int slot, const std::string& text) { SettingsManager::GetInstance()->setStoryData(slot, text); }

void ScreenShell::storySetPhase(int n) { StorybreakScreen::GetInstance()->setPhase(n); }

void ScreenShell::storySetTextLocation(int x, int y, int width, int height) {
    StorybreakScreen::GetInstance()->setTextLocation(x, y, width, height);
}

void ScreenShell::storySetText(const std::string& text) { StorybreakScreen::GetInstance()->setText(text); }

void ScreenShell::storySetImageLocation(int x, int y) { StorybreakScreen::GetInstance()->setImageLocation(x, y); }

void ScreenShell::storySetImage(const std::string& path) { StorybreakScreen::GetInstance()->setImage(path); }

void installScreenShell() {
    GameShell::install(std::make_shared<ScreenShell>());
    VostrelFramework::RunningGameHooks hooks;
    hooks.missionStatus = [] { return Game_playManager::getMissionStatus(); };
    hooks.addCurrentScore = [] { GameShell::get().addCurrentScore(); };
    hooks.saveProgress = [] { GameShell::get().saveProgress(); };
    VostrelFramework::GetInstance()->setRunningGameHooks(std::move(hooks));
}
