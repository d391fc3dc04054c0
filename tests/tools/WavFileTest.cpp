// WAVE files as the sound tool writes them.
#include "tools/media/WavFile.h"
#include "WavReader.h"

#include <QTemporaryDir>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

TEST(WavFileTest, WritesMonoSixteenBitPcmThatReadsBack)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("s.wav").toStdString();
    const std::vector<std::int16_t> samples{0, 1, -1, 32767, -32768, 1234, -4321};

    tools::media::writeWav(path, samples, 11025);
    testsupport::WavFile wav = testsupport::readWavFile(path);

    EXPECT_EQ(wav.format, 1u);
    EXPECT_EQ(wav.channels, 1u);
    EXPECT_EQ(wav.sampleRate, 11025u);
    EXPECT_EQ(wav.bitsPerSample, 16u);
    EXPECT_EQ(wav.samples, samples);
    EXPECT_EQ(std::filesystem::file_size(path), 44u + 2 * samples.size());
}

TEST(WavFileTest, AnUnwritablePlaceIsReported)
{
    QTemporaryDir dir;
    EXPECT_THROW(tools::media::writeWav(dir.filePath("no/such/folder/s.wav").toStdString(), {1, 2}, 8000), std::runtime_error);
}

} // namespace
