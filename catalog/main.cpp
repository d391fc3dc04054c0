#include "FrmMain.h"
#include "platform/qt/LinkedWebControls.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/WebEngineProcess.h"
#include "startup/Startup.h"

#include <QApplication>

int main(int argc, char** argv)
{
    platform::qt::drawPagesByProcessor();
    platform::qt::prepareQtProcess();
    QApplication application(argc, argv);
    application.setApplicationName("product");
    application.setQuitOnLastWindowClosed(true);

    platform::qt::QtPlatform qtPlatform{platform::qt::linkedWebControls()};
    platform::Platform platform = qtPlatform.platform();
    auto window = startup::RunCatalogStartup(platform, [](platform::Platform& p, const startup::MediaFolders& f) {
        return std::make_unique<catalog::FrmMain>(p, f);
    });
    return application.exec();
}
