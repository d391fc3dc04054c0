#pragma once
#include <sqlite3.h>

#include <memory>
#include <string>

namespace catalog {

struct CloseSqliteDatabase {
    // The _v2 close waits for statements still open, so a connection that goes
    // before its recordsets never pulls the rows out from under them.
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
struct FinalizeSqliteStatement {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using SqliteDatabase = std::unique_ptr<sqlite3, CloseSqliteDatabase>;
using SqliteStatement = std::unique_ptr<sqlite3_stmt, FinalizeSqliteStatement>;

// "file:" URI that opens the file read-only and immutable: no journal, no
// lock file, nothing written, so it works on read-only media.
std::string ReadOnlyUri(const std::string& path);
SqliteDatabase OpenReadOnlySqlite(const std::string& path);
SqliteDatabase OpenInMemorySqlite();
// The bytes of a whole database, as its file would hold them.
std::string SerializeSqlite(sqlite3* db);
// A read-only in-memory database made of such bytes; throws DatabaseError
// when they are not a database.
SqliteDatabase DeserializeSqlite(const std::string& image);
// Runs statements that return no rows; throws DatabaseError on failure.
void ExecuteSql(sqlite3* db, const std::string& sql);
SqliteStatement PrepareSql(sqlite3* db, const std::string& sql);
// Double quotes for a table or field name.
std::string QuoteIdentifier(const std::string& name);
[[noreturn]] void ThrowSqliteError(sqlite3* db, const std::string& what);

} // namespace catalog
