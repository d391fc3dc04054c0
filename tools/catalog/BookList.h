#pragma once
#include <string>
#include <vector>

namespace tools {

// One line of a CSV file: fields separated by commas, a field holding a
// comma, a quote or a line break put in quotes with its quotes doubled, the
// line ended by CR LF.
std::string CsvLine(const std::vector<std::string>& fields);

// The books of a catalog file that are not marked deleted, as CSV text in
// UTF-8 with a header line: code, title, writer, ISBN, price (two decimals)
// and category name, in ID order. Throws std::runtime_error when the
// catalog cannot be read.
std::string BookListCsv(const std::string& catalogPath);

} // namespace tools
