#include "Sqlite.h"
#include "Database.h"
#include "LikeMatch.h"
#include "NameOrder.h"
#include "base/Text.h"

#include <algorithm>
#include <filesystem>

namespace catalog {

namespace {

bool isUriSafe(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '/' || c == '-' ||
           c == '_' || c == '.' || c == '~';
}

std::string percentEncoded(const std::string& path)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : path) {
        if (isUriSafe(c)) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 0xF];
        }
    }
    return out;
}

// Connections are opened without SQLite's own locking: the catalog reads its
// database on one thread only.
SqliteDatabase openSqlite(const std::string& name, int flags)
{
    sqlite3* raw = nullptr;
    int rc = sqlite3_open_v2(name.c_str(), &raw, flags, nullptr);
    SqliteDatabase db(raw);
    if (rc != SQLITE_OK)
        ThrowSqliteError(db.get(), "cannot open the database " + name);
    RegisterLike(db.get());
    RegisterNameOrder(db.get());
    return db;
}

// Reading the schema reports a damaged or foreign database at once rather
// than at its first query.
void readSchema(sqlite3* db, const std::string& failure)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT count(*) FROM sqlite_schema", -1, &statement, nullptr) != SQLITE_OK)
        ThrowSqliteError(db, failure);
    SqliteStatement owned(statement);
    if (sqlite3_step(statement) != SQLITE_ROW)
        ThrowSqliteError(db, failure);
}

} // namespace

std::string ReadOnlyUri(const std::string& path)
{
    // The empty authority of "file://" keeps a path that starts with "//"
    // (a program folder at the root) from being read as a host name.
    std::string absolute = std::filesystem::absolute(path).string();
    return "file://" + percentEncoded(absolute) + "?mode=ro&immutable=1";
}

SqliteDatabase OpenReadOnlySqlite(const std::string& path)
{
    SqliteDatabase db = openSqlite(ReadOnlyUri(path), SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX);
    readSchema(db.get(), "cannot read the database " + path);
    // The file never changes while the catalog runs, so pages once read stay
    // valid: a cache large enough for a big catalog spares reading every
    // page again on each search. (A memory map would too, but a disc taken
    // out under it kills the program instead of failing a read.)
    ExecuteSql(db.get(), "PRAGMA cache_size = -65536");
    OrderNamesOfCatalogFile(db.get());
    return db;
}

SqliteDatabase OpenInMemorySqlite()
{
    return openSqlite(":memory:", SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX);
}

std::string SerializeSqlite(sqlite3* db)
{
    sqlite3_int64 size = 0;
    unsigned char* bytes = sqlite3_serialize(db, "main", &size, 0);
    if (!bytes) {
        // A database of no pages at all has no bytes to give.
        if (sqlite3_errcode(db) == SQLITE_OK)
            return {};
        ThrowSqliteError(db, "cannot serialize the database");
    }
    std::string image(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(size));
    sqlite3_free(bytes);
    return image;
}

SqliteDatabase DeserializeSqlite(const std::string& image)
{
    SqliteDatabase db = OpenInMemorySqlite();
    auto* buffer = static_cast<unsigned char*>(sqlite3_malloc64(std::max<std::size_t>(image.size(), 1)));
    if (!buffer)
        throw DatabaseError("out of memory for a database of " + std::to_string(image.size()) + " bytes");
    std::copy(image.begin(), image.end(), buffer);
    // SQLite frees the buffer, also when it refuses it.
    const auto size = static_cast<sqlite3_int64>(image.size());
    if (sqlite3_deserialize(db.get(), "main", buffer, size, size,
                            SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_READONLY) != SQLITE_OK)
        ThrowSqliteError(db.get(), "cannot load the database image");
    readSchema(db.get(), "the database image is not a database");
    return db;
}

void ExecuteSql(sqlite3* db, const std::string& sql)
{
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
        ThrowSqliteError(db, "statement failed: " + sql);
}

SqliteStatement PrepareSql(sqlite3* db, const std::string& sql)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &statement, nullptr) != SQLITE_OK)
        ThrowSqliteError(db, "statement rejected: " + sql);
    return SqliteStatement(statement);
}

std::string QuoteIdentifier(const std::string& name)
{
    return base::doubleQuoted(name);
}

void ThrowSqliteError(sqlite3* db, const std::string& what)
{
    std::string reason = db ? sqlite3_errmsg(db) : "out of memory";
    throw DatabaseError(what + ": " + reason);
}

} // namespace catalog
