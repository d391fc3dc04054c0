#include "base/Conversions.h"

#include <gtest/gtest.h>

using namespace base;

TEST(Conversions, HalvesRoundToEven)
{
    EXPECT_EQ(toInt16(2.5), 2);
    EXPECT_EQ(toInt16(3.5), 4);
    EXPECT_EQ(toInt16(-2.5), -2);
    EXPECT_EQ(toInt16(-3.5), -4);
    EXPECT_EQ(toInt16(2.4999), 2);
    EXPECT_EQ(toInt16(2.5001), 3);
    EXPECT_EQ(toInt32(0.5), 0);
    EXPECT_EQ(toInt32(1.5), 2);
}

TEST(Conversions, OutOfRangeFailsInsteadOfWrapping)
{
    EXPECT_EQ(toInt16(32767.0), 32767);
    EXPECT_EQ(toInt16(-32768.0), -32768);
    EXPECT_FALSE(toInt16(32768.0));
    EXPECT_FALSE(toInt16(32767.5)); // rounds to 32768
    EXPECT_FALSE(toInt16(-32769.0));
    EXPECT_EQ(toInt32(40000.0), 40000);
    EXPECT_FALSE(toInt32(3e9));
    EXPECT_FALSE(toInt16(std::numeric_limits<double>::quiet_NaN()));
}

TEST(Conversions, NumericTextIsReadWithSurroundingSpaces)
{
    EXPECT_EQ(toInt16("12"), 12);
    EXPECT_EQ(toInt16(" 12 "), 12);
    EXPECT_EQ(toInt16("-7"), -7);
    EXPECT_EQ(toInt16("+7"), 7);
    EXPECT_EQ(toInt16("2.5"), 2);
    EXPECT_EQ(toInt16("1e2"), 100);
    EXPECT_EQ(toInt32("40000"), 40000);
}

TEST(Conversions, NonNumericTextFails)
{
    for (const char* bad : {"", " ", "abc", "12a", "1 2", "0x10", "inf", "nan", "-", ".", "1e", "１２"})
        EXPECT_FALSE(toInt16(bad)) << bad;
    EXPECT_FALSE(toInt16("40000"));
}
