// make-disc's reading and checking of a publisher's data: the report a
// person acts on, and the catalog written from it, read back as the
// catalog program reads it.
#include "catalog/Database.h"
#include "catalog/TreePage.h"
#include "disc/TempFolder.h"
#include "platform/fake/FakeControls.h"
#include "support/Paths.h"
#include "tools/catalog/JetCatalog.h"
#include "tools/make_disc/CatalogMaking.h"
#include "tools/make_disc/CatalogWriter.h"
#include "tools/make_disc/Covers.h"
#include "tools/make_disc/PublisherMedia.h"

#include <QFile>
#include <QBuffer>
#include <QImage>
#include <gtest/gtest.h>
#include <iconv.h>
#include <regex>

using namespace makedisc;
namespace fs = std::filesystem;

namespace {

// One error of each kind a books file can hold, in the quoting spreadsheets write.
const std::string kBooks =
    "书号,书名,作者,ISBN,定价,简介,分类,推荐,出版日期\r\n"
    "A01,射雕英雄传,金庸,9787108006721,35元,\"郭靖与黄蓉的故事，\r\n一部武侠经典。\",文学/小说/武侠,是,1957\r\n"
    "a02,\"天龙八部, 全集\",金庸,9.78710E+12,35.00,\"\"\"天龙\"\"八部\",文学/小说/武侠,否,\r\n"
    ",无书号,某人,,12,,文学,,\r\n"
    "B01,,某人,,12,,文学,,\r\n"
    "a01,重复的书,某人,,12,,文学,,\r\n"
    "C01,三体,刘慈欣,,约35,,文学 / 小说 / 科幻,1,\r\n"
    "C02,无分类的书,某人,,20,,,,\r\n"
    "C03,很深的书,某人,,20,,一/二/三/四/五/六/七/八/九/十,也许,\r\n"
    "C04,生僻字𠀀书,某人,,20,,文学,,\r\n";

std::string encoded(const std::string& utf8, const char* encoding)
{
    iconv_t cd = iconv_open(encoding, "UTF-8");
    std::string out(utf8.size() * 2, '\0');
    char* in = const_cast<char*>(utf8.data());
    char* to = out.data();
    std::size_t inLeft = utf8.size(), outLeft = out.size();
    iconv(cd, &in, &inLeft, &to, &outLeft);
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}

// The books file with tabs between its fields, as spreadsheets save tab-separated text.
std::string tabSeparated(const std::string& csv)
{
    std::string tsv = csv;
    bool quoted = false;
    for (char& c : tsv) {
        quoted = c == '"' ? !quoted : quoted;
        if (c == ',' && !quoted)
            c = '\t';
    }
    return tsv;
}

const FontCoverage& discFonts()
{
    static const FontCoverage fonts({testsupport::discDir() + "/times.ttf", testsupport::discDir() + "/arial.ttf",
                                     testsupport::discDir() + "/FZCCHJW.TTF"});
    return fonts;
}

// The first field of the rows of a query the catalog runs, each row's fields joined by "|".
std::vector<std::string> rowsOf(catalog::Connection& connection, const std::string& query,
                                std::initializer_list<const char*> fields)
{
    std::vector<std::string> rows;
    for (catalog::Recordset rs = catalog::GetRecordset(connection, query, 0); !rs.atEnd(); rs.moveNext()) {
        std::string row;
        for (const char* field : fields)
            row += (row.empty() ? "" : "|") + rs.field(field);
        rows.push_back(row);
    }
    return rows;
}

// The tree page's nodes as "parent>ID name", in the order the page adds them.
std::vector<std::string> treeNodes(catalog::Connection& connection)
{
    platform::fake::FakeBrowser pane;
    catalog::TreePage(pane, connection, "/disc").WriteTreeNodes();
    std::map<std::string, std::string> names;
    std::vector<std::string> nodes;
    const std::regex name(R"(Node(\d+)\.Name = '(.*)';)"), added(R"(Node(\d+)\.AddNode\(Node(\d+)\))");
    for (const std::string& line : pane.lines) {
        std::smatch m;
        if (std::regex_match(line, m, name))
            names[m[1]] = m[2];
        else if (std::regex_match(line, m, added))
            nodes.push_back(m[1].str() + ">" + m[2].str() + " " + names[m[2]]);
    }
    return nodes;
}

class MakeDiscCatalogTest : public ::testing::Test {
protected:
    // The catalog of a books file or database, written where the disc holds it; the report's text.
    std::string make(const fs::path& books)
    {
        Report report;
        catalog_ = MakeCatalog({books.string(), std::nullopt, testsupport::jetHelper()}, discFonts(), report);
        WriteCatalog(catalog_, schema(), written().string());
        return report.text();
    }
    fs::path written() const { return folder.path() / "DataBase/tavro.mdb"; }
    static std::string schema()
    {
        QFile file(QString::fromStdString(testsupport::sourceDir() + "/disc/catalog/schema.sql"));
        file.open(QIODevice::ReadOnly);
        return file.readAll().toStdString();
    }

