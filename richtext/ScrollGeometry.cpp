#include "ScrollGeometry.h"
#include "base/Conversions.h"

#include <cmath>
#include <optional>
#include <stdexcept>

namespace richtext {

namespace {

template <class T>
T fitted(std::optional<T> converted)
{
    if (!converted)
        throw std::overflow_error("scrollbar: a position or value out of its whole-number range");
    return *converted;
}

// Differences of two 32-bit numbers are exact in a double.
double span(const ScrollRange& range) { return double(range.Max) - double(range.Min); }

double exactOffset(const ScrollRange& range, std::int32_t value, std::int32_t travel)
{
    return double(travel) * (double(value) - range.Min) / span(range);
}

} // namespace

std::int32_t ScrollRange::limit(std::int32_t value) const
{
    if (value < Min)
        return Min;
    if (value > Max)
        return Max;
    return std::int32_t(value);
}

std::int32_t valueAtOffset(const ScrollRange& range, double offset, std::int32_t travel)
{
    if (travel == 0)
        throw std::domain_error("scrollbar: the bar is as long as the track and cannot travel");
    return fitted(base::toInt32(range.Min + span(range) * offset / travel));
}

std::int16_t offsetOfValue(const ScrollRange& range, std::int32_t value, std::int32_t travel)
{
    return fitted(base::toInt16(exactOffset(range, value, travel)));
}

std::int32_t truncatedOffsetOfValue(const ScrollRange& range, std::int32_t value, std::int32_t travel)
{
    return fitted(base::toInt32(std::trunc(exactOffset(range, value, travel))));
}

std::int16_t centredOffset(double pointer, std::int32_t barLength, std::int32_t travel)
{
    std::int32_t offset = fitted(base::toInt32(pointer - barLength / 2.0));
    if (offset < 0)
        offset = 0;
    if (offset > travel)
        offset = travel;
    return fitted(base::toInt16(offset));
}

std::int32_t draggedOffset(std::int32_t wanted, const ScrollAxis& axis)
{
    if (wanted > 0 && std::int64_t(wanted) + axis.barLength < axis.trackLength)
        return wanted;
    if (wanted <= 0)
        return 0;
    return axis.travel();
}

std::int32_t checkedSum(std::int32_t value, double step)
{
    return fitted(base::toInt32(value + step));
}

} // namespace richtext
