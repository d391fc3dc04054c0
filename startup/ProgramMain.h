#pragma once
#include "Startup.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/WebControls.h"

#include <QApplication>
#include <memory>

namespace startup {

// What a program's main() tells the Qt side, besides its start-up.
struct ProgramSettings {
    const char* name;
    // Where the program's browser panes and Flash players come from.
    platform::qt::WebControls& webControls;
    // Whether Qt ends the program when its last window closes.
    bool quitOnLastWindowClosed = true;
};

// A program's main() after what it sets for its Qt process itself: the
// process prepared, the application, the Qt platform, then `start` on that
// platform, which returns what the program keeps while its event loop runs;
// null when there is no window to show, and the program ends with status 0.
template <class Start>
int RunProgram(int argc, char** argv, const ProgramSettings& settings, const Start& start)
{
    platform::qt::prepareQtProcess();
    QApplication application(argc, argv);
    application.setApplicationName(settings.name);
    application.setQuitOnLastWindowClosed(settings.quitOnLastWindowClosed);

    platform::qt::QtPlatform qtPlatform{settings.webControls};
    platform::Platform platform = qtPlatform.platform();
    const auto started = start(platform);
    if (!started)
        return 0;
    return application.exec();
}

// The main() of a program whose only window is its main window, a `Window`
// made from the platform and the media folders (StartMainWindow).
template <class Window>
int RunMainWindowProgram(int argc, char** argv, const ProgramSettings& settings)
{
    return RunProgram(argc, argv, settings, [](platform::Platform& platform) {
        return StartMainWindow(platform, [](platform::Platform& p, const MediaFolders& folders) {
            return std::make_unique<Window>(p, folders);
        });
    });
}

} // namespace startup
