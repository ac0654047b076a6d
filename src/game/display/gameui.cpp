#include "game/display/gameui.h"

#include "game/display/renderer.h"
#include "platform/canvas.h"
#include "vostrel/resourcemanager.h"
#include "vostrel/screenmanager.h"

int GameUI::r = 0;
int GameUI::g = 0;
int GameUI::b = 0;

namespace {
const bool colourResets = (SingletonRegistry::onReset([] { GameUI::setDspColor(0, 0, 0); }), true);
}

GameUI::GameUI() { (void)colourResets; }

void GameUI::setDspColor(int r_, int g_, int b_) {
    r = r_;
    g = g_;
    b = b_;
}

void GameUI::reset() {
    _itemList.clear();
    _radarContactList.clear();
    _dsp_aux.clear();
}

void GameUI::addText(int x, int y, const std::string& text, int counter) {
    _itemList.push_back(UI_item::Create(UI_item::TEXT, x, y, text, counter));
}

void GameUI::addImage(int x, int y, const plat::ImagePtr& image, int counter) {
    auto item = UI_item::Create(UI_item::IMAGE, x, y, "", counter);
    item->img = image;
    _itemList.push_back(item);
}

void GameUI::clearImages() { _itemList.clear(); }

int GameUI::removeImage(int index) {
    if (index < 0 || index >= int(_itemList.size())) return 0;
    _itemList.erase(_itemList.begin() + index);
    return 1;
}

void GameUI::addRadarContact(const Vector& position) { _radarContactList.push_back(position); }

void GameUI::renderTo(Renderer& renderer) { renderer.renderUI(*this); }

void GameUI::_renderRadarContacts() {
    plat::setScale(_signScale, _signScale);
    if (!_radarContactList.empty()) {
        const plat::ImagePtr sign = ResourceManager::GetInstance()->retrieveImage("merge");
        for (const Vector& p : _radarContactList) plat::drawImage(sign, float(p.x), float(p.y));
    }
    _signScale += _signScaleRate;
    if (!(_signScale < 1.0f)) _signScale = 0.5f;
    plat::setScale(1.0f, 1.0f);
    _radarContactList.clear();
}

void GameUI::render() {
    const float ds = ScreenManager::getDrawScale();
    _renderRadarContacts();
    plat::setColor(r, g, b);
    if (const KZ_imageStringPtr& text = ScreenManager::GetInstance()->text_norm) {
        text->render("Funds: $" + std::to_string(_fundsBalance), 5, 0);
        text->render("Landings: " + std::to_string(_dsp_landed), 5, int(20.0f * ds));
        text->render(_dsp_aux, 5, int(40.0f * ds));
    }
    // Items count down as they are drawn, so they also expire while the game is paused.
    for (size_t i = 0; i < _itemList.size();) {
        const UI_itemPtr item = _itemList[i];
        const float x = float(item->x) * ds, y = float(item->y) * ds;
        if (item->class_ == UI_item::TEXT) {
            plat::drawText(item->data, x, y);
        } else if (item->class_ == UI_item::IMAGE) {
            plat::setColor(255, 255, 255);
            plat::setAlpha(0.5f);
            plat::drawImage(item->img, x, y, 0);
            plat::setAlpha(1.0f);
        }
        item->counter -= 1;
        if (item->counter == 0) {
            _itemList.erase(_itemList.begin() + long(i));
        } else {
            ++i;
        }
    }
    plat::setColor(255, 255, 255);
}
