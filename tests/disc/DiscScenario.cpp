#include "DiscScenario.h"
#include "ExtractedImage.h"
#include "FolderListing.h"
#include "support/ChildProcess.h"
#include "support/ProgramTrace.h"
#include "support/VirtualScreen.h"

#include <QImage>
#include <algorithm>
#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sqlite3.h>
#include <thread>

using namespace std::chrono_literals;
using testsupport::ChildProcess;
using testsupport::ProgramTrace;
using testsupport::VirtualScreen;
namespace fs = std::filesystem;

namespace disctest {

namespace {

constexpr auto kLongWait = 60s; // a window, page or movie coming up on a busy machine
constexpr auto kClickAnswer = 2s; // how long one click is given to take effect

struct Place {
    int x = 0, y = 0, width = 0, height = 0;
};

// "x,y wxh" as the trace writes a window's or a pane's place.
std::optional<Place> placeIn(const std::string& text)
{
    Place p;
    if (std::sscanf(text.c_str(), "%d,%d %dx%d", &p.x, &p.y, &p.width, &p.height) != 4)
        return std::nullopt;
    return p;
}

std::function<bool(const std::string&)> sized(int width, int height)
{
    return [=](const std::string& text) {
        const auto p = placeIn(text);
        return p && p->width == width && p->height == height;
    };
}

// Without the spaces, tabs and no-break spaces around it.
std::string trimmed(std::string text)
{
    static const std::string noBreakSpace = "\xC2\xA0";
    for (bool trimming = true; trimming;) {
        trimming = false;
        for (const std::string space : {" ", "\t", noBreakSpace.c_str()}) {
            if (text.starts_with(space)) {
                text.erase(0, space.size());
                trimming = true;
            }
            if (text.ends_with(space)) {
                text.erase(text.size() - space.size());
                trimming = true;
            }
        }
    }
    return text;
}

// The names a list pane shows, one per line of its text.
std::multiset<std::string> listedNames(const std::string& shown)
{
    std::multiset<std::string> names;
    std::size_t from = 0;
    while (from <= shown.size()) {
        const std::size_t bar = std::min(shown.find(" | ", from), shown.size());
        const std::string name = trimmed(shown.substr(from, bar - from));
        if (!name.empty())
            names.insert(name);
        from = bar + 3;
    }
    return names;
}

// The catalog's database on the disc, read with SQLite itself, for what the
// catalog's pages should show.
class DiscDatabase {
public:
    explicit DiscDatabase(const fs::path& file)
    {
        // Immutable: nothing, not even a lock, is written beside it.
        const std::string uri = "file:" + file.string() + "?immutable=1";
        if (sqlite3_open_v2(uri.c_str(), &db_, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr) != SQLITE_OK)
            throw std::runtime_error("cannot open " + file.string());
    }
    ~DiscDatabase() { sqlite3_close(db_); }
    DiscDatabase(const DiscDatabase&) = delete;
    DiscDatabase& operator=(const DiscDatabase&) = delete;

    // The first column of every row, with one text bound to the query's "?".
    std::vector<std::string> column(const std::string& query, const std::string& bound = {}) const
    {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db_, query.c_str(), -1, &statement, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db_));
        if (query.find('?') != std::string::npos)
            sqlite3_bind_text(statement, 1, bound.c_str(), -1, SQLITE_TRANSIENT);
        std::vector<std::string> values;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            const auto* text = sqlite3_column_text(statement, 0);
            values.emplace_back(text ? reinterpret_cast<const char*>(text) : "");
        }
        sqlite3_finalize(statement);
        return values;
    }
    std::multiset<std::string> names(const std::string& condition, const std::string& bound = {}) const
    {
        const auto found = column("SELECT Name FROM WebBook WHERE Isdeleted = 0 AND Name IS NOT NULL AND " + condition, bound);
        return {found.begin(), found.end()};
    }

private:
    sqlite3* db_ = nullptr;
};

