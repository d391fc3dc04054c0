#pragma once
#include <string>
#include <string_view>

namespace base {

// Text inside the system is UTF-8. Files may be GB2312 (read as its superset
// GB18030) or UTF-8 with or without a byte-order mark.
std::string decodeTextFileBytes(std::string_view bytes);
bool isValidUtf8(std::string_view bytes);

// Decodes the UTF-8 character starting at `pos` and moves `pos` past it.
// Malformed bytes decode as U+FFFD, one byte at a time.
char32_t nextCodePoint(std::string_view text, std::size_t& pos);
void appendUtf8(std::string& out, char32_t cp);

// True when GB2312 encodes the character in two bytes.
bool isWideChar(char32_t cp);

} // namespace base
