// Shared pieces of the asset generator: where files go, the airport records it paints
// from, and the list of generators.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "raster.h"

namespace ag {

// Output root (the game's assets folder) and the folder for review material.
void setOutput(const std::string& assetRoot, const std::string& reviewDir);
const std::string& assetRoot();
// Writes original/<rel> (PNG, or JPEG when rel ends in ".jpg") and keeps it for the
// contact sheet. Throws on failure.
void saveImage(const std::string& rel, const Img& img);
// Writes a PNG at a path under the asset root (not part of the image cache).
void saveRawPNG(const std::string& relToRoot, const Img& img);
// Frames side by side in one row.
Img strip(const std::vector<Img>& frames);
void writeContactSheet(const std::string& path);

// Runs every job on a thread of its own and waits for all of them; then rethrows the first
// failure, in the jobs' order.
void runParallel(const std::vector<std::function<void()>>& jobs);

// One line of "airports.txt": the fields the pictures depend on.
struct AirportRec {
    std::string title, imgName, bgSound, description;
    float r1x = 0, r1y = 0, r1h = 0, r2x = 0, r2y = 0, r2h = 0;
    int r = 0, g = 0, b = 0;
    float flagX = 0, flagY = 0, flagAngle = 0;
};
// Parses the text; throws with a message when a line is malformed.
std::vector<AirportRec> parseAirports(const std::string& text);

// A runway's outline as the game places it: centre P, compass heading h, length L, width 30.
struct RunwayGeo {
    V2 p, u, v;     // centre, unit toward the threshold end, unit across
    float len, wid;
    V2 at(float along, float across) const { return p + u * along + v * across; }
};
RunwayGeo runwayGeo(float x, float y, float headingDeg, float length);
// The record's two runways: the long one (330) and the short one (226).
struct RunwayPair {
    RunwayGeo longRw, shortRw;
};
RunwayPair runways(const AirportRec& r);

// What the generator makes of each airport, one row per airport: which line of
// "airports.txt" it paints (the line must name the same picture), its painter, the colour
// grading that gives it its light of day, the extra pictures made from it, the kind of
// ambient sound written under the record's sound file, and its thumbnails.
struct Grading {
    uint32_t tint;
    float amount, vignette;
};
struct AirportArt {
    size_t record;                      // line of airports.txt, from 0
    std::string picture;                // airport/<picture>
    Img (*paint)(const AirportRec&);
    Grading grading;
    std::string stormPicture;           // airport/<stormPicture>, darkened with rain; "" for none
    std::string ambience;               // the kind of ambient sound (also its noise seed)
    std::string selectThumb;            // screens/airport_select/<selectThumb>; "" for none
    std::string scoreIcon;              // screens/score_board/<scoreIcon>; "" for none
};
const std::vector<AirportArt>& airportArt();
// The table's record for a row; throws when airports.txt is short of it or names another picture.
const AirportRec& recordOf(const AirportArt& art, const std::vector<AirportRec>& recs);

// Nation ids in "nations.txt" order.
std::vector<std::string> nationIds(const std::string& nationsText);

using Job = void (*)();
void genAircraft();
void genEffects();
void genButtons();
void genScreens();
void genIcons();   // after genAirports
void genFlags(const std::vector<std::string>& ids);
void genPortraits();
void genAirports(const std::vector<AirportRec>& recs);
void genTerminal();
void genSounds(const std::vector<std::string>& nationIds, const std::vector<AirportRec>& recs);

// Shared drawing helpers.
Img aircraftSprite(const std::string& kind);   // "md-11", "tu-154", ... at game size
Img gooseFrame(int frame, float scale = 1.0f);   // 64 x 64 at scale 1
Img airportPicture(const std::string& imgName); // painted picture by file name (after genAirports)
void roundButton(Img& img, Col base, float cx, float cy, float r);
void banner(Img& img, const std::string& title);

}  // namespace ag
