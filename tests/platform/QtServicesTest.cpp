#include "platform/qt/QtControls.h"
#include "platform/qt/QtServices.h"
#include "platform/qt/QtToolkit.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QTest>
#include <cstdlib>
#include <gtest/gtest.h>

using namespace platform;
using namespace platform::qt;

TEST(OpticalDrives, KernelListIsReadInDeviceOrder)
{
    const std::string info = "CD-ROM information, Id: cdrom.c 3.20 2003/12/17\n\n"
                             "drive name:\t\tsr1\tsr0\n"
                             "drive speed:\t\t24\t24\n";
    EXPECT_EQ(parseCdromInfo(info), (std::vector<std::string>{"sr0", "sr1"}));
    EXPECT_TRUE(parseCdromInfo("").empty());
}

TEST(OpticalDrives, MountPointsAreFoundAndUnescaped)
{
    const std::string mounts = "/dev/vda / ext4 rw 0 0\n"
                               "/dev/sr0 /media/cdrom0 iso9660 ro 0 0\n"
                               "/dev/sr1 /media/My\\040Disc udf ro 0 0\n";
    EXPECT_EQ(mountPointOf(mounts, "/dev/sr0"), "/media/cdrom0");
    EXPECT_EQ(mountPointOf(mounts, "/dev/sr1"), "/media/My Disc");
    EXPECT_EQ(mountPointOf(mounts, "/dev/sr2"), "");
}

TEST(QtApplicationServices, ScreenSizeCanBeForcedForDemonstrations)
{
    setenv("BOOKDISC_SCREEN", "640x480", 1);
    QtApplication app;
    EXPECT_EQ(app.screenWidthTwips(), 640 * app.twipsPerPixelX());
    EXPECT_EQ(app.screenHeightTwips(), 480 * app.twipsPerPixelY());
    unsetenv("BOOKDISC_SCREEN");
    EXPECT_GT(app.twipsPerPixelX(), 0);
}

TEST(QtApplicationServices, ProgramFolderHasNoTrailingSeparator)
{
    QtApplication app;
    const std::string folder = app.programFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '/');
    EXPECT_TRUE(app.folderExists(folder));
    EXPECT_FALSE(app.fileExists(folder));
}

TEST(QtEditBoxKeys, EnterIsReportedAsKeyCode13)
{
    QtForm form;
    QtEditBox edit(form.widget());
    int seen = 0;
    edit.onKeyDown([&](int code) { seen = code; });
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(edit.lineEdit(), &enter);
    EXPECT_EQ(seen, 13);
    QKeyEvent a(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QCoreApplication::sendEvent(edit.lineEdit(), &a);
    EXPECT_EQ(seen, 65);
}

TEST(QtFormKeys, EscapeReachesTheWindowWhereverItsFocusIs)
{
    QtForm form;
    QtEditBox edit(form.widget());
    int escapes = 0;
    form.onEscape([&] { ++escapes; });
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.widget()));
    edit.setFocus();
    QTest::keyClick(edit.lineEdit(), Qt::Key_Escape);
    EXPECT_EQ(escapes, 1);
}

TEST(QtFormPointer, TheBusyPointerIsTheWholeProgramsUntilResetOrTheWindowCloses)
{
    {
        QtForm form;
        form.setCursor(Cursor::Hourglass);
        form.setCursor(Cursor::Hourglass);
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        form.setCursor(Cursor::Default);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "set twice, reset once";
        form.setCursor(Cursor::Hourglass);
        form.close();
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "left busy by a closed window";
        form.setCursor(Cursor::Hourglass);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "left busy by a released window";
}

// Names a program builds in capitals reach files named in any case.
TEST(QtApplicationServices, FilesAndPicturesAreFoundWhateverTheLetterCase)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("Pic");
    QImage(4, 3, QImage::Format_RGB32).save(dir.filePath("Pic/tree1.png"));
    const std::string capitals = dir.filePath("PIC/TREE1.PNG").toStdString();
    QtApplication app;
    EXPECT_TRUE(app.fileExists(capitals));
    EXPECT_TRUE(app.folderExists(dir.filePath("PIC").toStdString()));
    EXPECT_FALSE(app.fileExists(dir.filePath("PIC/TREE2.PNG").toStdString()));
    QtToolkit toolkit;
    PicturePtr picture = toolkit.loadPicture(capitals);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width(), 4);
}

TEST(QtApplicationServices, AGivenProgramFolderIsReportedInsteadOfTheProgramsOwn)
{
    EXPECT_EQ(QtApplication("/media/cdrom0/product").programFolder(), "/media/cdrom0/product");
    EXPECT_NE(QtApplication().programFolder(), "/media/cdrom0/product");
}

