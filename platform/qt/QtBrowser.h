#pragma once
#include "QtControls.h"
#include "platform/Browser.h"

#include <QPointer>
#include <QString>
#include <deque>

class QWebEngineView;

namespace platform::qt {

// A browser pane over Qt WebEngine. The document is written the way a page
// script would: open, write, and later body changes, each run in order once
// the blank page has loaded. Pages are file:// documents of the program
// folder, so they reach its scripts, styles and pictures and nothing else.
// A new pane loads its blank page at once, so the web engine starts its
// renderer while the program is still setting up; navigating to the blank
// page again before anything is written keeps that load.
class QtBrowser : public WidgetControl<Browser> {
public:
    explicit QtBrowser(QWidget* parent);
    ~QtBrowser() override;
    QWidget* widget() const override;

    void navigateBlank() override;
    void openDocument() override;
    void writeln(const std::string& line) override;
    void setBodyInnerHtml(const std::string& html) override;
    void onTitleChanged(std::function<void(const std::string&)> handler) override { titleHandler_ = std::move(handler); }

    QWebEngineView* view() const { return view_.data(); }
    // True once every queued operation has been handed to the page.
    bool idle() const { return !loading_ && pendingWrite_.isEmpty(); }

private:
    void runOrQueue(const QString& script);
    void flushWrites();
    void loadFinished();
    void titleChanged(const QString& title);
    void traceContent(int triesLeft = kTraceTries);
    static constexpr int kTraceTries = 100;

    QPointer<QWebEngineView> view_;
    std::deque<QString> queued_;
    QString pendingWrite_;
    bool flushScheduled_ = false;
    bool loading_ = false;
    bool fresh_ = false;
    std::function<void(const std::string&)> titleHandler_;
};

// A JavaScript string literal of any text, safe inside a script element.
QString javaScriptString(const QString& text);

} // namespace platform::qt
