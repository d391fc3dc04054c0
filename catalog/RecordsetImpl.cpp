#include "RecordsetImpl.h"
#include "Database.h"
#include "base/Text.h"

#include <charconv>
#include <cstdint>

namespace catalog {

namespace {

std::string integerText(std::int64_t value)
{
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string bytesText(sqlite3_stmt* statement, int column)
{
    auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement, column));
    return bytes ? std::string(bytes, static_cast<std::size_t>(sqlite3_column_bytes(statement, column))) : std::string();
}

} // namespace

std::string RealText(double value)
{
    if (value == 0)
        value = 0; // no "-0"
    char buffer[400]; // the longest fixed form of a double is 300-odd digits
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

RecordsetImpl::RecordsetImpl(SqliteStatement statement) : statement_(std::move(statement)) { step(); }

std::string RecordsetImpl::field(std::string_view name) const
{
    int column = columnIndex(name);
    if (atEnd_)
        throw DatabaseError("no current row to read the field " + std::string(name) + " from");
    sqlite3_stmt* statement = statement_.get();
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER:
        return integerText(sqlite3_column_int64(statement, column));
    case SQLITE_FLOAT:
        return RealText(sqlite3_column_double(statement, column));
    default:
        return bytesText(statement, column);
    }
}

void RecordsetImpl::moveNext()
{
    if (atEnd_)
        throw DatabaseError("cannot move past the end of the rows");
    step();
}

void RecordsetImpl::step()
{
    int rc = sqlite3_step(statement_.get());
    if (rc == SQLITE_DONE) {
        atEnd_ = true;
        return;
    }
    if (rc != SQLITE_ROW) {
        atEnd_ = true;
        ThrowSqliteError(sqlite3_db_handle(statement_.get()), "cannot read the next row");
    }
}

int RecordsetImpl::columnIndex(std::string_view name) const
{
    for (const auto& field : resolved_) {
        if (field.name == name)
            return field.column;
    }
    int count = sqlite3_column_count(statement_.get());
    for (int i = 0; i < count; ++i) {
        if (base::equalsNoCase(sqlite3_column_name(statement_.get(), i), name)) {
            resolved_.push_back({std::string(name), i});
            return i;
        }
    }
    throw DatabaseError("the rows have no field named " + std::string(name));
}

} // namespace catalog
