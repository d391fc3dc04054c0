// The catalog window on a 100,000-book / 5,000-category catalog: from a title
// change or an Enter in the search box to the list pane's new body, beside the
// bare query the window runs for it; the tree page of all 5,000 categories
// written, and written and drawn by the real browser pane.
#include "SyntheticCatalog.h"
#include "bench/support/QtBenchmarks.h"
#include "catalog/FrmMain.h"
#include "platform/fake/FakePlatform.h"
#include "platform/qt/LinkedWebControls.h"
#include "platform/qt/QtBrowser.h"
#include "platform/qt/QtFlashPlayer.h"
#include "platform/qt/QtPlatform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QWebEngineView>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <filesystem>
#include <optional>

using namespace platform;
using namespace platform::fake;
using catalog::FrmMain;

namespace {

constexpr std::int32_t bookCount = 100000;
constexpr std::int32_t categoryCount = 5000;
// The synthetic catalog spreads its books thinly; this category is given
// a thousand of them.
constexpr std::int32_t bigCategory = 4321;
constexpr std::int32_t booksInBigCategory = 1000;
constexpr int enterKey = 13;
// The Jet helper the build made, where the disc's catalog has it.
const std::string jetHelper = BOOKDISC_BINARY_DIR "/disc/product/jetcopy";

void execute(sqlite3* db, const char* sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        std::string message = error ? error : "?";
        sqlite3_free(error);
        throw std::runtime_error(message);
    }
}

// A program folder whose catalog is the synthetic one.
const std::filesystem::path& programFolder()
{
    static const std::filesystem::path folder = [] {
        auto dir = std::filesystem::temp_directory_path() / "bench-catalog-window";
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir / "DataBase");
        const std::string file = (dir / "DataBase" / "tavro.mdb").string();
        tools::WriteSyntheticCatalog(file, BOOKDISC_SOURCE_DIR "/disc/catalog/schema.sql", {bookCount, categoryCount});
        sqlite3* db = nullptr;
        sqlite3_open(file.c_str(), &db);
        const std::string move = "UPDATE WebBook SET BookType = " + std::to_string(bigCategory) +
                                 " WHERE ID IN (SELECT ID FROM WebBook WHERE Isdeleted = 0 AND ID % 97 = 0 LIMIT " +
                                 std::to_string(booksInBigCategory) + ")";
        execute(db, move.c_str());
        sqlite3_close(db);
        return dir;
    }();
    return folder;
}

// A connection to the synthetic catalog.
catalog::Connection openCatalog()
{
    return catalog::OpenDatabaseFile((programFolder() / "DataBase" / "tavro.mdb").string(), jetHelper);
}

// The window on fakes: its pages are written into fake panes, so what is
// timed is the query and the page text up to the hand-over to the pane.
struct FakeWindow {
    FakePlatform fp;
    startup::MediaFolders folders;
    Platform platform;
    std::unique_ptr<FrmMain> window;

    FakeWindow() : platform(fp.platform())
    {
        fp.app.folder = programFolder().string();
        folders = startup::composeMediaFolders(fp.app.folder);
        fp.app.files = {folders.PicPath + "/button.swf", folders.PicPath + "/tavro.swf"};
        window = std::make_unique<FrmMain>(platform, folders);
        window->Init();
    }
    FakeBrowser& list() { return dynamic_cast<FakeBrowser&>(*window->WebBrowser2); }
    FakeBrowser& tree() { return dynamic_cast<FakeBrowser&>(*window->WebBrowser1); }
    FakeEditBox& searchBox() { return dynamic_cast<FakeEditBox&>(*window->txt_BookName); }
};

FakeWindow& fakeWindow()
{
    static FakeWindow window;
    return window;
}

std::size_t rowsIn(const std::string& body)
{
    std::size_t rows = 0;
    for (std::size_t at = body.find("<tr"); at != std::string::npos; at = body.find("<tr", at + 3))
        ++rows;
    return rows;
}

void reportList(benchmark::State& state, const std::string& body)
{
    state.counters["rows"] = double(rowsIn(body));
    state.counters["body_bytes"] = double(body.size());
}

void BM_CategoryTitleToListBody(benchmark::State& state)
{
    FakeWindow& w = fakeWindow();
    if (!w.window->PagesReady)
        return state.SkipWithError("the window did not get ready");
    const std::string title = "Node" + std::to_string(bigCategory);
    for (auto _ : state) {
        w.list().bodyHtml.clear();
        w.tree().raiseTitleChange(title);
        benchmark::DoNotOptimize(w.list().bodyHtml.data());
    }
    reportList(state, w.list().bodyHtml);
}
BENCHMARK(BM_CategoryTitleToListBody)->Unit(benchmark::kMillisecond);

// Its peer: the same query through the database layer, reading the two fields
// the list needs and nothing else.
void readIdsAndNames(benchmark::State& state, const std::string& query)
{
    catalog::Connection connection = openCatalog();
    std::size_t rows = 0;
    for (auto _ : state) {
        rows = 0;
        auto records = catalog::GetRecordset(connection, query, 0);
        for (; !records.atEnd(); records.moveNext(), ++rows) {
            benchmark::DoNotOptimize(records.field("ID"));
            benchmark::DoNotOptimize(records.field("Name"));
        }
    }
    state.counters["rows"] = double(rows);
}

