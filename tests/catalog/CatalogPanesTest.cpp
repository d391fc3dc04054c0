#include "catalog/FrmMain.h"
#include "platform/qt/LinkedWebControls.h"
#include "platform/qt/QtBrowser.h"
#include "platform/qt/QtFlashPlayer.h"
#include "platform/qt/QtPlatform.h"
#include "support/Paths.h"
#include "support/QtSearch.h"
#include "support/QtWait.h"

#include <QWebEngineView>
#include <QWindow>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <unistd.h>

using namespace platform;
using namespace platform::qt;
using testsupport::evaluate;
using testsupport::waitUntil;
namespace fs = std::filesystem;

namespace {

QWebEnginePage& pageOf(Browser& browser) { return *dynamic_cast<QtBrowser&>(browser).view()->page(); }

int numberIn(QWebEnginePage& page, const QString& script)
{
    auto v = evaluate(page, script, 5000);
    return v ? v->toInt() : -1;
}

std::string otherCase(std::string name)
{
    for (char& c : name) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        else if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return name;
}

void copyInOtherCase(const fs::path& from, const fs::path& to, const std::set<std::string>& leftOut = {})
{
    fs::create_directories(to);
    for (const auto& entry : fs::directory_iterator(from)) {
        if (leftOut.count(entry.path().filename().string()))
            continue;
        const fs::path target = to / otherCase(entry.path().filename().string());
        if (entry.is_directory())
            copyInOtherCase(entry.path(), target);
        else
            fs::copy_file(entry.path(), target);
    }
}

// The catalog's folder of the sample disc as built, or a copy in which every
// folder and file name has its letter case turned round (DataBase/tavro.mdb
// becomes dATAbASE/TAVRO.MDB, BookImgs/TB0001.jpg bOOKiMGS/tb0001.JPG), as a
// disc authored where names ignore case may hold them. The copy leaves out
// the programs and the player engine: the window runs in this process, with
// the engine of the disc as built.
enum class DiscNames { AsBuilt, OtherCase };

class CatalogPanesTest : public ::testing::TestWithParam<DiscNames> {
protected:
    static void SetUpTestSuite()
    {
        otherCaseDisc = fs::temp_directory_path() / ("catalog-panes-" + std::to_string(getpid()));
        copyInOtherCase(testsupport::discDir() + "/product", otherCaseDisc, {"product", "jetcopy", "ruffle"});
        QtFlashPlayer::setEngineFolder(QString::fromStdString(testsupport::discDir() + "/ruffle"));
    }
    static void TearDownTestSuite() { fs::remove_all(otherCaseDisc); }
    static std::string programFolder()
    {
        return GetParam() == DiscNames::AsBuilt ? testsupport::discDir() + "/product" : otherCaseDisc.string();
    }

    CatalogPanesTest()
    {
        folders = startup::composeMediaFolders(qtPlatform.app.programFolder());
        window = std::make_unique<catalog::FrmMain>(platform, folders);
        window->Init();
    }
    // The Qt services, with the catalog's folder as the program folder.
    platform::qt::QtPlatform qtPlatform{platform::qt::linkedWebControls(), programFolder()};
    Platform platform = qtPlatform.platform();
    startup::MediaFolders folders;
    std::unique_ptr<catalog::FrmMain> window;
    static fs::path otherCaseDisc;
};

fs::path CatalogPanesTest::otherCaseDisc;

} // namespace

TEST_P(CatalogPanesTest, ACategoryClickListsItsBooksAndABookClickShowsItsCover)
{
    ASSERT_TRUE(window->PagesReady);
    QWebEnginePage& tree = pageOf(*window->WebBrowser1);
    QWebEnginePage& list = pageOf(*window->WebBrowser2);
    QWebEnginePage& detail = pageOf(*window->WebBrowser3);

    ASSERT_TRUE(waitUntil([&] { return numberIn(tree, "document.querySelectorAll('.TreeLabel').length") > 10; }))
        << "the tree page shows its nodes";
    ASSERT_TRUE(waitUntil([&] { return numberIn(list, "typeof ChangeBook === 'function' ? 1 : 0") == 1; }));
    // The style sheet and the node pictures came from the disc too.
    auto color = evaluate(tree, "getComputedStyle(document.body).color");
    ASSERT_TRUE(color);
    EXPECT_EQ(color->toString(), "rgb(59, 36, 18)");
    EXPECT_TRUE(waitUntil([&] { return numberIn(tree, "document.images[0].naturalWidth") > 0; }));

    // The first category that lists books when clicked.
    const int labels = numberIn(tree, "document.querySelectorAll('.TreeLabel').length");
    bool listed = false;
    for (int i = 0; i < labels && !listed; ++i) {
        evaluate(tree, QString("document.querySelectorAll('.TreeLabel')[%1].click()").arg(i));
        listed = waitUntil([&] { return numberIn(list, "document.querySelectorAll('a').length") > 0; }, 1500);
    }
    ASSERT_TRUE(listed) << "no category click filled the list pane";
    auto title = evaluate(tree, "document.title");
    ASSERT_TRUE(title);
    EXPECT_TRUE(title->toString().startsWith("Node"));

    evaluate(list, "document.querySelectorAll('a')[0].click()");
    ASSERT_TRUE(waitUntil([&] { return numberIn(detail, "document.images.length") > 0; }));
    EXPECT_TRUE(waitUntil([&] { return numberIn(detail, "document.images[0].naturalWidth") > 0; }))
        << "the cover picture loads";
    auto text = evaluate(detail, "document.body.textContent");
    ASSERT_TRUE(text);
    EXPECT_TRUE(text->toString().contains(QString::fromUtf8("作者：")));
}

TEST_P(CatalogPanesTest, EnterInTheSearchBoxShowsNotFoundInThePane)
{
    QWebEnginePage& list = pageOf(*window->WebBrowser2);
    ASSERT_TRUE(waitUntil([&] { return numberIn(list, "typeof ChangeBook === 'function' ? 1 : 0") == 1; }));
    EXPECT_TRUE(testsupport::searchForANameNoBookHas(*window->txt_BookName, list));
}

INSTANTIATE_TEST_SUITE_P(Discs, CatalogPanesTest, ::testing::Values(DiscNames::AsBuilt, DiscNames::OtherCase),
                         [](const auto& info) { return info.param == DiscNames::AsBuilt ? "AsBuilt" : "OtherCase"; });

// The real window and the real ending: a close from the window system (as
// the window manager's close button sends) ends the process at once, with
// status 0, before anything after it runs.
TEST(CatalogWindowDeathTest, ClosingTheWindowEndsTheProgram)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            QtFlashPlayer::setEngineFolder(QString::fromStdString(testsupport::discDir() + "/ruffle"));
            platform::qt::QtPlatform qtPlatform(platform::qt::linkedWebControls(), testsupport::discDir() + "/product");
            Platform platform = qtPlatform.platform();
            catalog::FrmMain window(platform, startup::composeMediaFolders(qtPlatform.app.programFolder()));
            window.Init();
            QWidget* widget = dynamic_cast<QtForm&>(*window.form).widget();
            if (waitUntil([&] { return widget->isVisible() && widget->windowHandle(); }, 10000))
                widget->windowHandle()->close();
            waitUntil([] { return false; }, 3000);
            std::fprintf(stderr, "still running\n");
            std::exit(7);
        },
        ::testing::ExitedWithCode(0), "");
}
