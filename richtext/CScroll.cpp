#include "CScroll.h"
#include "base/Conversions.h"

#include <stdexcept>

namespace richtext {

namespace {

constexpr std::int16_t kLeftButton = 1;

// A size or pointer coordinate kept in a 16-bit field, rounded halves to even.
std::int16_t rounded16(double number)
{
    if (auto converted = base::toInt16(number))
        return *converted;
    throw std::overflow_error("scrollbar: a size or position outside the 16-bit range");
}

void takeTrackLook(platform::PictureBox* spare, const platform::PictureBox& track)
{
    if (!spare)
        return;
    spare->resize(track.width(), track.height());
    spare->setPicture(track.picture());
}

} // namespace

bool CScroll::Initialize(platform::PictureBox& picback, platform::PictureBox& picBar, platform::PictureBox* picTmp1,
                         platform::PictureBox* picTmp2)
{
    picback_ = &picback;
    picBar_ = &picBar;
    takeTrackLook(picTmp1, picback);
    takeTrackLook(picTmp2, picback);
    trackWidth_ = rounded16(picback.width());
    trackHeight_ = rounded16(picback.height());
    barWidth_ = rounded16(picBar.width());
    barHeight_ = rounded16(picBar.height());
    Horizontal_ = trackWidth_ > trackHeight_;
    BarPos = 0;
    PlaceBar();
    Dragging = false;
    value_ = 0;
    range_ = ScrollRange{};
    ReturnMode_ = 1;
    LargeChange_ = 1;
    SmallChange_ = 1;
    return true;
}

void CScroll::Reset() { moveBarTo(0); }

void CScroll::value(std::int32_t New_Value)
{
    if (Dragging)
        return;
    if (!range_.empty()) {
        const std::int32_t limited = range_.limit(New_Value);
        std::int16_t offset = offsetOfValue(range_, limited, capturedAxis().travel());
        if (Horizontal_ && bar().width() + offset > track().width())
            offset = rounded16(track().width() - bar().width());
        value_ = limited;
        BarPos = offset;
        PlaceBar();
    }
    if (New_Value == 0) {
        value_ = 0;
        BarPos = 0;
        PlaceBar();
    }
}

void CScroll::Enabled(bool New_Enabled)
{
    Enabled_ = New_Enabled;
    track().setEnabled(New_Enabled);
    bar().setEnabled(New_Enabled);
}

void CScroll::PageUp() { pageStep(-double(LargeChange_)); }
void CScroll::PageDown() { pageStep(LargeChange_); }
void CScroll::LineUp() { lineStep(-double(SmallChange_)); }
void CScroll::LineDown() { lineStep(SmallChange_); }

// The page steps place the bar at the whole part of its exact position, from
// the controls' present sizes, and leave BarPos as it was.
void CScroll::pageStep(double step)
{
    if (range_.empty())
        return;
    const std::int32_t stepped = range_.limit(checkedSum(value_, step));
    const std::int32_t offset = truncatedOffsetOfValue(range_, stepped, liveAxis().travel());
    value_ = stepped;
    moveBarTo(offset);
    raiseChange();
}

void CScroll::lineStep(double step)
{
    if (range_.empty())
        return;
    value_ = range_.limit(checkedSum(value_, step));
    raiseChange();
    BarPos = offsetOfValue(range_, value_, capturedAxis().travel());
    PlaceBar();
}

void CScroll::OnBackMouseDown(std::int16_t Button, std::int16_t, double X, double Y)
{
    if (Button != kLeftButton)
        return;
    Dragging = true;
    followPointerOnTrack(along(X, Y));
    PlaceBar();
}

void CScroll::OnBackMouseMove(std::int16_t Button, std::int16_t, double X, double Y)
{
    if (Button != kLeftButton)
        return;
    followPointerOnTrack(along(X, Y));
    if (takeValueAt(BarPos))
        raiseChange();
    PlaceBar();
}

void CScroll::OnBackMouseUp(std::int16_t Button, std::int16_t, double, double)
{
    if (Button != kLeftButton)
        return;
    Dragging = false;
    if (takeValueAt(BarPos))
        raiseChange();
}

void CScroll::OnBarMouseDown(std::int16_t Button, std::int16_t, double X, double Y)
{
    if (Button != kLeftButton)
        return;
    GrabPointX = rounded16(X);
    GrabPointY = rounded16(Y);
}

void CScroll::OnBarMouseMove(std::int16_t Button, std::int16_t, double X, double Y)
{
    if (range_.empty() || Button != kLeftButton)
        return;
    const double grabbed = Horizontal_ ? GrabPointX : GrabPointY;
    const std::int32_t moved = checkedSum(0, along(X, Y) - grabbed);
    moveBarTo(draggedOffset(checkedSum(barOffset(), moved), liveAxis()));
    if (ReturnMode_ == 1 && takeValueAt(barOffset()))
        raiseChange();
}

void CScroll::OnBarMouseUp(std::int16_t, std::int16_t, double, double)
{
    takeValueAt(barOffset());
    raiseChange();
}

void CScroll::followPointerOnTrack(double pointer)
{
    const ScrollAxis axis = capturedAxis();
    BarPos = centredOffset(pointer, axis.barLength, axis.travel());
}

bool CScroll::takeValueAt(std::int32_t offset)
{
    const std::int32_t at = valueAtOffset(range_, offset, capturedAxis().travel());
    const bool changed = at != value_;
    value_ = at;
    return changed;
}

void CScroll::raiseChange()
{
    if (Change)
        Change();
}

platform::PictureBox& CScroll::track() const
{
    if (!picback_)
        throw std::logic_error("scrollbar: used before Initialize");
    return *picback_;
}

platform::PictureBox& CScroll::bar() const
{
    if (!picBar_)
        throw std::logic_error("scrollbar: used before Initialize");
    return *picBar_;
}

int CScroll::startOf(const platform::Control& control) const { return Horizontal_ ? control.left() : control.top(); }
int CScroll::lengthOf(const platform::Control& control) const { return Horizontal_ ? control.width() : control.height(); }

ScrollAxis CScroll::capturedAxis() const
{
    return Horizontal_ ? ScrollAxis{trackWidth_, barWidth_} : ScrollAxis{trackHeight_, barHeight_};
}

ScrollAxis CScroll::liveAxis() const { return ScrollAxis{lengthOf(track()), lengthOf(bar())}; }

std::int32_t CScroll::barOffset() const { return startOf(bar()) - startOf(track()); }

void CScroll::moveBarTo(std::int32_t offset)
{
    const int start = startOf(track()) + offset;
    if (Horizontal_)
        bar().move(start, bar().top());
    else
        bar().move(bar().left(), start);
}

} // namespace richtext
