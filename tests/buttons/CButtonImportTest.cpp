#include "ButtonSetFixture.h"

#include <cctype>
#include <limits>

using namespace buttontest;
using buttons::CButton;
using platform::RasterOp;
using platform::fake::DrawOp;

namespace {

TEST_F(ButtonSetTest, InitEmptiesTheSetHidesTheTipAndStopsTheTimer)
{
    ASSERT_TRUE(import({keys(0, 0, 40, 20, 0, 1, 2, -1)}));
    tip.setVisible(true);
    timer.setEnabled(true);
    set.Init(form, clip, tip, timer);
    EXPECT_EQ(set.Count(), 0);
    EXPECT_EQ(set.Current(), -1);
    EXPECT_FALSE(tip.visible());
    EXPECT_FALSE(timer.enabled());
}

TEST_F(ButtonSetTest, ImportReadsEveryKeyAndStartsTheButtonAtRest)
{
    ASSERT_TRUE(importElements({"<X=352 Y=505 W=56 H=22 RES=3 STYLE=2 FRAME=4 DFRAME=-1 MASK=7 TIP=查询>"}));
    ASSERT_EQ(set.Count(), 1);
    const buttons::ButtonRecord& b = set.Button(0);
    EXPECT_EQ(b.X, 352);
    EXPECT_EQ(b.Y, 505);
    EXPECT_EQ(b.W, 56);
    EXPECT_EQ(b.H, 22);
    EXPECT_EQ(b.RES, 3);
    EXPECT_EQ(b.STYLE, 2);
    EXPECT_EQ(b.FRAME, 4);
    EXPECT_EQ(b.DFRAME, -1);
    EXPECT_EQ(b.MASK, 7);
    EXPECT_EQ(b.TIP, "查询");
    EXPECT_EQ(b.CurFrame, 1);
    EXPECT_TRUE(b.Enabled);
    EXPECT_TRUE(b.Visible);
    EXPECT_EQ(b.HoverState, buttons::kNotHovered);
    EXPECT_TRUE(b.Up);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ButtonSetTest, ImportDrawsFrameOneOfEachVisibleButtonUnscaledAtItsPlace)
{
    files.contents[kFile] = {"<S>", element(keys(352, 505, 56, 22, 4, 1, 2, -1)),
                             element(keys(10, 8, 24, 24, 6, 1, 2, -1)), "</S>"};
    ASSERT_TRUE(set.ImportButton(kFile, "S", true));
    const auto ops = form.opsOfKind(DrawOp::Kind::PaintPicture);
    ASSERT_EQ(ops.size(), 2u);
    EXPECT_EQ(ops.size(), form.ops.size());
    const DrawOp& first = ops[0];
    EXPECT_EQ(first.text, "pic#4");
    EXPECT_EQ(first.op, RasterOp::SrcCopy);
    EXPECT_EQ((std::vector<double>{first.x1, first.y1, first.x2, first.y2}), (std::vector<double>{352, 505, 56, 22}));
    EXPECT_EQ((std::vector<double>{first.srcX, first.srcY, first.srcW, first.srcH}),
              (std::vector<double>{0, 0, 56, 22}));
    EXPECT_EQ(ops[1].text, "pic#6");
    EXPECT_EQ((std::vector<double>{ops[1].x1, ops[1].y1, ops[1].x2, ops[1].y2}), (std::vector<double>{10, 8, 24, 24}));
}

TEST_F(ButtonSetTest, HiddenImportDrawsNothing)
{
    files.contents[kFile] = {"<S>", element(keys(0, 0, 40, 20, 0, 1, 2, -1)), "</S>"};
    ASSERT_TRUE(set.ImportButton(kFile, "S", false));
    EXPECT_TRUE(form.ops.empty());
    EXPECT_FALSE(set.Button(0).Visible);
}

TEST_F(ButtonSetTest, ImportsAppendToTheSetInImportOrder)
{
    ASSERT_TRUE(import({keys(0, 0, 10, 10, 0, 1, 2, -1), keys(20, 0, 10, 10, 2, 1, 2, -1)}, true, "A"));
    ASSERT_TRUE(import({keys(40, 0, 10, 10, 4, 1, 2, -1)}, true, "B"));
    ASSERT_EQ(set.Count(), 3);
    EXPECT_EQ(set.Button(0).X, 0);
    EXPECT_EQ(set.Button(1).X, 20);
    EXPECT_EQ(set.Button(2).X, 40);
}

TEST_F(ButtonSetTest, MissingSectionKeepsTheButtonsAndShowsTheMessageOnce)
{
    ASSERT_TRUE(import({keys(0, 0, 10, 10, 0, 1, 2, -1)}, true, "A"));
    EXPECT_FALSE(set.ImportButton(kFile, "BUTTON9", true));
    EXPECT_EQ(set.Count(), 1);
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(formatMessages(), 1);
}

TEST_F(ButtonSetTest, UnreadableFileImportsNothingAndShowsTheMessageOnce)
{
    files.failures[kFile] = "Permission denied";
    EXPECT_FALSE(set.ImportButton(kFile, "S", true));
    EXPECT_EQ(set.Count(), 0);
    EXPECT_EQ(formatMessages(), 1);
    EXPECT_EQ(messages.shown.size(), 1u);
}

// A required key spoilt in the second of three elements.
struct BadKey {
    std::string key;
    std::optional<std::string> value; // nothing: the key is left out
};

class ButtonSetBadKeyTest : public ButtonSetTest, public testing::WithParamInterface<BadKey> {};

TEST_P(ButtonSetBadKeyTest, RejectsTheElementAndStopsWithOneMessage)
{
    const BadKey& c = GetParam();
    const Keys good = keys(5, 6, 40, 20, 1, 1, 2, -1);
    const Keys bad = c.value ? with(good, c.key, *c.value) : without(good, c.key);
    EXPECT_FALSE(import({good, bad, good}));
    ASSERT_EQ(set.Count(), 1);
    EXPECT_EQ(set.Button(0).X, 5);
    EXPECT_EQ(set.Button(0).RES, 1);
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(formatMessages(), 1);
}

std::vector<BadKey> badKeys()
{
    std::vector<BadKey> cases;
    for (const char* key : {"X", "Y", "W", "H", "RES", "STYLE", "FRAME", "DFRAME"})
        for (const char* value : {"", "abc", "1x", "32768", "-32769", "1e9", "0x10"})
            cases.push_back({key, value});
    // A missing FRAME is found inside DFRAME, so it is not among these.
    for (const char* key : {"X", "Y", "W", "H", "RES", "STYLE", "DFRAME"})
        cases.push_back({key, std::nullopt});
    cases.push_back({"MASK", "abc"});
    cases.push_back({"MASK", "99999"});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Keys, ButtonSetBadKeyTest, testing::ValuesIn(badKeys()), [](const auto& info) {
    const BadKey& c = info.param;
    std::string name = c.key + "_" + (c.value ? (c.value->empty() ? "empty" : *c.value) : "missing");
    for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch)))
            ch = '_';
    return name + "_" + std::to_string(info.index);
});

