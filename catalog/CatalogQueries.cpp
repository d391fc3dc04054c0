#include "Database.h"
#include "base/Text.h"

namespace catalog {

namespace {

constexpr char likeEscape = '\\';

bool hasWildcard(std::string_view text) { return text.find_first_of("%_") != std::string_view::npos; }

// The text as the inside of a quoted LIKE pattern that matches it literally:
// quotes doubled, and with wildcards present, every wildcard and escape
// character escaped.
std::string literalPattern(std::string_view text, bool escapeWildcards)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '\'')
            out += '\'';
        else if (escapeWildcards && (c == '%' || c == '_' || c == likeEscape))
            out += likeEscape;
        out += c;
    }
    return out;
}

} // namespace

std::string TypeNodesQuery(std::int32_t parentId)
{
    return "Select * From BookType Where ParentID = " + std::to_string(parentId);
}

std::string BooksOfTypeQuery(std::int32_t typeId)
{
    return "Select * From WebBook Where Isdeleted =0 And BookType = " + std::to_string(typeId) + " Order By Name";
}

std::string SearchBooksQuery(std::string_view searchText)
{
    std::string text = base::trimSpaces(searchText);
    bool escapeWildcards = hasWildcard(text);
    std::string escapeClause = escapeWildcards ? std::string(" ESCAPE '") + likeEscape + "'" : std::string();
    return "Select * From WebBook Where Isdeleted = 0 And Name like '%" + literalPattern(text, escapeWildcards) + "%'" +
           escapeClause + " Order By Name";
}

std::string RecommendedBooksQuery() { return "Select * From WebBook Where Isdeleted = 0 And IsRecommended = true"; }

std::string BookDetailQuery(std::int32_t bookId)
{
    return "Select * From WebBook Where Isdeleted = 0 And ID = " + std::to_string(bookId);
}

} // namespace catalog
