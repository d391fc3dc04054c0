#include "platform/qt/MeasuredFont.h"
#include "platform/qt/QtBrowser.h"
#include "platform/qt/QtControls.h"
#include "platform/qt/QtServices.h"
#include "startup/Startup.h"
#include "support/Paths.h"
#include "support/QtWait.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QWebEngineView>
#include <gtest/gtest.h>

#include <filesystem>
#include <stdlib.h>

using namespace platform::qt;

namespace {

// Whether a page renders text in the family: with the family present, the
// fallback after it makes no difference to the width.
bool pageUsesFamily(const std::string& family)
{
    QtForm form;
    QtBrowser browser(form.widget());
    browser.setGeometry(0, 0, 200, 100);
    form.show();
    browser.navigateBlank();
    browser.openDocument();
    browser.writeln("<html><body><script>"
                    "function w(f){var c=document.createElement('canvas').getContext('2d');c.font='30px '+f;"
                    "return c.measureText('中文字体 Typeface').width;}"
                    "document.title = (w(\"'" + family + "', monospace\") == w(\"'" + family + "', serif\")) ? 'same' : 'differ';"
                    "</script></body></html>");
    std::string verdict;
    browser.onTitleChanged([&](const std::string& t) { verdict = t; });
    testsupport::waitUntil([&] { return verdict == "same" || verdict == "differ"; });
    return verdict == "same";
}

} // namespace

TEST(FontRegistration, DiscFontsBecomeUsableByFamilyInWidgetsAndPages)
{
    const std::string kaiti = testsupport::discDir() + "/product/FZCCHJW.TTF";
    ASSERT_FALSE(QFontDatabase::families().contains("AR PL KaitiM GB")) << "the test needs a font the system lacks";
    EXPECT_FALSE(pageUsesFamily("AR PL KaitiM GB"));

    QtFontRegistry fonts;
    EXPECT_TRUE(fonts.registerFontFile(kaiti, {}));
    EXPECT_TRUE(QFontDatabase::families().contains("AR PL KaitiM GB"));
    EXPECT_TRUE(pageUsesFamily("AR PL KaitiM GB"));
}

// Surfaces and controls write in the disc's Song face, not in a font of the
// machine's that has the name the programs ask for.
TEST(FontRegistration, TheDiscsFaceStandsInForTheFamiliesItNames)
{
    const QString song = "AR PL SungtiL GB";
    ASSERT_FALSE(QFontDatabase::families().contains(song)) << "the test needs a font the system lacks";
    const std::string machineFace = QFontDatabase::families().value(0).toStdString();
    ASSERT_FALSE(machineFace.empty());

    QtFontRegistry fonts;
    ASSERT_TRUE(fonts.registerFontFile(testsupport::discDir() + "/product/song.ttf", {"宋体", machineFace}));
    EXPECT_EQ(QFontInfo(toQFont({"宋体", 9})).family(), song);
    EXPECT_EQ(QFontInfo(toQFont({machineFace, 12})).family(), song);
    EXPECT_EQ(QFontInfo(QApplication::font()).family(), song);
}

TEST(FontRegistration, AMissingFileIsRefusedQuietly)
{
    QtFontRegistry fonts;
    EXPECT_FALSE(fonts.registerFontFile("/nonexistent/times.ttf", {}));
}

namespace {

// The real registry, remembering what it answered for each file.
class AnsweringFontRegistry : public platform::FontRegistry {
public:
    bool registerFontFile(const std::string& path, const std::vector<std::string>& standsFor) override
    {
        answers.push_back(fonts.registerFontFile(path, standsFor));
        return answers.back();
    }
    QtFontRegistry fonts;
    std::vector<bool> answers;
};

} // namespace

// A disc authored where names ignore case may hold the fonts under
// other spellings than the programs use.
TEST(FontRegistration, InstallFontsFindsTheFilesWhateverTheirCase)
{
    ASSERT_FALSE(QFontDatabase::families().contains("Liberation Serif")) << "the test needs fonts the system lacks";
    ASSERT_FALSE(QFontDatabase::families().contains("Liberation Sans"));
    char folder[] = "/tmp/font-case-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::filesystem::path disc = testsupport::discDir() + "/product";
    for (const auto& [given, renamed] : {std::pair{"times.ttf", "TIMES.TTF"}, std::pair{"FZCCHJW.TTF", "fzcchjw.ttf"},
                                         std::pair{"arial.ttf", "Arial.Ttf"}, std::pair{"song.ttf", "SONG.TTF"}})
        std::filesystem::copy_file(disc / given, std::filesystem::path(folder) / renamed);

    AnsweringFontRegistry fonts;
    startup::InstallFonts(fonts, folder);
    std::filesystem::remove_all(folder);
    EXPECT_EQ(fonts.answers, (std::vector<bool>{true, true, true, true}));
    EXPECT_TRUE(QFontDatabase::families().contains("Liberation Serif"));
    EXPECT_TRUE(QFontDatabase::families().contains("Liberation Sans"));
}
