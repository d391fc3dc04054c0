// The database layer against the same SQL walked through the raw SQLite C
// API, on a 100,000-book / 5,000-category catalog generated at start-up; the
// nested category walk; opening Jet files (the sample catalog written as Jet 4,
// and the small Jet 3 and Jet 4 fixtures) through the helper process, beside
// the same read in this process.
#include "CatalogFile.h"
#include "JetCatalog.h"
#include "SyntheticCatalog.h"
#include "catalog/ConnectionImpl.h"
#include "catalog/Database.h"
#include "catalog/JetImport.h"
#include "catalog/Sqlite.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <sys/resource.h>

using namespace catalog;

namespace {

constexpr std::int32_t bookCount = 100000;
constexpr std::int32_t categoryCount = 5000;
// The Jet helper the build made.
const std::string jetHelper = BOOKDISC_JETCOPY;

const std::string& bigCatalog()
{
    static const std::string path = [] {
        std::string file = (std::filesystem::temp_directory_path() / "bench-catalog-100000-5000.db").string();
        tools::WriteSyntheticCatalog(file, BOOKDISC_SOURCE_DIR "/disc/catalog/schema.sql", {bookCount, categoryCount});
        return file;
    }();
    return path;
}

struct QueryCase {
    std::string query;
    std::vector<std::string> fields;
};

const std::vector<std::string> listFields = {"ID", "Name"};
const std::vector<std::string> detailFields = {"Code", "Name", "Writer", "ISBN", "Price", "BookBrief"};

QueryCase queryCase(int index)
{
    switch (index) {
    case 0:
        return {TypeNodesQuery(77), listFields};
    case 1:
        return {BooksOfTypeQuery(1234), listFields};
    case 2:
        return {SearchBooksQuery("历史"), listFields};
    case 3:
        return {RecommendedBooksQuery(), listFields};
    default:
        return {BookDetailQuery(54321), detailFields};
    }
}

const char* queryLabel(int index)
{
    static const char* labels[] = {"TypeNodes", "BooksOfType", "SearchBooks", "RecommendedBooks", "BookDetail"};
    return labels[index];
}

void walkThroughLayer(Connection& connection, const QueryCase& c, std::size_t& rows)
{
    for (Recordset set = GetRecordset(connection, c.query, 0); !set.atEnd(); set.moveNext()) {
        for (const auto& field : c.fields)
            benchmark::DoNotOptimize(set.field(field));
        ++rows;
    }
}

int columnNamed(sqlite3_stmt* statement, const std::string& name)
{
    for (int i = 0; i < sqlite3_column_count(statement); ++i) {
        if (sqlite3_stricmp(sqlite3_column_name(statement, i), name.c_str()) == 0)
            return i;
    }
    return -1;
}

void walkThroughRawApi(sqlite3* db, const QueryCase& c, std::size_t& rows)
{
    SqliteStatement statement = PrepareSql(db, c.query);
    std::vector<int> columns;
    for (const auto& field : c.fields)
        columns.push_back(columnNamed(statement.get(), field));
    while (sqlite3_step(statement.get()) == SQLITE_ROW) {
        for (int column : columns) {
            benchmark::DoNotOptimize(sqlite3_column_text(statement.get(), column));
            benchmark::DoNotOptimize(sqlite3_column_bytes(statement.get(), column));
        }
        ++rows;
    }
}

// Arguments: 0 for our layer or 1 for the raw API, then the query (0 to 4);
// the two runs of one query follow each other so they meet the same load.
void BM_Query(benchmark::State& state)
{
    Connection connection = OpenDatabaseFile(bigCatalog(), jetHelper);
    bool raw = state.range(0) == 1;
    int query = static_cast<int>(state.range(1));
    QueryCase c = queryCase(query);
    std::size_t rows = 0;
    for (auto _ : state) {
        if (raw)
            walkThroughRawApi(connection.impl().db(), c, rows);
        else
            walkThroughLayer(connection, c, rows);
    }
    state.SetLabel(std::string(queryLabel(query)) + (raw ? " raw SQLite" : " GetRecordset"));
    state.counters["rows"] = benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kAvgIterations);
}

