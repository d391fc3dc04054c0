#include "JetImport.h"
#include "Database.h"
#include "JetTable.h"
#include "NameOrder.h"

#include <charconv>
#include <cstdio>
#include <cstdint>
#include <locale.h>

namespace catalog {

namespace {

constexpr const char* isoDateFormat = "%Y-%m-%d %H:%M:%S";
// Large enough for any catalog description held in a memo field.
constexpr std::size_t bindSize = 1 << 16;

// libmdb formats numbers with printf, which follows the process's locale;
// the importer parses them with a decimal point.
class ClassicNumberLocale {
public:
    ClassicNumberLocale() : classic_(newlocale(LC_ALL_MASK, "C", locale_t(0))), previous_(uselocale(locale_t(0)))
    {
        if (classic_)
            uselocale(classic_);
    }
    ~ClassicNumberLocale()
    {
        if (!classic_)
            return;
        uselocale(previous_);
        freelocale(classic_);
    }
    ClassicNumberLocale(const ClassicNumberLocale&) = delete;
    ClassicNumberLocale& operator=(const ClassicNumberLocale&) = delete;

private:
    locale_t classic_;
    locale_t previous_;
};

struct CloseMdb {
    void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};
using MdbFile = std::unique_ptr<MdbHandle, CloseMdb>;

// libmdb reads its catalog, the table MSysObjects on page 2, through the
// same unchecked usage map as any other table.
bool catalogTableIsUsable(MdbHandle* mdb)
{
    constexpr unsigned long catalogTablePage = 2;
    MdbCatalogEntry entry{};
    entry.mdb = mdb;
    entry.object_type = MDB_TABLE;
    entry.table_pg = catalogTablePage;
    std::snprintf(entry.object_name, sizeof entry.object_name, "MSysObjects");
    MdbTableDef* table = mdb_read_table(&entry);
    bool usable = HasUsableUsageMap(table);
    if (table)
        mdb_free_tabledef(table);
    return usable;
}

MdbFile openJetFile(const std::string& path)
{
    MdbFile mdb(mdb_open(path.c_str(), MDB_NOFLAGS));
    if (!mdb)
        throw DatabaseError("the Jet database cannot be read (damaged?): " + path);
    if (mdb->f->jet_version != MDB_VER_JET3 && mdb->f->jet_version != MDB_VER_JET4)
        throw DatabaseError("unsupported Jet database version: " + path);
    mdb_set_date_fmt(mdb.get(), isoDateFormat);
    mdb_set_shortdate_fmt(mdb.get(), isoDateFormat);
    mdb_set_boolean_fmt_numbers(mdb.get());
    mdb_set_bind_size(mdb.get(), bindSize);
    if (!catalogTableIsUsable(mdb.get()) || !mdb_read_catalog(mdb.get(), MDB_TABLE))
        throw DatabaseError("the Jet database has no readable catalog (damaged?): " + path);
    return mdb;
}

const char* sqlTypeName(ImportedType type)
{
    switch (type) {
    case ImportedType::Integer:
        return "INTEGER";
    case ImportedType::Real:
        return "REAL";
    case ImportedType::Blob:
        return "BLOB";
    default:
        return "TEXT";
    }
}

void createTable(sqlite3* db, const JetTable& table)
{
    std::string sql = "CREATE TABLE " + QuoteIdentifier(table.name()) + " (";
    for (std::size_t i = 0; i < table.columnCount(); ++i) {
        if (i > 0)
            sql += ", ";
        sql += QuoteIdentifier(table.columnName(i)) + " " + sqlTypeName(table.columnType(i));
        // A Jet file has one sort order for all its text; a Chinese one is
        // the name order.
        if (table.columnType(i) == ImportedType::Text)
            sql += std::string(" COLLATE ") + kNameOrderCollation;
    }
    ExecuteSql(db, sql + ")");
}

std::string insertStatement(const JetTable& table)
{
    std::string sql = "INSERT INTO " + QuoteIdentifier(table.name()) + " VALUES (";
    for (std::size_t i = 0; i < table.columnCount(); ++i)
        sql += i > 0 ? ", ?" : "?";
    return sql + ")";
}

void bindText(sqlite3_stmt* insert, int parameter, std::string_view text)
{
    sqlite3_bind_text64(insert, parameter, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
}

// Numbers arrive as text; one that does not parse is kept as its text
// rather than lost.
void bindNumber(sqlite3_stmt* insert, int parameter, std::string_view text, ImportedType type)
{
    const char* end = text.data() + text.size();
    if (type == ImportedType::Integer) {
        std::int64_t value = 0;
        auto result = std::from_chars(text.data(), end, value);
        if (result.ec == std::errc() && result.ptr == end) {
            sqlite3_bind_int64(insert, parameter, value);
            return;
        }
    } else {
        double value = 0;
        auto result = std::from_chars(text.data(), end, value);
        if (result.ec == std::errc() && result.ptr == end) {
            sqlite3_bind_double(insert, parameter, value);
            return;
        }
    }
    bindText(insert, parameter, text);
}

void bindValue(sqlite3_stmt* insert, const JetTable& table, std::size_t column)
{
    int parameter = static_cast<int>(column) + 1;
    ImportedType type = table.columnType(column);
    if (table.isNull(column)) {
        sqlite3_bind_null(insert, parameter);
    } else if (type == ImportedType::Blob) {
        std::string bytes = table.oleBytes(column);
        sqlite3_bind_blob64(insert, parameter, bytes.data(), bytes.size(), SQLITE_TRANSIENT);
    } else if (type == ImportedType::Text) {
        bindText(insert, parameter, table.text(column));
    } else {
        bindNumber(insert, parameter, table.text(column), type);
    }
}

void copyRows(sqlite3* db, JetTable& table)
{
    SqliteStatement insert = PrepareSql(db, insertStatement(table));
    while (table.fetchRow()) {
        for (std::size_t i = 0; i < table.columnCount(); ++i)
            bindValue(insert.get(), table, i);
        if (sqlite3_step(insert.get()) != SQLITE_DONE)
            ThrowSqliteError(db, "cannot copy a row of the Jet table " + table.name());
        sqlite3_reset(insert.get());
    }
}

} // namespace

SqliteDatabase ImportJetFile(const std::string& path)
{
    ClassicNumberLocale classicNumbers;
    MdbFile mdb = openJetFile(path);
    SqliteDatabase db = OpenInMemorySqlite();
    ExecuteSql(db.get(), "BEGIN");
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type != MDB_TABLE || !mdb_is_user_table(entry))
            continue;
        JetTable table(mdb.get(), entry);
        createTable(db.get(), table);
        copyRows(db.get(), table);
    }
    ExecuteSql(db.get(), "COMMIT");
    return db;
}

} // namespace catalog
