// The screen a game is played on: runs the simulation once per frame, draws it, passes the
// mouse to the engine and handles Esc (menu), P (pause) and M (mute).
#pragma once
#include <memory>

#include "vostrel/inf_screenmanager.h"
#include "vostrel/singleton.h"

class GameEngine;
class GameWorld;
class WeatherSystem;
class Renderer;
class GameUI;
class Game_playManager;

class GameScreen : public inf_screenManager, public Singleton<GameScreen> {
public:
    // Takes the engine, world, weather, renderer, display and calm-day scenario, creating
    // those that do not exist yet.
    GameScreen();

    int update() override;
    int render() override;
    int onFadeInStart() override;
    int onFadeOutStart() override;
    int onFadeOutEnd() override;
    int onMouseMove(int x, int y) override;
    int onMouseUp(int x, int y) override;
    int onMouseDown(int x, int y) override;
    int onKeyPress(int key) override;
    int onDragStart(int x, int y) override;
    int onDrag(int x, int y) override;
    int onDragStop(int x, int y) override;

    // Starts a new game with scenario `pm` (the simulation reset in a fixed order). The
    // scenario is kept in the game's shell, where the simulation finds it.
    int setGameplayMan(const std::shared_ptr<Game_playManager>& pm);
    std::shared_ptr<Game_playManager> getGameplayMan() const;

    std::shared_ptr<GameEngine> _ge;
    std::shared_ptr<GameWorld> _gw;
    std::shared_ptr<WeatherSystem> _ws;
    std::shared_ptr<Renderer> _renderer;
    std::shared_ptr<GameUI> _gui;

protected:
    int _toMenu();
};
