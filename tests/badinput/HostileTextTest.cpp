// A catalog database holding hostile text and IDs at and beyond the limits
// the catalog handles, and search texts of every punctuation character. The
// window writes its pages from such a database without its text changing a
// page's structure, shows each value as stored, finds books by the literal
// search text and shows no message.
#include "catalog/CatalogOnFakes.h"
#include "catalog/TestCatalog.h"
#include "support/CatalogPageChecks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <limits>

using testsupport::CatalogOnFakes;
using testsupport::ScriptToken;

namespace {

// The catalog's window over a database of one category and one book.
class OneBookCatalog {
public:
    OneBookCatalog(std::int64_t categoryId, const std::string& categoryName, const testsupport::TestBook& book)
        : disc_(folder_.path().string())
    {
        std::filesystem::create_directories(folder_.path() / "DataBase");
        testsupport::WriteTestCatalog(folder_.file("DataBase/tavro.mdb"), {book},
                                      {{categoryId, categoryName, 0}});
        disc_.window->Init();
    }

    CatalogOnFakes& disc() { return disc_; }

    // The value of the category's Name in the tree's script, decoded.
    std::vector<std::string> treeNames() const
    {
        std::string page;
        for (const std::string& line : const_cast<CatalogOnFakes&>(disc_).tree().lines)
            page += line + '\n';
        std::vector<std::string> names;
        for (const auto& node : testsupport::parseHtml(page)) {
            if (node.kind != testsupport::HtmlNode::Kind::Script)
                continue;
            const std::vector<ScriptToken> tokens = testsupport::tokenizeScript(node.text);
            for (std::size_t i = 0; i + 3 < tokens.size(); ++i)
                if (tokens[i + 1].text == "Name" && tokens[i + 2].text == "=")
                    names.push_back(tokens[i + 3].text);
        }
        return names;
    }

private:
    testsupport::TempDir folder_;
    CatalogOnFakes disc_;
};

bool has(const std::vector<std::string>& items, const std::string& item)
{
    return std::find(items.begin(), items.end(), item) != items.end();
}

struct HostileText {
    const char* name;
    std::string text;
};

class HostileTextTest : public ::testing::TestWithParam<HostileText> {};

} // namespace

// The text stands in every field a page shows: the category's name, the
// book's name, writer, code, ISBN and description.
TEST_P(HostileTextTest, StaysInsideItsStringOrElementAndReadsBackAsStored)
{
    const std::string& text = GetParam().text;
    testsupport::TestBook book{15, text, 3, 0, 1, 9.5, text, text, text, text};
    OneBookCatalog catalog(3, text, book);
    CatalogOnFakes& disc = catalog.disc();

    ASSERT_TRUE(disc.window->PagesReady);
    EXPECT_NO_THROW(testsupport::checkTreePage(disc.tree().lines));
    EXPECT_TRUE(has(catalog.treeNames(), text));

    disc.tree().raiseTitleChange("Node3");
    EXPECT_NO_THROW(testsupport::checkListBody(disc.list().bodyHtml));
    EXPECT_TRUE(has(testsupport::htmlTexts(disc.list().bodyHtml), "\xC2\xA0" + text));

    disc.list().raiseTitleChange("15");
    EXPECT_NO_THROW(testsupport::checkDetailBody(disc.detail().bodyHtml));
    const auto shown = testsupport::htmlTexts(disc.detail().bodyHtml);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), text), 5) << "code, name, writer, ISBN and description";

    disc.search(text);
    EXPECT_NE(disc.list().bodyHtml.find("ChangeBook(15)"), std::string::npos) << "its own name finds the book";
    EXPECT_TRUE(disc.fp.messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, HostileTextTest,
    ::testing::Values(HostileText{"Quotes", "O'Reilly \"quoted\" `back` \\'"},
                      HostileText{"Markup", "<b>bold</b> <img src=x onerror=alert(1)> &amp; &lt;"},
                      HostileText{"Script", "');alert(1);('</script><script>alert(2)</script><!--"},
                      HostileText{"LineBreaks", "one\ntwo\r\nthree\xE2\x80\xA8" "four\xE2\x80\xA9" "five"},
                      HostileText{"QueryText", "%' OR '1'='1'; DROP TABLE WebBook; --"},
                      HostileText{"VeryLong", std::string(100000, 'x') + "书" + std::string(100000, '\'')}),
    [](const auto& info) { return std::string(info.param.name); });

namespace {

struct IdRow {
    const char* name;
    std::int64_t id;
};

class CatalogIdTest : public ::testing::TestWithParam<IdRow> {};

bool fits32(std::int64_t id)
{
    return id >= std::numeric_limits<std::int32_t>::min() && id <= std::numeric_limits<std::int32_t>::max();
}

} // namespace

