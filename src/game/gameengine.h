// Runs one simulated frame of play and turns the player's mouse into flight paths: the
// selection of one aircraft, the path drawn for it, the hand-over of a finished path to a
// runway, separation warnings and collisions between aircraft, lightning strikes, the
// danger siren and the pause.
#pragma once
#include <memory>

#include "imports/kz_spline.h"
#include "imports/object.h"
#include "imports/vector.h"
#include "vostrel/singleton.h"

class Aircraft;
class Airport;
class CloudManager;
class FleetManager;
class GameUI;
class Renderer;

class GameEngine : public Object, public Singleton<GameEngine> {
public:
    using AircraftPtr = std::shared_ptr<Aircraft>;

    // Distance between path beads, pixels (not scaled).
    static constexpr int BEAD_SEPARATION = 35;
    // A path ending in a threshold is accepted once the mouse has rested for more than
    // this many simulated frames (so on the third).
    static constexpr int REST_FRAMES = 2;

    // Takes the fleet, airport, display and smoke puffs, makes the renderer and sets the
    // funds to 5000.
    GameEngine();

    int start();
    // For a new game: counter 0, no pause, siren off, every sound channel ended.
    int reset();
    int _clearCounter() { _counter = 0; return 0; }
    int getCounter() const { return _counter; }
    // Pausing mutes the sound and stops the siren; resuming does not restart it.
    int setPause();
    int clearPause();
    int getPause() const { return _pause; }
    int getBeadSeperation() const { return _beadSeparation; }
    std::shared_ptr<Renderer> getRenderer() const { return _renderer; }

    // The mouse, in screen pixels, as the game screen forwards it.
    int onMouseMove(int x, int y);
    int onDragStart(int x, int y);
    int onDrag(int x, int y);
    int onDragStop(int x, int y);
    int onMouseDown(int x, int y);

    int setSiren();
    int clearSiren();
    int getSirenStat() const { return _sirenOn; }

    // One simulated frame; nothing while paused.
    int update();
    int _checkWeather();
    int _checkCollision();

    // Read access for the game screen and tests.
    AircraftPtr getSelectedAircraft() const { return _selectedAircraft; }
    const KZ_splinePtr& getTempPath() const { return _tempPath; }
    const VectorPtr& getPrePoint() const { return _prePoint; }
    int getSpacingLimit() const { return _spacingLimit; }
    int getCollisionLimit() const { return _collisionLimit; }
    int getMouseLastMoved() const { return _mouseLastMoved; }

private:
    // Drops a selection that is no longer the player's to steer: removed from the world,
    // exploding, engine gone, or handed to a runway.
    void _dropLostSelection();

    std::shared_ptr<FleetManager> _fleet;
    std::shared_ptr<Airport> _airport;
    std::shared_ptr<Renderer> _renderer;
    std::shared_ptr<GameUI> _gui;
    std::shared_ptr<CloudManager> _cloudMan;
    int _pause = 0;
    AircraftPtr _selectedAircraft;
    KZ_splinePtr _tempPath;
    VectorPtr _prePoint;
    int _spacingLimit = 40;
    int _collisionLimit = 20;
    int _counter = 0;
    int _mouseLastMoved = 0;
    int _sirenOn = 0;
    int _beadSeparation = BEAD_SEPARATION;
    // Whether the current press has begun its path. A press straight after the release
    // that ended a drag gets no drag start of its own (nor the old drag's stop).
    int _pathStarted = 0;
    // From a drag start to its drag stop, so a missed stop can be made good.
    int _dragOpen = 0;
};

using GameEnginePtr = std::shared_ptr<GameEngine>;
