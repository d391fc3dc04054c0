#include "SyntheticCatalog.h"
#include "CatalogFile.h"

#include <array>
#include <random>
#include <stdexcept>

namespace tools {

namespace {

constexpr std::int32_t treeWidth = 16;
constexpr std::int32_t deletedEvery = 37;
constexpr std::int32_t recommendedEvery = 50;

const std::array<const char*, 16> subjects = {"历史", "文学", "经济", "哲学", "数学", "物理", "化学", "生物",
                                              "地理", "艺术", "音乐", "计算机", "教育", "法律", "医学", "农业"};
const std::array<const char*, 12> openings = {"简明", "图解", "实用", "现代", "经典", "新编",
                                              "基础", "高级", "趣味", "大众", "百科", "精要"};
const std::array<const char*, 8> endings = {"教程", "导论", "手册", "故事", "讲义", "文集", "研究", "读本"};
const std::array<const char*, 10> surnames = {"王", "李", "张", "刘", "陈", "杨", "赵", "黄", "周", "吴"};
const std::array<const char*, 10> givenNames = {"伟", "芳", "娜", "敏", "静", "强", "磊", "洋", "艳", "军"};

using Random = std::mt19937;

template <std::size_t N> const char* pick(Random& random, const std::array<const char*, N>& pool)
{
    return pool[std::uniform_int_distribution<std::size_t>(0, N - 1)(random)];
}

std::string isbnFor(std::int32_t bookId)
{
    std::string digits = "9787" + std::to_string(10000000 + bookId % 90000000).substr(0, 8);
    int sum = 0;
    for (std::size_t i = 0; i < digits.size(); ++i)
        sum += (digits[i] - '0') * (i % 2 == 0 ? 1 : 3);
    return digits + std::to_string((10 - sum % 10) % 10);
}

struct Statement {
    sqlite3_stmt* handle = nullptr;
    Statement(sqlite3* db, const char* sql)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &handle, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db));
    }
    ~Statement() { sqlite3_finalize(handle); }
    void text(int index, const std::string& value) { sqlite3_bind_text(handle, index, value.c_str(), -1, SQLITE_TRANSIENT); }
    void run(sqlite3* db)
    {
        if (sqlite3_step(handle) != SQLITE_DONE)
            throw std::runtime_error(sqlite3_errmsg(db));
        sqlite3_reset(handle);
    }
};

void writeCategories(sqlite3* db, std::int32_t count, Random& random)
{
    Statement insert(db, "INSERT INTO BookType (ID, Name, ParentID) VALUES (?, ?, ?)");
    for (std::int32_t id = 1; id <= count; ++id) {
        sqlite3_bind_int(insert.handle, 1, id);
        insert.text(2, std::string(pick(random, subjects)) + pick(random, openings) + std::to_string(id));
        sqlite3_bind_int(insert.handle, 3, SyntheticParentOf(id));
        insert.run(db);
    }
}

void writeBooks(sqlite3* db, SyntheticCatalogSize size, Random& random)
{
    Statement insert(db, "INSERT INTO WebBook (ID, Code, Name, Writer, ISBN, Price, BookBrief, BookType, Isdeleted,"
                         " IsRecommended) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    std::uniform_int_distribution<int> halfYuan(10, 200);
    for (std::int32_t id = 1; id <= size.books; ++id) {
        std::string subject = pick(random, subjects);
        sqlite3_bind_int(insert.handle, 1, id);
        insert.text(2, "SB" + std::to_string(id));
        insert.text(3, std::string(pick(random, openings)) + subject + pick(random, endings) + std::to_string(id % 997));
        insert.text(4, std::string(pick(random, surnames)) + pick(random, givenNames) + pick(random, givenNames));
        insert.text(5, isbnFor(id));
        sqlite3_bind_double(insert.handle, 6, halfYuan(random) / 2.0);
        insert.text(7, "一本关于" + subject + "的书。适合对" + subject + "感兴趣的读者。");
        sqlite3_bind_int(insert.handle, 8, 1 + static_cast<std::int32_t>((id * 7919LL) % size.categories));
        sqlite3_bind_int(insert.handle, 9, id % deletedEvery == 0 ? 1 : 0);
        sqlite3_bind_int(insert.handle, 10, id % recommendedEvery == 0 ? 1 : 0);
        insert.run(db);
    }
}

} // namespace

std::int32_t SyntheticParentOf(std::int32_t categoryId)
{
    return categoryId <= treeWidth ? 0 : (categoryId - treeWidth - 1) / treeWidth + 1;
}

void WriteSyntheticCatalog(const std::string& output, const std::string& schemaFile, SyntheticCatalogSize size)
{
    if (size.books < 0 || size.categories < 1)
        throw std::runtime_error("a synthetic catalog needs at least one category and no negative book count");
    WriteCatalogFile(output, [&](sqlite3* db) {
        Random random(20260101);
        ExecuteSqlFile(db, schemaFile);
        ExecuteSqlText(db, "BEGIN");
        writeCategories(db, size.categories, random);
        writeBooks(db, size, random);
        ExecuteSqlText(db, "COMMIT");
    });
}

} // namespace tools
