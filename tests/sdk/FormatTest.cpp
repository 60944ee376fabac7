#include "sdk/Format.h"

#include <gtest/gtest.h>

namespace {

TEST(FormatTest, Currency) {
    EXPECT_EQ(Format(1234.5, "Currency"), "$1,234.50");
    EXPECT_EQ(Format(-1234.5, "Currency"), "($1,234.50)");
    EXPECT_EQ(Format(0, "Currency"), "$0.00");
    EXPECT_EQ(Format(1234567.891, "Currency"), "$1,234,567.89");
    EXPECT_EQ(Format("45", "Currency"), "$45.00");
}

TEST(FormatTest, DigitPatterns) {
    EXPECT_EQ(Format(2.5, "0.00"), "2.50");
    EXPECT_EQ(Format(-2.5, "0.00"), "-2.50");
    EXPECT_EQ(Format(2.5, "#.00"), "2.50");
    EXPECT_EQ(Format(0.5, "#.00"), ".50");
    EXPECT_EQ(Format(1234.0, "0"), "1234");
    EXPECT_EQ(Format(7.0, "0"), "7");
    EXPECT_EQ(Format(int16_t(3), "0.00"), "3.00");
}

TEST(FormatTest, DatePatterns) {
    const QDateTime afternoon(QDate(2006, 3, 7), QTime(14, 5, 9));
    EXPECT_EQ(Format(afternoon, "mm/dd/yyyy"), "03/07/2006");
    EXPECT_EQ(Format(afternoon, "MM/DD/YYYY hh:nn AMPM"), "03/07/2006 02:05 PM");
    EXPECT_EQ(Format(afternoon, "mm/dd/yyyy hh:mm ampm"), "03/07/2006 02:05 PM");
}

// Grids hold dates as text: the forms this system and the database write, and others the parser takes.
TEST(FormatTest, DateTexts) {
    const std::pair<const char*, const char*> cases[] = {
        {"3/7/2006 2:05:09 PM", "03/07/2006 02:05:09 PM"},
        {"12/25/2006 12:30:00 AM", "12/25/2006 12:30:00 AM"},
        {"12/25/2006 12:30:00 PM", "12/25/2006 12:30:00 PM"},
        {"3/7/2006", "03/07/2006 12:00:00 AM"},
        {"2006-03-07 14:05:09", "03/07/2006 02:05:09 PM"},
        {"2006-03-07T00:05:09", "03/07/2006 12:05:09 AM"},
        {"3/7/2006 2:05 PM", "03/07/2006 02:05:00 PM"},
        {" 2/29/2024 11:59:59 PM", "02/29/2024 11:59:59 PM"},
    };
    for (const auto& [text, shown] : cases)
        EXPECT_EQ(Format(text, "MM/DD/YYYY hh:nn:ss AMPM"), shown) << text;
    for (const char* notADate : {"2/30/2024", "3/7/206", "3/7/2006 13:05:09 PM", "3/7/2006 2:05:09"})
        EXPECT_EQ(Format(notADate, "mm/dd/yyyy"), notADate);
}

TEST(FormatTest, NullEmptyAndNonNumericText) {
    EXPECT_EQ(Format(Variant::Null(), "Currency"), "");
    EXPECT_EQ(Format(Variant(), "mm/dd/yyyy"), "");
    EXPECT_EQ(Format("n/a", "0.00"), "n/a");
}

} // namespace
