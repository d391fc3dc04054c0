#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

// The text cut at every separator; the last piece is what follows the last
// separator, empty when the text ends with one.
inline std::vector<std::string> splitAt(std::string_view text, char separator)
{
    std::vector<std::string> pieces;
    std::size_t from = 0;
    for (std::size_t at = text.find(separator); at != std::string_view::npos; at = text.find(separator, from)) {
        pieces.emplace_back(text.substr(from, at - from));
        from = at + 1;
    }
    pieces.emplace_back(text.substr(from));
    return pieces;
}

} // namespace testsupport
