#include "platform/qt/QtPlatform.h"
#include "platform/qt/WebEngineProcess.h"

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Headless unless the caller chose a display platform.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    platform::qt::drawPagesByProcessor();
    platform::qt::prepareQtProcess();
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
