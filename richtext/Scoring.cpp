#include "Scoring.h"
#include "TextScan.h"

namespace richtext {

namespace {

constexpr char kNul = '\0';

void appendField(std::string& out, std::string_view field)
{
    out += field;
    out += kNul;
}

std::string textPart(const DocumentModel& doc,
                     const std::function<std::optional<std::string>(std::size_t box)>& answerOf)
{
    std::string part;
    for (std::size_t i = 0; i < doc.TextBoxes.size(); ++i) {
        const std::optional<std::string> answer = answerOf(i);
        if (!answer)
            continue;
        appendField(part, "text");
        appendField(part, std::to_string(i + 1));
        appendField(part, "noname");
        appendField(part, *answer);
        appendField(part, doc.TextBoxes[i].Value);
    }
    return part;
}

// The position from 1 of the last item in the run that passes `test`; 0 for none.
template <typename Test>
std::size_t lastPositionIn(const std::vector<RadioEntry>& radios, RadioRun run, Test test)
{
    std::size_t position = 0;
    for (std::size_t k = 0; k < run.count; ++k)
        if (test(radios[run.first + k]))
            position = k + 1;
    return position;
}

std::string radioPart(const std::vector<RadioEntry>& radios)
{
    std::string part;
    const std::vector<RadioRun> runs = RadioRuns(radios);
    for (std::size_t g = 0; g < runs.size(); ++g) {
        if (g > 0)
            part += kNul;
        appendField(part, "radio");
        appendField(part, std::to_string(g + 1));
        appendField(part, radios[runs[g].first].Group);
        appendField(part, std::to_string(lastPositionIn(radios, runs[g], [](const RadioEntry& r) { return r.Selected; })));
        part += std::to_string(lastPositionIn(radios, runs[g], [](const RadioEntry& r) { return r.Key; }));
    }
    return part;
}

} // namespace

bool MatchAnswer(std::string_view answer, std::string_view key)
{
    if (key.empty())
        return false;
    const std::string_view given = trim(answer);
    for (std::size_t from = 0;;) {
        const std::size_t separator = key.find('\\', from);
        if (separator == std::string_view::npos)
            return key.substr(from) == given;
        if (key.substr(from, separator - from) == given)
            return true;
        from = separator + 1;
    }
}

std::string TextValue(const TextBoxEntry& box)
{
    if (!box.Value3.empty())
        return box.Value + " / " + box.Value2 + " / " + box.Value3;
    if (!box.Value2.empty())
        return box.Value + " / " + box.Value2;
    return box.Value;
}

std::vector<RadioRun> RadioRuns(const std::vector<RadioEntry>& radios)
{
    std::vector<RadioRun> runs;
    for (std::size_t i = 0; i < radios.size(); ++i) {
        if (runs.empty() || radios[i].Group != radios[runs.back().first].Group)
            runs.push_back({i, 0});
        ++runs.back().count;
    }
    return runs;
}

std::string ScoreString(const DocumentModel& doc,
                        const std::function<std::optional<std::string>(std::size_t box)>& answerOf)
{
    const std::string text = textPart(doc, answerOf);
    const std::string radio = radioPart(doc.Radios);
    if (!text.empty() && !radio.empty())
        return text + kNul + radio;
    return text.empty() ? radio : text;
}

std::vector<std::string_view> ScoreFields(std::string_view score)
{
    std::vector<std::string_view> fields;
    std::size_t from = 0;
    for (std::size_t nul = score.find(kNul); nul != std::string_view::npos; nul = score.find(kNul, from)) {
        fields.push_back(score.substr(from, nul - from));
        from = nul + 1;
    }
    fields.push_back(score.substr(from));
    return fields;
}

} // namespace richtext
