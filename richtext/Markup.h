#pragma once
#include "platform/MessageBoxes.h"

#include <string>
#include <string_view>

namespace richtext {

enum class TokenKind {
    End = -1,          // no further tag
    OpeningWithRun = 0,
    Opening = 1,       // opening tag with no text after it
    Closing = 2,
};

struct Token {
    std::string name;       // without the "/" of a closing tag
    std::string attributes;
    std::string run;        // the text after the tag
};

// Takes the next tag and the text run after it off the front of `source`.
// Text before the first tag is skipped; a "<" without a ">" after it ends
// the source.
TokenKind NextToken(std::string_view& source, Token& token);

// The value of attribute `name` in a NAME=value list: the first occurrence
// of name + "=" in any letter case, a value in double quotes may hold
// spaces. An empty value is a syntax error, reported by a message box.
std::string GetAttr(std::string_view attributes, std::string_view name, platform::MessageBoxes& messages);

} // namespace richtext