// The share of pixels that differ between the same rectangle of two pictures.
double changedShare(const QImage& before, const QImage& after, const Place& area)
{
    int changed = 0;
    for (int y = area.y; y < area.y + area.height; ++y)
        for (int x = area.x; x < area.x + area.width; ++x)
            changed += before.pixel(x, y) != after.pixel(x, y);
    return double(changed) / (area.width * area.height);
}

auto changedFrom(const QImage& reference, const Place& area, double share)
{
    return [=](const QImage& shot) { return changedShare(reference, shot, area) > share; };
}
auto nearly(const QImage& reference, const Place& area, double share)
{
    return [=](const QImage& shot) { return changedShare(reference, shot, area) < share; };
}
// Anything but one plain colour in the area.
bool showsAPicture(const QImage& shot, const Place& area)
{
    for (int y = area.y; y < area.y + area.height; y += 4)
        for (int x = area.x; x < area.x + area.width; x += 4)
            if (shot.pixel(x, y) != shot.pixel(area.x, area.y))
                return true;
    return false;
}

// Where the catalog's controls sit in its window.
constexpr Place kTreePane{62, 153, 205, 317};
constexpr Place kListPane{298, 130, 443, 134};
constexpr Place kDetailPane{298, 309, 443, 163};
constexpr Place kOverlay{125, 100, 550, 400};
constexpr Place kSearchBox{151, 509, 195, 15};
constexpr Place kButtonBar{445, 484, 307, 18};
constexpr Place kExitButton{766, 8, 24, 24};
// Where the menu movie's buttons come to rest, and the loop movie's one.
constexpr int kMenuButtonsX = 550;
constexpr int kProductY = 78, kLoopY = 286, kQuitY = 338;
constexpr Place kReturnButton{630, 516, 140, 34};

std::string paneTrace(const Place& pane, const std::string& what)
{
    return "bookdisc.trace: pane " + std::to_string(pane.x) + "," + std::to_string(pane.y) + " " +
           std::to_string(pane.width) + "x" + std::to_string(pane.height) + " " + what;
}

constexpr Place kReaderPage{244, 124, 520, 380};

class DiscScenario {
public:
    explicit DiscScenario(const DiscSystem& system)
        : system(system), shots(fs::path(testsupport::binaryDir()) / "screenshots" / system.name),
          seenRoot(system.seenAs.empty() ? image.content().string() : system.seenAs)
    {
        fs::create_directories(shots);
        before = listFolder(image.content());
    }
    // A run that stopped half-way leaves no program of the disc behind, which
    // would keep the next run's programs from starting.
    ~DiscScenario()
    {
        for (const auto& process : fs::directory_iterator("/proc")) {
            std::error_code unreadable;
            const std::string program = fs::read_symlink(process.path() / "exe", unreadable).string();
            if (program.rfind(seenRoot + "/", 0) == 0)
                kill(std::stoi(process.path().filename().string()), SIGKILL);
        }
    }
    DiscScenario(const DiscScenario&) = delete;
    DiscScenario& operator=(const DiscScenario&) = delete;

    void drive();

private:
    // A file of the disc, named as the programs see it.
    std::string seen(const std::string& relative) const { return seenRoot + "/" + relative; }
    // A file the programs named, where this machine has it.
    fs::path onThisMachine(const std::string& seenPath) const
    {
        return image.content() / fs::path(seenPath).lexically_relative(seenRoot);
    }
    // Runs a program of the disc with the trace on, on the test's screen.
    std::vector<std::string> command(const std::string& program) const
    {
        std::vector<std::string> argv = system.enter(image.content());
        for (const std::string& setting : {"DISPLAY=" + screen.display(), std::string("QT_QPA_PLATFORM=xcb"),
                                           std::string("QT_LOGGING_RULES=") + ProgramTrace::kRules})
            argv.push_back(setting);
        argv.push_back(seen(program));
        return argv;
    }

