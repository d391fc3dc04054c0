// Bad inputs that only the real platform can show: pictures that are not
// pictures, a player engine that is not there, a page library missing from
// the disc. Headless, on a copy of the sample disc.
#include "catalog/FrmMain.h"
#include "platform/qt/LinkedWebControls.h"
#include "platform/qt/QtBrowser.h"
#include "platform/qt/QtControls.h"
#include "platform/qt/QtFlashPlayer.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtToolkit.h"
#include "support/FileBytes.h"
#include "support/Paths.h"
#include "support/QtSearch.h"
#include "support/QtWait.h"

#include <QApplication>
#include <QDialog>
#include <QWebEngineView>
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

using namespace platform;
using namespace platform::qt;
using testsupport::evaluate;
using testsupport::fileBytes;
using testsupport::waitUntil;
namespace fs = std::filesystem;

namespace {

std::string productFolder() { return testsupport::discDir() + "/product"; }

// A folder of this test's own, removed with what it holds.
class ScratchFolder {
public:
    ScratchFolder() : path_(fs::temp_directory_path() / ("bad-input-" + std::to_string(getpid()))) { fs::create_directories(path_); }
    ~ScratchFolder() { fs::remove_all(path_); }
    std::string write(const std::string& name, const std::string& bytes) const
    {
        const std::string file = (path_ / name).string();
        testsupport::writeBytes(file, bytes);
        return file;
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

bool anyDialogShown()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && qobject_cast<QDialog*>(w))
            return true;
    return false;
}

struct PictureRow {
    const char* name;
    // The bytes of the file; from a disc picture cut short when `cutFrom` is set.
    std::string bytes;
    const char* cutFrom = nullptr;
    std::size_t keep = 0;
    // Whether what is left still gives the picture, at its full size.
    bool drawn = false;
};

class PictureFileTest : public ::testing::TestWithParam<PictureRow> {};

} // namespace

// A file that is not a picture gives none, so its holder stays empty. A
// picture cut short is drawn as far as it goes, at its full size, when its
// format allows, or not at all; nothing else happens.
TEST_P(PictureFileTest, GivesNoPictureOrOneOfItsFullSize)
{
    ScratchFolder folder;
    const PictureRow& row = GetParam();
    std::string bytes = row.bytes;
    QImage whole;
    if (row.cutFrom) {
        const std::string original = productFolder() + "/pic/" + row.cutFrom;
        ASSERT_TRUE(whole.load(QString::fromStdString(original)));
        bytes = fileBytes(original).substr(0, row.keep);
    }
    QtToolkit toolkit;
    const PicturePtr picture = toolkit.loadPicture(folder.write(row.name, bytes));
    ASSERT_EQ(picture != nullptr, row.drawn);
    if (picture) {
        EXPECT_EQ(picture->width(), whole.width());
        EXPECT_EQ(picture->height(), whole.height());
    }
    EXPECT_EQ(toolkit.loadPicture((folder.path() / "missing.jpg").string()), nullptr);
    EXPECT_FALSE(anyDialogShown());
}

INSTANTIATE_TEST_SUITE_P(Rows, PictureFileTest,
                         ::testing::Values(PictureRow{"Empty.jpg", ""},
                                           PictureRow{"Text.bmp", "这不是图片, not a picture\n"},
                                           PictureRow{"JpegCutBeforeItsImage.jpg", "", "bg.jpg", 600, false},
                                           PictureRow{"JpegCutInItsImage.jpg", "", "bg.jpg", 30000, true},
                                           PictureRow{"BmpCutInItsHeader.bmp", "", "back.bmp", 30, false},
                                           PictureRow{"BmpCutInItsImage.bmp", "", "back.bmp", 700000, true},
                                           PictureRow{"GifCutShort.gif", "", "plus.gif", 500, false}),
                         [](const auto& info) {
                             const std::string name = info.param.name;
                             return name.substr(0, name.find('.'));
                         });

