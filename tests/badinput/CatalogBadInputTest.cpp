// The catalog started on a disc with one bad input each: a file missing,
// empty, cut short or not what its name says, a screen too small. Each row
// says what the catalog must do: the serious-error message and the end, a
// message of its own, or nothing at all while the rest of the window works.
#include "catalog/CatalogOnFakes.h"
#include "catalog/TestCatalog.h"
#include "startup/Startup.h"
#include "support/FileBytes.h"
#include "support/Paths.h"
#include "tools/catalog/JetCatalog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using namespace platform::fake;
using testsupport::CatalogOnFakes;
using testsupport::fileBytes;
using testsupport::writeBytes;
namespace fs = std::filesystem;

namespace {

const char* const kSeriousError = "初始化登陆窗体失败，程序将退出。";
const char* const kFormatMessage = "资源文件格式有问题";
const char* const kDatabaseMessage = "无法打开书目数据库：";

const char* const kBooks = "INSERT INTO BookType VALUES (3, '小说', 0);"
                           "INSERT INTO WebBook VALUES"
                           " (15, 'A01', '红楼梦', '曹雪芹', '9787020002207', 45.5, '古典小说。', 3, 0, 1),"
                           " (16, 'A02', '边城', '沈从文', '9787020003334', 30, '', 3, 0, 0);";

// What start-up gave: whether the program ended, and the window's state.
struct Started {
    bool ended = false;
    CatalogOnFakes* disc = nullptr;
    catalog::FrmMain* window = nullptr;

    const std::vector<ShownMessage>& messages() const { return disc->fp.messages.shown; }
    std::vector<std::string> texts() const
    {
        std::vector<std::string> texts;
        for (const auto& m : messages())
            texts.push_back(m.text);
        return texts;
    }
};

std::string databaseOf(const std::string& folder) { return folder + "/DataBase/tavro.mdb"; }

struct CatalogRow {
    const char* name;
    // Spoils the disc before the program starts.
    std::function<void(CatalogOnFakes&, const std::string& folder)> spoil;
    std::function<void(Started&)> expect;
};

class CatalogBadInputTest : public ::testing::TestWithParam<CatalogRow> {
protected:
    Started start()
    {
        Started started;
        started.disc = &disc;
        started.window = disc.window.get();
        try {
            kept = startup::StartMainWindow(
                disc.platform, [this](platform::Platform&, const startup::MediaFolders&) { return std::move(disc.window); });
        } catch (const ProgramEnded&) {
            started.ended = true;
        }
        return started;
    }

    testsupport::TestCatalog catalog{kBooks};
    CatalogOnFakes disc{catalog.folder()};
    std::unique_ptr<startup::ProgramWindow> kept;
};

// The window went on: no end, shown, its pages written, and a search and a
// title answered without a message.
void expectWorkingWindow(Started& s)
{
    EXPECT_FALSE(s.ended);
    EXPECT_TRUE(s.disc->form().shown);
    ASSERT_TRUE(s.window->PagesReady);
    const std::size_t before = s.messages().size();
    s.disc->search("边城");
    EXPECT_NE(s.disc->list().bodyHtml.find("ChangeBook(16)"), std::string::npos);
    s.disc->list().raiseTitleChange("15");
    EXPECT_NE(s.disc->detail().bodyHtml.find("红楼梦"), std::string::npos);
    EXPECT_EQ(s.messages().size(), before);
}

void expectNothingShownAndWorking(Started& s)
{
    EXPECT_TRUE(s.messages().empty()) << s.texts().front();
    expectWorkingWindow(s);
}

void expectSeriousErrorBeforeTheWindow(Started& s)
{
    EXPECT_TRUE(s.ended);
    ASSERT_EQ(s.messages().size(), 1u);
    EXPECT_EQ(s.messages()[0].text, kSeriousError);
    EXPECT_EQ(s.messages()[0].caption, "严重错误");
}

// The database's message, once; the window shows as Init left it, and its
// panes never react.
void expectDatabaseMessage(Started& s)
{
    EXPECT_FALSE(s.ended);
    ASSERT_EQ(s.messages().size(), 1u);
    EXPECT_EQ(s.messages()[0].text, kDatabaseMessage + databaseOf(s.disc->fp.app.folder));
    EXPECT_TRUE(s.disc->form().shown);
    EXPECT_FALSE(s.window->PagesReady);
    s.disc->tree().raiseTitleChange("Node3");
    s.disc->bar().sendCommand("1");
    s.disc->timfla().tick();
    s.disc->search("边城");
    EXPECT_EQ(s.disc->list().bodyHtml, "");
    EXPECT_EQ(s.messages().size(), 1u);
}

void expectFormatMessages(Started& s, std::size_t count)
{
    ASSERT_EQ(s.messages().size(), count);
    for (const auto& m : s.messages()) {
        EXPECT_EQ(m.text, kFormatMessage);
        EXPECT_EQ(m.caption, "");
    }
    s.disc->fp.messages.shown.clear();
    expectWorkingWindow(s);
}

// The description file as the sample disc writes it, cut after `lines` lines.
std::vector<std::string> descriptionLines(CatalogOnFakes& disc)
{
    return disc.fp.textFiles.contents[disc.folders.SrcPath + "/button.txt"];
}

void setDescription(CatalogOnFakes& disc, std::vector<std::string> lines)
{
    disc.fp.textFiles.contents[disc.folders.SrcPath + "/button.txt"] = std::move(lines);
}

} // namespace

