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
    const std::pair<Variant, int16_t> cases[] = {
        {Variant(12.5), 12},    {Variant(13.5), 14}, {Variant(-12.5), -12}, {Variant(-13.5), -14},
        {Variant(0.5), 0},      {Variant(12.6), 13}, {Variant("12.5"), 12}, {Variant(" 13.5 "), 14},
        {Variant("1e3"), 1000}, {Variant(true), -1}, {Variant(), 0}};
    for (const auto& [value, rounded] : cases) {
        EXPECT_EQ(value.toInt16(), rounded) << value.describe().toStdString();
        EXPECT_EQ(value.toInt32(), rounded) << value.describe().toStdString();
    }
}

TEST(VariantTest, IntegerConversionOverflowsAtThe16And32BitBounds) {
    EXPECT_EQ(Variant("32767").toInt16(), 32767);
    EXPECT_EQ(Variant(-32768).toInt16(), -32768);
    EXPECT_EQ(Variant(-32768.5).toInt16(), -32768);
    EXPECT_EQ(Variant("40000").toInt32(), 40000);
    EXPECT_EQ(Variant(2147483647.0).toInt32(), 2147483647);
    EXPECT_EQ(Variant(-2147483648.0).toInt32(), int32_t(-2147483647 - 1));
    for (const Variant& over : {Variant("40000"), Variant(32767.5), Variant(-32769)})
        EXPECT_EQ(ErrorOf([&] { over.toInt16(); }), ErrorNumbers::Overflow) << over.describe().toStdString();
    for (const Variant& over : {Variant(2147483648.0), Variant("-2147483649"), Variant("1e300")})
        EXPECT_EQ(ErrorOf([&] { over.toInt32(); }), ErrorNumbers::Overflow) << over.describe().toStdString();
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
    const std::pair<Variant, const char*> texts[] = {{Variant::Null(), ""},        {Variant(), ""},
                                                     {Variant(true), "True"},      {Variant(false), "False"},
                                                     {Variant(int16_t(-7)), "-7"}, {Variant(2.5), "2.5"},
                                                     {Variant(4.0), "4"}};
    for (const auto& [value, text] : texts)
        EXPECT_EQ(value.toText(), text);
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
