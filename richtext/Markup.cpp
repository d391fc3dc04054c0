#include "Markup.h"
#include "TextScan.h"
#include "base/Text.h"

namespace richtext {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// A closing tag keeps its run only when text stands before the next tag;
// text after the last closing tag is dropped.
TokenKind takeClosing(std::string_view body, std::string_view& source, Token& token)
{
    token.name.erase(0, 1);
    token.attributes = std::string(body.substr(bytesOfCharacters(body, 2)));
    const std::size_t next = source.find('<');
    if (next != npos && next > 0) {
        token.run = std::string(source.substr(0, next));
        source.remove_prefix(next);
    }
    return TokenKind::Closing;
}

TokenKind takeOpening(std::string_view body, std::size_t nameEnd, std::string_view& source, Token& token)
{
    if (nameEnd != npos)
        token.attributes = std::string(body.substr(nameEnd + 1));
    if (source.empty() || source.front() == '<')
        return TokenKind::Opening;
    const std::size_t next = source.find('<');
    token.run = std::string(source.substr(0, next));
    source.remove_prefix(next == npos ? source.size() : next);
    return TokenKind::OpeningWithRun;
}

// The 1-based character position in `rest` of what ends the value: the
// closing quote of a quoted value, else the first space; 0 when absent.
std::size_t valueEnd(std::string_view rest)
{
    const std::size_t stop = (!rest.empty() && rest.front() == '"') ? rest.find('"', 1) : rest.find(' ');
    return stop == npos ? 0 : characterPosition(rest, stop);
}

std::string stripQuotes(std::string_view value)
{
    if (!value.empty() && value.front() == '"')
        value.remove_prefix(1);
    if (!value.empty() && value.back() == '"')
        value.remove_suffix(1);
    return std::string(value);
}

} // namespace

TokenKind NextToken(std::string_view& source, Token& token)
{
    token = Token{};
    if (isSpacesOnly(source))
        return TokenKind::End;
    const std::size_t open = source.find('<');
    const std::size_t close = open == npos ? npos : source.find('>', open);
    if (close == npos)
        return TokenKind::End;

    const std::string_view body = trimLeft(source.substr(open + 1, close - open - 1));
    source = trimLeft(source.substr(close + 1));
    const std::size_t nameEnd = body.find(' ');
    token.name = std::string(body.substr(0, nameEnd));
    if (!token.name.empty() && token.name.front() == '/')
        return takeClosing(body, source, token);
    return takeOpening(body, nameEnd, source, token);
}

std::string GetAttr(std::string_view attributes, std::string_view name, platform::MessageBoxes& messages)
{
    const std::size_t found = base::findNoCase(attributes, std::string(name) + "=");
    if (found == npos)
        return {};
    const std::string_view after = attributes.substr(attributes.find('=', found) + 1);
    // The value ends at its closing quote, else at the first space, looked
    // for past the spaces after "=" but counted from right after the "=":
    // each such space cuts one character off a value that has such an end
    // ("A= xyz B=1" reads xy). A value running to the end of the attributes
    // is read whole. An unquoted value then loses its spaces at both ends
    // ("TYPE= SEN" and "TYPE=SEN " both read SEN); a quoted one keeps those
    // inside its quotes.
    const std::size_t end = valueEnd(trimLeft(after));
    const std::string_view raw = end == 0 ? after : after.substr(0, bytesOfCharacters(after, end - 1));
    const std::string_view unspaced = trimLeft(raw);
    std::string value = stripQuotes(!unspaced.empty() && unspaced.front() == '"' ? unspaced : trimRight(unspaced));
    if (value.empty())
        messages.ok(std::string(attributes) + "::语法错误 在属性" + std::string(name) + "中");
    return value;
}

} // namespace richtext
