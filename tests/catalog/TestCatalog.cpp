#include "TestCatalog.h"

#include <sqlite3.h>

#include <random>
#include <stdexcept>

namespace testsupport {

namespace {

const char* schema = "CREATE TABLE BookType (ID INTEGER PRIMARY KEY, Name TEXT, ParentID INTEGER);"
                     "CREATE TABLE WebBook (ID INTEGER PRIMARY KEY, Code TEXT, Name TEXT, Writer TEXT, ISBN TEXT,"
                     " Price REAL, BookBrief TEXT, BookType INTEGER, Isdeleted INTEGER, IsRecommended INTEGER);";

void check(sqlite3* db, int rc, const char* what)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE)
        throw std::runtime_error(std::string(what) + ": " + sqlite3_errmsg(db));
}

// The whole text, NUL characters and all.
void bindText(sqlite3_stmt* s, int index, const std::string& text)
{
    sqlite3_bind_text(s, index, text.data(), int(text.size()), SQLITE_TRANSIENT);
}

void bindOptionalText(sqlite3_stmt* s, int index, const std::optional<std::string>& text)
{
    if (text)
        bindText(s, index, *text);
    else
        sqlite3_bind_null(s, index);
}

void insertCategories(sqlite3* db, const std::vector<TestCategory>& categories)
{
    sqlite3_stmt* s = nullptr;
    check(db, sqlite3_prepare_v2(db, "INSERT INTO BookType VALUES (?, ?, ?)", -1, &s, nullptr), "prepare");
    for (const auto& c : categories) {
        sqlite3_bind_int64(s, 1, c.id);
        bindText(s, 2, c.name);
        sqlite3_bind_int64(s, 3, c.parent);
        check(db, sqlite3_step(s), "insert category");
        sqlite3_reset(s);
    }
    sqlite3_finalize(s);
}

void insertBooks(sqlite3* db, const std::vector<TestBook>& books)
{
    sqlite3_stmt* s = nullptr;
    check(db, sqlite3_prepare_v2(db, "INSERT INTO WebBook VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)", -1, &s, nullptr),
          "prepare");
    for (const auto& b : books) {
        std::string id = std::to_string(b.id);
        sqlite3_bind_int64(s, 1, b.id);
        bindText(s, 2, b.code.empty() ? "TB" + id : b.code);
        bindOptionalText(s, 3, b.name);
        bindText(s, 4, b.writer.empty() ? "作者" + id : b.writer);
        bindText(s, 5, b.isbn.empty() ? "978000000" + id : b.isbn);
        if (b.price)
            sqlite3_bind_double(s, 6, *b.price);
        else
            sqlite3_bind_null(s, 6);
        bindOptionalText(s, 7, b.brief);
        sqlite3_bind_int64(s, 8, b.type);
        sqlite3_bind_int(s, 9, b.deleted);
        sqlite3_bind_int(s, 10, b.recommended);
        check(db, sqlite3_step(s), "insert book");
        sqlite3_reset(s);
    }
    sqlite3_finalize(s);
}

} // namespace

void WriteTestCatalog(const std::string& path, const std::vector<TestBook>& books,
                      const std::vector<TestCategory>& categories)
{
    sqlite3* db = nullptr;
    if (sqlite3_open(path.c_str(), &db) != SQLITE_OK)
        throw std::runtime_error("cannot create " + path);
    try {
        check(db, sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), "begin");
        check(db, sqlite3_exec(db, schema, nullptr, nullptr, nullptr), "schema");
        insertCategories(db, categories);
        insertBooks(db, books);
        check(db, sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), "commit");
    } catch (...) {
        sqlite3_close(db);
        throw;
    }
    sqlite3_close(db);
}

TestCatalog::TestCatalog(const std::string& insertSql)
{
    std::filesystem::create_directories(dir_.path() / "DataBase");
    const std::string path = dir_.file("DataBase/tavro.mdb");
    WriteTestCatalog(path, {}, {});
    sqlite3* db = nullptr;
    if (sqlite3_open(path.c_str(), &db) != SQLITE_OK)
        throw std::runtime_error("cannot open " + path);
    char* error = nullptr;
    if (sqlite3_exec(db, insertSql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::string message = error ? error : "?";
        sqlite3_free(error);
        sqlite3_close(db);
        throw std::runtime_error("test catalog SQL: " + message);
    }
    sqlite3_close(db);
}

TempDir::TempDir()
{
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() / ("catalog-test-" + std::to_string(random()));
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir()
{
    std::error_code ignored;
    for (auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored))
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                     ignored);
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

} // namespace testsupport
