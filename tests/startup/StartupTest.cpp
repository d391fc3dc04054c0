#include "platform/fake/FakePlatform.h"
#include "startup/Startup.h"

#include <gtest/gtest.h>

using namespace platform;
using namespace platform::fake;
using namespace startup;

namespace {

struct ScreenCase {
    int width, height;
    bool message;
};

class ScreenCheckTest : public ::testing::TestWithParam<ScreenCase> {};

// A main window that records what the start-up sequence asks of it.
class RecordingWindow : public ProgramWindow {
public:
    explicit RecordingWindow(Platform& p, const MediaFolders& f, bool failInit)
        : platform(p), folders(f), failInit(failInit), form(p.toolkit.createForm()) {}
    Form& Window() override { return *form; }
    void Init()
    {
        ++inits;
        PlaceMainWindow(*form, platform.app, platform.toolkit, folders.PicPath);
        if (failInit)
            throw std::runtime_error("database missing");
        form->show();
    }

    Platform& platform;
    MediaFolders folders;
    bool failInit;
    std::unique_ptr<Form> form;
    int inits = 0;
};

} // namespace

TEST_P(ScreenCheckTest, AsksOnlyBelow800x600)
{
    FakePlatform fp;
    fp.app.screenWidthPx = GetParam().width;
    fp.app.screenHeightPx = GetParam().height;
    ScreenCheck(fp.app, fp.messages);
    EXPECT_EQ(fp.messages.shown.size(), GetParam().message ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ScreenCheckTest,
                         ::testing::Values(ScreenCase{800, 600, false}, ScreenCase{1024, 768, false},
                                           ScreenCase{640, 480, true}, ScreenCase{800, 480, true},
                                           ScreenCase{1024, 576, true}),
                         [](const auto& info) {
                             return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
                         });

TEST(ScreenCheck, MessageNamesTheResolutionBetweenItsFixedParts)
{
    FakePlatform fp;
    fp.app.screenWidthPx = 640;
    fp.app.screenHeightPx = 480;
    ScreenCheck(fp.app, fp.messages);
    ASSERT_EQ(fp.messages.shown.size(), 1u);
    EXPECT_EQ(fp.messages.shown[0].kind, ShownMessage::Kind::YesNo);
    EXPECT_EQ(fp.messages.shown[0].text, "本光盘的正常运行需要800*600屏幕分辨率。您现在的分辨率是640*480"
                                         "请您调整分辨率后再运行光盘。您是否退出？");
    EXPECT_EQ(fp.messages.shown[0].caption, "");
}

TEST(ScreenCheck, PixelsAreTwipsOverTwipsPerPixel)
{
    FakePlatform fp;
    fp.app.tppX = fp.app.tppY = 12; // 120 dpi
    fp.app.screenWidthPx = 700;
    fp.app.screenHeightPx = 700;
    ScreenCheck(fp.app, fp.messages);
    ASSERT_EQ(fp.messages.shown.size(), 1u);
    EXPECT_NE(fp.messages.shown[0].text.find("700*700"), std::string::npos);
}

TEST(CatalogStartup, YesEndsBeforeAnyWindow)
{
    FakePlatform fp;
    fp.app.screenWidthPx = 640;
    fp.app.screenHeightPx = 480;
    fp.messages.answers = {Answer::Yes};
    Platform p = fp.platform();
    bool made = false;
    EXPECT_THROW(StartMainWindow(p, [&](Platform&, const MediaFolders&) -> std::unique_ptr<RecordingWindow> {
                     made = true;
                     return nullptr;
                 }),
                 ProgramEnded);
    EXPECT_FALSE(made);
    EXPECT_TRUE(fp.toolkit.forms.empty());
}

TEST(CatalogStartup, NoContinuesAndPlacesTheWindowAtNegativeLeftAndTop)
{
    FakePlatform fp;
    fp.app.screenWidthPx = 640;
    fp.app.screenHeightPx = 480;
    fp.app.folder = "/media/cdrom/product";
    fp.toolkit.pictures["/media/cdrom/product/pic/back.bmp"] = {800, 600};
    Platform p = fp.platform();
    RecordingWindow* window = nullptr;
    auto kept = StartMainWindow(p, [&](Platform& pl, const MediaFolders& f) {
        auto w = std::make_unique<RecordingWindow>(pl, f, false);
        window = w.get();
        return w;
    });
    ASSERT_TRUE(window);
    EXPECT_EQ(window->inits, 1);
    FakeForm& form = *fp.toolkit.forms.at(0);
    EXPECT_EQ(form.left(), -80);
    EXPECT_EQ(form.top(), -60);
    EXPECT_EQ(form.width(), 800);
    EXPECT_EQ(form.height(), 600);
    EXPECT_TRUE(form.shown);
    EXPECT_EQ(fakePictureName(form.picture().get()), "/media/cdrom/product/pic/back.bmp");
}

TEST(CatalogStartup, AnotherInstanceEndsSilentlyWithStatusZero)
{
    FakePlatform fp;
    fp.app.otherInstance = true;
    Platform p = fp.platform();
    try {
        StartMainWindow(p, [](Platform&, const MediaFolders&) -> std::unique_ptr<RecordingWindow> { return nullptr; });
        FAIL() << "start-up went on";
    } catch (const ProgramEnded& e) {
        EXPECT_EQ(e.status, 0);
    }
    EXPECT_TRUE(fp.messages.shown.empty());
    EXPECT_TRUE(fp.fonts.registered.empty());
}

TEST(CatalogStartup, RegistersFontsThenShowsTheWindowEvenWhenInitStops)
{
    FakePlatform fp;
    fp.app.folder = "/disc/product";
    fp.fonts.failing = {"/disc/product/FZCCHJW.TTF"};
    Platform p = fp.platform();
    RecordingWindow* window = nullptr;
    auto kept = StartMainWindow(p, [&](Platform& pl, const MediaFolders& f) {
        auto w = std::make_unique<RecordingWindow>(pl, f, true);
        window = w.get();
        return w;
    });
    EXPECT_EQ(fp.fonts.registered, (std::vector<std::string>{"/disc/product/times.ttf", "/disc/product/FZCCHJW.TTF",
                                                             "/disc/product/arial.ttf", "/disc/product/song.ttf"}));
    ASSERT_TRUE(window);
    EXPECT_TRUE(fp.toolkit.forms.at(0)->shown);
}

TEST(MediaFolders, RootAndFolder)
{
    MediaFolders inFolder = composeMediaFolders(mediaRootOf("/home/user/Cat"));
    EXPECT_EQ(inFolder.MediaRoot, "/home/user/Cat");
    EXPECT_EQ(inFolder.PicPath, "/home/user/Cat/pic");
    EXPECT_EQ(inFolder.SrcPath, "/home/user/Cat/src");
    MediaFolders atRoot = composeMediaFolders(mediaRootOf("/"));
    EXPECT_EQ(atRoot.MediaRoot, "");
    EXPECT_EQ(atRoot.PicPath, "/pic");
    EXPECT_EQ(atRoot.AviPath, "/avi");
    EXPECT_EQ(atRoot.SoundsPath, "/sounds");
    EXPECT_EQ(atRoot.TextPath, "/text");
    EXPECT_EQ(atRoot.DataPath, "/data");
}

TEST(ListCdDrives, NoneAndTwo)
{
    FakeOpticalDrives drives;
    std::vector<std::string> found;
    EXPECT_EQ(ListCdDrives(drives, found), 0);
    EXPECT_TRUE(found.empty());
    drives.drives = {"/media/cdrom0", "/dev/sr1"};
    EXPECT_EQ(ListCdDrives(drives, found), 2);
    EXPECT_EQ(found, (std::vector<std::string>{"/media/cdrom0", "/dev/sr1"}));
}

TEST(PlaceMainWindow, MissingBackgroundLeavesThePictureAsItWas)
{
    FakePlatform fp;
    auto form = fp.toolkit.createForm();
    form->setPicture(makeFakePicture("old", 1, 1));
    PlaceMainWindow(*form, fp.app, fp.toolkit, "/nowhere/pic");
    EXPECT_EQ(fakePictureName(form->picture().get()), "old");
    EXPECT_EQ(form->left(), (1024 - 800) / 2);
    EXPECT_EQ(form->top(), (768 - 600) / 2);
}

struct CentreCase {
    int screenWidth, screenHeight, width, height, left, top;
};

class CenterWindowTest : public ::testing::TestWithParam<CentreCase> {};

TEST_P(CenterWindowTest, PlacesAWindowOfAnySizeInTheMiddle)
{
    const CentreCase& c = GetParam();
    FakePlatform fp;
    fp.app.screenWidthPx = c.screenWidth;
    fp.app.screenHeightPx = c.screenHeight;
    auto form = fp.toolkit.createForm();
    CenterWindow(*form, fp.app, c.width, c.height);
    EXPECT_EQ(form->left(), c.left);
    EXPECT_EQ(form->top(), c.top);
    EXPECT_EQ(form->width(), c.width);
    EXPECT_EQ(form->height(), c.height);
}

INSTANTIATE_TEST_SUITE_P(Windows, CenterWindowTest,
                         ::testing::Values(CentreCase{1024, 768, 700, 400, 162, 184},
                                           CentreCase{1024, 768, 352, 288, 336, 240},
                                           CentreCase{1024, 768, 320, 256, 352, 256},
                                           CentreCase{1025, 769, 320, 256, 352, 256},
                                           CentreCase{640, 480, 800, 582, -80, -51}));
