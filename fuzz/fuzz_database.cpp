// Opens a database file of arbitrary content as the catalog does and, when
// it opens, writes every page from it: the tree, a list for each category,
// the search for everything, the recommended list and each book's details.
// A file is an SQLite catalog (read in place, and as the bytes the Jet
// helper would hand back), a Jet file (read by the helper program, built
// with the sanitizers: a report from it is a finding, while libmdb's own
// crashes and hangs are the helper's documented ending) or anything else.
// Only DatabaseError may come out; the file is never written; every page
// keeps its structure.
#include "catalog/ConnectionImpl.h"
#include "catalog/Database.h"
#include "catalog/DatabaseFile.h"
#include "catalog/DetailPage.h"
#include "catalog/ListPage.h"
#include "catalog/TreePage.h"
#include "platform/ChildRun.h"
#include "platform/fake/FakeControls.h"
#include "base/Conversions.h"
#include "support/CatalogPageChecks.h"
#include "support/FileBytes.h"
#include "harness/FuzzCheck.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

using fuzzsupport::check;
using fuzzsupport::fail;

namespace {

// The helper's sanitizers end it with this status, which no ending of its
// own has.
constexpr int kSanitizerStatus = 86;
// Far above what the catalogs the fuzzer makes need.
constexpr std::size_t kPagesPerFile = 40;
// The Jet helper the build made, with the sanitizers.
const std::string kJetHelper = BOOKDISC_JETCOPY;

std::string& databasePath()
{
    static std::string path;
    return path;
}

// The IDs a query's rows hold, the first ones only.
std::vector<std::int32_t> idsOf(catalog::Connection& connection, const std::string& query)
{
    std::vector<std::int32_t> ids;
    catalog::Recordset rows = catalog::GetRecordset(connection, query, 0);
    for (; !rows.atEnd() && ids.size() < kPagesPerFile; rows.moveNext())
        if (auto id = base::toInt32(rows.field("ID")))
            ids.push_back(*id);
    return ids;
}

void checkPage(void (*checker)(const std::string&), const std::string& body)
{
    try {
        checker(body);
    } catch (const testsupport::PageSyntaxError& e) {
        fail(e.what());
    }
}

// Each step may meet a table or field the file lacks: the window shows that
// failure and goes on, so each is tried on its own.
template <typename Step>
void tryStep(Step step)
{
    try {
        step();
    } catch (const catalog::DatabaseError&) {
    }
}

void writePages(catalog::Connection& connection)
{
    platform::fake::FakeBrowser tree, list, detail;
    catalog::TreePage treePage(tree, connection, "/disc/product");
    catalog::ListPage listPage(list, connection, "/disc/product");
    catalog::DetailPage detailPage(detail, connection, "/disc/product");
    tryStep([&] {
        treePage.WriteTreePage();
        testsupport::checkTreePage(tree.lines);
    });
    listPage.WriteListPage();
    detailPage.WriteDetailPage();
    tryStep([&] {
        for (std::int32_t category : idsOf(connection, "Select * From BookType")) {
            listPage.ShowBooksOfType(category);
            checkPage(testsupport::checkListBody, list.bodyHtml);
        }
    });
    tryStep([&] {
        listPage.ShowRecommendedBooks();
        checkPage(testsupport::checkListBody, list.bodyHtml);
    });
    tryStep([&] {
        listPage.SearchBooks("");
        checkPage(testsupport::checkListBody, list.bodyHtml);
        for (std::int32_t book : idsOf(connection, "Select * From WebBook")) {
            if (detailPage.ShowBookDetail(book))
                checkPage(testsupport::checkDetailBody, detail.bodyHtml);
        }
    });
}

void writePagesFrom(catalog::SqliteDatabase db)
{
    catalog::Connection connection(std::make_unique<catalog::ConnectionImpl>("fuzz", std::move(db)));
    writePages(connection);
}

void readSqlite(const std::string& bytes)
{
    try {
        catalog::Connection connection = catalog::OpenDatabaseFile(databasePath(), kJetHelper);
        writePages(connection);
    } catch (const catalog::DatabaseError&) {
    }
    try {
        writePagesFrom(catalog::DeserializeSqlite(bytes));
    } catch (const catalog::DatabaseError&) {
    }
}

// The helper as the catalog runs it, with a shorter time: a file that makes
// libmdb loop writes warnings and is stopped for them long before.
void readJet()
{
    const platform::ChildResult child = platform::RunChildProcess(
        kJetHelper, {databasePath()}, {std::chrono::seconds(5), std::size_t(512) << 20, 1 << 20});
    if (child.ending == platform::ChildResult::Ending::Exited && child.status == kSanitizerStatus)
        fail("the Jet helper's sanitizers reported:\n" + child.errorOutput);
    if (!child.succeeded())
        return;
    catalog::SqliteDatabase db;
    try {
        db = catalog::DeserializeSqlite(child.output);
    } catch (const catalog::DatabaseError& e) {
        fail(std::string("the Jet helper handed back something that is not a database: ") + e.what());
    }
    writePagesFrom(std::move(db));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // For the helper only: this process read its options when it started.
    setenv("ASAN_OPTIONS", "exitcode=86:detect_leaks=0:handle_segv=0:handle_sigbus=0:handle_sigfpe=0", 1);
    setenv("UBSAN_OPTIONS", "exitcode=86:halt_on_error=1:print_stacktrace=1", 1);
    const auto folder = std::filesystem::temp_directory_path() / ("fuzz-database-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    databasePath() = (folder / "tavro.mdb").string();
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::path(databasePath()).parent_path(), ignored);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    testsupport::writeBytes(databasePath(), bytes);
    try {
        if (catalog::RecogniseDatabaseFile(databasePath()) == catalog::DatabaseFormat::Jet)
            readJet();
        else
            readSqlite(bytes);
    } catch (const catalog::DatabaseError&) {
        // Neither format, or empty: the catalog's message, nothing else.
    }
    check(testsupport::fileBytes(databasePath()) == bytes, "the database file was written");
    return 0;
}
