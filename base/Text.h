#pragma once
#include <string>
#include <string_view>

namespace base {

// Text helpers over UTF-8. Letter case is folded for ASCII letters only,
// which leaves multi-byte characters intact; positions are byte offsets.

std::string trimSpaces(std::string_view text);
std::string toUpperAscii(std::string_view text);
// First position of `needle` at or after `from`, ignoring ASCII letter case;
// npos when absent.
std::size_t findNoCase(std::string_view haystack, std::string_view needle, std::size_t from = 0);
bool equalsNoCase(std::string_view a, std::string_view b);
// The text in double quotes with each quote inside doubled, as SQL writes a
// name and a CSV file a field.
std::string doubleQuoted(std::string_view text);

} // namespace base
