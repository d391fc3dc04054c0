#include "ScoreReport.h"
#include "richtext/Scoring.h"
#include "base/Text.h"

#include <string_view>

namespace reader {

namespace {

// The accepted answers of a text box, each "\" alternative on its own.
std::string acceptedAnswers(const richtext::TextBoxEntry& box)
{
    std::string shown;
    for (const std::string* value : {&box.Value, &box.Value2, &box.Value3}) {
        std::string_view rest = *value;
        while (!rest.empty()) {
            const std::size_t separator = rest.find('\\');
            const std::string_view alternative = rest.substr(0, separator);
            if (!alternative.empty())
                shown += (shown.empty() ? "" : " / ") + std::string(alternative);
            rest = separator == std::string_view::npos ? std::string_view() : rest.substr(separator + 1);
        }
    }
    return shown;
}

bool matchesAny(const std::string& answer, const richtext::TextBoxEntry& box)
{
    return richtext::MatchAnswer(answer, box.Value) || richtext::MatchAnswer(answer, box.Value2) ||
           richtext::MatchAnswer(answer, box.Value3);
}

std::string positions(const std::vector<int>& chosen)
{
    std::string text = "第 ";
    for (std::size_t k = 0; k < chosen.size(); ++k)
        text += (k ? "、" : "") + std::to_string(chosen[k]);
    return text + " 项";
}

class ReportWriter {
public:
    explicit ReportWriter(ScoreReport& report) : report_(report) {}

    void add(std::string question, Verdict verdict, const std::string& key)
    {
        if (verdict != Verdict::Ungraded)
            ++report_.graded;
        if (verdict == Verdict::Right)
            ++report_.right;
        switch (verdict) {
        case Verdict::Right:
            question += " —— 对";
            break;
        case Verdict::Wrong:
        case Verdict::Unanswered:
            question += " —— 错，答案：" + key;
            break;
        case Verdict::Ungraded:
            question += "，不计分";
            break;
        }
        report_.lines.push_back({std::move(question), verdict});
    }

private:
    ScoreReport& report_;
};

void judgeTextBox(const ScoreRecord& record, const richtext::DocumentModel& lesson, ReportWriter& out)
{
    richtext::TextBoxEntry box;
    box.Value = record.key;
    if (record.number <= lesson.nTextBox())
        box = lesson.TextBoxes[std::size_t(record.number) - 1];
    const std::string label = "填空 " + std::to_string(record.number) + "：";
    const std::string answer = base::trimSpaces(record.answer);
    if (!box.Mode.empty())
        return out.add(label + "自由作答", Verdict::Ungraded, {});
    if (answer.empty())
        return out.add(label + "未填", Verdict::Unanswered, acceptedAnswers(box));
    out.add(label + "“" + answer + "”", matchesAny(record.answer, box) ? Verdict::Right : Verdict::Wrong,
            acceptedAnswers(box));
}

void judgeRadioGroup(const ScoreRecord& record, ReportWriter& out)
{
    const int chosen = std::stoi(record.answer);
    const int key = std::stoi(record.key);
    std::string question = "选择 " + std::to_string(record.number) + "：";
    question += chosen == 0 ? "未选" : "选了" + positions({chosen});
    if (key == 0)
        return out.add(question, Verdict::Ungraded, {});
    const Verdict verdict = chosen == 0 ? Verdict::Unanswered : chosen == key ? Verdict::Right : Verdict::Wrong;
    out.add(question, verdict, positions({key}));
}

// Check boxes that follow each other on one line.
std::vector<std::vector<richtext::CheckBoxEntry>> checkBoxQuestions(const richtext::DocumentModel& lesson)
{
    std::vector<std::vector<richtext::CheckBoxEntry>> questions;
    for (const auto& box : lesson.CheckBoxes) {
        if (questions.empty() || questions.back().back().Y != box.Y)
            questions.emplace_back();
        questions.back().push_back(box);
    }
    return questions;
}

void judgeCheckBoxes(int number, const std::vector<richtext::CheckBoxEntry>& boxes, ReportWriter& out)
{
    std::vector<int> chosen, keys;
    bool allAsKey = true;
    for (std::size_t k = 0; k < boxes.size(); ++k) {
        if (boxes[k].Checked)
            chosen.push_back(int(k) + 1);
        if (boxes[k].Key)
            keys.push_back(int(k) + 1);
        allAsKey = allAsKey && boxes[k].Checked == boxes[k].Key;
    }
    std::string question = "多选 " + std::to_string(number) + "：";
    question += chosen.empty() ? "未选" : "选了" + positions(chosen);
    if (keys.empty())
        return out.add(question, Verdict::Ungraded, {});
    const Verdict verdict = allAsKey ? Verdict::Right : chosen.empty() ? Verdict::Unanswered : Verdict::Wrong;
    out.add(question, verdict, positions(keys));
}

} // namespace

ScoreReport MakeReport(const std::vector<ScoreRecord>& records, const richtext::DocumentModel& lesson)
{
    ScoreReport report;
    ReportWriter out(report);
    for (const ScoreRecord& record : records)
        if (record.kind == ScoreRecord::Kind::Text)
            judgeTextBox(record, lesson, out);
    for (const ScoreRecord& record : records)
        if (record.kind == ScoreRecord::Kind::Radio)
            judgeRadioGroup(record, out);
    int number = 0;
    for (const auto& boxes : checkBoxQuestions(lesson))
        judgeCheckBoxes(++number, boxes, out);
    return report;
}

int ScoreReport::Score() const { return graded == 0 ? 0 : (200 * right + graded) / (2 * graded); }

std::string ScoreReport::Summary() const
{
    if (graded == 0)
        return "本课没有要评分的题目。";
    return "得分：" + std::to_string(Score()) + " 分（答对 " + std::to_string(right) + " 题，共 " +
           std::to_string(graded) + " 题）";
}

} // namespace reader
