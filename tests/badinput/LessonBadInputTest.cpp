// Lessons that are missing, unreadable, empty, not lessons or cut short, and
// markup with unbalanced brackets and huge values: the chunked text reader
// and the page engine give the documented result, lay out what they can and
// show no message beyond the documented ones.
#include "richtext/CTextMark.h"
#include "richtext/EngineFixture.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

using namespace richtext;
using richtext::testing::EngineTest;

namespace {

const char* const kLesson = "/disc/text/lesson1.txt";

struct LessonRow {
    const char* name;
    // The file's lines; nothing for a missing file.
    std::optional<std::vector<std::string>> lines;
    // The failure text of a file that cannot be read.
    std::string failure;
    // The chunk that must be found, or nothing when none is there.
    std::optional<std::string> chunk;
};

class LessonFileTest : public EngineTest, public ::testing::WithParamInterface<LessonRow> {};

} // namespace

// A file that cannot be read gives the platform's words and -1; a file
// without the chunk gives -1 from FindChunk and nothing to read, silently;
// a chunk cut short runs to the end of the file. What is read lays out.
TEST_P(LessonFileTest, GivesTheDocumentedResult)
{
    const LessonRow& row = GetParam();
    if (row.lines)
        fakes.textFiles.contents[kLesson] = *row.lines;
    if (!row.failure.empty())
        fakes.textFiles.failures[kLesson] = row.failure;
    CTextMark mark(fakes.textFiles, fakes.messages);

    const bool readable = row.lines && row.failure.empty();
    EXPECT_EQ(mark.FileName(kLesson), readable ? 0 : -1);
    if (readable) {
        EXPECT_TRUE(fakes.messages.shown.empty());
    } else {
        ASSERT_EQ(fakes.messages.shown.size(), 1u);
        EXPECT_EQ(fakes.messages.shown[0].text, row.failure.empty() ? "No such file or directory" : row.failure);
    }

    EXPECT_EQ(mark.FindChunk("Lesson1"), row.chunk ? 0 : -1);
    if (!row.chunk) {
        EXPECT_THROW(mark.Read(), std::invalid_argument);
        return;
    }
    const std::string chunk = mark.Read();
    EXPECT_EQ(chunk, *row.chunk);
    layOut(chunk);
    EXPECT_GT(engine.Document().nTotPiece(), 0);
    engine.CallPaintPage();
    EXPECT_EQ(fakes.messages.shown.size(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LessonFileTest,
    ::testing::Values(
        LessonRow{"Missing", std::nullopt, "", std::nullopt},
        LessonRow{"Unreadable", std::vector<std::string>{"<Lesson1>x</Lesson1>"}, "Input/output error", std::nullopt},
        LessonRow{"Empty", std::vector<std::string>{}, "", std::nullopt},
        LessonRow{"NotALesson",
                  std::vector<std::string>{"\x89PNG\r", std::string("\0\0\x1a\n\xff\xfe", 6), "JFIF <<>> </>"}, "",
                  std::nullopt},
        LessonRow{"AnotherLessonOnly", std::vector<std::string>{"<Lesson2><P>text</Lesson2>"}, "", std::nullopt},
        LessonRow{"CutInsideItsChunk", std::vector<std::string>{"<Lesson1>", "<P><T TYPE=SEN>first sentence</T> more"},
                  "", std::string(" <P><T TYPE=SEN>first sentence</T> more")},
        LessonRow{"CutInsideATag", std::vector<std::string>{"<Lesson1><P>shown text <T TYP"}, "",
                  std::string("<P>shown text <T TYP")}),
    [](const auto& info) { return std::string(info.param.name); });

namespace {

struct MarkupRow {
    const char* name;
    std::string markup;
    // The words the page shows, in order.
    std::vector<std::string> words;
};

class MarkupBadInputTest : public EngineTest, public ::testing::WithParamInterface<MarkupRow> {
protected:
    std::vector<std::string> shownWords() const
    {
        std::vector<std::string> words;
        for (const std::string& text : pieceTexts()) {
            std::istringstream split(text);
            for (std::string word; split >> word;)
                words.push_back(word);
        }
        return words;
    }
};

} // namespace

// Unbalanced tags and brackets, stray characters: the page shows the text it
// can, and nothing is refused with a message.
TEST_P(MarkupBadInputTest, LaysOutWhatItCanWithoutAMessage)
{
    layOut(GetParam().markup);
    EXPECT_EQ(shownWords(), GetParam().words);
    for (const auto& span : engine.Document().Sentence)
        EXPECT_LE(span.LastPiece, engine.Document().nTotPiece() - 1);
    engine.CallPaintPage();
    for (float y = 0; y < 400; y += 9)
        engine.OnMMove(0, 0, 20, y);
    engine.ClearAll();
    EXPECT_TRUE(fakes.messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MarkupBadInputTest,
    ::testing::Values(MarkupRow{"SentenceNeverClosed", "<P><T TYPE=SEN>open sentence", {"open", "sentence"}},
                      MarkupRow{"ClosingTagsWithoutOpening", "<P>a</T></T></B></FONT></DIV></P>b", {"a"}},
                      MarkupRow{"DoubledBrackets", "<P>x<<B>>y", {"x", ">y"}},
                      MarkupRow{"LessThanWithoutGreater", "<P>a > b < c", {"a", ">", "b"}},
                      MarkupRow{"EmptyTags", "<P><>one</><>two", {"one", "two"}},
                      // An unclosed "[" drops the rest of its run, and only that.
                      MarkupRow{"BracketWordNeverClosed", "<P>[never closed and more<B>bold", {"bold"}}),
    [](const auto& info) { return std::string(info.param.name); });

// Values beyond every range the engine keeps: layout goes on with what fits
// and says where the document had to end.
TEST_F(EngineTest, HugeValuesAreSkippedOrEndTheDocumentWithoutAMessage)
{
    layOut("<P>before<IMG SRC=a WIDTH=99999 HEIGHT=1e300><FONT VALUE=x SIZE=1e9>big</FONT>"
           "<TABLE X=-99999999999>t</TABLE><INPUT TYPE=TEXT WIDTH=99999% HEIGHT=70000>"
           "<INPUT TYPE=TEXT WIDTH=-1e9 HEIGHT=-5><IMG SRC=b WIDTH=10 HEIGHT=40000>after");
    ASSERT_FALSE(pieces().empty());
    EXPECT_EQ(pieces().front().Text, " before");
    EXPECT_TRUE(engine.Truncated());
    engine.CallPaintPage();
    engine.ScrollTo(32767);
    engine.GetScore();
    EXPECT_TRUE(fakes.messages.shown.empty());
}

// A picture that cannot be loaded leaves its holder empty; its place stands.
TEST_F(EngineTest, AMissingPictureLeavesItsHolderEmptyAndItsPlace)
{
    layOut("<P>a<IMG SRC=missing.bmp WIDTH=30 HEIGHT=20>b");
    ASSERT_EQ(engine.Document().nImg(), 1);
    EXPECT_EQ(imageHolder(1).picture(), nullptr);
    EXPECT_EQ(engine.Document().Images[0].Right - engine.Document().Images[0].Left, 30);
    EXPECT_TRUE(fakes.messages.shown.empty());
}

// The only message of the markup: an attribute written without its value.
TEST_F(EngineTest, AnAttributeWithoutItsValueGivesTheSyntaxMessageOnly)
{
    layOut("<P><IMG WIDTH=5 HEIGHT=5 SRC=>x");
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].text, "WIDTH=5 HEIGHT=5 SRC=::语法错误 在属性SRC中");
}
