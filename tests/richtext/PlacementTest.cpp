#include "EngineFixture.h"

using namespace richtext;
using richtext::testing::EngineTest;
using richtext::testing::repeated;

namespace {

struct Line {
    int characters;
    int x;
    int y;
    bool operator==(const Line&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Line& l) { return out << l.characters << " at " << l.x << ',' << l.y; }

struct Rect {
    int left, top, right, bottom;
    bool operator==(const Rect&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Rect& r)
{
    return out << '(' << r.left << ',' << r.top << ")-(" << r.right << ',' << r.bottom << ')';
}

} // namespace

class PlacementTest : public EngineTest {
protected:
    // Lines of wide text: how many characters each piece holds and where.
    std::vector<Line> wideLines() const
    {
        std::vector<Line> lines;
        for (const auto& piece : pieces())
            lines.push_back({int(piece.Text.size() / 3), piece.X, piece.Y});
        return lines;
    }

    Rect image(int i) const
    {
        const auto& img = engine.Document().Images.at(i);
        return {img.Left, img.Top, img.Right, img.Bottom};
    }
};

TEST_F(PlacementTest, TextFlowsRightOfALeftPictureOnTheLinesItCovers)
{
    layOut("<P>a<BR><IMG SRC=L.BMP WIDTH=100 HEIGHT=50 ALIGN=LEFT>" + repeated("字", 100));
    EXPECT_EQ(image(0), (Rect{0, 18, 100, 68}));
    EXPECT_EQ(wideLines(), (std::vector<Line>{{0, 0, 0}, {30, 100, 18}, {30, 110, 36}, {30, 110, 54}, {10, 10, 72}}));
}

TEST_F(PlacementTest, ALeftPictureAwayFromTheMarginGoesToTheNextLineAndTakesThePen)
{
    layOut("<P>ab<IMG SRC=L.BMP WIDTH=100 HEIGHT=50 ALIGN=LEFT>");
    EXPECT_EQ(image(0), (Rect{0, 18, 100, 68}));
    EXPECT_EQ(engine.Layout().CurY, 18);
    EXPECT_EQ(engine.Layout().CurX, 24);
}

TEST_F(PlacementTest, TextStopsTenUnitsBeforeARightPicture)
{
    layOut("<IMG SRC=R.BMP WIDTH=100 HEIGHT=40 ALIGN=RIGHT>" + repeated("字", 80));
    EXPECT_EQ(image(0), (Rect{490, 0, 590, 40}));
    EXPECT_EQ(wideLines(), (std::vector<Line>{{30, 0, 0}, {29, 10, 18}, {21, 10, 36}}));
}

TEST_F(PlacementTest, ARightPictureAfterThePenMovedSitsOneLineLowerAndLeavesThePen)
{
    layOut("<P>a<IMG SRC=R.BMP WIDTH=100 HEIGHT=40 ALIGN=RIGHT>");
    EXPECT_EQ(image(0), (Rect{490, 18, 590, 58}));
    EXPECT_EQ(engine.Layout().CurX, 16);
    EXPECT_EQ(engine.Layout().CurY, 0);
}

TEST_F(PlacementTest, ACentredPictureSitsAtTheLeftOfTheLineAndLeavesThePen)
{
    layOut("<P>a<IMG SRC=C.BMP WIDTH=100 HEIGHT=40 ALIGN=CENTER>");
    EXPECT_EQ(image(0), (Rect{0, 0, 100, 40}));
    EXPECT_EQ(engine.Layout().CurX, 16);
}

TEST_F(PlacementTest, AnInlinePictureSitsAtThePenAndMovesItByItsWidthAndFive)
{
    layOut("<TABLE X=100><IMG SRC=I.BMP WIDTH=50 HEIGHT=30>");
    EXPECT_EQ(image(0), (Rect{100, 0, 150, 30}));
    EXPECT_EQ(engine.Layout().CurX, 155);
}

TEST_F(PlacementTest, AnInlinePictureTooWideForTheLineGoesToTheNextLineWhileThePenStays)
{
    layOut("<TABLE X=560><IMG SRC=I.BMP WIDTH=50 HEIGHT=30>");
    EXPECT_EQ(image(0), (Rect{10, 18, 60, 48}));
    EXPECT_EQ(engine.Layout().CurX, 615);
    EXPECT_EQ(engine.Layout().CurY, 0);
}

TEST_F(PlacementTest, ALineBreakInsideAnInlinePictureContinuesBelowIt)
{
    layOut("<P>a<IMG SRC=I.BMP WIDTH=50 HEIGHT=40>b<BR>c");
    ASSERT_EQ(pieces().size(), 3u);
    EXPECT_EQ(pieces()[1].X, 71);
    EXPECT_EQ(pieces()[2].X, 10);
    EXPECT_EQ(pieces()[2].Y, 40);
}

TEST_F(PlacementTest, APictureBelowTheLastLineExtendsTheDocument)
{
    layOut("<P>x<IMG SRC=I.BMP WIDTH=10 HEIGHT=100>");
    EXPECT_EQ(engine.Layout().ImgBottom, 100);
    EXPECT_EQ(engine.nTotLine(), 7); // 100 / 18 + 1, rounded
}

TEST_F(PlacementTest, PictureHoldersAreMadeFromTheTemplatesWithPictureAndMask)
{
    fakes.toolkit.pictures["/pics/A.BMP"] = {40, 20};
    fakes.toolkit.pictures["/pics/AM.BMP"] = {40, 20};
    fakes.app.files.insert("/pics/AM.BMP");
    const auto& doc = layOut("<IMG SRC=a.bmp MASK=am.bmp WIDTH=40 HEIGHT=20 TEAM=3 HOT=\"Big Dog\"><IMG SRC=b.bmp>");
    ASSERT_EQ(doc.nImg(), 2);
    EXPECT_TRUE(doc.Images[0].HasMask);
    EXPECT_EQ(doc.Images[0].Team, 3);
    EXPECT_EQ(doc.Images[0].Hot, "BIG DOG");
    EXPECT_EQ(doc.Images[0].Align, "");
    auto& holder = imageHolder(1);
    EXPECT_EQ((Rect{holder.left(), holder.top(), holder.width(), holder.height()}), (Rect{0, 0, 40, 20}));
    EXPECT_EQ(platform::fake::fakePictureName(holder.picture().get()), "/pics/A.BMP");
    EXPECT_EQ(maskHolder(1).width(), 40);
    EXPECT_EQ(platform::fake::fakePictureName(maskHolder(1).picture().get()), "/pics/AM.BMP");
    // Without MASK the name "null" is tried; b.bmp cannot be loaded.
    EXPECT_FALSE(doc.Images[1].HasMask);
    EXPECT_EQ(imageHolder(2).picture(), nullptr);
    EXPECT_EQ(maskHolder(2).picture(), nullptr);
}

TEST_F(PlacementTest, AFileNamedNullInTheFolderBecomesTheMaskOfPicturesWithoutOne)
{
    fakes.toolkit.pictures["/pics/null"] = {5, 5};
    fakes.app.files.insert("/pics/null");
    const auto& doc = layOut("<IMG SRC=a.bmp WIDTH=5 HEIGHT=5>");
    EXPECT_TRUE(doc.Images[0].HasMask);
}

TEST_F(PlacementTest, WithoutControlSetsRecordsAreStillAdded)
{
    engine.SetObject(nullptr, nullptr, nullptr);
    const auto& doc = layOut("<IMG SRC=a.bmp WIDTH=5 HEIGHT=5><INPUT TYPE=TEXT>");
    EXPECT_EQ(doc.nImg(), 1);
    EXPECT_EQ(doc.nTextBox(), 1);
    EXPECT_EQ(images->count(), 1);
    EXPECT_EQ(edits->count(), 1);
    engine.ClearAll();
    EXPECT_EQ(engine.Document().nImg(), 0);
}

TEST_F(PlacementTest, NonNumericPictureSizesCountAsZeroAndEmptyOnesComplain)
{
    const auto& doc = layOut("<IMG SRC=a.bmp WIDTH=wide HEIGHT=>");
    EXPECT_EQ(image(0), (Rect{0, 0, 0, 0}));
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].text, "SRC=A.BMP WIDTH=WIDE HEIGHT=::语法错误 在属性HEIGHT中");
    EXPECT_EQ(doc.nImg(), 1);
}

