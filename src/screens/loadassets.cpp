#include "screens/loadassets.h"

#include "game/airport/airportitem.h"
#include "game/traffic/gameobject.h"
#include "game/traffic/gameworld.h"
#include "game/scenarios/gs_forgottenport.h"
#include "platform/canvas.h"
#include "platform/window.h"
#include "screens/settingsmanager.h"
#include "screens/menuscreen.h"
#include "screens/screenshell.h"
#include "screens/splashscreen.h"
#include "vostrel/kz_uielement.h"
#include "vostrel/resourcemanager.h"
#include "vostrel/screenmanager.h"
#include "vostrel/vostrelframework.h"

const std::vector<AssetEntry>& assetList() {
    using A = AssetEntry;
    static const std::vector<AssetEntry> list = {
        {A::FONT, "normal", "ConsolaMono.ttf", 12},
        {A::FONT, "medium font", "ConsolaMono.ttf", 16},
        {A::FONT, "big font", "ConsolaMono.ttf", 20},
        {A::FONT, "giant font", "ConsolaMono.ttf", 50},
        {A::IMAGE, "MD-11", "aircraft/md-11.png"},
        {A::IMAGE, "TU-154", "aircraft/tu-154.png"},
        {A::IMAGE, "Mooney", "aircraft/mooney.png"},
        {A::IMAGE, "A380", "aircraft/a380.png"},
        {A::IMAGE, "C130", "aircraft/c130.png"},
        {A::IMAGE, "uav", "aircraft/uav.png"},
        {A::SPRITE, "Goose", "aircraft/birds.png", 64, 8, 0},
        {A::IMAGE, "help button", "menu/help.png"},
        {A::SPRITE, "explosion", "explosion.png", 50, 25, 1},
        {A::IMAGE, "smoke", "smoke.png", 0, 0, 1},
        {A::IMAGE, "merge", "merge.png", 0, 0, 1},
        {A::IMAGE, "death", "death.png"},
        {A::IMAGE, "cloud 1", "environment/cloud1.png"},
        {A::IMAGE, "cloud 2", "environment/cloud2.png"},
        {A::IMAGE, "cloud 3", "environment/cloud3.png"},
        {A::IMAGE, "cloud 4", "environment/cloud4.png"},
        {A::IMAGE, "ok button", "btn_play.png"},
        {A::IMAGE, "cancel button", "btn_cancel.png"},
        {A::IMAGE, "back button", "btn_back.png"},
        {A::IMAGE, "right button", "btn_right.png"},
        {A::IMAGE, "left button", "btn_left.png"},
        {A::IMAGE, "menu button", "btn_menu.png"},
        {A::IMAGE, "reset button", "screens/score_board/btn_reset.png"},
        {A::IMAGE, "phase on icon", "screens/story_break/phase_on.png"},
        {A::IMAGE, "phase off icon", "screens/story_break/phase_off.png"},
        {A::SOUND, "flatline sound", "flatline.wav"},
        {A::SOUND, "heartbeat sound", "heartbeat.wav"},
        {A::SOUND, "geese sound", "geese.wav", 0, 0, 1},
        {A::SOUND, "reward sound", "reward.wav"},
        {A::SOUND, "path ok", "button.wav"},
        {A::SOUND, "danger sound", "danger.wav", 0, 0, 1},
        {A::SOUND, "warning sound", "warning.wav"},
        {A::SOUND, "touchdown heavy", "touchdown.wav"},
        {A::SOUND, "touchdown light", "touchdown2.wav"},
        {A::SOUND, "explosion sound", "explosion.ogg"},
        {A::SOUND, "thunder sound", "thunder.ogg"},
        {A::TEXT, "workload data", "workload.txt"},
        {A::TEXT, "nation data", "nations.txt"},
        {A::TEXT, "airport data", "airports.txt"},
        {A::TEXT, "help data", "help.txt"},
        {A::TEXT, "credits data", "credits.txt"},
    };
    return list;
}

int loadAssets() {
    auto res = ResourceManager::GetInstance();
    const float s = ScreenManager::getDrawScale();
    for (const AssetEntry& a : assetList()) {
        const int scaled = int(float(a.size) * s);
        switch (a.kind) {
            case AssetEntry::FONT: res->addFont(a.file, a.key, scaled); break;
            case AssetEntry::IMAGE: res->addImage(a.file, a.key, a.flag); break;
            case AssetEntry::SPRITE: res->addSprite(a.file, a.key, scaled, scaled, a.frames, a.flag); break;
            case AssetEntry::SOUND: res->addSound(a.file, a.key, a.flag); break;
            case AssetEntry::TEXT: res->addText(a.file, a.key); break;
        }
    }
    return 0;
}

