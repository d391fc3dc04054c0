#include "QtPlatform.h"
#include "WebEngineProcess.h"

#include <QCoreApplication>

namespace platform::qt {

void prepareQtProcess()
{
    // Browser panes and Flash players share one rendering context.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // Qt Multimedia's default backend here needs GStreamer plug-ins that are
    // not installed, and crashes without them; FFmpeg's comes with Qt.
    qputenv("QT_MEDIA_BACKEND", "ffmpeg");
    prepareWebEngineProcess();
}

} // namespace platform::qt
