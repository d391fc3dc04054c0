#pragma once
#include "ScoreRecords.h"
#include "richtext/DocumentModel.h"

#include <string>
#include <vector>

namespace reader {

enum class Verdict { Right, Wrong, Unanswered, Ungraded };

struct ReportLine {
    std::string text;
    Verdict verdict = Verdict::Ungraded;
};

// The answers of a lesson judged one by one, in words, with a score.
struct ScoreReport {
    std::vector<ReportLine> lines;
    int right = 0;
    int graded = 0; // unanswered questions count as graded and wrong

    // The score out of 100, halves rounded up; 0 when nothing is graded.
    int Score() const;
    std::string Summary() const;
};

// Judges the answer string's records against the lesson: a text box is
// right when its answer matches one of its three accepted answers, as the
// answer key marks it, and is not graded when it has a mode (a free
// answer); a radio group is right when its chosen item is its key item.
// Check boxes, which the answer string leaves out, are read from the lesson:
// those on one line are one question, right when every box is as its key.
ScoreReport MakeReport(const std::vector<ScoreRecord>& records, const richtext::DocumentModel& lesson);

} // namespace reader
