#pragma once
#include <string>
#include <string_view>

namespace makedisc {

// Text of a cell without the spaces around it: ASCII spaces and tabs, line
// breaks, no-break spaces and the ideographic space that Chinese input
// methods type.
std::string TrimCell(std::string_view text);

// The number of characters of UTF-8 text.
std::size_t CharacterCount(std::string_view utf8);

} // namespace makedisc
