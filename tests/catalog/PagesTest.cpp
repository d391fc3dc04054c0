#include "TestCatalog.h"
#include "catalog/DetailPage.h"
#include "catalog/ListPage.h"
#include "catalog/TreePage.h"
#include "platform/fake/FakeControls.h"
#include "support/Paths.h"

#include <gtest/gtest.h>

#include <functional>

using namespace catalog;
using platform::fake::FakeBrowser;
using testsupport::TestCatalog;

namespace {

const char* const kSampleRows =
    "INSERT INTO BookType VALUES (12, '文学', 0), (3, '小说', 12), (5, '诗歌', 12), (7, '科技', 0),"
    " (9, '迷失', 99), (4, '中国小说', 3);"
    "INSERT INTO WebBook VALUES"
    " (15, 'A01', '红楼梦', '曹雪芹', '9787020002207', 45.5, '古典小说。', 3, 0, 1),"
    " (16, 'A02', '边城', '沈从文', '9787020003334', 30, '', 3, 0, 0),"
    " (17, 'A03', '已删除', '某人', '9787000000000', 10, 'x', 3, 1, 1),"
    " (18, 'B01', '时间简史', '霍金', '9787535732309', 12.5, NULL, 7, 0, 1);";

class PagesTest : public ::testing::Test {
protected:
    TestCatalog catalog{kSampleRows};
    Connection connection = OpenDatabaseFile(catalog.folder() + "/DataBase/tavro.mdb", testsupport::jetHelper());
    FakeBrowser pane;
};

std::vector<std::string> slice(const std::vector<std::string>& lines, std::size_t from, std::size_t to)
{
    return std::vector<std::string>(lines.begin() + from, lines.begin() + to);
}

// The ten head lines every page starts with, for the folder /disc/product.
const std::vector<std::string> kHeadLines{
    "<html>",
    "<head>",
    "<meta http-equiv='Content-Type' content='text/html'; charset='gb2312'>",
    "<META HTTP-EQUIV='imagetoolbar' CONTENT='no'>",
    "<META HTTP-EQUIV='pragma' CONTENT='no-cache'>",
    "<META HTTP-EQUIV='Cache-Control' CONTENT='no-cache, must-revalidate'>",
    "<META http-equiv='Expires' CONTENT='0'>",
    "<script language='javascript' src='/disc/product/Script/tree.js'></script>",
    "<LINK href='/disc/product/Script/Tree.css' type='text/css' rel='stylesheet'>",
    "</head>",
};

struct PageWriterCase {
    const char* name;
    std::function<void(FakeBrowser&, Connection&)> write;
};

class PageHeadTest : public ::testing::TestWithParam<PageWriterCase> {};

} // namespace