// The tree page's walk: one query per category, one open recordset per level.
void walkCategories(Connection& connection, std::int32_t parent, std::size_t& visited)
{
    for (Recordset rows = GetRecordset(connection, TypeNodesQuery(parent), 0); !rows.atEnd(); rows.moveNext()) {
        std::string id = rows.field("ID");
        benchmark::DoNotOptimize(rows.field("Name"));
        ++visited;
        walkCategories(connection, std::stoi(id), visited);
    }
}

void BM_Layer_CategoryWalk(benchmark::State& state)
{
    Connection connection = OpenDatabaseFile(bigCatalog(), jetHelper);
    std::size_t visited = 0;
    for (auto _ : state)
        walkCategories(connection, 0, visited);
    state.counters["categories"] = benchmark::Counter(static_cast<double>(visited), benchmark::Counter::kAvgIterations);
}

void BM_Layer_OpenSqliteCatalog(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(OpenDatabaseFile(bigCatalog(), jetHelper));
}

// The sample disc's catalog written as a Jet 4 file.
std::string jetSampleCatalog()
{
    auto folder = std::filesystem::temp_directory_path();
    std::string sqlite = (folder / "bench-sample-catalog.db").string();
    std::string jet = (folder / "bench-sample-catalog.mdb").string();
    tools::BuildCatalogFromSql(sqlite, {BOOKDISC_SOURCE_DIR "/disc/catalog/schema.sql",
                                        BOOKDISC_SOURCE_DIR "/disc/catalog/books.sql"});
    tools::WriteJetCatalog(sqlite, jet);
    return jet;
}

std::string jetFixture(const std::string& file) { return BOOKDISC_FIXTURES_DIR "/jet/" + file; }

double childProcessorSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

bool labelJetFile(benchmark::State& state, const std::string& path, const char* how)
{
    if (!std::filesystem::exists(path)) {
        state.SkipWithError(("no such file: " + path).c_str());
        return false;
    }
    state.SetLabel(std::filesystem::path(path).filename().string() + ", " +
                   std::to_string(std::filesystem::file_size(path) / 1024) + " KiB, " + how);
    return true;
}

// Opening a Jet file as the catalog does: libmdb runs in the helper process
// jetcopy, which hands back a serialized copy. This process only waits, so
// its processor time says little: the helper's own is the counter
// child_cpu, and wall time is the figure a user waits for.
void BM_Layer_OpenJetFile(benchmark::State& state, const std::string& path)
{
    if (!labelJetFile(state, path, "helper process"))
        return;
    const double childBefore = childProcessorSeconds();
    for (auto _ : state)
        benchmark::DoNotOptimize(OpenDatabaseFile(path, jetHelper));
    state.counters["child_cpu"] =
        benchmark::Counter(childProcessorSeconds() - childBefore, benchmark::Counter::kAvgIterations);
}

// The same read done in this process, as it was before the helper: the
// peer that says what the isolation costs.
void BM_InProcess_ImportJetFile(benchmark::State& state, const std::string& path)
{
    if (!labelJetFile(state, path, "in process"))
        return;
    for (auto _ : state)
        benchmark::DoNotOptimize(ImportJetFile(path));
}

} // namespace

BENCHMARK(BM_Query)->ArgsProduct({{0, 1}, {0, 1, 2, 3, 4}})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Layer_CategoryWalk)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Layer_OpenSqliteCatalog)->Unit(benchmark::kMicrosecond);
// Each Jet file in this process, then through the helper, one after the other.
BENCHMARK_CAPTURE(BM_InProcess_ImportJetFile, sampleCatalog, jetSampleCatalog())->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Layer_OpenJetFile, sampleCatalog, jetSampleCatalog())->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_InProcess_ImportJetFile, jet3Fixture, jetFixture("jet3-types.mdb"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Layer_OpenJetFile, jet3Fixture, jetFixture("jet3-types.mdb"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_InProcess_ImportJetFile, jet4Fixture, jetFixture("jet4-types.mdb"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Layer_OpenJetFile, jet4Fixture, jetFixture("jet4-types.mdb"))->Unit(benchmark::kMicrosecond);