TEST_F(PlacementTest, AnInputIsPrecededByTheWidthOfH)
{
    const auto& doc = layOut("<INPUT TYPE=TEXT>");
    ASSERT_EQ(doc.nTextBox(), 1);
    const auto& box = doc.TextBoxes[0];
    EXPECT_EQ((Rect{box.X, box.Y, box.Width, box.Height}), (Rect{8, 2, 80, 16}));
    EXPECT_EQ(engine.Layout().CurX, 88);
    auto& edit = editBox(1);
    EXPECT_EQ((Rect{edit.left(), edit.top(), edit.width(), edit.height()}), (Rect{8, 2, 80, 16}));
    EXPECT_TRUE(edit.visible());
}

TEST_F(PlacementTest, ATextBoxOfThreeLinesMovesThePenDownTwoLines)
{
    const auto& doc = layOut("<P>a<INPUT TYPE=text WIDTH=3 HEIGHT=3 VALUE=x VALUE2=y VALUE3=\"z w\" MODE=1>b");
    const auto& box = doc.TextBoxes.at(0);
    EXPECT_EQ((Rect{box.X, box.Y, box.Width, box.Height}), (Rect{24, 2, 24, 52}));
    EXPECT_EQ(box.Value, "x");
    EXPECT_EQ(box.Value2, "y");
    EXPECT_EQ(box.Value3, "z w");
    EXPECT_EQ(box.Mode, "1");
    ASSERT_EQ(pieces().size(), 2u);
    EXPECT_EQ(pieces()[1].X, 48);
    EXPECT_EQ(pieces()[1].Y, 36);
}

