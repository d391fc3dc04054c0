#include "catalog/Database.h"
#include "platform/fake/FakeServices.h"
#include "support/Paths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

using namespace catalog;

namespace {

struct Book {
    std::map<std::string, std::string> fields;
    const std::string& operator[](const std::string& name) const { return fields.at(name); }
};

bool isbn13Valid(const std::string& isbn)
{
    if (isbn.size() != 13 || !std::all_of(isbn.begin(), isbn.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    int sum = 0;
    for (std::size_t i = 0; i < 13; ++i)
        sum += (isbn[i] - '0') * (i % 2 == 0 ? 1 : 3);
    return sum % 10 == 0;
}

bool isFileStem(const std::string& code)
{
    return !code.empty() && std::all_of(code.begin(), code.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
    });
}

std::size_t sentenceCount(const std::string& text)
{
    std::size_t count = 0;
    for (const char* end : {"。", "！", "？"}) {
        for (std::size_t at = text.find(end); at != std::string::npos; at = text.find(end, at + 1))
            ++count;
    }
    return count;
}

class SampleCatalogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        app.folder = testsupport::discDir() + "/product";
        connection = std::make_unique<Connection>(GetConnection(app, testsupport::jetHelper()));
        for (Recordset rows = GetRecordset(*connection, "Select * From WebBook", 0); !rows.atEnd(); rows.moveNext()) {
            Book book;
            for (const char* name : {"ID", "Code", "Name", "Writer", "ISBN", "Price", "BookBrief", "BookType",
                                     "Isdeleted", "IsRecommended"})
                book.fields[name] = rows.field(name);
            books.push_back(book);
        }
    }
    std::size_t depthBelow(std::int32_t parent, std::vector<std::int32_t>& visited)
    {
        std::size_t depth = 0;
        for (Recordset rows = GetRecordset(*connection, TypeNodesQuery(parent), 0); !rows.atEnd(); rows.moveNext()) {
            visited.push_back(std::stoi(rows.field("ID")));
            depth = std::max(depth, 1 + depthBelow(visited.back(), visited));
        }
        return depth;
    }
    std::size_t rowCount(const std::string& query)
    {
        std::size_t count = 0;
        for (Recordset rows = GetRecordset(*connection, query, 0); !rows.atEnd(); rows.moveNext())
            ++count;
        return count;
    }

    platform::fake::FakeApplication app;
    std::unique_ptr<Connection> connection;
    std::vector<Book> books;
};

TEST_F(SampleCatalogTest, CategoriesFormATreeThreeLevelsDeepWithSomeEmpty)
{
    std::vector<std::int32_t> visited;
    EXPECT_EQ(depthBelow(0, visited), 3u);
    EXPECT_GE(visited.size(), 12u);
    EXPECT_EQ(rowCount("Select * From BookType"), visited.size()) << "every category is reachable from the root";
    std::size_t empty = 0;
    for (std::int32_t id : visited)
        empty += rowCount(BooksOfTypeQuery(id)) == 0 ? 1 : 0;
    EXPECT_GE(empty, 1u);
    EXPECT_LT(empty, visited.size());
}

TEST_F(SampleCatalogTest, EveryBookIsComplete)
{
    ASSERT_GE(books.size(), 150u);
    std::set<std::string> codes;
    for (const auto& book : books) {
        SCOPED_TRACE(book["ID"] + " " + book["Name"]);
        EXPECT_FALSE(book["Name"].empty());
        EXPECT_FALSE(book["Writer"].empty());
        EXPECT_TRUE(isbn13Valid(book["ISBN"])) << book["ISBN"];
        EXPECT_TRUE(isFileStem(book["Code"])) << book["Code"];
        EXPECT_TRUE(codes.insert(book["Code"]).second) << "duplicate code";
        EXPECT_GT(std::stod(book["Price"]), 0);
        EXPECT_LE(sentenceCount(book["BookBrief"]), 3u);
        EXPECT_EQ(book["BookBrief"].empty(), sentenceCount(book["BookBrief"]) == 0);
        EXPECT_EQ(rowCount("Select * From BookType Where ID = " + book["BookType"]), 1u);
    }
}

TEST_F(SampleCatalogTest, HoldsTheVarietyThePagesMustHandle)
{
    auto count = [&](auto predicate) { return std::count_if(books.begin(), books.end(), predicate); };
    auto has = [](const std::string& text, const char* part) { return text.find(part) != std::string::npos; };
    EXPECT_GE(count([](const Book& b) { return b["IsRecommended"] != "0"; }), 3);
    EXPECT_GE(count([](const Book& b) { return b["Isdeleted"] != "0"; }), 2);
    EXPECT_GE(count([](const Book& b) { return b["BookBrief"].empty(); }), 2);
    EXPECT_GE(count([&](const Book& b) { return has(b["Name"], "'"); }), 1);
    EXPECT_GE(count([&](const Book& b) { return has(b["Name"], "&") || has(b["Name"], "<"); }), 1);
    EXPECT_GE(count([&](const Book& b) { return has(b["Price"], "."); }), 1);
    EXPECT_GE(count([&](const Book& b) { return !has(b["Price"], "."); }), 1);
}

TEST_F(SampleCatalogTest, SearchesForItsApostropheAndMarkupNamesFindThem)
{
    for (const auto& book : books) {
        if (book["Isdeleted"] != "0" || book["Name"].find_first_of("'&<") == std::string::npos)
            continue;
        std::set<std::string> found;
        for (Recordset rows = GetRecordset(*connection, SearchBooksQuery(book["Name"]), 0); !rows.atEnd(); rows.moveNext())
            found.insert(rows.field("ID"));
        EXPECT_EQ(found.count(book["ID"]), 1u) << book["Name"];
    }
}

} // namespace
