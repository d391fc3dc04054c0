#include "JetWriter.h"
#include "JetPages.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <stdexcept>

namespace tools {

namespace {

constexpr std::uint32_t catalogPage = 2; // where readers look for MSysObjects
constexpr std::uint32_t mapPage = 3;     // holds the usage maps of every table
constexpr std::size_t columnsStart = 63;
constexpr std::size_t columnEntrySize = 25;
constexpr std::size_t maxTextUnits = 255;

struct ColumnLayout {
    JetColumn column;
    bool fixed;
    std::size_t size;
    std::size_t fixedOffset = 0;
    std::size_t varIndex = 0;
};

std::uint8_t typeCode(JetType type)
{
    switch (type) {
    case JetType::YesNo:
        return 0x01;
    case JetType::Integer:
        return 0x03;
    case JetType::LongInteger:
        return 0x04;
    case JetType::Currency:
        return 0x05;
    case JetType::Text:
        return 0x0A;
    default:
        return 0x0B;
    }
}

std::size_t fixedSize(JetType type)
{
    switch (type) {
    case JetType::Integer:
        return 2;
    case JetType::LongInteger:
        return 4;
    case JetType::Currency:
        return 8;
    default:
        return 0;
    }
}

std::vector<ColumnLayout> layoutOf(const std::vector<JetColumn>& columns)
{
    std::vector<ColumnLayout> layout;
    std::size_t fixedBytes = 0, varCount = 0;
    for (const auto& column : columns) {
        bool variable = column.type == JetType::Text || column.type == JetType::LongBinary;
        ColumnLayout entry{column, !variable, column.type == JetType::Text ? 2 * maxTextUnits : fixedSize(column.type)};
        if (variable) {
            entry.varIndex = varCount++;
        } else {
            entry.fixedOffset = fixedBytes;
            fixedBytes += entry.size;
        }
        layout.push_back(entry);
    }
    return layout;
}

// Jet 4 text is UCS-2: characters beyond the Basic Multilingual Plane have
// no place in it.
std::string ucs2Bytes(const std::string& utf8)
{
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        auto lead = static_cast<unsigned char>(utf8[i]);
        std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        if (length == 4)
            throw std::runtime_error("character outside UCS-2 in: " + utf8);
        std::uint32_t code = length == 1 ? lead : lead & (0xFF >> (length + 1));
        for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k)
            code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += length;
        out += static_cast<char>(code & 0xFF);
        out += static_cast<char>(code >> 8);
    }
    return out;
}

std::int64_t parseInteger(const std::string& text)
{
    std::int64_t value = 0;
    auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size())
        throw std::runtime_error("not a whole number: " + text);
    return value;
}

std::string littleEndian(std::uint64_t value, std::size_t bytes)
{
    std::string out;
    for (std::size_t i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
}

// Currency is a count of ten-thousandths.
std::int64_t currencyUnits(const std::string& text)
{
    double amount = 0;
    auto result = std::from_chars(text.data(), text.data() + text.size(), amount);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size())
        throw std::runtime_error("not an amount: " + text);
    return std::llround(amount * 10000);
}

std::string fixedBytes(const ColumnLayout& layout, const std::string& text)
{
    if (layout.column.type == JetType::Currency)
        return littleEndian(static_cast<std::uint64_t>(currencyUnits(text)), 8);
    return littleEndian(static_cast<std::uint64_t>(parseInteger(text)), layout.size);
}

std::string variableBytes(const ColumnLayout& layout, const std::string& text)
{
    if (layout.column.type == JetType::LongBinary)
        throw std::runtime_error("long binary fields can only be null: " + layout.column.name);
    std::string bytes = ucs2Bytes(text);
    if (bytes.size() > layout.size)
        throw std::runtime_error("text longer than 255 characters in " + layout.column.name);
    return bytes;
}

// A row: field count, fixed fields, variable fields, their offsets from the
// last to the first, their count, and the mask of fields present (for a
// Yes/No field, its value).
std::string encodeRow(const std::vector<ColumnLayout>& layout, const std::vector<JetValue>& values)
{
    if (values.size() != layout.size())
        throw std::runtime_error("row with the wrong number of fields");
    std::string fixed, variable;
    std::vector<std::size_t> offsets;
    std::string mask((layout.size() + 7) / 8, '\0');
    for (std::size_t i = 0; i < layout.size(); ++i) {
        const auto& value = values[i];
        bool present = value && !(layout[i].column.type == JetType::YesNo && *value == "0");
        if (present)
            mask[i / 8] = static_cast<char>(mask[i / 8] | (1 << (i % 8)));
        if (layout[i].fixed) {
            fixed += value && layout[i].size > 0 ? fixedBytes(layout[i], *value) : std::string(layout[i].size, '\0');
        } else {
            offsets.push_back(variable.size());
            if (value)
                variable += variableBytes(layout[i], *value);
        }
    }
    std::size_t varStart = 2 + fixed.size();
    offsets.push_back(variable.size());
    std::string row = littleEndian(layout.size(), 2) + fixed + variable;
    for (auto it = offsets.rbegin(); it != offsets.rend(); ++it)
        row += littleEndian(varStart + *it, 2);
    return row + littleEndian(offsets.size() - 1, 2) + mask;
}

struct PlacedTable {
    const JetTableContent* content;
    std::uint32_t definitionPage;
    std::vector<std::uint32_t> dataPages;
    std::uint32_t usageMap = 0; // page << 8 | row
    std::uint32_t freeMap = 0;
};

