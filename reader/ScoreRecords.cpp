#include "ScoreRecords.h"
#include "richtext/Scoring.h"

#include <charconv>

namespace reader {

namespace {

constexpr std::size_t kFieldsPerRecord = 5;

int wholeNumber(std::string_view field, int lowest)
{
    int number = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), number);
    if (field.empty() || error != std::errc() || end != field.data() + field.size() || number < lowest)
        throw std::invalid_argument("answer string: a record's number or position is not a whole number");
    return number;
}

ScoreRecord::Kind kindOf(std::string_view field)
{
    if (field == "text")
        return ScoreRecord::Kind::Text;
    if (field == "radio")
        return ScoreRecord::Kind::Radio;
    throw std::invalid_argument("answer string: a record of unknown kind");
}

} // namespace

std::vector<ScoreRecord> DecodeScore(std::string_view score)
{
    const std::vector<std::string_view> fields = richtext::ScoreFields(score);
    std::vector<ScoreRecord> records;
    for (std::size_t i = 0; i < fields.size();) {
        // The empty fields between records: a text record's ending NUL
        // followed by the one that comes before the radio part, or the end.
        if (fields[i].empty()) {
            ++i;
            continue;
        }
        if (i + kFieldsPerRecord > fields.size())
            throw std::invalid_argument("answer string: a record is cut short");
        ScoreRecord record{kindOf(fields[i]), wholeNumber(fields[i + 1], 1), std::string(fields[i + 2]),
                           std::string(fields[i + 3]), std::string(fields[i + 4])};
        // Every text record ends with NUL, so a field, empty or not, follows it.
        if (record.kind == ScoreRecord::Kind::Text && i + kFieldsPerRecord == fields.size())
            throw std::invalid_argument("answer string: a text record without its ending");
        if (record.kind == ScoreRecord::Kind::Radio) {
            wholeNumber(record.answer, 0);
            wholeNumber(record.key, 0);
        }
        records.push_back(std::move(record));
        i += kFieldsPerRecord;
    }
    return records;
}

const char* SubjectType(ScoreRecord::Kind kind) { return kind == ScoreRecord::Kind::Text ? "text" : "radio"; }

} // namespace reader