TEST_F(PlacementTest, APercentWidthIsAShareOfThePageWidthLessOne)
{
    ASSERT_TRUE(engine.InitProc(surface, 0, 0, 591, 400));
    const auto& doc = layOut("<INPUT TYPE=TEXT WIDTH=50%>");
    EXPECT_EQ(doc.TextBoxes.at(0).Width, 290);
}

TEST_F(PlacementTest, ATextBoxThatDoesNotFitStartsTheNextLine)
{
    const auto& doc = layOut("<TABLE X=520><INPUT TYPE=TEXT WIDTH=10>");
    const auto& box = doc.TextBoxes.at(0);
    EXPECT_EQ(box.X, 200);
    EXPECT_EQ(box.Y, 20);
}

namespace {

struct ChoiceCase {
    const char* markup;
    bool key;
};

class ChoiceTest : public EngineTest, public ::testing::WithParamInterface<ChoiceCase> {};

} // namespace

TEST_P(ChoiceTest, CheckedInAnyCaseMarksTheCorrectChoice)
{
    const auto& doc = layOut(GetParam().markup);
    ASSERT_EQ(doc.nCheckBox() + doc.nRadio(), 1);
    const bool key = doc.nCheckBox() ? doc.CheckBoxes[0].Key : doc.Radios[0].Key;
    EXPECT_EQ(key, GetParam().key);
}

INSTANTIATE_TEST_SUITE_P(Placement, ChoiceTest,
                         ::testing::Values(ChoiceCase{"<INPUT TYPE=CHECKBOX CHECKED=true>", true},
                                           ChoiceCase{"<INPUT type=checkbox checked=TRUE>", true},
                                           ChoiceCase{"<INPUT TYPE=CHECKBOX CHECKED=yes>", false},
                                           ChoiceCase{"<INPUT TYPE=CHECKBOX>", false},
                                           ChoiceCase{"<INPUT TYPE=Radio NAME=g CHECKED=True>", true},
                                           ChoiceCase{"<INPUT TYPE=RADIO NAME=g>", false}));

TEST_F(PlacementTest, ChoicesAreLineHighSquaresAndMoveThePen)
{
    const auto& doc = layOut("<INPUT TYPE=CHECKBOX><INPUT TYPE=RADIO NAME=Colour><INPUT TYPE=RADIO NAME=Colour>");
    const auto& box = doc.CheckBoxes.at(0);
    EXPECT_EQ((Rect{box.X, box.Y, box.Width, box.Height}), (Rect{8, 0, 18, 18}));
    EXPECT_FALSE(box.Checked);
    ASSERT_EQ(doc.nRadio(), 2);
    EXPECT_EQ(doc.Radios[0].X, 34);
    EXPECT_EQ(doc.Radios[1].X, 60);
    EXPECT_EQ(doc.Radios[1].Group, "Colour");
    EXPECT_FALSE(doc.Radios[1].Selected);
    EXPECT_EQ(engine.Layout().CurX, 78);
}

TEST_F(PlacementTest, AChoicePastTheRightLimitStartsTheNextLine)
{
    const auto& doc = layOut("<TABLE X=570><INPUT TYPE=CHECKBOX>");
    EXPECT_EQ(doc.CheckBoxes.at(0).X, 200);
    EXPECT_EQ(doc.CheckBoxes.at(0).Y, 18);
}

TEST_F(PlacementTest, AlignLeftAlwaysStartsANewLineAndOtherAlignmentsChangeNothing)
{
    const auto& doc = layOut("<INPUT TYPE=CHECKBOX ALIGN=LEFT><INPUT TYPE=CHECKBOX ALIGN=RIGHT>");
    EXPECT_EQ(doc.CheckBoxes.at(0).X, 10);
    EXPECT_EQ(doc.CheckBoxes.at(0).Y, 18);
    EXPECT_EQ(doc.CheckBoxes.at(1).X, 36);
    EXPECT_EQ(doc.CheckBoxes.at(1).Y, 18);
}

TEST_F(PlacementTest, AnInputOfUnknownTypeOnlyOpensItsGap)
{
    const auto& doc = layOut("<INPUT TYPE=BUTTON><INPUT>");
    EXPECT_EQ(doc.nTextBox() + doc.nCheckBox() + doc.nRadio(), 0);
    EXPECT_EQ(engine.Layout().CurX, 16);
}

TEST_F(PlacementTest, ARuleSpansTheLineOrStartsBesideALeftPicture)
{
    const auto& doc = layOut("<HR><B>a<BR><IMG SRC=L.BMP WIDTH=100 HEIGHT=50 ALIGN=LEFT><BR><HR>");
    ASSERT_EQ(doc.nRule(), 2);
    EXPECT_EQ((Rect{doc.Rule[0].X1, doc.Rule[0].Y, doc.Rule[0].X2, 0}), (Rect{0, 0, 590, 0}));
    EXPECT_EQ((Rect{doc.Rule[1].X1, doc.Rule[1].Y, doc.Rule[1].X2, 0}), (Rect{110, 36, 590, 0}));
    EXPECT_EQ(engine.Layout().CurY, 36);
}
