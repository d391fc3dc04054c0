#include "ListPage.h"
#include "PageText.h"
#include "base/Conversions.h"

#include <optional>

namespace catalog {

namespace {
const char* const kTableStart = "<table border='0' width='100%'>";
const char* const kTableEnd = "</table>";
} // namespace

std::string ReturnNoBookString()
{
    return std::string(kTableStart) + "<tr><td>没有找到书籍</td></tr>" + kTableEnd;
}

ListPage::ListPage(platform::Browser& pane, Connection& connection, std::string F)
    : pane_(pane), connection_(connection), F_(std::move(F))
{
}

void ListPage::WriteListPage()
{
    StartPage(pane_, F_);
    for (const std::string& line : {
             "<body width='100%' leftMargin='0' TopMargin='1' background='" + fileUrlAttribute(F_) +
                 "/pic/BookList.jpg'>",
             std::string(kTableStart),
             std::string(kTableEnd),
             std::string("</body>"),
             std::string("</html>"),
             std::string("<script language='javascript'>"),
             std::string("function ChangeBook(BookID){"),
             std::string("window.document.title=BookID;"),
             std::string("}"),
             std::string("HoldUp();"),
             std::string("</script>"),
         })
        pane_.writeln(line);
}

void ListPage::ShowBooksOfType(std::int32_t T)
{
    FillList(BooksOfTypeQuery(T), Icon::Category, WhenEmpty::EmptyTable);
}

void ListPage::SearchBooks(const std::string& searchText)
{
    FillList(SearchBooksQuery(searchText), Icon::Found, WhenEmpty::NotFound);
}

void ListPage::ShowRecommendedBooks()
{
    FillList(RecommendedBooksQuery(), Icon::Found, WhenEmpty::EmptyTable);
}

void ListPage::FillList(const std::string& query, Icon icon, WhenEmpty whenEmpty)
{
    pane_.setBodyInnerHtml("");
    std::string table = kTableStart;
    bool anyRow = false;
    for (Recordset rows = GetRecordset(connection_, query, 0); !rows.atEnd(); rows.moveNext()) {
        // The ID goes into the row's script call and comes back as the book
        // to show: one that is not a whole 32-bit number would name another
        // book, so its row is left out.
        const std::optional<std::int32_t> id = base::wholeInt32(rows.field("ID"));
        if (!id)
            continue;
        table += ListRow(*id, rows.field("Name"), icon);
        anyRow = true;
    }
    table += kTableEnd;
    pane_.setBodyInnerHtml(!anyRow && whenEmpty == WhenEmpty::NotFound ? ReturnNoBookString() : table);
}

std::string ListPage::ListRow(std::int32_t ID, const std::string& Name, Icon icon) const
{
    const std::string id = std::to_string(ID);
    const char* iconFile = icon == Icon::Category ? "/pic/book.gif'" : "/pic/book1.gif'";
    return "<tr><td><a onclick='ChangeBook(" + id + ")' style='cursor:hand'><img src='" + fileUrlAttribute(F_) +
           iconFile + ">&nbsp;" + htmlText(Name) + "</a></td></tr>";
}

} // namespace catalog
