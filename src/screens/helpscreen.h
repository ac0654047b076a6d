// The help page, and the text-page design it shares with the credits page: background,
// banner, a sheet of paper, one block of text laid out once, and a button back.
#pragma once
#include <memory>
#include <string>

#include "platform/image.h"
#include "vostrel/inf_screenmanager.h"
#include "vostrel/singleton.h"

class KZ_button;
class KZ_textarea;

class TextPageScreen : public inf_screenManager {
public:
    struct Layout {
        int id;
        const char* textKey;
        int textX, textY, textW, textH;
        const char* banner;
        int paperX, paperY;
        const char* aircrafts;  // nullptr: no aircraft picture
    };

    int render() override;
    int onFadeInStart() override;
    int onFadeOutEnd() override;
    int onKeyPress(int key) override;
    int SendMessage(const std::shared_ptr<Object>& message, const std::shared_ptr<Object>& context) override;

    // Read access for tests.
    std::shared_ptr<KZ_textarea> textArea() const { return _dscArea; }
    std::shared_ptr<KZ_button> backButton() const { return _btn_back; }

protected:
    explicit TextPageScreen(const Layout& layout);

    Layout _layout;
    plat::ImagePtr _bgd;
    plat::ImagePtr _img_banner;
    plat::ImagePtr _img_aircrafts;
    plat::ImagePtr _img_paper;
    std::shared_ptr<KZ_textarea> _dscArea;
    std::shared_ptr<KZ_button> _btn_back;
};

class HelpScreen : public TextPageScreen, public Singleton<HelpScreen> {
public:
    HelpScreen();
};
