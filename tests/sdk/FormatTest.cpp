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
    const QDateTime morning(QDate(2006, 12, 25), QTime(0, 30));
    EXPECT_EQ(Format(morning, "MM/DD/YYYY hh:nn AMPM"), "12/25/2006 12:30 AM");
    EXPECT_EQ(Format("2006-03-07 14:05:00", "mm/dd/yyyy"), "03/07/2006");
}

// Grids hold dates as text; the quick reading of that text must format as the full date parser would.
TEST(FormatTest, DateTextsFormatAsTheirParsedDates) {
    for (const char* text : {"3/7/2006 2:05:09 PM", "12/25/2006 12:30:00 AM", "12/25/2006 12:30:00 PM",
                             "3/7/2006", "2006-03-07 14:05:09", "2006-03-07T14:05:09", "3/7/2006 2:05 PM",
                             " 3/7/2006", "2/29/2024 11:59:59 PM"}) {
        const QDateTime parsed = Variant(text).toDateTime();
        EXPECT_EQ(Format(text, "MM/DD/YYYY hh:nn:ss AMPM"), Format(parsed, "MM/DD/YYYY hh:nn:ss AMPM"))
            << text;
    }
    for (const char* notADate : {"2/30/2024", "3/7/206", "3/7/2006 13:05:09 PM", "3/7/2006 2:05:09"})
        EXPECT_EQ(Format(notADate, "mm/dd/yyyy"), notADate);
}

TEST(FormatTest, NullEmptyAndNonNumericText) {
    EXPECT_EQ(Format(Variant::Null(), "Currency"), "");
    EXPECT_EQ(Format(Variant(), "mm/dd/yyyy"), "");
    EXPECT_EQ(Format("n/a", "0.00"), "n/a");
}

} // namespace
