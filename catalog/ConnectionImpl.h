#pragma once
#include "Sqlite.h"

#include <string>

namespace catalog {

// The open catalog database: an SQLite file opened read-only, or the
// in-memory copy of a Jet file.
class ConnectionImpl {
public:
    ConnectionImpl(std::string connectionString, SqliteDatabase db)
        : connectionString_(std::move(connectionString)), db_(std::move(db))
    {
    }
    const std::string& connectionString() const { return connectionString_; }
    sqlite3* db() const { return db_.get(); }

private:
    std::string connectionString_;
    SqliteDatabase db_;
};

} // namespace catalog
