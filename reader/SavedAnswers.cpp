#include "SavedAnswers.h"
#include "ScoreRecords.h"
#include "richtext/Scoring.h"

#include <cstdio>

namespace reader {

namespace {

const std::string kScoreLine = "score ";
const std::string kChecksLine = "checks ";

std::string escaped(std::string_view text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\0': out += "\\0"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
    return out;
}

std::string unescaped(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size())
            throw std::invalid_argument("saved answers: a backslash ends the line");
        switch (text[i]) {
        case '\\': out += '\\'; break;
        case '0': out += '\0'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        default: throw std::invalid_argument("saved answers: an unknown escape");
        }
    }
    return out;
}

std::string_view lineStarting(std::string_view& text, const std::string& start)
{
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (end == std::string_view::npos || line.substr(0, start.size()) != start)
        throw std::invalid_argument("saved answers: a line is missing or out of place");
    text.remove_prefix(end + 1);
    return line.substr(start.size());
}

// The key position of a radio run, as the answer string gives it.
int keyPosition(const std::vector<richtext::RadioEntry>& radios, const richtext::RadioRun& run)
{
    int position = 0;
    for (std::size_t k = 0; k < run.count; ++k)
        if (radios[run.first + k].Key)
            position = int(k) + 1;
    return position;
}

bool textBoxAsks(const richtext::DocumentModel& lesson, const ScoreRecord& record)
{
    return record.number <= lesson.nTextBox() && lesson.TextBoxes[std::size_t(record.number) - 1].Value == record.key;
}

bool radioGroupAsks(const richtext::DocumentModel& lesson, const ScoreRecord& record)
{
    const std::vector<richtext::RadioRun> runs = richtext::RadioRuns(lesson.Radios);
    if (std::size_t(record.number) > runs.size())
        return false;
    const richtext::RadioRun& run = runs[std::size_t(record.number) - 1];
    return lesson.Radios[run.first].Group == record.name &&
           std::to_string(keyPosition(lesson.Radios, run)) == record.key;
}

} // namespace

SavedAnswers CaptureAnswers(const richtext::CSuperTextC& engine)
{
    SavedAnswers answers{engine.GetScore(), {}};
    for (const auto& box : engine.Document().CheckBoxes)
        answers.checks.push_back(box.Checked);
    return answers;
}

int RestoreAnswers(richtext::CSuperTextC& engine, const SavedAnswers& answers)
{
    const std::vector<ScoreRecord> records = DecodeScore(answers.score);
    int leftOut = 0;
    for (const ScoreRecord& record : records) {
        const richtext::DocumentModel& lesson = engine.Document();
        const bool asked = record.kind == ScoreRecord::Kind::Text ? textBoxAsks(lesson, record)
                                                                  : radioGroupAsks(lesson, record);
        if (asked)
            engine.PutScore(SubjectType(record.kind), record.name, record.number, record.answer);
        else
            ++leftOut;
    }
    if (answers.checks.size() != std::size_t(engine.nCheckBox()))
        return leftOut + int(answers.checks.size());
    for (std::size_t i = 0; i < answers.checks.size(); ++i)
        if (answers.checks[i])
            engine.PutCheckBox(std::int16_t(i), true);
    return leftOut;
}

std::string WriteAnswers(const SavedAnswers& answers)
{
    std::string checks;
    for (bool checked : answers.checks)
        checks += checked ? '1' : '0';
    return kScoreLine + escaped(answers.score) + "\n" + kChecksLine + checks + "\n";
}

SavedAnswers ReadAnswers(std::string_view text)
{
    SavedAnswers answers;
    answers.score = unescaped(lineStarting(text, kScoreLine));
    for (char c : lineStarting(text, kChecksLine)) {
        if (c != '0' && c != '1')
            throw std::invalid_argument("saved answers: a check box state is neither 0 nor 1");
        answers.checks.push_back(c == '1');
    }
    if (!text.empty())
        throw std::invalid_argument("saved answers: text after the last line");
    return answers;
}

std::string AnswerFileName(const Lesson& lesson)
{
    auto encoded = [](std::string_view name) {
        std::string out;
        for (unsigned char c : name) {
            const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                               c == '.' || c == '_';
            if (plain) {
                out += char(c);
            } else {
                char hex[4];
                std::snprintf(hex, sizeof hex, "%%%02X", c);
                out += hex;
            }
        }
        return out;
    };
    return encoded(lesson.file) + "-" + encoded(lesson.chunk) + ".answers";
}

} // namespace reader
