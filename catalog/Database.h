#pragma once
#include "platform/Application.h"

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace catalog {

// Every failure of the database module: a missing, unreadable, foreign or
// corrupt file, or a query the engine rejects.
class DatabaseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ConnectionImpl;
class RecordsetImpl;

// An open connection to the catalog database; read-only.
class Connection {
public:
    explicit Connection(std::unique_ptr<ConnectionImpl> impl);
    ~Connection();
    Connection(Connection&&) noexcept;
    Connection& operator=(Connection&&) noexcept;
    const std::string& connectionString() const;
    ConnectionImpl& impl() { return *impl_; }

private:
    std::unique_ptr<ConnectionImpl> impl_;
};

// The rows of one query, read as they are walked. Several recordsets may be
// open on one connection at once.
class Recordset {
public:
    Recordset(); // not open
    explicit Recordset(std::unique_ptr<RecordsetImpl> impl);
    ~Recordset();
    Recordset(Recordset&&) noexcept;
    Recordset& operator=(Recordset&&) noexcept;

    bool isOpen() const;
    // End of rows; a recordset that is not open is at its end.
    bool atEnd() const;
    // The current row's value of a field, in its plain text form: integers
    // in decimal, text as stored, null as the empty text. Throws
    // DatabaseError for an unknown field name or when at the end.
    std::string field(std::string_view name) const;
    void moveNext();

private:
    std::unique_ptr<RecordsetImpl> impl_;
};

// "provider=microsoft.jet.oledb.4.0;data source=<folder>/DataBase/tavro.mdb"
std::string ConnectionString(const std::string& programFolder);
// The database file named by a connection string.
std::string DataSourceOf(const std::string& connectionString);

// Opens the program folder's database, SQLite or Jet, recognised by content;
// a Jet file is read by the helper program `jetHelper`.
Connection GetConnection(const platform::Application& app, const std::string& jetHelper);
// Opens a connection to a database file directly (tests, tools, benchmarks).
Connection OpenDatabaseFile(const std::string& path, const std::string& jetHelper);

// Modes 0 and 1 open the recordset; any other mode returns one not open.
Recordset GetRecordset(Connection& connection, const std::string& query, std::int16_t mode);

// The catalog's five queries, built in one place each.
std::string TypeNodesQuery(std::int32_t parentId);
std::string BooksOfTypeQuery(std::int32_t typeId);
// The search text is trimmed of spaces and matched literally.
std::string SearchBooksQuery(std::string_view searchText);
std::string RecommendedBooksQuery();
std::string BookDetailQuery(std::int32_t bookId);

} // namespace catalog
