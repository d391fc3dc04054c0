#include "Launcher.h"
#include "platform/qt/QtPlatform.h"

#include <QApplication>

int main(int argc, char** argv)
{
    platform::qt::prepareQtProcess();
    QApplication application(argc, argv);
    application.setApplicationName("play");
    // The window sequence closes one window before the next can follow on
    // a timer; the program ends through the sequence, not through Qt.
    application.setQuitOnLastWindowClosed(false);

    platform::qt::QtPlatform qtPlatform;
    platform::Platform platform = qtPlatform.platform();
    auto windows = launcher::RunLauncher(platform);
    if (!windows)
        return 0;
    return application.exec();
}
