#include "NameOrder.h"
#include "Sqlite.h"
#include "base/Encoding.h"
#include "base/Text.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <iconv.h>
#include <vector>

namespace catalog {

namespace {

// A character's place in the order: its GB18030 bytes, big-endian, padded
// with zeros. GB18030 codes never share their first bytes with a longer
// code, so comparing these keys compares the encoded texts byte by byte.
using SortKey = std::uint32_t;

// Code points GB18030 cannot encode (lone surrogates) and decoding results
// beyond Unicode sort after everything, by code point; no GB18030 code
// starts with 0xFF.
SortKey unencodableKey(char32_t cp) { return 0xFF000000u | (cp & 0xFFFFFFu); }

// Beyond the BMP, GB18030 counts four-byte codes up from 90 30 81 30 in
// code point order.
SortKey supplementaryKey(char32_t cp)
{
    std::uint32_t index = cp - 0x10000;
    const std::uint32_t b4 = 0x30 + index % 10;
    index /= 10;
    const std::uint32_t b3 = 0x81 + index % 126;
    index /= 126;
    const std::uint32_t b2 = 0x30 + index % 10;
    const std::uint32_t b1 = 0x90 + index / 10;
    return (b1 << 24) | (b2 << 16) | (b3 << 8) | b4;
}

// One converter per thread: an iconv descriptor must not be shared.
class Gb18030Encoder {
public:
    Gb18030Encoder() : cd_(iconv_open("GB18030", "UTF-32LE")) {}
    ~Gb18030Encoder()
    {
        if (cd_ != iconv_t(-1))
            iconv_close(cd_);
    }
    Gb18030Encoder(const Gb18030Encoder&) = delete;
    Gb18030Encoder& operator=(const Gb18030Encoder&) = delete;

