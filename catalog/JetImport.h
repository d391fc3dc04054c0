#pragma once
#include "Sqlite.h"

#include <string>

namespace catalog {

// Loads every user table of a Jet 3 or Jet 4 file, every field, into a new
// in-memory SQLite database: Yes/No as 1/0, currency, decimal and other
// numbers as numbers, dates as "YYYY-MM-DD HH:MM:SS", text as UTF-8.
// Throws DatabaseError when the file cannot be read.
SqliteDatabase ImportJetFile(const std::string& path);

} // namespace catalog
