#pragma once
#include "Database.h"
#include "platform/Browser.h"

#include <cstdint>
#include <string>

namespace catalog {

// The book detail pane: written once empty, then its body replaced by one
// book's cover and fields.
class DetailPage {
public:
    DetailPage(platform::Browser& pane, Connection& connection, std::string F);

    void WriteDetailPage();
    // False, leaving the pane as it is, when no shown book has the ID.
    bool ShowBookDetail(std::int32_t B);

private:
    std::string DetailText(const Recordset& book) const;

    platform::Browser& pane_;
    Connection& connection_;
    std::string F_;
};

} // namespace catalog
