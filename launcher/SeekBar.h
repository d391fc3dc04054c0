#pragma once
#include <cstdint>
#include <optional>

namespace launcher {

// The seek bar's geometry, apart from its controls and its mouse handling:
// the thumb's left stays within MinLeft ... MaxLeft, and a left within that
// range stands for a movie position in proportion.
class SeekBar {
public:
    SeekBar(int trackLeft, int trackWidth, int thumbWidth);

    std::int16_t MinLeft = 0;
    std::int16_t MaxLeft = 0;

    // Where a candidate left puts the thumb. Outside the range the thumb
    // stops at the nearer end and no seek follows.
    struct Placement {
        int left;
        bool seek;
    };
    Placement Place(double candidateLeft) const;
    int Clamp(double candidateLeft) const;

    // The thumb's left for a movie position; none while the duration is
    // unknown.
    std::optional<int> ThumbLeftAt(double position, double duration) const;
    // The movie position a thumb left stands for.
    double PositionAt(int thumbLeft, double duration) const;

private:
    int travel() const { return MaxLeft - MinLeft; }
};

} // namespace launcher
