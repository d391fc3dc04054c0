#include "TestCatalog.h"
#include "catalog/Database.h"
#include "platform/fake/FakeServices.h"
#include "base/Text.h"
#include "support/Paths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

using namespace catalog;
using testsupport::TestBook;
using testsupport::TestCategory;

namespace {

const std::vector<TestCategory> categories = {
    {1, "文学", 0}, {2, "小说", 1}, {3, "诗歌", 1}, {4, "中国小说", 2}, {5, "空的分类", 0}, {40000, "大编号分类", 0},
};

const std::vector<TestBook> books = {
    {1, "红楼梦", 4, 0, 1, 12.5},
    {2, "三国演义", 4, 1, 1},
    {3, "It's a book", 2, 0, 0, 30},
    {4, "100% 纯棉", 2},
    {5, "snake_case 入门", 2, 0, 1},
    {6, "100 percent", 3},
    {7, "snakeXcase", 3},
    {8, "C:\\dir 路径", 3},
    {9, std::nullopt, 3},
    {10, "唐诗 三百首", 3, 0, 1, std::nullopt, std::nullopt},
    {11, "O'Reilly 100%_\\ mix", 2},
    {12, "", 2},
    {13, "已删除的书 It's 100%", 2, -1, 1},
    {14, "Ah_ha", 4, 7},
    {40001, "大编号的书", 40000, 0, 0, 3.25},
};

bool isShown(const TestBook& book) { return book.deleted == 0; }

// Every book by name, as "Order By Name" lists them: the null name first,
// then ASCII with letters in either case together, then Chinese by pinyin
// (da, hong, san, tang, yi).
const std::vector<std::int32_t> idsByName = {9, 12, 6, 4, 14, 8, 3, 11, 5, 7, 40001, 1, 2, 10, 13};

std::size_t rankByName(const TestBook* book)
{
    return static_cast<std::size_t>(std::find(idsByName.begin(), idsByName.end(), book->id) - idsByName.begin());
}

bool nameOrder(const TestBook* a, const TestBook* b) { return rankByName(a) < rankByName(b); }

std::vector<std::string> idsOf(std::vector<const TestBook*> selected, bool sortByName)
{
    if (sortByName)
        std::stable_sort(selected.begin(), selected.end(), nameOrder);
    std::vector<std::string> ids;
    for (const auto* book : selected)
        ids.push_back(std::to_string(book->id));
    return ids;
}

template <typename Predicate> std::vector<std::string> expectedIds(Predicate keep, bool sortByName)
{
    std::vector<const TestBook*> selected;
    for (const auto& book : books) {
        if (keep(book))
            selected.push_back(&book);
    }
    return idsOf(selected, sortByName);
}

std::vector<std::string> walk(Recordset rows, const std::string& field = "ID")
{
    std::vector<std::string> values;
    while (!rows.atEnd()) {
        values.push_back(rows.field(field));
        rows.moveNext();
    }
    return values;
}

std::vector<std::string> sorted(std::vector<std::string> values)
{
    std::sort(values.begin(), values.end());
    return values;
}

class SqliteCatalogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(dir.path() / "DataBase");
        testsupport::WriteTestCatalog(dir.file("DataBase/tavro.mdb"), books, categories);
        app.folder = dir.path().string();
        connection = std::make_unique<Connection>(GetConnection(app, testsupport::jetHelper()));
    }
    std::vector<std::string> query(const std::string& text, const std::string& field = "ID")
    {
        return walk(GetRecordset(*connection, text, 0), field);
    }

    testsupport::TempDir dir;
    platform::fake::FakeApplication app;
    std::unique_ptr<Connection> connection;
};

TEST(SqliteCatalogBooks, TheNameRankingHoldsEveryBookOnce)
{
    std::vector<std::int32_t> ids;
    for (const auto& book : books)
        ids.push_back(book.id);
    std::vector<std::int32_t> ranked = idsByName;
    std::sort(ids.begin(), ids.end());
    std::sort(ranked.begin(), ranked.end());
    EXPECT_EQ(ranked, ids);
}

TEST_F(SqliteCatalogTest, ConnectionStringNamesTheProgramFoldersDatabase)
{
    EXPECT_EQ(connection->connectionString(),
              "provider=microsoft.jet.oledb.4.0;data source=" + app.folder + "/DataBase/tavro.mdb");
}

class SearchTest : public SqliteCatalogTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(SearchTest, FindsExactlyTheShownNamesThatContainTheTrimmedText)
{
    std::string text = base::trimSpaces(GetParam());
    auto expected = expectedIds(
        [&](const TestBook& b) { return isShown(b) && b.name && base::findNoCase(*b.name, text) != std::string::npos; },
        true);
    EXPECT_EQ(query(SearchBooksQuery(GetParam())), expected);
}

INSTANTIATE_TEST_SUITE_P(Literal, SearchTest,
                         ::testing::Values("", "     ", "'", "%", "_", "\\", "snake_case", "100%", "100", "It's",
                                           " 红楼 ", "唐诗 三百", "唐诗三百", "no such book", "O'Reilly 100%_\\",
                                           "%_", "''", "IT'S", "%'; DELETE FROM WebBook; --", "' OR '1'='1"));