std::vector<std::string> directImageList(const std::string& airportText, const std::string& nationText) {
    std::vector<std::string> paths = {
        // Splash and menu.
        "images/logo.png", "images/menu.png", "images/menu/continue.png", "images/menu/new_game.png",
        "images/menu/top_scores.png", "images/menu/help.png", "images/menu/credits.png",
        // Intermission.
        "images/intermission.jpg",
        // Scenario grid, airport choice, help and credits.
        "images/screens/workload/bgd.jpg", "images/screens/workload/bgdButtons.png", "images/paper.png",
        "images/screens/airport_select/banner.png", "images/screens/airport_select/airport_1.png",
        "images/screens/airport_select/airport_2.png", "images/screens/airport_select/airport_3.png",
        "images/screens/help/banner.png", "images/screens/help/aircrafts.png", "images/screens/credits/banner.png",
        // Score board.
        "images/screens/score_board/bgd.png", "images/screens/score_board/banner.png",
        "images/screens/score_board/farmville.png", "images/screens/score_board/seaside.png",
        "images/screens/score_board/arctic.png", "images/screens/score_board/calmday.png",
        "images/screens/score_board/un.png", "images/screens/score_board/birdstrike.png",
        "images/screens/score_board/medical.png",
    };
    for (const AirportItemPtr& airport : AirportItem::loadRecords(airportText))
        paths.push_back("images/airport/" + airport->imgName);
    for (const std::string& picture : GS_forgottenPort::storyPictures()) paths.push_back(picture);
    for (const NationItemPtr& nation : GameWorld::readNations(nationText))
        paths.push_back("images/flags/" + nation->id + ".png");
    return paths;
}

int checkDirectImages() {
    auto res = ResourceManager::GetInstance();
    for (const std::string& path : directImageList(res->retrieveText("airport data"), res->retrieveText("nation data")))
        res->checkDirectImage(path);
    return 0;
}

int startUp(const std::string& appFolder, const std::function<void(int step)>& afterStep) {
    auto done = [&](StartStep step) {
        if (afterStep) afterStep(step);
    };
    VostrelFramework::GetInstance();
    // The simulation's links to the screens and the progress file, and what the framework's
    // onTerminate needs of the running game (its status, the score board, the save).
    installScreenShell();
    done(START_FRAMEWORK);
    plat::setAppTitle("Tarnholt");
    done(START_TITLE);
    vostrel->setVersion("1.51");
    done(START_VERSION);
    ResourceManager::setMacReleaseCompile(1);
    ResourceManager::setBundleFolder(appFolder);
    done(START_ASSET_FOLDER);
    ScreenManager::setDrawScale(800 / 800.0f);
    done(START_DRAW_SCALE);
    vostrel->initApp(800, 480, 30, 0);
    done(START_SERVICES);
    GameObject::set_scale(ScreenManager::getDrawScale());
    KZ_UIelement::set_Scale(ScreenManager::getDrawScale());
    done(START_SCALES);
    loadAssets();
    // A short or damaged "airports.txt" ends the start-up with the line it lacks, rather
    // than leaving an airport (or the story's) to fail when it is chosen.
    AirportItem::loadRecords(vostrel->resource->retrieveText("airport data"));
    // Likewise a picture loaded later by path, which would end a game under way.
    checkDirectImages();
    done(START_ASSETS);
    // "normal" is the font in force between screens.
    plat::setImageFont(vostrel->resource->retrieveFont("normal"));
    done(START_FONT);
    vostrel->resource->addImageFont("font", "KZ_default", 30, 30, 2);
    vostrel->screen->initFont();
    done(START_TEXT_RENDERER);
    // Before any screen can make itself the menu's continue target.
    MenuScreen::GetInstance();
    done(START_MENU);
    vostrel->screen->switchTo(SplashScreen::GetInstance(), 1, 0.0f);
    done(START_SPLASH);
    // Before the first frame, so every screen sees the stored values.
    SettingsManager::GetInstance()->loadData();
    done(START_PROGRESS);
    return 0;
}

int runFrameLoop() {
    while (!plat::closeRequested()) vostrel->update();
    vostrel->onTerminate();
    return 0;
}
