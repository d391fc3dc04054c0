#pragma once
#include "buttons/CButton.h"
#include "buttons/CSrcReader.h"
#include "platform/fake/FakeControls.h"
#include "platform/fake/FakePicture.h"
#include "platform/fake/FakeServices.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace buttontest {

inline const std::string kFile = "/disc/src/button.txt";

// The keys of one described button, in the order description files use;
// an empty value is written as "KEY=", a missing key not at all.
using Keys = std::vector<std::pair<std::string, std::string>>;

inline Keys keys(int x, int y, int w, int h, int res, int style, int frame, int dframe)
{
    return {{"X", std::to_string(x)},         {"Y", std::to_string(y)},
            {"W", std::to_string(w)},         {"H", std::to_string(h)},
            {"RES", std::to_string(res)},     {"STYLE", std::to_string(style)},
            {"FRAME", std::to_string(frame)}, {"DFRAME", std::to_string(dframe)}};
}

inline Keys with(Keys k, const std::string& key, const std::string& value)
{
    for (auto& [name, v] : k)
        if (name == key) {
            v = value;
            return k;
        }
    k.emplace_back(key, value);
    return k;
}

inline Keys without(Keys k, const std::string& key)
{
    std::erase_if(k, [&](const auto& kv) { return kv.first == key; });
    return k;
}

inline std::string element(const Keys& k)
{
    std::string text = "<";
    for (const auto& [name, value] : k)
        text += (text.size() > 1 ? " " : "") + name + "=" + value;
    return text + ">";
}

// A button set on fake platform parts. Cells of the picture clip are named
// "pic#k" (k from 0 to 9); every event is recorded as text.
class ButtonSetTest : public testing::Test {
protected:
    void SetUp() override
    {
        clip.setPicture(platform::fake::makeFakePicture("pic", 400, 20));
        clip.setCols(10);
        set.Init(form, clip, tip, timer);
        set.MouseInButton = [this](std::int16_t i) { events.push_back("in " + std::to_string(i)); };
        set.MouseOutButton = [this](std::int16_t i) { events.push_back("out " + std::to_string(i)); };
        set.MouseDown = [this](std::int16_t i, bool up) {
            events.push_back("down " + std::to_string(i) + (up ? " up" : " down"));
        };
        set.MouseUp = [this](std::int16_t i) { events.push_back("up " + std::to_string(i)); };
    }

    // Adds a section to the description file and imports it; what importing
    // drew is forgotten.
    bool import(const std::vector<Keys>& buttons, bool visible = true, const std::string& section = "S")
    {
        std::vector<std::string> elements;
        for (const Keys& k : buttons)
            elements.push_back(element(k));
        return importElements(elements, visible, section);
    }

    bool importElements(const std::vector<std::string>& elements, bool visible = true,
                        const std::string& section = "S")
    {
        auto& lines = files.contents[kFile];
        lines.push_back("<" + section + ">");
        lines.insert(lines.end(), elements.begin(), elements.end());
        lines.push_back("</" + section + ">");
        const bool ok = set.ImportButton(kFile, section, visible);
        form.ops.clear();
        return ok;
    }

    // The pictures drawn since the last call, as "cell operation".
    std::vector<std::string> painted()
    {
        std::vector<std::string> result;
        for (const auto& op : form.ops) {
            const char* name = op.op == platform::RasterOp::SrcCopy ? " copy"
                : op.op == platform::RasterOp::SrcAnd               ? " and"
                                                                    : " invert";
            result.push_back(op.kind == platform::fake::DrawOp::Kind::PaintPicture ? op.text + name : "other");
        }
        form.ops.clear();
        return result;
    }

    std::vector<std::string> takeEvents() { return std::exchange(events, {}); }

    void moveTo(float x, float y) { set.OnMouseMove(0, 0, x, y); }
    void press(float x, float y) { set.OnMouseDown(1, 0, x, y); }
    void release(float x, float y) { set.OnMouseUp(1, 0, x, y); }

    int formatMessages() const
    {
        int n = 0;
        for (const auto& m : messages.shown)
            n += m.text == buttons::kFormatMessage && m.caption.empty() ? 1 : 0;
        return n;
    }

    platform::fake::FakeTextFiles files;
    platform::fake::FakeMessageBoxes messages;
    platform::fake::FakeForm form;
    platform::fake::FakePictureClip clip;
    platform::fake::FakeLabel tip;
    platform::fake::FakeTimer timer;
    buttons::CButton set{files, messages};
    std::vector<std::string> events;
};

using Texts = std::vector<std::string>;

} // namespace buttontest
