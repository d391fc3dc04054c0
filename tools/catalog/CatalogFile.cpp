#include "CatalogFile.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tools {

namespace {

std::string readWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

} // namespace

void ExecuteSqlText(sqlite3* db, const std::string& sql)
{
    char* message = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        std::string reason = message ? message : "unknown error";
        sqlite3_free(message);
        throw std::runtime_error(reason);
    }
}

void ExecuteSqlFile(sqlite3* db, const std::string& sqlFile)
{
    try {
        ExecuteSqlText(db, readWholeFile(sqlFile));
    } catch (const std::runtime_error& error) {
        throw std::runtime_error(sqlFile + ": " + error.what());
    }
}

void WriteCatalogFile(const std::string& output, const std::function<void(sqlite3*)>& fill)
{
    namespace fs = std::filesystem;
    fs::path target(output);
    if (target.has_parent_path())
        fs::create_directories(target.parent_path());
    std::string temporary = output + ".part";
    fs::remove(temporary);
    sqlite3* db = nullptr;
    if (sqlite3_open(temporary.c_str(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot create " + temporary);
    }
    try {
        fill(db);
    } catch (...) {
        sqlite3_close(db);
        fs::remove(temporary);
        throw;
    }
    sqlite3_close(db);
    fs::rename(temporary, target);
}

void BuildCatalogFromSql(const std::string& output, const std::vector<std::string>& sqlFiles)
{
    WriteCatalogFile(output, [&](sqlite3* db) {
        for (const auto& file : sqlFiles)
            ExecuteSqlFile(db, file);
    });
}

} // namespace tools
