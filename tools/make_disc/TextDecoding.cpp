#include "TextDecoding.h"
#include "CellText.h"
#include "base/Encoding.h"
#include "base/Text.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iconv.h>
#include <sstream>
#include <stdexcept>

namespace makedisc {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

class Decoder {
public:
    explicit Decoder(TextEncoding encoding) : cd_(iconv_open("UTF-8", NameOf(encoding)))
    {
        if (cd_ == iconv_t(-1))
            throw std::runtime_error(std::string("this system cannot decode ") + NameOf(encoding));
    }
    ~Decoder() { iconv_close(cd_); }
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;

    // The text as UTF-8; where in it the first bad byte stands, if any.
    std::string decode(std::string_view line, std::optional<std::size_t>& badAt)
    {
        std::string out;
        char* in = const_cast<char*>(line.data());
        std::size_t inLeft = line.size();
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        while (inLeft > 0) {
            char buffer[4096];
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = iconv(cd_, &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer, outPtr);
            if (result != std::size_t(-1) || errno == E2BIG)
                continue;
            if (!badAt)
                badAt = out.size();
            base::appendUtf8(out, 0xFFFD);
            ++in;
            --inLeft;
        }
        return out;
    }

private:
    iconv_t cd_;
};

// The line and column of a place in decoded text whose first line is `firstLine`.
BadLine badLineAt(const std::string& text, std::size_t at, int firstLine)
{
    const std::string_view before(text.data(), at);
    const std::size_t lineStart = before.rfind('\n') == std::string_view::npos ? 0 : before.rfind('\n') + 1;
    return {firstLine + int(std::count(before.begin(), before.end(), '\n')),
            int(CharacterCount(before.substr(lineStart))) + 1};
}

} // namespace

std::optional<TextEncoding> EncodingNamed(std::string_view name)
{
    for (std::string_view utf8 : {"utf-8", "utf8"})
        if (base::equalsNoCase(name, utf8))
            return TextEncoding::Utf8;
    for (std::string_view gb : {"gb18030", "gbk", "gb2312"})
        if (base::equalsNoCase(name, gb))
            return TextEncoding::Gb18030;
    for (std::string_view utf16 : {"utf-16", "utf16"})
        if (base::equalsNoCase(name, utf16))
            return TextEncoding::Utf16;
    return std::nullopt;
}

const char* NameOf(TextEncoding encoding)
{
    return encoding == TextEncoding::Utf8 ? "UTF-8" : encoding == TextEncoding::Utf16 ? "UTF-16" : "GB18030";
}

std::optional<std::string> ReadFileBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    if (in)
        bytes << in.rdbuf();
    return in ? std::optional(bytes.str()) : std::nullopt;
}

TextEncoding DetectEncoding(std::string_view bytes)
{
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
        return TextEncoding::Utf16;
    return bytes.starts_with(kByteOrderMark) || base::isValidUtf8(bytes) ? TextEncoding::Utf8
                                                                              : TextEncoding::Gb18030;
}

DecodedText DecodeText(std::string_view bytes, TextEncoding encoding)
{
    if (encoding == TextEncoding::Utf16) {
        // Its line feeds are two bytes: decoded whole, then read as UTF-8 line by line.
        std::optional<std::size_t> badAt;
        const std::string utf8 = Decoder(encoding).decode(bytes, badAt);
        DecodedText text = DecodeText(utf8, TextEncoding::Utf8);
        text.encoding = encoding;
        text.byteOrderMark = true;
        if (badAt)
            text.badLines.insert(text.badLines.begin(), badLineAt(utf8, *badAt, 1));
        return text;
    }
    DecodedText text{{}, encoding, false, {}};
    if (encoding == TextEncoding::Utf8 && bytes.starts_with(kByteOrderMark)) {
        bytes.remove_prefix(kByteOrderMark.size());
        text.byteOrderMark = true;
    }
    Decoder decoder(encoding);
    int lineNumber = 1;
    for (std::size_t start = 0; start <= bytes.size(); ++lineNumber) {
        // No byte of a GB18030 or UTF-8 sequence is a line feed but the line feed itself.
        const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
        std::optional<std::size_t> badAt;
        const std::string line = decoder.decode(bytes.substr(start, end - start), badAt);
        if (badAt)
            text.badLines.push_back(badLineAt(line, *badAt, lineNumber));
        text.utf8 += (lineNumber > 1 ? "\n" : "") + line;
        start = end + 1;
    }
    return text;
}

} // namespace makedisc
