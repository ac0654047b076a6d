// The scenario grid: eight cells on one panel picture, of which the first five start a
// scenario. A release on a live cell opens a detail panel with Play and Cancel; Play
// installs the scenario and goes on to the airport choice, or straight into the story.
#pragma once
#include <array>
#include <memory>
#include <string>

#include "imports/vector.h"
#include "platform/image.h"
#include "screens/workloaditem.h"
#include "vostrel/inf_screenmanager.h"
#include "vostrel/singleton.h"

class KZ_button;
class KZ_textarea;

class WorkloadScreen : public inf_screenManager, public Singleton<WorkloadScreen> {
public:
    WorkloadScreen();

    int render() override;
    int onFadeInStart() override;
    int onFadeOutEnd() override;
    int onMouseUp(int x, int y) override;
    int onKeyPress(int key) override;
    int SendMessage(const std::shared_ptr<Object>& message, const std::shared_ptr<Object>& context) override;

    // The records of "workload.txt": slot k holds line k, or nothing when the line is
    // missing or has fewer than three fields (such a cell never opens). Problems are
    // reported on standard output with the line number.
    static std::array<WorkloadItemPtr, 8> parseWorkload(const std::string& text);

    // Read access for tests.
    int selectedIndex() const { return _selectedIndex; }
    bool detailOpen() const { return _descArea != nullptr; }
    const std::array<WorkloadItemPtr, 8>& items() const { return _workItemArray; }
    std::shared_ptr<KZ_button> playButton() const { return _btn_play; }
    std::shared_ptr<KZ_button> cancelButton() const { return _btn_cancel; }
    std::shared_ptr<KZ_button> backButton() const { return _btn_back; }

    int _init();
    int _checkButtons(const Vector& point);
    int _showDetail(int index);
    int _hideDetail();
    int _renderDetail(float scale);

protected:
    // Back and Esc: the previous screen returns and the scenario a Play may have installed
    // is withdrawn, so the menu offers nothing to continue.
    int _leave();

    plat::ImagePtr _bgd;
    plat::ImagePtr _bgdButtons;
    plat::ImagePtr _descPaper;
    std::array<WorkloadItemPtr, 8> _workItemArray;
    int _maxWorkItems = 5;
    int _selectedIndex = -1;
    std::shared_ptr<KZ_textarea> _descArea;
    std::shared_ptr<KZ_button> _btn_play;
    std::shared_ptr<KZ_button> _btn_cancel;
    std::shared_ptr<KZ_button> _btn_back;
};
