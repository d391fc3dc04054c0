#include "catalog/FrmMain.h"
#include "platform/qt/QtBrowser.h"
#include "platform/qt/QtPlatform.h"
#include "support/Paths.h"
#include "support/QtWait.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QWebEngineView>
#include <gtest/gtest.h>

using namespace platform;
using namespace platform::qt;
using testsupport::evaluate;
using testsupport::waitUntil;

namespace {

QWebEnginePage& pageOf(Browser& browser) { return *dynamic_cast<QtBrowser&>(browser).view()->page(); }

int numberIn(QWebEnginePage& page, const QString& script)
{
    auto v = evaluate(page, script, 5000);
    return v ? v->toInt() : -1;
}

class CatalogPanesTest : public ::testing::Test {
protected:
    CatalogPanesTest()
    {
        folders = startup::composeMediaFolders(qtPlatform.app.programFolder());
        window = std::make_unique<catalog::FrmMain>(platform, folders);
        window->Init();
    }
    // The Qt services, with the catalog's folder on the sample disc as the
    // program folder.
    platform::qt::QtPlatform qtPlatform{testsupport::discDir() + "/product"};
    Platform platform = qtPlatform.platform();
    startup::MediaFolders folders;
    std::unique_ptr<catalog::FrmMain> window;
};

} // namespace

TEST_F(CatalogPanesTest, ACategoryClickListsItsBooksAndABookClickShowsItsCover)
{
    ASSERT_TRUE(window->PagesReady);
    QWebEnginePage& tree = pageOf(*window->WebBrowser1);
    QWebEnginePage& list = pageOf(*window->WebBrowser2);
    QWebEnginePage& detail = pageOf(*window->WebBrowser3);

    ASSERT_TRUE(waitUntil([&] { return numberIn(tree, "document.querySelectorAll('.TreeLabel').length") > 10; }))
        << "the tree page shows its nodes";
    ASSERT_TRUE(waitUntil([&] { return numberIn(list, "typeof ChangeBook === 'function' ? 1 : 0") == 1; }));

    // The first category that lists books when clicked.
    const int labels = numberIn(tree, "document.querySelectorAll('.TreeLabel').length");
    bool listed = false;
    for (int i = 0; i < labels && !listed; ++i) {
        evaluate(tree, QString("document.querySelectorAll('.TreeLabel')[%1].click()").arg(i));
        listed = waitUntil([&] { return numberIn(list, "document.querySelectorAll('a').length") > 0; }, 1500);
    }
    ASSERT_TRUE(listed) << "no category click filled the list pane";
    auto title = evaluate(tree, "document.title");
    ASSERT_TRUE(title);
    EXPECT_TRUE(title->toString().startsWith("Node"));

    evaluate(list, "document.querySelectorAll('a')[0].click()");
    ASSERT_TRUE(waitUntil([&] { return numberIn(detail, "document.images.length") > 0; }));
    EXPECT_TRUE(waitUntil([&] { return numberIn(detail, "document.images[0].naturalWidth") > 0; }))
        << "the cover picture loads";
    auto text = evaluate(detail, "document.body.textContent");
    ASSERT_TRUE(text);
    EXPECT_TRUE(text->toString().contains(QString::fromUtf8("作者：")));
}

TEST_F(CatalogPanesTest, EnterInTheSearchBoxShowsNotFoundInThePane)
{
    QWebEnginePage& list = pageOf(*window->WebBrowser2);
    ASSERT_TRUE(waitUntil([&] { return numberIn(list, "typeof ChangeBook === 'function' ? 1 : 0") == 1; }));
    QLineEdit* box = dynamic_cast<QtEditBox&>(*window->txt_BookName).lineEdit();
    box->setText(QString::fromUtf8("没有这样的书名"));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(box, &enter);
    EXPECT_TRUE(waitUntil([&] {
        auto body = evaluate(list, "document.body.textContent", 5000);
        return body && body->toString() == QString::fromUtf8("没有找到书籍");
    }));
}
