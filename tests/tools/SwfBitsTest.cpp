#include "tools/swf/SwfBits.h"

#include <gtest/gtest.h>

using tools::swf::Bytes;
using tools::swf::SwfBits;

namespace {

struct WidthCase {
    std::int32_t value;
    int width;
};

class SignedWidthTest : public testing::TestWithParam<WidthCase> {};

TEST_P(SignedWidthTest, CountsSignBitAndMagnitude)
{
    EXPECT_EQ(SwfBits::signedWidth(GetParam().value), GetParam().width);
}

INSTANTIATE_TEST_SUITE_P(Values, SignedWidthTest,
    testing::Values(WidthCase{0, 1}, WidthCase{-1, 1}, WidthCase{1, 2}, WidthCase{-2, 2}, WidthCase{2, 3},
        WidthCase{6140, 14}, WidthCase{-6140, 14}, WidthCase{8191, 14}, WidthCase{8192, 15}, WidthCase{-8193, 15},
        WidthCase{1310720, 22}));

TEST(SwfBitsTest, BitFieldsAreMostSignificantFirstAndFlushedBeforeBytes)
{
    SwfBits out;
    out.unsignedBits(0b101, 3);
    out.signedBits(-2, 3); // 110
    out.u8(0xAB);          // flushes 101110 + 00
    out.unsignedBits(1, 1);
    EXPECT_EQ(out.data(), (Bytes{0b10111000, 0xAB, 0b10000000}));
}

TEST(SwfBitsTest, NumbersAreLittleEndianAndStringsEndWithNul)
{
    SwfBits out;
    out.u16(0x1234);
    out.u32(0x89ABCDEF);
    out.string("书");
    EXPECT_EQ(out.data(), (Bytes{0x34, 0x12, 0xEF, 0xCD, 0xAB, 0x89, 0xE4, 0xB9, 0xA6, 0x00}));
}

TEST(SwfBitsTest, RefusesWhatCannotBeWritten)
{
    SwfBits out;
    EXPECT_THROW(out.u16(0x10000), std::out_of_range);
    EXPECT_THROW(out.signedBits(8, 4), std::out_of_range);
    EXPECT_THROW(out.string(std::string("a\0b", 3)), std::invalid_argument);
}

} // namespace
