#include "CatalogOnFakes.h"
#include "TestCatalog.h"
#include "catalog/FrmMain.h"
#include "platform/fake/FakePlatform.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace platform;
using namespace platform::fake;
using catalog::FrmMain;
using testsupport::TestCatalog;

namespace {

const char* const kBooks =
    "INSERT INTO BookType VALUES (3, '小说', 0), (7, '科技', 0);"
    "INSERT INTO WebBook VALUES"
    " (15, 'A01', '红楼梦', '曹雪芹', '9787020002207', 45.5, '古典小说。', 3, 0, 1),"
    " (16, 'A02', '边城', '沈从文', '9787020003334', 30, '', 3, 0, 0),"
    " (18, 'B01', '时间简史', '霍金', '9787535732309', 12.5, '科普。', 7, 0, 0);";

// The catalog window on fakes, over a real database file.
class FrmMainTest : public ::testing::Test, public testsupport::CatalogOnFakes {
protected:
    explicit FrmMainTest(const char* rows = kBooks) : FrmMainTest(std::make_unique<TestCatalog>(rows)) {}

    std::unique_ptr<TestCatalog> catalog;

private:
    explicit FrmMainTest(std::unique_ptr<TestCatalog> made) : CatalogOnFakes(made->folder()), catalog(std::move(made)) {}
};

class BrokenQueryTest : public FrmMainTest {
protected:
    BrokenQueryTest() : FrmMainTest("DROP TABLE WebBook; CREATE TABLE WebBook (ID INTEGER);") {}
};

void expectGeometry(const Control& c, int l, int t, int w, int h)
{
    EXPECT_EQ(c.left(), l);
    EXPECT_EQ(c.top(), t);
    EXPECT_EQ(c.width(), w);
    EXPECT_EQ(c.height(), h);
}

} // namespace

TEST_F(FrmMainTest, InitPlacesEveryControlAndWritesThePages)
{
    window->Init();
    EXPECT_TRUE(window->PagesReady);
    EXPECT_TRUE(form().shown);
    expectGeometry(form(), 112, 84, 800, 600);
    EXPECT_EQ(fakePictureName(form().picture().get()), folders.PicPath + "/bg.jpg");
    expectGeometry(tree(), 62, 153, 205, 317);
    expectGeometry(list(), 298, 130, 443, 134);
    expectGeometry(detail(), 298, 309, 443, 163);
    expectGeometry(bar(), 445, 484, 307, 18);
    EXPECT_EQ(bar().movie, folders.PicPath + "/button.swf");
    EXPECT_TRUE(bar().contextMenuOff);
    EXPECT_TRUE(bar().visible());
    EXPECT_FALSE(overlay().visible());
    expectGeometry(*fp.toolkit.editBoxes.at(0), 151, 509, 195, 15);
    EXPECT_EQ(timfla().interval(), 10);
    EXPECT_EQ(tmTip().interval(), 200);
    EXPECT_EQ(tree().lines.back(), "</script>");
    EXPECT_EQ(list().lines.size(), 21u);
    EXPECT_EQ(detail().lines.size(), 18u);
    // The button sets drew their first frames on the window itself.
    auto drawn = form().opsOfKind(DrawOp::Kind::PaintPicture);
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.front().text, folders.PicPath + "/button3.jpg#0");
}

TEST_F(FrmMainTest, TitlesChooseCategoryAndBookOnceThePagesAreReady)
{
    tree().raiseTitleChange("Node3");
    EXPECT_EQ(list().bodyHtml, "") << "before Init the window ignores titles";
    window->Init();
    tree().raiseTitleChange("about:blank");
    tree().raiseTitleChange("NodeX");
    EXPECT_EQ(list().bodyHtml, "");
    tree().raiseTitleChange("Node3");
    EXPECT_NE(list().bodyHtml.find("ChangeBook(15)"), std::string::npos);
    EXPECT_NE(list().bodyHtml.find("ChangeBook(16)"), std::string::npos);
    list().raiseTitleChange("16");
    EXPECT_NE(detail().bodyHtml.find("边城"), std::string::npos);
    tree().raiseTitleChange("Node7");
    EXPECT_NE(detail().bodyHtml.find("边城"), std::string::npos) << "a new list leaves the detail";
    list().raiseTitleChange("999");
    EXPECT_NE(detail().bodyHtml.find("边城"), std::string::npos) << "an unknown book leaves the detail";
    EXPECT_TRUE(fp.messages.shown.empty());
}

TEST_F(FrmMainTest, FlashCommandsWaitForTheTimerAndTheLaterOneWins)
{
    window->Init();
    bar().sendCommand("1");
    EXPECT_EQ(list().bodyHtml, "") << "nothing happens inside the player's event";
    EXPECT_TRUE(timfla().tick());
    EXPECT_NE(list().bodyHtml.find("ChangeBook(15)"), std::string::npos);
    EXPECT_EQ(list().bodyHtml.find("ChangeBook(16)"), std::string::npos);

    overlay().sendCommand("1");
    list().bodyHtml.clear();
    timfla().tick();
    EXPECT_EQ(list().bodyHtml, "") << "\"1\" only counts from the bar";

    bar().sendCommand("123");
    timfla().tick();
    EXPECT_EQ(overlay().stops, 0) << "\"123\" only counts from the overlay";

    bar().sendCommand("1");
    bar().sendCommand("2");
    timfla().tick();
    EXPECT_EQ(list().bodyHtml, "");
    EXPECT_EQ(overlay().movie, folders.PicPath + "/tavro.swf");
    EXPECT_EQ(overlay().rewinds, 1);
    EXPECT_TRUE(overlay().visible());
    expectGeometry(overlay(), 125, 100, 550, 400);

    bar().sendCommand("2");
    overlay().sendCommand("123");
    timfla().tick();
    EXPECT_EQ(overlay().rewinds, 1) << "a command from the other movie cancels";
    EXPECT_EQ(overlay().stops, 1);
    EXPECT_FALSE(overlay().visible());
    EXPECT_FALSE(timfla().tick());
}

