#pragma once
#include "platform/fake/FakePlatform.h"
#include "reader/LessonPage.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace reader::testing {

using platform::fake::FakeEditBox;
using platform::fake::FakePictureBox;

// A lesson page on fake controls: the page is 600 by 400 at the surface's
// (0, 0), the scrollbar's track 16 by 400 with a bar 40 high.
class PageTest : public ::testing::Test {
protected:
    platform::fake::FakePlatform fakes;
    FakePictureBox page, track, bar;
    std::unique_ptr<LessonPage> lesson;
    std::vector<std::string> pointerTexts;

    void SetUp() override
    {
        page.setGeometry(0, 0, 600, 400);
        track.setGeometry(610, 0, 16, 400);
        bar.setGeometry(610, 0, 16, 40);
        lesson = std::make_unique<LessonPage>(fakes.toolkit, fakes.app, fakes.messages, page, track, bar);
        lesson->PointerText = [this](const std::string& text) { pointerTexts.push_back(text); };
    }

    richtext::CSuperTextC& engine() { return lesson->Engine(); }
    const richtext::DocumentModel& doc() { return engine().Document(); }

    // The edit box the engine made for text box `box` (from 0) in the
    // latest layout: the boxes it made last.
    FakeEditBox& editOf(int box)
    {
        const auto& made = fakes.toolkit.editBoxes;
        return *made.at(made.size() - std::size_t(doc().nTextBox()) + std::size_t(box));
    }

    // A point on the surface in the middle of piece `p`.
    std::pair<double, double> pointOnPiece(int p)
    {
        const richtext::Piece& piece = doc().TextPiece.at(std::size_t(p));
        return {piece.X + piece.Width / 2.0, piece.Y - engine().PageTop() + engine().RawLineHeight() / 2};
    }
    void moveOverPiece(int p)
    {
        const auto [x, y] = pointOnPiece(p);
        page.fireMouseMove(x, y);
    }
    template <typename Item> void pressOn(const Item& item)
    {
        page.fireMouseDown(item.X + item.Width / 2.0, item.Y - engine().PageTop() + item.Height / 2.0);
    }
};

} // namespace reader::testing
