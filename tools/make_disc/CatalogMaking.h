#pragma once
#include "Catalog.h"
#include "FontCoverage.h"
#include "Report.h"
#include "TextDecoding.h"

#include <optional>
#include <string>

namespace makedisc {

// Where the books come from: a books file (CSV or tab-separated text) or a
// catalog database (SQLite or Jet) that already has the two tables.
struct BooksSource {
    std::string path;
    std::optional<TextEncoding> encoding; // a books file's, when given
    std::string jetHelper;               // the program that reads Jet files
};

// True when the file is a database (SQLite or Jet), by its first bytes.
bool IsDatabaseFile(const std::string& path);

// The checked catalog of the publisher's books, everything found wrong in
// the report. Its books are numbered 1, 2, ... in the file's order, or keep
// the database's IDs. No book at all means no disc can be made.
Catalog MakeCatalog(const BooksSource& source, const FontCoverage& fonts, Report& report);

} // namespace makedisc