TEST_P(CatalogBadInputTest, EndsWithTheSpecifiedOrSoundOutcome)
{
    GetParam().spoil(disc, catalog.folder());
    Started started = start();
    GetParam().expect(started);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CatalogBadInputTest,
    ::testing::Values(
        // Every file the catalog reads, missing in turn.
        CatalogRow{"MissingButtonBarMovie",
                   [](CatalogOnFakes& d, const std::string&) { d.fp.app.files.erase(d.folders.PicPath + "/button.swf"); },
                   expectSeriousErrorBeforeTheWindow},
        CatalogRow{"MissingOverlayMovie",
                   [](CatalogOnFakes& d, const std::string&) { d.fp.app.files.erase(d.folders.PicPath + "/tavro.swf"); },
                   [](Started& s) {
                       EXPECT_TRUE(s.messages().empty());
                       s.disc->bar().sendCommand("2");
                       EXPECT_THROW(s.disc->timfla().tick(), ProgramEnded);
                       ASSERT_EQ(s.messages().size(), 1u);
                       EXPECT_EQ(s.messages()[0].text, kSeriousError);
                   }},
        CatalogRow{"MissingPlayerEngine", [](CatalogOnFakes& d, const std::string&) { d.bar().engineMissing = true; },
                   expectSeriousErrorBeforeTheWindow},
        CatalogRow{"MissingBackgroundPictures",
                   [](CatalogOnFakes& d, const std::string&) {
                       d.fp.toolkit.pictures.erase(d.folders.PicPath + "/bg.jpg");
                       d.fp.toolkit.pictures.erase(d.folders.PicPath + "/back.bmp");
                   },
                   [](Started& s) {
                       EXPECT_EQ(s.disc->form().picture(), nullptr);
                       expectNothingShownAndWorking(s);
                   }},
        CatalogRow{"MissingSearchButtonPicture",
                   [](CatalogOnFakes& d, const std::string&) { d.fp.toolkit.pictures.erase(d.folders.PicPath + "/button3.jpg"); },
                   [](Started& s) {
                       for (const auto& op : s.disc->form().opsOfKind(DrawOp::Kind::PaintPicture))
                           EXPECT_EQ(op.text.find("button3"), std::string::npos) << "drawn from a missing picture";
                       expectNothingShownAndWorking(s);
                       // The button is still there, and still searches.
                       s.disc->searchBox().setText("红楼");
                       s.disc->form().fireMouseDown(360, 510);
                       EXPECT_NE(s.disc->list().bodyHtml.find("ChangeBook(15)"), std::string::npos);
                   }},
        CatalogRow{"MissingExitButtonPicture",
                   [](CatalogOnFakes& d, const std::string&) { d.fp.toolkit.pictures.erase(d.folders.PicPath + "/button4.jpg"); },
                   [](Started& s) {
                       expectNothingShownAndWorking(s);
                       EXPECT_THROW(s.disc->form().fireMouseDown(770, 10), ProgramEnded);
                   }},
        CatalogRow{"MissingDescriptionFile",
                   [](CatalogOnFakes& d, const std::string&) { d.fp.textFiles.contents.clear(); },
                   [](Started& s) {
                       expectFormatMessages(s, 2);
                       s.disc->searchBox().setText("红楼");
                       s.disc->form().fireMouseDown(360, 510);
                       EXPECT_EQ(s.disc->list().bodyHtml.find("ChangeBook(15)"), std::string::npos)
                           << "no button was made, so none answers";
                   }},
        CatalogRow{"MissingDatabase", [](CatalogOnFakes&, const std::string& f) { fs::remove(databaseOf(f)); },
                   expectDatabaseMessage},
        CatalogRow{"MissingFonts",
                   [](CatalogOnFakes& d, const std::string& f) {
                       d.fp.fonts.failing = {f + "/times.ttf", f + "/FZCCHJW.TTF", f + "/arial.ttf"};
                   },
                   expectNothingShownAndWorking},
        // Files empty, cut short, or of another kind.
        CatalogRow{"EmptyDescriptionFile", [](CatalogOnFakes& d, const std::string&) { setDescription(d, {}); },
                   [](Started& s) { expectFormatMessages(s, 2); }},
        CatalogRow{"DescriptionFileCutInsideTheSecondSection",
                   [](CatalogOnFakes& d, const std::string&) {
                       auto lines = descriptionLines(d);
                       lines.resize(5);
                       lines.back() = lines.back().substr(0, 20);
                       setDescription(d, lines);
                   },
                   [](Started& s) {
                       EXPECT_EQ(s.window->BtnSearch->Count(), 1);
                       expectFormatMessages(s, 1);
                   }},
        CatalogRow{"DescriptionFileElementLeftOpen",
                   [](CatalogOnFakes& d, const std::string&) {
                       setDescription(d, {"<BUTTON3>", "<X=352 Y=505 W=56 H=22 RES=0 STYLE=1 FRAME=2 DFRAME=-1 TIP=查询",
                                          "</BUTTON3>", "<BUTTON4>", "</BUTTON4>"});
                   },
                   [](Started& s) {
                       // An element without its '>' is where the section's elements end.
                       EXPECT_EQ(s.window->BtnSearch->Count(), 0);
                       expectNothingShownAndWorking(s);
                   }},
        CatalogRow{"DescriptionFileValuesBeyond16Bits",
                   [](CatalogOnFakes& d, const std::string&) {
                       setDescription(d, {"<BUTTON3>", "<X=99999 Y=505 W=56 H=22 RES=0 STYLE=1 FRAME=2 DFRAME=-1>",
                                          "</BUTTON3>", "<BUTTON4>",
                                          "<X=1 Y=1 W=1e9 H=-32769 RES=0 STYLE=1 FRAME=2 DFRAME=-1>", "</BUTTON4>"});
                   },
                   [](Started& s) {
                       EXPECT_EQ(s.window->BtnSearch->Count(), 0);
                       EXPECT_EQ(s.window->BtnExit->Count(), 0);
                       expectFormatMessages(s, 2);
                   }},
        CatalogRow{"DescriptionFileBracketsOutOfOrder",
                   [](CatalogOnFakes& d, const std::string&) {
                       setDescription(d, {"</BUTTON3>", "<BUTTON3>", ">> <<X=1 Y=2 W=3 H=4 RES=0 STYLE=1 FRAME=2 DFRAME=-1>",
                                          "<BUTTON4><</BUTTON4>"});
                   },
                   [](Started& s) { expectFormatMessages(s, 1); }},
        CatalogRow{"EmptyDatabase", [](CatalogOnFakes&, const std::string& f) { writeBytes(databaseOf(f), ""); },
                   expectDatabaseMessage},
        CatalogRow{"DatabaseCutShort",
                   [](CatalogOnFakes&, const std::string& f) {
                       const std::string bytes = fileBytes(databaseOf(f));
                       writeBytes(databaseOf(f), bytes.substr(0, bytes.size() / 2));
                   },
                   expectDatabaseMessage},
        CatalogRow{"JetDatabaseCutShort",
                   [](CatalogOnFakes&, const std::string& f) {
                       const std::string jet = f + "/jet.mdb";
                       tools::WriteJetCatalog(databaseOf(f), jet);
                       writeBytes(databaseOf(f), fileBytes(jet).substr(0, 3 * 4096));
                       // The helper that reads it, beside the program as on the disc.
                       fs::create_symlink(testsupport::jetHelper(), f + "/jetcopy");
                   },
                   expectDatabaseMessage},
        CatalogRow{"DatabaseThatIsText",
                   [](CatalogOnFakes&, const std::string& f) { writeBytes(databaseOf(f), "这不是数据库 — not a database\n"); },
                   expectDatabaseMessage},
        CatalogRow{"DatabaseThatIsAFolder",
                   [](CatalogOnFakes&, const std::string& f) {
                       fs::remove(databaseOf(f));
                       fs::create_directory(databaseOf(f));
                   },
                   expectDatabaseMessage},
        CatalogRow{"DatabaseWithoutTheCatalogTables",
                   [](CatalogOnFakes&, const std::string& f) {
                       fs::remove(databaseOf(f));
                       testsupport::TestCatalog other("DROP TABLE BookType; DROP TABLE WebBook;");
                       fs::copy_file(databaseOf(other.folder()), databaseOf(f));
                   },
                   expectDatabaseMessage},
        // The screen.
        CatalogRow{"ScreenBelow800x600AnsweredNo",
                   [](CatalogOnFakes& d, const std::string&) {
                       d.fp.app.screenWidthPx = 640;
                       d.fp.app.screenHeightPx = 480;
                       d.fp.messages.answers = {platform::Answer::No};
                   },
                   [](Started& s) {
                       ASSERT_EQ(s.messages().size(), 1u);
                       EXPECT_EQ(s.messages()[0].kind, ShownMessage::Kind::YesNo);
                       EXPECT_NE(s.messages()[0].text.find("640*480"), std::string::npos);
                       s.disc->fp.messages.shown.clear();
                       expectWorkingWindow(s);
                   }},
        CatalogRow{"ScreenBelow800x600AnsweredYes",
                   [](CatalogOnFakes& d, const std::string&) {
                       d.fp.app.screenWidthPx = 799;
                       d.fp.app.screenHeightPx = 600;
                       d.fp.messages.answers = {platform::Answer::Yes};
                   },
                   [](Started& s) {
                       EXPECT_TRUE(s.ended);
                       ASSERT_EQ(s.messages().size(), 1u);
                       EXPECT_NE(s.messages()[0].text.find("799*600"), std::string::npos);
                       EXPECT_FALSE(s.disc->form().shown);
                   }}),
    [](const auto& info) { return std::string(info.param.name); });