    // Clicks at a place until the trace shows a line beginning with `start`.
    std::optional<std::string> clickUntil(int x, int y, const std::string& start,
                                          const std::function<bool(const std::string&)>& accept = {})
    {
        const auto deadline = std::chrono::steady_clock::now() + kLongWait;
        while (std::chrono::steady_clock::now() < deadline) {
            screen.click(x, y);
            if (auto line = trace.waitFor(start, kClickAnswer, accept))
                return line;
        }
        return std::nullopt;
    }

    // Takes a screenshot, kept in the build tree under `name`.
    QImage shoot(const std::string& name)
    {
        const std::string file = (shots / (name + ".png")).string();
        return screen.screenshot(file) ? QImage(QString::fromStdString(file)) : QImage();
    }

    // Screenshots until one shows what `done` looks for; that one, or a null image.
    QImage shootUntil(const std::string& name, const std::function<bool(const QImage&)>& done)
    {
        const auto deadline = std::chrono::steady_clock::now() + kLongWait;
        while (std::chrono::steady_clock::now() < deadline) {
            QImage shot = shoot(name);
            if (!shot.isNull() && done(shot))
                return shot;
            std::this_thread::sleep_for(500ms);
        }
        return QImage();
    }

    static void keepWindow(const QImage& shot, const Place& window, const fs::path& file)
    {
        shot.copy(window.x, window.y, window.width, window.height).save(QString::fromStdString(file.string()));
    }

    // Each Qt library or plugin, or FFmpeg library, that a process of the
    // disc mapped from anywhere but the disc's runtime: "<program>: <file>".
    // (Other libraries the disc carries may come from the desktop when its
    // own libraries load them first: the graphics driver loads libxml2.)
    std::vector<std::string> librariesFromElsewhere() const
    {
        std::vector<std::string> carried;
        for (const auto& entry : fs::directory_iterator(image.content() / "runtime/lib")) {
            const std::string name = entry.path().filename().string();
            if (name.starts_with("libQt6") || name.starts_with("libav") || name.starts_with("libsw"))
                carried.push_back(name);
        }
        const std::string runtime = seen("runtime/");
        std::vector<std::string> found;
        for (const auto& process : fs::directory_iterator("/proc")) {
            std::error_code unreadable;
            const std::string program = fs::read_symlink(process.path() / "exe", unreadable).string();
            if (program.rfind(seenRoot + "/", 0) != 0)
                continue;
            std::ifstream maps(process.path() / "maps");
            for (std::string line; std::getline(maps, line);) {
                const auto slash = line.find('/');
                if (slash == std::string::npos)
                    continue;
                const std::string file = line.substr(slash);
                const std::string name = fs::path(file).filename().string();
                const bool ours = std::any_of(carried.begin(), carried.end(),
                                              [&](const std::string& soname) { return name.rfind(soname, 0) == 0; });
                if ((ours || file.find("/plugins/") != std::string::npos) && file.rfind(runtime, 0) != 0)
                    found.push_back(program + ": " + file);
            }
        }
        std::sort(found.begin(), found.end());
        found.erase(std::unique(found.begin(), found.end()), found.end());
        return found;
    }

    // The reader shows its first lesson.
    void readALesson()
    {
        ProgramTrace readerTrace((image.work() / "reader.log").string());
        ChildProcess reader(command("product/reader"), image.work().string(), (image.work() / "reader.log").string());
        EXPECT_TRUE(readerTrace.waitFor("bookdisc.trace: " + system.sandbox, kLongWait)) << readerTrace.lines();
        const auto shown = readerTrace.waitFor("bookdisc.trace: window shown", kLongWait, sized(800, 600));
        ASSERT_TRUE(shown) << readerTrace.lines();
        const Place window = *placeIn(*shown);
        const Place page{window.x + kReaderPage.x, window.y + kReaderPage.y, kReaderPage.width, kReaderPage.height};
        EXPECT_FALSE(shootUntil("reader-screen", [&](const QImage& shot) { return showsAPicture(shot, page); }).isNull())
            << "the reader showed no lesson";
        reader.end();
    }

