#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

// IDs are 64-bit, as SQLite stores them, so catalogs with IDs beyond what the
// catalog handles can be written.
struct TestBook {
    std::int64_t id;
    std::optional<std::string> name;
    std::int64_t type;
    int deleted = 0;
    int recommended = 0;
    std::optional<double> price = 10;
    std::optional<std::string> brief = std::string("一本书。");
    // Empty: made up from the ID.
    std::string code{}, writer{}, isbn{};
};

struct TestCategory {
    std::int64_t id;
    std::string name;
    std::int64_t parent;
};

// Writes an SQLite catalog with the two tables and the given rows.
void WriteTestCatalog(const std::string& path, const std::vector<TestBook>& books,
                      const std::vector<TestCategory>& categories);

// A fresh folder under the system's temporary folder, removed with all it
// holds (write permission restored first) when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& relative) const { return (path_ / relative).string(); }

private:
    std::filesystem::path path_;
};

// A program folder whose DataBase/tavro.mdb is an SQLite catalog with the two
// tables and whatever rows the given SQL inserts.
class TestCatalog {
public:
    explicit TestCatalog(const std::string& insertSql = "");
    std::string folder() const { return dir_.path().string(); }

private:
    TempDir dir_;
};

} // namespace testsupport
