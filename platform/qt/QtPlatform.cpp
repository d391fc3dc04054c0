#include "QtPlatform.h"
#include "WebEngineProcess.h"

#include <QCoreApplication>

namespace platform::qt {

void prepareQtProcess()
{
    // Browser panes and Flash players share one rendering context.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    prepareWebEngineProcess();
}

} // namespace platform::qt
