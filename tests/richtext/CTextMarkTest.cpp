#include "platform/fake/FakeServices.h"
#include "richtext/CTextMark.h"

#include <gtest/gtest.h>

using platform::fake::FakeMessageBoxes;
using platform::fake::FakeTextFiles;
using richtext::CTextMark;

namespace {

class CTextMarkTest : public ::testing::Test {
protected:
    FakeTextFiles files;
    FakeMessageBoxes messages;
    CTextMark mark{files, messages};

    void load(std::vector<std::string> lines)
    {
        files.contents["/t/lesson.txt"] = std::move(lines);
        ASSERT_EQ(mark.FileName("/t/lesson.txt"), 0);
    }
};

} // namespace

TEST_F(CTextMarkTest, LinesAreJoinedWithOneSpaceAfterEach)
{
    load({"a", "b", "c"});
    EXPECT_EQ(mark.WholeText(), "a b c ");
    load({});
    EXPECT_EQ(mark.WholeText(), "");
}

TEST_F(CTextMarkTest, ChunkNamesMatchInAnyCaseAndLineBreaksBecomeSpaces)
{
    load({"<STML>", "<Q1>first", "line</Q1>"});
    EXPECT_EQ(mark.FindChunk("q1"), 0);
    EXPECT_EQ(mark.Read(), "first line");
}

TEST_F(CTextMarkTest, SpacesInsideTheTagsStayInTheChunk)
{
    load({"<A> x </A>"});
    ASSERT_EQ(mark.FindChunk("A"), 0);
    EXPECT_EQ(mark.Read(), " x ");
}

TEST_F(CTextMarkTest, ChunkWithoutClosingTagRunsToTheEndWithoutTheAppendedSpace)
{
    load({"<A>one", "两行"});
    ASSERT_EQ(mark.FindChunk("a"), 0);
    EXPECT_EQ(mark.Read(), "one 两行");
}

TEST_F(CTextMarkTest, MissingChunkKeepsThePreviousOne)
{
    load({"<A>alpha</A><B>beta</B>"});
    ASSERT_EQ(mark.FindChunk("B"), 0);
    const auto start = mark.ChunkStart(), end = mark.ChunkEnd();
    EXPECT_EQ(mark.FindChunk("C"), -1);
    EXPECT_EQ(mark.ChunkStart(), start);
    EXPECT_EQ(mark.ChunkEnd(), end);
    EXPECT_EQ(mark.Read(), "beta");
}

TEST_F(CTextMarkTest, ChunksHoldMarkupAndWideText)
{
    load({"<L1><T TYPE=SEN>你好，世界。</T></L1>", "<L2><B>粗</B></L2>"});
    ASSERT_EQ(mark.FindChunk("L2"), 0);
    EXPECT_EQ(mark.Read(), "<B>粗</B>");
    ASSERT_EQ(mark.FindChunk("L1"), 0);
    EXPECT_EQ(mark.Read(), "<T TYPE=SEN>你好，世界。</T>");
}

TEST_F(CTextMarkTest, ReadWithoutLocatedChunkOrWithClosingTagFirstIsAnInvalidArgument)
{
    load({"</A> text <A> more"});
    EXPECT_THROW(mark.Read(), std::invalid_argument);
    ASSERT_EQ(mark.FindChunk("A"), 0);
    EXPECT_THROW(mark.Read(), std::invalid_argument);
}

TEST_F(CTextMarkTest, MissingFileShowsThePlatformFailureOnceAndFails)
{
    files.failures["/t/gone.txt"] = "No such file or directory";
    EXPECT_EQ(mark.FileName("/t/gone.txt"), -1);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "No such file or directory");
    EXPECT_EQ(messages.shown[0].kind, platform::fake::ShownMessage::Kind::Ok);
}

TEST_F(CTextMarkTest, ReadingAnotherFileReplacesTheText)
{
    load({"<A>first</A>"});
    files.contents["/t/other.txt"] = {"<A>second</A>"};
    ASSERT_EQ(mark.FileName("/t/other.txt"), 0);
    ASSERT_EQ(mark.FindChunk("A"), 0);
    EXPECT_EQ(mark.Read(), "second");
}
