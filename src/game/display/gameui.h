// The display drawn over the game: funds, landings and an auxiliary line at the top left,
// pulsing signs at the screen edge where aircraft are about to come in, and timed
// floating texts and images posted by the rest of the game.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "game/display/ui_item.h"
#include "imports/object.h"
#include "imports/vector.h"
#include "platform/image.h"
#include "vostrel/singleton.h"

class Renderer;

class GameUI : public Object, public Singleton<GameUI> {
public:
    static constexpr int GO_AIRCRAFT = 1;
    static constexpr int GO_FUNDS = 2;
    static constexpr int GO_HOS = 3;

    // The airport's display colour, also used for drawn flight paths.
    static int r;
    static int g;
    static int b;

    GameUI();

    static void setDspColor(int r, int g, int b);
    // For a new game: drops every item, queued edge sign and the auxiliary line.
    void reset();
    void addText(int x, int y, const std::string& text, int counter);
    void addImage(int x, int y, const plat::ImagePtr& image, int counter);
    // Removes every item, texts included.
    void clearImages();
    // Removes the item at index (0 = oldest); 0 when there is no such item.
    int removeImage(int index);
    void update() {}
    void setFundsBalance(int n) { _fundsBalance = n; }
    void addRadarContact(const Vector& position);
    void setLanded(int n) { _dsp_landed = n; }
    void setAuxMsg(const std::string& text) { _dsp_aux = text; }
    void renderTo(Renderer& renderer);
    void _renderRadarContacts();
    // Draws and counts down the items: they expire by frames drawn, pause included.
    void render();

    // Read access for tests and the game screen.
    int getFundsBalance() const { return _fundsBalance; }
    int getLanded() const { return _dsp_landed; }
    const std::string& getAuxMsg() const { return _dsp_aux; }
    const std::vector<UI_itemPtr>& getItemList() const { return _itemList; }
    const std::vector<Vector>& getRadarContactList() const { return _radarContactList; }
    float getSignScale() const { return _signScale; }

private:
    int _dsp_landed = 0;
    std::string _dsp_aux;
    std::vector<Vector> _radarContactList;
    int _fundsBalance = 0;
    std::vector<UI_itemPtr> _itemList;
    float _signScale = 0.5f;
    float _signScaleRate = 0.05f;
};
using GameUIPtr = std::shared_ptr<GameUI>;
