// The book list of the disc's data folder: CSV quoting and which books the
// list holds.
#include "BookList.h"
#include "TestCatalog.h"

#include <gtest/gtest.h>

namespace {

struct CsvCase {
    std::vector<std::string> fields;
    std::string line;
};

class CsvLineTest : public testing::TestWithParam<CsvCase> {};

TEST_P(CsvLineTest, QuotesOnlyWhatNeedsIt) { EXPECT_EQ(tools::CsvLine(GetParam().fields), GetParam().line); }

INSTANTIATE_TEST_SUITE_P(Fields, CsvLineTest,
    testing::Values(CsvCase{{"a", "b"}, "a,b\r\n"}, CsvCase{{"红楼梦", "曹雪芹 高鹗"}, "红楼梦,曹雪芹 高鹗\r\n"},
        CsvCase{{"one, two"}, "\"one, two\"\r\n"}, CsvCase{{"say \"hi\""}, "\"say \"\"hi\"\"\"\r\n"},
        CsvCase{{"two\nlines", "x"}, "\"two\nlines\",x\r\n"}, CsvCase{{"", "", ""}, ",,\r\n"},
        CsvCase{{"cr\r"}, "\"cr\r\"\r\n"}));

std::string catalogWith(const testsupport::TestCatalog& catalog) { return catalog.folder() + "/DataBase/tavro.mdb"; }

TEST(BookListTest, ListsBooksNotDeletedInIdOrderWithTheirCategory)
{
    testsupport::TestCatalog catalog(
        "INSERT INTO BookType (ID, Name, ParentID) VALUES (4, '诗词', 0);"
        "INSERT INTO WebBook (ID, Code, Name, Writer, ISBN, Price, BookType, Isdeleted) VALUES"
        " (9, 'B9', '唐诗三百首', '蘅塘退士', '978-1', 25.5, 4, 0),"
        " (3, 'B3', 'Gone, \"for good\"', 'Someone', '978-2', 8, 4, 0),"
        " (5, 'B5', '删去的书', '无名', '978-3', 1, 4, 1);");

    EXPECT_EQ(tools::BookListCsv(catalogWith(catalog)),
        "书号,书名,作者,ISBN,定价,分类\r\n"
        "B3,\"Gone, \"\"for good\"\"\",Someone,978-2,8.00,诗词\r\n"
        "B9,唐诗三百首,蘅塘退士,978-1,25.50,诗词\r\n");
}

TEST(BookListTest, MissingValuesAndUnknownCategoriesGiveEmptyFields)
{
    testsupport::TestCatalog catalog("INSERT INTO WebBook (ID, Code, Name, Writer, ISBN, Price, BookType, Isdeleted)"
                                     " VALUES (1, 'B1', NULL, NULL, NULL, NULL, 77, 0);");

    EXPECT_EQ(tools::BookListCsv(catalogWith(catalog)), "书号,书名,作者,ISBN,定价,分类\r\nB1,,,,,\r\n");
}

TEST(BookListTest, AFileThatIsNoCatalogIsReported)
{
    testsupport::TempDir dir;
    EXPECT_THROW(tools::BookListCsv(dir.file("missing.mdb")), std::runtime_error);
}

} // namespace
