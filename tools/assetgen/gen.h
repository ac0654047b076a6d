// Shared pieces of the asset generator: where files go, the airport records it paints
// from, and the list of generators.
#pragma once
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

// Nation ids in "nations.txt" order.
std::vector<std::string> nationIds(const std::string& nationsText);

using Job = void (*)();
void genAircraft();
void genEffects();
void genButtons();
void genScreens();
void genIcons();
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
