#include "PanesFirst.h"

#include <QTimer>

namespace platform::qt {
namespace {
// A pane whose renderer never answers must not keep the players from starting.
constexpr int longestWaitMs = 3000;
} // namespace

PanesFirst& PanesFirst::instance()
{
    static PanesFirst order;
    return order;
}

void PanesFirst::setWriting(const void* pane, bool writing)
{
    if (writing) {
        writing_.insert(pane);
        return;
    }
    writing_.remove(pane);
    startIfPanesWritten();
}

void PanesFirst::whenPanesWritten(QObject* context, std::function<void()> start)
{
    waiting_.emplace_back(context, std::move(start));
    QTimer::singleShot(0, context, [this] { startIfPanesWritten(); });
    QTimer::singleShot(longestWaitMs, context, [this] { startAll(); });
}

void PanesFirst::startIfPanesWritten()
{
    if (writing_.isEmpty())
        startAll();
}

void PanesFirst::startAll()
{
    for (auto& [context, start] : std::exchange(waiting_, {}))
        if (context)
            start();
}

} // namespace platform::qt