void BM_CategoryQueryAlone(benchmark::State& state)
{
    readIdsAndNames(state, catalog::BooksOfTypeQuery(bigCategory));
}
BENCHMARK(BM_CategoryQueryAlone)->Unit(benchmark::kMillisecond);

// Every book's name is matched; "历史" is in one name of sixteen, "历史教程5"
// in a few dozen.
const char* const searchTerms[] = {"历史", "历史教程5"};

void BM_SearchEnterToListBody(benchmark::State& state)
{
    FakeWindow& w = fakeWindow();
    if (!w.window->PagesReady)
        return state.SkipWithError("the window did not get ready");
    w.searchBox().setText(std::string(" ") + searchTerms[state.range(0)] + " ");
    for (auto _ : state) {
        w.list().bodyHtml.clear();
        w.searchBox().pressKey(enterKey);
        benchmark::DoNotOptimize(w.list().bodyHtml.data());
    }
    reportList(state, w.list().bodyHtml);
}
BENCHMARK(BM_SearchEnterToListBody)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_SearchQueryAlone(benchmark::State& state)
{
    readIdsAndNames(state, catalog::SearchBooksQuery(searchTerms[state.range(0)]));
}
BENCHMARK(BM_SearchQueryAlone)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

std::size_t pageBytes(const FakeBrowser& pane)
{
    std::size_t bytes = 0;
    for (const auto& line : pane.lines)
        bytes += line.size() + 2;
    return bytes;
}

// The tree page's lines for every category, into a fake pane.
void BM_WriteTreePage(benchmark::State& state)
{
    catalog::Connection connection = openCatalog();
    FakeBrowser pane;
    for (auto _ : state)
        catalog::TreePage(pane, connection, programFolder().string()).WriteTreePage();
    state.counters["lines"] = double(pane.lines.size());
    state.counters["page_bytes"] = double(pageBytes(pane));
}
BENCHMARK(BM_WriteTreePage)->Unit(benchmark::kMillisecond);

std::optional<QVariant> evaluate(QWebEnginePage& page, const QString& script)
{
    std::optional<QVariant> result;
    page.runJavaScript(script, [&](const QVariant& v) { result = v; });
    QElapsedTimer clock;
    clock.start();
    while (!result && clock.elapsed() < 30000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(200);
    }
    return result;
}

int drawnLabels(QWebEnginePage& page)
{
    auto count = evaluate(page, "document.querySelectorAll('.TreeLabel').length");
    return count ? count->toInt() : -1;
}

// The same page written into the real pane, until the page library has
// drawn a label for every category. The pane reads the disc's script and
// pictures from the sample disc.
void BM_TreePageShown(benchmark::State& state)
{
    catalog::Connection connection = openCatalog();
    QWidget window;
    window.setFixedSize(800, 600);
    qt::QtBrowser pane(&window);
    pane.setGeometry(20, 150, 210, 320);
    window.show();
    QWebEnginePage& page = *pane.view()->page();
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        catalog::TreePage(pane, connection, BOOKDISC_BINARY_DIR "/disc/product").WriteTreePage();
        // Until the pane has handed the whole page over, a count could come
        // from the page it is replacing.
        int labels = -1;
        while ((!pane.idle() || (labels = drawnLabels(page)) != categoryCount) && clock.elapsed() < 60000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        if (labels != categoryCount)
            return state.SkipWithError("the tree was not drawn within a minute");
    }
    state.counters["labels"] = double(drawnLabels(page));
}
BENCHMARK(BM_TreePageShown)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

// The catalog on the sample disc with the real platform, from Init until the
// tree shows its categories and the list page can take a click. Run alone
// (--benchmark_filter=WindowReady), it includes the web engine's own start,
// as when the program starts.
void BM_CatalogWindowReady(benchmark::State& state)
{
    qt::QtPlatform qtPlatform(qt::linkedWebControls(), BOOKDISC_BINARY_DIR "/disc/product");
    // The player engine beside the catalog on the disc, not beside this program.
    qt::QtFlashPlayer::setEngineFolder(QStringLiteral(BOOKDISC_BINARY_DIR "/disc/ruffle"));
    Platform platform = qtPlatform.platform();
    const startup::MediaFolders folders = startup::composeMediaFolders(qtPlatform.app.programFolder());
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        FrmMain window(platform, folders);
        window.Init();
        auto& tree = *dynamic_cast<qt::QtBrowser&>(*window.WebBrowser1).view()->page();
        auto& list = *dynamic_cast<qt::QtBrowser&>(*window.WebBrowser2).view()->page();
        auto ready = [&](QWebEnginePage& page, const char* script) {
            auto value = evaluate(page, script);
            return value && value->toBool();
        };
        while (!(ready(tree, "document.querySelectorAll('.TreeLabel').length > 0") &&
                 ready(list, "typeof ChangeBook === 'function'")) &&
               clock.elapsed() < 60000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        if (clock.elapsed() >= 60000)
            return state.SkipWithError("the window was not ready within a minute");
    }
}
BENCHMARK(BM_CatalogWindowReady)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) { return bench::runQtBenchmarks(argc, argv); }
