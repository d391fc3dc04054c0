// The start program: time to the first intro's first frame against a bare
// Qt window playing the same movie, and what the menu costs in memory and
// processor time on the sample disc.
#include "TimedToolkit.h"
#include "bench/support/ProcessMemory.h"
#include "bench/support/QtBenchmarks.h"
#include "launcher/FrmMain.h"
#include "launcher/IntroWindow.h"
#include "launcher/Launcher.h"
#include "platform/ChildProcess.h"
#include "platform/qt/LinkedWebControls.h"
#include "platform/qt/QtFlashPlayer.h"
#include "platform/qt/QtPlatform.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <unistd.h>

namespace {

const std::string disc = BOOKDISC_BINARY_DIR "/disc";
const std::string bareWindow = BOOKDISC_BINARY_DIR "/bench/bare_avi_window";
constexpr int kRuns = 5;
constexpr int kWaitMs = 30000;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Milliseconds from starting the program to its report of the first frame.
double msToFirstFrame(const std::vector<std::string>& argv)
{
    QElapsedTimer clock;
    clock.start();
    platform::ChildProcess child({.argv = argv,
                                  .environment = {"QT_QPA_PLATFORM=offscreen", "BOOKDISC_SCREEN=1024x768",
                                                  "QT_LOGGING_RULES=bookdisc.video.info=true"},
                                  .output = platform::Sink::Discarded,
                                  .errorOutput = platform::Sink::Pipe});
    if (!child.waitForLine("first frame shown", std::chrono::milliseconds(kWaitMs)))
        throw std::runtime_error(argv[0] + " showed no frame");
    const double ms = clock.nsecsElapsed() / 1e6;
    child.end();
    return ms;
}

// Each run starts both programs afresh, in alternating order.
void BM_FirstIntroFrame(benchmark::State& state)
{
    for (auto _ : state) {
        std::vector<double> play, bare;
        try {
            for (int run = 0; run < kRuns; ++run) {
                auto measurePlay = [&] { play.push_back(msToFirstFrame({disc + "/play"})); };
                auto measureBare = [&] { bare.push_back(msToFirstFrame({bareWindow, disc + "/avi/start.avi"})); };
                if (run % 2 == 0)
                    measurePlay(), measureBare();
                else
                    measureBare(), measurePlay();
            }
        } catch (const std::exception& e) {
            state.SkipWithError(e.what());
            break;
        }
        state.SetIterationTime(median(play) / 1000);
        state.counters["play_median_ms"] = median(play);
        state.counters["bare_qt_window_median_ms"] = median(bare);
        state.counters["ratio"] = median(play) / median(bare);
    }
}
BENCHMARK(BM_FirstIntroFrame)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

// Lets the event loop run idle for a while, without busy waiting.
void settle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

template <class Condition>
bool settleUntil(Condition done, int ms = kWaitMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms)
        settle(20);
    return done();
}

// The start program in this process on the sample disc, its timers counted,
// brought to the menu by stopping each intro as a click does.
struct MenuOnDisc {
    platform::qt::QtPlatform qt{platform::qt::linkedWebControls(), disc};
    bench::TimedToolkit toolkit{qt.toolkit};
    platform::Platform platform{qt.app, qt.messages, qt.textFiles, toolkit, qt.drives, qt.fonts, qt.shell, qt.userFiles};
    std::unique_ptr<launcher::WindowSequence> sequence;

    launcher::FrmMain* menu() const { return dynamic_cast<launcher::FrmMain*>(sequence->current()); }

    bool open()
    {
        sequence = launcher::RunLauncher(platform);
        if (!sequence)
            return false;
        for (int intro = 0; intro < 2; ++intro) {
            auto* window = dynamic_cast<launcher::IntroWindow*>(sequence->current());
            if (!window)
                return false;
            window->MMCavi->command("stop");
            settleUntil([&] { return sequence->current() != window; });
        }
        return menu() != nullptr;
    }
};

