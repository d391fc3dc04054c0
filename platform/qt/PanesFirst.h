#pragma once
#include <QPointer>
#include <QSet>
#include <functional>
#include <vector>

namespace platform::qt {

// Browser panes and Flash players share one renderer process. A player's
// engine is large (a script, and WebAssembly to compile), so players start
// their pages only once no pane is still writing its first document: the
// renderer takes the panes' documents first and the engine after them.
class PanesFirst {
public:
    static PanesFirst& instance();

    // Whether a pane has a document whose writing its page has not yet run.
    void setWriting(const void* pane, bool writing);
    // Runs `start` on a later turn of the event loop once no pane is writing,
    // or after a few seconds whatever the panes do; never once `context` is gone.
    void whenPanesWritten(QObject* context, std::function<void()> start);

private:
    void startIfPanesWritten();
    void startAll();

    QSet<const void*> writing_;
    std::vector<std::pair<QPointer<QObject>, std::function<void()>>> waiting_;
};

} // namespace platform::qt
