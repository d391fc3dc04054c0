#include "Encoding.h"

#include <array>
#include <bitset>
#include <cerrno>
#include <iconv.h>
#include <memory>

namespace base {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

std::string convertWithIconv(std::string_view bytes, const char* from)
{
    iconv_t cd = iconv_open("UTF-8", from);
    if (cd == iconv_t(-1))
        return std::string(bytes);
    std::string out;
    out.resize(bytes.size() * 2 + 16);
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    std::size_t done = 0;
    while (inLeft > 0) {
        char* outPtr = out.data() + done;
        std::size_t outLeft = out.size() - done;
        std::size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        done = out.size() - outLeft;
        if (r != std::size_t(-1))
            break;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
        } else {
            // An undecodable byte becomes U+FFFD; decoding goes on after it.
            std::string repl;
            appendUtf8(repl, kReplacement);
            out.resize(std::max(out.size(), done + repl.size() + 16));
            out.replace(done, repl.size(), repl);
            done += repl.size();
            ++in;
            --inLeft;
        }
    }
    iconv_close(cd);
    out.resize(done);
    return out;
}

struct WideTable {
    std::bitset<0x10000> wide;
    WideTable()
    {
        iconv_t cd = iconv_open("UTF-32LE", "GB2312");
        if (cd == iconv_t(-1))
            return;
        for (int hi = 0xA1; hi <= 0xF7; ++hi) {
            for (int lo = 0xA1; lo <= 0xFE; ++lo) {
                std::array<char, 2> src{char(hi), char(lo)};
                std::array<unsigned char, 4> dst{};
                char* in = src.data();
                char* outp = reinterpret_cast<char*>(dst.data());
                std::size_t inLeft = 2, outLeft = 4;
                if (iconv(cd, &in, &inLeft, &outp, &outLeft) != std::size_t(-1) && outLeft == 0) {
                    char32_t cp = dst[0] | (dst[1] << 8) | (dst[2] << 16) | (char32_t(dst[3]) << 24);
                    if (cp < 0x10000)
                        wide.set(cp);
                }
                iconv(cd, nullptr, nullptr, nullptr, nullptr);
            }
        }
        iconv_close(cd);
    }
};

} // namespace

char32_t nextCodePoint(std::string_view text, std::size_t& pos)
{
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char lead = byte(pos);
    int extra = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        ++pos;
        return kReplacement;
    }
    if (pos + extra >= text.size()) {
        ++pos;
        return kReplacement;
    }
    for (int i = 1; i <= extra; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80) {
            ++pos;
            return kReplacement;
        }
        cp = (cp << 6) | (byte(pos + i) & 0x3F);
    }
    pos += extra + 1;
    return cp;
}

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

bool isValidUtf8(std::string_view bytes)
{
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t before = pos;
        char32_t cp = nextCodePoint(bytes, pos);
        if (cp == kReplacement) {
            // A literal U+FFFD is valid; a decoding failure consumed one byte only.
            if (pos - before != 3)
                return false;
        }
    }
    return true;
}

std::string decodeTextFileBytes(std::string_view bytes)
{
    static constexpr std::string_view bom = "\xEF\xBB\xBF";
    if (bytes.substr(0, 3) == bom)
        return std::string(bytes.substr(3));
    if (isValidUtf8(bytes))
        return std::string(bytes);
    return convertWithIconv(bytes, "GB18030");
}

bool isWideChar(char32_t cp)
{
    static const WideTable table;
    return cp < 0x10000 && table.wide.test(cp);
}

} // namespace base
