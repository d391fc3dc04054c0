#include "AnswerPainter.h"
#include "CSuperTextC.h"
#include "Scoring.h"

#include "base/Conversions.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

namespace richtext {

void CSuperTextC::getkey()
{
    if (ShowKey_)
        return;
    ShowKey_ = true;
    if (std::optional<AnswerPainter> answers = answerPainter()) {
        answers->MarkTextBoxes(objText_);
        answers->MarkCheckBoxes();
        answers->MarkRadios();
    }
}

std::string CSuperTextC::GetScore() const
{
    return ScoreString(doc_, [this](std::size_t box) -> std::optional<std::string> {
        const int holder = int(box) + 1;
        if (!objText_ || !objText_->exists(holder))
            return std::nullopt;
        return (*objText_)[holder].text();
    });
}

// Text answers go back to the box numbered subjectNo. A radio answer picks
// the item at its position in its group: the group numbered subjectNo when
// that one has the name, else the first group of the name, so groups that
// share a name come back as they were saved. A position outside the group
// is skipped rather than choosing an item of another group.
void CSuperTextC::PutScore(const std::string& subjectType, const std::string& subjectName, int subjectNo,
                           const std::string& value)
{
    if (subjectType == "text") {
        if (objText_ && objText_->exists(subjectNo))
            (*objText_)[subjectNo].setText(value);
        return;
    }
    if (subjectType != "radio")
        return;
    const auto position = base::toInt16(value);
    if (!position)
        return;
    const int item = radioOfScore(subjectName, subjectNo, *position);
    if (item < 0)
        return;
    doc_.Radios[std::size_t(item)].Selected = true;
    if (std::optional<AnswerPainter> answers = answerPainter())
        answers->DrawRadio(doc_.Radios[std::size_t(item)], true);
}

void CSuperTextC::PutCheckBox(std::int16_t index, bool checked)
{
    if (index < 0 || index >= doc_.nCheckBox())
        return;
    CheckBoxEntry& item = doc_.CheckBoxes[std::size_t(index)];
    item.Checked = checked;
    if (std::optional<AnswerPainter> answers = answerPainter())
        answers->DrawCheckBox(item, checked);
}

int CSuperTextC::radioOfScore(const std::string& group, int groupNo, int position) const
{
    const std::vector<RadioRun> runs = RadioRuns(doc_.Radios);
    auto named = [&](const RadioRun& run) { return doc_.Radios[run.first].Group == group; };
    const RadioRun* chosen = nullptr;
    if (groupNo >= 1 && std::size_t(groupNo) <= runs.size() && named(runs[std::size_t(groupNo) - 1]))
        chosen = &runs[std::size_t(groupNo) - 1];
    for (std::size_t g = 0; !chosen && g < runs.size(); ++g)
        if (named(runs[g]))
            chosen = &runs[g];
    if (!chosen || position < 1 || std::size_t(position) > chosen->count)
        return -1;
    return int(chosen->first) + position - 1;
}

const TextBoxEntry& CSuperTextC::textBox(std::int16_t index) const
{
    if (index < 0 || index >= doc_.nTextBox())
        throw std::out_of_range("no text box with this index");
    return doc_.TextBoxes[std::size_t(index)];
}

std::string CSuperTextC::GetTextValue(std::int16_t index) const { return TextValue(textBox(index)); }

std::int16_t CSuperTextC::GetTextLeft(std::int16_t index) const { return textBox(index).X; }

std::int16_t CSuperTextC::GetTextTop(std::int16_t index) const
{
    const std::int64_t top = std::int64_t(textBox(index).Y) - PageTop();
    return std::int16_t(std::clamp<std::int64_t>(top, INT16_MIN, INT16_MAX));
}

// The box comes three lines below the top of the page; a box above the
// page is left where it is.
bool CSuperTextC::TableTextBox(int index)
{
    if (index < 0 || doc_.TextBoxes.empty())
        throw std::out_of_range("TableTextBox: no text box with this index");
    const auto lineThreeAbove = [this](const TextBoxEntry& box) {
        return base::toInt16(box.Y / page_.nLineHeight - 3).value_or(0);
    };
    if (std::size_t(index) >= doc_.TextBoxes.size()) {
        ScrollTo(lineThreeAbove(doc_.TextBoxes.front()));
        return false;
    }
    const TextBoxEntry& box = doc_.TextBoxes[std::size_t(index)];
    if (box.Y > (page_.nPageLine + page_.FirstLine) * page_.nLineHeight)
        ScrollTo(lineThreeAbove(box));
    return true;
}

// Presses change nothing while the key is shown.
void CSuperTextC::ToggleCheckBox(int i)
{
    if (ShowKey_)
        return;
    CheckBoxEntry& item = doc_.CheckBoxes[std::size_t(i)];
    item.Checked = !item.Checked;
    if (std::optional<AnswerPainter> answers = answerPainter())
        answers->DrawCheckBox(item, item.Checked);
}

// Every item of the same name is cleared, wherever it stands.
void CSuperTextC::SelectRadio(int i)
{
    if (ShowKey_)
        return;
    const std::string group = doc_.Radios[std::size_t(i)].Group;
    std::optional<AnswerPainter> answers = answerPainter();
    for (RadioEntry& item : doc_.Radios) {
        if (item.Group != group)
            continue;
        item.Selected = false;
        if (answers)
            answers->DrawRadio(item, false);
    }
    doc_.Radios[std::size_t(i)].Selected = true;
    if (answers)
        answers->DrawRadio(doc_.Radios[std::size_t(i)], true);
}

} // namespace richtext
