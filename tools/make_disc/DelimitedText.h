#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace makedisc {

// Text of fields separated by commas or tabs, one record a line, as
// spreadsheets save it: a field in quotes may hold the separator, line
// breaks and quotes written twice; text after a field's closing quote is
// kept, as spreadsheets read it.
struct TextRecord {
    int firstLine = 0; // from 1
    int lastLine = 0;
    std::vector<std::string> fields;
    std::vector<int> fieldLines; // the line each field starts on
    bool unclosedQuote = false; // a quote opened and never closed: the record runs to the end
};

// Tab when the first line holds more tabs than commas, else comma.
char DetectSeparator(std::string_view text);

// Every record of the text, blank lines left out. A line break inside a
// quoted field is kept as "\n".
std::vector<TextRecord> ReadRecords(std::string_view text, char separator);

} // namespace makedisc
