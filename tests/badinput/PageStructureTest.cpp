// The page checks that the hostile-text rows and the fuzz targets rely on:
// they must read what a browser reads, and tell a page whose structure a
// value changed from one whose values only differ.
#include "support/CatalogPageChecks.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {

struct StringCase {
    const char* name;
    std::string literal;
    std::string value;
};

class ScriptStringTest : public ::testing::TestWithParam<StringCase> {};

struct BrokenCase {
    const char* name;
    std::string text;
};

class BrokenScriptTest : public ::testing::TestWithParam<BrokenCase> {};
class BrokenHtmlTest : public ::testing::TestWithParam<BrokenCase> {};

std::vector<std::string> treeLines(const std::vector<std::string>& nodeLines)
{
    std::vector<std::string> lines = {
        "<html>", "<head>", "<meta http-equiv='Content-Type' content='text/html'; charset='gb2312'>",
        "<META HTTP-EQUIV='imagetoolbar' CONTENT='no'>", "<META HTTP-EQUIV='pragma' CONTENT='no-cache'>",
        "<META HTTP-EQUIV='Cache-Control' CONTENT='no-cache, must-revalidate'>", "<META http-equiv='Expires' CONTENT='0'>",
        "<script language='javascript' src='/d/Script/tree.js'></script>",
        "<LINK href='/d/Script/Tree.css' type='text/css' rel='stylesheet'>", "</head>",
        "<body scroll='yes' width='100%' leftMargin='0' TopMargin='1' background='/d/pic/TreeBack.jpg'>",
        "<table width='100%' border='0'><tr><td NoWrap width='100%'>", "<span id='Node0'></span>",
        "</td></tr></table>", "</body>", "</html>", "<script language='javascript'>",
        "var Imgscr_Plus = '/d/pic/plus.gif';", "var Imgscr_Minus = '/d/pic/minus.gif';",
        "var Imgscr_Leaf = '/d/pic/leaf.gif';", "var Node0 = new TreeNode();", "Node0.ID = 'Node0';"};
    lines.insert(lines.end(), nodeLines.begin(), nodeLines.end());
    lines.push_back("HoldUp();");
    lines.push_back("</script>");
    return lines;
}

std::vector<std::string> node(const std::string& id, const std::string& variable, const std::string& name)
{
    return {"var " + variable + " = new TreeNode();", variable + ".ID = 'Node" + id + "';",
            variable + ".Name = '" + name + "';",
            variable + ".OnclickCode = 'window.document.title = " + variable + ".ID';", "Node0.AddNode(" + variable + ")"};
}

std::string row(const std::string& id, const std::string& name)
{
    return "<tr><td><a onclick='ChangeBook(" + id + ")' style='cursor:hand'><img src='/d/pic/book.gif'>&nbsp;" + name +
           "</a></td></tr>";
}

std::string list(const std::string& rows) { return "<table border='0' width='100%'>" + rows + "</table>"; }

} // namespace

