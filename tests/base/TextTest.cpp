#include "base/Text.h"

#include <gtest/gtest.h>

using namespace base;

TEST(Text, TrimRemovesSpacesOnly)
{
    EXPECT_EQ(trimSpaces("  中 文  "), "中 文");
    EXPECT_EQ(trimSpaces("   "), "");
    EXPECT_EQ(trimSpaces("\ta\t"), "\ta\t");
}

TEST(Text, SearchIgnoresAsciiCaseAndLeavesChineseIntact)
{
    EXPECT_EQ(findNoCase("<button3>x</Button3>", "<BUTTON3>"), 0u);
    EXPECT_EQ(findNoCase("<button3>x</Button3>", "</BUTTON3>"), 10u);
    EXPECT_EQ(findNoCase("中文abc", "ABC"), 6u);
    EXPECT_EQ(findNoCase("abcabc", "abc", 1), 3u);
    EXPECT_EQ(findNoCase("abc", "x"), std::string::npos);
    EXPECT_EQ(findNoCase("abc", "a", 9), std::string::npos);
    EXPECT_EQ(toUpperAscii("img src=a.bmp 中"), "IMG SRC=A.BMP 中");
    EXPECT_TRUE(equalsNoCase("Sen", "SEN"));
    EXPECT_FALSE(equalsNoCase("Sen", "SENT"));
}
