#include "platform/fake/FakePlatform.h"
#include "reader/Lessons.h"

#include <gtest/gtest.h>

using reader::Lesson;

namespace {

const std::string kFolder = "/disc/product/text";

class LessonsTest : public ::testing::Test {
protected:
    platform::fake::FakePlatform fakes;

    void addFile(const std::string& name, std::vector<std::string> lines)
    {
        fakes.app.files.insert(kFolder + "/" + name);
        fakes.textFiles.contents[kFolder + "/" + name] = std::move(lines);
    }
    std::vector<Lesson> lessons()
    {
        return reader::ListLessons(fakes.app, fakes.textFiles, fakes.messages, kFolder);
    }
    static std::vector<std::string> namesOf(const std::vector<Lesson>& lessons)
    {
        std::vector<std::string> names;
        for (const auto& lesson : lessons)
            names.push_back(lesson.file + " " + lesson.chunk + " " + lesson.title);
        return names;
    }
};

} // namespace

TEST_F(LessonsTest, EachTextFileGivesItsNumberedChunksInNameOrder)
{
    addFile("ziran.txt", {"<STML>", "<LESSON1><P><B>第三课　大熊猫</B></P>", "<BR>正文</LESSON1>",
                          "<LESSON2><P>第四课</P></LESSON2>", "<LESSON4><P>第六课</P></LESSON4>"});
    addFile("GUSHI.TXT", {"<STML>", "<lesson1> <P ALIGN=CENTER><B>第一课　春晓</B></P></lesson1>"});
    addFile("notes.md", {"<LESSON1>not a lesson file</LESSON1>"});
    addFile("empty.txt", {"<STML>", "<Q1>a chunk of another name</Q1>"});
    fakes.app.files.insert("/disc/product/other.txt");
    const std::vector<Lesson> found = lessons();
    // The numbering stops at the first chunk missing.
    EXPECT_EQ(namesOf(found), (std::vector<std::string>{"GUSHI.TXT LESSON1 第一课　春晓", "ziran.txt LESSON1 第三课　大熊猫",
                                                        "ziran.txt LESSON2 第四课"}));
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[1].markup, "<P><B>第三课　大熊猫</B></P> <BR>正文");
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(LessonsTest, AFileThatCannotBeReadIsToldAndSkipped)
{
    addFile("a.txt", {"<LESSON1><P>甲</P></LESSON1>"});
    addFile("b.txt", {});
    fakes.textFiles.failures[kFolder + "/b.txt"] = "Permission denied";
    addFile("c.txt", {"<LESSON1><P>丙</P></LESSON1>"});
    EXPECT_EQ(namesOf(lessons()), (std::vector<std::string>{"a.txt LESSON1 甲", "c.txt LESSON1 丙"}));
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].text, "Permission denied");
}

TEST_F(LessonsTest, ALessonWithoutTextIsNamedByItsFileAndChunk)
{
    addFile("pictures.txt", {"<LESSON1><IMG SRC=a.bmp WIDTH=10 HEIGHT=10></LESSON1>"});
    EXPECT_EQ(namesOf(lessons()), (std::vector<std::string>{"pictures.txt LESSON1 pictures.txt LESSON1"}));
}

TEST_F(LessonsTest, AMissingFolderHasNoLessons)
{
    EXPECT_TRUE(lessons().empty());
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST(LessonTitle, IsTheFirstTextTheEngineWouldLayOut)
{
    const struct {
        const char* markup;
        const char* title;
    } cases[] = {
        {"<P ALIGN=CENTER><B>第一课　春晓</B></P>", "第一课　春晓"},
        {"text before the first tag is not laid out<P>  标题  <BR>正文", "标题"},
        {"<P>   </P><BR><T TYPE=SEN>第一句。</T>", "第一句。"},
        {"<P><IMG SRC=a.bmp>", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(reader::LessonTitle(c.markup), c.title) << c.markup;
}
