#include "SyntheticCatalog.h"
#include "TestCatalog.h"
#include "catalog/Database.h"
#include "support/Paths.h"

#include <gtest/gtest.h>

#include <functional>

using namespace catalog;

namespace {

constexpr std::int32_t bookCount = 40000;
constexpr std::int32_t categoryCount = 2500;

class SyntheticCatalogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir = new testsupport::TempDir;
        tools::WriteSyntheticCatalog(dir->file("big.db"), testsupport::sourceDir() + "/disc/catalog/schema.sql",
                                     {bookCount, categoryCount});
    }
    static void TearDownTestSuite() { delete dir; }
    std::size_t rowCount(Connection& connection, const std::string& query)
    {
        std::size_t count = 0;
        for (Recordset rows = GetRecordset(connection, query, 0); !rows.atEnd(); rows.moveNext())
            ++count;
        return count;
    }

    static testsupport::TempDir* dir;
    Connection connection = OpenDatabaseFile(dir->file("big.db"), testsupport::jetHelper());
};

testsupport::TempDir* SyntheticCatalogTest::dir = nullptr;

TEST_F(SyntheticCatalogTest, CategoryWalkReachesEveryCategoryThroughNestedRecordsets)
{
    std::size_t visited = 0;
    std::function<void(std::int32_t)> walk = [&](std::int32_t parent) {
        for (Recordset rows = GetRecordset(connection, TypeNodesQuery(parent), 0); !rows.atEnd(); rows.moveNext()) {
            std::int32_t id = std::stoi(rows.field("ID"));
            EXPECT_EQ(tools::SyntheticParentOf(id), parent);
            ++visited;
            walk(id);
        }
    };
    walk(0);
    EXPECT_EQ(visited, static_cast<std::size_t>(categoryCount));
}

TEST_F(SyntheticCatalogTest, EveryShownBookIsListedOnceAndDeletedOnesNever)
{
    std::int32_t deleted = bookCount / 37;
    EXPECT_EQ(rowCount(connection, SearchBooksQuery("")), static_cast<std::size_t>(bookCount - deleted));
    std::size_t listed = 0;
    for (std::int32_t type = 1; type <= categoryCount; ++type)
        listed += rowCount(connection, BooksOfTypeQuery(type));
    EXPECT_EQ(listed, static_cast<std::size_t>(bookCount - deleted));
    EXPECT_EQ(rowCount(connection, BookDetailQuery(37 * 1000)), 0u);
    EXPECT_EQ(rowCount(connection, BookDetailQuery(bookCount - 1)), 1u);
}

TEST_F(SyntheticCatalogTest, RecommendedAreEveryFiftiethBookNotDeleted)
{
    std::size_t expected = 0;
    for (std::int32_t id = 50; id <= bookCount; id += 50)
        expected += id % 37 != 0 ? 1 : 0;
    EXPECT_EQ(rowCount(connection, RecommendedBooksQuery()), expected);
}

} // namespace
