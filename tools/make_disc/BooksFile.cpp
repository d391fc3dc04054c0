#include "BooksFile.h"
#include "CellText.h"
#include "DelimitedText.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace makedisc {

namespace {

std::string encodingNote(const DecodedText& text, bool given)
{
    std::string note = std::string("read as ") + NameOf(text.encoding);
    if (text.byteOrderMark)
        note += " with a byte-order mark";
    return note + (given ? ", as --encoding says" : ", as its bytes show (--encoding changes it)");
}

class HeaderReader {
public:
    HeaderReader(const std::string& path, Report& report) : path_(path), report_(report) {}

    std::optional<ColumnMap> read(const TextRecord& header)
    {
        ColumnMap map;
        for (std::size_t i = 0; i < header.fields.size(); ++i)
            take(map, TrimCell(header.fields[i]), i, header.firstLine);
        bool complete = true;
        for (BookField needed : {BookField::Code, BookField::Name}) {
            if (!map.of(needed)) {
                report_.problem(path_ + ":" + std::to_string(header.firstLine),
                                std::string("the header row has no ") + HeaderOf(needed) + " column",
                                "no book can be read");
                complete = false;
            }
        }
        return complete ? std::optional(map) : std::nullopt;
    }

private:
    void take(ColumnMap& map, const std::string& name, std::size_t index, int line)
    {
        const std::string place = path_ + ":" + std::to_string(line) + ":" + std::to_string(index + 1);
        const auto field = FieldNamed(name);
        if (!field) {
            if (!name.empty())
                report_.note(place, "the column " + Quoted(name) + " is not one the tool reads; it is left out");
            return;
        }
        auto& column = map.columns[std::size_t(*field)];
        if (column) {
            report_.note(place, "a second " + std::string(HeaderOf(*field)) + " column; it is left out");
            return;
        }
        column = index;
    }

    const std::string& path_;
    Report& report_;
};

class RowReader {
public:
    RowReader(const std::string& path, const DecodedText& text, const ColumnMap& columns, Report& report)
        : path_(path), text_(text), columns_(columns), report_(report)
    {
    }

    // False for a row that cannot be read, after saying why.
    bool read(const TextRecord& record, SourceBook& book)
    {
        if (record.unclosedQuote) {
            report_.problem(path_ + ":" + std::to_string(record.firstLine),
                            "a quote opened in this row is never closed",
                            "the row and the rest of the file are skipped");
            return false;
        }
        if (const BadLine* bad = badLineIn(record)) {
            report_.problem(path_ + ":" + std::to_string(bad->line) + ":" + std::to_string(bad->column),
                            std::string("bytes that are not ") + NameOf(text_.encoding) + " text",
                            "the row is skipped");
            return false;
        }
        book.place = path_ + ":" + std::to_string(record.firstLine);
        for (std::size_t f = 0; f < kBookFieldCount; ++f) {
            const auto column = columns_.columns[f];
            if (!column)
                continue;
            const int line = *column < record.fields.size() ? record.fieldLines[*column] : record.lastLine;
            book.cells[f].place = path_ + ":" + std::to_string(line) + ":" + std::to_string(*column + 1) + " (" +
                                  HeaderOf(BookField(f)) + ")";
            if (*column < record.fields.size())
                book.cells[f].text = TrimCell(record.fields[*column]);
        }
        return true;
    }

private:
    const BadLine* badLineIn(const TextRecord& record) const
    {
        auto found = std::find_if(text_.badLines.begin(), text_.badLines.end(), [&](const BadLine& bad) {
            return bad.line >= record.firstLine && bad.line <= record.lastLine;
        });
        return found == text_.badLines.end() ? nullptr : &*found;
    }

    const std::string& path_;
    const DecodedText& text_;
    const ColumnMap& columns_;
    Report& report_;
};

} // namespace

std::vector<SourceBook> ReadBooksFile(const std::string& path, std::optional<TextEncoding> encoding, Report& report)
{
    const auto bytes = ReadFileBytes(path);
    if (!bytes) {
        report.problem(path, std::string("cannot be read: ") + std::strerror(errno), "no book can be read");
        return {};
    }
    const DecodedText text = DecodeText(*bytes, encoding.value_or(DetectEncoding(*bytes)));
    report.note(path, encodingNote(text, encoding.has_value()));
    const std::vector<TextRecord> records = ReadRecords(text.utf8, DetectSeparator(text.utf8));
    if (records.empty()) {
        report.problem(path, "holds no header row and no book", "no book can be read");
        return {};
    }
    const auto columns = HeaderReader(path, report).read(records.front());
    if (!columns)
        return {};
    RowReader rows(path, text, *columns, report);
    std::vector<SourceBook> books;
    for (auto record = records.begin() + 1; record != records.end(); ++record) {
        SourceBook book;
        if (rows.read(*record, book))
            books.push_back(std::move(book));
        else if (record->unclosedQuote)
            break;
    }
    return books;
}

} // namespace makedisc
