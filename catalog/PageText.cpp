#include "PageText.h"

namespace catalog {

namespace {

// Markup characters as entities; quotes too where the text goes inside an
// attribute value.
std::string escapedHtml(std::string_view text, bool quotes)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '\'': out += quotes ? "&#39;" : "'"; break;
        case '"': out += quotes ? "&quot;" : "\""; break;
        default: out += c;
        }
    }
    return out;
}

} // namespace

std::string htmlText(std::string_view text) { return escapedHtml(text, false); }

std::string htmlAttribute(std::string_view text) { return escapedHtml(text, true); }

std::string scriptString(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\'': out += "\\'"; break;
        case '"': out += "\\\""; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '<': out += "\\x3C"; break; // no "</script>" can close the block
        default:
            // U+2028 and U+2029 end a line inside a script string literal.
            if (c == '\xE2' && i + 2 < text.size() && text[i + 1] == '\x80' &&
                (text[i + 2] == '\xA8' || text[i + 2] == '\xA9')) {
                out += text[i + 2] == '\xA8' ? "\\u2028" : "\\u2029";
                i += 2;
            } else if (static_cast<unsigned char>(c) < 0x20) {
                static const char* hex = "0123456789ABCDEF";
                out += "\\x";
                out += hex[(c >> 4) & 0xF];
                out += hex[c & 0xF];
            } else {
                out += c;
            }
        }
    }
    return out;
}

std::string fileUrlAttribute(std::string_view path)
{
    std::string url;
    for (char c : path) {
        // These would end the path part of a URL or start an escape.
        if (c == '%' || c == '#' || c == '?') {
            static const char* hex = "0123456789ABCDEF";
            url += '%';
            url += hex[(static_cast<unsigned char>(c) >> 4) & 0xF];
            url += hex[c & 0xF];
        } else {
            url += c;
        }
    }
    return htmlAttribute(url);
}

std::vector<std::string> PageHead(const std::string& F)
{
    const std::string folder = fileUrlAttribute(F);
    return {
        "<html>",
        "<head>",
        "<meta http-equiv='Content-Type' content='text/html'; charset='gb2312'>",
        "<META HTTP-EQUIV='imagetoolbar' CONTENT='no'>",
        "<META HTTP-EQUIV='pragma' CONTENT='no-cache'>",
        "<META HTTP-EQUIV='Cache-Control' CONTENT='no-cache, must-revalidate'>",
        "<META http-equiv='Expires' CONTENT='0'>",
        "<script language='javascript' src='" + folder + "/Script/tree.js'></script>",
        "<LINK href='" + folder + "/Script/Tree.css' type='text/css' rel='stylesheet'>",
        "</head>",
    };
}

void StartPage(platform::Browser& pane, const std::string& F)
{
    pane.navigateBlank();
    pane.openDocument();
    for (const std::string& line : PageHead(F))
        pane.writeln(line);
}

} // namespace catalog