    const DiscSystem& system;
    ExtractedImage image{"disc-end-to-end"};
    fs::path shots;
    std::string seenRoot;
    std::vector<ListedEntry> before;
    VirtualScreen screen{1024, 768, (image.work() / "xvfb.log").string()};
    ProgramTrace trace{(image.work() / "trace.log").string()};
};

void DiscScenario::drive()
{
    const std::string programs = "bookdisc.trace: ";
    const std::string catalog = seen("product/product");
    const DiscDatabase database(image.content() / "product/DataBase/tavro.mdb");
    // Each program runs once per user: one started elsewhere on this machine
    // would make ours end at once.
    ASSERT_TRUE(testsupport::waitUntilNoneRunning({"play", "product"}, 2 * kLongWait))
        << "another start program or catalog keeps running on this machine";
    // The desktop starts the autorun script from its own folder, not the disc's.
    ChildProcess play(command("autorun.sh"), image.work().string(), (image.work() / "trace.log").string());
    EXPECT_TRUE(trace.waitFor(programs + system.sandbox, kLongWait)) << trace.lines();

    // The first intro shows its movie; a click stops it.
    const auto firstIntro = trace.waitFor(programs + "window shown", kLongWait, sized(352, 288));
    ASSERT_TRUE(firstIntro) << trace.lines();
    ASSERT_TRUE(trace.waitFor("bookdisc.video: first frame shown", kLongWait)) << trace.lines();
    const Place intro = *placeIn(*firstIntro);
    shoot("first-intro-screen");
    screen.click(intro.x + intro.width / 2, intro.y + intro.height / 2);
    EXPECT_TRUE(trace.waitFor(programs + "device stops AVIVideo " + seen("avi/start.avi"), 10s))
        << "the click did not stop the first intro\n" << trace.lines();

    // The second intro plays to its end by itself; the menu follows with its sound.
    ASSERT_TRUE(trace.waitFor(programs + "device plays AVIVideo " + seen("avi/start1.avi"), kLongWait))
        << trace.lines();
    const auto secondIntro = trace.waitFor(programs + "window shown", kLongWait, sized(320, 256));
    ASSERT_TRUE(secondIntro) << trace.lines();
    ASSERT_TRUE(trace.waitFor("bookdisc.video: first frame shown", kLongWait)) << trace.lines();
    // Its title has come in by then.
    std::this_thread::sleep_for(2s);
    keepWindow(shoot("second-intro-screen"), *placeIn(*secondIntro), shots / "intro.png");
    const auto menuShown = trace.waitFor(programs + "window shown", kLongWait, sized(700, 400));
    ASSERT_TRUE(menuShown) << trace.lines();
    const Place menu = *placeIn(*menuShown);
    EXPECT_TRUE(trace.waitFor(programs + "device plays WaveAudio " + seen("sounds/back.wav"), kLongWait))
        << "the menu's sound did not start";

    // "product" starts the catalog from the disc.
    ASSERT_TRUE(clickUntil(menu.x + kMenuButtonsX, menu.y + kProductY, programs + "flash media.swf command product"))
        << trace.lines();
    keepWindow(shoot("menu-screen"), menu, shots / "menu.png");
    ASSERT_TRUE(trace.waitFor(programs + "program started " + catalog, kLongWait)) << trace.lines();
    EXPECT_TRUE(trace.waitFor(programs + system.sandbox, kLongWait)) << trace.lines();
    const auto catalogShown = trace.waitFor(programs + "window shown", kLongWait, sized(800, 600));
    ASSERT_TRUE(catalogShown) << trace.lines();
    const Place window = *placeIn(*catalogShown);
    const auto catalogProcesses = testsupport::processesRunning(catalog);
    ASSERT_EQ(catalogProcesses.size(), 1u);
    auto at = [&](const Place& control, int dx, int dy) { return std::pair{window.x + control.x + dx, window.y + control.y + dy}; };

    // The tree shows the top categories; one of them lists its books.
    const auto topCategories = database.column("SELECT Name FROM BookType WHERE ParentID = 0");
    EXPECT_TRUE(trace.waitFor(paneTrace(kTreePane, "shows"), kLongWait, [&](const std::string& shown) {
        return listedNames(shown) == std::multiset<std::string>(topCategories.begin(), topCategories.end());
    })) << trace.lines();
    // Every process of the disc, the web engine's helpers among them, runs on
    // the disc's runtime alone.
    EXPECT_EQ(librariesFromElsewhere(), std::vector<std::string>{});
    const auto [treeX, treeY] = at(kTreePane, 35, 12);
    const auto category = clickUntil(treeX, treeY, paneTrace(kTreePane, "title Node"));
    ASSERT_TRUE(category) << trace.lines();
    const std::string& categoryId = *category;
    const auto categoryBooks = database.names("BookType = ?", categoryId);
    ASSERT_FALSE(categoryBooks.empty()) << "category " << categoryId << " holds no book on the disc";
    EXPECT_TRUE(trace.waitFor(paneTrace(kListPane, "shows"), kLongWait,
                              [&](const std::string& shown) { return listedNames(shown) == categoryBooks; }))
        << "the books of category " << categoryId << " were not listed\n" << trace.lines();

    // A book in the list shows its details and its cover.
    const QImage noBook = shoot("catalog-category");
    const auto [bookX, bookY] = at(kListPane, 60, 12);
    const auto bookTitle = clickUntil(bookX, bookY, paneTrace(kListPane, "title"));
    ASSERT_TRUE(bookTitle) << trace.lines();
    const std::string& bookId = *bookTitle;
    const auto code = database.column("SELECT Code FROM WebBook WHERE ID = ?", bookId);
    const auto name = database.column("SELECT Name FROM WebBook WHERE ID = ?", bookId);
    ASSERT_EQ(code.size(), 1u);
    EXPECT_TRUE(trace.waitFor(paneTrace(kDetailPane, "shows"), kLongWait, [&](const std::string& shown) {
        return shown.find(code[0]) != std::string::npos && shown.find(name[0]) != std::string::npos;
    })) << "the details of book " << bookId << " were not shown\n" << trace.lines();
    const auto cover = trace.waitFor(paneTrace(kDetailPane, "picture"), kLongWait);
    ASSERT_TRUE(cover) << trace.lines();
    const std::string coverFile = cover->substr(0, cover->find(" at "));
    EXPECT_TRUE(fs::is_regular_file(onThisMachine(coverFile))) << coverFile;
    EXPECT_EQ(fs::path(coverFile).stem(), code[0]) << "not the book's cover";
    const Place coverArea{window.x + kDetailPane.x + 10, window.y + kDetailPane.y + 10, 80, 120};
    const QImage withBook = shootUntil("catalog-book-screen", changedFrom(noBook, coverArea, 0.3));
    ASSERT_FALSE(withBook.isNull()) << "no cover painted in the detail pane";
    keepWindow(withBook, window, shots / "catalog.png");

    // Searches: a word of a sample title, and a text with an apostrophe.
    const auto [searchX, searchY] = at(kSearchBox, 60, 7);
    for (const std::string word : {"Java", "Let's"}) {
        SCOPED_TRACE(word);
        const auto expected = database.names("Name LIKE ?", "%" + word + "%");
        ASSERT_FALSE(expected.empty()) << "no sample title holds " << word;
        screen.click(searchX, searchY);
        screen.key("ctrl+a");
        screen.key("BackSpace");
        screen.type(word);
        screen.key("Return");
        EXPECT_TRUE(trace.waitFor(paneTrace(kListPane, "shows"), kLongWait,
                                  [&](const std::string& shown) { return listedNames(shown) == expected; }))
            << trace.lines();
    }

    // The recommended button lists the recommended books.
    const auto [recommendX, recommendY] = at(kButtonBar, 75, 9);
    ASSERT_TRUE(clickUntil(recommendX, recommendY, programs + "flash button.swf command 1")) << trace.lines();
    const auto recommended = database.names("IsRecommended <> 0");
    EXPECT_TRUE(trace.waitFor(paneTrace(kListPane, "shows"), kLongWait,
                              [&](const std::string& shown) { return listedNames(shown) == recommended; }))
        << trace.lines();

    // The overlay opens over the panes and closes again.
    const Place overlayArea{window.x + kOverlay.x, window.y + kOverlay.y, kOverlay.width, 380};
    std::this_thread::sleep_for(1s); // the list's pictures settle before the reference is taken
    const QImage noOverlay = shoot("catalog-recommended");
    const auto [aboutX, aboutY] = at(kButtonBar, 230, 9);
    ASSERT_TRUE(clickUntil(aboutX, aboutY, programs + "flash button.swf command 2")) << trace.lines();
    const QImage overlay = shootUntil("overlay-screen", changedFrom(noOverlay, overlayArea, 0.5));
    ASSERT_FALSE(overlay.isNull()) << "the overlay did not show";
    // Its title glides in; the picture kept is the one it comes to rest at.
    QImage previous = overlay;
    const QImage settled = shootUntil("overlay-screen", [&](const QImage& shot) {
        const bool still = changedShare(previous, shot, overlayArea) < 0.01;
        previous = shot;
        return still;
    });
    keepWindow(settled.isNull() ? overlay : settled, window, shots / "overlay.png");
    const auto [closeX, closeY] = at(kOverlay, 458 + 36, 355 + 13);
    ASSERT_TRUE(clickUntil(closeX, closeY, programs + "flash tavro.swf command 123")) << trace.lines();
    EXPECT_FALSE(shootUntil("overlay-closed", nearly(noOverlay, overlayArea, 0.05)).isNull())
        << "the overlay stayed over the panes";

    // The exit button ends the catalog.
    const auto [exitX, exitY] = at(kExitButton, 12, 12);
    screen.click(exitX, exitY);
    const auto deadline = std::chrono::steady_clock::now() + kLongWait;
    while (!testsupport::processesRunning(catalog).empty() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(200ms);
    EXPECT_TRUE(testsupport::processesRunning(catalog).empty()) << "the exit button did not end the catalog";

    // The looping presentation and back; "0000" ends the start program.
    ASSERT_TRUE(clickUntil(menu.x + kMenuButtonsX, menu.y + kLoopY, programs + "flash media.swf command playloopmovie"))
        << trace.lines();
    const auto loopShown = trace.waitFor(programs + "window shown", kLongWait, sized(800, 582));
    ASSERT_TRUE(loopShown) << trace.lines();
    const Place loop = *placeIn(*loopShown);
    const QImage loopShot = shootUntil("loop-screen", [&](const QImage& shot) { return showsAPicture(shot, loop); });
    EXPECT_FALSE(loopShot.isNull()) << "the looping presentation showed nothing";
    keepWindow(loopShot, loop, shots / "loop.png");
    ASSERT_TRUE(clickUntil(loop.x + kReturnButton.x + kReturnButton.width / 2,
                           loop.y + kReturnButton.y + kReturnButton.height / 2,
                           programs + "flash loop.swf command returnmain"))
        << trace.lines();
    ASSERT_TRUE(trace.waitFor(programs + "window shown", kLongWait, sized(700, 400))) << trace.lines();
    ASSERT_TRUE(clickUntil(menu.x + kMenuButtonsX, menu.y + kQuitY, programs + "flash media.swf command 0000"))
        << trace.lines();
    EXPECT_EQ(play.waitForExit(kLongWait), 0) << "the start program did not end";

    for (pid_t left : testsupport::processesRunning(catalog))
        kill(left, SIGKILL);
    readALesson();
    EXPECT_EQ(listingDifferences(before, listFolder(image.content())), std::vector<std::string>{})
        << "the programs changed the disc";
}

} // namespace

void driveTheDisc(const DiscSystem& system)
{
    DiscScenario(system).drive();
}

} // namespace disctest