class FileBuilder {
public:
    FileBuilder() : pages_{JetHeaderPage(936, 2052), JetPage{}, JetPage{}, JetPage{}} {}

    PlacedTable place(const JetTableContent& table, std::uint32_t definitionPage)
    {
        PlacedTable placed{&table, definitionPage, {}};
        auto layout = layoutOf(table.columns);
        JetRowPage page(definitionPage);
        for (const auto& values : table.rows) {
            std::string row = encodeRow(layout, values);
            if (!page.fits(row.size())) {
                placed.dataPages.push_back(append(page.page()));
                page = JetRowPage(definitionPage);
            }
            page.add(row);
        }
        placed.dataPages.push_back(append(page.page()));
        return placed;
    }

    std::uint32_t reserve() { return append(JetPage{}); }
    std::uint32_t append(const JetPage& page)
    {
        pages_.push_back(page);
        return static_cast<std::uint32_t>(pages_.size() - 1);
    }
    void set(std::uint32_t number, const JetPage& page) { pages_.at(number) = page; }
    std::uint32_t pageCount() const { return static_cast<std::uint32_t>(pages_.size()); }

    void write(const std::string& path) const
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        for (const auto& page : pages_)
            out.write(reinterpret_cast<const char*>(page.data()), static_cast<std::streamsize>(page.size()));
        if (!out)
            throw std::runtime_error("cannot write " + path);
    }

private:
    std::vector<JetPage> pages_;
};

// Usage maps of the kind that names a first page and has one bit per page.
std::string usageMap(const std::vector<std::uint32_t>& pages, std::uint32_t pageCount)
{
    std::string map = std::string(1, '\0') + littleEndian(0, 4) + std::string(pageCount / 8 + 1, '\0');
    for (std::uint32_t page : pages)
        map[5 + page / 8] = static_cast<char>(map[5 + page / 8] | (1 << (page % 8)));
    return map;
}

JetPage definitionPage(const PlacedTable& table, bool system)
{
    const auto& columns = table.content->columns;
    auto layout = layoutOf(columns);
    std::size_t varCount = 0;
    for (const auto& c : layout)
        varCount += c.fixed ? 0 : 1;
    JetPage page{};
    page[0] = 0x02;
    page[1] = 0x01;
    PutJet32(page, 0x10, static_cast<std::uint32_t>(table.content->rows.size()));
    page[0x28] = system ? 0x53 : 0x4E;
    PutJet16(page, 0x29, static_cast<std::uint32_t>(columns.size()));
    PutJet16(page, 0x2B, static_cast<std::uint32_t>(varCount));
    PutJet16(page, 0x2D, static_cast<std::uint32_t>(columns.size()));
    PutJet32(page, 0x37, table.usageMap);
    PutJet32(page, 0x3B, table.freeMap);
    std::size_t at = columnsStart;
    for (std::size_t i = 0; i < layout.size(); ++i, at += columnEntrySize) {
        page[at] = typeCode(layout[i].column.type);
        PutJet16(page, at + 5, static_cast<std::uint32_t>(i));
        PutJet16(page, at + 7, static_cast<std::uint32_t>(layout[i].varIndex));
        PutJet16(page, at + 9, static_cast<std::uint32_t>(i));
        page[at + 15] = layout[i].fixed ? 0x03 : 0x02;
        PutJet16(page, at + 21, static_cast<std::uint32_t>(layout[i].fixedOffset));
        PutJet16(page, at + 23, static_cast<std::uint32_t>(layout[i].size));
    }
    for (const auto& column : columns) {
        std::string name = ucs2Bytes(column.name);
        PutJet16(page, at, static_cast<std::uint32_t>(name.size()));
        PutJetBytes(page, at + 2, name);
        at += 2 + name.size();
    }
    PutJet32(page, 0x08, static_cast<std::uint32_t>(at - 8));
    PutJet16(page, 0x02, static_cast<std::uint32_t>(jetPageSize - at));
    return page;
}

JetTableContent catalogOf(const std::vector<PlacedTable>& tables)
{
    JetTableContent catalog{"MSysObjects",
                            {{"Id", JetType::LongInteger},
                             {"Name", JetType::Text},
                             {"Type", JetType::Integer},
                             {"Flags", JetType::LongInteger},
                             {"LvProp", JetType::LongBinary}},
                            {}};
    for (const auto& table : tables)
        catalog.rows.push_back({std::to_string(table.definitionPage), table.content->name, "1", "0", std::nullopt});
    return catalog;
}

} // namespace

void WriteJet4File(const std::string& path, const std::vector<JetTableContent>& tables)
{
    FileBuilder file;
    std::vector<PlacedTable> placed;
    for (const auto& table : tables)
        placed.push_back(file.place(table, file.reserve()));
    JetTableContent catalog = catalogOf(placed);
    placed.insert(placed.begin(), file.place(catalog, catalogPage));

    JetRowPage maps(0);
    for (auto& table : placed) {
        std::string usage = usageMap(table.dataPages, file.pageCount());
        std::string free = usageMap({}, 0);
        if (!maps.fits(usage.size() + free.size() + 2))
            throw std::runtime_error("too many pages for one usage map page");
        table.usageMap = mapPage << 8 | maps.add(usage);
        table.freeMap = mapPage << 8 | maps.add(free);
    }
    file.set(mapPage, maps.page());
    for (std::size_t i = 0; i < placed.size(); ++i)
        file.set(placed[i].definitionPage, definitionPage(placed[i], i == 0));
    file.write(path);
}

} // namespace tools
