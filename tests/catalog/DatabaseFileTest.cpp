#include "TestCatalog.h"
#include "catalog/Database.h"
#include "platform/fake/FakeServices.h"
#include "support/Paths.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fstream>
#include <map>

using namespace catalog;
namespace fs = std::filesystem;

namespace {

void writeBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::string readBytes(const std::string& path, std::size_t count)
{
    std::ifstream in(path, std::ios::binary);
    std::string bytes(count, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(count));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

void setWalJournal(const std::string& path)
{
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

TEST(ConnectionStringTest, IsBuiltFromTheProgramFolderAsGiven)
{
    EXPECT_EQ(ConnectionString("/disc/product"),
              "provider=microsoft.jet.oledb.4.0;data source=/disc/product/DataBase/tavro.mdb");
    // At the root the folder already ends with its separator; the text keeps both.
    EXPECT_EQ(ConnectionString("/"), "provider=microsoft.jet.oledb.4.0;data source=//DataBase/tavro.mdb");
}

TEST(ConnectionStringTest, DataSourceIsFoundWhateverTheKeysCaseAndPlace)
{
    EXPECT_EQ(DataSourceOf(ConnectionString("/media/cd")), "/media/cd/DataBase/tavro.mdb");
    EXPECT_EQ(DataSourceOf("Data Source=/x/y.mdb;Provider=microsoft.jet.oledb.4.0"), "/x/y.mdb");
    EXPECT_EQ(DataSourceOf("provider=p; DATA SOURCE =/a b/c.mdb"), "/a b/c.mdb");
    EXPECT_THROW(DataSourceOf("provider=microsoft.jet.oledb.4.0"), DatabaseError);
}

class DatabaseFileTest : public ::testing::Test {
protected:
    void writeCatalog(const std::string& path)
    {
        testsupport::WriteTestCatalog(path, {{1, "红楼梦", 2}, {2, "三国演义", 2, 1}}, {{2, "小说", 0}});
    }
    testsupport::TempDir dir;
};

struct BadFileCase {
    std::string name;
    std::string content; // written as the file unless the case is about a missing file or a folder
    std::string messagePart;
};

class BadFileTest : public DatabaseFileTest, public ::testing::WithParamInterface<BadFileCase> {};

TEST_P(BadFileTest, GivesAClearError)
{
    const auto& c = GetParam();
    std::string path = dir.file("tavro.mdb");
    if (c.name == "folder")
        fs::create_directory(path);
    else if (c.name != "missing")
        writeBytes(path, c.content);
    try {
        OpenDatabaseFile(path, testsupport::jetHelper());
        FAIL() << "opened " << c.name;
    } catch (const DatabaseError& error) {
        std::string message = error.what();
        EXPECT_NE(message.find(c.messagePart), std::string::npos) << message;
        EXPECT_NE(message.find(path), std::string::npos) << message;
    }
}

std::string sqliteHeaderThen(const std::string& rest) { return std::string("SQLite format 3\0", 16) + rest; }
std::string jetHeaderThen(const std::string& rest)
{
    return std::string("\0\1\0\0Standard Jet DB\0", 20) + rest;
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadFileTest,
    ::testing::Values(BadFileCase{"missing", "", "does not exist"}, BadFileCase{"folder", "", "not a file"},
                      BadFileCase{"empty", "", "empty"},
                      BadFileCase{"foreign", "<html>not a database at all</html>", "neither"},
                      BadFileCase{"short", "SQL", "neither"},
                      BadFileCase{"sqliteGarbage", sqliteHeaderThen(std::string(8192, '\x5a')), "cannot read"},
                      BadFileCase{"sqliteHeaderOnly", sqliteHeaderThen(""), "cannot read"},
                      BadFileCase{"jetGarbage", jetHeaderThen(std::string(8192, '\x5a')), "Jet"},
                      BadFileCase{"jetHeaderOnly", jetHeaderThen(""), "Jet"}),
    [](const auto& info) { return info.param.name; });

TEST_F(DatabaseFileTest, TruncatedCatalogFails)
{
    std::string whole = dir.file("whole.db");
    writeCatalog(whole);
    std::string path = dir.file("truncated.mdb");
    writeBytes(path, readBytes(whole, 1024));
    EXPECT_THROW(
        {
            Connection connection = OpenDatabaseFile(path, testsupport::jetHelper());
            GetRecordset(connection, BookDetailQuery(1), 0);
        },
        DatabaseError);
}

TEST_F(DatabaseFileTest, MissingProgramDatabaseNamesItsPath)
{
    platform::fake::FakeApplication app;
    app.folder = dir.path().string();
    try {
        GetConnection(app, testsupport::jetHelper());
        FAIL();
    } catch (const DatabaseError& error) {
        EXPECT_NE(std::string(error.what()).find(app.folder + "/DataBase/tavro.mdb"), std::string::npos);
    }
}

TEST_F(DatabaseFileTest, ProgramDatabaseIsFoundWhateverTheCaseOfItsNames)
{
    fs::create_directories(dir.path() / "database");
    writeCatalog(dir.file("database/TAVRO.MDB"));
    platform::fake::FakeApplication app;
    app.folder = dir.path().string();
    Connection connection = GetConnection(app, testsupport::jetHelper());
    EXPECT_EQ(GetRecordset(connection, BookDetailQuery(1), 0).field("Name"), "红楼梦");
    EXPECT_EQ(DataSourceOf(connection.connectionString()), app.folder + "/DataBase/tavro.mdb");
}

TEST_F(DatabaseFileTest, FileIsRecognisedByContentWhateverItsName)
{
    for (const char* name : {"catalog.db", "tavro.mdb", "no-extension"}) {
        std::string path = dir.file(name);
        writeCatalog(path);
        Connection connection = OpenDatabaseFile(path, testsupport::jetHelper());
        EXPECT_EQ(GetRecordset(connection, BookDetailQuery(1), 0).field("Name"), "红楼梦") << name;
    }
}

TEST_F(DatabaseFileTest, PathWithDoubledLeadingSeparatorOpens)
{
    std::string path = dir.file("tavro.mdb");
    writeCatalog(path);
    Connection connection = OpenDatabaseFile("/" + path, testsupport::jetHelper());
    EXPECT_EQ(GetRecordset(connection, BookDetailQuery(1), 0).field("Name"), "红楼梦");
}

TEST_F(DatabaseFileTest, PathWithUriCharactersOpens)
{
    fs::path folder = dir.path() / "光盘 #1?%20&x";
    fs::create_directories(folder);
    writeCatalog((folder / "tavro.mdb").string());
    Connection connection = OpenDatabaseFile((folder / "tavro.mdb").string(), testsupport::jetHelper());
    EXPECT_EQ(GetRecordset(connection, BookDetailQuery(1), 0).field("Name"), "红楼梦");
}

std::map<std::string, fs::file_time_type> snapshot(const fs::path& folder)
{
    std::map<std::string, fs::file_time_type> entries;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        entries[entry.path().string()] = fs::last_write_time(entry.path());
    return entries;
}

TEST_F(DatabaseFileTest, ReadOnlyCopyWorksAndNothingIsWrittenNextToIt)
{
    fs::path original = dir.path() / "original";
    fs::create_directories(original / "DataBase");
    writeCatalog((original / "DataBase/tavro.mdb").string());
    // A write-ahead-log database is the hard case: an ordinary read-only open
    // would create its shared-memory file beside it.
    setWalJournal((original / "DataBase/tavro.mdb").string());
    fs::path disc = dir.path() / "disc";
    fs::copy(original, disc, fs::copy_options::recursive);
    for (const auto& p : {disc / "DataBase/tavro.mdb", disc / "DataBase", disc})
        fs::permissions(p, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
    auto before = snapshot(disc);

    platform::fake::FakeApplication app;
    app.folder = disc.string();
    {
        Connection connection = GetConnection(app, testsupport::jetHelper());
        Recordset outer = GetRecordset(connection, TypeNodesQuery(0), 0);
        Recordset inner = GetRecordset(connection, BooksOfTypeQuery(2), 0);
        EXPECT_EQ(outer.field("Name"), "小说");
        EXPECT_EQ(inner.field("Name"), "红楼梦");
        EXPECT_EQ(snapshot(disc), before);
    }
    EXPECT_EQ(snapshot(disc), before);
}

} // namespace
