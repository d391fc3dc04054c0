// The sample disc from its image, extracted read-only as a mounted disc gives
// it: the time from starting its autorun script to the first intro frame,
// beside the same disc on this machine's libraries instead of its own
// runtime and beside a bare Qt window playing the same movie; the time from
// the menu's "product" to the catalog's category tree drawn, beside the same
// disc on this machine's libraries and a bare web window showing the same
// category names; each program's peak memory; what the programs read from
// the disc until those moments, and what that takes on a CD drive; the size
// of the image and of its parts. Each side runs as fresh processes,
// interleaved with its peers.
#include "bench/support/DiscDevice.h"
#include "bench/support/ProcessMemory.h"
#include "platform/ChildProcess.h"
#include "support/ProgramTrace.h"
#include "support/Programs.h"
#include "support/RunningProcesses.h"
#include "support/VirtualScreen.h"
#include "tests/disc/ExtractedImage.h"
#include "tests/disc/FolderListing.h"

#include <QElapsedTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <csignal>
#include <fstream>
#include <functional>
#include <map>
#include <sqlite3.h>
#include <thread>

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testsupport::ProgramTrace;

namespace {

const std::string bareAviWindow = BOOKDISC_BINARY_DIR "/bench/bare_avi_window";
const std::string barePageWindow = BOOKDISC_BINARY_DIR "/bench/bare_page_window";
constexpr int kIntroRuns = 5;
constexpr int kCatalogRuns = 3;
constexpr auto kWait = 60s;

const disctest::ExtractedImage& image()
{
    static const disctest::ExtractedImage extracted("disc-bench");
    return extracted;
}

// The same disc without its runtime (and qt.conf): its programs then load
// this machine's libraries, as they did before the disc carried its own.
const fs::path& onMachineLibraries()
{
    static const fs::path copy = [] {
        const fs::path folder = image().work() / "machine-libraries";
        if (!fs::exists(folder)) {
            fs::copy(image().content(), folder, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
            disctest::makeWritable(folder);
            fs::remove_all(folder / "runtime");
            fs::remove(folder / "qt.conf");
            fs::remove(folder / "product/qt.conf");
            disctest::makeReadOnly(folder);
        }
        return folder;
    }();
    return copy;
}

// The same disc without its read-ahead list: the start program reads only
// what loading its menu asks for, when it asks.
const fs::path& withoutReadAhead()
{
    static const fs::path copy = [] {
        const fs::path folder = image().work() / "without-read-ahead";
        if (!fs::exists(folder)) {
            fs::copy(image().content(), folder, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
            disctest::makeWritable(folder);
            fs::remove(folder / "runtime/read-ahead.txt");
            disctest::makeReadOnly(folder);
        }
        return folder;
    }();
    return copy;
}

std::string onDisc(const std::string& relative) { return (image().content() / relative).string(); }

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Each program runs once per user: another run's would make ours end at once.
void waitForOtherRunsToEnd()
{
    if (!testsupport::waitUntilNoneRunning({"play", "product"}, 2 * kWait))
        throw std::runtime_error("another start program or catalog keeps running on this machine");
}

// Milliseconds from starting a program to its line `shown` on its error output.
double msToLine(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                const std::string& shown)
{
    QElapsedTimer clock;
    clock.start();
    platform::ChildProcess child({.argv = argv,
                                  .environment = environment,
                                  .output = platform::Sink::Discarded,
                                  .errorOutput = platform::Sink::Pipe});
    if (!child.waitForLine(shown, kWait))
        throw std::runtime_error(argv[0] + " never wrote " + shown);
    return double(clock.nsecsElapsed()) / 1e6;
}

// Runs both sides `runs` times, alternating which goes first; false, with
// the benchmark marked failed, when a side fails.
bool interleaved(benchmark::State& state, int runs, const std::function<void(int)>& program,
                 const std::function<void()>& peer)
{
    try {
        for (int run = 0; run < runs; ++run) {
            if (run % 2 == 0)
                program(run), peer();
            else
                peer(), program(run);
        }
        return true;
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
        return false;
    }
}

// The program's median as the benchmark's time, beside its peer's.
void reportPair(benchmark::State& state, const std::string& program, const std::vector<double>& programMs,
                const std::string& peer, const std::vector<double>& peerMs)
{
    state.SetIterationTime(median(programMs) / 1000);
    state.counters[program + "_median_ms"] = median(programMs);
    state.counters[peer + "_median_ms"] = median(peerMs);
    state.counters["ratio"] = median(programMs) / median(peerMs);
}

void BM_AutorunToFirstIntroFrame(benchmark::State& state)
{
    const std::vector<std::string> environment = {"QT_QPA_PLATFORM=offscreen", "BOOKDISC_SCREEN=1024x768",
                                                  "QT_LOGGING_RULES=bookdisc.video.info=true"};
    const std::string onMachine = (onMachineLibraries() / "autorun.sh").string();
    for (auto _ : state) {
        std::vector<double> disc, machine, bare;
        const bool measured = interleaved(
            state, kIntroRuns,
            [&](int) {
                waitForOtherRunsToEnd();
                disc.push_back(msToLine({onDisc("autorun.sh")}, environment, "first frame shown"));
                waitForOtherRunsToEnd();
                machine.push_back(msToLine({onMachine}, environment, "first frame shown"));
            },
            [&] { bare.push_back(msToLine({bareAviWindow, onDisc("avi/start.avi")}, environment, "first frame shown")); });
        if (!measured)
            break;
        reportPair(state, "autorun", disc, "bare_qt_window", bare);
        state.counters["machine_libraries_median_ms"] = median(machine);
        state.counters["runtime_vs_machine"] = median(disc) / median(machine);
    }
}
BENCHMARK(BM_AutorunToFirstIntroFrame)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

// The peak resident size of a process (VmHWM), in megabytes.
double peakMegabytes(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024;
    return 0;
}

// The seconds a trace line carries at its end (" @<seconds since boot>"),
// the same clock in every process.
double stampOf(const std::string& line) { return std::stod(line.substr(line.rfind(" @") + 2)); }

// The catalog's category names as a plain page, for the bare web window.
fs::path categoryPage(const fs::path& folder)
{
    sqlite3* db = nullptr;
    const std::string uri = "file:" + onDisc("product/DataBase/tavro.mdb") + "?immutable=1";
    std::string page = "<html><head><meta charset='utf-8'></head><body>";
    if (sqlite3_open_v2(uri.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr) == SQLITE_OK) {
        sqlite3_stmt* names = nullptr;
        sqlite3_prepare_v2(db, "SELECT Name FROM BookType", -1, &names, nullptr);
        while (names && sqlite3_step(names) == SQLITE_ROW)
            page += std::string("<div>") + reinterpret_cast<const char*>(sqlite3_column_text(names, 0)) + "</div>";
        sqlite3_finalize(names);
    }
    sqlite3_close(db);
    const fs::path file = folder / "categories.html";
    std::ofstream(file) << page << "</body></html>";
    return file;
}

struct CatalogRun {
    double msToTree = 0;
    double playPeakMB = 0;
    double productPeakMB = 0;
    double productTreePssMB = 0;
};

// The moments of a run from the disc's start to the catalog's tree.
enum class Moment { FirstIntroFrame, MenuShown, ProductChosen, TreeDrawn };

// The disc at `root` started on a private screen, its intros clicked away,
// the menu's "product" clicked; timed by the programs' own trace stamps.
// `at` is told each moment, with its stamp, as the trace shows it.
CatalogRun runCatalogFromMenu(const testsupport::VirtualScreen& screen, int run, const fs::path& root,
                              const std::function<void(Moment, double)>& at = {}, bool clickIntrosAway = true)
{
    auto reached = [&](Moment moment, const std::string& line) {
        if (at)
            at(moment, stampOf(line));
    };
    waitForOtherRunsToEnd();
    const std::string traceFile = (image().work() / ("trace-" + std::to_string(run) + ".log")).string();
    ProgramTrace trace(traceFile);
    platform::ChildProcess play(testsupport::inOwnGroup(
        {"env", "DISPLAY=" + screen.display(), "QT_QPA_PLATFORM=xcb", "QTWEBENGINE_DISABLE_SANDBOX=1",
         std::string("QT_LOGGING_RULES=") + ProgramTrace::kRules,
         "QT_MESSAGE_PATTERN=%{category}: %{message} @%{time boot}", (root / "autorun.sh").string()},
        image().work().string(), traceFile));
    for (const auto& size : {"352x288", "320x256"}) {
        const auto intro = trace.waitFor("bookdisc.trace: window shown", kWait,
                                         [&](const std::string& l) { return l.find(size) != std::string::npos; });
        if (!intro)
            throw std::runtime_error("no intro window\n" + trace.lines());
        int x = 0, y = 0;
        std::sscanf(intro->c_str(), "%d,%d", &x, &y);
        const auto frame = trace.waitFor("bookdisc.video: first frame shown", kWait);
        if (frame && std::string(size) == "352x288")
            reached(Moment::FirstIntroFrame, *frame);
        if (clickIntrosAway)
            screen.click(x + 100, y + 100);
    }
    const auto menu = trace.waitFor("bookdisc.trace: window shown", kWait,
                                    [](const std::string& l) { return l.find("700x400") != std::string::npos; });
    if (!menu)
        throw std::runtime_error("no menu\n" + trace.lines());
    reached(Moment::MenuShown, *menu);
    int x = 0, y = 0;
    std::sscanf(menu->c_str(), "%d,%d", &x, &y);
    std::optional<std::string> command;
    for (auto until = std::chrono::steady_clock::now() + kWait; !command && std::chrono::steady_clock::now() < until;) {
        screen.click(x + 550, y + 78);
        command = trace.waitFor("bookdisc.trace: flash media.swf command product", 2s);
    }
    if (command)
        reached(Moment::ProductChosen, *command);
    const auto tree = command ? trace.waitFor("bookdisc.trace: pane 62,153 205x317 shows", kWait,
                                              [](const std::string& l) { return l.rfind("@", 0) != 0; })
                              : std::nullopt;
    if (!tree)
        throw std::runtime_error("the catalog's tree was not drawn\n" + trace.lines());
    reached(Moment::TreeDrawn, *tree);
    CatalogRun measured;
    measured.msToTree = (stampOf(*tree) - stampOf(*command)) * 1000;
    // Its pages and pictures settle before the memory is read.
    std::this_thread::sleep_for(3s);
    const auto catalogs = testsupport::processesRunning((root / "product/product").string());
    for (pid_t product : catalogs) {
        measured.productPeakMB = peakMegabytes(product);
        measured.productTreePssMB = bench::processTreeMemory(product).pssKb / 1024.0;
        kill(product, SIGTERM);
    }
    measured.playPeakMB = peakMegabytes(play.pid());
    return measured;
}

void BM_MenuProductToCatalogTree(benchmark::State& state)
{
    const testsupport::VirtualScreen screen(1024, 768, (image().work() / "xvfb.log").string());
    const fs::path page = categoryPage(image().work());
    const std::vector<std::string> bareEnvironment = {"DISPLAY=" + screen.display(), "QT_QPA_PLATFORM=xcb",
                                                      "QTWEBENGINE_DISABLE_SANDBOX=1"};
    for (auto _ : state) {
        std::vector<double> disc, machine, bare, playPeak, productPeak, productPss;
        const bool measured = interleaved(
            state, kCatalogRuns,
            [&](int run) {
                const CatalogRun one = runCatalogFromMenu(screen, run, image().content());
                disc.push_back(one.msToTree);
                playPeak.push_back(one.playPeakMB);
                productPeak.push_back(one.productPeakMB);
                productPss.push_back(one.productTreePssMB);
                machine.push_back(runCatalogFromMenu(screen, 100 + run, onMachineLibraries()).msToTree);
            },
            [&] { bare.push_back(msToLine({barePageWindow, page.string()}, bareEnvironment, "page shown")); });
        if (!measured)
            break;
        reportPair(state, "product_to_tree", disc, "bare_page_window", bare);
        state.counters["machine_libraries_median_ms"] = median(machine);
        state.counters["runtime_vs_machine"] = median(disc) / median(machine);
        state.counters["play_peak_MB"] = median(playPeak);
        state.counters["product_peak_MB"] = median(productPeak);
        state.counters["product_tree_pss_MB"] = median(productPss);
    }
}
BENCHMARK(BM_MenuProductToCatalogTree)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

// What the programs read from the disc, the disc as a device of its own
// (DiscDevice), the intros playing to their ends: up to the first intro
// frame, up to the menu, and from the menu's "product" to the catalog's
// tree; in megabytes, seeks, and seconds on a 24-speed CD drive, for the
// bytes alone and with 100 ms a seek. Argument 0: the disc as it is; 1: the
// disc without its read-ahead list.
void BM_ReadsFromTheDisc(benchmark::State& state)
{
    const bool readAhead = state.range(0) == 0;
    const fs::path& content = readAhead ? image().content() : withoutReadAhead();
    const fs::path work = image().work() / (readAhead ? "device" : "device-without-read-ahead");
    fs::create_directories(work);
    const testsupport::VirtualScreen screen(1024, 768, (image().work() / "xvfb-reads.log").string());
    for (auto _ : state) {
        std::map<Moment, bench::DeviceReads> reads;
        try {
            waitForOtherRunsToEnd();
            const bench::DiscDevice disc(content, work);
            runCatalogFromMenu(
                screen, 200 + int(state.range(0)), disc.root(),
                [&](Moment moment, double stamp) {
                    reads[moment] = disc.readsUntil(stamp).value_or(disc.readsSoFar());
                },
                false);
        } catch (const std::exception& e) {
            state.SkipWithError(e.what());
            break;
        }
        const auto report = [&](const std::string& name, bench::DeviceReads stretch, const bench::DeviceReads& from) {
            stretch.bytes -= from.bytes;
            stretch.requests -= from.requests;
            stretch.seeks = stretch.seeks < 0 ? -1 : stretch.seeks - std::max(from.seeks, 0ll);
            state.counters[name + "_MB"] = double(stretch.bytes) / 1e6;
            state.counters[name + "_seeks"] = double(stretch.seeks);
            state.counters[name + "_cd_s"] = bench::secondsOnCd(stretch, 0);
            state.counters[name + "_cd_seeking_s"] = bench::secondsOnCd(stretch, 100);
        };
        report("first_intro_frame", reads[Moment::FirstIntroFrame], {});
        report("menu", reads[Moment::MenuShown], {});
        report("product_to_tree", reads[Moment::TreeDrawn], reads[Moment::ProductChosen]);
    }
}
BENCHMARK(BM_ReadsFromTheDisc)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

// The image's size, and the content's by part, in megabytes.
void BM_ImageSize(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(fs::file_size(image().image()));
    state.counters["image_MB"] = double(fs::file_size(image().image())) / 1e6;
    const auto partOf = [](const fs::path& relative) {
        const std::string path = relative.generic_string();
        for (const char* part : {"runtime/lib/libQt6WebEngineCore", "runtime/lib/libicu", "runtime/lib/libQt6",
                                 "runtime/lib/libav", "runtime/lib", "runtime", "ruffle", "product/BookImgs"})
            if (path.rfind(part, 0) == 0)
                return std::string(part);
        if (relative.extension() == ".ttf" || relative.extension() == ".TTF")
            return std::string("fonts");
        const std::string first = relative.begin()->string();
        return first == relative.string() || first == "product" ? std::string("programs and small files") : first;
    };
    std::map<std::string, double> parts;
    for (const auto& entry : fs::recursive_directory_iterator(image().content()))
        if (entry.is_regular_file() && !entry.is_symlink())
            parts[partOf(entry.path().lexically_relative(image().content()))] += double(entry.file_size()) / 1e6;
    for (const auto& [part, megabytes] : parts)
        state.counters[part + "_MB"] = megabytes;
}
BENCHMARK(BM_ImageSize)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
