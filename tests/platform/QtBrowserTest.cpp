#include "platform/qt/QtBrowser.h"
#include "platform/qt/QtControls.h"
#include "support/QtWait.h"

#include <QDir>
#include <QFile>
#include <QWebEngineView>
#include <gtest/gtest.h>

using namespace platform;
using namespace platform::qt;
using testsupport::evaluate;
using testsupport::waitUntil;

namespace {

class QtBrowserTest : public ::testing::Test {
protected:
    QtBrowserTest()
    {
        form.setGeometry(0, 0, 400, 300);
        browser = std::make_unique<QtBrowser>(form.widget());
        browser->setGeometry(0, 0, 400, 300);
        browser->onTitleChanged([this](const std::string& t) { titles.push_back(t); });
        form.show();
    }

    QString bodyHtml()
    {
        auto v = evaluate(*browser->view()->page(), "document.body ? document.body.innerHTML : null");
        return v ? v->toString() : QString("<timeout>");
    }

    void writePage(const std::vector<std::string>& lines)
    {
        browser->navigateBlank();
        browser->openDocument();
        for (const auto& l : lines)
            browser->writeln(l);
    }

    QtForm form;
    std::unique_ptr<QtBrowser> browser;
    std::vector<std::string> titles;
};

} // namespace

TEST_F(QtBrowserTest, BlankPageReportsAboutBlankAndWrittenScriptsSetTheTitle)
{
    writePage({"<html><body><p id='x'>中文</p></body></html>", "<script>document.title = 'Node7';</script>"});
    ASSERT_TRUE(waitUntil([&] { return !titles.empty() && titles.back() == "Node7"; })) << titles.size();
    EXPECT_EQ(titles.front(), "about:blank");
    for (const auto& t : titles)
        EXPECT_EQ(t.rfind("file:", 0), std::string::npos) << "an address reported as title: " << t;
    auto text = evaluate(*browser->view()->page(), "document.getElementById('x').textContent");
    ASSERT_TRUE(text);
    EXPECT_EQ(text->toString(), QString::fromUtf8("中文"));
}

TEST_F(QtBrowserTest, NewPaneLoadsItsBlankPageUntold)
{
    ASSERT_TRUE(waitUntil([&] { return !titles.empty(); }));
    EXPECT_EQ(titles, std::vector<std::string>{"about:blank"});
}

TEST_F(QtBrowserTest, NavigatingAfterWritingLoadsTheBlankPageAgain)
{
    writePage({"<html><body><script>document.title = 'Node7';</script></body></html>"});
    ASSERT_TRUE(waitUntil([&] { return !titles.empty() && titles.back() == "Node7"; }));

    browser->navigateBlank();
    EXPECT_TRUE(waitUntil([&] { return titles.back() == "about:blank"; }));
}

TEST_F(QtBrowserTest, BodyIsReplacedAfterTheDocumentIsWritten)
{
    writePage({"<html><body><table></table></body></html>"});
    browser->setBodyInnerHtml("<b id='y'>书 'quoted' \"double\" </script> \\ done</b>");
    ASSERT_TRUE(waitUntil([&] { return bodyHtml().contains("done"); }));
    auto text = evaluate(*browser->view()->page(), "document.getElementById('y').textContent");
    ASSERT_TRUE(text);
    EXPECT_EQ(text->toString(), QString::fromUtf8("书 'quoted' \"double\"  \\ done"));
}

TEST_F(QtBrowserTest, PagesOverTwoMegabytesAreWrittenWhole)
{
    std::vector<std::string> lines{"<html><body>"};
    const std::string row = "<p>中文书名中文书名中文书名中文书名中文书名中文书名中文书名中文书名</p>";
    for (int i = 0; i < 40000; ++i)
        lines.push_back(row);
    lines.push_back("<p id='last'>end</p></body></html>");
    writePage(lines);
    ASSERT_TRUE(waitUntil([&] {
        auto v = evaluate(*browser->view()->page(), "document.getElementsByTagName('p').length");
        return v && v->toInt() == 40001;
    }, 60000));
}

TEST_F(QtBrowserTest, LocalPicturesLoadAndNetworkRequestsDoNot)
{
    const QString picture = QDir::tempPath() + "/bookdisc-browser-test.png";
    QImage img(17, 9, QImage::Format_RGB32);
    img.fill(Qt::red);
    ASSERT_TRUE(img.save(picture));
    writePage({"<html><body><img id='local' src='" + picture.toStdString() + "'>",
               "<img id='remote' src='http://127.0.0.1:9/x.png'></body></html>"});
    ASSERT_TRUE(waitUntil([&] {
        auto v = evaluate(*browser->view()->page(), "document.getElementById('local') ? document.getElementById('local').naturalWidth : 0");
        return v && v->toInt() == 17;
    }));
    auto remote = evaluate(*browser->view()->page(), "document.getElementById('remote').naturalWidth");
    ASSERT_TRUE(remote);
    EXPECT_EQ(remote->toInt(), 0);
    QFile::remove(picture);
}

TEST(JavaScriptString, EscapesEverythingThatCouldEndTheLiteralOrTheScript)
{
    EXPECT_EQ(javaScriptString("a'b\"c\\d\ne</script>\u2028"),
              QString("\"a'b\\\"c\\\\d\\ne\\x3C/script>\\u2028\""));
}
