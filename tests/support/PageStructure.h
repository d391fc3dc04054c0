#pragma once
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

// Reads generated pages the way a browser would split them, strictly enough
// to tell whether a stored value changed a page's structure: a value that
// ends its string literal, opens a tag or starts an attribute changes the
// page's shape, and a value that cannot be read back whole is an error.

class PageSyntaxError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct ScriptToken {
    enum class Kind { Identifier, Number, String, Punctuator };
    Kind kind;
    // Strings: the value the literal stands for, escapes decoded, as UTF-8.
    // Others: the token's text.
    std::string text;
};

// The tokens of a script. Throws PageSyntaxError for a string or comment
// left open, a line break inside a string, an unknown escape or a character
// that no token of the generated pages can hold.
std::vector<ScriptToken> tokenizeScript(std::string_view script);

// The script's tokens with every string literal's content left out, one
// token a line: two scripts of the same shape differ only inside strings.
std::string scriptShape(std::string_view script);

struct HtmlAttribute {
    std::string name;
    std::string value; // entities decoded
};

struct HtmlNode {
    enum class Kind { StartTag, EndTag, Text, Script };
    Kind kind;
    std::string name; // tags: the name as written
    std::vector<HtmlAttribute> attributes;
    std::string text; // text: entities decoded; script: the raw content
};

// The nodes of an HTML fragment. A script element's content is one Script
// node, read up to its closing tag. Throws PageSyntaxError for a '<' that
// starts no tag, a tag or quoted value left open, or a script element
// left open.
std::vector<HtmlNode> parseHtml(std::string_view html);

// The fragment's tags with their attribute names, one a line; text stands as
// one placeholder, attribute values are left out except those of event
// handlers ("on..."), which are given by their script shape, as are script
// elements.
std::string htmlShape(std::string_view html);

// The texts of the fragment's text nodes, decoded, in order.
std::vector<std::string> htmlTexts(std::string_view html);

} // namespace testsupport
