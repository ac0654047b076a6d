// The application object: owns the six framework services, creates them in a fixed
// order, runs one frame per update and records a running game when the program closes.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "imports/object.h"
#include "vostrel/singleton.h"

class ScreenManager;
class ResourceManager;
class SoundManager;
class Vostrel_display;
class KZ_systemUI2;
class Vostrel_IO;

class VostrelFramework : public Object, public Singleton<VostrelFramework> {
public:
    // Both also fill the global `vostrel`.
    static std::shared_ptr<VostrelFramework> GetInstance();
    static std::shared_ptr<VostrelFramework> Create();

    VostrelFramework();

    int initApp(int width, int height, int fps, int mode);
    int setVersion(const std::string& version);
    std::string getVersion() const;
    int update();
    int onTerminate();

    // What onTerminate needs of the game, which lives above the framework: the running
    // scenario's mission status, the score board's entry of the running game, and the
    // saving of the progress file. The start-up sets them once.
    struct RunningGameHooks {
        std::function<int()> missionStatus;
        std::function<void()> addCurrentScore;
        std::function<void()> saveProgress;
    };
    int setRunningGameHooks(RunningGameHooks hooks);

    std::shared_ptr<ScreenManager> screen;
    std::shared_ptr<ResourceManager> resource;
    std::shared_ptr<SoundManager> audio;
    std::shared_ptr<Vostrel_display> display;
    std::shared_ptr<KZ_systemUI2> ui;
    std::shared_ptr<Vostrel_IO> io;
    std::string _version;

protected:
    RunningGameHooks _runningGame;
};

extern std::shared_ptr<VostrelFramework> vostrel;
