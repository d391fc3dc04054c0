#include "QtBenchmarks.h"
#include "platform/qt/QtPlatform.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace bench {

int runQtBenchmarks(int argc, char** argv, const std::function<void()>& beforeRun)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    platform::qt::prepareQtProcess();
    QApplication application(argc, argv);
    if (beforeRun)
        beforeRun();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace bench
