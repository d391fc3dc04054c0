#pragma once
#include <sqlite3.h>

#include <string_view>

namespace catalog {

// The two-argument LIKE of SQLite, decided the same way: '%' stands for any
// run of characters, '_' for one (UTF-8) character, and ASCII letters match
// either case. Searches test every book's name with a "%text%" pattern; a
// pattern cut at its '%' into plain pieces found left to right does that
// several times faster than the general matcher.
bool LikeMatches(std::string_view text, std::string_view pattern);

// Puts LikeMatches in place of LIKE with two arguments on a connection.
void RegisterLike(sqlite3* db);

} // namespace catalog
