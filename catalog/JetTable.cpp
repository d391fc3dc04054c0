#include "JetTable.h"
#include "Database.h"

namespace catalog {

ImportedType ImportedTypeOf(int jetColumnType)
{
    switch (jetColumnType) {
    case MDB_BOOL:
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
    case MDB_COMPLEX:
        return ImportedType::Integer;
    case MDB_MONEY:
    case MDB_FLOAT:
    case MDB_DOUBLE:
    case MDB_NUMERIC:
        return ImportedType::Real;
    case MDB_BINARY:
    case MDB_OLE:
        return ImportedType::Blob;
    default: // text, memo, date and time, replication ID
        return ImportedType::Text;
    }
}

bool HasUsableUsageMap(const MdbTableDef* table)
{
    constexpr std::size_t smallestUsageMap = 5; // map type and first page
    return table && table->usage_map && table->map_sz >= smallestUsageMap;
}

JetTable::JetTable(MdbHandle* mdb, MdbCatalogEntry* entry)
    : mdb_(mdb), table_(mdb_read_table(entry)), name_(entry->object_name)
{
    if (!HasUsableUsageMap(table_) || !mdb_read_columns(table_) || mdb_rewind_table(table_) != 0) {
        if (table_)
            mdb_free_tabledef(table_);
        throw DatabaseError("cannot read the table " + name_ + " of the Jet database (damaged?)");
    }
    columns_.reserve(table_->num_cols);
    buffers_.resize(table_->num_cols);
    lengths_.resize(table_->num_cols);
    for (unsigned i = 0; i < table_->num_cols; ++i) {
        columns_.push_back(static_cast<MdbColumn*>(g_ptr_array_index(table_->columns, i)));
        // Left uninitialised: a value fills only its own length of the
        // 64 KiB, and untouched pages are never brought in.
        buffers_[i] = std::make_unique_for_overwrite<char[]>(mdb_->bind_size);
        mdb_bind_column(table_, static_cast<int>(i) + 1, buffers_[i].get(), &lengths_[i]);
    }
}

JetTable::~JetTable() { mdb_free_tabledef(table_); }

MdbColumn* JetTable::column(std::size_t index) const { return columns_.at(index); }

const char* JetTable::columnName(std::size_t index) const { return column(index)->name; }

ImportedType JetTable::columnType(std::size_t index) const { return ImportedTypeOf(column(index)->col_type); }

bool JetTable::fetchRow() { return mdb_fetch_row(table_) != 0; }

std::string_view JetTable::text(std::size_t index) const
{
    return std::string_view(buffers_.at(index).get(), static_cast<std::size_t>(lengths_.at(index)));
}

std::string JetTable::oleBytes(std::size_t index) const
{
    std::size_t size = 0;
    void* bytes = mdb_ole_read_full(mdb_, column(index), &size);
    if (!bytes)
        return {};
    std::string out(static_cast<const char*>(bytes), size);
    g_free(bytes);
    return out;
}

} // namespace catalog
