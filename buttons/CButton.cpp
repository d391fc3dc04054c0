#include "CButton.h"

#include "CSrcReader.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace buttons {

using platform::RasterOp;

namespace {
// The tip sits 20 pixels off its button: left of buttons whose tip would
// pass x = 750 in the 800-pixel window, above buttons in its lower half.
constexpr int kTipOffset = 20;
constexpr int kTipRightLimit = 750;
constexpr int kTipAboveFrom = 300;
} // namespace

CButton::CButton(platform::TextFiles& files, platform::MessageBoxes& messages)
    : files_(files), messages_(messages)
{
}

void CButton::Init(platform::Surface& Container, platform::PictureClip& Source, platform::Label& Tip,
                   platform::Timer& tiptimer)
{
    host_.emplace(Host{Container, Source, Tip, tiptimer});
    buttons_.clear();
    current_ = -1;
    hideTip();
}

CButton::Host& CButton::host()
{
    if (!host_)
        throw std::logic_error("CButton: Init must come first");
    return *host_;
}

void CButton::checkIndex(std::int16_t index) const
{
    if (index < 0 || index >= Count())
        throw std::out_of_range("CButton: no button " + std::to_string(index));
}

ButtonRecord& CButton::at(std::int16_t index)
{
    checkIndex(index);
    return recordOf(index);
}

const ButtonRecord& CButton::Button(std::int16_t index) const
{
    checkIndex(index);
    return buttons_[std::size_t(index)];
}

bool CButton::ImportButton(const std::string& srcFileName, const std::string& whichButtons, bool Visible)
{
    CSrcReader reader(files_, messages_);
    if (!reader.Init(srcFileName, whichButtons))
        return false;
    while (reader.GetOneSrcStr()) {
        const std::optional<ButtonRecord> button = readButtonRecord(reader, Visible);
        // Indexes are 16-bit, so the set cannot take more buttons than that.
        const bool full = Count() == std::numeric_limits<std::int16_t>::max();
        if (!button || full) {
            messages_.ok(kFormatMessage);
            return false;
        }
        buttons_.push_back(*button);
        DrawButton(std::int16_t(Count() - 1), 1);
    }
    return true;
}

std::int16_t CButton::HitTest(float x, float y) const
{
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const ButtonRecord& b = buttons_[i];
        const bool inX = float(b.X) <= x && x < float(b.X) + float(b.W);
        const bool inY = float(b.Y) <= y && y < float(b.Y) + float(b.H);
        if (inX && inY)
            return std::int16_t(i);
    }
    return -1;
}

// An index taken before an event handler ran, if the handler left that
// button in the set; -1 otherwise.
std::int16_t CButton::stillThere(std::int16_t index) const
{
    return index < Count() ? index : std::int16_t(-1);
}

void CButton::DrawButton(std::int16_t index, std::int16_t n)
{
    const ButtonRecord& b = recordOf(index);
    if (n > b.FRAME || !b.Visible)
        return;
    platform::PictureClip& source = host().source;
    // A cell outside the picture has nothing to draw.
    const platform::PicturePtr frame = source.GraphicCell(b.RES + n - 1);
    if (!frame)
        return;
    if (b.MASK == -1) {
        paintCell(*frame, b, RasterOp::SrcCopy);
        return;
    }
    // Inverting the frame onto a container its mask did not clear would garble it.
    const platform::PicturePtr mask = source.GraphicCell(b.MASK);
    if (!mask)
        return;
    paintCell(*mask, b, RasterOp::SrcAnd);
    paintCell(*frame, b, RasterOp::SrcInvert);
}

void CButton::paintCell(const platform::Picture& cell, const ButtonRecord& b, RasterOp op)
{
    host().container.paintPicture(cell, b.X, b.Y, b.W, b.H, 0, 0, b.W, b.H, op);
}

void CButton::showFrame(std::int16_t index, std::optional<std::int16_t> frame)
{
    if (!frame)
        return;
    recordOf(index).CurFrame = *frame;
    DrawButton(index, *frame);
}

void CButton::EnterButton(std::int16_t index)
{
    if (index >= 0)
        showFrame(index, hoverFrame(recordOf(index)));
}

void CButton::LeaveButton(std::int16_t index)
{
    if (index >= 0 && recordOf(index).Enabled)
        showFrame(index, restFrame(recordOf(index)));
}

void CButton::PressButton(std::int16_t index)
{
    showFrame(index, pressFrame(recordOf(index)));
}

void CButton::PrepareTip(std::int16_t index)
{
    if (index < 0 || recordOf(index).TIP.empty()) {
        host().tip.setVisible(false);
        return;
    }
    placeTip(recordOf(index));
}

