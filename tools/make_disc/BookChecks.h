#pragma once
#include "Catalog.h"
#include "FontCoverage.h"
#include "Report.h"
#include "SourceBook.h"

#include <map>
#include <optional>
#include <string>

namespace makedisc {

// Checks the books of the publisher's data one by one, in order, and says
// what it did with each fault: a book without a code or a name, with a code
// that cannot name its cover file or that an earlier book has, is skipped;
// a price, recommendation or ISBN that cannot be read is left out; text
// that the disc's fonts cannot show is kept as it is. The category is the
// caller's.
class BookChecks {
public:
    BookChecks(const FontCoverage& fonts, Report& report);

    // The book with every field but its ID and category; nothing for a book skipped.
    std::optional<Book> check(const SourceBook& source);

    // Says so when the text holds a character the disc's fonts lack.
    void checkCharacters(const Cell& cell);

private:
    bool usableCode(const Cell& code, const std::string& rowPlace);
    std::optional<double> price(const Cell& cell);
    bool recommended(const Cell& cell);
    std::string isbn(const Cell& cell);

    const FontCoverage& fonts_;
    Report& report_;
    // The codes taken, in capitals, with the row of each: two
    // codes that differ only in letter case would name one cover file.
    std::map<std::string, std::string> codes_;
};

} // namespace makedisc
