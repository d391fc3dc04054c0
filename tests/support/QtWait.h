#pragma once
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QVariant>
#include <QWebEnginePage>
#include <functional>
#include <memory>
#include <optional>

namespace testsupport {

// Runs the event loop until the condition holds or the time is up.
inline bool waitUntil(const std::function<bool()>& condition, int milliseconds = 20000)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > milliseconds)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

// Evaluates a script in a page and waits for its result.
inline std::optional<QVariant> evaluate(QWebEnginePage& page, const QString& script, int milliseconds = 20000)
{
    // Shared with the callback, which may still come after the wait gave up.
    auto result = std::make_shared<std::optional<QVariant>>();
    page.runJavaScript(script, [result](const QVariant& v) { *result = v; });
    waitUntil([&] { return result->has_value(); }, milliseconds);
    return *result;
}

} // namespace testsupport
