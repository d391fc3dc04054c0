// The Flash player on the real engine: how long from setting a movie to its
// first command, and what one player costs in memory (this process and the
// web engine's helper processes together).
#include "bench/support/ProcessMemory.h"
#include "bench/support/QtBenchmarks.h"
#include "platform/qt/QtFlashPlayer.h"
#include "platform/qt/QtPlatform.h"
#include "tools/swf/MovieBuilder.h"
#include "tools/swf/MovieDescription.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QWebEngineView>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <unistd.h>

using platform::qt::QtFlashPlayer;

namespace {

constexpr int waitLimitMs = 30000;

// The process before any web engine work, for the engine's own start-up cost.
bench::ProcessTreeMemory memoryAtStart;

// The disc's menu movie with a first frame that sends "ready": a real movie's
// size and pictures, and a command that marks when it runs.
std::string menuMovieWithReadyCommand(const QTemporaryDir& dir)
{
    QFile description(QStringLiteral(BOOKDISC_SOURCE_DIR "/disc/movies/media.json"));
    if (!description.open(QIODevice::ReadOnly))
        throw std::runtime_error("the menu movie's description is missing");
    tools::swf::Movie movie = tools::swf::readMovieDescription(description.readAll(), QDir(BOOKDISC_SOURCE_DIR "/disc/movies"));
    movie.frames[0].commands.push_back({"ready", ""});
    tools::swf::Bytes bytes = tools::swf::buildMovie(movie);
    QFile out(dir.filePath("menu.swf"));
    out.open(QIODevice::WriteOnly);
    out.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
    return out.fileName().toStdString();
}

// A shown window holding players, each counting the commands it raised.
struct PlayerWindow {
    QWidget host;
    std::vector<std::unique_ptr<QtFlashPlayer>> players;
    int commands = 0;

    PlayerWindow() { host.setFixedSize(800, 600); host.show(); }

    QtFlashPlayer& add()
    {
        players.push_back(std::make_unique<QtFlashPlayer>(&host));
        players.back()->setGeometry(0, 0, 700, 400);
        players.back()->disableContextMenu();
        players.back()->onCommand([this](const std::string&, const std::string&) { ++commands; });
        return *players.back();
    }

