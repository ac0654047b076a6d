// A scripted player for whole-game runs on top of the shell fixture: it drags waiting
// aircraft to a runway of their class with the real mouse, one at a time, and keeps two
// aircraft from meeting by sending one of them away (a run is about the game's own
// bookkeeping, not about how well a script flies). It also watches every frame: the fee
// booked at each touch-down, the landings counted, the special traffic seen.
#pragma once
#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <sstream>
#include <vector>

#include "game/traffic/aircraft.h"
#include "game/traffic/fleetmanager.h"
#include "game/gameengine.h"
#include "game/traffic/gameworld.h"
#include "game/airport/runway.h"
#include "screens/shell_fixture.h"

namespace shell_test {

// A point well inside the runway's threshold box (the box's point nearest its centre), and a
// point on the runway's axis beyond the threshold to come in from; x < 0 when there is no box.
struct Approach {
    Vector entry{-1, -1};
    Vector threshold{-1, -1};
};
inline Approach approachTo(const Runway& rw) {
    double sx = 0, sy = 0;
    int n = 0;
    for (int y = 0; y < 480; y += 2)
        for (int x = 0; x < 800; x += 2)
            if (rw.inThreshold(Vector(x, y))) sx += x, sy += y, ++n;
    Approach a;
    if (n == 0) return a;
    const Vector c(sx / n, sy / n);
    double bestD = 1e18;
    for (int y = 0; y < 480; y += 2)
        for (int x = 0; x < 800; x += 2)
            if (rw.inThreshold(Vector(x, y)) && Vector(x, y).distanceSqrTo(c) < bestD)
                a.threshold = Vector(x, y), bestD = Vector(x, y).distanceSqrTo(c);
    // The heading points from the centre towards the threshold end.
    const double h = rw.getHeading() * M_PI / 180.0;
    a.entry = Vector(std::clamp(a.threshold.x + std::sin(h) * 90.0, 15.0, 785.0),
                     std::clamp(a.threshold.y - std::cos(h) * 90.0, 15.0, 465.0));
    return a;
}

class TowerTest : public ShellTest {
protected:
    // What a run saw; checked by the tests.
    struct Log {
        int frames = 0;
        int drags = 0;        // drags the runway took (the aircraft went on approach)
        int sentAway = 0;     // aircraft removed to keep two apart
        int touchdowns = 0;   // aircraft seen reaching touch-down
        int feeFaults = 0;    // touch-down frames whose funds change was not the fee
        int hosSeen = 0, lifeFlightsSeen = 0, flocksSeen = 0;
        int maxFlocks = 0, maxLifeFlights = 0, maxHos = 0;
        std::string firstFault;
    };

    static std::shared_ptr<GameWorld> world() { return GameWorld::GetInstance(); }
    static bool inAirspace(const Aircraft& a) {
        return a.getRadarContact() > Aircraft::AIRSPACE_OUTSIDE && a.getPhase() != Aircraft::COLLISION &&
               a.getPhase() <= Aircraft::APPROACH;
    }

