// Date text for the score board.
#include <gtest/gtest.h>

#include "imports/kz_time.h"
#include "platform/sys.h"

TEST(KZ_timeTest, DateTextKeepsTheDaysLeadingZero) {
    EXPECT_EQ(KZ_time::_formatDate("01 Dec 2026"), "Dec 01, 2026");
    EXPECT_EQ(KZ_time::_formatDate("07 Jan 2027"), "Jan 07, 2027");
    EXPECT_EQ(KZ_time::_formatDate("31 may 2026"), "May 31, 2026");
}

TEST(KZ_timeTest, TodaysDateHasTheShortForm) {
    const std::string today = plat::currentDate();  // "09 Dec 2026"
    const std::string text = KZ_time::getDate(123);
    ASSERT_EQ(text.size(), 12u) << text;
    EXPECT_EQ(text.substr(0, 3), today.substr(3, 3));
    EXPECT_EQ(text.substr(4, 2), today.substr(0, 2));
    EXPECT_EQ(text.substr(6, 2), ", ");
    EXPECT_EQ(text.substr(8), today.substr(7));
}

TEST(KZ_timeTest, MonthLookupIgnoresCaseButNotTheWord) {
    EXPECT_EQ(KZ_time::_convertMonth("dec"), 11);
    EXPECT_EQ(KZ_time::_convertMonth("DEC"), 11);
    EXPECT_EQ(KZ_time::_convertMonth("dEc"), 11);
    EXPECT_EQ(KZ_time::_convertMonth("Jan"), 0);
    EXPECT_EQ(KZ_time::_convertMonth("December"), -1);
    EXPECT_EQ(KZ_time::_convertMonth(""), -1);
    ASSERT_EQ(KZ_time::shortMonth.size(), 12u);
    EXPECT_EQ(KZ_time::shortMonth[8], "Sep");
}

TEST(KZ_timeTest, UnknownMonthWordIsKeptInsteadOfBreaking) {
    EXPECT_EQ(KZ_time::_formatDate("05 Okt 2026"), "Okt 05, 2026");
    EXPECT_EQ(KZ_time::_formatDate(""), " , ");
}
