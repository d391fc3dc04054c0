#include "PageStructure.h"
#include "base/Encoding.h"
#include "base/Text.h"

#include <cstdint>

namespace testsupport {

namespace {

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isHexDigit(char c) { return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool isIdentifierStart(char c) { return isAsciiLetter(c) || c == '_' || c == '$'; }
bool isIdentifierPart(char c) { return isIdentifierStart(c) || isDigit(c); }

std::uint32_t hexValue(std::string_view digits)
{
    std::uint32_t value = 0;
    for (char c : digits) {
        if (!isHexDigit(c))
            throw PageSyntaxError("not a hexadecimal digit in an escape: " + std::string(digits));
        value = value * 16 + std::uint32_t(isDigit(c) ? c - '0' : (c | 0x20) - 'a' + 10);
        if (value > 0x10FFFF)
            throw PageSyntaxError("an escape beyond the last character");
    }
    return value;
}

// A script read as a browser's script engine reads it, for the tokens the
// generated pages use: names, whole and decimal numbers, quoted strings and
// one-character punctuators.
class ScriptLexer {
public:
    explicit ScriptLexer(std::string_view script) : s_(script) {}

    std::vector<ScriptToken> tokens()
    {
        std::vector<ScriptToken> result;
        for (skipSpaceAndComments(); pos_ < s_.size(); skipSpaceAndComments())
            result.push_back(next());
        return result;
    }

private:
    // The length of the line terminator at `at`, 0 when there is none.
    std::size_t lineTerminatorAt(std::size_t at) const
    {
        if (at >= s_.size())
            return 0;
        if (s_[at] == '\n')
            return 1;
        if (s_[at] == '\r')
            return at + 1 < s_.size() && s_[at + 1] == '\n' ? 2 : 1;
        // U+2028 and U+2029.
        if (s_.substr(at, 3) == "\xE2\x80\xA8" || s_.substr(at, 3) == "\xE2\x80\xA9")
            return 3;
        return 0;
    }

    bool startsWith(std::string_view text) const { return s_.substr(pos_, text.size()) == text; }

    void skipLine()
    {
        while (pos_ < s_.size() && lineTerminatorAt(pos_) == 0)
            ++pos_;
    }

    void skipSpaceAndComments()
    {
        while (pos_ < s_.size()) {
            const char c = s_[pos_];
            if (std::size_t n = lineTerminatorAt(pos_)) {
                pos_ += n;
                atLineStart_ = true;
            } else if (c == ' ' || c == '\t' || c == '\v' || c == '\f') {
                ++pos_;
            } else if (startsWith("//") || startsWith("<!--") || (atLineStart_ && startsWith("-->"))) {
                // Browsers read "<!--" anywhere and "-->" at a line's start
                // as the start of a line comment.
                skipLine();
            } else if (startsWith("/*")) {
                const std::size_t end = s_.find("*/", pos_ + 2);
                if (end == std::string_view::npos)
                    throw PageSyntaxError("a comment left open");
                for (std::size_t i = pos_; i < end; ++i)
                    atLineStart_ = atLineStart_ || lineTerminatorAt(i) > 0;
                pos_ = end + 2;
            } else {
                return;
            }
        }
    }

    ScriptToken next()
    {
        atLineStart_ = false;
        const char c = s_[pos_];
        if (c == '\'' || c == '"')
            return readString(c);
        if (isIdentifierStart(c))
            return readWhile(ScriptToken::Kind::Identifier, isIdentifierPart);
        if (isDigit(c) || (c == '.' && pos_ + 1 < s_.size() && isDigit(s_[pos_ + 1])))
            return readNumber();
        if (std::string_view("{}()[];,.<>=!+-*/%&|^~?:").find(c) != std::string_view::npos) {
            ++pos_;
            return {ScriptToken::Kind::Punctuator, std::string(1, c)};
        }
        throw PageSyntaxError("a character no script token holds, at " + std::to_string(pos_));
    }

    ScriptToken readWhile(ScriptToken::Kind kind, bool (*belongs)(char))
    {
        const std::size_t start = pos_;
        while (pos_ < s_.size() && belongs(s_[pos_]))
            ++pos_;
        return {kind, std::string(s_.substr(start, pos_ - start))};
    }

    ScriptToken readNumber()
    {
        const std::size_t start = pos_;
        bool point = false;
        while (pos_ < s_.size() && (isDigit(s_[pos_]) || (s_[pos_] == '.' && !point))) {
            point = point || s_[pos_] == '.';
            ++pos_;
        }
        if (pos_ < s_.size() && isIdentifierPart(s_[pos_]))
            throw PageSyntaxError("a name straight after a number");
        return {ScriptToken::Kind::Number, std::string(s_.substr(start, pos_ - start))};
    }

    ScriptToken readString(char quote)
    {
        ++pos_;
        std::string value;
        while (true) {
            if (pos_ >= s_.size())
                throw PageSyntaxError("a string left open");
            if (lineTerminatorAt(pos_))
                throw PageSyntaxError("a line break inside a string");
            const char c = s_[pos_++];
            if (c == quote)
                return {ScriptToken::Kind::String, value};
            if (c == '\\')
                readEscape(value);
            else
                value += c;
        }
    }

    void readEscape(std::string& value)
    {
        if (std::size_t n = lineTerminatorAt(pos_)) {
            pos_ += n; // a line continuation stands for nothing
            return;
        }
        if (pos_ >= s_.size())
            throw PageSyntaxError("a string left open after a backslash");
        const char c = s_[pos_++];
        switch (c) {
        case 'n': value += '\n'; return;
        case 'r': value += '\r'; return;
        case 't': value += '\t'; return;
        case 'b': value += '\b'; return;
        case 'f': value += '\f'; return;
        case 'v': value += '\v'; return;
        case 'x': base::appendUtf8(value, hexValue(take(2))); return;
        case 'u': base::appendUtf8(value, readUnicodeEscape()); return;
        case '0':
            if (pos_ < s_.size() && isDigit(s_[pos_]))
                throw PageSyntaxError("an octal escape");
            value += '\0';
            return;
        default:
            if (isDigit(c))
                throw PageSyntaxError("an octal escape");
            // Any other escaped character stands for itself.
            value += c;
        }
    }

    std::string_view take(std::size_t count)
    {
        if (pos_ + count > s_.size())
            throw PageSyntaxError("an escape cut short");
        const std::string_view digits = s_.substr(pos_, count);
        pos_ += count;
        return digits;
    }

    char32_t readUnicodeEscape()
    {
        if (pos_ < s_.size() && s_[pos_] == '{') {
            const std::size_t close = s_.find('}', pos_);
            if (close == std::string_view::npos || close == pos_ + 1)
                throw PageSyntaxError("a code point escape left open");
            const std::string_view digits = s_.substr(pos_ + 1, close - pos_ - 1);
            pos_ = close + 1;
            return hexValue(digits);
        }
        const std::uint32_t unit = hexValue(take(4));
        if (unit < 0xD800 || unit > 0xDFFF)
            return unit;
        // A surrogate pair stands for one character; half of one is not text.
        if (unit > 0xDBFF || take(2) != "\\u")
            throw PageSyntaxError("half a surrogate pair");
        const std::uint32_t low = hexValue(take(4));
        if (low < 0xDC00 || low > 0xDFFF)
            throw PageSyntaxError("half a surrogate pair");
        return 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
    }

    std::string_view s_;
    std::size_t pos_ = 0;
    bool atLineStart_ = true;
};

bool isHtmlSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

// The character references the pages may hold; any other "&name;" or "&#"
// is something the checker cannot read the way a browser does.
void appendReference(std::string& out, std::string_view text, std::size_t& pos)
{
    static const std::pair<std::string_view, std::string_view> named[] = {
        {"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&nbsp;", "\xC2\xA0"}};
    for (const auto& [reference, character] : named) {
        if (text.substr(pos, reference.size()) == reference) {
            out += character;
            pos += reference.size();
            return;
        }
    }
    const std::size_t end = text.find(';', pos);
    if (text.substr(pos, 2) == "&#" && end != std::string_view::npos && end > pos + 2) {
        const bool hex = text[pos + 2] == 'x' || text[pos + 2] == 'X';
        const std::string_view digits = text.substr(pos + (hex ? 3 : 2), end - pos - (hex ? 3 : 2));
        std::uint32_t value = 0;
        if (hex) {
            value = hexValue(digits);
        } else {
            for (char c : digits) {
                if (!isDigit(c) || value > 0x10FFFF)
                    throw PageSyntaxError("a numeric reference the checker cannot read");
                value = value * 10 + std::uint32_t(c - '0');
            }
        }
        if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
            throw PageSyntaxError("a numeric reference to no character");
        base::appendUtf8(out, value);
        pos = end + 1;
        return;
    }
    if (pos + 1 < text.size() && (isAsciiLetter(text[pos + 1]) || text[pos + 1] == '#'))
        throw PageSyntaxError("a character reference the checker cannot read: " + std::string(text.substr(pos, 12)));
    out += '&';
    ++pos;
}

std::string decodeReferences(std::string_view text)
{
    std::string out;
    for (std::size_t pos = 0; pos < text.size();) {
        if (text[pos] == '&')
            appendReference(out, text, pos);
        else
            out += text[pos++];
    }
    return out;
}

class HtmlReader {
public:
    explicit HtmlReader(std::string_view html) : s_(html) {}

    std::vector<HtmlNode> nodes()
    {
        std::vector<HtmlNode> result;
        while (pos_ < s_.size()) {
            const std::size_t open = s_.find('<', pos_);
            const std::size_t textEnd = open == std::string_view::npos ? s_.size() : open;
            if (textEnd > pos_)
                result.push_back({HtmlNode::Kind::Text, {}, {}, decodeReferences(s_.substr(pos_, textEnd - pos_))});
            pos_ = textEnd;
            if (pos_ < s_.size())
                readTag(result);
        }
        return result;
    }

private:
    void readTag(std::vector<HtmlNode>& result)
    {
        const bool closing = s_.substr(pos_, 2) == "</";
        pos_ += closing ? 2 : 1;
        if (pos_ >= s_.size() || !isAsciiLetter(s_[pos_]))
            throw PageSyntaxError("a '<' that starts no tag, at " + std::to_string(pos_));
        HtmlNode tag{closing ? HtmlNode::Kind::EndTag : HtmlNode::Kind::StartTag, readName(), {}, {}};
        readAttributes(tag);
        if (closing && !tag.attributes.empty())
            throw PageSyntaxError("a closing tag with attributes");
        result.push_back(tag);
        if (!closing && base::equalsNoCase(tag.name, "script"))
            readScriptContent(result);
    }

    std::string readName()
    {
        const std::size_t start = pos_;
        while (pos_ < s_.size() && (isAsciiLetter(s_[pos_]) || isDigit(s_[pos_])))
            ++pos_;
        return std::string(s_.substr(start, pos_ - start));
    }

    void skipSpaces()
    {
        while (pos_ < s_.size() && isHtmlSpace(s_[pos_]))
            ++pos_;
    }

    void readAttributes(HtmlNode& tag)
    {
        while (true) {
            skipSpaces();
            if (pos_ >= s_.size())
                throw PageSyntaxError("a tag left open: " + tag.name);
            if (s_[pos_] == '>' || s_.substr(pos_, 2) == "/>") {
                pos_ += s_[pos_] == '>' ? 1 : 2;
                return;
            }
            tag.attributes.push_back(readAttribute());
        }
    }

    HtmlAttribute readAttribute()
    {
        const std::size_t start = pos_;
        while (pos_ < s_.size() && !isHtmlSpace(s_[pos_]) && s_[pos_] != '>' && s_[pos_] != '/' && s_[pos_] != '=') {
            if (s_[pos_] == '\'' || s_[pos_] == '"' || s_[pos_] == '<')
                throw PageSyntaxError("a quote or '<' in an attribute name");
            ++pos_;
        }
        HtmlAttribute attribute{std::string(s_.substr(start, pos_ - start)), {}};
        if (attribute.name.empty())
            throw PageSyntaxError("an attribute without a name");
        skipSpaces();
        if (pos_ >= s_.size() || s_[pos_] != '=')
            return attribute;
        ++pos_;
        skipSpaces();
        attribute.value = decodeReferences(readValue());
        return attribute;
    }

    std::string_view readValue()
    {
        if (pos_ < s_.size() && (s_[pos_] == '\'' || s_[pos_] == '"')) {
            const std::size_t close = s_.find(s_[pos_], pos_ + 1);
            if (close == std::string_view::npos)
                throw PageSyntaxError("an attribute value left open");
            const std::string_view value = s_.substr(pos_ + 1, close - pos_ - 1);
            pos_ = close + 1;
            return value;
        }
        const std::size_t start = pos_;
        while (pos_ < s_.size() && !isHtmlSpace(s_[pos_]) && s_[pos_] != '>') {
            if (std::string_view("\"'<=`").find(s_[pos_]) != std::string_view::npos)
                throw PageSyntaxError("a quote, '<', '=' or '`' in an unquoted attribute value");
            ++pos_;
        }
        return s_.substr(start, pos_ - start);
    }

    void readScriptContent(std::vector<HtmlNode>& result)
    {
        const std::size_t end = base::findNoCase(s_, "</script", pos_);
        if (end == std::string_view::npos)
            throw PageSyntaxError("a script element left open");
        result.push_back({HtmlNode::Kind::Script, {}, {}, std::string(s_.substr(pos_, end - pos_))});
        pos_ = end;
    }

    std::string_view s_;
    std::size_t pos_ = 0;
};

std::string oneLine(std::string text)
{
    for (char& c : text)
        if (c == '\n')
            c = ' ';
    return text;
}

std::string tagShape(const HtmlNode& node)
{
    if (node.kind == HtmlNode::Kind::EndTag)
        return "</" + node.name + ">";
    std::string shape = "<" + node.name;
    for (const HtmlAttribute& attribute : node.attributes) {
        shape += " " + attribute.name;
        if (base::findNoCase(attribute.name, "on") == 0)
            shape += "={" + oneLine(scriptShape(attribute.value)) + "}";
    }
    return shape + ">";
}

} // namespace

std::vector<ScriptToken> tokenizeScript(std::string_view script) { return ScriptLexer(script).tokens(); }

std::string scriptShape(std::string_view script)
{
    std::string shape;
    for (const ScriptToken& token : tokenizeScript(script)) {
        if (!shape.empty())
            shape += '\n';
        shape += token.kind == ScriptToken::Kind::String ? std::string("'…'") : token.text;
    }
    return shape;
}

std::vector<HtmlNode> parseHtml(std::string_view html) { return HtmlReader(html).nodes(); }

std::string htmlShape(std::string_view html)
{
    std::string shape;
    for (const HtmlNode& node : parseHtml(html)) {
        if (!shape.empty())
            shape += '\n';
        switch (node.kind) {
        case HtmlNode::Kind::Text: shape += "#text"; break;
        case HtmlNode::Kind::Script: shape += "#script{" + oneLine(scriptShape(node.text)) + "}"; break;
        default: shape += tagShape(node);
        }
    }
    return shape;
}

std::vector<std::string> htmlTexts(std::string_view html)
{
    std::vector<std::string> texts;
    for (const HtmlNode& node : parseHtml(html))
        if (node.kind == HtmlNode::Kind::Text)
            texts.push_back(node.text);
    return texts;
}

} // namespace testsupport
