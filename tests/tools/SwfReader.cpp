#include "SwfReader.h"

#include <fstream>
#include <iterator>
#include <tuple>
#include <stdexcept>
#include <zlib.h>

namespace testsupport {
namespace {

class Cursor {
public:
    explicit Cursor(const std::vector<std::uint8_t>& data, std::size_t start = 0) : data_(data), pos_(start) {}

    unsigned u8()
    {
        bitCount_ = 0;
        if (pos_ >= data_.size())
            throw std::runtime_error("read past the end");
        return data_[pos_++];
    }
    unsigned u16() { unsigned lo = u8(); return lo | (u8() << 8); }
    std::uint32_t u32() { std::uint32_t lo = u16(); return lo | (std::uint32_t(u16()) << 16); }
    std::string string()
    {
        std::string s;
        for (unsigned c = u8(); c != 0; c = u8())
            s.push_back(static_cast<char>(c));
        return s;
    }
    std::uint32_t ubits(int n)
    {
        std::uint32_t v = 0;
        for (int i = 0; i < n; ++i) {
            if (bitCount_ == 0) {
                if (pos_ >= data_.size())
                    throw std::runtime_error("bits past the end");
                bits_ = data_[pos_++];
                bitCount_ = 8;
            }
            v = (v << 1) | ((bits_ >> --bitCount_) & 1);
        }
        return v;
    }
    std::int32_t sbits(int n)
    {
        std::uint32_t v = ubits(n);
        if (n > 0 && n < 32 && (v >> (n - 1)) & 1)
            v |= ~0u << n;
        return static_cast<std::int32_t>(v);
    }
    void align() { bitCount_ = 0; }
    std::size_t pos() const { return pos_; }
    bool atEnd() const { return pos_ >= data_.size(); }
    std::vector<std::uint8_t> rest() { return {data_.begin() + static_cast<std::ptrdiff_t>(pos_), data_.end()}; }

private:
    const std::vector<std::uint8_t>& data_;
    std::size_t pos_;
    std::uint8_t bits_ = 0;
    int bitCount_ = 0;
};

std::vector<std::uint8_t> inflate(const std::vector<std::uint8_t>& in, std::size_t expected)
{
    std::vector<std::uint8_t> out(expected);
    uLongf size = expected;
    if (uncompress(out.data(), &size, in.data(), in.size()) != Z_OK)
        throw std::runtime_error("bad zlib data");
    out.resize(size);
    return out;
}

// Skips a matrix and returns its translation.
std::pair<int, int> matrixTranslation(Cursor& c)
{
    if (c.ubits(1)) {
        int n = static_cast<int>(c.ubits(5));
        c.sbits(n);
        c.sbits(n);
    }
    if (c.ubits(1)) {
        int n = static_cast<int>(c.ubits(5));
        c.sbits(n);
        c.sbits(n);
    }
    int n = static_cast<int>(c.ubits(5));
    int x = c.sbits(n);
    int y = c.sbits(n);
    c.align();
    return {x, y};
}

std::vector<int> rect(Cursor& c)
{
    int n = static_cast<int>(c.ubits(5));
    std::vector<int> r;
    for (int i = 0; i < 4; ++i)
        r.push_back(c.sbits(n));
    c.align();
    return r;
}

void readActionRecords(Cursor& c, SwfActions& out)
{
    for (unsigned code = c.u8(); code != 0; code = c.u8()) {
        unsigned length = code >= 0x80 ? c.u16() : 0;
        std::size_t end = c.pos() + length;
        if (code == 0x83) {
            SwfGetUrl g;
            g.url = c.string();
            g.target = c.string();
            out.getUrls.push_back(g);
        } else if (code == 0x07) {
            out.stops = true;
        }
        while (c.pos() < end)
            c.u8();
        if (c.pos() != end)
            throw std::runtime_error("action length does not match its fields");
    }
}

} // namespace

SwfFile readSwf(const std::vector<std::uint8_t>& file)
{
    if (file.size() < 8)
        throw std::runtime_error("too short for a header");
    SwfFile swf;
    std::copy(file.begin(), file.begin() + 3, swf.signature);
    swf.version = file[3];
    Cursor head(file, 4);
    swf.declaredLength = head.u32();
    std::vector<std::uint8_t> rest(file.begin() + 8, file.end());
    if (swf.signature[0] == 'C')
        rest = inflate(rest, swf.declaredLength);
    else if (swf.signature[0] != 'F')
        throw std::runtime_error("unknown signature");
    swf.uncompressedLength = 8 + rest.size();

    Cursor c(rest);
    std::vector<int> stage = rect(c);
    swf.xMin = stage[0];
    swf.xMax = stage[1];
    swf.yMin = stage[2];
    swf.yMax = stage[3];
    swf.frameRate88 = c.u16();
    swf.frameCount = c.u16();
    while (!c.atEnd()) {
        unsigned header = c.u16();
        SwfTag tag;
        tag.code = header >> 6;
        std::uint32_t length = header & 0x3F;
        if (length == 0x3F) {
            length = c.u32();
            tag.longHeader = true;
        }
        for (std::uint32_t i = 0; i < length; ++i)
            tag.body.push_back(static_cast<std::uint8_t>(c.u8()));
        swf.tags.push_back(std::move(tag));
        if (swf.tags.back().code == 0)
            break;
    }
    if (!c.atEnd())
        throw std::runtime_error("bytes after the end tag");
    return swf;
}

SwfFile readSwfFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path);
    return readSwf(std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {}));
}

