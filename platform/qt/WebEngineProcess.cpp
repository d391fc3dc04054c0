#include "WebEngineProcess.h"
#include "StartEnvironment.h"
#include "WebEngineSandbox.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QtGlobal>

namespace platform::qt {

void drawPagesByProcessor()
{
    if (!qEnvironmentVariableIsSet("QT_QUICK_BACKEND"))
        setForQt("QT_QUICK_BACKEND", "software");
}

void prepareWebEngineProcess()
{
    // Drawn through OpenGL, browser panes and Flash players share one
    // context. Drawn by the processor they need none, and the X11 platform
    // need not load the OpenGL driver at all.
    if (qgetenv("QT_QUICK_BACKEND") != "software")
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    else if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        setForQt("QT_XCB_GL_INTEGRATION", "none");

    chooseWebEngineSandbox();
    static const QByteArray shared =
        "--renderer-process-limit=1 --js-flags=--wasm-lazy-compilation,--liftoff-only";
    const QByteArray given = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (given.contains(shared))
        return;
    setForQt("QTWEBENGINE_CHROMIUM_FLAGS", given.isEmpty() ? shared : shared + ' ' + given);
}

} // namespace platform::qt
