// Fills the sky: decides each frame whether a regular arrival comes in, updates every
// aircraft, hands approaching aircraft over to the final descent, removes those that drift
// away or end their flight, counts landings and tells the scenario of drifts and landings.
// It owns the eight entry lanes around the screen, the spawns of special flights, the
// greeting of a head of state and the life flights' heartbeat.
#pragma once
#include <memory>
#include <vector>

#include "imports/kz_spline.h"
#include "imports/object.h"
#include "imports/vector.h"
#include "vostrel/singleton.h"

class Aircraft;
class Airport;
class GameWorld;
class NationItem;

class FleetManager : public Object, public Singleton<FleetManager> {
public:
    using AircraftPtr = std::shared_ptr<Aircraft>;
    using NationItemPtr = std::shared_ptr<NationItem>;

    // Regular arrivals stop at this many aircraft in the world.
    static constexpr int MAX_AIRCRAFT = 20;
    // Draws of a random lane before the lanes are scanned in order.
    static constexpr int LANE_TRIES = 11;
    // payloadTime when no life flight is in the air.
    static constexpr int NO_PAYLOAD_TIME = 100000;

    // Builds the lane table (init).
    FleetManager();

    // A fresh lane table, the two lanes no aircraft enters by blocked.
    int init();
    // For a new game: no landings, no aircraft, fresh lanes, heartbeat off. The total stays.
    int reset();
    int resetTotalLandCount() { _totalLandCount = 0; return 0; }
    int setTotalLandCount(int n) { _totalLandCount = n; return 0; }
    int getTotalLandCount() const { return _totalLandCount; }
    int _addLandCount();
    int setLandCount(int n) { _landCount = n; return 0; }
    int getLandCount() const { return _landCount; }
    AircraftPtr getHOSaircraft() const { return _HOSAircraft; }
    // The smallest payload timer above 0 among life flights; NO_PAYLOAD_TIME when none.
    int payloadTime() const;
    // 1 once after a patient's flat line, then 0.
    int getFlatLine();
    int startMedicalBeat() { _medicalBeatActive = 1; return 0; }
    int stopMedicalBeat() { _medicalBeatActive = 0; return 0; }
    int _updateMedicalBeat();
    // Removes every aircraft of the class (none is skipped).
    int removeAircraftType(int cls);
    // One simulated frame.
    int update();

    // Spawns on lane 0 to 7; any other lane spawns nothing and gives nullptr.
    AircraftPtr addHeadOfState(const NationItemPtr& nation, int lane, int loops);
    int startHOSgreetings();
    int endHOSgreetings();
    AircraftPtr addLandingAircraft(int lane);
    AircraftPtr addLifeFlight(int lane);
    AircraftPtr addUAVFlight(int lane);
    int addBirdFlock(int lane);
    // A straight path from the aircraft to the target, flown on past it.
    int moveAircraftTo(const AircraftPtr& aircraft, const Vector& target, float speed);
    // The head of state's holding loops, then down onto the first runway of its class;
    // nullptr when the airport has no such runway.
    KZ_splinePtr _getLoopPath(const AircraftPtr& aircraft, const Vector& offset, int loops);

    // Lanes: -1 when none is free.
    int getFreeLane();
    int laneAvailable();
    int _blockInavalidLanes();
    int lockOppositeLane(int lane);
    int clearOppositeLane(int lane);
    int clearLane(int lane);
    int debugLanes() const;
    // The first aircraft under the point that the player controls (any aircraft when flag
    // is non-zero), in list order; nullptr when none.
    AircraftPtr getAircraftAt(int x, int y, int flag) const;

    // Where an aircraft on the lane enters: the screen centre plus w / 1.5 rotated by
    // lane x 45 degrees.
    Vector laneStart(int lane) const;
    Vector screenCentre() const;
    static int oppositeLane(int lane) { return lane >= 4 ? lane - 4 : lane + 4; }

    // Read access for the scenarios and tests.
    int getLaneCount() const { return int(_laneArray.size()); }
    // 1.0 in use, 0.0 free; 1.0 outside the table.
    float getLane(int lane) const;
    int getLatestFlightTime() const { return _latestFlightTime; }
    int getMinTimeSeperation() const { return _minTimeSeperation; }
    NationItemPtr getNation() const { return _nation; }
    int getMedicalBeatActive() const { return _medicalBeatActive; }
    int getBeatTimer() const { return _beatTimer; }
    int getBeatDelay() const { return _beatDelay; }
    int getFlatlineTimer() const { return _flatline; }

private:
    bool _validLane(int lane) const { return lane >= 0 && lane < int(_laneArray.size()); }
    // With n aircraft in the world: an empty sky gets an arrival on lane 1 at once; a
    // regular arrival comes by chance once the spacing has passed, below MAX_AIRCRAFT.
    void _sendArrivals(int n, int now);
    // One aircraft's frame: its own update, then the hand-over to final, a drift out of the
    // world, or the end of its flight (a landing counted, then the scenario told).
    void _updateAircraft(const AircraftPtr& a, GameWorld& world, Airport& airport);
    // Creates the aircraft on the lane, adds it to the world and takes the lane.
    AircraftPtr _spawn(int cls, int lane, int payload);

    int _landCount = 0;
    int _totalLandCount = 0;
    int _latestFlightTime = 0;
    int _minTimeSeperation = 200;
    AircraftPtr _HOSAircraft;
    NationItemPtr _nation;
    std::vector<float> _laneArray;
    int _headingSpacing = 45;
    int _flatline = 0;
    int _patientDeath = 0;
    int _medicalBeatActive = 0;
    int _beatDelay = 0;
    int _beatTimer = 0;
};

using FleetManagerPtr = std::shared_ptr<FleetManager>;
