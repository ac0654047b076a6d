// The airport choice: three airport buttons for a free-play scenario the grid has already
// installed, and the keeper of the airport records of "airports.txt" (three selectable
// airports and the story's own).
#pragma once
#include <array>
#include <memory>
#include <string>

#include "platform/image.h"
#include "vostrel/inf_screenmanager.h"
#include "vostrel/singleton.h"

class AirportItem;
class KZ_button;
class KZ_textarea;

class AirportSelectScreen : public inf_screenManager, public Singleton<AirportSelectScreen> {
public:
    AirportSelectScreen();

    int render() override;
    int onFadeInStart() override;
    int onFadeOutEnd() override;
    // Everything here goes through the buttons; Esc does nothing.
    int SendMessage(const std::shared_ptr<Object>& message, const std::shared_ptr<Object>& context) override;

    // Record i (0 to 3); nullptr when out of range or when its line was missing or short.
    std::shared_ptr<AirportItem> getAirportItemData(int index) const;
    // Record index + 3: getStoryData(0) is the story's airport.
    std::shared_ptr<AirportItem> getStoryData(int index) const;

    // The four records of "airports.txt"; a missing line or one with fewer than sixteen
    // fields leaves its slot empty (that airport cannot be picked) and is reported on
    // standard output with its line number.
    static std::array<std::shared_ptr<AirportItem>, 4> parseAirports(const std::string& text);

    // Read access for tests.
    std::shared_ptr<KZ_button> airportButton(int k) const;  // k = 1..3
    std::shared_ptr<KZ_button> backButton() const { return _btn_back; }
    std::shared_ptr<KZ_textarea> descriptionArea(int i) const {
        return i >= 0 && i < int(_dscAreaArray.size()) ? _dscAreaArray[size_t(i)] : nullptr;
    }

    int _init();

protected:
    int _removeButtons();

    plat::ImagePtr _bgd;
    plat::ImagePtr _img_banner;
    std::array<std::shared_ptr<AirportItem>, 4> _airportItemArray;
    std::shared_ptr<KZ_button> _btn_airport_1;
    std::shared_ptr<KZ_button> _btn_airport_2;
    std::shared_ptr<KZ_button> _btn_airport_3;
    std::array<std::shared_ptr<KZ_textarea>, 4> _dscAreaArray;
    std::shared_ptr<KZ_button> _btn_back;
};
