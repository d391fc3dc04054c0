#include "QtBrowser.h"
#include "Trace.h"
#include "WebEngineSupport.h"

#include <QCoreApplication>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace platform::qt {

namespace {

QUrl pageBase() { return QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + "/"); }

const QString kBlankPage = QStringLiteral("<html><head><title>about:blank</title></head><body></body></html>");

// The page's text, one line per line shown, and each picture with its place
// in the pane, as the trace reports them.
const QString kShownContent = QStringLiteral(
    "[document.body ? document.body.innerText : '',"
    " Array.from(document.images, function (i) { var r = i.getBoundingClientRect();"
    " return i.getAttribute('src') + ' at ' + Math.round(r.left) + ',' + Math.round(r.top) + ' ' +"
    " Math.round(r.width) + 'x' + Math.round(r.height); })]");
// An empty page is looked at again this often, up to kTraceTries times,
// before the trace reports it empty.
constexpr int kTraceRetryMs = 20;

} // namespace

QString javaScriptString(const QString& text)
{
    QString out;
    out.reserve(text.size() + 16);
    out += '"';
    for (QChar c : text) {
        switch (c.unicode()) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '<': out += "\\x3C"; break; // keeps "</script>" out of any enclosing script
        case 0x2028: out += "\\u2028"; break;
        case 0x2029: out += "\\u2029"; break;
        default:
            if (c.unicode() < 0x20)
                out += QString("\\x%1").arg(c.unicode(), 2, 16, QChar('0'));
            else
                out += c;
        }
    }
    out += '"';
    return out;
}

QtBrowser::QtBrowser(QWidget* parent) : view_(new QWebEngineView(parent))
{
    auto* page = new QWebEnginePage(localOnlyProfile(), view_);
    applyLocalPageSettings(*page);
    view_->setPage(page);
    view_->setContextMenuPolicy(Qt::NoContextMenu);
    QObject::connect(page, &QWebEnginePage::loadFinished, view_, [this](bool) { loadFinished(); });
    QObject::connect(page, &QWebEnginePage::titleChanged, view_, [this](const QString& t) { titleChanged(t); });
    view_->show();
    navigateBlank();
}

QtBrowser::~QtBrowser() { delete view_.data(); }

QWidget* QtBrowser::widget() const { return view_.data(); }

void QtBrowser::navigateBlank()
{
    if (fresh_)
        return;
    fresh_ = true;
    queued_.clear();
    pendingWrite_.clear();
    loading_ = true;
    view_->setHtml(kBlankPage, pageBase());
}

void QtBrowser::openDocument()
{
    fresh_ = false;
    flushWrites();
    runOrQueue(QStringLiteral("document.open();"));
}

void QtBrowser::writeln(const std::string& line)
{
    fresh_ = false;
    pendingWrite_ += QString::fromStdString(line);
    pendingWrite_ += '\n';
    // Lines written in one go reach the page as one write.
    if (!flushScheduled_) {
        flushScheduled_ = true;
        QTimer::singleShot(0, view_, [this] { flushWrites(); });
    }
}

void QtBrowser::setBodyInnerHtml(const std::string& html)
{
    fresh_ = false;
    flushWrites();
    runOrQueue("if (document.body) document.body.innerHTML = " + javaScriptString(QString::fromStdString(html)) + ";");
    traceContent();
}

void QtBrowser::flushWrites()
{
    flushScheduled_ = false;
    if (pendingWrite_.isEmpty())
        return;
    runOrQueue("document.write(" + javaScriptString(pendingWrite_) + ");");
    pendingWrite_.clear();
    traceContent();
}

void QtBrowser::runOrQueue(const QString& script)
{
    if (loading_)
        queued_.push_back(script);
    else
        view_->page()->runJavaScript(script);
}

void QtBrowser::loadFinished()
{
    if (!loading_)
        return;
    loading_ = false;
    while (!queued_.empty()) {
        view_->page()->runJavaScript(queued_.front());
        queued_.pop_front();
    }
    traceContent();
}

void QtBrowser::traceContent(int triesLeft)
{
    if (!traceLog().isInfoEnabled() || loading_)
        return;
    const QString pane = traceGeometry(*view_);
    view_->page()->runJavaScript(kShownContent, [this, pane, triesLeft](const QVariant& shown) {
        const QVariantList parts = shown.toList();
        if (parts.size() != 2)
            return;
        const QStringList lines = parts[0].toString().split('\n', Qt::SkipEmptyParts);
        // A page's own scripts may still be loading and drawing it.
        if (lines.isEmpty() && parts[1].toList().isEmpty() && triesLeft > 0 && view_) {
            QTimer::singleShot(kTraceRetryMs, view_, [this, triesLeft] { traceContent(triesLeft - 1); });
            return;
        }
        qCInfo(traceLog).noquote() << "pane" << pane << "shows" << lines.join(QStringLiteral(" | "));
        for (const QVariant& picture : parts[1].toList())
            qCInfo(traceLog).noquote() << "pane" << pane << "picture" << picture.toString();
    });
}

void QtBrowser::titleChanged(const QString& title)
{
    // A document without a title reports its address instead; that is no
    // title the page set.
    if (title.isEmpty() || title == view_->url().toString() || title == view_->url().toDisplayString() ||
        title.startsWith("file://"))
        return;
    qCInfo(traceLog).noquote() << "pane" << traceGeometry(*view_) << "title" << title;
    if (titleHandler_)
        titleHandler_(title.toStdString());
}

} // namespace platform::qt
