#include "DiscOnScreen.h"
#include "support/Paths.h"

#include <cstdio>
#include <thread>

namespace fs = std::filesystem;

namespace disctest {

namespace {

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

} // namespace

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

DiscDatabase::DiscDatabase(const fs::path& file)
{
    // Immutable: nothing, not even a lock, is written beside it.
    const std::string uri = "file:" + file.string() + "?immutable=1";
    if (sqlite3_open_v2(uri.c_str(), &db_, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr) != SQLITE_OK)
        throw std::runtime_error("cannot open " + file.string());
}

DiscDatabase::~DiscDatabase() { sqlite3_close(db_); }

std::vector<std::string> DiscDatabase::column(const std::string& query, const std::string& bound) const
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

std::multiset<std::string> DiscDatabase::names(const std::string& condition, const std::string& bound) const
{
    const auto found = column("SELECT Name FROM WebBook WHERE Isdeleted = 0 AND Name IS NOT NULL AND " + condition, bound);
    return {found.begin(), found.end()};
}

double changedShare(const QImage& before, const QImage& after, const Place& area)
{
    int changed = 0;
    for (int y = area.y; y < area.y + area.height; ++y)
        for (int x = area.x; x < area.x + area.width; ++x)
            changed += before.pixel(x, y) != after.pixel(x, y);
    return double(changed) / (area.width * area.height);
}

std::function<bool(const QImage&)> changedFrom(const QImage& reference, const Place& area, double share)
{
    return [=](const QImage& shot) { return changedShare(reference, shot, area) > share; };
}
std::function<bool(const QImage&)> nearly(const QImage& reference, const Place& area, double share)
{
    return [=](const QImage& shot) { return changedShare(reference, shot, area) < share; };
}
bool showsAPicture(const QImage& shot, const Place& area)
{
    for (int y = area.y; y < area.y + area.height; y += 4)
        for (int x = area.x; x < area.x + area.width; x += 4)
            if (shot.pixel(x, y) != shot.pixel(area.x, area.y))
                return true;
    return false;
}

std::string paneTrace(const Place& pane, const std::string& what)
{
    return "bookdisc.trace: pane " + std::to_string(pane.x) + "," + std::to_string(pane.y) + " " +
           std::to_string(pane.width) + "x" + std::to_string(pane.height) + " " + what;
}

DiscOnScreen::DiscOnScreen(const std::string& name, const ImageWriter& write)
    : image(name, write), shots(fs::path(testsupport::binaryDir()) / "screenshots"),
      screen(1024, 768, (image.work() / "xvfb.log").string()), trace((image.work() / "trace.log").string())
{
    fs::create_directories(shots);
    before = listFolder(image.content());
}

std::optional<std::string> DiscOnScreen::clickUntil(int x, int y, const std::string& start,
                                                   const std::function<bool(const std::string&)>& accept)
{
    const auto deadline = std::chrono::steady_clock::now() + kLongWait;
    while (std::chrono::steady_clock::now() < deadline) {
        screen.click(x, y);
        if (auto line = trace.waitFor(start, kClickAnswer, accept))
            return line;
    }
    return std::nullopt;
}

QImage DiscOnScreen::shoot(const std::string& name)
{
    const std::string file = (shots / (name + ".png")).string();
    return screen.screenshot(file) ? QImage(QString::fromStdString(file)) : QImage();
}

QImage DiscOnScreen::shootUntil(const std::string& name, const std::function<bool(const QImage&)>& done)
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

void DiscOnScreen::keepWindow(const QImage& shot, const Place& window, const fs::path& file)
{
    shot.copy(window.x, window.y, window.width, window.height).save(QString::fromStdString(file.string()));
}

void DiscOnScreen::showACategoryAndABook(const Place& window, const DiscDatabase& database, const fs::path& kept)
{
    auto at = [&](const Place& control, int dx, int dy) { return std::pair{window.x + control.x + dx, window.y + control.y + dy}; };

    // The tree shows the top categories; one of them lists its books.
    const auto topCategories = database.column("SELECT Name FROM BookType WHERE ParentID = 0");
    EXPECT_TRUE(trace.waitFor(paneTrace(kTreePane, "shows"), kLongWait, [&](const std::string& shown) {
        return listedNames(shown) == std::multiset<std::string>(topCategories.begin(), topCategories.end());
    })) << trace.lines();
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
    keepWindow(withBook, window, kept);
}

} // namespace disctest
