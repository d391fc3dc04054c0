#include "QtPlatform.h"
#include "DiscRuntime.h"
#include "StartEnvironment.h"
#include "WebEngineProcess.h"

namespace platform::qt {

void prepareQtProcess()
{
    keepToDiscRuntime();
    // Qt Multimedia's default backend here needs GStreamer plug-ins that are
    // not installed, and crashes without them; FFmpeg's comes with Qt.
    setForQt("QT_MEDIA_BACKEND", "ffmpeg");
    prepareWebEngineProcess();
}

} // namespace platform::qt
