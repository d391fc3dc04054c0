#include "LikeMatch.h"


namespace catalog {

namespace {

unsigned char foldAscii(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; }

bool isContinuationByte(unsigned char c) { return (c & 0xC0) == 0x80; }

// Length of the UTF-8 character that starts at `at` (1 for a stray byte).
std::size_t characterLength(std::string_view text, std::size_t at)
{
    std::size_t end = at + 1;
    while (end < text.size() && isContinuationByte(static_cast<unsigned char>(text[end])))
        ++end;
    return end - at;
}

// Whether a piece of the pattern without '%' matches the text right at `at`;
// on success `at` moves past the matched text.
bool pieceMatchesAt(std::string_view text, std::size_t& at, std::string_view piece)
{
    std::size_t t = at;
    for (std::size_t p = 0; p < piece.size();) {
        if (t >= text.size())
            return false;
        if (piece[p] == '_') {
            t += characterLength(text, t);
            ++p;
        } else if (foldAscii(static_cast<unsigned char>(text[t])) == foldAscii(static_cast<unsigned char>(piece[p]))) {
            ++t;
            ++p;
        } else {
            return false;
        }
    }
    at = t;
    return true;
}

// Finds the leftmost place at or after `at` where the piece matches, starting
// only on character boundaries; moves `at` past it.
bool findPiece(std::string_view text, std::size_t& at, std::string_view piece)
{
    const unsigned char first = piece.empty() ? 0 : static_cast<unsigned char>(piece[0]);
    if (first >= 0xC0) {
        // A lead byte of a multi-byte character matches only itself: jump between its places.
        for (std::size_t start = text.find(char(first), at); start != std::string_view::npos;
             start = text.find(char(first), start + 1)) {
            std::size_t end = start;
            if (pieceMatchesAt(text, end, piece)) {
                at = end;
                return true;
            }
        }
        return false;
    }
    for (std::size_t start = at; start <= text.size(); start += start < text.size() ? characterLength(text, start) : 1) {
        std::size_t end = start;
        if (pieceMatchesAt(text, end, piece)) {
            at = end;
            return true;
        }
    }
    return false;
}

void likeFunction(sqlite3_context* context, int, sqlite3_value** arguments)
{
    const unsigned char* pattern = sqlite3_value_text(arguments[0]);
    const unsigned char* text = sqlite3_value_text(arguments[1]);
    if (!pattern || !text)
        return; // NULL, as LIKE gives for a NULL operand
    std::string_view p(reinterpret_cast<const char*>(pattern), sqlite3_value_bytes(arguments[0]));
    std::string_view t(reinterpret_cast<const char*>(text), sqlite3_value_bytes(arguments[1]));
    sqlite3_result_int(context, LikeMatches(t, p) ? 1 : 0);
}

} // namespace

bool LikeMatches(std::string_view text, std::string_view pattern)
{
    // The first piece is anchored at the start, the last at the end; each
    // piece between two '%' is taken at its leftmost place, which never loses
    // a match the pieces after it could have made.
    std::size_t cut = pattern.find('%');
    std::size_t at = 0;
    if (cut == std::string_view::npos)
        return pieceMatchesAt(text, at, pattern) && at == text.size();
    if (!pieceMatchesAt(text, at, pattern.substr(0, cut)))
        return false;
    for (;;) {
        std::size_t from = cut + 1;
        cut = pattern.find('%', from);
        if (cut == std::string_view::npos)
            break;
        if (!findPiece(text, at, pattern.substr(from, cut - from)))
            return false;
    }
    std::string_view last = pattern.substr(pattern.rfind('%') + 1);
    if (last.empty())
        return true;
    // The last piece must end the text. Without '_' its length in bytes is
    // known; with it, every character boundary from the back is tried.
    if (last.find('_') == std::string_view::npos) {
        if (text.size() - at < last.size())
            return false;
        std::size_t start = text.size() - last.size();
        return pieceMatchesAt(text, start, last);
    }
    for (std::size_t start = text.size() + 1; start-- > at;) {
        if (start < text.size() && isContinuationByte(static_cast<unsigned char>(text[start])))
            continue;
        std::size_t end = start;
        if (pieceMatchesAt(text, end, last) && end == text.size())
            return true;
    }
    return false;
}

void RegisterLike(sqlite3* db)
{
    sqlite3_create_function(db, "like", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, nullptr, likeFunction,
                            nullptr, nullptr);
}

} // namespace catalog
