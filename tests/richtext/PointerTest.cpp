#include "EngineFixture.h"

#include <cmath>

using namespace richtext;
using richtext::testing::EngineTest;
using richtext::testing::repeated;

namespace {

using Events = std::vector<std::string>;

struct Point {
    float x, y;
};

// Places on the page of PointerTest's document (the page starts at line 0).
constexpr Point kSentence0{20, 5};      // " one  two", sentence 0
constexpr Point kSentence0Again{60, 5}; // the same sentence further right
constexpr Point kSentence1{20, 23};     // " three", sentence 1
constexpr Point kHotInSentence{70, 23}; // " hot", hot spot 0 inside sentence 1
constexpr Point kPlain{20, 41};         // " plain", in no sentence
constexpr Point kHotOverImage{20, 62};  // " over", hot spot 1 over image 0
constexpr Point kImage{150, 62};        // image 0 alone
constexpr Point kSpace{300, 5};         // nothing
const Point kNowhere{NAN, NAN};         // cannot be placed in the document

const std::string kDocument = "<P><T TYPE=SEN>one two</T><BR>"
                              "<T TYPE=SEN>three<T TYPE=HOT>hot</T></T><BR>"
                              "plain<BR>"
                              "<IMG SRC=c WIDTH=200 HEIGHT=17 ALIGN=CENTER><T TYPE=HOT>over</T><BR>"
                              "<T TYPE=SEN>four</T><BR>";

} // namespace

class PointerTest : public EngineTest {
protected:
    Events events;

    void SetUp() override
    {
        EngineTest::SetUp();
        layOut(kDocument);
        record();
    }

    void record()
    {
        auto note = [this](std::string what) {
            return [this, what](std::int16_t index) { events.push_back(what + " " + std::to_string(index)); };
        };
        engine.MoveInSen = note("in sen");
        engine.MoveOutSen = note("out sen");
        engine.MoveInHot = [this](std::int16_t hot, std::int16_t lineHeight) {
            events.push_back("in hot " + std::to_string(hot) + " " + std::to_string(lineHeight));
        };
        engine.MoveOutHot = note("out hot");
        engine.MoveInImg = note("in img");
        engine.moveOutImg = note("out img");
        engine.DownSen = note("down sen");
        engine.DownHot = note("down hot");
        engine.DownImg = note("down img");
    }

    Events moveTo(Point p, std::int16_t shift = 0)
    {
        events.clear();
        engine.OnMMove(0, shift, p.x, p.y);
        return events;
    }

    Events pressAt(Point p)
    {
        events.clear();
        engine.OnMDown(1, 0, p.x, p.y);
        return events;
    }
};

namespace {

struct Step {
    Point to;
    Events raised;
};

struct PathCase {
    const char* name;
    std::vector<Step> steps;
};

class PointerPathTest : public PointerTest, public ::testing::WithParamInterface<PathCase> {};

} // namespace

