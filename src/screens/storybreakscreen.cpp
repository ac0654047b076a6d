#include "screens/storybreakscreen.h"

#include "screens/constants.h"
#include "platform/canvas.h"
#include "screens/gamescreen.h"
#include "screens/menuscreen.h"
#include "vostrel/kz_event.h"
#include "vostrel/kz_systemui2.h"
#include "vostrel/resourcemanager.h"
#include "vostrel/screenmanager.h"

namespace {
float drawScale() { return ScreenManager::getDrawScale(); }
}  // namespace

StorybreakScreen::StorybreakScreen() {
    _id = Constants::STORY_BREAK;
    auto res = ResourceManager::GetInstance();
    auto ui = KZ_systemUI2::GetInstance();
    const float ds = drawScale();
    _btn_play = ui->CreateButton(int(720 * ds), int(300 * ds), res->retrieveImage("ok button"), this,
                                 Constants::STORY_BREAK);
    _btn_menu = ui->CreateButton(int(720 * ds), int(380 * ds), res->retrieveImage("menu button"), this,
                                 Constants::STORY_BREAK);
}

int StorybreakScreen::setPhase(int n) {
    _phase = n;
    return 0;
}

int StorybreakScreen::setTextLocation(int x, int y, int width, int height) {
    _txtX = x;
    _txtY = y;
    _txtWidth = width;
    _txtHeight = height;
    return 0;
}

int StorybreakScreen::setText(const std::string& text) {
    _textArea = KZ_textarea::Create(text, _txtX, _txtY, _txtWidth, _txtHeight, nullptr);
    return 0;
}

int StorybreakScreen::setImageLocation(int x, int y) {
    _imgX = x;
    _imgY = y;
    return 0;
}

int StorybreakScreen::setImage(const std::string& path) {
    _image = ResourceManager::GetInstance()->getDirectImage(path);
    return 0;
}

int StorybreakScreen::render() {
    if (_image) plat::drawImage(*_image, float(_imgX), float(_imgY), 0);
    plat::setColor(0, 255, 0);
    if (_textArea) _textArea->render();
    plat::setColor(255, 255, 255);
    _renderPhaseBar(_phase);
    return 0;
}

int StorybreakScreen::_renderPhaseBar(int phase) {
    auto res = ResourceManager::GetInstance();
    const plat::ImagePtr on = res->retrieveImage("phase on icon");
    const plat::ImagePtr off = res->retrieveImage("phase off icon");
    const float ds = drawScale();
    for (int i = 0; i < PHASE_COUNT; ++i) {
        const float x = 10 * ds + 55 * float(i) * ds;
        const float y = 400 * ds;
        plat::drawImage(lampLit(i, phase) ? on : off, x, y, 0);
        plat::setColor(0, 0, 0);
        plat::drawText(std::to_string(i + 1), float(int(x)) + 17 * ds, float(int(y)) + 10 * ds);
        plat::setColor(255, 255, 255);
    }
    return 0;
}

int StorybreakScreen::SendMessage(const std::shared_ptr<Object>& message, const std::shared_ptr<Object>& context) {
    auto ev = std::dynamic_pointer_cast<KZ_event>(message);
    if (!ev || ev->getId() != KZ_event::ONCLICK || !context) return 0;
    auto sm = ScreenManager::GetInstance();
    if (context.get() == _btn_play.get()) {
        // Once the story is over (phase 100) Play leads to the menu.
        if (_phase < 99) sm->switchTo(GameScreen::GetInstance(), 1, 0.0f);
        else sm->switchTo(MenuScreen::GetInstance(), 1, 0.0f);
    } else if (context.get() == _btn_menu.get()) {
        sm->switchTo(MenuScreen::GetInstance(), 1, 0.0f);
    }
    return 0;
}

int StorybreakScreen::onFadeOutStart() {
    // The menu's continue button comes back here while the story waits between phases.
    MenuScreen::GetInstance()->set_ctnScreen(StorybreakScreen::GetInstance());
    return 0;
}

