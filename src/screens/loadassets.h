// The start-up: every asset registered under its key, the fonts, the first two screens, the
// progress file, and then the frame loop until the platform asks the game to close.
#pragma once
#include <functional>
#include <string>
#include <vector>

// One entry of the asset list. Sizes are design sizes, multiplied by the draw scale and
// truncated when registered.
struct AssetEntry {
    enum Kind { FONT, IMAGE, SPRITE, SOUND, TEXT };
    Kind kind;
    std::string key;
    std::string file;   // relative to the registry's folder for its kind
    int size = 0;       // fonts: pixel size; sprites: cell width and height
    int frames = 0;     // sprites: cell count
    int flag = 0;       // images and sprites: 1 = centred handle; sounds: 1 = loops
};

// The 45 assets, in the order they are registered.
const std::vector<AssetEntry>& assetList();

// Registers every asset of the list under its key; a missing or damaged file ends the
// program with the registry's message, so later entries are not tried. Returns 0.
int loadAssets();

// Every picture the screens, the airports of `airportText` ("airports.txt"), the story and
// the nations of `nationText` ("nations.txt", one flag each) load by path when they need
// them, relative to the assets folder. The terminal view's are not among them: no screen
// opens it.
std::vector<std::string> directImageList(const std::string& airportText, const std::string& nationText);

// Checks the header of every picture of the list, so that one missing or damaged stops the
// start with the registry's "Direct Image" message instead of a game under way. Returns 0.
int checkDirectImages();

// The start-up's steps, in the order they run. What initApp makes (the services) reads
// what the steps before it set: the registry its asset folder, the image cache the scale.
enum StartStep {
    START_FRAMEWORK = 1,  // the framework object, and the simulation's links to the screens
    START_TITLE,          // the window title
    START_VERSION,        // the version the menu shows
    START_ASSET_FOLDER,   // the bundle flag and the folder the registry takes the assets from
    START_DRAW_SCALE,     // the draw scale
    START_SERVICES,       // initApp: widgets, input, window, registry, screen manager, sound
    START_SCALES,         // the draw scale handed to the game objects and the widgets
    START_ASSETS,         // the asset list, the airport records and the pictures loaded by path
    START_FONT,           // "normal" as the font in force
    START_TEXT_RENDERER,  // the bitmap font and the screen manager's text renderer
    START_MENU,           // the menu screen
    START_SPLASH,         // the splash screen shown
    START_PROGRESS,       // the progress file read
};

// Brings the game up to its first frame, in the order of StartStep, on the assets in
// `appFolder`/assets (the game passes its executable's folder; a harness its scratch folder).
// `afterStep`, when given, hears each step as it completes; the game passes nothing.
int startUp(const std::string& appFolder, const std::function<void(int step)>& afterStep = nullptr);

// Runs frames until the platform reports a close request (tested before every frame), then
// lets the framework record a running game. Returns 0.
int runFrameLoop();
