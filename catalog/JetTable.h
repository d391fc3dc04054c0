#pragma once
// glib first: mdbtools.h includes it inside extern "C", where its C++
// templates cannot be declared.
#include <glib.h>
#include <mdbtools.h>

#include <memory>
#include <string>
#include <vector>

namespace catalog {

// How a Jet field is stored once imported.
enum class ImportedType { Integer, Real, Text, Blob };
ImportedType ImportedTypeOf(int jetColumnType);

// libmdb walks a table's pages through its usage map without checking that
// the map is there; a damaged file must be stopped before that.
bool HasUsableUsageMap(const MdbTableDef* table);

// One user table of an open Jet file with every column bound to a buffer,
// read row by row.
class JetTable {
public:
    JetTable(MdbHandle* mdb, MdbCatalogEntry* entry);
    ~JetTable();
    JetTable(const JetTable&) = delete;
    JetTable& operator=(const JetTable&) = delete;

    const std::string& name() const { return name_; }
    std::size_t columnCount() const { return columns_.size(); }
    const char* columnName(std::size_t column) const;
    ImportedType columnType(std::size_t column) const;

    bool fetchRow();
    // The binding cannot tell a zero-length text from a missing value; both
    // read as null, which is what the catalog shows for either.
    bool isNull(std::size_t column) const { return lengths_[column] == 0; }
    // The bound text of the current row's value.
    std::string_view text(std::size_t column) const;
    // The whole value of an OLE object field.
    std::string oleBytes(std::size_t column) const;

private:
    MdbColumn* column(std::size_t index) const;

    MdbHandle* mdb_;
    MdbTableDef* table_;
    std::string name_;
    std::vector<MdbColumn*> columns_;
    std::vector<std::unique_ptr<char[]>> buffers_;
    std::vector<int> lengths_;
};

} // namespace catalog