TEST_P(PageHeadTest, EveryPageStartsWithTheTenHeadLines)
{
    TestCatalog catalog;
    Connection connection = OpenDatabaseFile(catalog.folder() + "/DataBase/tavro.mdb", testsupport::jetHelper());
    FakeBrowser pane;
    GetParam().write(pane, connection);
    ASSERT_GT(pane.lines.size(), kHeadLines.size());
    EXPECT_EQ(slice(pane.lines, 0, kHeadLines.size()), kHeadLines);
    EXPECT_EQ(pane.navigations, 1);
    EXPECT_EQ(pane.opens, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, PageHeadTest,
    ::testing::Values(
        PageWriterCase{"Tree", [](FakeBrowser& p, Connection& c) { TreePage(p, c, "/disc/product").WriteTreePage(); }},
        PageWriterCase{"List", [](FakeBrowser& p, Connection& c) { ListPage(p, c, "/disc/product").WriteListPage(); }},
        PageWriterCase{"Detail",
                       [](FakeBrowser& p, Connection& c) { DetailPage(p, c, "/disc/product").WriteDetailPage(); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PagesTest, TreePageLinesWalkTheCategoriesDepthFirst)
{
    TreePage page(pane, connection, "/disc/product");
    page.WriteTreePage();
    EXPECT_EQ(pane.navigations, 1);
    EXPECT_EQ(pane.opens, 1);
    const auto& l = pane.lines;
    ASSERT_GE(l.size(), 23u);
    EXPECT_EQ(l[10], "<body scroll='yes' width='100%' leftMargin='0' TopMargin='1' background='/disc/product/pic/TreeBack.jpg'>");
    EXPECT_EQ(slice(l, 11, 20), (std::vector<std::string>{
        "<table width='100%' border='0'><tr><td NoWrap width='100%'>", "<span id='Node0'></span>",
        "</td></tr></table>", "</body>", "</html>", "<script language='javascript'>",
        "var Imgscr_Plus = '/disc/product/pic/plus.gif';", "var Imgscr_Minus = '/disc/product/pic/minus.gif';",
        "var Imgscr_Leaf = '/disc/product/pic/leaf.gif';"}));
    // Siblings come in the order the database returns them: by key here.
    const std::vector<std::string> nodes{
        "var Node0 = new TreeNode();", "Node0.ID = 'Node0';",
        "var Node7 = new TreeNode();", "Node7.ID = 'Node7';", "Node7.Name = '科技';",
        "Node7.OnclickCode = 'window.document.title = Node7.ID';", "Node0.AddNode(Node7)",
        "var Node12 = new TreeNode();", "Node12.ID = 'Node12';", "Node12.Name = '文学';",
        "Node12.OnclickCode = 'window.document.title = Node12.ID';", "Node0.AddNode(Node12)",
        "var Node3 = new TreeNode();", "Node3.ID = 'Node3';", "Node3.Name = '小说';",
        "Node3.OnclickCode = 'window.document.title = Node3.ID';", "Node12.AddNode(Node3)",
        "var Node4 = new TreeNode();", "Node4.ID = 'Node4';", "Node4.Name = '中国小说';",
        "Node4.OnclickCode = 'window.document.title = Node4.ID';", "Node3.AddNode(Node4)",
        "var Node5 = new TreeNode();", "Node5.ID = 'Node5';", "Node5.Name = '诗歌';",
        "Node5.OnclickCode = 'window.document.title = Node5.ID';", "Node12.AddNode(Node5)",
        "HoldUp();", "</script>"};
    EXPECT_EQ(slice(l, 20, l.size()), nodes) << "the orphan category 9 must not appear";
}

TEST_F(PagesTest, AtTheFileSystemRootPathsKeepOneSeparator)
{
    TreePage page(pane, connection, "");
    page.WriteTreePage();
    EXPECT_EQ(pane.lines[7], "<script language='javascript' src='/Script/tree.js'></script>");
    EXPECT_EQ(pane.lines[10], "<body scroll='yes' width='100%' leftMargin='0' TopMargin='1' background='/pic/TreeBack.jpg'>");
    EXPECT_EQ(pane.lines[17], "var Imgscr_Plus = '/pic/plus.gif';");
}

TEST(TreePage, EmptyTableGivesOnlyTheRootAndHostileNamesStayInsideTheirString)
{
    TestCatalog catalog("INSERT INTO BookType VALUES (1, 'O''Reilly\n</script><script>alert(1)', 0);");
    Connection connection = OpenDatabaseFile(catalog.folder() + "/DataBase/tavro.mdb", testsupport::jetHelper());
    FakeBrowser pane;
    TreePage(pane, connection, "/d").WriteTreePage();
    ASSERT_GE(pane.lines.size(), 25u);
    EXPECT_EQ(pane.lines[24], "Node1.Name = 'O\\'Reilly\\n\\x3C/script>\\x3Cscript>alert(1)';");

    TestCatalog empty("");
    Connection none = OpenDatabaseFile(empty.folder() + "/DataBase/tavro.mdb", testsupport::jetHelper());
    FakeBrowser emptyPane;
    TreePage(emptyPane, none, "/d").WriteTreePage();
    EXPECT_EQ(slice(emptyPane.lines, 20, emptyPane.lines.size()),
              (std::vector<std::string>{"var Node0 = new TreeNode();", "Node0.ID = 'Node0';", "HoldUp();", "</script>"}));
}

struct BadTreeCase {
    const char* name;
    const char* rows;
    std::vector<std::string> script; // the lines after the picture variables
};

class BadTreeRowsTest : public ::testing::TestWithParam<BadTreeCase> {};

// Node0.AddNode(Node0), or a node added under its own descendant, would make
// the page library draw without end: such rows write nothing at all.
TEST_P(BadTreeRowsTest, WriteNothingAndTheWalkGoesOn)
{
    TestCatalog catalog(GetParam().rows);
    Connection connection = OpenDatabaseFile(catalog.folder() + "/DataBase/tavro.mdb", testsupport::jetHelper());
    FakeBrowser pane;
    TreePage(pane, connection, "/d").WriteTreePage();
    ASSERT_GE(pane.lines.size(), 20u);
    EXPECT_EQ(slice(pane.lines, 20, pane.lines.size()), GetParam().script);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadTreeRowsTest,
    ::testing::Values(
        BadTreeCase{"IdZero",
                    "INSERT INTO BookType VALUES (0, '回环', 0), (1, '甲', 0), (2, '乙', 0);",
                    {"var Node0 = new TreeNode();", "Node0.ID = 'Node0';",
                     "var Node1 = new TreeNode();", "Node1.ID = 'Node1';", "Node1.Name = '甲';",
                     "Node1.OnclickCode = 'window.document.title = Node1.ID';", "Node0.AddNode(Node1)",
                     "var Node2 = new TreeNode();", "Node2.ID = 'Node2';", "Node2.Name = '乙';",
                     "Node2.OnclickCode = 'window.document.title = Node2.ID';", "Node0.AddNode(Node2)",
                     "HoldUp();", "</script>"}},
        // Without a key, one ID may stand on several rows: here 1 and 2 again
        // below 2, beside a sound child 4.
        BadTreeCase{"IdOnThePath",
                    "DROP TABLE BookType; CREATE TABLE BookType (ID INTEGER, Name TEXT, ParentID INTEGER);"
                    "INSERT INTO BookType VALUES (1, '甲', 0), (2, '乙', 1), (1, '甲又', 2), (2, '乙又', 2), (4, '丁', 2);",
                    {"var Node0 = new TreeNode();", "Node0.ID = 'Node0';",
                     "var Node1 = new TreeNode();", "Node1.ID = 'Node1';", "Node1.Name = '甲';",
                     "Node1.OnclickCode = 'window.document.title = Node1.ID';", "Node0.AddNode(Node1)",
                     "var Node2 = new TreeNode();", "Node2.ID = 'Node2';", "Node2.Name = '乙';",
                     "Node2.OnclickCode = 'window.document.title = Node2.ID';", "Node1.AddNode(Node2)",
                     "var Node4 = new TreeNode();", "Node4.ID = 'Node4';", "Node4.Name = '丁';",
                     "Node4.OnclickCode = 'window.document.title = Node4.ID';", "Node2.AddNode(Node4)",
                     "HoldUp();", "</script>"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PagesTest, ListPageLinesAndTheThreeFillings)
{
    ListPage page(pane, connection, "/disc/product");
    page.WriteListPage();
    ASSERT_EQ(pane.lines.size(), 21u);
    EXPECT_EQ(slice(pane.lines, 10, 21), (std::vector<std::string>{
        "<body width='100%' leftMargin='0' TopMargin='1' background='/disc/product/pic/BookList.jpg'>",
        "<table border='0' width='100%'>", "</table>", "</body>", "</html>", "<script language='javascript'>",
        "function ChangeBook(BookID){", "window.document.title=BookID;", "}", "HoldUp();", "</script>"}));

    page.ShowBooksOfType(3);
    EXPECT_EQ(pane.bodyHtml,
              "<table border='0' width='100%'>"
              "<tr><td><a onclick='ChangeBook(16)' style='cursor:hand'><img src='/disc/product/pic/book.gif'>&nbsp;边城</a></td></tr>"
              "<tr><td><a onclick='ChangeBook(15)' style='cursor:hand'><img src='/disc/product/pic/book.gif'>&nbsp;红楼梦</a></td></tr>"
              "</table>");

    page.ShowRecommendedBooks();
    EXPECT_NE(pane.bodyHtml.find("ChangeBook(15)"), std::string::npos);
    EXPECT_NE(pane.bodyHtml.find("ChangeBook(18)"), std::string::npos);
    EXPECT_EQ(pane.bodyHtml.find("ChangeBook(17)"), std::string::npos) << "deleted books are hidden";
    EXPECT_NE(pane.bodyHtml.find("/pic/book1.gif'"), std::string::npos);

    page.ShowBooksOfType(5);
    EXPECT_EQ(pane.bodyHtml, "<table border='0' width='100%'></table>");
}

TEST_F(PagesTest, SearchTrimsSpacesAndShowsNotFound)
{
    ListPage page(pane, connection, "/d");
    page.SearchBooks("  边城  ");
    EXPECT_EQ(pane.bodyHtml, "<table border='0' width='100%'><tr><td><a onclick='ChangeBook(16)' style='cursor:hand'>"
                             "<img src='/d/pic/book1.gif'>&nbsp;边城</a></td></tr></table>");
    page.SearchBooks("不存在的书");
    EXPECT_EQ(pane.bodyHtml, "<table border='0' width='100%'><tr><td>没有找到书籍</td></tr></table>");
    EXPECT_EQ(ReturnNoBookString(), pane.bodyHtml);
    // Only spaces: every book that is shown, by name in pinyin order
    // (bian, hong, shi).
    page.SearchBooks("   ");
    EXPECT_EQ(pane.bodyHtml, "<table border='0' width='100%'>"
                             "<tr><td><a onclick='ChangeBook(16)' style='cursor:hand'><img src='/d/pic/book1.gif'>&nbsp;边城</a></td></tr>"
                             "<tr><td><a onclick='ChangeBook(15)' style='cursor:hand'><img src='/d/pic/book1.gif'>&nbsp;红楼梦</a></td></tr>"
                             "<tr><td><a onclick='ChangeBook(18)' style='cursor:hand'><img src='/d/pic/book1.gif'>&nbsp;时间简史</a></td></tr>"
                             "</table>");
}

TEST(ListPage, MarkupInNamesIsShownNotRun)
{
    TestCatalog catalog("INSERT INTO WebBook VALUES (1, 'C', '<img src=x onerror=alert(1)> & 书', 'w', 'i', 1, 'b', 2, 0, 0);");
    Connection connection = OpenDatabaseFile(catalog.folder() + "/DataBase/tavro.mdb", testsupport::jetHelper());
    FakeBrowser pane;
    ListPage(pane, connection, "/d").ShowBooksOfType(2);
    EXPECT_NE(pane.bodyHtml.find("&nbsp;&lt;img src=x onerror=alert(1)&gt; &amp; 书</a>"), std::string::npos);
}

TEST_F(PagesTest, DetailPageLinesAndBookTable)
{
    DetailPage page(pane, connection, "/disc/product");
    page.WriteDetailPage();
    ASSERT_EQ(pane.lines.size(), 18u);
    EXPECT_EQ(pane.lines[10], "<body width='100%' leftMargin='0' TopMargin='1' background='/disc/product/pic/BookContent.jpg'>");
    EXPECT_EQ(slice(pane.lines, 11, 18), (std::vector<std::string>{"<table border='0' width='100%'>", "</table>",
        "</body>", "</html>", "<script language='javascript'>", "HoldUp();", "</script>"}));

    ASSERT_TRUE(page.ShowBookDetail(16));
    EXPECT_EQ(pane.bodyHtml,
              "<table border='0' width='100%'><tr>"
              "<td vAlign='top' rowspan='4' width='10%' nowrap><img border='0'  src='/disc/product/BookImgs/A02.jpg'></td>"
              "<td vAlign='top'><table>"
              "<tr><td align='right' width='10%' nowrap>书号：</td><td>A02</td></tr>"
              "<tr><td align='right' width='10%' nowrap>书名：</td><td>边城</td></tr>"
              "<tr><td align='right'>作者：</td><td>沈从文</td></tr>"
              "<tr><td align='right'>ISBN：</td><td>9787020003334</td></tr>"
              "<tr><td align='right'>定价：</td><td>30</td></tr>"
              "<tr><td vAlign='top' align='right' Nowrap>简介：</td><td></td></tr>"
              "</table></td>");

    ASSERT_TRUE(page.ShowBookDetail(18));
    EXPECT_NE(pane.bodyHtml.find("<td>12.5</td>"), std::string::npos);
    EXPECT_NE(pane.bodyHtml.find("简介：</td><td></td>"), std::string::npos) << "null shows as empty";
}

TEST_F(PagesTest, AMissingOrDeletedBookLeavesTheDetailPaneAsItIs)
{
    DetailPage page(pane, connection, "/d");
    ASSERT_TRUE(page.ShowBookDetail(15));
    const std::string shown = pane.bodyHtml;
    EXPECT_FALSE(page.ShowBookDetail(17));
    EXPECT_FALSE(page.ShowBookDetail(999));
    EXPECT_EQ(pane.bodyHtml, shown);
}
