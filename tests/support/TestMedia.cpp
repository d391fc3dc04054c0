#include "TestMedia.h"

#include <cmath>
#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace testsupport {

namespace {

constexpr int kSampleRate = 8000;

class Bytes {
public:
    void u16(std::uint32_t v) { data.push_back(char(v & 0xFF)), data.push_back(char((v >> 8) & 0xFF)); }
    void u32(std::uint32_t v) { u16(v & 0xFFFF), u16(v >> 16); }
    void fourcc(const char* c) { data.append(c, 4); }
    void append(const std::string& bytes) { data += bytes; }
    // A chunk: its id, its size and its data, padded to an even length.
    void chunk(const char* id, const std::string& body)
    {
        fourcc(id);
        u32(std::uint32_t(body.size()));
        append(body);
        if (body.size() % 2)
            data.push_back('\0');
    }
    void list(const char* type, const std::string& body)
    {
        Bytes b;
        b.fourcc(type);
        b.append(body);
        chunk("LIST", b.data);
    }
    std::string data;
};

std::string streamHeader(const char* type, const char* handler, std::uint32_t scale, std::uint32_t rate,
                         std::uint32_t length, std::uint32_t bufferSize, std::uint32_t sampleSize, int w, int h)
{
    Bytes s;
    s.fourcc(type);
    s.fourcc(handler);
    s.u32(0), s.u16(0), s.u16(0), s.u32(0);
    s.u32(scale), s.u32(rate), s.u32(0), s.u32(length), s.u32(bufferSize);
    s.u32(0xFFFFFFFF), s.u32(sampleSize);
    s.u16(0), s.u16(0), s.u16(std::uint32_t(w)), s.u16(std::uint32_t(h));
    return s.data;
}

std::string pcmFormat()
{
    Bytes f;
    f.u16(1), f.u16(1), f.u32(kSampleRate), f.u32(kSampleRate * 2), f.u16(2), f.u16(16);
    return f.data;
}

std::string toneSamples(int count, double amplitude)
{
    Bytes s;
    for (int i = 0; i < count; ++i)
        s.u16(std::uint32_t(std::int16_t(amplitude * std::sin(2 * M_PI * 440.0 * i / kSampleRate))) & 0xFFFF);
    return s.data;
}

std::string frameBytes(const TestMovie& m, int index)
{
    const int stride = (m.width * 3 + 3) & ~3;
    std::string pixels(std::size_t(stride) * m.height, '\0');
    const char blue = char(40 * index), green = char(255 - 12 * index), red = char(90 + 7 * index);
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x) {
            char* p = &pixels[std::size_t(y) * stride + std::size_t(x) * 3];
            p[0] = blue, p[1] = green, p[2] = red;
        }
    return pixels;
}

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

} // namespace

void writeTestAvi(const std::string& path, const TestMovie& m)
{
    const std::uint32_t frameSize = std::uint32_t(((m.width * 3 + 3) & ~3) * m.height);
    const int samplesPerFrame = kSampleRate / m.framesPerSecond;
    const int streams = m.withSound ? 2 : 1;

    Bytes movi, index;
    std::uint32_t offset = 4;
    auto add = [&](const char* id, const std::string& body) {
        index.fourcc(id), index.u32(0x10), index.u32(offset), index.u32(std::uint32_t(body.size()));
        movi.chunk(id, body);
        offset += 8 + std::uint32_t((body.size() + 1) & ~std::size_t(1));
    };
    for (int i = 0; i < m.frames; ++i) {
        add("00db", frameBytes(m, i));
        if (m.withSound)
            add("01wb", toneSamples(samplesPerFrame, 0));
    }

    Bytes avih;
    avih.u32(std::uint32_t(1000000 / m.framesPerSecond)), avih.u32(frameSize * m.framesPerSecond);
    avih.u32(0), avih.u32(0x10), avih.u32(std::uint32_t(m.frames)), avih.u32(0), avih.u32(std::uint32_t(streams));
    avih.u32(frameSize), avih.u32(std::uint32_t(m.width)), avih.u32(std::uint32_t(m.height));
    avih.u32(0), avih.u32(0), avih.u32(0), avih.u32(0);

    Bytes bitmap;
    bitmap.u32(40), bitmap.u32(std::uint32_t(m.width)), bitmap.u32(std::uint32_t(m.height));
    bitmap.u16(1), bitmap.u16(24), bitmap.u32(0), bitmap.u32(frameSize);
    bitmap.u32(0), bitmap.u32(0), bitmap.u32(0), bitmap.u32(0);

    Bytes videoList;
    videoList.chunk("strh", streamHeader("vids", "DIB ", 1, std::uint32_t(m.framesPerSecond), std::uint32_t(m.frames),
                                         frameSize, 0, m.width, m.height));
    videoList.chunk("strf", bitmap.data);

    Bytes header;
    header.chunk("avih", avih.data);
    header.list("strl", videoList.data);
    if (m.withSound) {
        Bytes audioList;
        audioList.chunk("strh", streamHeader("auds", "\0\0\0\0", 1, kSampleRate,
                                             std::uint32_t(samplesPerFrame * m.frames), 2 * samplesPerFrame, 2, 0, 0));
        audioList.chunk("strf", pcmFormat());
        header.list("strl", audioList.data);
    }

    Bytes body;
    body.fourcc("AVI ");
    body.list("hdrl", header.data);
    body.list("movi", movi.data);
    body.chunk("idx1", index.data);
    Bytes file;
    file.chunk("RIFF", body.data);
    writeFile(path, file.data);
}

void writeTestWav(const std::string& path, double seconds)
{
    const std::string samples = toneSamples(int(seconds * kSampleRate), 3000);
    Bytes body;
    body.fourcc("WAVE");
    body.chunk("fmt ", pcmFormat());
    body.chunk("data", samples);
    Bytes file;
    file.chunk("RIFF", body.data);
    writeFile(path, file.data);
}

} // namespace testsupport