TEST(QtControls, ADisabledPictureBoxGetsNoMouseInputUntilEnabledAgain)
{
    QtForm form;
    form.setGeometry(0, 0, 100, 100);
    QtPictureBox box(form.widget());
    box.setGeometry(10, 10, 50, 20);
    int presses = 0;
    box.onMouseDown([&](const MouseEvent&) { ++presses; });
    auto press = [&] {
        QMouseEvent event(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(15, 15), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(box.widget(), &event);
    };

    Control& control = box;
    control.setEnabled(false);
    EXPECT_FALSE(control.isEnabled());
    press();
    EXPECT_EQ(presses, 0);
    control.setEnabled(true);
    EXPECT_TRUE(control.isEnabled());
    press();
    EXPECT_EQ(presses, 1);
}

TEST(QtEditBoxKeys, TabGoesToItsHandlerAloneWhenThereIsOne)
{
    QtForm form;
    QtEditBox first(form.widget()), second(form.widget()), third(form.widget());
    form.show();
    first.setFocus();
    int tabs = 0;
    first.onTab([&] {
        ++tabs;
        third.setFocus();
    });
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(first.lineEdit(), &tab);
    EXPECT_EQ(tabs, 1);
    // The focus chain did not move it on from where the handler put it.
    EXPECT_EQ(form.widget()->focusWidget(), third.lineEdit());
    // Shift+Tab is left to the focus chain.
    QKeyEvent backTab(QEvent::KeyPress, Qt::Key_Backtab, Qt::ShiftModifier);
    QCoreApplication::sendEvent(first.lineEdit(), &backTab);
    EXPECT_EQ(tabs, 1);
}

TEST(QtApplicationServices, FilesOfAFolderAreListedInNameOrderWhateverItsCase)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("Text/sub");
    for (const char* name : {"b.txt", "A.TXT", "c.bmp"})
        QFile(dir.filePath(QString("Text/") + name)).open(QIODevice::WriteOnly);
    QtApplication app;
    EXPECT_EQ(app.filesIn(dir.filePath("TEXT").toStdString()), (std::vector<std::string>{"A.TXT", "b.txt", "c.bmp"}));
    EXPECT_TRUE(app.filesIn(dir.filePath("none").toStdString()).empty());
}

TEST(QtUserFilesTest, FilesAreKeptUnderTheDataHomeAndReplacedWhole)
{
    QTemporaryDir home;
    setenv("XDG_DATA_HOME", home.path().toUtf8().constData(), 1);
    QtUserFiles files;
    EXPECT_EQ(files.folder(), (home.path() + "/bookdisc/" + QCoreApplication::applicationName()).toStdString());
    EXPECT_FALSE(files.read("answers"));
    const std::string content("one\0two\nthree", 13);
    ASSERT_TRUE(files.write("answers", content));
    EXPECT_EQ(files.read("answers"), content);
    ASSERT_TRUE(files.write("answers", "short"));
    EXPECT_EQ(files.read("answers"), "short");

    // A folder that cannot be made is a failed write, not a crash.
    QFile(home.filePath("blocked")).open(QIODevice::WriteOnly);
    setenv("XDG_DATA_HOME", home.filePath("blocked").toUtf8().constData(), 1);
    EXPECT_FALSE(files.write("answers", "x"));
    unsetenv("XDG_DATA_HOME");
}

TEST(QtControls, AListReportsTheUsersChoiceButNotTheProgramsOwn)
{
    QtForm form;
    QtListBox list(form.widget());
    std::vector<int> chosen;
    list.onChoose([&](int index) { chosen.push_back(index); });
    list.addItem("第一课");
    list.addItem("第二课");
    list.setCurrentIndex(0);
    EXPECT_EQ(list.currentIndex(), 0);
    EXPECT_EQ(list.item(1), "第二课");
    EXPECT_TRUE(chosen.empty());
    // What a click on the second line does.
    list.listWidget()->setCurrentRow(1);
    EXPECT_EQ(chosen, (std::vector<int>{1}));
    list.clear();
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(chosen, (std::vector<int>{1}));
}

TEST(QtControls, AButtonReportsClicksWhileEnabled)
{
    QtForm form;
    QtButton button(form.widget());
    button.setCaption("检查答案");
    int clicks = 0;
    button.onClick([&] { ++clicks; });
    button.pushButton()->click();
    button.setEnabled(false);
    button.pushButton()->click();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(button.caption(), "检查答案");
}
