#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace makedisc {

// The encodings a books file comes in: UTF-8, with or without a byte-order
// mark, GB18030 (which holds GB2312 and GBK), as Chinese office suites save
// text, or UTF-16 with its byte-order mark, as spreadsheets save "Unicode text".
enum class TextEncoding { Utf8, Gb18030, Utf16 };

std::optional<TextEncoding> EncodingNamed(std::string_view name);
const char* NameOf(TextEncoding encoding);

// A line whose bytes are not text in the file's encoding.
struct BadLine {
    int line;   // from 1
    int column; // the character at which decoding failed, from 1
};

struct DecodedText {
    std::string utf8; // lines joined by "\n"; an undecodable byte stands as U+FFFD
    TextEncoding encoding;
    bool byteOrderMark = false;
    std::vector<BadLine> badLines;
};

// The bytes of a file; nothing, with errno telling why, when it cannot be read.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& file);

// UTF-16 or UTF-8 when the bytes start with its byte-order mark, UTF-8 when
// they are valid UTF-8, otherwise GB18030.
TextEncoding DetectEncoding(std::string_view bytes);

// Decodes line by line, so that a bad byte spoils only its own line.
DecodedText DecodeText(std::string_view bytes, TextEncoding encoding);

} // namespace makedisc
