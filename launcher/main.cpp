#include "Launcher.h"
#include "platform/qt/StartEnvironment.h"
#include "platform/qt/WebEngineProcess.h"
#include "platform/qt/WebModuleLoader.h"
#include "startup/ProgramMain.h"

int main(int argc, char** argv)
{
    // The web engine's audio service runs inside this process instead of a
    // process of its own: the menu's process tree is one process and some
    // 50 MB resident smaller, and sound plays the same.
    const QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    platform::qt::setForQt("QTWEBENGINE_CHROMIUM_FLAGS", flags + " --disable-features=AudioServiceOutOfProcess");
    // Menu, movies and presentation are drawn by the processor: through
    // OpenGL, which a machine without a graphics card emulates, a playing
    // movie cost several times what it costs a bare video widget.
    platform::qt::drawPagesByProcessor();
    return startup::RunProgram(argc, argv,
                               {.name = "play",
                                // The menu loads the web controls once the first intro shows.
                                .webControls = platform::qt::webControlsOnDemand(),
                                // The window sequence closes one window before the next can
                                // follow on a timer; the program ends through the sequence,
                                // not through Qt.
                                .quitOnLastWindowClosed = false},
                               launcher::RunLauncher);
}