// Numeric text is rounded to the nearest whole number, halves to even.
struct NumericText {
    std::string text;
    std::int16_t value;
};

class ButtonSetNumberTest : public ButtonSetTest, public testing::WithParamInterface<NumericText> {};

TEST_P(ButtonSetNumberTest, ConvertsLikeEveryWholeNumberOfTheSystem)
{
    ASSERT_TRUE(import({with(keys(0, 0, 40, 20, 0, 1, 2, -1), "X", GetParam().text)}));
    EXPECT_EQ(set.Button(0).X, GetParam().value);
    EXPECT_TRUE(messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Texts, ButtonSetNumberTest,
    testing::Values(NumericText{"2.5", 2}, NumericText{"3.5", 4}, NumericText{"-2.5", -2}, NumericText{"2.6", 3},
                    NumericText{"+7", 7}, NumericText{"007", 7}, NumericText{"1e1", 10},
                    NumericText{"32767.4", 32767}, NumericText{"-32768", -32768}));

TEST_F(ButtonSetTest, ElementContinuedOnTheNextLineWithoutASpaceIsRejected)
{
    EXPECT_FALSE(importElements({"<X=10 Y=20", "W=56 H=22 RES=0 STYLE=1 FRAME=2 DFRAME=-1>"}));
    EXPECT_EQ(set.Count(), 0);
    EXPECT_EQ(formatMessages(), 1);
}

TEST_F(ButtonSetTest, MissingFrameKeyReadsTheValueOfDframe)
{
    ASSERT_TRUE(import({without(keys(0, 0, 40, 20, 0, 1, 2, -1), "FRAME")}));
    EXPECT_EQ(set.Button(0).FRAME, -1);
}

TEST_F(ButtonSetTest, MaskMissingOrEmptyMeansNoMask)
{
    ASSERT_TRUE(import({keys(0, 0, 40, 20, 0, 1, 2, -1), with(keys(50, 0, 40, 20, 2, 1, 2, -1), "MASK", "")}, false));
    EXPECT_EQ(set.Button(0).MASK, -1);
    EXPECT_EQ(set.Button(1).MASK, -1);
    set.Visible(0, true);
    set.Visible(1, true);
    EXPECT_EQ(painted(), (Texts{"pic#0 copy", "pic#2 copy"}));
}

TEST_F(ButtonSetTest, MaskedDrawingAndsTheMaskThenInvertsTheFrameAtTheSamePlace)
{
    files.contents[kFile] = {"<S>", element(with(keys(30, 40, 24, 24, 2, 1, 2, -1), "MASK", "9")), "</S>"};
    ASSERT_TRUE(set.ImportButton(kFile, "S", true));
    ASSERT_EQ(form.ops.size(), 2u);
    for (const DrawOp& op : form.ops)
        EXPECT_EQ((std::vector<double>{op.x1, op.y1, op.x2, op.y2, op.srcX, op.srcY, op.srcW, op.srcH}),
                  (std::vector<double>{30, 40, 24, 24, 0, 0, 24, 24}));
    EXPECT_EQ(painted(), (Texts{"pic#9 and", "pic#2 invert"}));
    moveTo(35, 45);
    EXPECT_EQ(painted(), (Texts{"pic#9 and", "pic#3 invert"}));
}

TEST_F(ButtonSetTest, CellsOutsideThePictureDrawNothing)
{
    // Frame 2 of the first button is past cell 9, and so are the masks of
    // the others: only -1 means no mask.
    ASSERT_TRUE(import({keys(0, 0, 40, 20, 9, 1, 2, -1), with(keys(50, 0, 40, 20, 0, 1, 2, -1), "MASK", "10"),
                        with(keys(100, 0, 40, 20, 0, 1, 2, -1), "MASK", "-2")},
                       false));
    set.Visible(0, true);
    EXPECT_EQ(painted(), Texts{"pic#9 copy"});
    moveTo(10, 10);
    EXPECT_EQ(painted(), Texts{});
    set.Visible(1, true);
    set.Visible(2, true);
    EXPECT_EQ(painted(), Texts{});
}

TEST_F(ButtonSetTest, FrameAboveFrameCountDrawsNothing)
{
    ASSERT_TRUE(import({keys(0, 0, 40, 20, 0, 1, 1, -1)}));
    moveTo(10, 10);
    EXPECT_EQ(set.Button(0).CurFrame, 2);
    EXPECT_EQ(painted(), Texts{});
}

TEST_F(ButtonSetTest, CountStopsAtTheLargest16BitNumber)
{
    const int limit = std::numeric_limits<std::int16_t>::max();
    std::vector<std::string> elements(limit + 1, element(keys(0, 0, 1, 1, 0, 1, 2, -1)));
    EXPECT_FALSE(importElements(elements, false));
    EXPECT_EQ(set.Count(), limit);
    EXPECT_EQ(formatMessages(), 1);
}

TEST_F(ButtonSetTest, DrawingBeforeInitIsACallerError)
{
    CButton fresh{files, messages};
    files.contents[kFile] = {"<S>", element(keys(0, 0, 40, 20, 0, 1, 2, -1)), "</S>"};
    EXPECT_THROW(fresh.ImportButton(kFile, "S", true), std::logic_error);
}

} // namespace
