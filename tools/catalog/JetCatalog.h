#pragma once
#include <string>

namespace tools {

// Writes the two catalog tables of an SQLite catalog into a Jet 4 file with
// the field types a desktop database of the catalog would have: whole
// numbers, text, a currency price and a Yes/No recommendation flag.
void WriteJetCatalog(const std::string& sqliteCatalog, const std::string& jetOutput);

} // namespace tools
