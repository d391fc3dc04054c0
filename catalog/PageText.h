#pragma once
#include "platform/Browser.h"

#include <string>
#include <string_view>
#include <vector>

namespace catalog {

// Values written into generated pages are escaped for the place they go, so
// that stored text shows exactly as stored and nothing in it can run.
// Text without special characters comes out unchanged.

// Text inside an element.
std::string htmlText(std::string_view text);
// A value inside a single-quoted attribute.
std::string htmlAttribute(std::string_view text);
// The inside of a single-quoted script string literal, in a script element.
std::string scriptString(std::string_view text);
// A file path as a URL path inside a single-quoted attribute.
std::string fileUrlAttribute(std::string_view path);

// Lines 1 to 10 of every generated page: head, meta lines, page library.
std::vector<std::string> PageHead(const std::string& F);
// Empties the pane and opens a new page on it with that head.
void StartPage(platform::Browser& pane, const std::string& F);

} // namespace catalog
