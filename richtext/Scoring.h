#pragma once
#include "DocumentModel.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace richtext {

// True when the answer, without its surrounding spaces, equals one of the
// key's alternatives exactly; alternatives are separated by "\" and are
// not trimmed. An empty key accepts nothing.
bool MatchAnswer(std::string_view answer, std::string_view key);

// The accepted answers of a text box for display, joined by " / ".
std::string TextValue(const TextBoxEntry& box);

// Radio items that follow each other with the same group name: the groups
// of the answer string.
struct RadioRun {
    std::size_t first = 0;
    std::size_t count = 0;
};
std::vector<RadioRun> RadioRuns(const std::vector<RadioEntry>& radios);

// The answers as one string of NUL-terminated fields: per text box "text",
// its number from 1, "noname", the typed answer and its key; then, after
// one more NUL, per radio group "radio", its number from 1, its name, the
// position of the chosen item and of the key item in the group (0 for
// none), the groups separated by NUL and the last one unterminated. Check
// boxes are not reported. `answerOf` gives the typed answer of a text box
// by its index, or nothing when the box has no edit control; such a box is
// left out.
std::string ScoreString(const DocumentModel& doc,
                        const std::function<std::optional<std::string>(std::size_t box)>& answerOf);

// The fields of an answer string, split at every NUL: a string ending in
// NUL gives an empty last field.
std::vector<std::string_view> ScoreFields(std::string_view score);

} // namespace richtext
