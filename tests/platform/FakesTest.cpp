#include "platform/fake/FakePlatform.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace platform;
using namespace platform::fake;

TEST(FakeSurface, MeasuresNarrowAndWideCharactersByItsFixedMetrics)
{
    FakeSurface s;
    EXPECT_EQ(s.textWidth("ab"), 16);
    EXPECT_EQ(s.textWidth("中文"), 32);
    EXPECT_EQ(s.textWidth("a中"), 24);
    EXPECT_EQ(s.textHeight("x"), 16);
    s.CurrentX = 5;
    s.print("ab");
    EXPECT_EQ(s.CurrentX, 21);
    ASSERT_EQ(s.ops.size(), 1u);
    EXPECT_EQ(s.ops[0].x1, 5);
}

TEST(FakeSurface, WidthsFollowBoldItalicAndSizeButNotUnderline)
{
    struct Case {
        FontSpec font;
        double width; // of "a中"
    };
    const Case cases[] = {
        {{"宋体", 9}, 24},
        {{"宋体", 9, true}, 28},
        {{"宋体", 9, false, true}, 26},
        {{"宋体", 9, true, true}, 30},
        {{"宋体", 9, false, false, true}, 24},
        {{"宋体", 18}, 48},
        {{"宋体", 4.5, true}, 16},
    };
    FakeSurface s;
    for (const auto& c : cases) {
        s.setFont(c.font);
        EXPECT_EQ(s.textWidth("a中"), c.width) << c.font.size << c.font.bold << c.font.italic << c.font.underline;
    }
}

TEST(FakePictureClip, CellsAreNamedAfterTheSourceAndSizedByTheGrid)
{
    FakePictureClip clip;
    clip.setPicture(makeFakePicture("b.jpg", 300, 40));
    clip.setRows(1);
    clip.setCols(3);
    auto cell = clip.GraphicCell(2);
    ASSERT_TRUE(cell);
    EXPECT_EQ(fakePictureName(cell.get()), "b.jpg#2");
    EXPECT_EQ(cell->width(), 100);
    EXPECT_FALSE(clip.GraphicCell(3));
    EXPECT_FALSE(clip.GraphicCell(-1));
}

TEST(FakeTimer, TicksOnlyWhileEnabled)
{
    FakeTimer t;
    int ticks = 0;
    t.onTick([&] { ++ticks; });
    EXPECT_FALSE(t.tick());
    t.setEnabled(true);
    EXPECT_TRUE(t.tick());
    EXPECT_EQ(ticks, 1);
}

TEST(FakeMessageBoxes, AnswersAsScriptedThenNo)
{
    FakeMessageBoxes boxes;
    boxes.answers = {Answer::Yes};
    EXPECT_EQ(boxes.yesNo("q", ""), Answer::Yes);
    EXPECT_EQ(boxes.yesNo("q", ""), Answer::No);
    EXPECT_EQ(boxes.shown.size(), 2u);
}

TEST(ProgramPath, TriesThePathAsGivenThenWithoutExe)
{
    EXPECT_EQ(programPathCandidates("/d/product/product.exe"),
              (std::vector<std::string>{"/d/product/product.exe", "/d/product/product"}));
    EXPECT_EQ(programPathCandidates("/d/PRODUCT.EXE"), (std::vector<std::string>{"/d/PRODUCT.EXE", "/d/PRODUCT"}));
    EXPECT_EQ(programPathCandidates("/d/product"), (std::vector<std::string>{"/d/product"}));
    EXPECT_EQ(programPathCandidates("/d/.exe"), (std::vector<std::string>{"/d/.exe"}));
    EXPECT_EQ(programPathCandidates(".exe"), (std::vector<std::string>{".exe"}));
}