SwfButton readButton2(const SwfTag& tag)
{
    Cursor c(tag.body);
    SwfButton b;
    b.id = c.u16();
    c.u8();
    std::size_t offsetField = c.pos();
    unsigned actionOffset = c.u16();
    for (unsigned flags = c.u8(); flags != 0; flags = c.u8()) {
        unsigned id = c.u16();
        c.u16(); // depth
        matrixTranslation(c);
        c.u8(); // colour transform without terms
        b.looks.push_back({flags & 0x0F, id});
    }
    if (c.pos() != offsetField + actionOffset)
        throw std::runtime_error("the action offset does not point at the conditions");
    unsigned size = c.u16();
    if (size != 0)
        throw std::runtime_error("expected a single condition");
    b.condition = c.u16();
    SwfActions actions;
    readActionRecords(c, actions);
    b.actions = actions.getUrls;
    return b;
}

SwfActions readDoAction(const SwfTag& tag)
{
    Cursor c(tag.body);
    SwfActions actions;
    readActionRecords(c, actions);
    return actions;
}

SwfPlacement readPlaceObject2(const SwfTag& tag)
{
    Cursor c(tag.body);
    unsigned flags = c.u8();
    SwfPlacement p;
    p.move = flags & 0x01;
    p.depth = c.u16();
    if (flags & 0x02)
        p.characterId = static_cast<int>(c.u16());
    if (flags & 0x04)
        std::tie(p.xTwips, p.yTwips) = matrixTranslation(c);
    return p;
}

SwfBitmap readLossless2(const SwfTag& tag)
{
    Cursor c(tag.body);
    SwfBitmap b;
    b.id = c.u16();
    if (c.u8() != 5)
        throw std::runtime_error("not a 32-bit bitmap");
    b.width = static_cast<int>(c.u16());
    b.height = static_cast<int>(c.u16());
    b.argb = inflate(c.rest(), static_cast<std::size_t>(b.width) * b.height * 4);
    return b;
}

std::vector<int> readShapeBounds(const SwfTag& tag)
{
    Cursor c(tag.body);
    std::vector<int> result{static_cast<int>(c.u16())};
    for (int v : rect(c))
        result.push_back(v);
    return result;
}

std::vector<SwfTag> tagsWithCode(const SwfFile& file, unsigned code)
{
    std::vector<SwfTag> found;
    for (const SwfTag& t : file.tags)
        if (t.code == code)
            found.push_back(t);
    return found;
}

} // namespace testsupport
