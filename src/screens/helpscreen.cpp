#include "screens/helpscreen.h"

#include "screens/constants.h"
#include "platform/canvas.h"
#include "vostrel/kz_button.h"
#include "vostrel/kz_event.h"
#include "vostrel/kz_systemui2.h"
#include "vostrel/kz_textarea.h"
#include "vostrel/resourcemanager.h"
#include "vostrel/screenmanager.h"

namespace {
constexpr int KEY_ESC = 27;
const char* const BACKGROUND = "images/screens/workload/bgd.jpg";
const char* const PAPER = "images/paper.png";
}  // namespace

TextPageScreen::TextPageScreen(const Layout& layout) : _layout(layout) {
    _id = layout.id;
    const float s = ScreenManager::getDrawScale();
    auto res = ResourceManager::GetInstance();
    // Laid out once: the page object lives for the whole run.
    _dscArea = KZ_textarea::Create(res->retrieveText(layout.textKey), int(layout.textX * s), int(layout.textY * s),
                                   int(layout.textW * s), int(layout.textH * s), res->retrieveFont("normal"));
    _btn_back = KZ_systemUI2::GetInstance()->CreateButton(int(720 * s), int(400 * s), res->retrieveImage("ok button"),
                                                          this, _id);
}

int TextPageScreen::onKeyPress(int key) {
    if (key == KEY_ESC) ScreenManager::GetInstance()->navBack();
    return 0;
}

int TextPageScreen::SendMessage(const std::shared_ptr<Object>& message, const std::shared_ptr<Object>& source) {
    auto ev = std::dynamic_pointer_cast<KZ_event>(message);
    if (ev && ev->getId() == KZ_event::ONCLICK && source && source == _btn_back)
        ScreenManager::GetInstance()->navBack();
    return 0;
}

int TextPageScreen::onFadeInStart() {
    auto res = ResourceManager::GetInstance();
    _bgd = res->getDirectImage(BACKGROUND);
    _img_banner = res->getDirectImage(_layout.banner);
    _img_paper = res->getDirectImage(PAPER);
    if (_layout.aircrafts) _img_aircrafts = res->getDirectImage(_layout.aircrafts);
    return 0;
}

int TextPageScreen::onFadeOutEnd() {
    // The paper is kept until the next fade-in replaces it.
    _bgd = nullptr;
    _img_banner = nullptr;
    _img_aircrafts = nullptr;
    return 0;
}

int TextPageScreen::render() {
    const float s = ScreenManager::getDrawScale();
    plat::drawImage(_bgd, 0.0f, 0.0f, 0);
    plat::drawImage(_img_banner, 0.0f, float(int(12 * s)), 0);
    plat::drawImage(_img_paper, float(int(_layout.paperX * s)), float(int(_layout.paperY * s)), 0);
    if (_layout.aircrafts) plat::drawImage(_img_aircrafts, float(int(20 * s)), float(int(90 * s)), 0);
    plat::setColor(0, 0, 0);
    // The text area selects "normal", the font in force between screens.
    const plat::FontPtr previous = plat::getImageFont();
    _dscArea->render();
    if (previous) plat::setImageFont(previous);
    plat::setColor(255, 255, 255);
    return 0;
}

HelpScreen::HelpScreen()
    : TextPageScreen(Layout{Constants::HELP, "help data", 400, 70, 400, 400, "images/screens/help/banner.png", 0, 60,
                            "images/screens/help/aircrafts.png"}) {}
