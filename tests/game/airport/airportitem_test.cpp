// Airport records: one line's sixteen fields, and a file too short for the four airports
// the game needs, reported with the line at fault.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <climits>
#include <cmath>

#include "game/airport/airportitem.h"

namespace {

const std::string kLine =
    "Seaside/seaside.png/ambience_seaside.ogg/380/230/60.5/560/340/150/127.9/-3.7/255/300/420/-15.5/A coast. | Gulls.";

std::string lines(int n, const std::string& line = kLine) {
    std::string text;
    for (int i = 0; i < n; ++i) text += (i ? "\n" : "") + line;
    return text;
}

}  // namespace

TEST(AirportItemTest, LineFillsEveryFieldAndIgnoresExtraOnes) {
    for (const std::string& line : {kLine, kLine + "/extra/fields", kLine + "\r"}) {
        SCOPED_TRACE(line);
        auto item = AirportItem::fromLine(line);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->title, "Seaside");
        EXPECT_EQ(item->imgName, "seaside.png");
        EXPECT_EQ(item->bgSound, "ambience_seaside.ogg");
        EXPECT_EQ(item->rwy_1, Vector(380, 230));
        EXPECT_EQ(item->rwy_1_head, 60.5f);
        EXPECT_EQ(item->rwy_2, Vector(560, 340));
        EXPECT_EQ(item->rwy_2_head, 150.0f);
        EXPECT_EQ(item->r, 127) << "truncated toward zero";
        EXPECT_EQ(item->g, -3);
        EXPECT_EQ(item->b, 255);
        EXPECT_EQ(item->flag, Vector(300, 420));
        EXPECT_EQ(item->flag_angle, -15.5f);
        EXPECT_EQ(item->description.substr(0, 17), "A coast. | Gulls.");
    }
    EXPECT_EQ(AirportItem::fromLine(lines(1) + "\r")->description, "A coast. | Gulls.\r") << "the CR stays";
}

TEST(AirportItemTest, ShortFileOrShortLineIsReportedWithItsLine) {
    struct Case { std::string text; std::string error; };
    const std::string shortLine = "Seaside/seaside.png/x.ogg/1/2/3/4/5/6/7/8/9";
    const Case cases[] = {
        {lines(4), ""},
        {lines(4) + "\nnot an airport", ""},
        {lines(3), "airports.txt line 4 is missing: 4 airports are needed"},
        {lines(3) + "\n", "airports.txt line 4 has 1 fields, 16 are needed"},
        {kLine + "\n" + shortLine + "\n" + lines(2), "airports.txt line 2 has 12 fields, 16 are needed"},
        {"", "airports.txt line 1 has 1 fields, 16 are needed"},
    };
    for (const Case& c : cases) {
        std::string error;
        const auto records = AirportItem::readRecords(c.text, error);
        EXPECT_EQ(records.has_value(), c.error.empty()) << c.text;
        EXPECT_EQ(error, c.error);
        if (records) {
            for (const auto& r : *records) EXPECT_NE(r, nullptr);
        }
    }
}

TEST(AirportItemTest, LoadingABadFileEndsTheProgramNamingTheLine) {
    EXPECT_EXIT(AirportItem::loadRecords(lines(2)), [](int status) { return WIFEXITED(status) && WEXITSTATUS(status) != 0; },
                "");
}

// Numbers an edited "airports.txt" may hold that no int can: they read as finite values a
// runway, a flag and the display colour can take.
TEST(AirportItemTest, NumbersBeyondIntReadAsUsableValues) {
    struct Case { const char* heading; const char* colour; float expectedHeading; int expectedColour; };
    const Case cases[] = {
        {"1e30", "1e30", float(std::fmod(1e30, 360.0)), INT_MAX},
        {"nan", "-1e30", 0.0f, INT_MIN},
        {"-inf", "nan", 0.0f, 0},
        {"450", "300.9", 450.0f, 300},  // sane values stay as written
        {"-15.5", "-3.7", -15.5f, -3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.heading) + " / " + c.colour);
        const std::string h = c.heading, k = c.colour;
        auto item = AirportItem::fromLine("T/a.png/b.ogg/1/2/" + h + "/3/4/" + h + "/" + k + "/" + k + "/" + k +
                                          "/5/6/" + h + "/D");
        ASSERT_TRUE(item);
        EXPECT_FLOAT_EQ(item->rwy_1_head, c.expectedHeading);
        EXPECT_FLOAT_EQ(item->rwy_2_head, c.expectedHeading);
        EXPECT_FLOAT_EQ(item->flag_angle, c.expectedHeading);
        EXPECT_EQ(item->r, c.expectedColour);
        EXPECT_EQ(item->b, c.expectedColour);
    }
}
