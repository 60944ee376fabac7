#include "store/data/modDataTypes.h"

#include <gtest/gtest.h>

namespace {

TEST(modDataTypesTest, NullHelpers) {
    EXPECT_EQ(NullToZero(Variant::Null()), Variant(int16_t(0)));
    EXPECT_EQ(NullToZero("x"), Variant("x"));
    EXPECT_EQ(NullToZero(Variant()), Variant());
    EXPECT_EQ(NullToDefault(Variant::Null(), 1), Variant(1));
    EXPECT_EQ(NullToDefault(5, 1), Variant(5));
    EXPECT_TRUE(IsNothing(std::shared_ptr<int>()));
    EXPECT_FALSE(IsNothing(std::make_shared<int>(1)));
}

TEST(modDataTypesTest, ArrayIsDimensionedWhenItHasBoundsThatFitSixteenBits) {
    EXPECT_FALSE(IsArrayDimensioned(Variant::Array({})));
    EXPECT_TRUE(IsArrayDimensioned(Variant::Array({Variant(1)})));
    EXPECT_TRUE(IsArrayDimensioned(Variant::Array({1, 2}, 32766)));
    EXPECT_FALSE(IsArrayDimensioned(Variant::Array({1, 2}, 32767)));
    EXPECT_FALSE(IsArrayDimensioned(Variant("not an array")));
}

} // namespace
