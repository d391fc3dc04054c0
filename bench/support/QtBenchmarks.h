#pragma once
#include <functional>

namespace bench {

// Runs the program's benchmarks under a headless QApplication (unless the
// caller chose a display platform); `beforeRun` sees the application made.
int runQtBenchmarks(int argc, char** argv, const std::function<void()>& beforeRun = {});

} // namespace bench
