// Imports a picture-button set from a description file of arbitrary lines
// (the first line names the section, the rest is the file) onto a fake
// surface, then moves the pointer over the buttons, presses, animates and
// calls each method with every index. Handlers call back into the set, as
// a host's may. An import either takes every element of the section or
// ends with the one format message; the set draws only inside its buttons
// and refuses only indexes outside them.
#include "buttons/CButton.h"
#include "buttons/CSrcReader.h"
#include "platform/fake/FakePlatform.h"
#include "harness/FuzzCheck.h"
#include "support/Split.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

using fuzzsupport::check;

namespace {

const char* const kFile = "/disc/src/button.txt";

// How the handlers call back into the set, chosen by the input.
enum class Reentry { None, ClearOnPress, ImportOnEnter, ClearOnLeave };

std::size_t elementsOf(platform::fake::FakePlatform& fakes, const std::string& section, bool& readable)
{
    buttons::CSrcReader reader(fakes.textFiles, fakes.messages);
    readable = reader.Init(kFile, section);
    std::size_t elements = 0;
    while (readable && reader.GetOneSrcStr())
        ++elements;
    return elements;
}

class ButtonHost {
public:
    ButtonHost(const std::vector<std::string>& lines, Reentry reentry) : reentry_(reentry)
    {
        fakes.textFiles.contents[kFile].assign(lines.begin() + 1, lines.end());
        clip.setPicture(platform::fake::makeFakePicture("/disc/pic/button3.jpg", 168, 22));
        clip.setRows(1);
        clip.setCols(3);
        set.Init(surface, clip, tip, timer);
        set.MouseDown = [this](std::int16_t index, bool) { react(Reentry::ClearOnPress, index); };
        set.MouseInButton = [this](std::int16_t index) { react(Reentry::ImportOnEnter, index); };
        set.MouseOutButton = [this](std::int16_t index) { react(Reentry::ClearOnLeave, index); };
    }

    void react(Reentry when, std::int16_t index)
    {
        check(index >= -1 && index < set.Count(), "an event for a button the set does not have");
        if (when != reentry_ || index < 0 || reentries_++ > 3)
            return;
        if (when == Reentry::ImportOnEnter)
            set.ImportButton(kFile, section, index % 2 == 0);
        else
            set.Init(surface, clip, tip, timer);
    }

    // Every picture lands exactly on a button of the set as it is now or was.
    void checkDrawing()
    {
        for (const auto& op : surface.opsOfKind(platform::fake::DrawOp::Kind::PaintPicture)) {
            bool onAButton = false;
            for (std::int16_t i = 0; i < set.Count() && !onAButton; ++i) {
                const buttons::ButtonRecord& b = set.Button(i);
                onAButton = op.x1 == b.X && op.y1 == b.Y && op.x2 == b.W && op.y2 == b.H;
            }
            check(onAButton || reentries_ > 0, "a picture drawn where no button is");
        }
    }

    // The first buttons only: each move looks through the whole set, so a
    // section of thousands would make one input take minutes.
    void pointAtButtons()
    {
        for (std::int16_t i = 0; i < set.Count() && i < 64; ++i) {
            const buttons::ButtonRecord b = set.Button(i);
            const float x = float(b.X) + float(b.W) / 2, y = float(b.Y) + float(b.H) / 2;
            set.OnMouseMove(0, 0, x, y);
            check(set.Current() >= -1 && set.Current() < set.Count(), "the pointer on a button the set does not have");
            if (set.Current() >= 0 && !set.Button(set.Current()).TIP.empty())
                check(tip.caption() == set.Button(set.Current()).TIP, "a tip not the button's own");
            for (int tick = 0; tick < 4; ++tick)
                set.Timer();
            set.OnMouseDown(1, 0, x, y);
            set.OnMouseUp(1, 0, x, y);
            set.OnMouseMove(0, 0, -1e6f, -1e6f);
        }
    }

    template <typename Method>
    void callWithEveryIndex(Method method)
    {
        for (int i = -2; i <= set.Count() + 1; ++i) {
            const bool inside = i >= 0 && i < set.Count();
            try {
                method(std::int16_t(i));
                check(inside, "an index outside the set accepted");
            } catch (const std::out_of_range&) {
                check(!inside, "an index inside the set refused");
            }
        }
    }

    void useEveryMethod()
    {
        callWithEveryIndex([this](std::int16_t i) { set.EnableBtn(i, i % 2 == 0); });
        callWithEveryIndex([this](std::int16_t i) { set.Down(i); });
        set.Refresh();
        callWithEveryIndex([this](std::int16_t i) { set.Visible(i, i % 3 != 0); });
        callWithEveryIndex([this](std::int16_t i) { set.up(i); });
        callWithEveryIndex([this](std::int16_t i) { set.Clear(i); });
        callWithEveryIndex([this](std::int16_t i) { set.Button(i); });
    }

    platform::fake::FakePlatform fakes;
    platform::fake::FakeSurface surface;
    platform::fake::FakePictureClip clip;
    platform::fake::FakeLabel tip;
    platform::fake::FakeTimer timer;
    buttons::CButton set{fakes.textFiles, fakes.messages};
    std::string section;

private:
    Reentry reentry_;
    int reentries_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::string> lines =
        testsupport::splitAt(std::string_view(reinterpret_cast<const char*>(data), size), '\n');
    ButtonHost host(lines, Reentry(size % 4));
    host.section = lines[0];

    bool readable = false;
    const std::size_t elements = elementsOf(host.fakes, host.section, readable);
    host.fakes.messages.shown.clear();
    const bool imported = host.set.ImportButton(kFile, host.section, true);
    const auto& shown = host.fakes.messages.shown;
    if (imported) {
        check(shown.empty(), "a message after a good import");
        check(std::size_t(host.set.Count()) == elements, "an element of the section left out");
    } else {
        check(shown.size() == 1 && shown[0].text == buttons::kFormatMessage && shown[0].caption.empty(),
              "a failed import without the one format message");
        check(!readable || std::size_t(host.set.Count()) < elements, "a failed import that took every element");
    }
    host.checkDrawing();
    host.pointAtButtons();
    host.useEveryMethod();
    host.pointAtButtons();
    return 0;
}
