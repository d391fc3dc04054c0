#pragma once
#include "Lessons.h"
#include "richtext/CSuperTextC.h"

#include <string>
#include <string_view>
#include <vector>

namespace reader {

// A lesson's answers as the reader keeps them between sessions: the page
// engine's answer string (text boxes and radio groups) and the states of
// the check boxes, which that string leaves out.
struct SavedAnswers {
    std::string score;
    std::vector<bool> checks;
    bool operator==(const SavedAnswers&) const = default;
};

SavedAnswers CaptureAnswers(const richtext::CSuperTextC& engine);

// Puts saved answers back into the lesson as it is laid out now. An answer
// goes back only where the lesson still asks the same question: a text box
// of the record's number with the record's key, a radio group of its number
// with its name and key position, check boxes when their number is the same.
// Returns how many answers did not fit and were left out. A score string of
// the wrong form is an std::invalid_argument, and nothing is put back.
int RestoreAnswers(richtext::CSuperTextC& engine, const SavedAnswers& answers);

// The file's text: a "score" line with the answer string (backslash, NUL,
// line feed and carriage return written \\, \0, \n and \r) and a "checks"
// line of 0s and 1s. Reading text of another form is an std::invalid_argument.
std::string WriteAnswers(const SavedAnswers& answers);
SavedAnswers ReadAnswers(std::string_view text);

// A file name of its own for each lesson: the lesson's file and chunk names
// with every character but letters, digits, "." and "_" written %XX.
std::string AnswerFileName(const Lesson& lesson);

} // namespace reader
