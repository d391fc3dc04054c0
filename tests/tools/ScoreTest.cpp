// Note lists: pitch names, note text and score descriptions.
#include "tools/media/Score.h"

#include <QJsonDocument>
#include <gtest/gtest.h>

using namespace tools::media;

namespace {

QJsonObject json(const char* text) { return QJsonDocument::fromJson(text).object(); }

struct PitchCase {
    const char* name;
    double hertz;
};

class PitchTest : public testing::TestWithParam<PitchCase> {};

TEST_P(PitchTest, EqualTemperamentFromA440) { EXPECT_NEAR(pitchFrequency(GetParam().name), GetParam().hertz, 0.01); }

INSTANTIATE_TEST_SUITE_P(Names, PitchTest,
    testing::Values(PitchCase{"A4", 440}, PitchCase{"A3", 220}, PitchCase{"C4", 261.63}, PitchCase{"F#5", 739.99},
        PitchCase{"Bb3", 233.08}, PitchCase{"C0", 16.35}, PitchCase{"B8", 7902.13}, PitchCase{"E5", 659.26}));

class BadPitchTest : public testing::TestWithParam<const char*> {};

TEST_P(BadPitchTest, IsRefused) { EXPECT_THROW(pitchFrequency(GetParam()), std::invalid_argument); }

INSTANTIATE_TEST_SUITE_P(Names, BadPitchTest, testing::Values("", "A", "H4", "a4", "A9", "A#", "A4x", "A##4", "#4"));

TEST(NotesTest, PlacesNotesOneAfterAnother)
{
    std::vector<Note> notes = parseNotes("D5:1 E5:0.5  -:2\tC4+E4+G4:1.5");

    ASSERT_EQ(notes.size(), 4u);
    EXPECT_EQ(notes[0].startBeat, 0);
    EXPECT_EQ(notes[1].startBeat, 1);
    EXPECT_EQ(notes[2].startBeat, 1.5);
    EXPECT_EQ(notes[3].startBeat, 3.5);
    EXPECT_EQ(notes[3].beats, 1.5);
    EXPECT_TRUE(notes[2].frequencies.empty());
    ASSERT_EQ(notes[3].frequencies.size(), 3u);
    EXPECT_NEAR(notes[3].frequencies[2], 392.0, 0.01);
}

class BadNotesTest : public testing::TestWithParam<const char*> {};

TEST_P(BadNotesTest, AreRefused) { EXPECT_THROW(parseNotes(GetParam()), std::invalid_argument); }

INSTANTIATE_TEST_SUITE_P(Texts, BadNotesTest,
    testing::Values("D5", "D5:0", "D5:-1", "D5:x", "D5:1.5.2", "D5:1 E5", "D5+:1", ":1", "X:1"));

TEST(ScoreTest, LengthDefaultsToTheLongestVoice)
{
    Score score = readScore(json(R"({"tempo": 120, "voices": [{"notes": "A4:1 B4:1"}, {"instrument": "pad", "notes": "D3:3"}]})"));

    EXPECT_EQ(score.beats, 3);
    EXPECT_EQ(score.seconds(), 1.5);
    EXPECT_EQ(score.voices[1].instrument, Instrument::Pad);
    EXPECT_FALSE(score.loop);
}

TEST(ScoreTest, GivenLengthAndLoopAreKept)
{
    Score score = readScore(json(R"({"beats": 8, "loop": true, "sampleRate": 8000, "voices": [{"volume": 0.5, "notes": "A4:1"}]})"));

    EXPECT_EQ(score.beats, 8);
    EXPECT_TRUE(score.loop);
    EXPECT_EQ(score.sampleRate, 8000);
    EXPECT_EQ(score.voices[0].volume, 0.5);
}

class BadScoreTest : public testing::TestWithParam<const char*> {};

TEST_P(BadScoreTest, IsRefused) { EXPECT_THROW(readScore(json(GetParam())), std::invalid_argument); }

INSTANTIATE_TEST_SUITE_P(Descriptions, BadScoreTest,
    testing::Values(R"({})", R"({"voices": [{"notes": ""}]})", R"({"tempo": 0, "voices": [{"notes": "A4:1"}]})",
        R"({"tempo": "fast", "voices": [{"notes": "A4:1"}]})", R"({"sampleRate": 100, "voices": [{"notes": "A4:1"}]})",
        R"({"voices": [{"instrument": "drum", "notes": "A4:1"}]})", R"({"voices": [{"volume": 2, "notes": "A4:1"}]})",
        R"({"beats": -1, "voices": [{"notes": "A4:1"}]})"));

} // namespace
