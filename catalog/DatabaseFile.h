#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace catalog {

enum class DatabaseFormat { Sqlite, Jet };

// The format of a database file, told by its first bytes whatever its name.
// Throws DatabaseError for a missing, unreadable, empty or foreign file.
DatabaseFormat RecogniseDatabaseFile(const std::string& path);
// The same test on the first bytes of a file; empty when they match neither.
std::optional<DatabaseFormat> FormatOfHeader(std::string_view header);

} // namespace catalog
