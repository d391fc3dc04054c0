#include "platform/fake/FakeServices.h"
#include "richtext/Markup.h"

#include <gtest/gtest.h>

using richtext::GetAttr;
using richtext::NextToken;
using richtext::Token;
using richtext::TokenKind;

namespace {

struct TokenCase {
    const char* source;
    TokenKind kind;
    const char* name;
    const char* attributes;
    const char* run;
    const char* rest; // the source afterwards
};

class NextTokenTest : public ::testing::TestWithParam<TokenCase> {};

} // namespace

TEST_P(NextTokenTest, TakesOneTagAndItsRunOffTheFront)
{
    const TokenCase& c = GetParam();
    std::string_view source = c.source;
    Token token;
    EXPECT_EQ(NextToken(source, token), c.kind);
    EXPECT_EQ(token.name, c.name);
    EXPECT_EQ(token.attributes, c.attributes);
    EXPECT_EQ(token.run, c.run);
    EXPECT_EQ(source, c.rest);
}

INSTANTIATE_TEST_SUITE_P(
    Markup, NextTokenTest,
    ::testing::Values(
        TokenCase{"", TokenKind::End, "", "", "", ""},
        TokenCase{"   ", TokenKind::End, "", "", "", "   "},
        TokenCase{"text < no end", TokenKind::End, "", "", "", "text < no end"},
        TokenCase{"x> y", TokenKind::End, "", "", "", "x> y"},
        // Text before the first tag is skipped; leading spaces of the run go.
        TokenCase{"x<B>  bold</B> y", TokenKind::OpeningWithRun, "B", "", "bold", "</B> y"},
        TokenCase{"<T TYPE=SEN>a b </T>", TokenKind::OpeningWithRun, "T", "TYPE=SEN", "a b ", "</T>"},
        TokenCase{"<  img src=a.bmp>", TokenKind::Opening, "img", "src=a.bmp", "", ""},
        TokenCase{"<BR>  <B>", TokenKind::Opening, "BR", "", "", "<B>"},
        TokenCase{"<B>tail", TokenKind::OpeningWithRun, "B", "", "tail", ""},
        // A closing tag keeps the body from its third character on.
        TokenCase{"</U SUBCELL=1>a<B>", TokenKind::Closing, "U", " SUBCELL=1", "a", "<B>"},
        TokenCase{"</B> y", TokenKind::Closing, "B", "", "", "y"},
        TokenCase{"</B><I>", TokenKind::Closing, "B", "", "", "<I>"},
        TokenCase{"</FONT>中文<B>", TokenKind::Closing, "FONT", "ONT", "中文", "<B>"}));

namespace {

struct AttrCase {
    const char* attributes;
    const char* name;
    const char* value;
    bool complains;
};

class GetAttrTest : public ::testing::TestWithParam<AttrCase> {};

} // namespace

TEST_P(GetAttrTest, FindsTheValueOfOneAttribute)
{
    const AttrCase& c = GetParam();
    platform::fake::FakeMessageBoxes messages;
    EXPECT_EQ(GetAttr(c.attributes, c.name, messages), c.value);
    ASSERT_EQ(messages.shown.size(), c.complains ? 1u : 0u);
    if (c.complains) {
        EXPECT_EQ(messages.shown[0].text, std::string(c.attributes) + "::语法错误 在属性" + c.name + "中");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Markup, GetAttrTest,
    ::testing::Values(
        AttrCase{"SRC=a.bmp WIDTH=40", "WIDTH", "40", false},
        AttrCase{"src=a.bmp width=40", "WIDTH", "40", false},
        AttrCase{"MAXWIDTH=5", "WIDTH", "5", false},
        AttrCase{"SRC=a.bmp", "HEIGHT", "", false},
        AttrCase{"VALUE2=b VALUE=a", "VALUE", "a", false},
        AttrCase{"VALUE=\"two words\" MODE=1", "VALUE", "two words", false},
        AttrCase{"HOT=\"你好 世界\"", "HOT", "你好 世界", false},
        AttrCase{"VALUE=\"unclosed", "VALUE", "unclosed", false},
        // Spaces around a value are dropped at both ends; quotes keep them.
        AttrCase{"TYPE=SEN ", "TYPE", "SEN", false},
        AttrCase{"TYPE= SEN", "TYPE", "SEN", false},
        AttrCase{"TYPE=SEN  ", "TYPE", "SEN", false},
        AttrCase{"VALUE=\" a \" MODE=1", "VALUE", " a ", false},
        // Positions count from after "=" as if no space followed it.
        AttrCase{"A= xyz B=1", "A", "xy", false},
        AttrCase{"A= \"你好\"", "A", "你", false},
        AttrCase{"VALUE=\"\"", "VALUE", "", true},
        AttrCase{"WIDTH=", "WIDTH", "", true},
        AttrCase{"WIDTH= ", "WIDTH", "", true}));