TEST_F(FrmMainTest, EnterAndTheSearchButtonSearchTheTrimmedText)
{
    window->Init();
    auto& box = *fp.toolkit.editBoxes.at(0);
    box.setText("  简史 ");
    box.pressKey(65);
    EXPECT_EQ(list().bodyHtml, "");
    box.pressKey(13);
    EXPECT_NE(list().bodyHtml.find("ChangeBook(18)"), std::string::npos);
    box.setText("没有这本");
    form().fireMouseDown(360, 510);
    EXPECT_NE(list().bodyHtml.find("没有找到书籍"), std::string::npos);
}

TEST_F(FrmMainTest, ExitButtonZeroEndsTheProgramAndOthersDoNothing)
{
    window->Init();
    form().fireMouseDown(2, 2); // button 1 of the exit set
    EXPECT_EQ(fp.app.endCalls, 0);
    EXPECT_THROW(form().fireMouseDown(770, 10), ProgramEnded);
}

TEST_F(FrmMainTest, ClosingTheWindowEndsTheProgram)
{
    window->Init();
    EXPECT_EQ(fp.app.endCalls, 0);
    try {
        form().close();
        FAIL() << "the program went on";
    } catch (const ProgramEnded& ended) {
        EXPECT_EQ(ended.status, 0);
    }
    EXPECT_EQ(fp.app.endCalls, 1);
}

TEST_F(FrmMainTest, TipsAppearWhenTheTipTimerFires)
{
    window->Init();
    auto& tip = *fp.toolkit.labels.at(0);
    form().fireMouseMove(360, 510);
    EXPECT_TRUE(tmTip().enabled());
    EXPECT_FALSE(tip.visible());
    EXPECT_TRUE(tmTip().tick());
    EXPECT_TRUE(tip.visible());
    EXPECT_EQ(tip.caption(), "查询");
}

TEST_F(FrmMainTest, MissingMoviesAreSeriousErrors)
{
    fp.app.files.erase(folders.PicPath + "/tavro.swf");
    window->Init();
    bar().sendCommand("2");
    EXPECT_THROW(timfla().tick(), ProgramEnded);
    ASSERT_EQ(fp.messages.shown.size(), 1u);
    EXPECT_EQ(fp.messages.shown[0].text, "初始化登陆窗体失败，程序将退出。");
    EXPECT_EQ(fp.messages.shown[0].caption, "严重错误");
}

TEST_F(FrmMainTest, AMissingButtonBarEndsTheProgramDuringInit)
{
    fp.app.files.clear();
    EXPECT_THROW(window->Init(), ProgramEnded);
    ASSERT_EQ(fp.messages.shown.size(), 1u);
    EXPECT_EQ(fp.messages.shown[0].caption, "严重错误");
    EXPECT_FALSE(form().shown);
}

// The user reads what failed and which file, in Chinese; the engine's
// English words go to the log only.
TEST_F(BrokenQueryTest, ADatabaseErrorIsShownAndTheWindowGoesOn)
{
    window->Init();
    auto& box = *fp.toolkit.editBoxes.at(0);
    box.setText("x");
    testing::internal::CaptureStderr();
    box.pressKey(13);
    const std::string log = testing::internal::GetCapturedStderr();
    ASSERT_EQ(fp.messages.shown.size(), 1u);
    EXPECT_EQ(fp.messages.shown[0].text, "查询书目时出错：" + catalog->folder() + "/DataBase/tavro.mdb");
    EXPECT_NE(log.find("no such column: Isdeleted"), std::string::npos) << log;
    tree().raiseTitleChange("Node3");
    EXPECT_EQ(fp.messages.shown.size(), 2u);
}

TEST(FrmMainStartup, AMissingDatabaseIsReportedAndThePanesStayQuiet)
{
    FakePlatform fp;
    fp.app.folder = "/nonexistent-disc";
    auto folders = startup::composeMediaFolders(fp.app.folder);
    fp.app.files = {folders.PicPath + "/button.swf"};
    Platform platform = fp.platform();
    auto window = std::make_unique<FrmMain>(platform, folders);
    EXPECT_THROW(window->Init(), catalog::DatabaseError);
    EXPECT_FALSE(window->PagesReady);
    // The missing button resources are reported too; the database once.
    ASSERT_FALSE(fp.messages.shown.empty());
    EXPECT_EQ(fp.messages.shown.back().text, "无法打开书目数据库：/nonexistent-disc/DataBase/tavro.mdb");
    EXPECT_EQ(std::count_if(fp.messages.shown.begin(), fp.messages.shown.end(),
                            [](const auto& m) { return m.text.rfind("无法打开书目数据库：", 0) == 0; }),
              1);
    fp.toolkit.browsers.at(0)->raiseTitleChange("Node3");
    fp.toolkit.flashPlayers.at(0)->sendCommand("1");
    fp.toolkit.timers.at(0)->tick();
    EXPECT_EQ(fp.toolkit.browsers.at(1)->bodyHtml, "");
}
