#include "CSuperTextC.h"
#include "HitTest.h"

#include "base/Conversions.h"

#include <cmath>

namespace richtext {

namespace {

constexpr std::int16_t kShiftIgnored = 100;

} // namespace

template <typename Event, typename... Args> bool CSuperTextC::raise(const Event& event, Args... args)
{
    const std::uint64_t generation = generation_;
    // A copy, so a handler may replace the event it is called through.
    if (Event handler = event)
        handler(args...);
    return generation == generation_;
}

// A point that cannot be placed in the document is over nothing.
CSuperTextC::PointerTargets CSuperTextC::targetsAt(float X, float Y) const
{
    PointerTargets at;
    auto px = base::toInt32(double(X) - page_.PageRect.Left);
    auto py = base::toInt32(double(Y) - page_.PageRect.Top + page_.FirstLine * page_.nLineHeight);
    if (!px || !py)
        return at;
    at.onDocument = true;
    at.point = {*px, *py};
    at.piece = PieceAt(doc_, at.point, page_.RawLineHeight);
    at.sentence = SenOfPiece(doc_, at.piece);
    at.hot = HotOfPiece(doc_, at.piece);
    at.image = ImageAt(doc_, at.point);
    return at;
}

void CSuperTextC::OnMMove(std::int16_t, std::int16_t Shift, float X, float Y)
{
    if (Shift == kShiftIgnored)
        return;
    const PointerTargets at = targetsAt(X, Y);
    if (moveOverSentence(at.sentence) && moveOverHotSpot(at.hot))
        moveOverImage(at.image);
}

// The state changes before the events, so a handler that rebuilds the
// document leaves the fresh document's state alone. Leaving all sentences
// reports the entry into "none" first.
bool CSuperTextC::moveOverSentence(int s)
{
    const std::int16_t was = CurSen_;
    if (s == was)
        return true;
    CurSen_ = std::int16_t(s);
    if (was < 0)
        return raise(MoveInSen, std::int16_t(s));
    if (s < 0)
        return raise(MoveInSen, std::int16_t(-1)) && raise(MoveOutSen, was);
    return raise(MoveOutSen, was) && raise(MoveInSen, std::int16_t(s));
}

bool CSuperTextC::moveOverHotSpot(int h)
{
    const std::int16_t was = CurHot_;
    if (h == was)
        return true;
    CurHot_ = std::int16_t(h);
    if (was >= 0 && !raise(MoveOutHot, was))
        return false;
    const auto lineHeight = std::int16_t(std::trunc(page_.nLineHeight));
    return h < 0 || raise(MoveInHot, std::int16_t(h), lineHeight);
}

void CSuperTextC::moveOverImage(int i)
{
    const std::int16_t was = CurImg_;
    if (i == was)
        return;
    CurImg_ = std::int16_t(i);
    if (was >= 0 && !raise(moveOutImg, was))
        return;
    if (i >= 0)
        raise(MoveInImg, std::int16_t(i));
}

// A hot word inside a sentence reports only the hot word; a picture under
// the press is reported besides.
void CSuperTextC::OnMDown(std::int16_t, std::int16_t, float X, float Y)
{
    const PointerTargets at = targetsAt(X, Y);
    if (at.hot >= 0) {
        if (!raise(DownHot, std::int16_t(at.hot)))
            return;
    } else if (at.sentence >= 0 && !raise(DownSen, std::int16_t(at.sentence))) {
        return;
    }
    if (at.image >= 0 && !raise(DownImg, std::int16_t(at.image)))
        return;
    if (!DisableTextAction_ && at.onDocument)
        operateInputs(at);
}

void CSuperTextC::OnMMove(const platform::MouseEvent& e)
{
    OnMMove(std::int16_t(e.button), std::int16_t(e.shift), float(e.x), float(e.y));
}

void CSuperTextC::OnMDown(const platform::MouseEvent& e)
{
    OnMDown(std::int16_t(e.button), std::int16_t(e.shift), float(e.x), float(e.y));
}

void CSuperTextC::operateInputs(const PointerTargets& at)
{
    const int c = CheckBoxAt(doc_, at.point);
    const int r = RadioAt(doc_, at.point);
    if (c >= 0)
        ToggleCheckBox(c);
    if (r >= 0)
        SelectRadio(r);
}

} // namespace richtext