TEST_P(PointerPathTest, MovesRaiseTheirEventsInOrder)
{
    int step = 0;
    for (const Step& s : GetParam().steps) {
        SCOPED_TRACE(step++);
        EXPECT_EQ(moveTo(s.to), s.raised);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pointer, PointerPathTest,
    ::testing::Values(
        PathCase{"SentenceToSpace", {{kSentence0, {"in sen 0"}}, {kSpace, {"in sen -1", "out sen 0"}}, {kSpace, {}}}},
        PathCase{"SentenceToSentence", {{kSentence0, {"in sen 0"}}, {kSentence1, {"out sen 0", "in sen 1"}}}},
        PathCase{"WithinOneSentence", {{kSentence0, {"in sen 0"}}, {kSentence0Again, {}}}},
        PathCase{"SentenceToTextOutsideSentences", {{kSentence1, {"in sen 1"}}, {kPlain, {"in sen -1", "out sen 1"}}}},
        PathCase{"HotWordInsideASentence",
                 {{kSpace, {}},
                  {kHotInSentence, {"in sen 1", "in hot 0 18"}},
                  {kSentence1, {"out hot 0"}},
                  {kHotInSentence, {"in hot 0 18"}},
                  {kSpace, {"in sen -1", "out sen 1", "out hot 0"}}}},
        PathCase{"HotWordToHotWord",
                 {{kHotInSentence, {"in sen 1", "in hot 0 18"}},
                  {kHotOverImage, {"in sen -1", "out sen 1", "out hot 0", "in hot 1 18", "in img 0"}}}},
        PathCase{"HotWordOverAPicture",
                 {{kHotOverImage, {"in hot 1 18", "in img 0"}}, {kImage, {"out hot 1"}}, {kSpace, {"out img 0"}}}},
        PathCase{"APointOffTheDocumentIsOverNothing",
                 {{kSentence0, {"in sen 0"}}, {kNowhere, {"in sen -1", "out sen 0"}}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PointerTest, PressesReportTheHotWordInsteadOfItsSentenceAndAPictureBesides)
{
    EXPECT_EQ(pressAt(kSentence0), (Events{"down sen 0"}));
    EXPECT_EQ(pressAt(kHotInSentence), (Events{"down hot 0"}));
    EXPECT_EQ(pressAt(kHotOverImage), (Events{"down hot 1", "down img 0"}));
    EXPECT_EQ(pressAt(kImage), (Events{"down img 0"}));
    EXPECT_EQ(pressAt(kPlain), (Events{}));
    EXPECT_EQ(pressAt(kSpace), (Events{}));
}

TEST_F(PointerTest, APressLeavesThePointerStateAlone)
{
    moveTo(kSentence0);
    pressAt(kHotOverImage);
    EXPECT_EQ(engine.CurSen(), 0);
    EXPECT_EQ(engine.CurHot(), -1);
    EXPECT_EQ(engine.CurImg(), -1);
    EXPECT_EQ(moveTo(kSentence0Again), (Events{}));
}

TEST_F(PointerTest, AMoveWithShift100ChangesNothing)
{
    moveTo(kSentence0);
    EXPECT_EQ(moveTo(kHotOverImage, 100), (Events{}));
    EXPECT_EQ(engine.CurSen(), 0);
    EXPECT_EQ(engine.CurHot(), -1);
    EXPECT_EQ(engine.CurImg(), -1);
    EXPECT_EQ(moveTo(kHotOverImage, 1), (Events{"in sen -1", "out sen 0", "in hot 1 18", "in img 0"}));
}

TEST_F(PointerTest, HotWordsReportTheWholeLineHeight)
{
    engine.nLineSpace(4);
    EXPECT_EQ(moveTo(kHotOverImage), (Events{"in hot 1 22", "in img 0"}));
}

TEST_F(PointerTest, ThePointIsTakenInTheDocumentBelowTheFirstLine)
{
    engine.Text(kDocument + repeated("x<BR>", 40));
    engine.Refresh1(1);
    EXPECT_EQ(moveTo(Point{20, 5}), (Events{"in sen 1"}));
}

TEST_F(PointerTest, AHandlerThatRebuildsTheDocumentEndsTheMoveAndTheNewDocumentStartsFresh)
{
    moveTo(kSentence0);
    engine.MoveOutSen = [this](std::int16_t s) {
        events.push_back("out sen " + std::to_string(s));
        engine.Refresh1(0);
    };
    EXPECT_EQ(moveTo(kHotInSentence), (Events{"out sen 0"}));
    EXPECT_EQ(engine.CurSen(), -1);
    EXPECT_EQ(engine.CurHot(), -1);
    EXPECT_EQ(moveTo(kHotInSentence), (Events{"in sen 1", "in hot 0 18"}));
}

TEST_F(PointerTest, AHandlerThatClearsTheDocumentOnAPressEndsThePress)
{
    engine.DownHot = [this](std::int16_t h) {
        events.push_back("down hot " + std::to_string(h));
        engine.ClearAll();
    };
    EXPECT_EQ(pressAt(kHotOverImage), (Events{"down hot 1"}));
    EXPECT_EQ(engine.Document().nTotPiece(), 0);
    EXPECT_EQ(pressAt(kHotOverImage), (Events{}));
}

TEST_F(PointerTest, AHandlerMayHighlightTheSentenceItEnters)
{
    engine.MoveInSen = [this](std::int16_t s) { engine.PrintSen(s); };
    engine.MoveOutSen = [this](std::int16_t s) { engine.PrintSen(s); };
    moveTo(kSentence1);
    EXPECT_TRUE(pieces()[1].Marked);
    EXPECT_TRUE(pieces()[2].Marked);
    moveTo(kSentence0);
    EXPECT_FALSE(pieces()[1].Marked);
    EXPECT_FALSE(pieces()[2].Marked);
    EXPECT_TRUE(pieces()[0].Marked);
    moveTo(kSpace);
    EXPECT_FALSE(pieces()[0].Marked);
}

TEST_F(PointerTest, AHandlerMayReplaceTheEventItIsCalledThrough)
{
    engine.MoveInSen = [this](std::int16_t s) {
        events.push_back("first " + std::to_string(s));
        engine.MoveInSen = [this](std::int16_t s2) { events.push_back("second " + std::to_string(s2)); };
    };
    EXPECT_EQ(moveTo(kSentence0), (Events{"first 0"}));
    EXPECT_EQ(moveTo(kSentence1), (Events{"out sen 0", "second 1"}));
}
