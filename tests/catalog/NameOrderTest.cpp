#include "JetCatalog.h"
#include "TestCatalog.h"
#include "catalog/Database.h"
#include "catalog/NameOrder.h"
#include "support/Programs.h"
#include "support/Paths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace catalog;
using testsupport::TempDir;
using testsupport::TestBook;

namespace {

int sign(int value) { return (value > 0) - (value < 0); }

struct PairCase {
    const char* first;
    const char* second;
    int order; // -1: first comes first, 0: the same text
};

class NameOrderPairTest : public ::testing::TestWithParam<PairCase> {};

TEST_P(NameOrderPairTest, ComparesBothWays)
{
    const auto& c = GetParam();
    EXPECT_EQ(sign(CompareNames(c.first, c.second)), c.order) << c.first << " / " << c.second;
    EXPECT_EQ(sign(CompareNames(c.second, c.first)), -c.order) << c.second << " / " << c.first;
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, NameOrderPairTest,
    ::testing::Values(PairCase{"甲书", "乙书", -1},          // jia, yi
                      PairCase{"阿Q正传", "八月", -1},       // a, ba
                      PairCase{"张三", "中国", -1},          // zhang, zhong
                      PairCase{"红楼梦", "红楼梦魇", -1},    // a name before its longer self
                      PairCase{"apple", "Zebra", -1},        // letters without regard to case
                      PairCase{"APPLE", "zebra", -1},
                      PairCase{"apple pie", "Apple Tart", -1},
                      PairCase{"Apple", "apple", -1},        // the same but for case: by bytes
                      PairCase{"snake_case", "snakeXcase", -1}, // '_' before the letters, as NOCASE folds
                      PairCase{"100 本", "100%", -1},
                      PairCase{"Zebra", "阿", -1},           // ASCII before Chinese
                      PairCase{"中文", "中文", 0},
                      PairCase{"", "a", -1},
                      PairCase{"\xFF", "\xFE", 1}));         // bytes that are no UTF-8 still have a place

// The order is a total one: sorting any shuffle of a list gives one result.
TEST(NameOrder, AnyShuffleSortsTheSameWay)
{
    const std::vector<std::string> expected = {"", "100 本", "3D 打印", "apple", "Apple Pie", "banana", "Zebra",
                                               "阿Q正传", "边城", "红楼梦", "甲书", "乙书", "张三", "中国"};
    std::mt19937 random(11);
    for (int round = 0; round < 20; ++round) {
        std::vector<std::string> names = expected;
        std::shuffle(names.begin(), names.end(), random);
        std::sort(names.begin(), names.end(), [](const auto& a, const auto& b) { return CompareNames(a, b) < 0; });
        EXPECT_EQ(names, expected);
    }
}

// A catalog whose books of category 1 have the given names, inserted in
// the given order.
std::vector<TestBook> booksNamed(const std::vector<std::string>& names)
{
    std::vector<TestBook> books;
    for (std::size_t i = 0; i < names.size(); ++i)
        books.push_back({static_cast<std::int32_t>(i + 1), names[i], 1});
    return books;
}

std::vector<std::string> namesOfCategory(Connection& connection, std::int32_t category)
{
    std::vector<std::string> names;
    for (Recordset rows = GetRecordset(connection, BooksOfTypeQuery(category), 0); !rows.atEnd(); rows.moveNext())
        names.push_back(rows.field("Name"));
    return names;
}

// Code point order would put 中 (U+4E2D) first and 边 (U+8FB9) last.
const std::vector<std::string> mixedNames = {"中国", "Zebra", "乙书", "apple", "边城", "Apple Pie", "甲书", "3D 打印",
                                             "张三", "红楼梦", "阿Q正传", "banana"};
const std::vector<std::string> mixedNamesInOrder = {"3D 打印", "apple", "Apple Pie", "banana", "Zebra", "阿Q正传",
                                                    "边城", "红楼梦", "甲书", "乙书", "张三", "中国"};

class CatalogNameOrderTest : public ::testing::Test {
protected:
    CatalogNameOrderTest() { testsupport::WriteTestCatalog(sqlitePath(), booksNamed(mixedNames), {{1, "书", 0}}); }
    std::string sqlitePath() const { return dir.file("catalog.db"); }

    TempDir dir;
};

TEST_F(CatalogNameOrderTest, BothKindsOfCatalogFileListNamesInPinyinOrder)
{
    Connection sqlite = OpenDatabaseFile(sqlitePath(), testsupport::jetHelper());
    EXPECT_EQ(namesOfCategory(sqlite, 1), mixedNamesInOrder);

    tools::WriteJetCatalog(sqlitePath(), dir.file("catalog.mdb"));
    Connection jet = OpenDatabaseFile(dir.file("catalog.mdb"), testsupport::jetHelper());
    EXPECT_EQ(namesOfCategory(jet, 1), mixedNamesInOrder);
}

TEST_F(CatalogNameOrderTest, SearchesAreInPinyinOrderAndTheQueryTextsStayAsTheyWere)
{
    EXPECT_EQ(BooksOfTypeQuery(1), "Select * From WebBook Where Isdeleted =0 And BookType = 1 Order By Name");
    Connection sqlite = OpenDatabaseFile(sqlitePath(), testsupport::jetHelper());
    std::vector<std::string> found;
    for (Recordset rows = GetRecordset(sqlite, SearchBooksQuery(""), 0); !rows.atEnd(); rows.moveNext())
        found.push_back(rows.field("Name"));
    EXPECT_EQ(found, mixedNamesInOrder);
}

// sqlite_sequence has a column "name" too, but SQLite's own tables are no
// catalog's: a file with them opens as any other.
TEST(CatalogFileNameOrder, SqlitesOwnTablesAreLeftAlone)
{
    testsupport::TestCatalog catalog(
        "INSERT INTO WebBook (ID, Name, BookType, Isdeleted) VALUES (1, '乙书', 1, 0), (2, '甲书', 1, 0);"
        "CREATE TABLE Log (ID INTEGER PRIMARY KEY AUTOINCREMENT, Name TEXT);"
        "INSERT INTO Log (Name) VALUES ('x'); ANALYZE;");
    Connection connection = OpenDatabaseFile(catalog.folder() + "/DataBase/tavro.mdb", testsupport::jetHelper());
    EXPECT_EQ(namesOfCategory(connection, 1), (std::vector<std::string>{"甲书", "乙书"}));
}

// The order lives in our connections, not in the file: the stock sqlite3
// tool runs the catalog's queries on the sample disc's catalog and sorts by
// its own rules.
TEST(CatalogFileForTheStockTool, RunsEveryQueryWithoutErrors)
{
    const std::string queries = TypeNodesQuery(0) + ";\n" + BooksOfTypeQuery(1) + ";\n" + SearchBooksQuery("的") +
                                ";\n" + RecommendedBooksQuery() + ";\n" + BookDetailQuery(1) + ";\n";
    const auto outcome = testsupport::runProgram(
        {"sqlite3", "-bail", "-readonly", testsupport::discDir() + "/product/DataBase/tavro.mdb", queries});
    EXPECT_EQ(outcome.exitStatus, 0) << outcome.output;
    EXPECT_EQ(outcome.output.find("Error"), std::string::npos) << outcome.output;
    EXPECT_GT(std::count(outcome.output.begin(), outcome.output.end(), '\n'), 20) << outcome.output;
}

} // namespace