// Memory of `play` and the web engine's processes it started, with the menu
// shown and its movie and sound playing: the program is started as the disc
// starts it and left to play its intros; the menu is up once the web
// engine's processes run, and is given a few seconds more.
void BM_MenuMemory(benchmark::State& state)
{
    for (auto _ : state) {
        platform::ChildProcess play({.argv = {disc + "/play"},
                                     .environment = {"QT_QPA_PLATFORM=offscreen", "BOOKDISC_SCREEN=1024x768"},
                                     .output = platform::Sink::Discarded,
                                     .errorOutput = platform::Sink::Pipe});
        if (!settleUntil([&] { return bench::processTreeSize(play.pid()) >= 3; }, 60000)) {
            state.SkipWithError("the menu did not come up");
            break;
        }
        settle(8000);
        const auto menu = bench::processTreeMemory(play.pid());
        state.counters["menu_tree_pss_MB"] = menu.pssKb / 1024.0;
        state.counters["menu_tree_rss_MB"] = menu.rssKb / 1024.0;
        state.counters["processes"] = bench::processTreeSize(play.pid());
    }
}
BENCHMARK(BM_MenuMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

constexpr int kLoadWindowMs = 10000;

// Processor load with the menu shown and its sound playing: the whole
// process tree, and the part spent in the program's own timer handlers
// (the sound watcher, the thumb follower, the command dispatch).
void BM_MenuProcessorLoad(benchmark::State& state)
{
    for (auto _ : state) {
        MenuOnDisc program;
        if (!program.open()) {
            state.SkipWithError("the menu did not come up");
            break;
        }
        settle(3000);
        program.toolkit.resetHandlerTime();
        const double treeBefore = bench::processTreeCpuSeconds(getpid());
        const std::int64_t threadBefore = bench::threadCpuNs();
        QElapsedTimer clock;
        clock.start();
        settle(kLoadWindowMs);
        const double seconds = clock.nsecsElapsed() / 1e9;
        state.counters["tree_share_of_one_core"] = (bench::processTreeCpuSeconds(getpid()) - treeBefore) / seconds;
        state.counters["ui_thread_share_of_one_core"] = (bench::threadCpuNs() - threadBefore) / 1e9 / seconds;
        state.counters["own_handlers_share_of_one_core"] = program.toolkit.handlerTime().cpuNs / 1e9 / seconds;
        state.counters["own_ticks_per_second"] = program.toolkit.handlerTime().ticks / seconds;
        state.counters["sound_playing"] = program.menu()->MMCavi->mode() == platform::MciDevice::ModePlaying;
    }
}
BENCHMARK(BM_MenuProcessorLoad)->Iterations(1)->Unit(benchmark::kMillisecond);

// The peer of the handlers: the event loop waking for the menu's two
// running timers (100 ms and 1000 ms) with nothing to do, on its thread.
void BM_MenuTimerWakeupsAlone(benchmark::State& state)
{
    for (auto _ : state) {
        platform::qt::QtToolkit toolkit;
        auto watcher = toolkit.createTimer();
        auto follower = toolkit.createTimer();
        int ticks = 0;
        for (auto [timer, ms] : {std::pair{watcher.get(), 100}, std::pair{follower.get(), 1000}}) {
            timer->setInterval(ms);
            timer->onTick([&] { ++ticks; });
            timer->setEnabled(true);
        }
        const std::int64_t before = bench::threadCpuNs();
        QElapsedTimer clock;
        clock.start();
        settle(kLoadWindowMs);
        const double seconds = clock.nsecsElapsed() / 1e9;
        state.counters["ui_thread_share_of_one_core"] = (bench::threadCpuNs() - before) / 1e9 / seconds;
        state.counters["ticks_per_second"] = ticks / seconds;
    }
}
BENCHMARK(BM_MenuTimerWakeupsAlone)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return bench::runQtBenchmarks(argc, argv, [] {
        setenv("BOOKDISC_SCREEN", "1024x768", 1);
        platform::qt::QtFlashPlayer::setEngineFolder(QString::fromStdString(disc + "/ruffle"));
    });
}
