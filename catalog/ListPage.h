#pragma once
#include "Database.h"
#include "platform/Browser.h"

#include <cstdint>
#include <string>

namespace catalog {

// The book list pane: written once empty, then its body replaced by the
// books of a category, a name search or the recommended list.
class ListPage {
public:
    ListPage(platform::Browser& pane, Connection& connection, std::string F);

    void WriteListPage();
    void ShowBooksOfType(std::int32_t T);
    void SearchBooks(const std::string& searchText);
    void ShowRecommendedBooks();

private:
    enum class Icon { Category, Found };
    enum class WhenEmpty { EmptyTable, NotFound };
    void FillList(const std::string& query, Icon icon, WhenEmpty whenEmpty);
    std::string ListRow(std::int32_t ID, const std::string& Name, Icon icon) const;

    platform::Browser& pane_;
    Connection& connection_;
    std::string F_;
};

// The table shown when a search finds nothing.
std::string ReturnNoBookString();

} // namespace catalog
