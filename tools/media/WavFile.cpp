#include "WavFile.h"

#include <fstream>
#include <stdexcept>

namespace tools::media {
namespace {

// RIFF fields are little-endian whatever the machine.
void put(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

} // namespace

void writeWav(const std::string& path, const std::vector<std::int16_t>& samples, int sampleRate)
{
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::string out = "RIFF";
    put(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    put(out, 16, 4);             // format chunk size
    put(out, 1, 2);              // PCM
    put(out, 1, 2);              // mono
    put(out, sampleRate, 4);
    put(out, sampleRate * 2, 4); // bytes per second
    put(out, 2, 2);              // bytes per sample frame
    put(out, 16, 2);             // bits per sample
    out += "data";
    put(out, dataBytes, 4);
    for (std::int16_t sample : samples)
        put(out, static_cast<std::uint16_t>(sample), 2);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(out.data(), static_cast<std::streamsize>(out.size()));
    if (!file.flush())
        throw std::runtime_error("cannot write " + path);
}

} // namespace tools::media