// Without its engine a player could never show a movie: it says so, and the
// program ends with the serious-error message instead of a blank window.
TEST(PlayerEngine, APlayerWithoutItsEngineCannotPlay)
{
    ScratchFolder empty;
    QWidget parent;
    QtFlashPlayer player(&parent);
    QtFlashPlayer::setEngineFolder(QString::fromStdString((empty.path() / "ruffle").string()));
    EXPECT_FALSE(player.canPlay()) << "no engine folder";
    fs::create_directories(empty.path() / "ruffle");
    EXPECT_FALSE(player.canPlay()) << "an engine folder without the engine";
    QtFlashPlayer::setEngineFolder(QString::fromStdString(testsupport::discDir() + "/ruffle"));
    EXPECT_TRUE(player.canPlay());
}

// One engine serves the disc: a program uses the one beside it, else the
// one beside its folder (the catalog, a folder below the start program),
// and with neither it names the folder beside it, where it cannot play.
TEST(PlayerEngine, AProgramFindsTheEngineBesideItElseBesideItsFolder)
{
    ScratchFolder disc;
    const QString top = QString::fromStdString(disc.path().string());
    const QString product = top + "/product";
    fs::create_directories(disc.path() / "product");
    EXPECT_EQ(QtFlashPlayer::engineFolderFor(product), product + "/ruffle") << "no engine anywhere";

    fs::create_directories(disc.path() / "ruffle");
    EXPECT_EQ(QtFlashPlayer::engineFolderFor(product), product + "/ruffle") << "a folder above without the engine";
    disc.write("ruffle/ruffle.js", "engine");
    EXPECT_EQ(QtFlashPlayer::engineFolderFor(product), top + "/ruffle");
    EXPECT_EQ(QtFlashPlayer::engineFolderFor(top), top + "/ruffle");

    fs::create_directories(disc.path() / "product" / "ruffle");
    disc.write("product/ruffle/ruffle.js", "engine");
    EXPECT_EQ(QtFlashPlayer::engineFolderFor(product), product + "/ruffle") << "the engine beside comes first";
}

// The tree pane without its page library shows no tree and reports no
// choice; the window and its other panes go on.
TEST(PageLibrary, AMissingPageLibraryLeavesTheTreeEmptyAndTheWindowWorking)
{
    ScratchFolder disc;
    const fs::path product = disc.path() / "product";
    fs::copy(productFolder(), product, fs::copy_options::recursive);
    fs::remove(product / "Script" / "tree.js");
    QtFlashPlayer::setEngineFolder(QString::fromStdString(testsupport::discDir() + "/ruffle"));

    QtPlatform qtPlatform{linkedWebControls(), product.string()};
    Platform platform = qtPlatform.platform();
    catalog::FrmMain window(platform, startup::composeMediaFolders(product.string()));
    window.Init();
    ASSERT_TRUE(window.PagesReady);
    QWebEnginePage& tree = *dynamic_cast<QtBrowser&>(*window.WebBrowser1).view()->page();
    QWebEnginePage& list = *dynamic_cast<QtBrowser&>(*window.WebBrowser2).view()->page();
    ASSERT_TRUE(waitUntil([&] {
        auto ready = evaluate(tree, "document.getElementById('Node0') ? 1 : 0", 5000);
        return ready && ready->toInt() == 1;
    }));
    ASSERT_TRUE(waitUntil([&] {
        auto ready = evaluate(list, "typeof ChangeBook === 'function' ? 1 : 0", 5000);
        return ready && ready->toInt() == 1;
    }));
    waitUntil([] { return false; }, 1500);
    auto drawn = evaluate(tree, "document.getElementById('Node0').childNodes.length");
    ASSERT_TRUE(drawn);
    EXPECT_EQ(drawn->toInt(), 0) << "no tree without the library";

    EXPECT_TRUE(testsupport::searchForANameNoBookHas(*window.txt_BookName, list));
    EXPECT_FALSE(anyDialogShown());
}