    disctest::TempFolder folder{"make-disc-catalog"};
    Catalog catalog_;
};

TEST_F(MakeDiscCatalogTest, AGb18030BooksFileWithOneErrorOfEachKind)
{
    const fs::path books = folder.write("books.csv", encoded(kBooks, "GB18030"));
    const std::string f = books.string();
    EXPECT_EQ(make(books),
              f + ": read as GB18030, as its bytes show (--encoding changes it)\n" +
              f + ":1:9: the column \"出版日期\" is not one the tool reads; it is left out\n" +
              f + ":4:4 (ISBN): the ISBN \"9.78710E+12\" was saved as a number and has lost digits; the book is kept without an ISBN\n" +
              f + ":5:1 (书号/Code): no code; the row is skipped\n" +
              f + ":6:2 (书名/Name): no name; the row is skipped\n" +
              f + ":7:1 (书号/Code): the code \"a01\" is already the code of the book at " + f + ":2; this row is skipped\n" +
              f + ":8:5 (定价/Price): the price \"约35\" is not a number; the book is kept without a price\n" +
              f + ":9:7 (分类/Category): no category; the book is put under 未分类\n" +
              f + ":10:8 (推荐/Recommended): \"也许\" is neither yes nor no; the book is not recommended\n" +
              f + ":10:7 (分类/Category): the category \"一/二/三/四/五/六/七/八/九/十\" is 10 levels deep; the tree shows 9; "
                  "the book is put under \"一/二/三/四/五/六/七/八/九\"\n" +
              f + ":11:2 (书名/Name): \"生僻字𠀀书\" holds 𠀀 (U+20000), which the disc's fonts lack; it is kept as it is and may "
                  "show as a box\n");

    catalog::Connection connection = catalog::OpenDatabaseFile(written().string(), testsupport::jetHelper());
    EXPECT_EQ(treeNodes(connection),
              (std::vector<std::string>{"0>1 文学", "1>2 小说", "2>3 武侠", "2>4 科幻", "0>5 未分类", "0>6 一", "6>7 二",
                                        "7>8 三", "8>9 四", "9>10 五", "10>11 六", "11>12 七", "12>13 八", "13>14 九"}));
    EXPECT_EQ(rowsOf(connection, catalog::BooksOfTypeQuery(3), {"ID", "Name"}),
              (std::vector<std::string>{"1|射雕英雄传", "2|天龙八部, 全集"}));
    EXPECT_EQ(rowsOf(connection, catalog::BooksOfTypeQuery(1), {"ID", "Name"}), (std::vector<std::string>{"6|生僻字𠀀书"}));
    EXPECT_EQ(rowsOf(connection, catalog::BooksOfTypeQuery(14), {"Name"}), (std::vector<std::string>{"很深的书"}));
    EXPECT_EQ(rowsOf(connection, catalog::SearchBooksQuery("书"), {"Name"}),
              (std::vector<std::string>{"很深的书", "生僻字𠀀书", "无分类的书"}));
    EXPECT_EQ(rowsOf(connection, catalog::RecommendedBooksQuery(), {"Code"}), (std::vector<std::string>{"A01", "C01"}));
    const std::initializer_list<const char*> detail{"Code", "Name", "Writer", "ISBN", "Price", "BookBrief"};
    EXPECT_EQ(rowsOf(connection, catalog::BookDetailQuery(1), detail),
              (std::vector<std::string>{"A01|射雕英雄传|金庸|9787108006721|35|郭靖与黄蓉的故事，\n一部武侠经典。"}));
    EXPECT_EQ(rowsOf(connection, catalog::BookDetailQuery(2), detail),
              (std::vector<std::string>{"a02|天龙八部, 全集|金庸||35|\"天龙\"八部"}));
    EXPECT_EQ(rowsOf(connection, catalog::BookDetailQuery(3), detail), (std::vector<std::string>{"C01|三体|刘慈欣|||"}));
}

TEST_F(MakeDiscCatalogTest, TheSameBooksInUtf8WithAByteOrderMarkOrInUtf16TabSeparatedGiveTheSameCatalog)
{
    make(folder.write("books-gb.csv", encoded(kBooks, "GB18030")));
    const auto dump = [&] {
        catalog::Connection connection = catalog::OpenDatabaseFile(written().string(), testsupport::jetHelper());
        auto rows = rowsOf(connection, "Select * From BookType", {"ID", "Name", "ParentID"});
        for (auto& book : rowsOf(connection, "Select * From WebBook", {"ID", "Code", "Name", "Writer", "ISBN", "Price",
                                                                       "BookBrief", "BookType", "IsRecommended"}))
            rows.push_back(book);
        return rows;
    };
    const auto fromGb18030 = dump();
    for (const auto& [name, bytes] : {std::pair{"books-utf8.csv", "\xEF\xBB\xBF" + kBooks},
                                      std::pair{"books-utf16.txt", "\xFF\xFE" + encoded(tabSeparated(kBooks), "UTF-16LE")}}) {
        SCOPED_TRACE(name);
        const std::string report = make(folder.write(name, bytes));
        EXPECT_EQ(dump(), fromGb18030);
        const std::string encoding = std::string(name) == "books-utf8.csv" ? "UTF-8" : "UTF-16";
        EXPECT_EQ(report.substr(0, report.find('\n')), (folder.path() / name).string() + ": read as " + encoding +
                                                            " with a byte-order mark, as its bytes show (--encoding changes it)");
    }
}

TEST_F(MakeDiscCatalogTest, CoversInAnyLetterCaseFittedToTheDetailPicture)
{
    make(folder.write("books.csv", "Code,Name,Category\nA01,Tall,x\nB02,Wide,x\nC03,Clear,x\nD04,Broken,x\nE05,None,x\n"));
    QImage tall(400, 800, QImage::Format_RGB32), wide(600, 200, QImage::Format_RGB32), clear(50, 50, QImage::Format_ARGB32);
    tall.fill(Qt::blue);
    wide.fill(Qt::red);
    clear.fill(Qt::transparent);
    const fs::path covers = folder.path() / "covers";
    fs::create_directories(covers);
    ASSERT_TRUE(tall.save(QString::fromStdString((covers / "a01.JPG").string()), "JPG"));
    ASSERT_TRUE(wide.save(QString::fromStdString((covers / "b02.Png").string()), "PNG"));
    ASSERT_TRUE(clear.save(QString::fromStdString((covers / "C03.gif").string()), "PNG")); // a PNG named .gif
    QByteArray cut;
    QBuffer buffer(&cut);
    buffer.open(QIODevice::WriteOnly);
    tall.save(&buffer, "JPG");
    folder.write("covers/d04.jpg", cut.left(cut.size() / 2).toStdString());

    Report report;
    const auto found = FindCovers(covers, catalog_, report);
    const auto converted = ConvertCovers(found);
    ReportCoverFaults(found, converted, catalog_, report);

    ASSERT_EQ(found.size(), 4u);
    const auto sizeOf = [&](std::size_t i) { return QImage::fromData(converted[i].jpeg, "JPG").size(); };
    EXPECT_EQ(sizeOf(0), QSize(72, 144));
    EXPECT_EQ(sizeOf(1), QSize(104, 34));
    EXPECT_EQ(sizeOf(2), QSize(104, 104));
    EXPECT_EQ(QImage::fromData(converted[2].jpeg, "JPG").pixelColor(50, 50).lightness(), 255) << "not on white";
    EXPECT_TRUE(converted[3].jpeg.isEmpty());
    const std::string f = (folder.path() / "books.csv").string();
    EXPECT_EQ(report.text(),
              f + ":6:1 (书号/Code): no cover E05.jpg (or .png, .bmp, .gif) in " + covers.string() +
                  "; the book is kept without a cover\n" +
                  (covers / "d04.jpg").string() + ": cut short: the JPEG ends before its end mark; book D04 is kept "
                                                  "without a cover\n");
}

TEST_F(MakeDiscCatalogTest, AnOriginalFormatJetDatabaseGivesTheSameCatalog)
{
    const std::string sample = testsupport::discDir() + "/product/DataBase/tavro.mdb";
    const fs::path jet = folder.path() / "original.mdb";
    tools::WriteJetCatalog(sample, jet.string());
    const std::string report = make(jet);

    EXPECT_EQ(report, jet.string() + ": 4 books marked deleted are left out, as the catalog shows none of them\n" + jet.string() +
                          ": WebBook ID 41, Writer: \"上彊村民 编\" holds 彊 (U+5F4A), which the disc's fonts lack; it is kept "
                          "as it is and may show as a box\n");
    catalog::Connection original = catalog::OpenDatabaseFile(sample, testsupport::jetHelper()),
                        made = catalog::OpenDatabaseFile(written().string(), testsupport::jetHelper());
    EXPECT_EQ(treeNodes(made), treeNodes(original));
    for (const Category& category : catalog_.categories)
        EXPECT_EQ(rowsOf(made, catalog::BooksOfTypeQuery(category.id), {"ID", "Name"}),
                  rowsOf(original, catalog::BooksOfTypeQuery(category.id), {"ID", "Name"}));
    EXPECT_EQ(rowsOf(made, catalog::RecommendedBooksQuery(), {"ID"}), rowsOf(original, catalog::RecommendedBooksQuery(), {"ID"}));
    ASSERT_EQ(catalog_.books.size(), 148u);
    for (const Book& book : catalog_.books) {
        const std::initializer_list<const char*> detail{"Code", "Name", "Writer", "ISBN", "Price", "BookBrief"};
        EXPECT_EQ(rowsOf(made, catalog::BookDetailQuery(book.id), detail),
                  rowsOf(original, catalog::BookDetailQuery(book.id), detail));
    }
}

TEST(PublisherMediaTest, WhatDoesNotPlayOrReadIsReportedAndLeftOut)
{
    disctest::TempFolder folder("make-disc-media");
    const fs::path sample = testsupport::discDir();
    const fs::path brokenMovie = folder.write("intro.avi", "RIFF\x10\0\0\0AVI LIST");
    const fs::path notASound = folder.write("back.wav", "a note, not a sound");
    const fs::path notes = folder.write("lessons/notes.txt", "<STML>\n<Q1>no lesson</Q1>\n");
    fs::copy_file(sample / "product/text/gushi.txt", folder.path() / "lessons/gushi.txt");
    fs::copy_file(sample / "product/text/spring.bmp", folder.path() / "lessons/spring.bmp");
    PublisherMedia given;
    given.intros = {brokenMovie, sample / "avi/movie2.avi"};
    given.sound = notASound;
    given.lessons = folder.path() / "lessons";

    Report report;
    const PublisherMedia checked = CheckPublisherMedia(given, report);

    EXPECT_FALSE(checked.intros[0]);
    EXPECT_EQ(checked.intros[1], sample / "avi/movie2.avi");
    EXPECT_FALSE(checked.sound);
    EXPECT_EQ(checked.lessonFiles, (std::vector<fs::path>{folder.path() / "lessons/gushi.txt", folder.path() / "lessons/spring.bmp"}));
    EXPECT_EQ(report.text(), brokenMovie.string() + ": not a movie or sound FFmpeg reads; the sample's avi/start.avi stays on the disc\n" +
                                 notASound.string() + ": not a movie or sound FFmpeg reads; the sample's sounds/back.wav stays on the disc\n" +
                                 notes.string() + ": holds no chunk <LESSON1>; it is left off the disc\n");
}

} // namespace
