// A round option button; of the buttons of one group at most one is selected.
#pragma once
#include <map>
#include <memory>
#include <string>

#include "platform/image.h"
#include "vostrel/kz_uielement.h"

class KZ_radioButton : public KZ_UIelement {
public:
    // Every new button clears its group's selection.
    static std::shared_ptr<KZ_radioButton> Create(int x, int y, int group, KZ_receiver receiver, int screenId);
    void render() override;
    int _isMouseOver() override { return _inside(_x, _y, float(_size), float(_size)) ? 1 : 0; }
    void _onClickLocal(int flag) override;
    // The selected button of the group, or nullptr.
    static std::shared_ptr<KZ_radioButton> getSelected(int group);
    int _isSelected() const;

    // A button that leaves the registry stops being its group's selection.
    static void _forget(const KZ_radioButton* button);

    plat::ImagePtr _img;  // not drawn
    int _size = 16;

    // Group number as decimal text -> selected button (or nullptr).
    static inline std::map<std::string, std::shared_ptr<KZ_radioButton>> _groupMap;
};
