// The main menu: Continue, New game, Top scores, Help and Credits, and the version line.
#pragma once
#include <memory>

#include "platform/image.h"
#include "vostrel/inf_screenmanager.h"
#include "vostrel/singleton.h"

class KZ_button;

class MenuScreen : public inf_screenManager, public Singleton<MenuScreen> {
public:
    MenuScreen();

    // Button events from the widget system; acts on clicks only.
    int SendMessage(const std::shared_ptr<Object>& message, const std::shared_ptr<Object>& source) override;

    int render() override;
    int onFadeInStart() override;
    int onFadeOutEnd() override;

    // The screen Continue returns to (the game or the story break); the latest call wins.
    int set_ctnScreen(const ScreenPtr& screen);
    ScreenPtr get_ctnScreen() const { return _ctnScreen; }

    plat::ImagePtr _bgd;
    std::shared_ptr<KZ_button> _btn_continue;
    std::shared_ptr<KZ_button> _btn_newGame;
    std::shared_ptr<KZ_button> _btn_topScore;
    std::shared_ptr<KZ_button> _btn_credits;
    std::shared_ptr<KZ_button> _btn_help;
    ScreenPtr _ctnScreen;
};
