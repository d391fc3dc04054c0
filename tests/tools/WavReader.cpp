#include "WavReader.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace testsupport {
namespace {

std::uint32_t little(const std::string& bytes, std::size_t at, int count)
{
    if (at + count > bytes.size())
        throw std::runtime_error("WAVE file cut short");
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

} // namespace

WavFile readWavFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") || bytes.compare(8, 4, "WAVE"))
        throw std::runtime_error(path + " is not a WAVE file");
    WavFile wav;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::string id = bytes.substr(at, 4);
        const std::uint32_t size = little(bytes, at + 4, 4);
        const std::size_t body = at + 8;
        if (id == "fmt ") {
            wav.format = little(bytes, body, 2);
            wav.channels = little(bytes, body + 2, 2);
            wav.sampleRate = little(bytes, body + 4, 4);
            wav.bitsPerSample = little(bytes, body + 14, 2);
        } else if (id == "data" && wav.bitsPerSample == 16) {
            for (std::size_t i = 0; i + 1 < size; i += 2)
                wav.samples.push_back(static_cast<std::int16_t>(little(bytes, body + i, 2)));
        }
        at = body + size + (size & 1);
    }
    return wav;
}

int largestStep(const std::vector<std::int16_t>& samples)
{
    int largest = 0;
    for (std::size_t i = 1; i < samples.size(); ++i)
        largest = std::max(largest, std::abs(samples[i] - samples[i - 1]));
    return largest;
}

} // namespace testsupport
