#include "buttons/ButtonRecord.h"

#include <gtest/gtest.h>

using namespace buttons;

namespace {

// One row of the frame tables: a button's style, toggle state and frame
// counts, and the frames it shows. -1 stands for "frame unchanged".
struct FrameRow {
    std::int16_t style;
    bool up;
    std::int16_t frames;
    std::int16_t disabledFrame;
    std::int16_t last, hover, rest, press;
};

class FrameTableTest : public testing::TestWithParam<FrameRow> {};

std::int16_t orUnchanged(std::optional<std::int16_t> frame) { return frame.value_or(std::int16_t(-1)); }

TEST_P(FrameTableTest, GivesTheFramesOfTheStyle)
{
    const FrameRow& row = GetParam();
    ButtonRecord b;
    b.STYLE = row.style;
    b.Up = row.up;
    b.FRAME = row.frames;
    b.DFRAME = row.disabledFrame;
    EXPECT_EQ(lastFrame(b), row.last);
    EXPECT_EQ(orUnchanged(hoverFrame(b)), row.hover);
    EXPECT_EQ(orUnchanged(restFrame(b)), row.rest);
    EXPECT_EQ(orUnchanged(pressFrame(b)), row.press);
}

INSTANTIATE_TEST_SUITE_P(Styles, FrameTableTest,
    testing::Values(
        //        style up     FRAME DFRAME last hover rest press
        FrameRow{1, true, 2, -1, 2, 2, 1, -1},
        FrameRow{1, false, 3, 3, 2, 2, 1, -1},
        FrameRow{2, true, 4, -1, 4, 2, 1, 3},
        FrameRow{2, false, 4, -1, 4, 4, 3, 1},
        FrameRow{10, true, 5, -1, 5, -1, 1, -1},
        FrameRow{10, false, 5, 5, 4, -1, 1, -1},
        FrameRow{11, true, 5, -1, 5, -1, 1, 5},
        FrameRow{11, false, 5, -1, 5, -1, 5, 1},
        FrameRow{11, true, 5, 5, 4, -1, 1, 4},
        FrameRow{11, false, 5, 5, 4, -1, 4, 1},
        FrameRow{0, true, 3, -1, 3, -1, -1, -1},
        FrameRow{3, false, 3, -1, 3, -1, -1, -1},
        FrameRow{12, true, 3, 3, 2, -1, -1, -1}));

} // namespace
