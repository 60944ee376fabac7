#include "sdk/Variant.h"
#include "sdk/ErrorSource.h"
#include "sdk/RuntimeError.h"

#include <gtest/gtest.h>

namespace {

int32_t ErrorOf(const std::function<void()>& conversion) {
    try {
        conversion();
    } catch (const RuntimeError& error) {
        return error.number;
    }
    return 0;
}

TEST(VariantTest, IntegerConversionRoundsHalfToEvenBothWays) {
    EXPECT_EQ(Variant(12.5).toInt16(), 12);
    EXPECT_EQ(Variant(13.5).toInt16(), 14);
    EXPECT_EQ(Variant(-12.5).toInt32(), -12);
    EXPECT_EQ(Variant(-13.5).toInt32(), -14);
    EXPECT_EQ(Variant(0.5).toInt32(), 0);
    EXPECT_EQ(Variant(12.6).toInt32(), 13);
    EXPECT_EQ(Variant("12.5").toInt16(), 12);
    EXPECT_EQ(Variant(" 13.5 ").toInt32(), 14);
    EXPECT_EQ(Variant("1e3").toInt32(), 1000);
    EXPECT_EQ(Variant(true).toInt16(), -1);
    EXPECT_EQ(Variant().toInt32(), 0);
}

TEST(VariantTest, IntegerConversionOverflowsAtThe16And32BitBounds) {
    EXPECT_EQ(Variant("32767").toInt16(), 32767);
    EXPECT_EQ(Variant(-32768).toInt16(), -32768);
    EXPECT_EQ(Variant(-32768.5).toInt16(), -32768);
    EXPECT_EQ(ErrorOf([] { Variant("40000").toInt16(); }), ErrorNumbers::Overflow);
    EXPECT_EQ(ErrorOf([] { Variant(32767.5).toInt16(); }), ErrorNumbers::Overflow);
    EXPECT_EQ(ErrorOf([] { Variant(-32769).toInt16(); }), ErrorNumbers::Overflow);
    EXPECT_EQ(Variant("40000").toInt32(), 40000);
    EXPECT_EQ(Variant(2147483647.0).toInt32(), 2147483647);
    EXPECT_EQ(Variant(-2147483648.0).toInt32(), int32_t(-2147483647 - 1));
    EXPECT_EQ(ErrorOf([] { Variant(2147483648.0).toInt32(); }), ErrorNumbers::Overflow);
    EXPECT_EQ(ErrorOf([] { Variant("-2147483649").toInt32(); }), ErrorNumbers::Overflow);
    EXPECT_EQ(ErrorOf([] { Variant("1e300").toInt32(); }), ErrorNumbers::Overflow);
}

TEST(VariantTest, NonNumericTextAndNullFailWithTheirOwnNumbers) {
    EXPECT_EQ(ErrorOf([] { Variant("abc").toInt32(); }), ErrorNumbers::TypeMismatch);
    EXPECT_EQ(ErrorOf([] { Variant("").toInt16(); }), ErrorNumbers::TypeMismatch);
    EXPECT_EQ(ErrorOf([] { Variant("12abc").toDouble(); }), ErrorNumbers::TypeMismatch);
    EXPECT_EQ(ErrorOf([] { Variant::Null().toInt32(); }), ErrorNumbers::InvalidUseOfNull);
    EXPECT_EQ(ErrorOf([] { Variant::Null().toBool(); }), ErrorNumbers::InvalidUseOfNull);
    EXPECT_EQ(ErrorOf([] { Variant("maybe").toBool(); }), ErrorNumbers::TypeMismatch);
}

TEST(VariantTest, TextOfNullEmptyBooleanAndNumbers) {
    EXPECT_EQ(Variant::Null().toText(), "");
    EXPECT_EQ(Variant().toText(), "");
    EXPECT_EQ(Variant(true).toText(), "True");
    EXPECT_EQ(Variant(false).toText(), "False");
    EXPECT_EQ(Variant(int16_t(-7)).toText(), "-7");
    EXPECT_EQ(Variant(2.5).toText(), "2.5");
    EXPECT_EQ(Variant(4.0).toText(), "4");
    EXPECT_TRUE(Variant("True").toBool());
    EXPECT_TRUE(Variant("-1").toBool());
    EXPECT_FALSE(Variant(0).toBool());
}

TEST(VariantTest, NumericTest) {
    for (const char* numeric : {"0", "12", " 12 ", "-3", "+3", "1.5", ".5", "5.", "1e5", "-2.5E-3"})
        EXPECT_TRUE(IsNumericText(QString::fromLatin1(numeric))) << numeric;
    for (const char* other : {"", " ", "abc", "1.2.3", "12a", "--1", "1e", "e5", "."})
        EXPECT_FALSE(IsNumericText(QString::fromLatin1(other))) << other;
    EXPECT_TRUE(IsNumeric(Variant(3)));
    EXPECT_FALSE(IsNumeric(Variant::Null()));
}


TEST(VariantTest, DatesConvertToAndFromTheHostSerial) {
    const QDateTime date(QDate(2006, 3, 7), QTime(14, 5));
    EXPECT_NEAR(DateToSerial(date), 38783.5868, 1e-4);
    EXPECT_EQ(SerialToDate(DateToSerial(date)), date);
    EXPECT_EQ(Variant("3/7/2006").toDateTime().date(), QDate(2006, 3, 7));
}


} // namespace
