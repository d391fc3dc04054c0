// The catalog program as a user meets it, started on a virtual screen of its
// own and read back from that screen: how long until its panes and button bar
// are painted, beside a bare Qt WebEngine window started the same way; how
// long from a click to the painted list or detail; what it costs left alone.
// Times are wall-clock (the screen is what a user sees), so each figure is a
// median of several runs, the compared programs taking turns. The catalog is
// the sample disc's, or that of the disc folder given as --disc=<folder> (a
// publisher's disc that make-disc wrote).
#include "bench/support/ProcessMemory.h"
#include "bench/support/ScreenWatch.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <thread>

using namespace bench;

namespace {

constexpr int windowWidth = 800;
constexpr int windowHeight = 600;
constexpr int startLimitMs = 60000;
constexpr int timedStarts = 7;
constexpr int timedClicks = 10;
constexpr int idleRuns = 3;

// Places inside the catalog's window.
const ScreenRect treePane{62, 153, 205, 317};
const ScreenRect listPane{298, 130, 443, 134};
const ScreenRect detailPane{298, 309, 443, 163};
const ScreenRect buttonBar{445, 484, 307, 18};
const ScreenRect searchBox{151, 509, 195, 15};
const ScreenRect wholeWindow{0, 0, windowWidth, windowHeight};
// On the sample disc: the first category, and its first child once the
// first is open; the first two books of that child's list.
const ScreenRect firstCategory{90, 160, 12, 10};
const ScreenRect childCategory{130, 178, 12, 10};
const ScreenRect firstBook{340, 135, 12, 10};
const ScreenRect secondBook{340, 155, 12, 10};

struct Program {
    std::string folder;
    std::string executable;
};

Program catalog{BOOKDISC_BINARY_DIR "/disc/product", "./product"};
const Program bareWindow{BOOKDISC_BINARY_DIR "/bench", "./bare_web_window"};

void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

std::string trouble(VirtualScreen& screen, const std::string& what)
{
    return bench::trouble(screen, what, "/tmp/bench_catalog_screen-failed.png");
}

// A program started on the screen, with its window found.
struct Session {
    platform::ChildProcess run;
    std::optional<ScreenRect> window;

    Session(VirtualScreen& screen, const Program& program)
        : run(programOnScreen(screen, program.folder, program.executable))
        , window(waitForWindow(screen, windowWidth, windowHeight, startLimitMs))
    {
    }

    // Why there is no window; a program that ends at once may have found
    // another instance of itself running (the single-instance test counts
    // every screen of the machine's user).
    std::string noWindow(VirtualScreen& screen)
    {
        return trouble(screen, run.running() ? "no window within a minute" : "the program ended before it showed a window");
    }

