#include "QtPlatform.h"
#include "WebEngineProcess.h"

namespace platform::qt {

void prepareQtProcess()
{
    prepareWebEngineProcess();
}

} // namespace platform::qt