    // One frame of the game, with the per-frame checks around it.
    void watchedFrame() {
        auto airport = Airport::GetInstance();
        const int fundsBefore = airport->getFunds();
        frame();
        ++log.frames;
        int fees = 0;
        for (const auto& a : world()->getAircraftList()) {
            if (!a || a->isInvalid()) continue;
            const auto& key = a;
            if (a->getPhase() >= Aircraft::TOUCHDOWN && a->getPhase() != Aircraft::COLLISION && !landed.count(key)) {
                landed.insert(key);
                landedAlive.insert(a);
                ++log.touchdowns;
                fees += a->getClass() == Aircraft::HEAVY ? airport->getLandingFeeHeavy() : airport->getLandingFeeLight();
            }
            if (!seen.count(key)) {
                seen.insert(key);
                if (a->getPayload() == Aircraft::HOS) ++log.hosSeen;
                if (a->getPayload() == Aircraft::LIFEGUARD) ++log.lifeFlightsSeen;
                if (a->getClass() == Aircraft::BIRD) ++log.flocksSeen;
            }
        }
        int hos = 0;
        for (const auto& a : world()->getAircraftList())
            if (a && !a->isInvalid() && a->getPayload() == Aircraft::HOS) ++hos;
        log.maxHos = std::max(log.maxHos, hos);
        log.maxFlocks = std::max(log.maxFlocks, world()->getBirdCount());
        log.maxLifeFlights = std::max(log.maxLifeFlights, world()->getLifeFlightCount());
        if (fees > 0) {
            // The operating cost may fall due in the same frame.
            const int delta = airport->getFunds() - fundsBefore;
            if (delta != fees && delta != fees - airport->getOPcost()) {
                ++log.feeFaults;
                fault("touch-down booked " + std::to_string(delta) + " instead of " + std::to_string(fees));
            }
        }
        // A touched-down aircraft leaves the world once; it is counted by then.
        for (auto it = landedAlive.begin(); it != landedAlive.end();) {
            if ((*it)->isInvalid() || std::find(world()->getAircraftList().begin(), world()->getAircraftList().end(),
                                                *it) == world()->getAircraftList().end()) {
                ++leftAfterTouchdown;
                it = landedAlive.erase(it);
            } else {
                ++it;
            }
        }
    }
    void fault(const std::string& what) {
        if (log.firstFault.empty()) log.firstFault = "frame " + std::to_string(log.frames) + ": " + what;
    }

    // Sends away one of every two aircraft that are about to meet: a bird before a plane, a
    // plane still waiting before one on approach; never a head of state.
    void keepApart() {
        const auto list = world()->getAircraftList();
        const double limit = 75.0;
        auto rank = [](const Aircraft& a) {
            if (a.getPayload() == Aircraft::HOS) return 9;
            if (a.getClass() == Aircraft::BIRD) return 0;
            if (a.getPhase() == Aircraft::ENGINE_FAILURE) return 0;
            if (a.getPayload() == Aircraft::LIFEGUARD) return a.getPhase() == Aircraft::INFLIGHT ? 3 : 4;
            return a.getPhase() == Aircraft::INFLIGHT ? 1 : 2;
        };
        std::set<Aircraft*> gone;
        for (size_t i = 0; i < list.size(); ++i)
            for (size_t j = i + 1; j < list.size(); ++j) {
                const auto& a = list[i];
                const auto& b = list[j];
                if (!a || !b || gone.count(a.get()) || gone.count(b.get()) || a->isInvalid() || b->isInvalid()) continue;
                if (!inAirspace(*a) || !inAirspace(*b)) continue;
                if (a->GetPosition().distanceSqrTo(b->GetPosition()) > limit * limit) continue;
                const auto& victim = rank(*a) <= rank(*b) ? a : b;
                if (rank(*victim) == 9) continue;
                gone.insert(victim.get());
                world()->removeAircraft(victim);
                ++log.sentAway;
            }
        // An aircraft out of control would drift and cost a penalty the run is not about.
        for (const auto& a : world()->getAircraftList())
            if (a && !a->isInvalid() && a->getPhase() == Aircraft::ENGINE_FAILURE && !gone.count(a.get())) {
                gone.insert(a.get());
                world()->removeAircraft(a);
                ++log.sentAway;
            }
    }

    // The waiting aircraft the player should guide first: a life flight before others, then
    // the one nearest the edge it will leave by.
    std::shared_ptr<Aircraft> nextToGuide() {
        std::shared_ptr<Aircraft> best;
        double bestScore = -1e18;
        for (const auto& a : world()->getAircraftList()) {
            if (!a || a->isInvalid() || !a->GetUserControlled() || a->getClass() == Aircraft::BIRD) continue;
            if (a->getPhase() != Aircraft::INFLIGHT || a->getRadarContact() < Aircraft::AIRSPACE_ENTERED) continue;
            const Vector& p = a->GetPosition();
            if (p.x < 50 || p.x > 750 || p.y < 50 || p.y > 430) continue;
            if (tries[a] >= 3) continue;
            const double score = (a->getPayload() == Aircraft::LIFEGUARD ? 1e6 : 0) + std::hypot(p.x - 400, p.y - 240) +
                                 a->getFlightTime() * 0.01;
            if (score > bestScore) bestScore = score, best = a;
        }
        return best;
    }

