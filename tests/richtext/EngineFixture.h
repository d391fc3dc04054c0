#pragma once
#include "platform/fake/FakePlatform.h"
#include "richtext/CSuperTextC.h"
#include "ScoreRecords.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace richtext::testing {

// The text `times` times over.
inline std::string repeated(const std::string& text, int times)
{
    std::string result;
    for (int i = 0; i < times; ++i)
        result += text;
    return result;
}

// The drawing calls of one kind, in order.
inline std::vector<platform::fake::DrawOp> ofKind(const std::vector<platform::fake::DrawOp>& ops,
                                                  platform::fake::DrawOp::Kind kind)
{
    std::vector<platform::fake::DrawOp> result;
    for (const auto& op : ops)
        if (op.kind == kind)
            result.push_back(op);
    return result;
}

using platform::fake::FakeEditBox;
using platform::fake::FakePictureBox;

template <class Fake, class Interface>
std::unique_ptr<platform::ControlSet<Interface>> makeFakeSet()
{
    return std::make_unique<platform::ControlSet<Interface>>(
        std::make_unique<Fake>(), [](Interface&) -> std::unique_ptr<Interface> { return std::make_unique<Fake>(); });
}

// An engine on a fake surface whose narrow characters are 8 units wide,
// wide ones 16 and every line of text 16 high, so a line is 18 high.
// The page is 600 by 400 at (0, 0): right edge 590, 22 lines a page.
class EngineTest : public ::testing::Test {
protected:
    platform::fake::FakePlatform fakes;
    platform::fake::FakeSurface surface;
    std::unique_ptr<CSuperTextC::PictureSet> images = makeFakeSet<FakePictureBox, platform::PictureBox>();
    std::unique_ptr<CSuperTextC::PictureSet> masks = makeFakeSet<FakePictureBox, platform::PictureBox>();
    std::unique_ptr<CSuperTextC::EditSet> edits = makeFakeSet<FakeEditBox, platform::EditBox>();
    CSuperTextC engine{fakes.toolkit, fakes.app, fakes.messages};

    void SetUp() override
    {
        ASSERT_TRUE(engine.InitProc(surface, 0, 0, 600, 400));
        engine.SetObject(images.get(), masks.get(), edits.get());
        engine.CurrPath("/pics");
    }

    const DocumentModel& layOut(const std::string& markup)
    {
        engine.Text(markup);
        engine.Refresh();
        return engine.Document();
    }

    const std::vector<Piece>& pieces() const { return engine.Document().TextPiece; }

    // The texts of all pieces, in order.
    std::vector<std::string> pieceTexts() const
    {
        std::vector<std::string> texts;
        for (const auto& piece : pieces())
            texts.push_back(piece.Text);
        return texts;
    }

    // What the surface was asked to do since the last call.
    std::vector<platform::fake::DrawOp> takeOps()
    {
        std::vector<platform::fake::DrawOp> ops;
        ops.swap(surface.ops);
        return ops;
    }

    FakePictureBox& imageHolder(int index) { return dynamic_cast<FakePictureBox&>((*images)[index]); }
    FakePictureBox& maskHolder(int index) { return dynamic_cast<FakePictureBox&>((*masks)[index]); }
    FakeEditBox& editBox(int index) { return dynamic_cast<FakeEditBox&>((*edits)[index]); }
};

} // namespace richtext::testing
