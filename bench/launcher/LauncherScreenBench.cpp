// The start program as a user meets it, on a virtual screen of its own,
// beside the bare Qt programs a user could run instead: a menu movie playing
// beside a bare video widget playing the same file at the same size; the
// looping presentation beside a bare web page playing it with the same
// player engine at its default settings, and how alike their pictures are;
// the menu's memory beside a bare web window's; and the menu left alone with
// a damaged sound beside the menu with its good one. Processor time is the
// share of one core that the whole process tree uses over ten seconds; the
// compared programs take turns, each run starting them afresh.
#include "bench/support/ProcessMemory.h"
#include "bench/support/ScreenWatch.h"

#include <QImage>
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <thread>

using namespace bench;
namespace fs = std::filesystem;

namespace {

constexpr int kRuns = 3;
constexpr int kLoadWindowMs = 10000;
constexpr int kStartLimitMs = 60000;
// After a window shows, before it is measured: the web engine's own work
// after loading (compiling the player engine, collecting garbage) is done.
constexpr int kSettleMs = 5000;

const std::string disc = BOOKDISC_BINARY_DIR "/disc";
const std::string benchFolder = BOOKDISC_BINARY_DIR "/bench";

// The menu window and its movie surface, and the menu movie's buttons.
constexpr ScreenRect kMenu{0, 0, 700, 400};
constexpr ScreenRect kMoviePicture{0, 0, 700, 386};
constexpr ScreenRect kMovieButton{450, 162, 200, 40};
constexpr ScreenRect kLoopButton{450, 266, 200, 40};
constexpr ScreenRect kLoop{0, 0, 800, 582};
constexpr ScreenRect kBareWebWindow{0, 0, 800, 600};

void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

std::string trouble(VirtualScreen& screen, const std::string& what)
{
    return bench::trouble(screen, what, "/tmp/bench_launcher_screen-failed.png");
}

struct Program {
    std::string folder;
    std::string executable;
    std::vector<std::string> arguments;
};

const Program play{disc, "./play", {}};

// A program started on the screen, with its window found.
struct Session {
    platform::ChildProcess run;
    std::optional<ScreenRect> window;

    Session(VirtualScreen& screen, const Program& program, const ScreenRect& size)
        : run(programOnScreen(screen, program.folder, program.executable, program.arguments))
        , window(waitForWindow(screen, size.width, size.height, kStartLimitMs))
    {
    }

    ScreenRect at(const ScreenRect& place) const { return place.inside(*window); }

    // The share of one core its process tree uses over the load window.
    double load()
    {
        const double before = processTreeCpuSeconds(run.pid());
        const auto start = std::chrono::steady_clock::now();
        sleepMs(kLoadWindowMs);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        return (processTreeCpuSeconds(run.pid()) - before) / seconds;
    }
};

// Thrown where a run cannot go on; the benchmark reports it.
struct RunFailed {
    std::string why;
};

std::unique_ptr<Session> start(VirtualScreen& screen, const Program& program, const ScreenRect& size)
{
    auto session = std::make_unique<Session>(screen, program, size);
    if (!session->window)
        throw RunFailed{trouble(screen, program.executable + (session->run.running()
            ? " showed no window within a minute"
            : " ended before it showed a window (is another start program running for this user?)"))};
    return session;
}

// The start program with its menu shown and still (its buttons have glided
// in), the pointer outside.
std::unique_ptr<Session> menuOf(VirtualScreen& screen, const Program& program)
{
    screen.movePointer(screen.width() - 1, screen.height() - 1);
    auto session = start(screen, program, kMenu);
    if (!settledLooks(screen, {session->at(kMenu)}, 1000, kStartLimitMs))
        throw RunFailed{trouble(screen, "the menu still moved after a minute")};
    return session;
}

// Clicks a menu button until the place shows something else; the buttons
// answer once the menu's player has its engine running.
void clickUntilChanged(VirtualScreen& screen, Session& session, const ScreenRect& button, const ScreenRect& place)
{
    const std::uint64_t before = screen.digest(session.at(place));
    for (int attempt = 0; attempt < 20; ++attempt) {
        const ScreenRect at = session.at(button);
        screen.clickAtOnce(at.centreX(), at.centreY());
        screen.movePointer(screen.width() - 1, screen.height() - 1);
        for (int look = 0; look < 20; ++look) {
            sleepMs(100);
            if (screen.digest(session.at(place)) != before)
                return;
        }
    }
    throw RunFailed{trouble(screen, "the menu did not answer its button")};
}

// Distinct pictures a place shows over a few seconds, looked at as often as
// the screen can be read.
std::map<std::uint64_t, QImage> picturesShown(VirtualScreen& screen, const ScreenRect& place, int ms)
{
    std::map<std::uint64_t, QImage> shown;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
        const std::uint64_t digest = screen.digest(place);
        if (!shown.count(digest))
            shown.emplace(digest, screen.picture(place));
        sleepMs(10);
    }
    return shown;
}

