#include "Database.h"
#include "ConnectionImpl.h"
#include "DatabaseFile.h"
#include "JetProcess.h"
#include "RecordsetImpl.h"
#include "base/PathCase.h"
#include "base/Text.h"

namespace catalog {

namespace {

const std::string provider = "microsoft.jet.oledb.4.0";
const std::string dataSourceKey = "data source";

std::string connectionStringFor(const std::string& databaseFile)
{
    return "provider=" + provider + ";data source=" + databaseFile;
}

SqliteDatabase openDatabase(const std::string& path, const std::string& jetHelper)
{
    if (RecogniseDatabaseFile(path) == DatabaseFormat::Jet)
        return ReadJetFileInChild(path, jetHelper);
    return OpenReadOnlySqlite(path);
}

Connection openConnection(const std::string& connectionString, const std::string& jetHelper)
{
    // A disc authored where names ignore case may spell the folder or the
    // file otherwise.
    SqliteDatabase db = openDatabase(base::ExistingPathIgnoringCase(DataSourceOf(connectionString)), jetHelper);
    return Connection(std::make_unique<ConnectionImpl>(connectionString, std::move(db)));
}

// The engine would silently stop at a NUL and run the shorter text.
void rejectNul(const std::string& query)
{
    if (query.find('\0') != std::string::npos)
        throw DatabaseError("query rejected: the text holds a NUL character");
}

// Whatever follows the one statement may only be spaces and semicolons, so a
// query text never runs a second statement.
void rejectSecondStatement(const char* tail, const std::string& query)
{
    const char* end = query.data() + query.size();
    for (const char* p = tail; p && p < end; ++p) {
        if (*p != ';' && *p != ' ' && *p != '\t' && *p != '\r' && *p != '\n')
            throw DatabaseError("query rejected: more than one statement: " + query);
    }
}

SqliteStatement prepareQuery(sqlite3* db, const std::string& query)
{
    rejectNul(query);
    sqlite3_stmt* raw = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db, query.data(), static_cast<int>(query.size()), &raw, &tail) != SQLITE_OK)
        ThrowSqliteError(db, "query rejected: " + query);
    SqliteStatement statement(raw);
    if (!statement)
        throw DatabaseError("query rejected: the text holds no statement");
    rejectSecondStatement(tail, query);
    if (!sqlite3_stmt_readonly(statement.get()))
        throw DatabaseError("query rejected: the catalog database is read-only: " + query);
    return statement;
}

} // namespace

Connection::Connection(std::unique_ptr<ConnectionImpl> impl) : impl_(std::move(impl)) {}
Connection::~Connection() = default;
Connection::Connection(Connection&&) noexcept = default;
Connection& Connection::operator=(Connection&&) noexcept = default;
const std::string& Connection::connectionString() const { return impl_->connectionString(); }

Recordset::Recordset() = default;
Recordset::Recordset(std::unique_ptr<RecordsetImpl> impl) : impl_(std::move(impl)) {}
Recordset::~Recordset() = default;
Recordset::Recordset(Recordset&&) noexcept = default;
Recordset& Recordset::operator=(Recordset&&) noexcept = default;

bool Recordset::isOpen() const { return impl_ != nullptr; }
bool Recordset::atEnd() const { return !impl_ || impl_->atEnd(); }

std::string Recordset::field(std::string_view name) const
{
    if (!impl_)
        throw DatabaseError("the recordset is not open");
    return impl_->field(name);
}

void Recordset::moveNext()
{
    if (!impl_)
        throw DatabaseError("the recordset is not open");
    impl_->moveNext();
}

std::string ConnectionString(const std::string& programFolder)
{
    return connectionStringFor(programFolder + "/DataBase/tavro.mdb");
}

std::string DataSourceOf(const std::string& connectionString)
{
    std::size_t start = 0;
    while (start <= connectionString.size()) {
        std::size_t end = connectionString.find(';', start);
        if (end == std::string::npos)
            end = connectionString.size();
        std::string_view part(connectionString.data() + start, end - start);
        std::size_t equals = part.find('=');
        if (equals != std::string_view::npos && base::equalsNoCase(base::trimSpaces(part.substr(0, equals)), dataSourceKey))
            return std::string(part.substr(equals + 1));
        start = end + 1;
    }
    throw DatabaseError("the connection string names no data source: " + connectionString);
}

Connection GetConnection(const platform::Application& app, const std::string& jetHelper)
{
    return openConnection(ConnectionString(app.programFolder()), jetHelper);
}

Connection OpenDatabaseFile(const std::string& path, const std::string& jetHelper)
{
    return openConnection(connectionStringFor(path), jetHelper);
}

Recordset GetRecordset(Connection& connection, const std::string& query, std::int16_t mode)
{
    if (mode != 0 && mode != 1)
        return Recordset();
    SqliteStatement statement = prepareQuery(connection.impl().db(), query);
    return Recordset(std::make_unique<RecordsetImpl>(std::move(statement)));
}

} // namespace catalog