void CButton::placeTip(const ButtonRecord& b)
{
    platform::Label& tip = host().tip;
    tip.setFontName("times new roman");
    tip.setFontSize(8);
    tip.setCaption(b.TIP);
    const int width = tip.width();
    const double left = b.X + width > kTipRightLimit ? b.X - width / 2.0 : b.X + kTipOffset;
    const int top = b.Y >= kTipAboveFrom ? b.Y - kTipOffset : b.Y + kTipOffset;
    // Half a label width may fall between pixels: rounded halves to even.
    tip.move(int(std::nearbyint(left)), top);
}

void CButton::hideTip()
{
    host().tip.setVisible(false);
    host().tiptimer.setEnabled(false);
}

void CButton::OnMouseMove(std::int16_t, std::int16_t, float X, float Y)
{
    const std::int16_t index = HitTest(X, Y);
    if (index >= 0 && (!recordOf(index).Visible || !recordOf(index).Enabled))
        return;
    if (index == current_)
        return;
    const std::int16_t previous = current_;
    if (MouseInButton)
        MouseInButton(index);
    if (MouseOutButton)
        MouseOutButton(previous);
    followPointer(stillThere(previous), stillThere(index));
}

// The set's side of the pointer moving from `previous` onto `index`.
void CButton::followPointer(std::int16_t previous, std::int16_t index)
{
    if (previous >= 0)
        recordOf(previous).HoverState = kNotHovered;
    if (index >= 0)
        recordOf(index).HoverState = kHovered;
    // The timer runs only for a button that has a tip to show.
    host().tiptimer.setEnabled(index >= 0 && !recordOf(index).TIP.empty());
    EnterButton(index);
    LeaveButton(previous);
    PrepareTip(index);
    current_ = index;
}

void CButton::OnMouseDown(std::int16_t, std::int16_t, float X, float Y)
{
    const std::int16_t index = HitTest(X, Y);
    if (index < 0 || !recordOf(index).Enabled)
        return;
    hideTip();
    if (!recordOf(index).Visible)
        return;
    PressButton(index);
    ButtonRecord& b = recordOf(index);
    b.Up = !b.Up;
    const bool upNow = b.Up;
    if (MouseDown)
        MouseDown(index, upNow);
}

void CButton::OnMouseUp(std::int16_t, std::int16_t, float X, float Y)
{
    const std::int16_t index = HitTest(X, Y);
    if (index >= 0 && MouseUp)
        MouseUp(index);
}

void CButton::OnMouseMove(const platform::MouseEvent& e)
{
    OnMouseMove(std::int16_t(e.button), std::int16_t(e.shift), float(e.x), float(e.y));
}

void CButton::OnMouseDown(const platform::MouseEvent& e)
{
    OnMouseDown(std::int16_t(e.button), std::int16_t(e.shift), float(e.x), float(e.y));
}

void CButton::Timer()
{
    for (std::int16_t i = 0; i < Count(); ++i)
        animate(i);
}

void CButton::animate(std::int16_t index)
{
    ButtonRecord& b = recordOf(index);
    const bool toggle = b.STYLE == style::AnimatedToggle;
    const bool forward = b.STYLE == style::AnimatedRollover || (toggle && b.Up);
    if (!forward && !toggle)
        return;
    const bool canMove = b.HoverState == kHovered && (forward ? b.CurFrame < lastFrame(b) : b.CurFrame > 1);
    if (canMove) {
        b.CurFrame = std::int16_t(b.CurFrame + (forward ? 1 : -1));
        DrawButton(index, b.CurFrame);
    } else if (toggle) {
        // An animated toggle plays once per entry: having arrived, it waits
        // for the pointer to enter again.
        b.HoverState = kNotHovered;
    }
}

void CButton::Visible(std::int16_t index, bool value)
{
    ButtonRecord& b = at(index);
    b.Visible = value;
    if (value)
        DrawButton(index, b.CurFrame);
}

void CButton::Clear(std::int16_t index)
{
    ButtonRecord& b = at(index);
    b.Up = true;
    b.CurFrame = 1;
    b.Visible = true;
    DrawButton(index, 1);
}

void CButton::EnableBtn(std::int16_t index, bool status)
{
    ButtonRecord& b = at(index);
    b.CurFrame = 1;
    b.Enabled = status;
    if (status)
        DrawButton(index, 1);
    else if (b.DFRAME != -1)
        DrawButton(index, b.DFRAME);
}

void CButton::Refresh()
{
    for (std::int16_t i = 0; i < Count(); ++i) {
        if (!recordOf(i).Enabled)
            DrawButton(i, 3);
        recordOf(i).Up = true;
    }
}

void CButton::Down(std::int16_t index)
{
    ButtonRecord& b = at(index);
    if (b.STYLE != style::Toggle)
        return;
    b.Up = false;
    DrawButton(index, 3);
}

void CButton::up(std::int16_t index)
{
    ButtonRecord& b = at(index);
    if (b.STYLE != style::Toggle)
        return;
    b.Up = true;
    DrawButton(index, 1);
}

} // namespace buttons
