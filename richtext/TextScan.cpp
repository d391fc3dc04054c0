#include "TextScan.h"
#include "base/Encoding.h"

namespace richtext {

bool isSpacesOnly(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

std::string_view trimLeft(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

std::string_view trimRight(std::string_view text)
{
    const std::size_t last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

std::string_view trim(std::string_view text) { return trimRight(trimLeft(text)); }

std::size_t bytesOfCharacters(std::string_view text, std::size_t count)
{
    std::size_t pos = 0;
    for (std::size_t i = 0; i < count && pos < text.size(); ++i)
        base::nextCodePoint(text, pos);
    return pos;
}

std::size_t characterPosition(std::string_view text, std::size_t offset)
{
    std::size_t pos = 0;
    std::size_t characters = 0;
    while (pos < offset && pos < text.size()) {
        base::nextCodePoint(text, pos);
        ++characters;
    }
    return characters + 1;
}

} // namespace richtext
