#include "ReaderLook.h"

namespace reader {

namespace {

constexpr int kHeaderHeight = 76;

void frameAround(platform::Surface& form, const Frame& panel)
{
    const double l = panel.left - 4, t = panel.top - 4;
    const double r = panel.left + panel.width + 3, b = panel.top + panel.height + 3;
    form.filledBox(l, t, r, b, look::Gold);
    form.filledBox(l + 2, t + 2, r - 2, b - 2, look::PaleCream);
    form.box(l + 3, t + 3, r - 3, b - 3, look::Gold);
}

void printAt(platform::Surface& surface, double x, double y, const std::string& text, const platform::FontSpec& font,
             platform::Color color)
{
    surface.setFont(font);
    surface.setForeColor(color);
    surface.CurrentX = x;
    surface.CurrentY = y;
    surface.print(text);
}

void fillWithEdge(platform::PictureBox& box, platform::Color face)
{
    box.cls();
    const double r = box.width() - 1, b = box.height() - 1;
    box.filledBox(0, 0, r, b, look::Gold);
    box.filledBox(1, 1, r - 1, b - 1, face);
}

} // namespace

void PaintBackdrop(platform::Surface& form, int width, int height, const std::string& title,
                   const std::string& subtitle, const std::vector<Frame>& panels)
{
    form.setBackColor(look::Cream);
    form.cls();
    form.filledBox(0, 0, width - 1, kHeaderHeight - 1, look::DeepRed);
    form.filledBox(0, kHeaderHeight - 6, width - 1, kHeaderHeight - 1, look::DarkRed);
    form.line(0, kHeaderHeight, width - 1, kHeaderHeight, look::Gold);
    form.line(0, kHeaderHeight + 2, width - 1, kHeaderHeight + 2, look::Gold);
    printAt(form, 40, 12, title, {look::KaitiFont, 24, true}, look::Gold);
    printAt(form, 42, 50, subtitle, {look::KaitiFont, 11}, look::Cream);
    for (const Frame& panel : panels)
        frameAround(form, panel);
    form.line(0, height - 40, width - 1, height - 40, look::Gold);
}

void PaintScrollbar(platform::PictureBox& track, platform::PictureBox& bar)
{
    fillWithEdge(track, look::Cream);
    fillWithEdge(bar, look::DeepRed);
    const double middle = bar.height() / 2.0;
    for (int k = -1; k <= 1; ++k)
        bar.line(4, middle + 3 * k, bar.width() - 5, middle + 3 * k, look::Gold);
}

void PreparePage(platform::PictureBox& page)
{
    page.setBackColor(look::PaleCream);
    page.setForeColor(look::Ink);
    page.setFont({look::KaitiFont, 13});
    page.cls();
}

void StyleButton(platform::Button& button, const std::string& caption)
{
    button.setCaption(caption);
    button.setFontName(look::KaitiFont);
    button.setFontSize(12);
    button.setColors(look::Gold, look::DeepRed);
}

void StyleList(platform::ListBox& list)
{
    list.setFontName(look::KaitiFont);
    list.setFontSize(12);
    list.setColors(look::DeepRed, look::PaleCream);
}

void StyleTab(platform::Label& tab, const std::string& caption)
{
    tab.setFontName(look::KaitiFont);
    tab.setFontSize(12);
    tab.setForeColor(look::Gold);
    tab.setBackColor(look::DeepRed);
    tab.setBorder(false);
    tab.setCaption(caption);
}

void StyleStatus(platform::Label& status)
{
    status.setFontName(look::KaitiFont);
    status.setFontSize(11);
    status.setForeColor(look::DeepRed);
    status.setBackColor(look::Cream);
    status.setBorder(false);
}

} // namespace reader
