#include "WebEngineProcess.h"

#include <QByteArray>
#include <QtGlobal>

namespace platform::qt {

void prepareWebEngineProcess()
{
    if (!qEnvironmentVariableIsSet("QT_QUICK_BACKEND"))
        qputenv("QT_QUICK_BACKEND", "software");
    static const QByteArray shared =
        "--renderer-process-limit=1 --js-flags=--wasm-lazy-compilation,--liftoff-only";
    const QByteArray given = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (given.contains(shared))
        return;
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", given.isEmpty() ? shared : shared + ' ' + given);
}

} // namespace platform::qt
