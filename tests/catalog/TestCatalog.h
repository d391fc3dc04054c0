#pragma once
#include <filesystem>
#include <unistd.h>
#include <sqlite3.h>
#include <stdexcept>
#include <string>

namespace testsupport {

// A program folder in a temporary place whose DataBase/tavro.mdb is an
// SQLite catalog made from the given SQL.
class TestCatalog {
public:
    explicit TestCatalog(const std::string& sql)
    {
        static int counter = 0;
        folder_ = std::filesystem::temp_directory_path() /
                  ("bookdisc-catalog-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(folder_ / "DataBase");
        sqlite3* db = nullptr;
        if (sqlite3_open((folder_ / "DataBase" / "tavro.mdb").c_str(), &db) != SQLITE_OK)
            throw std::runtime_error("cannot create test catalog");
        char* error = nullptr;
        const std::string all = std::string(kSchema) + sql;
        if (sqlite3_exec(db, all.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
            std::string message = error ? error : "?";
            sqlite3_free(error);
            sqlite3_close(db);
            throw std::runtime_error("test catalog SQL: " + message);
        }
        sqlite3_close(db);
    }
    ~TestCatalog() { std::filesystem::remove_all(folder_); }
    std::string folder() const { return folder_.string(); }

    static constexpr const char* kSchema =
        "CREATE TABLE BookType (ID INTEGER, Name TEXT, ParentID INTEGER);"
        "CREATE TABLE WebBook (ID INTEGER, Code TEXT, Name TEXT, Writer TEXT, ISBN TEXT, Price REAL,"
        " BookBrief TEXT, BookType INTEGER, Isdeleted INTEGER, IsRecommended INTEGER);";

private:
    std::filesystem::path folder_;
};

} // namespace testsupport
