#include "Synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tools::media {
namespace {

// The partials of an instrument: frequency ratio, amplitude and how fast it
// dies away (per second); a pad holds its notes instead of dying away.
struct Partial {
    double ratio;
    double amplitude;
    double decay;
};

struct Timbre {
    std::vector<Partial> partials;
    double ringSeconds; // after the note's start (pluck, bell) or its end (pad)
    bool held;
};

const Timbre& timbreOf(Instrument instrument)
{
    // A plucked string: harmonics whose upper ones fade first.
    static const Timbre pluck{{{1, 1, 2.2}, {2, 0.45, 3.4}, {3, 0.22, 4.6}, {4, 0.12, 5.8}, {5, 0.06, 7}}, 1.6, false};
    // A small bell: inharmonic partials, a long ring.
    static const Timbre bell{{{1, 1, 1.4}, {2.0, 0.5, 2.0}, {2.76, 0.3, 2.6}, {5.4, 0.12, 4}}, 2.4, false};
    // A soft sustained tone.
    static const Timbre pad{{{1, 1, 0}, {2, 0.25, 0}, {3, 0.08, 0}}, 0.35, true};
    switch (instrument) {
    case Instrument::Bell: return bell;
    case Instrument::Pad: return pad;
    case Instrument::Pluck: break;
    }
    return pluck;
}

double envelope(const Timbre& timbre, double t, double heldSeconds, double totalSeconds)
{
    const double attack = timbre.held ? std::min(0.2, heldSeconds / 3) : 0.004;
    double level = t < attack ? t / attack : 1;
    if (timbre.held && t > heldSeconds)
        level *= 1 - (t - heldSeconds) / timbre.ringSeconds;
    // The last 10 ms fall to zero, so no note ends on a jump.
    const double tail = 0.01;
    if (t > totalSeconds - tail)
        level *= std::max(0.0, (totalSeconds - t) / tail);
    return level;
}

void addTone(std::vector<double>& mix, bool wrap, std::size_t start, double frequency, double heldSeconds,
    const Timbre& timbre, double volume, int sampleRate)
{
    const double totalSeconds = timbre.held ? heldSeconds + timbre.ringSeconds : std::max(heldSeconds, timbre.ringSeconds);
    const auto length = static_cast<std::size_t>(totalSeconds * sampleRate);
    for (std::size_t i = 0; i < length; ++i) {
        std::size_t at = start + i;
        if (at >= mix.size() && !wrap)
            break;
        const double t = double(i) / sampleRate;
        double value = 0;
        for (const Partial& p : timbre.partials)
            value += p.amplitude * std::exp(-p.decay * t) * std::sin(2 * std::numbers::pi * frequency * p.ratio * t);
        mix[at % mix.size()] += volume * envelope(timbre, t, heldSeconds, totalSeconds) * value;
    }
}

void fadeOut(std::vector<double>& mix, int sampleRate)
{
    const std::size_t fade = std::min(mix.size(), static_cast<std::size_t>(sampleRate / 4));
    for (std::size_t i = 0; i < fade; ++i)
        mix[mix.size() - 1 - i] *= double(i) / fade;
}

std::vector<std::int16_t> toPcm(const std::vector<double>& mix)
{
    double peak = 0;
    for (double v : mix)
        peak = std::max(peak, std::abs(v));
    const double gain = peak > 0 ? 0.7 * 32767 / peak : 0;
    std::vector<std::int16_t> pcm(mix.size());
    std::transform(mix.begin(), mix.end(), pcm.begin(),
        [gain](double v) { return static_cast<std::int16_t>(std::lround(v * gain)); });
    return pcm;
}

} // namespace

std::vector<std::int16_t> synthesize(const Score& score, std::size_t sampleCount)
{
    const double beatSamples = score.secondsPerBeat() * score.sampleRate;
    if (sampleCount == 0)
        sampleCount = static_cast<std::size_t>(std::lround(score.beats * beatSamples));
    std::vector<double> mix(std::max<std::size_t>(sampleCount, 1));
    for (const Voice& voice : score.voices) {
        const Timbre& timbre = timbreOf(voice.instrument);
        for (const Note& note : voice.notes) {
            const auto start = static_cast<std::size_t>(std::lround(note.startBeat * beatSamples));
            if (start >= mix.size() && !score.loop)
                continue;
            for (double frequency : note.frequencies)
                addTone(mix, score.loop, start, frequency, note.beats * score.secondsPerBeat(), timbre, voice.volume,
                    score.sampleRate);
        }
    }
    if (!score.loop)
        fadeOut(mix, score.sampleRate);
    mix.resize(sampleCount);
    return toPcm(mix);
}

} // namespace tools::media
