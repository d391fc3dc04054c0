#pragma once
#include "Catalog.h"

#include <string>

namespace makedisc {

// Writes the catalog as the disc's database file (SQLite, in the schema
// given as SQL text). Throws std::runtime_error when it cannot.
void WriteCatalog(const Catalog& catalog, const std::string& schemaSql, const std::string& output);

} // namespace makedisc
