#include "SeekBar.h"
#include "base/Conversions.h"

#include <algorithm>
#include <stdexcept>

namespace launcher {

SeekBar::SeekBar(int trackLeft, int trackWidth, int thumbWidth)
{
    const auto minLeft = base::toInt16(double(trackLeft));
    const auto maxLeft = base::toInt16(double(trackLeft) + trackWidth - thumbWidth);
    if (!minLeft || !maxLeft || *maxLeft <= *minLeft)
        throw std::invalid_argument("seek bar: the thumb must be narrower than the track");
    MinLeft = *minLeft;
    MaxLeft = *maxLeft;
}

SeekBar::Placement SeekBar::Place(double candidateLeft) const
{
    const int left = Clamp(candidateLeft);
    return {left, candidateLeft >= MinLeft && candidateLeft <= MaxLeft};
}

int SeekBar::Clamp(double candidateLeft) const
{
    if (candidateLeft < MinLeft)
        return MinLeft;
    if (candidateLeft > MaxLeft)
        return MaxLeft;
    return base::toInt16(candidateLeft).value_or(MinLeft);
}

std::optional<int> SeekBar::ThumbLeftAt(double position, double duration) const
{
    // A movie that is not loaded has no duration; dividing by it would put
    // the thumb nowhere.
    if (!(duration > 0))
        return std::nullopt;
    const auto left = base::toInt16(MinLeft + position * travel() / duration);
    if (!left)
        return std::nullopt;
    return std::clamp<int>(*left, MinLeft, MaxLeft);
}

double SeekBar::PositionAt(int thumbLeft, double duration) const
{
    return double(thumbLeft - MinLeft) * duration / travel();
}

} // namespace launcher
