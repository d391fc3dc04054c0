// Playing scores into samples: lengths, pitch, level, silence and the seam
// of a looping sound.
#include "tools/media/Synth.h"
#include "WavReader.h"

#include <QJsonDocument>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

using namespace tools::media;

namespace {

Score score(const char* text) { return readScore(QJsonDocument::fromJson(text).object()); }

int peak(const std::vector<std::int16_t>& samples, std::size_t from = 0, std::size_t to = SIZE_MAX)
{
    int largest = 0;
    for (std::size_t i = from; i < std::min(to, samples.size()); ++i)
        largest = std::max(largest, std::abs(int(samples[i])));
    return largest;
}

TEST(SynthTest, LastsTheScoreOrTheGivenCount)
{
    Score s = score(R"({"sampleRate": 8000, "tempo": 120, "beats": 8, "voices": [{"notes": "A4:1"}]})");

    EXPECT_EQ(synthesize(s).size(), 32000u);
    EXPECT_EQ(synthesize(s, 1234).size(), 1234u);
}

TEST(SynthTest, AHeldNoteSoundsAtItsPitch)
{
    // One second of a held A4 in the middle of the note: 440 cycles, two
    // zero crossings each.
    auto samples = synthesize(score(R"({"sampleRate": 22050, "tempo": 60, "voices": [{"instrument": "pad", "notes": "A4:3"}]})"));
    int crossings = 0;
    for (std::size_t i = 22050 + 1; i <= 2 * 22050; ++i)
        crossings += (samples[i - 1] < 0) != (samples[i] < 0);

    EXPECT_NEAR(crossings, 880, 4);
}

TEST(SynthTest, TheLoudestSampleIsSeventyPercentOfFullScale)
{
    auto quiet = synthesize(score(R"({"voices": [{"volume": 0.1, "notes": "C4+E4+G4:2"}]})"));
    auto loud = synthesize(score(R"({"voices": [{"volume": 1, "notes": "C4:1 C5:1"}, {"notes": "G4:2"}]})"));

    EXPECT_EQ(peak(quiet), 22937);
    EXPECT_EQ(peak(loud), 22937);
}

TEST(SynthTest, RestsAndTheCutEndAreSilent)
{
    auto samples = synthesize(score(R"({"sampleRate": 8000, "tempo": 60, "voices": [{"notes": "-:2 A4:1"}]})"));

    ASSERT_EQ(samples.size(), 24000u);
    EXPECT_EQ(peak(samples, 0, 16000), 0);
    EXPECT_GT(peak(samples, 16000), 10000);
    EXPECT_EQ(samples.back(), 0);
}

TEST(SynthTest, AScoreOfRestsIsSilence)
{
    auto samples = synthesize(score(R"({"voices": [{"notes": "-:2"}]})"));

    EXPECT_FALSE(samples.empty());
    EXPECT_EQ(peak(samples), 0);
}

TEST(SynthTest, ALoopCarriesWhatRingsPastItsEndIntoItsBeginning)
{
    // A bell struck on the last beat rings for longer than a beat.
    const char* text = R"({"sampleRate": 8000, "tempo": 120, "loop": %s, "voices": [{"instrument": "bell", "notes": "-:3 A4:1"}]})";
    char looping[256], cut[256];
    std::snprintf(looping, sizeof looping, text, "true");
    std::snprintf(cut, sizeof cut, text, "false");
    auto loop = synthesize(score(looping));
    auto once = synthesize(score(cut));

    EXPECT_EQ(peak(once, 0, 4000), 0);
    EXPECT_GT(peak(loop, 0, 4000), 1000);
    // The jump from the last sample back to the first is no bigger than any
    // step inside the sound.
    EXPECT_LE(std::abs(loop.front() - loop.back()), testsupport::largestStep(loop));
    EXPECT_NE(loop.back(), 0);
}

} // namespace