// How two pictures of the same size differ: the share of pixels that differ
// at all, and the largest difference of a colour channel.
struct Difference {
    double differingShare = 0;
    int largestChannelDifference = 0;
};

Difference difference(const QImage& a, const QImage& b)
{
    Difference d;
    long differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* p = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* q = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            const int largest = std::max({std::abs(qRed(p[x]) - qRed(q[x])), std::abs(qGreen(p[x]) - qGreen(q[x])),
                std::abs(qBlue(p[x]) - qBlue(q[x]))});
            differing += largest > 0;
            d.largestChannelDifference = std::max(d.largestChannelDifference, largest);
        }
    }
    d.differingShare = double(differing) / (double(a.width()) * a.height());
    return d;
}

// How alike two programs' pictures of the same movie are: for each picture
// of ours, the peer's picture nearest to it (the same frame, as both play
// the same movie), and of those pairs the one that differs most. That pair
// is written out to be looked at.
Difference likeness(const std::map<std::uint64_t, QImage>& ours, const std::map<std::uint64_t, QImage>& peer)
{
    Difference worst;
    for (const auto& [digest, picture] : ours) {
        Difference nearest{1, 255};
        const QImage* nearestPicture = nullptr;
        for (const auto& [peerDigest, peerPicture] : peer) {
            const Difference d = difference(picture, peerPicture);
            if (d.differingShare < nearest.differingShare)
                nearest = d, nearestPicture = &peerPicture;
        }
        if (nearestPicture && nearest.differingShare >= worst.differingShare) {
            worst = nearest;
            picture.save("/tmp/bench_launcher_screen-loop-ours.png");
            nearestPicture->save("/tmp/bench_launcher_screen-loop-peer.png");
        }
    }
    return worst;
}

// The disc again, its files linked rather than copied, with random bytes
// for the menu's sound.
Program discWithDamagedSound()
{
    const fs::path copy = benchFolder + "/disc-with-damaged-sound";
    fs::remove_all(copy);
    fs::create_directories(copy);
    for (auto it = fs::recursive_directory_iterator(disc); it != fs::recursive_directory_iterator(); ++it) {
        const fs::path target = copy / fs::relative(it->path(), disc);
        if (it->is_directory())
            fs::create_directories(target);
        else if (std::error_code linked; fs::create_hard_link(it->path(), target, linked), linked)
            fs::copy_file(it->path(), target);
    }
    const fs::path sound = copy / "sounds/back.wav";
    fs::remove(sound);
    std::mt19937 random(20);
    std::ofstream out(sound, std::ios::binary);
    for (int i = 0; i < 64 * 1024; ++i)
        out.put(char(random()));
    return {copy.string(), "./play", {}};
}

// Ours and the peer kRuns times each, alternating which goes first, so that
// neither always meets the machine as the other left it. Each is told the
// run's number.
template <class MeasureOurs, class MeasurePeer>
void inTurns(benchmark::State& state, MeasureOurs measureOurs, MeasurePeer measurePeer)
{
    const double loadBefore = loadAverage();
    for (auto _ : state) {
        try {
            for (int run = 0; run < kRuns; ++run) {
                if (run % 2 == 0)
                    measureOurs(run), measurePeer(run);
                else
                    measurePeer(run), measureOurs(run);
            }
        } catch (const RunFailed& failed) {
            return state.SkipWithError(failed.why.c_str());
        }
    }
    state.counters["load_before"] = loadBefore;
    state.counters["load_after"] = loadAverage();
}

void ratioCounters(benchmark::State& state, const char* ours, std::vector<double> our, const char* peer,
    std::vector<double> their)
{
    state.counters[ours] = median(our);
    state.counters[peer] = median(their);
    state.counters["ratio"] = median(our) / median(their);
}

