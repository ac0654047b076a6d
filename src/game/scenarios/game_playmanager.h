// The rule set of one game: what a landing, a drift or a collision means for the money and for
// the game, and when the game is lost. The five scenarios derive from this base; each is a
// singleton, so what a new game must clear is cleared by reset and by the scenario's init.
#pragma once
#include <memory>
#include <string>

#include "imports/object.h"

class Aircraft;

class Game_playManager : public Object {
public:
    // Mission status (class-wide).
    static constexpr int INVALID = -1;
    static constexpr int FAILED = 0;
    static constexpr int COMPLETED = 1;
    static constexpr int ACTIVE = 2;
    // Failure kinds (0 = none pending).
    static constexpr int FAILED_HOS = 1;
    static constexpr int FAILED_FUNDS = 2;
    static constexpr int FAILED_COLLISION = 3;
    static constexpr int FAILED_PAYOUT = 4;
    // Scenario modes.
    static constexpr int WORK = 0;
    static constexpr int STORY = 1;
    // Story phase after the last phase.
    static constexpr int STORYOVER = 100;

    // What a collision costs, and the funds it can be paid from.
    static constexpr int COLLISION_PAYOUT = 20000;
    static constexpr int DRIFT_PENALTY = 5000;
    static constexpr int FUNDS_RUNOUT_FRAMES = 150;

    Game_playManager() = default;
    ~Game_playManager() override = default;

    // Picks the scenario of the grid's cell `id` (0-4) and sets its icon name; any other id
    // gives nullptr. The weather is reset whatever the id.
    static std::shared_ptr<Game_playManager> loadScene(int id);
    virtual int init() { return 0; }
    // Ends the running game without a verdict (sounds off, engine paused, status INVALID).
    static int endGameplay();
    static int setMusicPlay(int flag);
    virtual int reset();
    virtual int getPhase() { return _phase; }
    virtual int setPhase(int phase) { _phase = phase; return 0; }
    // Every scenario calls _globalUpdate first.
    virtual int update() = 0;
    int setIconName(const std::string& name) { _iconName = name; return 0; }
    std::string getIconName() const { return _iconName; }
    int getStoryMode() const { return _storyMode; }
    int _globalUpdate();
    int getFailureMode() const { return _failureMode; }
    // The game-over sequence; runs at most once per game.
    virtual int gameOver();
    // Whether gameOver has run in this game.
    bool isGameOver() const { return _gameOverDone; }
    int resetFailureMode() { _failureMode = 0; return 0; }
    static int setMissionStatus(int status);
    static int getMissionStatus();
    virtual int onAircraftDrift(const std::shared_ptr<Aircraft>& aircraft);
    virtual int onAircraftLanded(const std::shared_ptr<Aircraft>& aircraft) { (void)aircraft; return 0; }
    virtual int onCollision(const std::shared_ptr<Aircraft>& a, const std::shared_ptr<Aircraft>& b);
    // Ends the application at once, without saving.
    static int endGame();

    // The game screen calls this whenever play resumes on it (after the payout's intermission,
    // however the player came back): the paid collision is settled, so a later run-out or
    // strike is judged afresh.
    int onPlayResumed();

    // The scenario last returned by loadScene, and the music flag (kept, read by nothing).
    static std::shared_ptr<Game_playManager> getInstanceRef();
    static int getMusicPlay();

    // Read-outs for the display and for tests.
    int getCollisionTimer() const { return _collisionTimer; }
    int getGameOverTimer() const { return _gameOverTimer; }
    int getHOScrash() const { return _HOScrash; }
    int getStep() const { return _step; }

protected:
    // The right-aligned line at the top of the screen for 200 frames.
    static void _addRightText(const std::string& text);
    // The nation's flag, 30 x 20 at the draw scale, kept in the display's left column as
    // entry `n` (1 = top, at y 60, 25 units apart).
    static void _addFlagIcon(const std::string& id, int n);

    int _storyMode = WORK;
    int _failureMode = 0;
    int _collisionDelay = 30;
    int _collisionTimer = 0;
    int _HOScrash = 0;
    int _gameOverTimer = 0;
    std::string _iconName;
    int _phase = 0;
    int _step = 0;
    // Set by gameOver, cleared by reset: a game is lost once, however many verdicts follow.
    bool _gameOverDone = false;
    // Set when a payout asks for its intermission, cleared when the game screen fades in
    // again: collisions in between leave the verdict, the funds and the timer alone.
    bool _payoutShown = false;
};
