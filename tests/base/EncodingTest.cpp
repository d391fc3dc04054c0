#include "base/Encoding.h"

#include <gtest/gtest.h>

using namespace base;

TEST(Encoding, Gb2312BytesDecodeToUtf8)
{
    // "中文" in GB2312.
    EXPECT_EQ(decodeTextFileBytes("\xD6\xD0\xCE\xC4"), "中文");
    EXPECT_EQ(decodeTextFileBytes("abc\xD6\xD0"), "abc中");
}

TEST(Encoding, Utf8PassesThroughAndLosesItsByteOrderMark)
{
    EXPECT_EQ(decodeTextFileBytes("中文"), "中文");
    EXPECT_EQ(decodeTextFileBytes("\xEF\xBB\xBF中文"), "中文");
    EXPECT_EQ(decodeTextFileBytes(""), "");
}

TEST(Encoding, UndecodableBytesBecomeReplacementCharacters)
{
    const std::string decoded = decodeTextFileBytes("a\xFF" "b");
    EXPECT_EQ(decoded, "a\xEF\xBF\xBD" "b");
}

TEST(Encoding, WideCharactersAreThoseGb2312EncodesInTwoBytes)
{
    EXPECT_TRUE(isWideChar(U'中'));
    EXPECT_TRUE(isWideChar(U'，'));   // A3AC
    EXPECT_TRUE(isWideChar(U'《'));   // A1B6
    EXPECT_TRUE(isWideChar(U'Ａ'));   // fullwidth A, A3C1
    EXPECT_FALSE(isWideChar(U'A'));
    EXPECT_FALSE(isWideChar(U' '));
    EXPECT_FALSE(isWideChar(U'€'));   // not in GB2312
    EXPECT_FALSE(isWideChar(U'𠀀'));  // outside the BMP
}

TEST(Encoding, CodePointsStepThroughUtf8AndSurviveBadBytes)
{
    std::string text = "a中\xE4";
    std::size_t pos = 0;
    EXPECT_EQ(nextCodePoint(text, pos), U'a');
    EXPECT_EQ(nextCodePoint(text, pos), U'中');
    EXPECT_EQ(pos, 4u);
    EXPECT_EQ(nextCodePoint(text, pos), char32_t(0xFFFD)); // truncated sequence
    EXPECT_EQ(pos, text.size());
    std::string round;
    appendUtf8(round, U'中');
    appendUtf8(round, U'𠀀');
    EXPECT_EQ(round, "中𠀀");
}
