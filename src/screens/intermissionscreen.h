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

    int render() override;
    int onFadeInStart() override;
    int onFadeInEnd() override;
    int onFadeOutEnd() override;
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
