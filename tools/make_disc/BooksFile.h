#pragma once
#include "Report.h"
#include "SourceBook.h"
#include "TextDecoding.h"

#include <optional>
#include <string>
#include <vector>

namespace makedisc {

// The books of a books file (comma- or tab-separated text with a header
// row), in file order, each cell trimmed. Rows that cannot be read (bytes
// that are not text in the file's encoding, a quote never closed) are
// reported and left out; so is everything when the header lacks the code
// or the name column. `encoding` overrides the detected one.
std::vector<SourceBook> ReadBooksFile(const std::string& path, std::optional<TextEncoding> encoding, Report& report);

} // namespace makedisc