// A category and a book with the same ID. IDs are 32-bit: at and beyond the
// 16-bit limits they work; beyond 32 bits the category and the book cannot
// be named by a page and are left out, and nothing else is shown instead.
TEST_P(CatalogIdTest, WorkWhereTheyFitAndAreLeftOutWhereTheyDoNot)
{
    const std::int64_t id = GetParam().id;
    OneBookCatalog catalog(id, "类别", testsupport::TestBook{id, "书名", id, 0, 1});
    CatalogOnFakes& disc = catalog.disc();
    EXPECT_NO_THROW(testsupport::checkTreePage(disc.tree().lines));
    EXPECT_EQ(has(catalog.treeNames(), "类别"), fits32(id));

    const std::string row = "ChangeBook(" + std::to_string(id) + ")";
    disc.tree().raiseTitleChange("Node" + std::to_string(id));
    EXPECT_EQ(disc.list().bodyHtml.find(row) != std::string::npos, fits32(id));
    disc.search("书名");
    EXPECT_NO_THROW(testsupport::checkListBody(disc.list().bodyHtml));
    if (fits32(id)) {
        EXPECT_NE(disc.list().bodyHtml.find(row), std::string::npos);
        disc.list().raiseTitleChange(std::to_string(id));
        EXPECT_NE(disc.detail().bodyHtml.find("书名"), std::string::npos);
    } else {
        EXPECT_EQ(disc.list().bodyHtml, "<table border='0' width='100%'><tr><td>没有找到书籍</td></tr></table>");
    }
    EXPECT_TRUE(disc.fp.messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Rows, CatalogIdTest,
                         ::testing::Values(IdRow{"Largest16Bit", 32767}, IdRow{"Beyond16Bit", 32768},
                                           IdRow{"Smallest16Bit", -32768}, IdRow{"Below16Bit", -32769},
                                           IdRow{"MinusOne", -1}, IdRow{"Largest32Bit", 2147483647},
                                           IdRow{"Smallest32Bit", -2147483647 - 1},
                                           IdRow{"Beyond32Bit", 2147483648LL},
                                           IdRow{"Below32Bit", -2147483649LL},
                                           IdRow{"Beyond53Bit", (std::int64_t(1) << 53) + 1}),
                         [](const auto& info) { return std::string(info.param.name); });

namespace {

class SearchPunctuationTest : public ::testing::TestWithParam<char> {};

std::string punctuationName(char c)
{
    static const char* const names[] = {"Exclamation", "DoubleQuote", "Hash",      "Dollar",     "Percent",
                                        "Ampersand",   "Quote",       "OpenParen", "CloseParen", "Star",
                                        "Plus",        "Comma",       "Minus",     "Dot",        "Slash"};
    static const char* const more[] = {"Colon", "Semicolon", "Less", "Equals", "Greater", "Question", "At"};
    static const char* const brackets[] = {"OpenBracket", "Backslash", "CloseBracket", "Caret", "Underscore",
                                           "Backtick"};
    static const char* const braces[] = {"OpenBrace", "Bar", "CloseBrace", "Tilde"};
    if (c >= '!' && c <= '/')
        return names[c - '!'];
    if (c >= ':' && c <= '@')
        return more[c - ':'];
    if (c >= '[' && c <= '`')
        return brackets[c - '['];
    return braces[c - '{'];
}

std::vector<char> asciiPunctuation()
{
    std::vector<char> all;
    for (char c = '!'; c <= '~'; ++c)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            all.push_back(c);
    return all;
}

} // namespace

// Each character alone, and inside a word, finds exactly the book whose
// name holds it: no character has a meaning of its own in the search.
TEST_P(SearchPunctuationTest, FindsTheBookWhoseNameHoldsItAndNoOther)
{
    const char c = GetParam();
    testsupport::TempDir folder;
    std::filesystem::create_directories(folder.path() / "DataBase");
    const std::string holding = std::string("a") + c + "b";
    testsupport::WriteTestCatalog(folder.file("DataBase/tavro.mdb"),
                                  {{1, holding, 3, 0, 0}, {2, "ab plain", 3, 0, 0}, {3, "a" + std::string(2, c), 3, 0, 0}},
                                  {{3, "类别", 0}});
    CatalogOnFakes disc(folder.path().string());
    disc.window->Init();
    for (const std::string& text : {std::string(1, c), holding}) {
        SCOPED_TRACE(text);
        disc.search(text);
        const std::string& body = disc.list().bodyHtml;
        EXPECT_NO_THROW(testsupport::checkListBody(body));
        EXPECT_NE(body.find("ChangeBook(1)"), std::string::npos);
        EXPECT_EQ(body.find("ChangeBook(2)"), std::string::npos);
        EXPECT_EQ(body.find("ChangeBook(3)") != std::string::npos, text.size() == 1);
    }
    disc.search(std::string("a") + c + c + c);
    EXPECT_EQ(disc.list().bodyHtml, "<table border='0' width='100%'><tr><td>没有找到书籍</td></tr></table>");
    EXPECT_TRUE(disc.fp.messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Rows, SearchPunctuationTest, ::testing::ValuesIn(asciiPunctuation()),
                         [](const auto& info) { return punctuationName(info.param); });

// All of them at once, as one search text.
TEST(SearchPunctuation, EveryCharacterTogetherFindsTheBookNamedSo)
{
    std::string all;
    for (char c : asciiPunctuation())
        all += c;
    testsupport::TempDir folder;
    std::filesystem::create_directories(folder.path() / "DataBase");
    testsupport::WriteTestCatalog(folder.file("DataBase/tavro.mdb"), {{7, "书" + all + "书", 3, 0, 0}, {8, "书", 3, 0, 0}},
                                  {{3, "类别", 0}});
    CatalogOnFakes disc(folder.path().string());
    disc.window->Init();
    disc.search(all);
    EXPECT_NO_THROW(testsupport::checkListBody(disc.list().bodyHtml));
    EXPECT_NE(disc.list().bodyHtml.find("ChangeBook(7)"), std::string::npos);
    EXPECT_EQ(disc.list().bodyHtml.find("ChangeBook(8)"), std::string::npos);
    EXPECT_TRUE(has(testsupport::htmlTexts(disc.list().bodyHtml), "\xC2\xA0书" + all + "书"));
    EXPECT_TRUE(disc.fp.messages.shown.empty());
}
