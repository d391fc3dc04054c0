#pragma once
#include "Report.h"
#include "SourceBook.h"

#include <string>
#include <vector>

namespace makedisc {

// A row of a database's BookType table, before any check.
struct SourceCategory {
    std::string place;
    std::int32_t id;
    Cell name;
    Cell parentId;
};

struct DatabaseContent {
    std::vector<SourceCategory> categories;
    std::vector<SourceBook> books; // the category cell holds the BookType ID
};

// The two tables of a catalog database, SQLite or Jet (read by the helper
// program `jetHelper`), as the disc's catalog reads them. Books marked
// deleted, which no page shows, are left out with a note; rows whose ID is
// not a whole number the host can hold are reported and left out. Nothing
// is read from a file that cannot be opened or lacks a table, after saying so.
DatabaseContent ReadBooksDatabase(const std::string& path, const std::string& jetHelper, Report& report);

} // namespace makedisc