    bool waitForCommands(int count)
    {
        QDeadlineTimer deadline(waitLimitMs);
        while (commands < count && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return commands >= count;
    }
};

// Setting the movie on a player that was just created: the page, the engine's
// scripts and its WebAssembly load before the movie can run.
void firstCommandInNewPlayer(benchmark::State& state)
{
    QTemporaryDir dir;
    const std::string movie = menuMovieWithReadyCommand(dir);
    for (auto _ : state) {
        PlayerWindow window;
        QtFlashPlayer& player = window.add();
        QElapsedTimer clock;
        clock.start();
        player.setMovie(movie);
        if (!window.waitForCommands(1))
            state.SkipWithError("no command within the time limit");
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
    }
}

// The first player of the program also starts the web engine's processes:
// what the launcher's menu and the catalog's button bar see at start.
void BM_FirstCommandInFirstPlayer(benchmark::State& state) { firstCommandInNewPlayer(state); }
BENCHMARK(BM_FirstCommandInFirstPlayer)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

// A further player while the engine runs (the catalog's overlay, the
// launcher's exit button and loop window).
void BM_FirstCommandInNewPlayer(benchmark::State& state) { firstCommandInNewPlayer(state); }
BENCHMARK(BM_FirstCommandInNewPlayer)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// Setting the movie again on a player that already shows it (the catalog's
// overlay is reloaded this way on every "2").
void BM_FirstCommandAfterReload(benchmark::State& state)
{
    QTemporaryDir dir;
    const std::string movie = menuMovieWithReadyCommand(dir);
    PlayerWindow window;
    QtFlashPlayer& player = window.add();
    player.setMovie(movie);
    window.waitForCommands(1);
    for (auto _ : state) {
        int before = window.commands;
        QElapsedTimer clock;
        clock.start();
        player.setMovie(movie);
        if (!window.waitForCommands(before + 1))
            state.SkipWithError("no command within the time limit");
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
    }
}
BENCHMARK(BM_FirstCommandAfterReload)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// Lets the event loop run idle for a while (no busy waiting, so the
// processor time measured is the players' own).
void settle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void reportMemory(benchmark::State& state, const char* name, bench::ProcessTreeMemory before,
    bench::ProcessTreeMemory after, int count)
{
    state.counters[std::string(name) + "_pss_MB"] = (after.pssKb - before.pssKb) / 1024.0 / count;
    state.counters[std::string(name) + "_rss_MB"] = (after.rssKb - before.rssKb) / 1024.0 / count;
}

// Memory of this process and the web engine's processes: what the first
// player adds (it may start the shared renderer process) and what each of
// two further players adds, each playing the menu movie for a second.
void BM_PlayerMemory(benchmark::State& state)
{
    QTemporaryDir dir;
    const std::string movie = menuMovieWithReadyCommand(dir);
    for (auto _ : state) {
        PlayerWindow window;
        auto before = bench::processTreeMemory(getpid());
        window.add().setMovie(movie);
        window.waitForCommands(1);
        settle(1000);
        auto afterFirst = bench::processTreeMemory(getpid());
        window.add().setMovie(movie);
        window.add().setMovie(movie);
        if (!window.waitForCommands(3))
            state.SkipWithError("no command within the time limit");
        settle(1000);
        auto afterThree = bench::processTreeMemory(getpid());
        reportMemory(state, "first_player", before, afterFirst, 1);
        reportMemory(state, "next_player", afterFirst, afterThree, 2);
        state.counters["since_start_pss_MB"] = (afterThree.pssKb - memoryAtStart.pssKb) / 1024.0;
    }
}
BENCHMARK(BM_PlayerMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

// What playing costs the processor: the looping presentation (800x582, 12
// frames a second, pictures moving) played for five seconds, as the share of
// one core that this process and the engine's processes use meanwhile.
void BM_LoopMoviePlaybackCpu(benchmark::State& state)
{
    const std::string movie = BOOKDISC_BINARY_DIR "/disc/Mov/loop.swf";
    for (auto _ : state) {
        PlayerWindow window;
        QtFlashPlayer& player = window.add();
        player.setGeometry(0, 0, 800, 582);
        player.setMovie(movie);
        settle(3000);
        const double before = bench::processTreeCpuSeconds(getpid());
        QElapsedTimer clock;
        clock.start();
        settle(5000);
        const double used = bench::processTreeCpuSeconds(getpid()) - before;
        state.counters["cpu_share_of_one_core"] = used / (clock.nsecsElapsed() / 1e9);
    }
}
BENCHMARK(BM_LoopMoviePlaybackCpu)->Iterations(1)->Unit(benchmark::kMillisecond);

// The peer: bare web views showing an empty page, created the same way.
void BM_EmptyWebViewMemory(benchmark::State& state)
{
    for (auto _ : state) {
        QWidget host;
        host.setFixedSize(800, 600);
        host.show();
        std::vector<std::unique_ptr<QWebEngineView>> views;
        auto addView = [&] {
            views.push_back(std::make_unique<QWebEngineView>(&host));
            views.back()->setGeometry(0, 0, 700, 400);
            views.back()->setHtml(QStringLiteral("<html><body></body></html>"));
            views.back()->show();
        };
        auto before = bench::processTreeMemory(getpid());
        addView();
        settle(2000);
        auto afterFirst = bench::processTreeMemory(getpid());
        addView();
        addView();
        settle(2000);
        auto afterThree = bench::processTreeMemory(getpid());
        reportMemory(state, "first_view", before, afterFirst, 1);
        reportMemory(state, "next_view", afterFirst, afterThree, 2);
    }
}
BENCHMARK(BM_EmptyWebViewMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return bench::runQtBenchmarks(argc, argv, [] {
        QtFlashPlayer::setEngineFolder(QStringLiteral(BOOKDISC_BINARY_DIR "/disc/ruffle"));
        memoryAtStart = bench::processTreeMemory(getpid());
    });
}
