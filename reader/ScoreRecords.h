#pragma once
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace reader {

// One answer of the page engine's answer string.
struct ScoreRecord {
    enum class Kind { Text, Radio };
    Kind kind = Kind::Text;
    int number = 0;     // the text box's or the radio group's number, from 1
    std::string name;   // "noname" for a text box, the group's name
    std::string answer; // the typed text, or the chosen item's position ("0": none)
    std::string key;    // the box's first accepted answer, or the key item's position
    bool operator==(const ScoreRecord&) const = default;
};

// The records of an answer string: NUL-separated fields, five a record, the
// text boxes' records each ended by NUL, then one more NUL before the radio
// groups' records, which are separated by NUL. A string that is not of that
// form is an std::invalid_argument, rather than answers put in wrong places.
std::vector<ScoreRecord> DecodeScore(std::string_view score);

// The subject type PutScore takes for a record: "text" or "radio".
const char* SubjectType(ScoreRecord::Kind kind);

} // namespace reader
