#include "QtPlatform.h"
#include "WebEngineProcess.h"

namespace platform::qt {

void prepareQtProcess()
{
    // Qt Multimedia's default backend here needs GStreamer plug-ins that are
    // not installed, and crashes without them; FFmpeg's comes with Qt.
    qputenv("QT_MEDIA_BACKEND", "ffmpeg");
    prepareWebEngineProcess();
}

} // namespace platform::qt
