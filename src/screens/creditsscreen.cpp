#include "screens/creditsscreen.h"

#include "screens/constants.h"

CreditsScreen::CreditsScreen()
    : TextPageScreen(Layout{Constants::CREDITS, "credits data", 250, 80, 350, 400, "images/screens/credits/banner.png",
                            220, 60, nullptr}) {}