// Random texts over the characters that mean something to the query language,
// against the same containment test done in C++.
TEST_F(SqliteCatalogTest, RandomSearchTextsMatchLiterally)
{
    const std::vector<std::string> pieces = {"'", "%", "_", "\\", " ", "1", "0", "a", "I", "t", "s", "红", "100", "O'"};
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        std::string text;
        int length = std::uniform_int_distribution<int>(0, 4)(random);
        for (int i = 0; i < length; ++i)
            text += pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
        std::string trimmed = base::trimSpaces(text);
        auto expected = expectedIds(
            [&](const TestBook& b) {
                return isShown(b) && b.name && base::findNoCase(*b.name, trimmed) != std::string::npos;
            },
            true);
        EXPECT_EQ(query(SearchBooksQuery(text)), expected) << "[" << text << "]";
    }
}

TEST_F(SqliteCatalogTest, SearchTextThatCouldEndTheStatementLeavesTheTableIntact)
{
    query(SearchBooksQuery("x'; DELETE FROM WebBook; --"));
    EXPECT_EQ(query("Select count(*) As n From WebBook", "n"), std::vector<std::string>{std::to_string(books.size())});
}

TEST_F(SqliteCatalogTest, BooksOfEachCategoryAreTheShownOnesOrderedByName)
{
    for (const auto& category : categories) {
        auto expected = expectedIds([&](const TestBook& b) { return isShown(b) && b.type == category.id; }, true);
        EXPECT_EQ(query(BooksOfTypeQuery(category.id)), expected) << category.name;
    }
}

TEST_F(SqliteCatalogTest, CategoryWithNoBooksIsAtEndAtOnce)
{
    Recordset rows = GetRecordset(*connection, BooksOfTypeQuery(5), 0);
    EXPECT_TRUE(rows.isOpen());
    EXPECT_TRUE(rows.atEnd());
    EXPECT_THROW(rows.field("ID"), DatabaseError);
    EXPECT_THROW(rows.moveNext(), DatabaseError);
}

TEST_F(SqliteCatalogTest, RecommendedListHoldsTheShownRecommendedBooks)
{
    auto expected = expectedIds([](const TestBook& b) { return isShown(b) && b.recommended != 0; }, false);
    EXPECT_EQ(sorted(query(RecommendedBooksQuery())), sorted(expected));
}

TEST_F(SqliteCatalogTest, DeletedBooksAreInNoQuery)
{
    std::set<std::string> deleted;
    for (const auto& b : books) {
        if (!isShown(b))
            deleted.insert(std::to_string(b.id));
    }
    ASSERT_FALSE(deleted.empty());
    std::vector<std::string> everyListed = query(SearchBooksQuery(""));
    for (const auto& id : query(RecommendedBooksQuery()))
        everyListed.push_back(id);
    for (const auto& category : categories) {
        for (const auto& id : query(BooksOfTypeQuery(category.id)))
            everyListed.push_back(id);
    }
    for (const auto& id : everyListed)
        EXPECT_EQ(deleted.count(id), 0u) << id;
    for (const auto& id : deleted)
        EXPECT_TRUE(query(BookDetailQuery(std::stoi(id))).empty()) << id;
}

std::string expectedText(const std::optional<std::string>& text) { return text.value_or(""); }

TEST_F(SqliteCatalogTest, DetailGivesEachFieldInItsPlainTextForm)
{
    for (const auto& book : books) {
        if (!isShown(book))
            continue;
        Recordset row = GetRecordset(*connection, BookDetailQuery(book.id), 0);
        ASSERT_FALSE(row.atEnd()) << book.id;
        std::string id = std::to_string(book.id);
        EXPECT_EQ(row.field("Code"), "TB" + id);
        EXPECT_EQ(row.field("Name"), expectedText(book.name));
        EXPECT_EQ(row.field("Writer"), "作者" + id);
        EXPECT_EQ(row.field("ISBN"), "978000000" + id);
        EXPECT_EQ(row.field("BookBrief"), expectedText(book.brief));
        EXPECT_EQ(row.field("BookType"), std::to_string(book.type));
        row.moveNext();
        EXPECT_TRUE(row.atEnd());
    }
}

struct PriceCase {
    std::int32_t bookId;
    std::string text;
};

class PriceTest : public SqliteCatalogTest, public ::testing::WithParamInterface<PriceCase> {};

