#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// Just enough of a WAVE file reader to check the sounds the tools write.
struct WavFile {
    unsigned format = 0; // 1: PCM
    unsigned channels = 0;
    unsigned sampleRate = 0;
    unsigned bitsPerSample = 0;
    std::vector<std::int16_t> samples; // 16-bit files only
};

// Throws std::runtime_error when the file is not a RIFF WAVE file.
WavFile readWavFile(const std::string& path);

// The largest step between neighbouring samples, the step from the last
// sample back to the first not counted.
int largestStep(const std::vector<std::int16_t>& samples);

} // namespace testsupport
