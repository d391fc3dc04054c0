#include "TextDecoding.h"
#include "CellText.h"
#include "platform/Encoding.h"
#include "startup/Text.h"

#include <cerrno>
#include <iconv.h>
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

    // The line as UTF-8; the character position of its first bad byte, if any.
    std::string decode(std::string_view line, std::optional<int>& badColumn)
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
            if (!badColumn)
                badColumn = int(CharacterCount(out)) + 1;
            platform::appendUtf8(out, 0xFFFD);
            ++in;
            --inLeft;
        }
        return out;
    }

private:
    iconv_t cd_;
};

} // namespace

std::optional<TextEncoding> EncodingNamed(std::string_view name)
{
    for (std::string_view utf8 : {"utf-8", "utf8"})
        if (startup::equalsNoCase(name, utf8))
            return TextEncoding::Utf8;
    for (std::string_view gb : {"gb18030", "gbk", "gb2312"})
        if (startup::equalsNoCase(name, gb))
            return TextEncoding::Gb18030;
    return std::nullopt;
}

const char* NameOf(TextEncoding encoding) { return encoding == TextEncoding::Utf8 ? "UTF-8" : "GB18030"; }

TextEncoding DetectEncoding(std::string_view bytes)
{
    return bytes.starts_with(kByteOrderMark) || platform::isValidUtf8(bytes) ? TextEncoding::Utf8
                                                                              : TextEncoding::Gb18030;
}

DecodedText DecodeText(std::string_view bytes, TextEncoding encoding)
{
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
        std::optional<int> badColumn;
        if (lineNumber > 1)
            text.utf8 += '\n';
        text.utf8 += decoder.decode(bytes.substr(start, end - start), badColumn);
        if (badColumn)
            text.badLines.push_back({lineNumber, *badColumn});
        start = end + 1;
    }
    return text;
}

} // namespace makedisc