// A menu movie ("影片欣赏一", movie1.avi, 640x360 at 15 frames a second) played
// on the menu's movie surface, beside a bare video widget playing it at the
// size the surface shows it.
void BM_MoviePlaying(benchmark::State& state)
{
    VirtualScreen screen(1024, 768);
    const Program bare{benchFolder, "./bare_avi_window", {disc + "/avi/movie1.avi", "700x386"}};
    std::vector<double> ours, peer;
    inTurns(
        state,
        [&](int) {
            auto menu = menuOf(screen, play);
            clickUntilChanged(screen, *menu, kMovieButton, kMoviePicture);
            sleepMs(2000);
            ours.push_back(menu->load());
        },
        [&](int) {
            auto video = start(screen, bare, kMoviePicture);
            sleepMs(2000);
            peer.push_back(video->load());
        });
    if (!ours.empty() && ours.size() == peer.size())
        ratioCounters(state, "play_share_of_one_core", ours, "bare_video_widget_share_of_one_core", peer);
}
BENCHMARK(BM_MoviePlaying)->Iterations(1)->Unit(benchmark::kMillisecond);

// The looping presentation (loop.swf, 800x582 at 12 frames a second) in its
// window, beside a bare web page playing it with the same engine.
void BM_LoopPresentation(benchmark::State& state)
{
    VirtualScreen screen(1024, 768);
    const Program bare{benchFolder, "./bare_flash_page", {disc + "/ruffle", disc + "/Mov/loop.swf", "800x582"}};
    std::vector<double> ours, peer;
    std::map<std::uint64_t, QImage> ourPictures, peerPictures;
    inTurns(
        state,
        [&](int run) {
            auto menu = menuOf(screen, play);
            const ScreenRect button = menu->at(kLoopButton);
            screen.clickAtOnce(button.centreX(), button.centreY());
            screen.movePointer(screen.width() - 1, screen.height() - 1);
            auto loop = waitForWindow(screen, kLoop.width, kLoop.height, kStartLimitMs);
            if (!loop)
                throw RunFailed{trouble(screen, "no looping presentation after its button")};
            sleepMs(kSettleMs);
            ours.push_back(menu->load());
            if (run == 0)
                ourPictures = picturesShown(screen, kLoop.inside(*loop), 8000);
        },
        [&](int run) {
            auto page = start(screen, bare, kLoop);
            sleepMs(kSettleMs);
            peer.push_back(page->load());
            if (run == 0)
                peerPictures = picturesShown(screen, page->at(kLoop), 8000);
        });
    if (ours.empty() || ours.size() != peer.size())
        return;
    ratioCounters(state, "play_share_of_one_core", ours, "bare_page_share_of_one_core", peer);
    const Difference worst = likeness(ourPictures, peerPictures);
    state.counters["pictures_seen"] = double(ourPictures.size());
    state.counters["most_differing_pixels_of_a_picture"] = worst.differingShare;
    state.counters["its_largest_channel_difference"] = worst.largestChannelDifference;
}
BENCHMARK(BM_LoopPresentation)->Iterations(1)->Unit(benchmark::kMillisecond);

// Memory (proportional set size) of the start program's process tree with
// the menu shown, beside a bare web window showing one line.
void BM_MenuMemory(benchmark::State& state)
{
    VirtualScreen screen(1024, 768);
    const Program bare{benchFolder, "./bare_web_window", {}};
    std::vector<double> ours, peer;
    inTurns(
        state,
        [&](int) {
            auto menu = menuOf(screen, play);
            sleepMs(kSettleMs);
            ours.push_back(processTreeMemory(menu->run.pid()).pssKb / 1024.0);
        },
        [&](int) {
            auto window = start(screen, bare, kBareWebWindow);
            sleepMs(kSettleMs);
            peer.push_back(processTreeMemory(window->run.pid()).pssKb / 1024.0);
        });
    if (!ours.empty() && ours.size() == peer.size())
        ratioCounters(state, "menu_tree_pss_MB", ours, "bare_web_window_tree_pss_MB", peer);
}
BENCHMARK(BM_MenuMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

// The menu left alone with sounds/back.wav replaced by random bytes, beside
// the menu with its good sound; no audio device, so the good sound plays
// silently by the clock.
void BM_MenuIdleWithDamagedSound(benchmark::State& state)
{
    VirtualScreen screen(1024, 768);
    const Program damaged = discWithDamagedSound();
    std::vector<double> ours, peer;
    auto measure = [&](const Program& program, std::vector<double>& loads) {
        auto menu = menuOf(screen, program);
        sleepMs(kSettleMs);
        loads.push_back(menu->load());
    };
    inTurns(state, [&](int) { measure(damaged, ours); }, [&](int) { measure(play, peer); });
    fs::remove_all(damaged.folder);
    if (!ours.empty() && ours.size() == peer.size())
        ratioCounters(state, "damaged_sound_share_of_one_core", ours, "good_sound_share_of_one_core", peer);
}
BENCHMARK(BM_MenuIdleWithDamagedSound)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
