// A publisher's disc as make-disc writes it from a books file, a folder of
// covers, an intro and lessons of its own: its image's content, read-only,
// with the catalog started from it on a private X screen, showing a
// category's books and a book's cover. And the program's exit status for
// each outcome.
#include "DiscOnScreen.h"
#include "support/FileBytes.h"
#include "support/Programs.h"
#include "support/RunningProcesses.h"

#include <fstream>

using namespace disctest;
using platform::ChildProcess;
using testsupport::ProgramTrace;
namespace fs = std::filesystem;

namespace {

const std::string kMakeDisc = testsupport::binaryDir() + "/publisher/make-disc";

const std::string kBooks = "书号,书名,作者,定价,分类,推荐\n"
                           "P01,春江花月夜,张若虚,18元,诗词,是\n"
                           "P02,唐诗三百首,蘅塘退士,29.80,诗词,\n"
                           "P03,宋词选,胡云翼,24,诗词/宋词,\n";

void write(const fs::path& file, const std::string& content)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
}

const fs::path kSample = testsupport::discDir();

// The books file, covers and lessons in the work folder (the covers are the
// sample's, named in other letter cases; the lessons one of the sample's),
// and the image make-disc writes of them, with the sample's first movie as
// its first intro.
testsupport::ProgramOutcome makeDisc(const fs::path& work, const fs::path& image)
{
    write(work / "books.csv", kBooks);
    const fs::path covers = work / "covers", lessons = work / "lessons";
    fs::create_directories(covers);
    fs::copy_file(kSample / "product/BookImgs/TB0001.jpg", covers / "p01.JPG");
    fs::copy_file(kSample / "product/BookImgs/TB0002.jpg", covers / "P02.jpg");
    fs::create_directories(lessons);
    fs::copy_file(kSample / "product/text/ziran.txt", lessons / "shici.txt");
    return testsupport::runProgram({kMakeDisc, "--books", (work / "books.csv").string(), "--covers", covers.string(),
                                    "--title", "墨香诗词书目", "--publisher", "墨香出版社", "--out", image.string(),
                                    "--folder", (work / "made").string(), "--intro", (kSample / "avi/movie1.avi").string(),
                                    "--lessons", lessons.string()});
}

class MadeDiscEndToEnd : public DiscOnScreen {
protected:
    MadeDiscEndToEnd() : DiscOnScreen("made-disc-end-to-end", makeDisc) {}
};

TEST_F(MadeDiscEndToEnd, TheCatalogShowsACategorysBooksAndABooksCover)
{
    const std::string catalog = contentPath("product/product");
    ASSERT_TRUE(testsupport::waitUntilNoneRunning({"product"}, 2 * kLongWait))
        << "another catalog keeps running on this machine";
    ChildProcess product(testsupport::inOwnGroup(
        {"env", "-u", "BOOKDISC_SCREEN", "DISPLAY=" + screen.display(), "QT_QPA_PLATFORM=xcb",
         "QTWEBENGINE_DISABLE_SANDBOX=1", std::string("QT_LOGGING_RULES=") + ProgramTrace::kRules, catalog},
        image.work().string(), (image.work() / "trace.log").string()));
    const auto shown = trace.waitFor("bookdisc.trace: window shown", kLongWait, sized(800, 600));
    ASSERT_TRUE(shown) << trace.lines();

    showACategoryAndABook(*placeIn(*shown), DiscDatabase(contentPath("product/DataBase/tavro.mdb")),
                          shots / "made-catalog.png");
    product.end();
    EXPECT_EQ(listingDifferences(before, listFolder(image.content())), std::vector<std::string>{})
        << "the catalog changed the disc";

    EXPECT_EQ(testsupport::fileBytes(contentPath("avi/start.avi")), testsupport::fileBytes((kSample / "avi/movie1.avi").string()));
    std::vector<std::string> lessons;
    for (const auto& entry : fs::directory_iterator(contentPath("product/text")))
        lessons.push_back(entry.path().filename().string());
    EXPECT_EQ(lessons, std::vector<std::string>{"shici.txt"});
}

TEST(MakeDiscProgram, ExitsWithZeroForADiscOneForNoBookAndTwoForAUsageError)
{
    TempFolder work("make-disc-status");
    const auto books = work.write("books.csv", kBooks);
    const auto headerOnly = work.write("header.csv", "书号,书名\n");
    const auto check = [&](const fs::path& file) {
        return testsupport::runProgram({kMakeDisc, "--books", file.string(), "--title", "T", "--publisher", "P", "--check"});
    };
    EXPECT_EQ(check(books).exitStatus, 0);
    const auto nothing = check(headerOnly);
    EXPECT_EQ(nothing.exitStatus, 1) << nothing.output;
    EXPECT_NE(nothing.output.find("no book can be read; no disc is written"), std::string::npos) << nothing.output;
    EXPECT_EQ(testsupport::runProgram({kMakeDisc, "--books", books.string(), "--title", "T"}).exitStatus, 2);
    EXPECT_EQ(testsupport::runProgram({kMakeDisc, "--books", books.string(), "--title", "T", "--publisher", "P", "--out",
                                       (work.path() / "x.iso").string(), "--colour", "red"})
                  .exitStatus,
              2);
    EXPECT_FALSE(fs::exists(work.path() / "x.iso"));
}

} // namespace