    SortKey keyOf(char32_t cp)
    {
        std::array<unsigned char, 4> in{static_cast<unsigned char>(cp), static_cast<unsigned char>(cp >> 8),
                                        static_cast<unsigned char>(cp >> 16), 0};
        std::array<unsigned char, 4> out{};
        char* inPtr = reinterpret_cast<char*>(in.data());
        char* outPtr = reinterpret_cast<char*>(out.data());
        std::size_t inLeft = in.size(), outLeft = out.size();
        if (cd_ == iconv_t(-1) || iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == std::size_t(-1)) {
            if (cd_ != iconv_t(-1))
                iconv(cd_, nullptr, nullptr, nullptr, nullptr);
            return unencodableKey(cp);
        }
        return (SortKey(out[0]) << 24) | (SortKey(out[1]) << 16) | (SortKey(out[2]) << 8) | SortKey(out[3]);
    }

private:
    iconv_t cd_;
};

// BMP keys, found through iconv the first time a character is compared (a
// catalog uses a few thousand characters; all 63,000 would cost milliseconds
// at the first sort). 0 stands for "not yet known": U+0000 never gets here.
std::array<std::atomic<SortKey>, 0x10000> bmpKeys{};

SortKey bmpKey(char32_t cp)
{
    SortKey key = bmpKeys[cp].load(std::memory_order_relaxed);
    if (key == 0) {
        thread_local Gb18030Encoder encoder;
        key = encoder.keyOf(cp);
        bmpKeys[cp].store(key, std::memory_order_relaxed);
    }
    return key;
}

SortKey keyOf(char32_t cp)
{
    if (cp < 0x80) {
        const char32_t folded = (cp >= 'A' && cp <= 'Z') ? cp + ('a' - 'A') : cp;
        return SortKey(folded) << 24;
    }
    if (cp >= 0xD800 && cp < 0xE000)
        return unencodableKey(cp);
    if (cp < 0x10000)
        return bmpKey(cp);
    if (cp <= 0x10FFFF)
        return supplementaryKey(cp);
    return unencodableKey(cp);
}

bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Where to start comparing characters: the start of the last character
// before the first differing byte, which is a character start in both
// texts since their bytes agree up to there.
std::size_t comparisonStart(std::string_view text, std::size_t firstDifference)
{
    std::size_t start = firstDifference;
    while (start > 0 && isContinuationByte(text[start - 1]))
        --start;
    return start > 0 ? start - 1 : 0;
}

int compareKeys(std::string_view a, std::string_view b, std::size_t start)
{
    std::size_t i = start, j = start;
    while (i < a.size() && j < b.size()) {
        const SortKey ka = keyOf(base::nextCodePoint(a, i));
        const SortKey kb = keyOf(base::nextCodePoint(b, j));
        if (ka != kb)
            return ka < kb ? -1 : 1;
    }
    if (i < a.size())
        return 1;
    return j < b.size() ? -1 : 0;
}

int compareBytes(std::string_view a, std::string_view b, std::size_t firstDifference)
{
    if (firstDifference == a.size() || firstDifference == b.size())
        return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
    return static_cast<unsigned char>(a[firstDifference]) < static_cast<unsigned char>(b[firstDifference]) ? -1 : 1;
}

int collate(void*, int lengthA, const void* a, int lengthB, const void* b)
{
    return CompareNames(std::string_view(static_cast<const char*>(a), static_cast<std::size_t>(lengthA)),
                        std::string_view(static_cast<const char*>(b), static_cast<std::size_t>(lengthB)));
}

// The tables of the main database that have a column called Name, with
// their column names in order.
struct TableColumns {
    std::string table;
    std::vector<std::string> columns;
};

std::vector<TableColumns> tablesWithNames(sqlite3* db)
{
    std::vector<TableColumns> tables;
    SqliteStatement list = PrepareSql(db, "SELECT name FROM main.sqlite_schema WHERE type = 'table'");
    while (sqlite3_step(list.get()) == SQLITE_ROW)
        tables.push_back({reinterpret_cast<const char*>(sqlite3_column_text(list.get(), 0)), {}});
    for (TableColumns& t : tables) {
        SqliteStatement info = PrepareSql(db, "SELECT name FROM pragma_table_info(?, 'main')");
        sqlite3_bind_text(info.get(), 1, t.table.c_str(), -1, SQLITE_TRANSIENT);
        while (sqlite3_step(info.get()) == SQLITE_ROW)
            t.columns.push_back(reinterpret_cast<const char*>(sqlite3_column_text(info.get(), 0)));
    }
    // SQLite's own tables (sqlite_sequence has a column "name") take no view.
    std::erase_if(tables, [](const TableColumns& t) {
        return base::equalsNoCase(std::string_view(t.table).substr(0, 7), "sqlite_") ||
               std::none_of(t.columns.begin(), t.columns.end(),
                            [](const std::string& c) { return base::equalsNoCase(c, "Name"); });
    });
    return tables;
}

std::string orderedViewSql(const TableColumns& t)
{
    std::string sql = "CREATE TEMP VIEW " + QuoteIdentifier(t.table) + " AS SELECT ";
    for (std::size_t i = 0; i < t.columns.size(); ++i) {
        const std::string column = QuoteIdentifier(t.columns[i]);
        sql += i > 0 ? ", " : "";
        sql += column;
        if (base::equalsNoCase(t.columns[i], "Name"))
            sql += std::string(" COLLATE ") + kNameOrderCollation;
        sql += " AS " + column;
    }
    return sql + " FROM main." + QuoteIdentifier(t.table);
}

} // namespace

int CompareNames(std::string_view a, std::string_view b)
{
    const std::size_t firstDifference =
        static_cast<std::size_t>(std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin());
    if (firstDifference == a.size() && firstDifference == b.size())
        return 0;
    if (int primary = compareKeys(a, b, comparisonStart(a, firstDifference)))
        return primary;
    return compareBytes(a, b, firstDifference);
}

void RegisterNameOrder(sqlite3* db)
{
    if (sqlite3_create_collation_v2(db, kNameOrderCollation, SQLITE_UTF8, nullptr, collate, nullptr) != SQLITE_OK)
        ThrowSqliteError(db, "cannot register the name order");
}

void OrderNamesOfCatalogFile(sqlite3* db)
{
    // The views live in the temporary schema: in memory, so that nothing is
    // written anywhere, not even a temporary file.
    ExecuteSql(db, "PRAGMA temp_store = MEMORY");
    for (const TableColumns& t : tablesWithNames(db))
        ExecuteSql(db, orderedViewSql(t));
}

} // namespace catalog
