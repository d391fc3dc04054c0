#include "platform/fake/FakePlatform.h"
#include "reader/FrmReader.h"
#include "reader/SavedAnswers.h"
#include "startup/MediaFolders.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <optional>

using platform::fake::FakeButton;
using platform::fake::FakeEditBox;
using platform::fake::FakeLabel;
using platform::fake::FakeListBox;
using platform::fake::ProgramEnded;

namespace {

const std::string kText = "/disc/product/text";

class FrmReaderTest : public ::testing::Test {
protected:
    platform::fake::FakePlatform fakes;
    platform::Platform platform = fakes.platform();
    std::unique_ptr<reader::FrmReader> window;

    void addLessonFile(const std::string& name, std::vector<std::string> lines)
    {
        fakes.app.files.insert(kText + "/" + name);
        fakes.textFiles.contents[kText + "/" + name] = std::move(lines);
    }
    void open()
    {
        window = std::make_unique<reader::FrmReader>(
            platform, startup::composeMediaFolders(startup::mediaRootOf(fakes.app.programFolder())));
        window->Init();
    }
    void addTwoFiles()
    {
        addLessonFile("a.txt", {"<LESSON1><P>第一课<BR><T TYPE=SEN>句子。</T><BR><INPUT TYPE=TEXT VALUE=甲>"
                                "<DIV><BR>藏着的话</DIV></LESSON1>",
                                "<LESSON2><P>第二课<BR><INPUT TYPE=RADIO NAME=r CHECKED=TRUE>"
                                "<INPUT TYPE=RADIO NAME=r></LESSON2>"});
        addLessonFile("b.txt", {"<LESSON1><P>第三课</LESSON1>"});
    }

    template <class Fake, class Control> static Fake& fake(const std::unique_ptr<Control>& control)
    {
        return dynamic_cast<Fake&>(*control);
    }
    FakeListBox& lessons() { return fake<FakeListBox>(window->lstLessons); }
    FakeListBox& results() { return fake<FakeListBox>(window->lstResults); }
    FakeButton& button(const std::unique_ptr<platform::Button>& b) { return fake<FakeButton>(b); }
    std::string caption(const std::unique_ptr<platform::Label>& label) { return label->caption(); }
    FakeEditBox& lastEditBox() { return *fakes.toolkit.editBoxes.back(); }
};

} // namespace