TEST_P(ScriptStringTest, DecodesToTheValueItStandsFor)
{
    const auto tokens = tokenizeScript("x = " + GetParam().literal + ";");
    ASSERT_EQ(tokens.size(), 4u);
    EXPECT_EQ(tokens[2].kind, ScriptToken::Kind::String);
    EXPECT_EQ(tokens[2].text, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Strings, ScriptStringTest,
    ::testing::Values(StringCase{"Plain", "'书 x'", "书 x"}, StringCase{"Quotes", R"('a\'b\"c')", "a'b\"c"},
                      StringCase{"DoubleQuoted", R"("it's")", "it's"},
                      StringCase{"Escapes", R"('\\\n\r\t\x3C\x00')", std::string("\\\n\r\t<\0", 6)},
                      StringCase{"LineSeparator", R"('\u2028\u{1F600}\uD83D\uDE00')",
                                 "\xE2\x80\xA8\xF0\x9F\x98\x80\xF0\x9F\x98\x80"},
                      StringCase{"Continuation", "'a\\\nb'", "ab"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_P(BrokenScriptTest, IsRefused)
{
    EXPECT_THROW(tokenizeScript(GetParam().text), PageSyntaxError);
}

INSTANTIATE_TEST_SUITE_P(Scripts, BrokenScriptTest,
                         ::testing::Values(BrokenCase{"OpenString", "x = 'abc;"},
                                           BrokenCase{"LineBreakInString", "x = 'a\nb';"},
                                           BrokenCase{"LineSeparatorInString", "x = 'a\xE2\x80\xA8" "b';"},
                                           BrokenCase{"OpenComment", "x = 1; /* and"},
                                           BrokenCase{"OctalEscape", R"(x = '\12';)"},
                                           BrokenCase{"HalfSurrogate", R"(x = '\uD800';)"},
                                           BrokenCase{"NameAfterNumber", "Node-5.ID"},
                                           BrokenCase{"Backtick", "x = `a`;"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(BrokenHtmlTest, IsRefused)
{
    EXPECT_THROW(parseHtml(GetParam().text), PageSyntaxError);
}

INSTANTIATE_TEST_SUITE_P(Fragments, BrokenHtmlTest,
                         ::testing::Values(BrokenCase{"StrayLess", "<td>a < b</td>"},
                                           BrokenCase{"OpenTag", "<td a='b'"},
                                           BrokenCase{"OpenValue", "<img src='x>"},
                                           BrokenCase{"OpenScript", "<script>x = 1;"},
                                           BrokenCase{"UnknownReference", "<td>&copy;</td>"},
                                           BrokenCase{"QuoteInUnquotedValue", "<img src=a'b>"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HtmlShape, TextAndValuesDifferButTagsAttributesAndHandlersDoNot)
{
    EXPECT_EQ(htmlShape("<td a='x'>one &amp; two</td>"), htmlShape("<td a=\"y&lt;\">three</td>"));
    EXPECT_NE(htmlShape("<td a='x'>t</td>"), htmlShape("<td a='x' b='y'>t</td>"));
    EXPECT_NE(htmlShape("<a onclick='f(1)'>t</a>"), htmlShape("<a onclick='f(1);g()'>t</a>"));
    EXPECT_NE(htmlShape("<td>t</td>"), htmlShape("<td>t<b>u</b></td>"));
    EXPECT_EQ(htmlTexts("<td>a &amp; &#60;b&#x3E; &nbsp;</td>"), (std::vector<std::string>{"a & <b> \xC2\xA0"}));
    EXPECT_EQ(parseHtml("<script>if (a</b) x = '</SCRIPT>';</script>").size(), 5u)
        << "a script ends at its first closing tag, as in a browser";
}

TEST(CatalogPageChecks, AcceptWhatTheWritersWriteWhateverTheValues)
{
    EXPECT_NO_THROW(checkTreePage(treeLines({})));
    auto twoNodes = node("12", "Node12", "文学");
    const auto negative = node("-5", "Node_5", R"(O\'Reilly \x3C/script>)");
    twoNodes.insert(twoNodes.end(), negative.begin(), negative.end());
    EXPECT_NO_THROW(checkTreePage(treeLines(twoNodes)));
    EXPECT_NO_THROW(checkListBody(list("")));
    EXPECT_NO_THROW(checkListBody(list(row("15", "a &lt;b&gt;") + row("-2147483648", "x"))));
    EXPECT_NO_THROW(checkListBody("<table border='0' width='100%'><tr><td>没有找到书籍</td></tr></table>"));
}

TEST(CatalogPageChecks, RefuseAValueThatChangedAPagesStructure)
{
    EXPECT_THROW(checkTreePage(treeLines(node("-5", "Node-5", "x"))), PageSyntaxError);
    EXPECT_THROW(checkTreePage(treeLines(node("1", "Node1", "a';alert(1);'"))), PageSyntaxError);
    EXPECT_THROW(checkTreePage(treeLines(node("1", "Node1", "</script><script>alert(1)"))), PageSyntaxError);
    auto badClick = node("1", "Node1", "x");
    badClick[3] = "Node1.OnclickCode = 'window.document.title = Node1.ID;alert(1)';";
    EXPECT_THROW(checkTreePage(treeLines(badClick)), PageSyntaxError);
    EXPECT_THROW(checkListBody(list(row("15", "<img src=x onerror=alert(1)>"))), PageSyntaxError);
    EXPECT_THROW(checkListBody(list(row("15", "x").replace(11, 0, "title='' "))), PageSyntaxError);
    EXPECT_THROW(checkListBody(list(row("0);alert(1", "x"))), PageSyntaxError);
    EXPECT_THROW(checkDetailBody(list(row("1", "x"))), PageSyntaxError);
}
