#include "platform/qt/QtBrowser.h"
#include "platform/qt/QtControls.h"
#include "platform/qt/QtServices.h"
#include "support/Paths.h"
#include "support/QtWait.h"

#include <QFontDatabase>
#include <QWebEngineView>
#include <gtest/gtest.h>

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
    EXPECT_TRUE(fonts.registerFontFile(kaiti));
    EXPECT_TRUE(QFontDatabase::families().contains("AR PL KaitiM GB"));
    EXPECT_TRUE(pageUsesFamily("AR PL KaitiM GB"));
}

TEST(FontRegistration, AMissingFileIsRefusedQuietly)
{
    QtFontRegistry fonts;
    EXPECT_FALSE(fonts.registerFontFile("/nonexistent/times.ttf"));
}
