#pragma once
#include <sqlite3.h>

#include <functional>
#include <string>
#include <vector>

namespace tools {

// Writes an SQLite catalog file from scratch: the content is built in a
// temporary file beside the output, which replaces the output only when
// complete, so a failed build never leaves a half-written catalog.
// Throws std::runtime_error on any failure.
void WriteCatalogFile(const std::string& output, const std::function<void(sqlite3*)>& fill);

void ExecuteSqlFile(sqlite3* db, const std::string& sqlFile);
void ExecuteSqlText(sqlite3* db, const std::string& sql);

// The catalog from readable SQL sources, executed in order.
void BuildCatalogFromSql(const std::string& output, const std::vector<std::string>& sqlFiles);

} // namespace tools
