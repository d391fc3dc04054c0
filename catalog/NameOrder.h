#pragma once
#include <sqlite3.h>

#include <string_view>

namespace catalog {

// The order a desktop database set up for the Chinese locale gives text:
// characters compared by their GB18030 codes, which put GB2312's 3,755
// common characters in pinyin order, ASCII letters compared without regard
// to case (as SQLite's NOCASE folds them). Texts equal in that order are
// then told apart by their bytes, so the order is total and an equality
// test stays exact. Negative, zero or positive as with strcmp.
int CompareNames(std::string_view a, std::string_view b);

// The name the order has on our connections.
inline constexpr const char* kNameOrderCollation = "PINYIN";

// Makes the order available under kNameOrderCollation.
void RegisterNameOrder(sqlite3* db);

// Gives the Name column of every table of an SQLite catalog the order, on
// this connection only: a temporary view under the table's own name, which
// the query texts then read instead of the table. The file itself declares
// no collation, so the stock sqlite3 tool runs every query on it.
void OrderNamesOfCatalogFile(sqlite3* db);

} // namespace catalog
