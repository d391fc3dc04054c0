#pragma once
#include <QJsonObject>
#include <string>
#include <vector>

namespace tools::media {

enum class Instrument { Pluck, Bell, Pad };

// One note or chord of a voice; a rest has no pitches.
struct Note {
    double startBeat = 0;
    double beats = 0;
    std::vector<double> frequencies; // hertz
};

struct Voice {
    Instrument instrument = Instrument::Pluck;
    double volume = 1;
    std::vector<Note> notes;
};

// What is played, in beats; `Synth` turns it into samples. A looping score
// lets notes ring on across its end into its beginning, so the sound repeats
// without a seam.
struct Score {
    int sampleRate = 22050;
    double tempo = 90; // beats per minute
    double beats = 0;  // the length of the piece
    bool loop = false;
    std::vector<Voice> voices;

    double secondsPerBeat() const { return 60.0 / tempo; }
    double seconds() const { return beats * secondsPerBeat(); }
};

// Reads a score from its JSON description. Throws std::invalid_argument
// naming what is wrong.
//
// { "sampleRate": 22050, "tempo": 96, "beats": 32, "loop": true,
//   "voices": [ { "instrument": "pluck" | "bell" | "pad", "volume": 0.6,
//                 "notes": "D5:1 E5:0.5 F#5:0.5 D4+A4:2 -:1" } ] }
//
// A note is its pitches joined by '+' (name, optional '#' or 'b', octave;
// A4 is 440 Hz), a colon and its length in beats; '-' is a rest. "beats"
// defaults to the longest voice.
Score readScore(const QJsonObject& description);

// The frequency of a pitch name such as "A4", "F#5" or "Bb3".
double pitchFrequency(const std::string& name);

// Parses a voice's note text into notes placed one after another.
std::vector<Note> parseNotes(const std::string& text);

} // namespace tools::media