TEST_P(PriceTest, PriceIsDecimalWithoutTrailingZeros)
{
    Recordset row = GetRecordset(*connection, BookDetailQuery(GetParam().bookId), 0);
    EXPECT_EQ(row.field("Price"), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Prices, PriceTest,
                         ::testing::Values(PriceCase{1, "12.5"}, PriceCase{3, "30"}, PriceCase{4, "10"},
                                           PriceCase{10, ""}, PriceCase{40001, "3.25"}));

TEST_F(SqliteCatalogTest, FieldNamesMatchWhateverTheirCase)
{
    Recordset row = GetRecordset(*connection, BookDetailQuery(3), 0);
    for (const char* name : {"Name", "NAME", "name", "nAmE"})
        EXPECT_EQ(row.field(name), "It's a book") << name;
    EXPECT_EQ(row.field("isdeleted"), "0");
    EXPECT_THROW(row.field("Nmae"), DatabaseError);
}

TEST_F(SqliteCatalogTest, IdsBeyondSixteenBitsWork)
{
    EXPECT_EQ(query(TypeNodesQuery(0)), (std::vector<std::string>{"1", "5", "40000"}));
    EXPECT_EQ(query(BooksOfTypeQuery(40000)), std::vector<std::string>{"40001"});
    EXPECT_EQ(query(BookDetailQuery(40001), "Name"), std::vector<std::string>{"大编号的书"});
}

// The category walk: one recordset per tree level, all open at once.
void walkTree(Connection& connection, std::int32_t parent, std::vector<std::string>& visited)
{
    Recordset rows = GetRecordset(connection, TypeNodesQuery(parent), 0);
    while (!rows.atEnd()) {
        std::string id = rows.field("ID");
        visited.push_back(id + ":" + rows.field("Name"));
        walkTree(connection, std::stoi(id), visited);
        rows.moveNext();
    }
}

// The same walk with each level read completely before descending.
void walkTreeLevelByLevel(Connection& connection, std::int32_t parent, std::vector<std::string>& visited)
{
    std::vector<std::string> ids = walk(GetRecordset(connection, TypeNodesQuery(parent), 0));
    std::vector<std::string> names = walk(GetRecordset(connection, TypeNodesQuery(parent), 0), "Name");
    for (std::size_t i = 0; i < ids.size(); ++i) {
        visited.push_back(ids[i] + ":" + names[i]);
        walkTreeLevelByLevel(connection, std::stoi(ids[i]), visited);
    }
}

TEST_F(SqliteCatalogTest, NestedRecordsetsWalkTheTreeDepthFirst)
{
    std::vector<std::string> nested, flat;
    walkTree(*connection, 0, nested);
    walkTreeLevelByLevel(*connection, 0, flat);
    EXPECT_EQ(nested, flat);
    EXPECT_EQ(nested.size(), categories.size());
    EXPECT_EQ(nested.front(), "1:文学");
    EXPECT_EQ(nested[1], "2:小说");
    EXPECT_EQ(nested[2], "4:中国小说");
}

TEST_F(SqliteCatalogTest, RecordsetsOnOneConnectionReadAlternately)
{
    Recordset all = GetRecordset(*connection, SearchBooksQuery(""), 0);
    Recordset same = GetRecordset(*connection, SearchBooksQuery(""), 1);
    std::vector<std::string> first, second;
    while (!all.atEnd()) {
        first.push_back(all.field("ID"));
        all.moveNext();
        ASSERT_FALSE(same.atEnd());
        second.push_back(same.field("ID"));
        same.moveNext();
    }
    EXPECT_TRUE(same.atEnd());
    EXPECT_EQ(first, second);
    EXPECT_FALSE(first.empty());
}

class ModeTest : public SqliteCatalogTest, public ::testing::WithParamInterface<std::int16_t> {};

TEST_P(ModeTest, ModesOtherThanZeroAndOneGiveARecordsetThatIsNotOpen)
{
    for (const std::string& text : {BookDetailQuery(1), std::string("not a query at all")}) {
        Recordset rows = GetRecordset(*connection, text, GetParam());
        EXPECT_FALSE(rows.isOpen());
        EXPECT_TRUE(rows.atEnd());
        EXPECT_THROW(rows.field("ID"), DatabaseError);
        EXPECT_THROW(rows.moveNext(), DatabaseError);
    }
}

INSTANTIATE_TEST_SUITE_P(Closed, ModeTest, ::testing::Values(-32768, -1, 2, 3, 32767));

TEST_F(SqliteCatalogTest, ModesZeroAndOneOpenTheRecordset)
{
    for (std::int16_t mode : {0, 1}) {
        Recordset rows = GetRecordset(*connection, BookDetailQuery(1), mode);
        EXPECT_TRUE(rows.isOpen());
        EXPECT_EQ(rows.field("Name"), "红楼梦");
    }
}

class RejectedQueryTest : public SqliteCatalogTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(RejectedQueryTest, ReachesTheCallerAsDatabaseErrorAndChangesNothing)
{
    try {
        GetRecordset(*connection, GetParam(), 0);
        FAIL() << "accepted: " << GetParam();
    } catch (const DatabaseError& error) {
        EXPECT_NE(std::string(error.what()).find("query rejected"), std::string::npos) << error.what();
    }
    EXPECT_EQ(query("Select count(*) As n From WebBook", "n"), std::vector<std::string>{std::to_string(books.size())});
}

INSTANTIATE_TEST_SUITE_P(Catalog, RejectedQueryTest,
                         ::testing::Values("Select * From NoSuchTable", "Select * Form WebBook", "",
                                           "Delete From WebBook", "Select 1; Delete From WebBook",
                                           std::string("Select * From WebBook\0 Where 0", 30)));

} // namespace
