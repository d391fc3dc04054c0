// Puts arbitrary text into the catalog's database and its window: a
// category name, a book's fields, a search text and the titles the pages
// report, one a line, and the category's and the book's IDs, a space
// between, on the last line. The window on the fakes writes its pages from that database and
// answers the search and the titles. Whatever the text, every page keeps
// its structure (nothing in a value ends its string, opens a tag or starts
// an attribute), values read back exactly as stored, a search finds the
// books whose names hold its text literally, and no message appears.
#include "catalog/CatalogOnFakes.h"
#include "catalog/TestCatalog.h"
#include "base/Encoding.h"
#include "base/Conversions.h"
#include "base/Text.h"
#include "support/CatalogPageChecks.h"
#include "harness/FuzzCheck.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>
#include <unistd.h>

using fuzzsupport::check;
using fuzzsupport::fail;
using testsupport::ScriptToken;

namespace {

enum Field { CategoryName, BookName, Writer, Code, Isbn, Brief, SearchText, TreeTitle, ListTitle, Ids, FieldCount };

const char* const kOtherName = "另一本书";

std::string& programFolder()
{
    static std::string folder;
    return folder;
}

std::int64_t idOf(std::string_view text, std::int64_t otherwise)
{
    std::int64_t id = otherwise;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
    return error == std::errc() ? id : otherwise;
}

// Text that a page shows as stored: the browser decodes the page as UTF-8
// and turns line breaks and other control characters into something else.
bool showsAsStored(std::string_view text)
{
    return base::isValidUtf8(text) &&
           std::none_of(text.begin(), text.end(), [](char c) { return (unsigned char)c < 0x20 || c == 0x7F; });
}

bool fitsInt32(std::int64_t id)
{
    return id >= std::numeric_limits<std::int32_t>::min() && id <= std::numeric_limits<std::int32_t>::max();
}

void expectStructure(void (*checker)(const std::string&), const std::string& body)
{
    try {
        checker(body);
    } catch (const testsupport::PageSyntaxError& e) {
        fail(e.what());
    }
}

bool containsText(const std::string& html, const std::string& text)
{
    const std::vector<std::string> texts = testsupport::htmlTexts(html);
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

class HostileCatalog {
public:
    explicit HostileCatalog(const std::vector<std::string>& fields) : fields_(fields)
    {
        const std::string_view ids = fields[Ids];
        const std::size_t space = std::min(ids.find(' '), ids.size());
        category_ = idOf(ids.substr(0, space), 12);
        book_ = idOf(ids.substr(std::min(space + 1, ids.size())), 15);
        other_ = book_ == std::numeric_limits<std::int64_t>::max() ? book_ - 1 : book_ + 1;
        testsupport::TestBook book{book_, fields[BookName], category_, 0, 1, 9.5, fields[Brief],
                                   fields[Code], fields[Writer], fields[Isbn]};
        testsupport::TestBook other{other_, kOtherName, category_, 0, 0};
        const std::string database = programFolder() + "/DataBase/tavro.mdb";
        std::filesystem::remove(database);
        testsupport::WriteTestCatalog(database, {book, other}, {{category_, fields[CategoryName], 0}});
    }

    void checkTree(testsupport::CatalogOnFakes& window) const
    {
        try {
            testsupport::checkTreePage(window.tree().lines);
        } catch (const testsupport::PageSyntaxError& e) {
            fail(e.what());
        }
        std::string script;
        for (const std::string& line : window.tree().lines)
            script += line + '\n';
        script = script.substr(script.rfind("<script language='javascript'>") + 30);
        script = script.substr(0, script.rfind("</script>"));
        const std::vector<ScriptToken> tokens = testsupport::tokenizeScript(script);
        const bool shown = fitsInt32(category_) && category_ != 0;
        bool named = false;
        for (std::size_t i = 0; i + 3 < tokens.size(); ++i)
            named = named || (tokens[i + 1].text == "Name" && tokens[i + 3].text == fields_[CategoryName]);
        check(!shown || !showsAsStored(fields_[CategoryName]) || named, "a category's name not read back as stored");
    }

    void checkList(testsupport::CatalogOnFakes& window, bool bookListed, bool otherListed) const
    {
        const std::string& body = window.list().bodyHtml;
        expectStructure(testsupport::checkListBody, body);
        // A row is its link: a name may hold "ChangeBook(" as text, never an
        // unescaped '<'.
        const std::string row = "<a onclick='ChangeBook(";
        const bool hasBook = body.find(row + std::to_string(book_) + ")") != std::string::npos;
        const bool hasOther = body.find(row + std::to_string(other_) + ")") != std::string::npos;
        check(hasBook == (bookListed && fitsInt32(book_)), "the book listed or left out wrongly");
        check(hasOther == (otherListed && fitsInt32(other_)), "the other book listed or left out wrongly");
        std::size_t rows = 0;
        for (std::size_t at = body.find(row); at != std::string::npos; at = body.find(row, at + 1))
            ++rows;
        check(rows == std::size_t(hasBook) + std::size_t(hasOther), "a list row for no book of the catalog");
        if (hasBook && showsAsStored(fields_[BookName]))
            check(containsText(body, "\xC2\xA0" + fields_[BookName]), "a book's name not read back as stored");
    }

    void checkDetail(testsupport::CatalogOnFakes& window) const
    {
        const std::string& body = window.detail().bodyHtml;
        expectStructure(testsupport::checkDetailBody, body);
        for (Field field : {BookName, Writer, Code, Isbn, Brief}) {
            const std::string& value = fields_[field];
            if (!value.empty() && showsAsStored(value))
                check(containsText(body, value), "a book's field not read back as stored");
        }
    }

    // The list a search gives, judged by the names: ASCII letters match
    // whatever their case, everything else only itself.
    void checkSearch(testsupport::CatalogOnFakes& window) const
    {
        const std::string text = base::trimSpaces(fields_[SearchText]);
        const std::string& name = fields_[BookName];
        if (!showsAsStored(text) || !showsAsStored(name)) {
            expectStructure(testsupport::checkListBody, window.list().bodyHtml);
            return;
        }
        checkList(window, base::findNoCase(name, text) != std::string::npos,
                  base::findNoCase(kOtherName, text) != std::string::npos);
    }

    std::int64_t category() const { return category_; }
    std::int64_t book() const { return book_; }

private:
    const std::vector<std::string>& fields_;
    std::int64_t category_, book_, other_;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    programFolder() =
        (std::filesystem::temp_directory_path() / ("fuzz-pages-" + std::to_string(getpid()))).string();
    std::filesystem::create_directories(programFolder() + "/DataBase");
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(programFolder(), ignored);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::string> fields =
        fuzzsupport::splitFields(std::string_view(reinterpret_cast<const char*>(data), size), FieldCount);
    // The query cannot hold a NUL character: the window shows the query
    // error for such a search text, which a text box does not hold.
    if (fields[SearchText].find('\0') != std::string::npos)
        return 0;
    HostileCatalog catalog(fields);
    testsupport::CatalogOnFakes window(programFolder());
    window.window->Init();
    check(window.window->PagesReady, "the pages not written");
    catalog.checkTree(window);

    window.tree().raiseTitleChange("Node" + std::to_string(catalog.category()));
    if (fitsInt32(catalog.category()))
        catalog.checkList(window, true, true);
    window.list().raiseTitleChange(std::to_string(catalog.book()));
    if (fitsInt32(catalog.book()))
        catalog.checkDetail(window);

    window.search(fields[SearchText]);
    catalog.checkSearch(window);

    window.tree().raiseTitleChange(fields[TreeTitle]);
    expectStructure(testsupport::checkListBody, window.list().bodyHtml);
    window.list().raiseTitleChange(fields[ListTitle]);
    if (!window.detail().bodyHtml.empty())
        expectStructure(testsupport::checkDetailBody, window.detail().bodyHtml);
    check(window.fp.messages.shown.empty(), "a message where none is due");
    return 0;
}
