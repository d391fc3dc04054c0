#include "catalog/Database.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

using namespace catalog;

namespace {

struct QueryCase {
    std::string built;
    std::string expected;
};

class QueryTextTest : public ::testing::TestWithParam<QueryCase> {};

TEST_P(QueryTextTest, IsTheFixedTextWithThePlaceholder)
{
    EXPECT_EQ(GetParam().built, GetParam().expected);
}

constexpr std::int32_t maxId = std::numeric_limits<std::int32_t>::max();

INSTANTIATE_TEST_SUITE_P(
    Catalog, QueryTextTest,
    ::testing::Values(
        QueryCase{TypeNodesQuery(0), "Select * From BookType Where ParentID = 0"},
        QueryCase{TypeNodesQuery(-7), "Select * From BookType Where ParentID = -7"},
        QueryCase{TypeNodesQuery(40000), "Select * From BookType Where ParentID = 40000"},
        QueryCase{BooksOfTypeQuery(12), "Select * From WebBook Where Isdeleted =0 And BookType = 12 Order By Name"},
        QueryCase{BooksOfTypeQuery(maxId),
                  "Select * From WebBook Where Isdeleted =0 And BookType = 2147483647 Order By Name"},
        QueryCase{RecommendedBooksQuery(), "Select * From WebBook Where Isdeleted = 0 And IsRecommended = true"},
        QueryCase{BookDetailQuery(15), "Select * From WebBook Where Isdeleted = 0 And ID = 15"},
        QueryCase{BookDetailQuery(-32768), "Select * From WebBook Where Isdeleted = 0 And ID = -32768"},
        QueryCase{BookDetailQuery(70000), "Select * From WebBook Where Isdeleted = 0 And ID = 70000"},
        // Ordinary search text: exactly the fixed text, trimmed of spaces only.
        QueryCase{SearchBooksQuery("文学"),
                  "Select * From WebBook Where Isdeleted = 0 And Name like '%文学%' Order By Name"},
        QueryCase{SearchBooksQuery("  红楼 梦  "),
                  "Select * From WebBook Where Isdeleted = 0 And Name like '%红楼 梦%' Order By Name"},
        QueryCase{SearchBooksQuery("    "), "Select * From WebBook Where Isdeleted = 0 And Name like '%%' Order By Name"},
        QueryCase{SearchBooksQuery(""), "Select * From WebBook Where Isdeleted = 0 And Name like '%%' Order By Name"},
        QueryCase{SearchBooksQuery("\tC:\\dir"),
                  "Select * From WebBook Where Isdeleted = 0 And Name like '%\tC:\\dir%' Order By Name"},
        // Quotes are doubled; wildcards and the escape character escaped only when a wildcard is present.
        QueryCase{SearchBooksQuery("It's"),
                  "Select * From WebBook Where Isdeleted = 0 And Name like '%It''s%' Order By Name"},
        QueryCase{SearchBooksQuery("100%"),
                  "Select * From WebBook Where Isdeleted = 0 And Name like '%100\\%%' ESCAPE '\\' Order By Name"},
        QueryCase{SearchBooksQuery("a_b\\c"),
                  "Select * From WebBook Where Isdeleted = 0 And Name like '%a\\_b\\\\c%' ESCAPE '\\' Order By Name"}));

} // namespace
