// Date text for the score board.
#pragma once
#include <string>
#include <vector>

#include "imports/object.h"

class KZ_time : public Object {
public:
    // "Dec 07, 2026": month abbreviation, the two-digit day, the year. n is not used.
    static std::string getDate(int n);
    // The same from a date written as the platform writes it ("07 Dec 2026").
    static std::string _formatDate(const std::string& platformDate);
    // Index 0..11 of a month abbreviation, any case; -1 for anything else.
    static int _convertMonth(const std::string& text);
    static const std::vector<std::string> shortMonth;
};
