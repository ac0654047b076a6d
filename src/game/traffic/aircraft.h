// One flying object: a light or heavy aircraft the player guides, a bird flock, or a
// special flight (head of state, life flight, drone). It follows a flight-path curve,
// descends and touches down on final, tracks its entry into the airspace (which frees and
// locks the fleet's approach lanes), counts down a payload timer, explodes, loses its
// engine, trails smoke and draws itself with a shadow.
#pragma once
#include <memory>

#include "game/traffic/gameobject.h"
#include "imports/kz_animate_path.h"
#include "imports/kz_path.h"
#include "imports/kz_spline.h"
#include "imports/spriteanimator.h"
#include "platform/image.h"

class Aircraft;
using AircraftPtr = std::shared_ptr<Aircraft>;

class Aircraft : public GameObject {
public:
    // Phases (4 to 9 are declared only).
    static constexpr int ENGINE_FAILURE = -1;
    static constexpr int INFLIGHT = 0;
    static constexpr int APPROACH = 1;
    static constexpr int ONFINAL = 2;
    static constexpr int TOUCHDOWN = 3;
    static constexpr int TAXI = 4;
    static constexpr int DISEMBARK = 5;
    static constexpr int PREPARATION = 6;
    static constexpr int BOARDING = 7;
    static constexpr int DEPARTING = 8;
    static constexpr int TAKEOFF = 9;
    static constexpr int COLLISION = 10;
    // Airspace states.
    static constexpr int AIRSPACE_OUTSIDE = 0;
    static constexpr int AIRSPACE_ENTERED = 1;
    static constexpr int AIRSPACE_IN = 2;
    static constexpr int AIRSPACE_LEAVING = 3;
    // Classes.
    static constexpr int LIGHT = 0;
    static constexpr int HEAVY = 1;
    static constexpr int BIRD = 2;
    // Payloads (0: none).
    static constexpr int HOS = 2;
    static constexpr int LIFEGUARD = 3;
    static constexpr int UAV = 4;

    Aircraft() = default;

    void update() override;
    void saveState(const std::shared_ptr<StateManager>& state) override;
    void loadState(const plat::StreamPtr& stream) override;
    void renderTo(Renderer& renderer) override;
    void onRemove() override;

    // A new aircraft of the class at a copy of the position, height 1000. The caller adds
    // it to the world.
    static AircraftPtr Create(int aircraftClass, const Vector& position);
    void setHeadingIndex(int i) { _headingIndex = float(i); }
    int getHeadingIndex() const { return int(_headingIndex); }
    int getPassengerCount() const { return _basePassengerCount; }
    void setHoldOnExplosion(int v) { _holdOnExplosion = v; }
    void setUserControlled(int v) { _userControlled = v; }
    int GetUserControlled() const { return _userControlled; }
    void setTransitFlight(int v) { _transitFlight = v; }
    int getTransitFlight() const { return _transitFlight; }
    void setSmoke(int v) { _smoke = v; }
    int getSmoke() const { return _smoke; }
    int isSolid() const { return _solid; }
    // Screen-manager frames since the first radar contact.
    int getFlightTime() const;
    void setPayload(int p);
    int getPayload() const { return _payload; }
    int getRadarContact() const { return _radarContact; }
    int getClass() const { return _class; }
    void setPhase(int p);
    int getPhase() const { return _phase; }
    void setPayloadTimer(int t) { _payloadTimer = t; }
    int getPayloadTimer() const { return _payloadTimer; }
    // Starts a new follower on the curve, turning from the current heading.
    void flyPath(const KZ_splinePtr& spline, float speed, int overrun);
    // Same path object and follower, on the grown or changed curve.
    void continuePath(const KZ_splinePtr& spline, int overrun);
    int isActive() const;
    // The selection box, one and a half times the picture around the aircraft.
    int pointInArea(const Vector& p) const;
    const KZ_splinePtr& getSplinePath() const { return _splinePath; }
    int getPathIndex() const;
    // The control point's entry index when the path index is a whole multiple of the
    // resolution, else -1.
    int _atSplinePoint() const;
    int fromEndPoint() const;
    void setShowPath(int v) { _showPath = v; }
    int getShowPath() const { return _showPath; }
    void setWarning(int v) { _warning = v; }
    int getWarning() const { return _warning; }
    int isPayloadExpired() const { return _payloadTimer == 0 ? 1 : 0; }
    void _arrivalLaneControl();
    void _departureLaneControl();
    void _onRadarContact();
    void render();
    void explode();
    void engineFailure();
    void _flyTangent();
    void flyDirect(const Vector& target, float speed);

    // Read access for the fleet, the engine and tests.
    const KZ_animate_pathPtr& getMotion() const { return _motion; }
    const KZ_pathPtr& getPath() const { return _path; }
    const plat::ImagePtr& getImage() const { return _img; }
    int getImageCenterX() const { return _imageCenterX; }
    int getImageCenterY() const { return _imageCenterY; }
    int isExploding() const { return _anim_explosion ? 1 : 0; }
    int getHoldOnExplosion() const { return _holdOnExplosion; }
    int getSmokeCounter() const { return _smokeCounter; }
    // Tests: the shared explosion sheet is forgotten with the assets.
    static void forgetExplosionImage();

private:
    void _setPicture(const char* key, int centerX, int centerY);

    KZ_splinePtr _splinePath;
    KZ_pathPtr _path;
    plat::ImagePtr _img;
    KZ_animate_pathPtr _motion;
    int _imageCenterX = 0;
    int _imageCenterY = 0;
    int _showPath = 0;
    int _phase = INFLIGHT;
    int _splineRes = 0;
    float _glideSlope = 15.0f;
    int _warning = 0;
    int _getClass = 0;
    int _class = 0;
    int _radarContact = AIRSPACE_OUTSIDE;
    int _payload = 0;
    int _userControlled = 1;
    int _basePassengerCount = 0;
    int _flightStartTime = 0;
    SpriteAnimatorPtr _anim_explosion;
    SpriteAnimatorPtr _anim_aircraft;
    int _holdOnExplosion = 0;
    float _tdAlpha = 1.0f;
    int _solid = 1;
    int _smoke = 0;
    int _smokeDelay = 30;
    int _smokeCounter = 0;
    int _payloadTimer = -1;
    plat::ImagePtr _imgPayloadDeath;
    float _headingIndex = 0.0f;
    int _transitFlight = 0;
    int _airspaceArrivalTimeBuffer = 300;
    int _airspaceDepartureTimeBuffer = 2300;

    static plat::ImagePtr _imgExplosion;
};
