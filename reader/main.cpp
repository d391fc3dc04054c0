#include "FrmReader.h"
#include "platform/qt/QtPlatform.h"
#include "startup/Startup.h"

#include <QApplication>

int main(int argc, char** argv)
{
    platform::qt::prepareQtProcess();
    QApplication application(argc, argv);
    application.setApplicationName("reader");
    application.setQuitOnLastWindowClosed(true);

    // It shows no web page.
    platform::qt::QtPlatform qtPlatform{platform::qt::noWebControls()};
    platform::Platform platform = qtPlatform.platform();
    // The reader starts as the catalog does: one instance, its own folder as
    // the media root, the disc's fonts, the screen check.
    auto window = startup::RunCatalogStartup(platform, [](platform::Platform& p, const startup::MediaFolders& f) {
        return std::make_unique<reader::FrmReader>(p, f);
    });
    return application.exec();
}
