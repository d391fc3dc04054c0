#include "buttons/CSrcReader.h"
#include "platform/fake/FakeServices.h"

#include <gtest/gtest.h>

using buttons::CSrcReader;
using platform::fake::FakeMessageBoxes;
using platform::fake::FakeTextFiles;

namespace {

const std::string kFile = "/disc/src/button.txt";

class SrcReaderTest : public testing::Test {
protected:
    bool load(std::vector<std::string> lines, const std::string& chunk = "S")
    {
        files.contents[kFile] = std::move(lines);
        return reader.Init(kFile, chunk);
    }

    // Every element the reader hands out, in order.
    std::vector<std::string> drain()
    {
        std::vector<std::string> elements;
        while (reader.GetOneSrcStr())
            elements.push_back(reader.currentElement());
        return elements;
    }

    int formatMessages() const
    {
        int n = 0;
        for (const auto& m : messages.shown)
            n += m.text == buttons::kFormatMessage && m.caption.empty() ? 1 : 0;
        return n;
    }

    FakeTextFiles files;
    FakeMessageBoxes messages;
    CSrcReader reader{files, messages};
};

using Elements = std::vector<std::string>;

TEST_F(SrcReaderTest, SectionTagsMatchWhateverTheirLetterCase)
{
    EXPECT_TRUE(load({"<button3>", "<X=1 Y=2>", "</Button3>"}, "BUTTON3"));
    EXPECT_EQ(drain(), Elements{"X=1 Y=2"});
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SrcReaderTest, OnlyTheSectionAskedForIsRead)
{
    EXPECT_TRUE(load({"<A><X=1></A>", "<B> <X=2> <X=3> </B>", "<C><X=4></C>"}, "B"));
    EXPECT_EQ(drain(), (Elements{"X=2", "X=3"}));
}

TEST_F(SrcReaderTest, TheFirstOpeningAndTheFirstClosingTagOfTheFileAreUsed)
{
    EXPECT_TRUE(load({"<S><X=1></S>", "<S><X=2></S>"}));
    EXPECT_EQ(drain(), Elements{"X=1"});
}

TEST_F(SrcReaderTest, SectionTextIsTrimmedOfSpaces)
{
    EXPECT_TRUE(load({"<S>   <X=1>   </S>"}));
    EXPECT_EQ(reader.workingText(), "<X=1>");
}

TEST_F(SrcReaderTest, LinesAreJoinedWithNothingBetweenThem)
{
    EXPECT_TRUE(load({"<S>", "<X=1", "0 Y=2>", "</S>"}));
    EXPECT_TRUE(reader.GetOneSrcStr());
    EXPECT_EQ(reader.currentElement(), "X=10 Y=2");
}

TEST_F(SrcReaderTest, ElementSplitWithoutTrailingSpaceRunsIntoTheNextProperty)
{
    EXPECT_TRUE(load({"<S>", "<X=10 Y=20", "W=56 H=22>", "</S>"}));
    EXPECT_TRUE(reader.GetOneSrcStr());
    EXPECT_EQ(reader.GetOneProperty("Y"), "20W=56");
    EXPECT_EQ(reader.GetOneProperty("H"), "22");
}

TEST_F(SrcReaderTest, FreeTextAndLineBreaksBetweenElementsAreSkipped)
{
    EXPECT_TRUE(load({"<S>", "a remark", "<X=1>", "", "another remark <X=2>  <X=3>", "</S>"}));
    EXPECT_EQ(drain(), (Elements{"X=1", "X=2", "X=3"}));
}

TEST_F(SrcReaderTest, ElementTextIsTrimmedOfSpaces)
{
    EXPECT_TRUE(load({"<S><   X=1 Y=2   ></S>"}));
    EXPECT_EQ(drain(), Elements{"X=1 Y=2"});
}

TEST_F(SrcReaderTest, SectionWithoutElementsGivesNone)
{
    EXPECT_TRUE(load({"<S>", "nothing here", "</S>"}));
    EXPECT_FALSE(reader.GetOneSrcStr());
    EXPECT_TRUE(load({"<S></S>"}));
    EXPECT_FALSE(reader.GetOneSrcStr());
}

TEST_F(SrcReaderTest, AfterTheLastElementTheCurrentElementStays)
{
    EXPECT_TRUE(load({"<S><X=1><X=2></S>"}));
    EXPECT_EQ(drain(), (Elements{"X=1", "X=2"}));
    EXPECT_FALSE(reader.GetOneSrcStr());
    EXPECT_EQ(reader.GetOneProperty("X"), "2");
}

TEST_F(SrcReaderTest, InitAgainStartsOverWithTheNewSection)
{
    EXPECT_TRUE(load({"<A><X=1><X=2></A>", "<B><X=3></B>"}, "A"));
    EXPECT_TRUE(reader.GetOneSrcStr());
    EXPECT_TRUE(reader.Init(kFile, "B"));
    EXPECT_EQ(reader.fileName(), kFile);
    EXPECT_EQ(reader.currentElement(), "");
    EXPECT_EQ(drain(), Elements{"X=3"});
}

// Files that give no section: each shows the format message exactly once.
struct BadSection {
    const char* name;
    bool unreadable;
    std::vector<std::string> lines;
};

class SrcReaderBadSectionTest : public SrcReaderTest, public testing::WithParamInterface<BadSection> {};

TEST_P(SrcReaderBadSectionTest, FailsWithOneFormatMessage)
{
    const BadSection& c = GetParam();
    if (c.unreadable)
        files.failures[kFile] = "No such file or directory";
    else
        files.contents[kFile] = c.lines;
    EXPECT_FALSE(reader.Init(kFile, "S"));
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(formatMessages(), 1);
}

INSTANTIATE_TEST_SUITE_P(Files, SrcReaderBadSectionTest,
    testing::Values(
        BadSection{"EmptyFile", false, {}},
        BadSection{"OnlyEmptyLines", false, {"", ""}},
        BadSection{"UnopenableFile", true, {}},
        BadSection{"NoOpeningTag", false, {"<X=1></S>"}},
        BadSection{"NoClosingTag", false, {"<S><X=1>"}},
        BadSection{"OtherSectionOnly", false, {"<T><X=1></T>"}},
        BadSection{"ClosingTagBeforeOpeningTag", false, {"</S><X=1><S>"}},
        BadSection{"ClosingTagOnlyBeforeOpeningTag", false, {"x</S> <S><X=1>"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SrcReaderTest, AFailedSectionCutLeavesTheWholeTextToRead)
{
    EXPECT_FALSE(load({"<X=1> <S> <X=2>"}));
    EXPECT_EQ(drain(), (Elements{"X=1", "S", "X=2"}));
}

TEST_F(SrcReaderTest, UnclosedElementEndsTheSection)
{
    EXPECT_TRUE(load({"<S><X=1> <X=2 Y=3</S>"}));
    EXPECT_EQ(drain(), Elements{"X=1"});
    EXPECT_FALSE(reader.GetOneSrcStr());
    EXPECT_EQ(reader.currentElement(), "X=1");
}

TEST_F(SrcReaderTest, StrayClosingBracketBeforeAnElementIsSkippedAsFreeText)
{
    EXPECT_TRUE(load({"<S>oops> <X=1> > <X=2></S>"}));
    EXPECT_EQ(drain(), (Elements{"X=1", "X=2"}));
}

TEST_F(SrcReaderTest, StrayClosingBracketWithoutElementGivesNone)
{
    EXPECT_TRUE(load({"<S> > </S>"}));
    EXPECT_FALSE(reader.GetOneSrcStr());
}

// Property lookups in one element: element text, name, expected value.
struct Lookup {
    const char* name;
    std::string element;
    std::string property;
    std::string value;
};

class SrcReaderLookupTest : public SrcReaderTest, public testing::WithParamInterface<Lookup> {};

TEST_P(SrcReaderLookupTest, ReturnsTheUntouchedValue)
{
    const Lookup& c = GetParam();
    ASSERT_TRUE(load({"<S>", "<" + c.element + ">", "</S>"}));
    ASSERT_TRUE(reader.GetOneSrcStr());
    EXPECT_EQ(reader.GetOneProperty(c.property), c.value);
}

INSTANTIATE_TEST_SUITE_P(Elements, SrcReaderLookupTest,
    testing::Values(
        Lookup{"FirstProperty", "X=10 Y=20", "X", "10"},
        Lookup{"LastPropertyRunsToTheEnd", "X=10 Y=20", "Y", "20"},
        Lookup{"KeyInLowerCase", "x=10 y=20", "Y", "20"},
        Lookup{"NameInLowerCase", "X=10 Y=20", "y", "20"},
        Lookup{"MissingProperty", "X=10 Y=20", "W", ""},
        Lookup{"EmptyValueBeforeASpace", "MASK= TIP=a", "MASK", ""},
        Lookup{"EmptyValueAtTheEnd", "X=1 MASK=", "MASK", ""},
        Lookup{"ValueIsNotTrimmedOrConverted", "X=007", "X", "007"},
        Lookup{"SeparatorIsNotExamined", "X:10 Y#20", "Y", "20"},
        Lookup{"WideSeparatorIsOneCharacter", "TIP：查询", "TIP", "查询"},
        Lookup{"WideValue", "X=1 TIP=退出", "TIP", "退出"},
        Lookup{"FrameFoundInsideDframeWrittenFirst", "DFRAME=-1 FRAME=3", "FRAME", "-1"},
        Lookup{"FrameWrittenBeforeDframe", "FRAME=3 DFRAME=-1", "FRAME", "3"},
        Lookup{"DframeAfterFrame", "FRAME=3 DFRAME=-1", "DFRAME", "-1"},
        Lookup{"NameFoundInsideAValue", "TIP=box X=5", "X", ""},
        Lookup{"NameFoundInsideAnotherName", "TEXT=9 X=1", "X", "=9"},
        Lookup{"NameAtTheVeryEnd", "X=1 W", "W", ""},
        Lookup{"NameRightAtTheEndOfItsSeparator", "X=1 W=", "W", ""},
        Lookup{"NameDirectlyFollowedByASpace", "W H=3", "W", ""},
        Lookup{"NameWithSpaceAsSeparator", "W 5 H=3", "W", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SrcReaderTest, LookupBeforeAnyElementFindsNothing)
{
    EXPECT_TRUE(load({"<S><X=1></S>"}));
    EXPECT_EQ(reader.GetOneProperty("X"), "");
}

} // namespace
