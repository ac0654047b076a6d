// Runs one simulated frame of play and turns the player's mouse into flight paths: the
// selection of one aircraft, the path drawn for it, the hand-over of a finished path to a
// runway, separation warnings and collisions between aircraft, lightning strikes, the
// danger siren and the pause.
#pragma once
#include <cstddef>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

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

    // What the separation rule needs to know of one aircraft of the world's list.
    struct SeparationSubject {
        Vector position;
        // Had radar contact, is not exploding and is not yet on final; a pair is examined
        // only when both are.
        bool examined = false;
        bool heavy = false;
        bool solid = true;
    };
    using SubjectPair = std::pair<size_t, size_t>;
    // One frame's verdict, as indices into the list, in the order the rule reached them.
    struct SeparationVerdict {
        // Examined pairs found far enough apart before the first close pair: both lose
        // their warning. The pairs after the close one are never examined.
        std::vector<SubjectPair> cleared;
        // The first pair closer than its spacing with a solid aircraft in it: both are
        // warned. At most one a frame.
        std::optional<SubjectPair> close;
        // The close pair is also within its collision distance.
        bool collide = false;
    };
    // The separation rule, with nothing of the world: every ordered pair (a, b) of the list
    // in order, stopping at the first close pair. Each heavy aircraft of a pair widens both
    // distances by 10 x drawScale.
    static SeparationVerdict separationVerdict(const std::vector<SeparationSubject>& subjects, int spacingLimit,
                                               int collisionLimit, double drawScale);

    // Takes the fleet, airport, display and smoke puffs, makes the renderer and gives the
    // airport its starting funds.
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
    // The separation rule over the world's aircraft, then its effects: the warning flags,
    // the first collision and the siren.
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
    // The effects of a collision of a and b: a bird leaves the world, any other aircraft
    // explodes (and survives a bird strike with its engine gone); the explosion sound; the
    // scenario is told.
    void _collide(const AircraftPtr& a, const AircraftPtr& b);

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
