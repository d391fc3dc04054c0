#pragma once
#include "ButtonRecord.h"
#include "platform/Controls.h"
#include "platform/MessageBoxes.h"
#include "platform/Surface.h"
#include "platform/TextFiles.h"
#include "platform/Timer.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace buttons {

// A set of picture buttons drawn straight onto a host surface, laid out by
// sections of a description file, with frames taken from the cells of one
// picture clip. The host forwards its mouse events and the animation tick;
// the set draws, prepares the tip label and raises its events. It never
// erases and never shows the tip: repainting and showing are the host's.
class CButton {
public:
    CButton(platform::TextFiles& files, platform::MessageBoxes& messages);

    void Init(platform::Surface& Container, platform::PictureClip& Source, platform::Label& Tip,
              platform::Timer& tiptimer);
    // Appends one button per element of the section; false when the section
    // cannot be read or an element is not a complete button.
    bool ImportButton(const std::string& srcFileName, const std::string& whichButtons, bool Visible);

    void OnMouseMove(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void OnMouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void OnMouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y);
    // The same for the host's own mouse events.
    void OnMouseMove(const platform::MouseEvent& e);
    void OnMouseDown(const platform::MouseEvent& e);
    // One animation step of every button.
    void Timer();

    // Each of these throws std::out_of_range for an index outside 0 .. Count - 1.
    void Visible(std::int16_t index, bool value);
    void Clear(std::int16_t index);
    void EnableBtn(std::int16_t index, bool status);
    void Down(std::int16_t index);
    void up(std::int16_t index);
    const ButtonRecord& Button(std::int16_t index) const;

    void Refresh();
    std::int16_t Count() const { return std::int16_t(buttons_.size()); }
    // The button under the pointer, or -1.
    std::int16_t Current() const { return current_; }

    // Raised synchronously; a handler may call back into the set.
    std::function<void(std::int16_t index)> MouseInButton, MouseOutButton, MouseUp;
    std::function<void(std::int16_t index, bool up)> MouseDown;

private:
    struct Host {
        platform::Surface& container;
        platform::PictureClip& source;
        platform::Label& tip;
        platform::Timer& tiptimer;
    };

    Host& host();
    void checkIndex(std::int16_t index) const;
    ButtonRecord& at(std::int16_t index);
    // Unchecked, for indexes the set found itself.
    ButtonRecord& recordOf(std::int16_t index) { return buttons_[std::size_t(index)]; }
    std::int16_t HitTest(float x, float y) const;
    std::int16_t stillThere(std::int16_t index) const;
    void DrawButton(std::int16_t index, std::int16_t n);
    void paintCell(const platform::Picture& cell, const ButtonRecord& button, platform::RasterOp op);
    void showFrame(std::int16_t index, std::optional<std::int16_t> frame);
    void EnterButton(std::int16_t index);
    void LeaveButton(std::int16_t index);
    void PressButton(std::int16_t index);
    void PrepareTip(std::int16_t index);
    void placeTip(const ButtonRecord& button);
    void hideTip();
    void followPointer(std::int16_t previous, std::int16_t index);
    void animate(std::int16_t index);

    platform::TextFiles& files_;
    platform::MessageBoxes& messages_;
    std::optional<Host> host_;
    std::vector<ButtonRecord> buttons_;
    std::int16_t current_ = -1;
};

} // namespace buttons
