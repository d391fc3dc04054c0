#pragma once
#include <string>

namespace catalog {

enum class DatabaseFormat { Sqlite, Jet };

// The format of a database file, told by its first bytes whatever its name.
// Throws DatabaseError for a missing, unreadable, empty or foreign file.
DatabaseFormat RecogniseDatabaseFile(const std::string& path);

} // namespace catalog