    std::vector<ScreenRect> onScreen(const std::vector<ScreenRect>& places) const
    {
        std::vector<ScreenRect> rects;
        for (const ScreenRect& p : places)
            rects.push_back(p.inside(*window));
        return rects;
    }
};

// How the places look once the program has started and nothing changes any
// more; or why not. A first run of each program also fills the file cache
// for the runs that are timed.
std::optional<Looks> settledLooks(VirtualScreen& screen, const Program& program,
    const std::vector<ScreenRect>& places, std::string& why)
{
    Session session(screen, program);
    if (!session.window) {
        why = session.noWindow(screen);
        return std::nullopt;
    }
    auto looks = bench::settledLooks(screen, session.onScreen(places), 3000, startLimitMs);
    if (!looks)
        why = trouble(screen, program.executable + " still changed after a minute");
    return looks;
}

// Milliseconds from the program's start until each place shows its settled
// look; or why not.
std::optional<std::vector<double>> timesToPaint(VirtualScreen& screen, const Program& program,
    const std::vector<ScreenRect>& places, const Looks& looks, std::string& why)
{
    Session session(screen, program);
    if (!session.window) {
        why = session.noWindow(screen);
        return std::nullopt;
    }
    auto times = timesUntilShown(screen, session.onScreen(places), looks,
        [&] { return msSince(session.run.startedAt()); }, startLimitMs);
    if (!times)
        why = trouble(screen, program.executable + " did not show its settled look within a minute");
    return times;
}

// Both programs start in turn; the catalog's time until its tree and list
// panes are painted, and until its button bar shows its first frame, beside
// the bare window's time until its line is painted.
void BM_StartToFirstPaint(benchmark::State& state)
{
    VirtualScreen screen(1024, 768);
    screen.movePointer(screen.width() - 1, screen.height() - 1);
    const std::vector<ScreenRect> catalogPlaces{treePane, listPane, buttonBar};
    const std::vector<ScreenRect> barePlaces{wholeWindow};
    const double loadBefore = loadAverage();
    std::string why;
    for (auto _ : state) {
        auto catalogLooks = settledLooks(screen, catalog, catalogPlaces, why);
        auto bareLooks = catalogLooks ? settledLooks(screen, bareWindow, barePlaces, why) : std::nullopt;
        if (!bareLooks)
            return state.SkipWithError(why.c_str());
        std::vector<double> bare, panes, bar;
        for (int i = 0; i < timedStarts; ++i) {
            auto bareTimes = timesToPaint(screen, bareWindow, barePlaces, *bareLooks, why);
            auto catalogTimes = bareTimes ? timesToPaint(screen, catalog, catalogPlaces, *catalogLooks, why)
                                          : std::nullopt;
            if (!catalogTimes)
                return state.SkipWithError(why.c_str());
            bare.push_back((*bareTimes)[0]);
            panes.push_back(std::max((*catalogTimes)[0], (*catalogTimes)[1]));
            bar.push_back((*catalogTimes)[2]);
        }
        state.SetIterationTime(median(panes) / 1000);
        state.counters["bare_window_ms"] = median(bare);
        state.counters["tree_and_list_ms"] = median(panes);
        state.counters["button_bar_ms"] = median(bar);
        state.counters["tree_and_list_ratio"] = median(panes) / median(bare);
        state.counters["button_bar_ratio"] = median(bar) / median(bare);
    }
    state.counters["load_before"] = loadBefore;
    state.counters["load_after"] = loadAverage();
}
BENCHMARK(BM_StartToFirstPaint)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

// The catalog started and settled, the pointer outside its window.
struct SettledCatalog {
    VirtualScreen screen{1024, 768};
    std::unique_ptr<Session> session;

    // Starts the catalog and waits until it is settled; or says why not.
    std::string start()
    {
        screen.movePointer(screen.width() - 1, screen.height() - 1);
        session = std::make_unique<Session>(screen, catalog);
        if (!session->window)
            return session->noWindow(screen);
        return settle({wholeWindow}, 3000) ? std::string() : trouble(screen, "the catalog still changed after a minute");
    }
    bool settle(const std::vector<ScreenRect>& places, int quietMs)
    {
        return bench::settledLooks(screen, session->onScreen(places), quietMs, startLimitMs).has_value();
    }
    void click(const ScreenRect& place)
    {
        const ScreenRect at = place.inside(*session->window);
        screen.clickAtOnce(at.centreX(), at.centreY());
    }
};

// What the user does to ask for a page: the steps before (typing a search
// text) and the one the time is counted from (a click, Enter).
struct Request {
    std::function<void(SettledCatalog&)> prepare;
    std::function<void(SettledCatalog&)> trigger;
};

Request clickOn(const ScreenRect& place)
{
    return {[](SettledCatalog&) {}, [place](SettledCatalog& window) { window.click(place); }};
}

// A search for a text of digits and Latin letters, typed over what the box holds.
Request searchFor(const std::string& text)
{
    return {[text](SettledCatalog& window) {
                window.click(searchBox);
                window.screen.pressKeys({"Control_L", "a"});
                for (char c : text)
                    window.screen.pressKeys({std::string(1, c)});
            },
            [](SettledCatalog& window) { window.screen.pressKeys({"Return"}); }};
}

// How the pane looks once the request has had its effect.
std::optional<std::uint64_t> lookAfter(SettledCatalog& window, const Request& request, const ScreenRect& pane)
{
    request.prepare(window);
    request.trigger(window);
    auto looks = bench::settledLooks(window.screen, window.session->onScreen({pane}), 1000, startLimitMs);
    return looks ? std::optional((*looks)[0]) : std::nullopt;
}

// Two requests in turn; the time from each until the pane shows what it asks for.
void requestToPaint(benchmark::State& state, const std::vector<Request>& before, const Request& first,
    const Request& second, const ScreenRect& pane)
{
    SettledCatalog catalogWindow;
    if (const std::string why = catalogWindow.start(); !why.empty())
        return state.SkipWithError(why.c_str());
    for (const Request& request : before)
        lookAfter(catalogWindow, request, pane);
    auto firstLook = lookAfter(catalogWindow, first, pane);
    auto secondLook = lookAfter(catalogWindow, second, pane);
    if (!firstLook || !secondLook || *firstLook == *secondLook)
        return state.SkipWithError(
            trouble(catalogWindow.screen, "the two requests did not show two different pages").c_str());
    const double loadBefore = loadAverage();
    for (auto _ : state) {
        std::vector<double> times;
        for (int i = 0; i < timedClicks; ++i) {
            const bool odd = i % 2;
            const Request& request = odd ? second : first;
            request.prepare(catalogWindow);
            catalogWindow.settle({pane}, 300);
            const auto clicked = std::chrono::steady_clock::now();
            request.trigger(catalogWindow);
            auto shown = timesUntilShown(catalogWindow.screen, catalogWindow.session->onScreen({pane}),
                {odd ? *secondLook : *firstLook},
                [&] { return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - clicked).count(); },
                10000);
            if (!shown)
                return state.SkipWithError(
                    trouble(catalogWindow.screen, "a request was not answered within ten seconds").c_str());
            times.push_back((*shown)[0]);
            catalogWindow.settle({pane}, 300);
        }
        state.SetIterationTime(median(times) / 1000);
        state.counters["median_ms"] = median(times);
        state.counters["slowest_ms"] = *std::max_element(times.begin(), times.end());
    }
    state.counters["load_before"] = loadBefore;
    state.counters["load_after"] = loadAverage();
}

