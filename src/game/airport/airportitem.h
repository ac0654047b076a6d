// One airport record: a line of "airports.txt", sixteen fields separated by "/".
#pragma once
#include <array>
#include <memory>
#include <optional>
#include <string>

#include "imports/object.h"
#include "imports/vector.h"

class AirportItem;
using AirportItemPtr = std::shared_ptr<AirportItem>;

class AirportItem : public Object {
public:
    // Fields a line must have; further ones are ignored.
    static constexpr int FIELD_COUNT = 16;
    // Records the game needs: three selectable airports, then the story's airport.
    static constexpr int RECORD_COUNT = 4;

    AirportItem() = default;

    // Fills a record from one line. A line with fewer than sixteen fields gives nullptr
    // and, when `error` is given, a message saying how many fields it has.
    static AirportItemPtr fromLine(const std::string& line, std::string* error = nullptr);
    // Reads the first four lines of the file's text. A missing or short line gives no
    // records and a message naming the line (counted from 1) in `error`.
    static std::optional<std::array<AirportItemPtr, RECORD_COUNT>> readRecords(const std::string& text,
                                                                              std::string& error);
    // As readRecords, but a bad file ends the program with the message, so that it is
    // reported at start-up rather than when the airport is picked.
    static std::array<AirportItemPtr, RECORD_COUNT> loadRecords(const std::string& text);

    std::string title;
    std::string description;
    std::string imgName;
    std::string bgSound;
    std::optional<Vector> rwy_1;
    float rwy_1_head = 0.0f;
    std::optional<Vector> rwy_2;
    float rwy_2_head = 0.0f;
    int r = 0;
    int g = 0;
    int b = 0;
    std::optional<Vector> flag;
    float flag_angle = 0.0f;
};