TEST_F(FrmReaderTest, ListsTheLessonsAndOpensTheFirst)
{
    addTwoFiles();
    open();
    EXPECT_EQ(lessons().items, (std::vector<std::string>{"第一课", "第二课", "第三课"}));
    EXPECT_EQ(lessons().currentIndex(), 0);
    EXPECT_EQ(caption(window->lblLesson), "第一课");
    EXPECT_EQ(window->Session().Current(), 0);
    EXPECT_EQ(window->Page().Engine().nTotSen(), 1);
    EXPECT_TRUE(fakes.toolkit.forms.at(0)->shown);
    EXPECT_EQ(fakes.toolkit.forms.at(0)->width(), 800);
    EXPECT_FALSE(caption(window->lblStatus).empty()) << "the status line starts with a hint";
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(FrmReaderTest, ChoosingALessonKeepsTheAnswersOfTheOneLeft)
{
    addTwoFiles();
    open();
    lastEditBox().setText("甲");
    lessons().userChooses(1);
    EXPECT_EQ(caption(window->lblLesson), "第二课");
    EXPECT_EQ(window->Page().Engine().nRadio(), 2);
    const std::string saved = fakes.userFiles.files.at("a.txt-LESSON1.answers");
    EXPECT_NE(saved.find("甲"), std::string::npos);

    lessons().userChooses(0);
    EXPECT_EQ(lastEditBox().text(), "甲");
}

TEST_F(FrmReaderTest, CheckingListsEachAnswerWithTheScore)
{
    addTwoFiles();
    open();
    lastEditBox().setText("乙");
    button(window->btnCheck).press();
    EXPECT_EQ(results().items, (std::vector<std::string>{"填空 1：“乙” —— 错，答案：甲"}));
    EXPECT_EQ(caption(window->lblScore), "得分：0 分（答对 0 题，共 1 题）");

    lastEditBox().setText("甲");
    button(window->btnCheck).press();
    EXPECT_EQ(results().items.size(), 1u);
    EXPECT_EQ(caption(window->lblScore), "得分：100 分（答对 1 题，共 1 题）");

    lessons().userChooses(2);
    EXPECT_TRUE(results().items.empty()) << "the results belong to the lesson left";
    EXPECT_EQ(caption(window->lblScore), "");
}

TEST_F(FrmReaderTest, TheKeyButtonShowsTheKeyOnce)
{
    addTwoFiles();
    open();
    button(window->btnKey).press();
    EXPECT_TRUE(window->Page().Engine().ShowKey());
    EXPECT_FALSE(button(window->btnKey).isEnabled());
    EXPECT_FALSE(lastEditBox().isEnabled());
    lessons().userChooses(1);
    EXPECT_TRUE(button(window->btnKey).isEnabled());
    EXPECT_FALSE(window->Page().Engine().ShowKey());
}

TEST_F(FrmReaderTest, TheSectionsButtonShowsAndHidesTheHiddenSectionsOfLessonsThatHaveThem)
{
    addTwoFiles();
    open();
    FakeButton& sections = button(window->btnSections);
    EXPECT_TRUE(sections.isEnabled());
    EXPECT_EQ(sections.caption(), "展开隐藏内容");
    const auto pieces = window->Page().Engine().Document().nTotPiece();
    sections.press();
    EXPECT_GT(window->Page().Engine().Document().nTotPiece(), pieces);
    EXPECT_EQ(sections.caption(), "收起隐藏内容");
    sections.press();
    EXPECT_EQ(window->Page().Engine().Document().nTotPiece(), pieces);
    EXPECT_EQ(sections.caption(), "展开隐藏内容");

    lessons().userChooses(1);
    EXPECT_FALSE(sections.isEnabled());
}

TEST_F(FrmReaderTest, ExitKeepsTheAnswersAndEndsTheProgram)
{
    addTwoFiles();
    open();
    lastEditBox().setText("甲");
    EXPECT_THROW(button(window->btnExit).press(), ProgramEnded);
    EXPECT_NE(fakes.userFiles.files.at("a.txt-LESSON1.answers").find("甲"), std::string::npos);
    EXPECT_TRUE(fakes.messages.shown.empty());

    fakes.userFiles.failWrites = true;
    EXPECT_THROW(fakes.toolkit.forms.at(0)->close(), ProgramEnded);
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_NE(fakes.messages.shown[0].text.find(fakes.userFiles.folder()), std::string::npos);
}

TEST_F(FrmReaderTest, WithoutLessonsTheWindowSaysWhereItLookedAndOffersNothing)
{
    open();
    EXPECT_TRUE(lessons().items.empty());
    EXPECT_EQ(caption(window->lblStatus), "没有找到课文：" + kText);
    for (const auto* b : {&window->btnKey, &window->btnCheck, &window->btnSections})
        EXPECT_FALSE((*b)->isEnabled());
    EXPECT_THROW(button(window->btnExit).press(), ProgramEnded);
    EXPECT_EQ(fakes.userFiles.writes, 0);
}

namespace {

// A lesson file that is missing, empty, cut short or not a lesson at all.
struct BadLessonRow {
    const char* name;
    // The file's lines; nothing for a file listed in the folder but gone when read.
    std::optional<std::vector<std::string>> lines;
    // The lesson still found in what is left of the file, if any.
    std::optional<std::string> title;
};

class FrmReaderBadLessonTest : public FrmReaderTest, public ::testing::WithParamInterface<BadLessonRow> {
protected:
    static constexpr const char* kBadFile = "a-bad.txt";

    void addBadFile()
    {
        const BadLessonRow& row = GetParam();
        if (row.lines)
            addLessonFile(kBadFile, *row.lines);
        else
            fakes.app.files.insert(kText + "/" + kBadFile);
    }
    std::vector<std::string> expectedTitles(std::vector<std::string> others) const
    {
        if (GetParam().title)
            others.insert(others.begin(), *GetParam().title);
        return others;
    }
    // A file that cannot be read gives the platform's words once; the rest nothing.
    void expectTheDocumentedMessages() const
    {
        if (GetParam().lines) {
            EXPECT_TRUE(fakes.messages.shown.empty());
            return;
        }
        ASSERT_EQ(fakes.messages.shown.size(), 1u);
        EXPECT_EQ(fakes.messages.shown[0].text, "No such file or directory");
    }
    // Every button and every lesson answers; the answers kept are only those
    // of lessons listed, in the user's files; the lessons' files stay as given.
    void useEverythingAndExit()
    {
        const auto filesBefore = fakes.textFiles.contents;
        for (int i = 0; i < lessons().count(); ++i) {
            lessons().userChooses(i);
            EXPECT_EQ(window->Session().Current(), i);
            for (const auto* b : {&window->btnSections, &window->btnKey, &window->btnCheck})
                if ((*b)->isEnabled())
                    button(*b).press();
        }
        EXPECT_THROW(button(window->btnExit).press(), ProgramEnded);
        for (const auto& [name, text] : fakes.userFiles.files) {
            const auto& listed = window->Session().Lessons();
            EXPECT_TRUE(std::any_of(listed.begin(), listed.end(),
                                    [&](const reader::Lesson& l) { return reader::AnswerFileName(l) == name; }))
                << name;
        }
        EXPECT_EQ(fakes.textFiles.contents, filesBefore);
    }
};

} // namespace

TEST_P(FrmReaderBadLessonTest, AloneInTheFolderLeavesTheWindowUsable)
{
    addBadFile();
    open();
    EXPECT_TRUE(fakes.toolkit.forms.at(0)->shown);
    EXPECT_EQ(lessons().items, expectedTitles({}));
    if (GetParam().title) {
        EXPECT_EQ(caption(window->lblLesson), *GetParam().title);
    } else {
        EXPECT_EQ(caption(window->lblStatus), "没有找到课文：" + kText);
        EXPECT_FALSE(button(window->btnCheck).isEnabled());
    }
    expectTheDocumentedMessages();
    useEverythingAndExit();
    if (!GetParam().title) {
        EXPECT_EQ(fakes.userFiles.writes, 0);
    }
}

TEST_P(FrmReaderBadLessonTest, BesideGoodLessonsLeavesThemWorking)
{
    addBadFile();
    addTwoFiles();
    open();
    EXPECT_EQ(lessons().items, expectedTitles({"第一课", "第二课", "第三课"}));
    expectTheDocumentedMessages();

    const int good = GetParam().title ? 1 : 0;
    lessons().userChooses(good);
    EXPECT_EQ(caption(window->lblLesson), "第一课");
    lastEditBox().setText("甲");
    button(window->btnCheck).press();
    EXPECT_EQ(caption(window->lblScore), "得分：100 分（答对 1 题，共 1 题）");
    useEverythingAndExit();
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FrmReaderBadLessonTest,
    ::testing::Values(
        BadLessonRow{"Missing", std::nullopt, std::nullopt},
        BadLessonRow{"Empty", std::vector<std::string>{}, std::nullopt},
        BadLessonRow{"CutInsideItsOpeningTag", std::vector<std::string>{"<LESS"}, std::nullopt},
        BadLessonRow{"CutInsideItsChunk",
                     std::vector<std::string>{"<LESSON1><P>半截课文<BR><INPUT TYPE=TEXT VALUE=乙>",
                                              "<T TYPE=SEN>没写完的句子"},
                     std::string("半截课文")},
        BadLessonRow{"CutInsideATag", std::vector<std::string>{"<LESSON1><P>断开的课文<INPUT TYPE=RAD"},
                     std::string("断开的课文")},
        BadLessonRow{"APictureRenamed",
                     std::vector<std::string>{std::string("\xff\xd8\xff\xe0\0\x10JFIF\0", 11),
                                              std::string("\x89PNG\r\0\0<\x1a>\xfe</", 13), "<<>>"},
                     std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });
