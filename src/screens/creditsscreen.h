// The credits page: the help page's design with its own text, banner and paper position.
#pragma once
#include "screens/helpscreen.h"

class CreditsScreen : public TextPageScreen, public Singleton<CreditsScreen> {
public:
    CreditsScreen();
};
