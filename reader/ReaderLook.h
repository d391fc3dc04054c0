#pragma once
#include "platform/Color.h"
#include "platform/Controls.h"

#include <string>
#include <vector>

namespace reader {

// The disc's look: deep red bands, gold lettering and frames, cream pages.
namespace look {
constexpr platform::Color DeepRed = platform::rgb(0x8B, 0x1A, 0x1A);
constexpr platform::Color DarkRed = platform::rgb(0x5C, 0x0E, 0x0E);
constexpr platform::Color Gold = platform::rgb(0xC9, 0xA4, 0x4C);
constexpr platform::Color Cream = platform::rgb(0xF5, 0xEC, 0xD7);
constexpr platform::Color PaleCream = platform::rgb(0xFB, 0xF5, 0xE8);
constexpr platform::Color Ink = platform::rgb(0x3B, 0x24, 0x12);
// The disc's Kaiti; fontconfig stands in another Chinese face where it is missing.
inline const std::string KaitiFont = "AR PL KaitiM GB";
} // namespace look

struct Frame {
    int left = 0, top = 0, width = 0, height = 0;
};

// The window's backdrop, drawn on its surface: a deep red header band with
// the title in gold, the cream body, and a gold frame around each panel.
void PaintBackdrop(platform::Surface& form, int width, int height, const std::string& title,
                   const std::string& subtitle, const std::vector<Frame>& panels);
// The scrollbar's two pictures: a cream track and a deep red bar, both
// edged in gold, at the boxes' sizes.
void PaintScrollbar(platform::PictureBox& track, platform::PictureBox& bar);
// The page the engine paints on: pale cream, the Kaiti face, ink-coloured text.
void PreparePage(platform::PictureBox& page);

void StyleButton(platform::Button& button, const std::string& caption);
void StyleList(platform::ListBox& list);
// A deep red tab with gold lettering, the heading of a panel.
void StyleTab(platform::Label& tab, const std::string& caption);
void StyleStatus(platform::Label& status);

} // namespace reader