    // Presses on the aircraft and drags in bead-sized steps through the runway's entry point
    // into its threshold box, then lets go. False when the game left its screen meanwhile.
    bool guide(const std::shared_ptr<Aircraft>& plane) {
        auto game = GameScreen::GetInstance();
        auto runway = Airport::GetInstance()->getRunwayOfClass(plane->getClass());
        if (!runway) return true;
        const Approach ap = approaches[runway.get()];
        if (ap.threshold.x < 0) return true;
        ++tries[plane];
        const Vector from = plane->GetPosition();
        plat::testing::setMouse(int(from.x), int(from.y));
        plat::testing::setButton(true);
        watchedFrame();
        if (GameEngine::GetInstance()->getSelectedAircraft() != plane) {
            plat::testing::setButton(false);
            watchedFrame();
            return sm()->getScreen() == game;
        }
        watchedFrame();  // the drag begins where the press was
        const double step = GameEngine::BEAD_SEPARATION + 1;
        Vector at = from;
        for (const Vector& to : {ap.entry, ap.threshold}) {
            const double len = std::sqrt(at.distanceSqrTo(to));
            // Steps just longer than the bead spacing, counted back from the end, so every
            // step leaves a bead and the last one lies in the box.
            const int steps = std::max(1, int(std::ceil(len / step)));
            for (int i = steps - 1; i >= 0; --i) {
                const double t = len > 0 ? std::min(len, i * step) / len : 0;
                plat::testing::setMouse(int(std::lround(to.x + (at.x - to.x) * t)),
                                        int(std::lround(to.y + (at.y - to.y) * t)));
                keepApart();
                watchedFrame();
                if (sm()->getScreen() != game) {
                    plat::testing::setButton(false);
                    return false;
                }
            }
            at = to;
        }
        // The runway takes the path only once the cursor has rested on the box.
        for (int i = 0; i <= GameEngine::REST_FRAMES + 1 && plane->getPhase() == Aircraft::INFLIGHT; ++i) {
            keepApart();
            watchedFrame();
            if (sm()->getScreen() != game) {
                plat::testing::setButton(false);
                return false;
            }
        }
        plat::testing::setButton(false);
        watchedFrame();
        if (!plane->isInvalid() && plane->getPhase() >= Aircraft::APPROACH) ++log.drags;
        return sm()->getScreen() == game;
    }

    // Plays `n` frames as the scripted player. Stops early when the game screen is left or
    // `stop` says so.
    void play(int n, const std::function<bool()>& stop = nullptr) {
        approaches.clear();
        for (const auto& rw : Airport::GetInstance()->getRunways()) approaches[rw.get()] = approachTo(*rw);
        auto game = GameScreen::GetInstance();
        const int end = log.frames + n;
        while (log.frames < end) {
            if (sm()->getScreen() != game || (stop && stop())) return;
            keepApart();
            if (auto plane = nextToGuide()) {
                if (!guide(plane)) return;
            } else {
                watchedFrame();
            }
        }
    }

    std::string summary() const {
        std::ostringstream s;
        s << log.frames << " frames, " << log.drags << " guided, " << log.touchdowns << " touch-downs, "
          << log.sentAway << " sent away, " << log.hosSeen << " heads of state, " << log.flocksSeen << " flocks, "
          << log.lifeFlightsSeen << " life flights" << (log.firstFault.empty() ? "" : "; " + log.firstFault);
        return s.str();
    }

    Log log;
    int leftAfterTouchdown = 0;
    std::set<std::shared_ptr<Aircraft>> landed, seen;  // held: no address is reused
    std::set<std::shared_ptr<Aircraft>> landedAlive;
    std::map<std::shared_ptr<Aircraft>, int> tries;
    std::map<const Runway*, Approach> approaches;
};

}  // namespace shell_test
