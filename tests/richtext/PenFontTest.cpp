#include "platform/fake/FakeSurface.h"
#include "richtext/PenFont.h"

#include <gtest/gtest.h>

namespace platform {
void PrintTo(const FontSpec& font, std::ostream* out)
{
    *out << font.name << ' ' << font.size << (font.bold ? " bold" : "") << (font.italic ? " italic" : "")
         << (font.underline ? " underline" : "");
}
} // namespace platform

using platform::FontSpec;
using richtext::LayoutState;
using richtext::PenFont;

namespace {

LayoutState pen(const std::string& name, const std::string& size, bool bold = false)
{
    LayoutState state;
    state.CurFontName = name;
    state.CurFontSize = size;
    state.CurBold = bold;
    return state;
}

// One measurement: the surface's font before it, the pen, and the font the
// text must be measured in and the one the surface must keep.
struct Measurement {
    FontSpec surfaceBefore;
    LayoutState pen;
    FontSpec measuredIn;
    FontSpec kept;
};

} // namespace

// The fonts are remembered between measurements; each measurement must still
// take from the surface's font what the pen lacks, as the surface has it at
// that moment. Narrow characters are 8 units at size 9 and bold adds 2.
TEST(PenFont, EachMeasurementUsesThePensStyleOverTheSurfacesFontOfThatMoment)
{
    const Measurement measurements[] = {
        {{"A", 9}, pen("Mono", "18"), {"Mono", 18}, {"Mono", 18}},
        {{"B", 9}, pen("Mono", "18", true), {"Mono", 18, true}, {"Mono", 18}},
        {{"B", 9}, pen("", "18"), {"B", 18}, {"B", 18}},
        {{"C", 12}, pen("", "18"), {"C", 18}, {"C", 18}},
        {{"C", 12}, pen("Mono", "huge"), {"Mono", 12}, {"Mono", 12}},
        {{"D", 27}, pen("Mono", "huge"), {"Mono", 27}, {"Mono", 27}},
        {{"D", 27}, pen("Mono", "9"), {"Mono", 9}, {"Mono", 9}},
    };
    platform::fake::FakeSurface surface;
    PenFont penFont;
    for (const Measurement& m : measurements) {
        surface.setFont(m.surfaceBefore);
        surface.fontHistory.clear();
        const double width = penFont.measure(surface, m.pen, "ab");
        ASSERT_EQ(surface.fontHistory.size(), 2u);
        EXPECT_EQ(surface.fontHistory[0], m.measuredIn);
        EXPECT_EQ(surface.fontHistory[1], m.kept);
        const double perCharacter = 8 * m.measuredIn.size / 9 + (m.measuredIn.bold ? 2 : 0);
        EXPECT_DOUBLE_EQ(width, 2 * perCharacter);
    }
}
