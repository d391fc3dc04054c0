#include "Score.h"
#include "DescriptionValues.h"

#include <QJsonArray>
#include <algorithm>
#include <cmath>
#include <sstream>
#include <stdexcept>

namespace tools::media {
namespace {

int semitoneOf(char letter)
{
    switch (letter) {
    case 'C': return 0;
    case 'D': return 2;
    case 'E': return 4;
    case 'F': return 5;
    case 'G': return 7;
    case 'A': return 9;
    case 'B': return 11;
    default: descriptionError(std::string("not a pitch letter: ") + letter);
    }
}

double noteLength(const std::string& text, const std::string& token)
{
    std::size_t used = 0;
    double beats = 0;
    try {
        beats = std::stod(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != text.size() || !(beats > 0) || beats > 1000)
        descriptionError("\"" + token + "\" needs a length in beats after the colon");
    return beats;
}

Note parseToken(const std::string& token, double startBeat)
{
    std::size_t colon = token.find(':');
    if (colon == std::string::npos)
        descriptionError("\"" + token + "\" is not pitch:beats");
    Note note{startBeat, noteLength(token.substr(colon + 1), token), {}};
    std::string pitches = token.substr(0, colon);
    if (pitches == "-")
        return note;
    // Every piece between the '+' signs must be a pitch, the empty ones too.
    for (std::size_t from = 0;;) {
        std::size_t plus = pitches.find('+', from);
        note.frequencies.push_back(pitchFrequency(pitches.substr(from, plus - from)));
        if (plus == std::string::npos)
            return note;
        from = plus + 1;
    }
}

Instrument instrumentNamed(const QString& name)
{
    static const std::pair<const char*, Instrument> names[]{
        {"pluck", Instrument::Pluck}, {"bell", Instrument::Bell}, {"pad", Instrument::Pad}};
    return namedValue(name, names, "instrument");
}

double endBeat(const Voice& voice)
{
    return voice.notes.empty() ? 0 : voice.notes.back().startBeat + voice.notes.back().beats;
}

} // namespace

double pitchFrequency(const std::string& name)
{
    if (name.size() < 2)
        descriptionError("not a pitch: \"" + name + "\"");
    int semitone = semitoneOf(name[0]);
    std::size_t at = 1;
    if (name[at] == '#' || name[at] == 'b')
        semitone += name[at++] == '#' ? 1 : -1;
    if (at + 1 != name.size() || name[at] < '0' || name[at] > '8')
        descriptionError("not a pitch: \"" + name + "\" (an octave from 0 to 8 ends it)");
    int midi = 12 * (name[at] - '0' + 1) + semitone;
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

std::vector<Note> parseNotes(const std::string& text)
{
    std::vector<Note> notes;
    std::stringstream tokens(text);
    double beat = 0;
    for (std::string token; tokens >> token;) {
        notes.push_back(parseToken(token, beat));
        beat += notes.back().beats;
    }
    return notes;
}

Score readScore(const QJsonObject& description)
{
    Score score;
    score.sampleRate = static_cast<int>(numberIn(description, "sampleRate", 8000, 48000, score.sampleRate));
    score.tempo = numberIn(description, "tempo", 20, 400, score.tempo);
    score.loop = description["loop"].toBool();
    for (const QJsonValue& v : description["voices"].toArray()) {
        QJsonObject o = v.toObject();
        score.voices.push_back(Voice{instrumentNamed(o["instrument"].toString("pluck")),
            numberIn(o, "volume", 0, 1, 1), parseNotes(o["notes"].toString().toStdString())});
    }
    double longest = 0;
    for (const Voice& voice : score.voices)
        longest = std::max(longest, endBeat(voice));
    score.beats = numberIn(description, "beats", 0, 100000, longest);
    if (!(score.beats > 0))
        descriptionError("a score needs notes or a length in \"beats\"");
    return score;
}

} // namespace tools::media
