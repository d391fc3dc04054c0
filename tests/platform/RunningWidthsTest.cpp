#include "platform/qt/RunningWidths.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

using platform::qt::RunningWidths;

namespace {

// Advances whose sums depend on the order they are added in, and none for
// the tab, which stands for a character that must be measured as a whole.
struct Advances {
    int asked = 0;
    std::optional<double> operator()(char32_t c)
    {
        ++asked;
        if (c == U'\t')
            return std::nullopt;
        return 0.1 + double(c % 97) / 7.0 + 1e-9 * double(c);
    }
};

std::optional<double> measuredAfresh(std::string_view text)
{
    Advances advances;
    return RunningWidths().widthOf(text, advances);
}

struct Sequence {
    const char* name;
    std::vector<std::string> texts;
};

void PrintTo(const Sequence& sequence, std::ostream* out) { *out << sequence.name; }

class RunningWidthsSequence : public ::testing::TestWithParam<Sequence> {};

} // namespace

// Every text of a sequence, measured after the ones before it, is exactly as
// wide as when measured alone.
TEST_P(RunningWidthsSequence, GivesTheWidthOfEachTextAsIfMeasuredAlone)
{
    RunningWidths widths;
    Advances advances;
    for (const std::string& text : GetParam().texts) {
        EXPECT_EQ(widths.widthOf(text, advances), measuredAfresh(text)) << text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, RunningWidthsSequence,
    ::testing::Values(
        Sequence{"LineGrowsByWideCharacters", {"学", "学习", "学习中", "学习中文", "学习中文，"}},
        Sequence{"LineGrowsByNarrowWords", {" lesson ", " lesson  the ", " lesson  the  book "}},
        Sequence{"PlacedLineIsABeginningOfTheLastMeasured", {"学习中文", "学习中文的", "学习中文"}},
        Sequence{"TextsPartInsideACharacter", {"学习中", "学习丰", "学习"}},
        Sequence{"UnmeasurableCharacterInTheMiddle", {"ab\tc", "ab\tcd", "ab", "abc"}},
        Sequence{"TruncatedCharacterCompletedLater", {"a\xE4\xB8", "a\xE4\xB8\xAD", "a\xE4\xB8\xADz"}},
        Sequence{"StrayContinuationByte", {"a\xAD", "a\xAD\xAD", "a"}},
        Sequence{"ReplacementCharacterItself", {"a\xEF\xBF\xBD", "a\xEF\xBF\xBD" "b"}},
        Sequence{"CharactersOutsideTheBasicPlane", {"𠀀", "𠀀a", "𠀀a𠀁"}},
        Sequence{"EmptyTexts", {"", "a", "", "ab"}}),
    [](const auto& info) { return std::string(info.param.name); });

// Random edits as layout makes them (a word joins, the line is cut back, a
// line starts afresh) over an alphabet with malformed bytes in it.
TEST(RunningWidths, RandomEditsGiveTheSameWidthsAsMeasuringAfresh)
{
    const std::vector<std::string> pieces{"中", "文", "a", " ", "，", "\t", "\xE4", "\xB8\xAD", "𠀀", "é"};
    std::mt19937 random(7);
    RunningWidths widths;
    Advances advances;
    std::string text;
    for (int step = 0; step < 5000; ++step) {
        const auto edit = random() % 6;
        if (edit == 0)
            text.clear();
        else if (edit == 1 && !text.empty())
            text.resize(random() % text.size());
        else
            text += pieces[random() % pieces.size()];
        ASSERT_EQ(widths.widthOf(text, advances), measuredAfresh(text)) << "step " << step;
    }
}

// The reason for the class: a line measured again with one more character
// asks for that character's advance only, and a beginning of it for none.
TEST(RunningWidths, AsksOnlyForTheAdvancesOfWhatIsNew)
{
    RunningWidths widths;
    Advances advances;
    widths.widthOf("学习中文", advances);
    EXPECT_EQ(advances.asked, 4);
    widths.widthOf("学习中文的", advances);
    EXPECT_EQ(advances.asked, 5);
    widths.widthOf("学习", advances);
    EXPECT_EQ(advances.asked, 5);
    widths.widthOf("学习书", advances);
    EXPECT_EQ(advances.asked, 6);
}