// A category label clicked in the tree, until its books are painted in the list.
void BM_ClickCategoryToPaintedList(benchmark::State& state)
{
    requestToPaint(state, {}, clickOn(firstCategory), clickOn(childCategory), listPane);
}
BENCHMARK(BM_ClickCategoryToPaintedList)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

// A book clicked in the list, until its detail (text and cover) is painted.
void BM_ClickBookToPaintedDetail(benchmark::State& state)
{
    requestToPaint(state, {clickOn(firstCategory), clickOn(childCategory)}, clickOn(firstBook), clickOn(secondBook),
        detailPane);
}
BENCHMARK(BM_ClickBookToPaintedDetail)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

// A search typed in the box, from Enter until the books found are painted in
// the list: two texts in turn, one that the sample's titles hold, one that
// the synthetic catalogs' hold (each finds nothing in the other).
void BM_SearchToPaintedList(benchmark::State& state)
{
    requestToPaint(state, {}, searchFor("Java"), searchFor("12"), listPane);
}
BENCHMARK(BM_SearchToPaintedList)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

// The catalog left alone after its start, the pointer outside its window:
// the share of one core that its process and the web engine's processes use
// over ten seconds, and their memory (proportional set size) at the end. The
// ten seconds begin five seconds after the window stopped changing, when the
// web engine's own work after loading (collecting garbage, caching compiled
// scripts) is done.
void BM_IdleAfterStart(benchmark::State& state)
{
    const double loadBefore = loadAverage();
    for (auto _ : state) {
        std::vector<double> shares, pss;
        for (int i = 0; i < idleRuns; ++i) {
            SettledCatalog catalogWindow;
            if (const std::string why = catalogWindow.start(); !why.empty())
                return state.SkipWithError(why.c_str());
            sleepMs(5000);
            const pid_t pid = catalogWindow.session->run.pid();
            const double cpuBefore = processTreeCpuSeconds(pid);
            const auto start = std::chrono::steady_clock::now();
            sleepMs(10000);
            const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            shares.push_back((processTreeCpuSeconds(pid) - cpuBefore) / seconds);
            pss.push_back(processTreeMemory(pid).pssKb / 1024.0);
        }
        state.counters["cpu_share_of_one_core"] = median(shares);
        state.counters["pss_MB"] = median(pss);
    }
    state.counters["load_before"] = loadBefore;
    state.counters["load_after"] = loadAverage();
}
BENCHMARK(BM_IdleAfterStart)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    std::vector<char*> arguments;
    for (int i = 0; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.starts_with("--disc="))
            catalog.folder = argument.substr(7) + "/product";
        else
            arguments.push_back(argv[i]);
    }
    int count = int(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
