#pragma once
#include "ScrollGeometry.h"
#include "platform/Controls.h"

#include <cstdint>
#include <functional>

namespace richtext {

// A scrollbar made of two host picture boxes: a track and a bar (the thumb)
// that slides along it. It draws nothing: it moves the bar control and keeps
// a value between Min and Max. The host forwards the mouse events of both
// pictures to the On... methods and listens to Change; what scrolls is the
// host's business. The bar runs along the track's longer side.
//
// One coordinate frame throughout: a bar position is the bar's offset from
// the start of the track along the axis in use. Every operation that reads
// the bar subtracts the track's Left (or Top), every one that moves it adds
// it, so the two controls may sit anywhere in their container.
class CScroll {
public:
    // Holds the track and the bar; the two optional spare pictures get the
    // track's size and picture and are not kept. Returns true.
    bool Initialize(platform::PictureBox& picback, platform::PictureBox& picBar,
                    platform::PictureBox* picTmp1 = nullptr, platform::PictureBox* picTmp2 = nullptr);
    // Moves the bar to the start of the track; the value stays.
    void Reset();

    std::int32_t value() const { return value_; }
    // Ignored while the track is pressed. A value of 0 always puts the bar at
    // the start and stores 0, whatever Min is. Raises no Change.
    void value(std::int32_t New_Value);
    std::int32_t Max() const { return range_.Max; }
    void Max(std::int32_t New_Max) { range_.Max = New_Max; }
    std::int32_t Min() const { return range_.Min; }
    void Min(std::int32_t New_Min) { range_.Min = New_Min; }
    // 1: the value follows a dragged bar; otherwise it changes on release.
    std::int16_t ReturnMode() const { return ReturnMode_; }
    void ReturnMode(std::int16_t New_ReturnMode) { ReturnMode_ = New_ReturnMode; }
    std::int32_t LargeChange() const { return LargeChange_; }
    void LargeChange(std::int32_t New_LargeChange) { LargeChange_ = New_LargeChange; }
    std::int32_t SmallChange() const { return SmallChange_; }
    void SmallChange(std::int32_t New_SmallChange) { SmallChange_ = New_SmallChange; }
    bool Enabled() const { return Enabled_; }
    // Enables or disables both controls, so a disabled bar gets no input.
    void Enabled(bool New_Enabled);
    bool Horizontal() const { return Horizontal_; }

    // Steps by LargeChange or SmallChange; each raises Change, even at an end.
    void PageUp();
    void PageDown();
    void LineUp();
    void LineDown();

    // The track's mouse events (left button only): a press puts the bar's
    // centre under the pointer, a drag follows it, the release settles.
    void OnBackMouseDown(std::int16_t Button, std::int16_t Shift, double X, double Y);
    void OnBackMouseMove(std::int16_t Button, std::int16_t Shift, double X, double Y);
    void OnBackMouseUp(std::int16_t Button, std::int16_t Shift, double X, double Y);
    // The bar's mouse events: the bar is dragged by the point it was pressed.
    void OnBarMouseDown(std::int16_t Button, std::int16_t Shift, double X, double Y);
    void OnBarMouseMove(std::int16_t Button, std::int16_t Shift, double X, double Y);
    void OnBarMouseUp(std::int16_t Button, std::int16_t Shift, double X, double Y);

    // The value may have changed.
    std::function<void()> Change;

private:
    platform::PictureBox& track() const;
    platform::PictureBox& bar() const;
    // Start and length of a control along the axis in use.
    int startOf(const platform::Control& control) const;
    int lengthOf(const platform::Control& control) const;
    double along(double X, double Y) const { return Horizontal_ ? X : Y; }
    // The sizes captured by Initialize, and the controls' sizes now.
    ScrollAxis capturedAxis() const;
    ScrollAxis liveAxis() const;

    std::int32_t barOffset() const;
    void moveBarTo(std::int32_t offset);
    void PlaceBar() { moveBarTo(BarPos); }
    void followPointerOnTrack(double pointer);
    // Stores the value the bar's position stands for; true when it changed.
    bool takeValueAt(std::int32_t offset);
    void raiseChange();
    void pageStep(double step);
    void lineStep(double step);

    platform::PictureBox* picback_ = nullptr;
    platform::PictureBox* picBar_ = nullptr;
    std::int32_t value_ = 0;
    ScrollRange range_;
    std::int16_t ReturnMode_ = 1;
    std::int32_t LargeChange_ = 1;
    std::int32_t SmallChange_ = 1;
    bool Enabled_ = false;
    bool Horizontal_ = false;
    std::int16_t BarPos = 0;
    std::int16_t trackWidth_ = 0, trackHeight_ = 0;
    std::int16_t barWidth_ = 0, barHeight_ = 0;
    std::int16_t GrabPointX = 0, GrabPointY = 0;
    bool Dragging = false;
};

} // namespace richtext
