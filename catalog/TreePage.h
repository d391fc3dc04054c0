#pragma once
#include "Database.h"
#include "platform/Browser.h"

#include <cstdint>
#include <string>
#include <vector>

namespace catalog {

// Writes the category tree page: a script that builds one node per category
// for the page library, which draws the tree and reports clicks by title.
class TreePage {
public:
    // F: the program folder without a trailing separator.
    TreePage(platform::Browser& pane, Connection& connection, std::string F);

    void WriteTreePage();
    void WriteTreeNodes();
    // The lines of every child category of P and, depth first, of theirs.
    void WriteTypeNodes(std::int32_t P);

private:
    // A row may become a node unless it is the root (ID 0) or a category on
    // the path being walked: either would put a node among its own
    // descendants, and the page library would draw it without end.
    bool IsNewNode(std::int32_t id) const;

    platform::Browser& pane_;
    Connection& connection_;
    std::string F_;
    // The categories on the path being walked, the root's 0 first.
    std::vector<std::int32_t> walkPath_;
};

} // namespace catalog
