#include "DelimitedText.h"

#include <algorithm>

namespace makedisc {

namespace {

class RecordReader {
public:
    RecordReader(std::string_view text, char separator) : text_(text), separator_(separator) {}

    bool atEnd() const { return pos_ >= text_.size(); }

    TextRecord next()
    {
        TextRecord record;
        record.firstLine = line_;
        bool more = true;
        while (more) {
            record.fieldLines.push_back(line_);
            record.fields.push_back(field(record.unclosedQuote));
            more = pos_ < text_.size() && text_[pos_] == separator_;
            if (more)
                ++pos_;
        }
        record.lastLine = line_;
        if (pos_ < text_.size()) { // the line feed that ends the record
            ++pos_;
            ++line_;
        }
        return record;
    }

private:
    std::string field(bool& unclosedQuote)
    {
        std::string value;
        if (pos_ < text_.size() && text_[pos_] == '"') {
            ++pos_;
            unclosedQuote = !quoted(value);
        }
        while (pos_ < text_.size() && text_[pos_] != separator_ && text_[pos_] != '\n')
            value += text_[pos_++];
        if (!value.empty() && value.back() == '\r' && (pos_ == text_.size() || text_[pos_] == '\n'))
            value.pop_back();
        return value;
    }

    // The rest of a quoted field, up to its closing quote; false when there is none.
    bool quoted(std::string& value)
    {
        while (pos_ < text_.size()) {
            const char c = text_[pos_++];
            if (c == '"') {
                if (pos_ < text_.size() && text_[pos_] == '"') {
                    value += '"';
                    ++pos_;
                    continue;
                }
                return true;
            }
            if (c == '\n') {
                ++line_;
                if (!value.empty() && value.back() == '\r')
                    value.pop_back();
            }
            value += c;
        }
        return false;
    }

    std::string_view text_;
    char separator_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

bool blank(const TextRecord& record)
{
    return std::all_of(record.fields.begin(), record.fields.end(), [](const std::string& f) {
        return f.find_first_not_of(" \t") == std::string::npos;
    });
}

} // namespace

char DetectSeparator(std::string_view text)
{
    const std::string_view firstLine = text.substr(0, text.find('\n'));
    const auto tabs = std::count(firstLine.begin(), firstLine.end(), '\t');
    const auto commas = std::count(firstLine.begin(), firstLine.end(), ',');
    return tabs > commas ? '\t' : ',';
}

std::vector<TextRecord> ReadRecords(std::string_view text, char separator)
{
    std::vector<TextRecord> records;
    RecordReader reader(text, separator);
    while (!reader.atEnd()) {
        TextRecord record = reader.next();
        if (!blank(record) || record.unclosedQuote)
            records.push_back(std::move(record));
    }
    return records;
}

} // namespace makedisc
