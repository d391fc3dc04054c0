// The entry procedure: where the media are, what ends the program before
// any window, and the first intro.
#include "LauncherFixture.h"

using namespace launcher;
using namespace testsupport;
using platform::fake::ProgramEnded;

namespace {

struct RootCase {
    const char* name;
    std::vector<std::string> drives;
    std::set<std::string> files;
    std::set<std::string> folders;
    std::string expectedRoot;
};

class MediaRootTest : public LauncherFixture, public ::testing::WithParamInterface<RootCase> {};

TEST_P(MediaRootTest, TheFirstDriveWithTheMarkerElseTheProgramFolder)
{
    const RootCase& c = GetParam();
    fp.drives.drives = c.drives;
    fp.app.files.insert(c.files.begin(), c.files.end());
    fp.app.folders = c.folders;
    const std::string root = c.expectedRoot;
    fp.app.files.insert(root + "/avi/start.avi");

    start();

    auto* intro = current<FrmAvi>();
    ASSERT_NE(intro, nullptr);
    EXPECT_EQ(fake(*intro->MMCavi).fileName, root + "/avi/start.avi");
    EXPECT_EQ(fp.fonts.registered.front(), root + "/times.ttf");
}

INSTANTIATE_TEST_SUITE_P(Drives, MediaRootTest,
    ::testing::Values(
        RootCase{"MarkerFileOnTheFirstDrive", {"/media/cdrom0"}, {"/media/cdrom0/cd.ini"}, {}, "/media/cdrom0"},
        RootCase{"MarkerFolderOnTheFirstDrive", {"/media/cdrom0"}, {}, {"/media/cdrom0/cd.ini"}, "/media/cdrom0"},
        RootCase{"MarkerOnTheSecondDriveOnly", {"/media/cdrom0", "/media/cdrom1"}, {"/media/cdrom1/cd.ini"}, {},
                 "/disc"},
        RootCase{"NoDrive", {}, {}, {}, "/disc"},
        RootCase{"AnotherDiscWithoutTheMarker", {"/media/cdrom0"}, {"/media/cdrom0/readme.txt"}, {}, "/disc"},
        RootCase{"DriveWithoutADisc", {"/dev/sr0"}, {}, {}, "/disc"},
        RootCase{"SpacesAroundTheDriveName", {" /media/cdrom0 "}, {"/media/cdrom0/cd.ini"}, {}, "/media/cdrom0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LauncherFolders, TheSharedFoldersPlusMoviesAndTheCatalog)
{
    const LauncherFolders f = composeLauncherFolders("/media/cdrom0");
    EXPECT_EQ(f.MovPath, "/media/cdrom0/Mov");
    EXPECT_EQ(f.ProductPath, "/media/cdrom0/product");
    EXPECT_EQ(f.AviPath, "/media/cdrom0/avi");
}

class LauncherStartTest : public LauncherFixture {};

TEST_F(LauncherStartTest, ASecondInstanceEndsBeforeAnythingElse)
{
    fp.app.otherInstance = true;
    try {
        start();
        FAIL() << "the second instance went on";
    } catch (const ProgramEnded& e) {
        EXPECT_EQ(e.status, 0);
    }
    EXPECT_TRUE(fp.fonts.registered.empty());
    EXPECT_TRUE(fp.toolkit.forms.empty());
    EXPECT_TRUE(fp.messages.shown.empty());
}

TEST_F(LauncherStartTest, AMissingFirstIntroEndsWithoutAWindow)
{
    fp.app.files.erase(kStartAvi);
    ShowCountingToolkit toolkit;
    platform::Platform counted{fp.app, fp.messages, fp.textFiles, toolkit, fp.drives, fp.fonts, fp.shell, fp.userFiles};
    sequence = RunLauncher(counted);
    EXPECT_EQ(sequence, nullptr);
    EXPECT_EQ(toolkit.shows, 0);
    EXPECT_EQ(toolkit.webControlsPrepared, 0) << "no menu follows";
    EXPECT_EQ(fp.app.endCalls, 0);
    EXPECT_TRUE(fp.messages.shown.empty());
}

TEST_F(LauncherStartTest, QuittingAtTheResolutionMessageShowsNoWindow)
{
    fp.app.screenWidthPx = 640;
    fp.app.screenHeightPx = 480;
    fp.messages.answers = {platform::Answer::Yes};
    EXPECT_THROW(start(), ProgramEnded);
    ASSERT_EQ(fp.messages.shown.size(), 1u);
    EXPECT_TRUE(fp.toolkit.forms.empty());
}

TEST_F(LauncherStartTest, GoingOnAtALowResolutionPlaysTheFirstIntro)
{
    fp.app.screenWidthPx = 640;
    fp.app.screenHeightPx = 480;
    start();
    ASSERT_NE(current<FrmAvi>(), nullptr);
    EXPECT_EQ(fp.messages.shown.size(), 1u);
    // Centred on the small screen: (640 - 352) / 2, (480 - 288) / 2.
    EXPECT_EQ(current<FrmAvi>()->form->left(), 144);
    EXPECT_EQ(current<FrmAvi>()->form->top(), 96);
}

// A drive scan that fails is skipped: the program folder serves as the root.
class FailingDrives : public platform::OpticalDrives {
public:
    std::vector<std::string> list() override { throw std::runtime_error("drive list unreadable"); }
};

TEST_F(LauncherStartTest, AFailingDriveScanIsSkipped)
{
    FailingDrives drives;
    platform::Platform withFailingDrives{fp.app, fp.messages, fp.textFiles, fp.toolkit, drives, fp.fonts, fp.shell, fp.userFiles};
    sequence = RunLauncher(withFailingDrives);
    ASSERT_NE(current<FrmAvi>(), nullptr);
    EXPECT_EQ(fake(*current<FrmAvi>()->MMCavi).fileName, kStartAvi);
}

TEST_F(LauncherStartTest, FontsComeFromTheMediaRootInTheirOrder)
{
    start();
    EXPECT_EQ(fp.toolkit.webControlsPrepared, 1) << "the menu's web controls are read ahead while the intros play";
    EXPECT_EQ(fp.fonts.registered,
              (std::vector<std::string>{"/disc/times.ttf", "/disc/FZCCHJW.TTF", "/disc/arial.ttf", "/disc/song.ttf"}));
}

TEST_F(LauncherStartTest, TheFirstIntroPlaysCentredOnBlack)
{
    start();
    auto* intro = current<FrmAvi>();
    ASSERT_NE(intro, nullptr);
    FakeForm& form = fake(*intro->form);
    EXPECT_TRUE(form.shown);
    EXPECT_EQ(form.left(), (1024 - 352) / 2);
    EXPECT_EQ(form.top(), (768 - 288) / 2);
    EXPECT_EQ(form.width(), 352);
    EXPECT_EQ(form.height(), 288);
    EXPECT_EQ(form.backColor(), platform::rgb(0, 0, 0));
    FakePictureBox& picture = fake(*intro->PicAvi);
    EXPECT_EQ(picture.left(), 0);
    EXPECT_EQ(picture.width(), 352);
    EXPECT_EQ(picture.height(), 288);
    EXPECT_TRUE(picture.visible());
    EXPECT_GE(picture.frontCount, 1);
    FakeMciDevice& device = fake(*intro->MMCavi);
    EXPECT_EQ(device.deviceType, "AVIVideo");
    EXPECT_EQ(device.display, intro->PicAvi.get());
    EXPECT_EQ(device.commands, (std::vector<std::string>{"open", "play"}));
    EXPECT_TRUE(intro->Timplay->enabled());
    EXPECT_EQ(intro->Timplay->interval(), 100);
}

} // namespace
