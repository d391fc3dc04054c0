#pragma once
#include "PageStructure.h"

#include <string>
#include <vector>

namespace testsupport {

// Whether the catalog's written pages keep the structure their writers give
// them, whatever text the database holds: the same tags with the same
// attributes, the same script statements, numbers and node names aside.
// Each throws PageSyntaxError saying what differs.

// The lines of the tree page, with any number of category nodes.
void checkTreePage(const std::vector<std::string>& lines);
// The lines of the empty list and detail pages.
void checkListPage(const std::vector<std::string>& lines);
void checkDetailPage(const std::vector<std::string>& lines);
// A list body: a table of any number of book rows, or the not-found table.
void checkListBody(const std::string& body);
// A detail body: one book's table.
void checkDetailBody(const std::string& body);

// A shape with its numbers, negative ones too, and the numbers of node names
// ("Node12", "Node_5") given as '#', so pages of different IDs compare equal.
std::string withoutNumbers(const std::string& shape);

} // namespace testsupport
