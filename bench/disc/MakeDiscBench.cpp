// make-disc on a publisher's catalog of 10,000 books with a cover each: a
// synthetic catalog (tools/catalog/synthetic_catalog) given as a books file
// with category paths and as a database, and covers drawn by the cover tool
// at four times the disc's size, as scans come. Each run is a fresh process:
// its wall time, processor time and peak resident size (the largest of the
// program and the helpers it waited for). Beside it, in the same run, the
// two parts of its work done by stock tools on the same input: ImageMagick
// fitting the same covers on all cores, and the image script alone writing
// the image of the folder make-disc wrote.
#include "bench/support/ProcessMemory.h"
#include "platform/ChildProcess.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using bench::loadAverage;

namespace {

constexpr int kBooks = 10000;
constexpr int kCategories = 272; // 16 at the top, 16 under each
constexpr int kCoverScale = 4;
const fs::path kBuild = BOOKDISC_BINARY_DIR;
const fs::path kData = kBuild / "bench-data" / "make-disc-10000";
const fs::path kWork = kBuild / "bench-data" / "make-disc-work";

struct Outcome {
    double wallSeconds = 0;
    double cpuSeconds = 0;
    double peakMb = 0;
};

// Runs the program to its end, its output into `log`; throws when it fails.
Outcome run(const std::vector<std::string>& argv, const fs::path& log)
{
    platform::ChildProcess child(
        {.argv = argv, .output = platform::Sink::File, .errorOutput = platform::Sink::Output, .file = log});
    const int status = child.waitForExit(std::chrono::hours(1)).value_or(-1);
    const rusage& usage = child.usage();
    Outcome outcome;
    outcome.wallSeconds = std::chrono::duration<double>(platform::Clock::now() - child.startedAt()).count();
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    outcome.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    outcome.peakMb = double(usage.ru_maxrss) / 1024;
    if (status != 0)
        throw std::runtime_error(argv[0] + " failed; see " + log.string());
    return outcome;
}


// The books of the synthetic catalog as a books file: a header row, the
// category as its path of names, every book (a publisher's list marks none deleted).
void writeBooksFile(const fs::path& database, const fs::path& books)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(database.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    std::map<int, std::pair<std::string, int>> categories; // ID -> name, parent
    sqlite3_stmt* rows = nullptr;
    sqlite3_prepare_v2(db, "SELECT ID, Name, ParentID FROM BookType", -1, &rows, nullptr);
    while (sqlite3_step(rows) == SQLITE_ROW)
        categories[sqlite3_column_int(rows, 0)] = {reinterpret_cast<const char*>(sqlite3_column_text(rows, 1)),
                                                   sqlite3_column_int(rows, 2)};
    sqlite3_finalize(rows);
    const auto path = [&](int id) {
        std::string text;
        for (int at = id; at != 0; at = categories.at(at).second)
            text = categories.at(at).first + (text.empty() ? "" : "/" + text);
        return text;
    };
    std::ofstream out(books, std::ios::binary);
    out << "书号,书名,作者,ISBN,定价,简介,分类,推荐\n";
    sqlite3_prepare_v2(db, "SELECT Code, Name, Writer, ISBN, Price, BookBrief, BookType, IsRecommended FROM WebBook "
                           "ORDER BY ID", -1, &rows, nullptr);
    while (sqlite3_step(rows) == SQLITE_ROW) {
        for (int column = 0; column < 6; ++column)
            out << reinterpret_cast<const char*>(sqlite3_column_text(rows, column)) << ",";
        out << path(sqlite3_column_int(rows, 6)) << "," << (sqlite3_column_int(rows, 7) ? "是" : "") << "\n";
    }
    sqlite3_finalize(rows);
    sqlite3_close(db);
}

// The catalog, its books file and its covers, made once and kept in the build tree.
void makeInput()
{
    if (fs::exists(kData / "complete") && fs::exists(kData / "books.csv"))
        return;
    fs::remove_all(kData);
    fs::create_directories(kData / "covers");
    run({(kBuild / "tools/catalog/synthetic_catalog").string(), (kData / "books.db").string(),
         BOOKDISC_SOURCE_DIR "/disc/catalog/schema.sql", std::to_string(kBooks), std::to_string(kCategories)},
        kData / "synthetic.log");
    run({"env", "QT_QPA_PLATFORM=offscreen", (kBuild / "tools/covers/make_covers").string(), "--scale",
         std::to_string(kCoverScale), (kData / "books.db").string(), (kData / "covers").string()},
        kData / "covers.log");
    writeBooksFile(kData / "books.db", kData / "books.csv");
    std::ofstream(kData / "complete") << "";
}

void report(benchmark::State& state, const Outcome& outcome, double loadBefore)
{
    state.SetIterationTime(outcome.wallSeconds);
    state.counters["wall_s"] = outcome.wallSeconds;
    state.counters["cpu_s"] = outcome.cpuSeconds;
    state.counters["peak_MB"] = outcome.peakMb;
    state.counters["load_before"] = loadBefore;
    state.counters["load_after"] = loadAverage();
}

// make-disc from the books file (argument 0: 10,000 books) or the database
// (1: the 9,730 not marked deleted) and the covers to a disc folder and its image.
void BM_MakeDisc(benchmark::State& state)
{
    const fs::path books = kData / (state.range(0) == 0 ? "books.csv" : "books.db");
    try {
        makeInput();
        fs::create_directories(kWork);
        for (auto _ : state) {
            const double load = loadAverage();
            const Outcome outcome = run({(kBuild / "publisher/make-disc").string(), "--books", books.string(), "--covers",
                                         (kData / "covers").string(), "--title", "书海图书目录", "--publisher",
                                         "书海出版社", "--out", (kWork / "made.iso").string()},
                                        kWork / "make-disc.log");
            report(state, outcome, load);
            state.counters["image_MB"] = double(fs::file_size(kWork / "made.iso")) / 1e6;
        }
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}
BENCHMARK(BM_MakeDisc)->Arg(0)->Arg(1)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

// ImageMagick fitting the same covers into the same size, as JPEG of the
// same quality, in batches on all the cores.
void BM_Peer_ImageMagickCovers(benchmark::State& state)
{
    try {
        makeInput();
        const fs::path out = kWork / "magick-covers";
        for (auto _ : state) {
            fs::remove_all(out);
            fs::create_directories(out);
            const double load = loadAverage();
            const std::string cores = std::to_string(std::max(1u, std::thread::hardware_concurrency()));
            const Outcome outcome = run({"sh", "-c", "cd '" + (kData / "covers").string() + "' && ls | xargs -P " + cores +
                                                         " -n 500 mogrify -path '" + out.string() +
                                                         "' -resize 104x144 -quality 90"},
                                        kWork / "magick.log");
            report(state, outcome, load);
        }
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}
BENCHMARK(BM_Peer_ImageMagickCovers)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

// The image script alone on the disc folder make-disc wrote.
void BM_Peer_ImageScriptAlone(benchmark::State& state)
{
    try {
        if (!fs::exists(kWork / "made"))
            throw std::runtime_error("no made disc: BM_MakeDisc runs first");
        for (auto _ : state) {
            const double load = loadAverage();
            const fs::path publisher = kBuild / "publisher";
            const Outcome outcome = run({"sh", (publisher / "disc-image.sh").string(), (publisher / "disc_layout").string(),
                                         (publisher / "layout.txt").string(), (kWork / "made").string(),
                                         (kWork / "script.iso").string()},
                                        kWork / "script.log");
            report(state, outcome, load);
        }
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}
BENCHMARK(BM_Peer_ImageScriptAlone)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

BENCHMARK_MAIN();
