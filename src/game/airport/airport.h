// The airport being played: its background (with a cross-fade to a second picture for
// storms), a visiting head of state's flag, its two runways, its ambient sound and the
// player's money.
#pragma once
#include <array>
#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "game/airport/airportitem.h"
#include "game/traffic/gameobject.h"
#include "game/airport/runway.h"
#include "imports/kz_spline.h"
#include "imports/vector.h"
#include "platform/image.h"
#include "vostrel/singleton.h"

class Aircraft;
class Airport;
using AirportPtr = std::shared_ptr<Airport>;

class Airport : public GameObject, public Singleton<Airport> {
public:
    // The money every game begins with; the story begins with what its slot kept.
    static constexpr int STARTING_FUNDS = 5000;

    Airport();

    static AirportPtr getInstance() { return GetInstance(); }

    void update() override;
    void saveState(const std::shared_ptr<StateManager>& state) override { (void)state; }
    void loadState(const plat::StreamPtr& stream) override { (void)stream; }
    void renderTo(Renderer& renderer) override;
    void onRemove() override {}

    const std::string& getIconName() const { return _iconName; }
    // For a new game: no flag, no fade, the airport's own picture. Funds, runways and
    // the operating-cost cycle carry on.
    void reset();
    void clearFunds() { _funds = 0; }
    void setFunds(int n) { _funds = n; }
    int getFunds() const { return _funds; }
    // Funds restored from an edited progress file may start at the top of int: they stop
    // there rather than wrap.
    void addToFunds(int n) { _funds = n > 0 && _funds > INT_MAX - n ? INT_MAX : _funds + n; }
    // Never below 0.
    void removeFromFunds(int n);
    int isBankrupt() const { return _funds <= 0 ? 1 : 0; }
    void _deductOPcost() { removeFromFunds(getOPcost()); }
    int getOPcost() const { return _baseOPcost; }
    void loadData(const AirportItem& item);
    void loadData(const AirportItemPtr& item) { if (item) loadData(*item); }
    void loadBgd(int slot, const std::string& fileName);
    void queBGsound() { _soundQue = 1; }
    int startBGsound();
    void stopBGsound();
    void _addRunway(const RunwayPtr& runway) { _runways.push_back(runway); }
    // The landing fee of the aircraft's class, booked at touch-down.
    void aircraftLanded(const Aircraft& aircraft);
    void aircraftLanded(const std::shared_ptr<Aircraft>& aircraft);
    // The first runway whose threshold box holds the point, whatever its class.
    RunwayPtr inThreshold(const Vector& point) const;
    RunwayPtr pathOnFinal(const KZ_spline& path) const;
    RunwayPtr pathOnFinal(const KZ_splinePtr& path) const;
    // The first runway of the aircraft's class.
    RunwayPtr getAvailableRunRunway(const Aircraft& aircraft) const;
    RunwayPtr getAvailableRunRunway(const std::shared_ptr<Aircraft>& aircraft) const;
    // Lights the runways of the aircraft's class in yellow.
    void hilightRunway(const Aircraft& aircraft);
    void hilightRunway(const std::shared_ptr<Aircraft>& aircraft);
    void clearRunwaysLights();
    void setFlag(const std::string& id);
    void clearFlag() { _flag = nullptr; }
    // Starts a cross-fade to the picture in that slot.
    void switchBgdTo(int slot);
    void render();
    void _renderBackground();

    // Read access for the game screen, the scenarios and tests.
    const std::vector<RunwayPtr>& getRunways() const { return _runways; }
    RunwayPtr getRunwayOfClass(int cls) const;
    const plat::ImagePtr& getBgd(int slot) const { return _bgdArray.at(slot); }
    int getBgdIndex() const { return _bgdIndex; }
    int getBgd2Index() const { return _bgd2Index; }
    float getBgdTimer() const { return _bgdTimer; }
    const plat::ImagePtr& getFlag() const { return _flag; }
    const Vector& getFlagPos() const { return _flagPos; }
    float getFlagAngle() const { return _flagAngle; }
    const std::string& getBGsound() const { return _bgSound; }
    int getSoundQue() const { return _soundQue; }
    int getLandingFeeHeavy() const { return _landingFeeHeavy; }
    int getLandingFeeLight() const { return _landingFeeLight; }

private:
    std::array<plat::ImagePtr, 3> _bgdArray{};
    int _bgdIndex = 0;
    int _bgd2Index = 0;
    float _bgdTimer = 0.0f;
    float _bgdFadeRate = 0.01f;
    plat::ImagePtr _flag;
    Vector _flagPos;
    float _flagAngle = 0.0f;
    std::vector<RunwayPtr> _runways;
    int _funds = 0;
    int _baseOPcost = 20;
    int _landingFeeHeavy = 1000;
    int _landingFeeLight = 120;
    int _delay1 = 30;
    int _timer1 = 30;
    std::string _iconName;
    std::string _bgSound;
    int _soundQue = 0;
};
