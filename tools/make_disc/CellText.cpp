#include "CellText.h"

#include <algorithm>

namespace makedisc {

namespace {

// The length of the space at the start (or, with `atEnd`, the end) of the text; 0 for none.
std::size_t spaceLength(std::string_view text, bool atEnd)
{
    for (std::string_view space : {" ", "\t", "\r", "\n", "\xC2\xA0", "\xE3\x80\x80"})
        if (atEnd ? text.ends_with(space) : text.starts_with(space))
            return space.size();
    return 0;
}

} // namespace

std::string TrimCell(std::string_view text)
{
    while (std::size_t n = spaceLength(text, false))
        text.remove_prefix(n);
    while (std::size_t n = spaceLength(text, true))
        text.remove_suffix(n);
    return std::string(text);
}

std::size_t CharacterCount(std::string_view utf8)
{
    return std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
}

} // namespace makedisc
