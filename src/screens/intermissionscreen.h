// Reports the end of a game, or an insurance payout after which play goes on: the result
// lines, the failure's story in the black bar, and a notice when the game topped the board.
#pragma once
#include <memory>
#include <string>

#include "platform/image.h"
#include "vostrel/inf_screenmanager.h"
#include "vostrel/kz_button.h"
#include "vostrel/singleton.h"

class IntermissionScreen : public inf_screenManager, public Singleton<IntermissionScreen> {
public:
    IntermissionScreen();

    int update() override;
    int render() override;
    int onFadeInStart() override;
    int onFadeInEnd() override;
    int onFadeOutStart() override;
    int onFadeOutEnd() override;
    int onMouseMove(int x, int y) override;
    int onMouseUp(int x, int y) override;
    int onMouseDown(int x, int y) override;
    int onKeyPress(int key) override;
    int onDragStart(int x, int y) override;
    int onDrag(int x, int y) override;
    int onDragStop(int x, int y) override;
    int SendMessage(const std::shared_ptr<Object>& message, const std::shared_ptr<Object>& context) override;

    // The one-line story of a failure kind; "" for anything but 1 to 4.
    static std::string storyLine(int failureKind);

    plat::ImagePtr _bgd;
    std::shared_ptr<KZ_button> _btn_menu;
    std::shared_ptr<KZ_button> _btn_play;
    std::shared_ptr<KZ_button> _btn_topScore;
    int _isTopScore = 0;
    std::string _topScoreText = "Congrats! New Top Score:";
};
