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
    // need not load the OpenGL driver at all; but a web engine loaded after
    // the application started (the start program's module) still asks the
    // shared context for its format, and ends the program when there is no
    // such context, so one is always asked for (it then fails to open).
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (qgetenv("QT_QUICK_BACKEND") == "software" && !qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        setForQt("QT_XCB_GL_INTEGRATION", "none");

    chooseWebEngineSandbox();
    static const QByteArray shared = "--renderer-process-limit=1 --js-flags=--wasm-lazy-compilation,--liftoff-only "
                                     "--no-unsandboxed-zygote";
    const QByteArray given = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (given.contains(shared))
        return;
    setForQt("QTWEBENGINE_CHROMIUM_FLAGS", given.isEmpty() ? shared : shared + ' ' + given);
}

} // namespace platform::qt