TEST(FakeMciDevice, ModesFollowTheCommandsAndUnknownOnesAreOnlyRecorded)
{
    FakeMciDevice device;
    device.unopenable = {"/gone.wav"};
    device.command("play");
    EXPECT_EQ(device.mode(), MciDevice::ModeNotOpen) << "nothing plays before open";
    device.setFileName("/a.wav");
    device.command("open");
    device.command("seek");
    EXPECT_EQ(device.mode(), MciDevice::ModeStopped);
    device.command("play");
    EXPECT_EQ(device.mode(), MciDevice::ModePlaying);
    device.endPlayback();
    EXPECT_EQ(device.mode(), MciDevice::ModeStopped);
    device.setFileName("/gone.wav");
    device.command("open");
    EXPECT_EQ(device.mode(), MciDevice::ModeNotOpen);
    EXPECT_EQ(device.commands, (std::vector<std::string>{"play", "open", "seek", "play", "open"}));
}

// The window system sends a disabled control no input; the fakes do the same,
// so code that disables a control can be tested for it.
TEST(FakeControls, ADisabledControlReportsNoInputUntilEnabledAgain)
{
    FakePictureBox box;
    int downs = 0, moves = 0, ups = 0, clicks = 0;
    box.onMouseDown([&](const MouseEvent&) { ++downs; });
    box.onMouseMove([&](const MouseEvent&) { ++moves; });
    box.onMouseUp([&](const MouseEvent&) { ++ups; });
    box.onClick([&] { ++clicks; });
    FakeEditBox edit;
    int keys = 0;
    edit.onKeyDown([&](int) { ++keys; });

    Control& boxControl = box;
    Control& editControl = edit;
    boxControl.setEnabled(false);
    editControl.setEnabled(false);
    EXPECT_FALSE(boxControl.isEnabled());
    box.fireMouseDown(1, 1);
    box.fireMouseMove(2, 2, 1);
    box.fireMouseUp(2, 2);
    box.fireClick();
    edit.pressKey(13);
    EXPECT_EQ(downs + moves + ups + clicks + keys, 0);

    boxControl.setEnabled(true);
    editControl.setEnabled(true);
    box.fireMouseDown(1, 1);
    box.fireMouseMove(2, 2, 1);
    box.fireMouseUp(2, 2);
    box.fireClick();
    edit.pressKey(13);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(moves, 1);
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(keys, 1);
}

TEST(FakeApplication, RealFilesAreFoundWhateverTheLetterCase)
{
    const auto folder = std::filesystem::temp_directory_path() / ("fakes-case-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder / "Pic");
    std::ofstream(folder / "Pic" / "tree1.bmp") << "x";
    FakeApplication app;
    app.realFileSystem = true;
    EXPECT_TRUE(app.fileExists((folder / "PIC" / "TREE1.BMP").string()));
    EXPECT_TRUE(app.folderExists((folder / "pic").string()));
    EXPECT_FALSE(app.fileExists((folder / "PIC" / "TREE2.BMP").string()));
    EXPECT_FALSE(app.folderExists((folder / "PIC" / "TREE1.BMP").string()));
    std::filesystem::remove_all(folder);
}

TEST(FakeApplication, ListsTheFilesDirectlyInAFolderInNameOrder)
{
    FakeApplication app;
    app.files = {"/disc/text/b.txt", "/disc/text/a.txt", "/disc/text/sub/c.txt", "/disc/textual.txt"};
    EXPECT_EQ(app.filesIn("/disc/text"), (std::vector<std::string>{"a.txt", "b.txt"}));
    EXPECT_TRUE(app.filesIn("/nowhere").empty());
}

TEST(FakeControls, ButtonsAndListsTakeNoInputWhileDisabled)
{
    FakeButton button;
    FakeListBox list;
    int clicks = 0;
    std::vector<int> chosen;
    button.onClick([&] { ++clicks; });
    list.onChoose([&](int index) { chosen.push_back(index); });
    list.addItem("a");
    list.addItem("b");
    button.setEnabled(false);
    list.setEnabled(false);
    button.press();
    list.userChooses(1);
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(chosen.empty());
    button.setEnabled(true);
    list.setEnabled(true);
    button.press();
    list.userChooses(1);
    list.userChooses(2);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(chosen, (std::vector<int>{1}));
    EXPECT_EQ(list.currentIndex(), 1);
}
