// The story's interlude between phases: a portrait, a line of speech and the bar of twelve
// phase lamps, with Play (back into the story) and Menu. The story sets everything shown.
#pragma once
#include <memory>
#include <string>

#include "platform/image.h"
#include "vostrel/inf_screenmanager.h"
#include "vostrel/kz_button.h"
#include "vostrel/kz_textarea.h"
#include "vostrel/singleton.h"

class StorybreakScreen : public inf_screenManager, public Singleton<StorybreakScreen> {
public:
    static constexpr int PHASE_COUNT = 12;

    StorybreakScreen();

    int render() override;
    int onFadeOutStart() override;
    int SendMessage(const std::shared_ptr<Object>& message, const std::shared_ptr<Object>& context) override;

    int startSound() { return 0; }
    int stopSound() { return 0; }
    int setPhase(int n);
    int setTextLocation(int x, int y, int width, int height);
    int setText(const std::string& text);
    int setImageLocation(int x, int y);
    int setImage(const std::string& path);
    int _renderPhaseBar(int phase);
    // Whether lamp i (0-based) is lit for a phase.
    static bool lampLit(int lamp, int phase) { return lamp < phase; }

    std::shared_ptr<KZ_button> _btn_play;
    std::shared_ptr<KZ_button> _btn_menu;
    plat::ImagePtr _image;
    int _imgX = 0, _imgY = 0;
    std::shared_ptr<KZ_textarea> _textArea;
    std::string _text;
    int _txtX = 0, _txtY = 0, _txtWidth = 0, _txtHeight = 0;
    int _phase = -1;
};
