#pragma once
#include <string_view>

namespace richtext {

// Small helpers over UTF-8 text where positions count characters.

bool isSpacesOnly(std::string_view text);
std::string_view trimLeft(std::string_view text);
std::string_view trimRight(std::string_view text);
std::string_view trim(std::string_view text);
// The byte length of the first `count` characters (all of it when shorter).
std::size_t bytesOfCharacters(std::string_view text, std::size_t count);
// The 1-based character position of the byte offset `offset`.
std::size_t characterPosition(std::string_view text, std::size_t offset);

} // namespace richtext
