#pragma once
#include "Sqlite.h"

#include <string>
#include <string_view>
#include <vector>

namespace catalog {

// An open recordset over one prepared statement. The first row is fetched
// when it opens and each further row only when the consumer moves to it.
class RecordsetImpl {
public:
    // Throws DatabaseError when the first row cannot be read.
    explicit RecordsetImpl(SqliteStatement statement);

    bool atEnd() const { return atEnd_; }
    std::string field(std::string_view name) const;
    void moveNext();

private:
    void step();
    int columnIndex(std::string_view name) const;

    struct ResolvedField {
        std::string name; // as the consumer spelt it
        int column;
    };

    SqliteStatement statement_;
    bool atEnd_ = false;
    // Consumers read the same few fields on every row; once a spelling is
    // resolved its column is found again by exact comparison.
    mutable std::vector<ResolvedField> resolved_;
};

// The plain text form of a REAL: decimal, no exponent, no trailing zeros
// (12.5 stays "12.5", 30.0 becomes "30").
std::string RealText(double value);

} // namespace catalog
