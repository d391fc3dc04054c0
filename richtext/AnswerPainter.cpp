#include "AnswerPainter.h"
#include "Scoring.h"
#include "base/Conversions.h"

namespace richtext {

namespace {

using platform::rgb;

constexpr platform::Color kCheckBoxBorder = rgb(250, 250, 250);
constexpr platform::Color kCheckBoxFace = rgb(80, 180, 180);
constexpr platform::Color kRadioFace = rgb(200, 200, 0);
constexpr platform::Color kBlack = rgb(0, 0, 0);
constexpr platform::Color kRightGreen = rgb(0, 220, 0);
constexpr platform::Color kWrongRed = rgb(220, 0, 0);
constexpr platform::Color kTextBoxMarkRed = rgb(255, 0, 0);
constexpr int kCheckBoxSide = 13;
constexpr int kMarkWidth = 2;
constexpr double kRadioRadius = 6;
constexpr double kRadioDotRadius = 2;

double rounded(double value) { return double(base::toInt32(value).value_or(0)); }

// Keeps the pen width and fill colour the surface had, for one drawing step.
class SettingsKept {
public:
    explicit SettingsKept(platform::Surface& surface)
        : surface_(surface), width_(surface.drawWidth()), fill_(surface.fillColor())
    {
    }
    ~SettingsKept()
    {
        surface_.setDrawWidth(width_);
        surface_.setFillColor(fill_);
    }
    SettingsKept(const SettingsKept&) = delete;
    SettingsKept& operator=(const SettingsKept&) = delete;

private:
    platform::Surface& surface_;
    int width_;
    platform::Color fill_;
};

} // namespace

AnswerPainter::AnswerPainter(platform::Surface& surface, const DocumentModel& doc, const PageMetrics& page)
    : surface_(surface), doc_(doc), page_(page), pageTop_(page.PageTop())
{
}

void AnswerPainter::line(Point from, Point to, platform::Color color)
{
    surface_.line(from.x, from.y, to.x, to.y, color);
}

// The edit controls keep their left edge and size from layout; only their
// top follows the page.
void AnswerPainter::PlaceTextBoxes(EditSet* objText, bool disableInputs, bool showKey)
{
    if (!objText)
        return;
    for (std::size_t i = 0; i < doc_.TextBoxes.size(); ++i) {
        const int holder = int(i) + 1;
        if (!objText->exists(holder))
            continue;
        platform::EditBox& edit = (*objText)[holder];
        const std::int64_t y = std::int64_t(doc_.TextBoxes[i].Y) - pageTop_;
        if (y > page_.PageRect.Bottom || y < std::int64_t(page_.PageRect.Top) - pageTop_) {
            edit.setVisible(false);
        } else {
            edit.setVisible(true);
            edit.move(edit.left(), int(y));
        }
        if (disableInputs)
            edit.setEnabled(false);
    }
    if (showKey)
        MarkTextBoxes(objText);
}

void AnswerPainter::PaintCheckBoxes(bool showKey)
{
    if (doc_.CheckBoxes.empty())
        return;
    for (const CheckBoxEntry& item : doc_.CheckBoxes)
        DrawCheckBox(item, item.Checked);
    if (showKey)
        MarkCheckBoxes();
}

void AnswerPainter::PaintRadios(bool showKey)
{
    if (doc_.Radios.empty())
        return;
    for (const RadioEntry& item : doc_.Radios)
        DrawRadio(item, item.Selected);
    if (showKey)
        MarkRadios();
}

// The box is centred in the item's square, by its width in both directions.
AnswerPainter::Point AnswerPainter::checkBoxCorner(const CheckBoxEntry& item) const
{
    const double inset = (item.Width - kCheckBoxSide) / 2.0;
    return {rounded(item.X + inset), rounded(double(item.Y) - pageTop_ + inset)};
}

void AnswerPainter::drawCheckBoxFace(Point c, bool outlined)
{
    if (outlined)
        surface_.box(c.x, c.y, c.x + 12, c.y + 12, kCheckBoxBorder);
    else
        surface_.filledBox(c.x, c.y, c.x + 12, c.y + 12, kCheckBoxBorder);
    surface_.filledBox(c.x + 1, c.y + 1, c.x + 11, c.y + 11, kCheckBoxFace);
}

// Three one-unit strokes make a tick three units thick.
void AnswerPainter::drawCheckBoxTick(Point c, platform::Color color)
{
    for (int k = 0; k < 3; ++k) {
        line({c.x + 3, c.y + 5 + k}, {c.x + 5, c.y + 7 + k}, color);
        line({c.x + 5, c.y + 7 + k}, {c.x + 10, c.y + 2 + k}, color);
    }
}

void AnswerPainter::DrawCheckBox(const CheckBoxEntry& item, bool state)
{
    const Point corner = checkBoxCorner(item);
    drawCheckBoxFace(corner, false);
    if (state)
        drawCheckBoxTick(corner, kBlack);
}

void AnswerPainter::DrawRadio(const RadioEntry& item, bool selected)
{
    const double cx = rounded(item.X + item.Width / 2.0);
    const double cy = rounded(double(item.Y) - pageTop_ + item.Width / 2.0);
    if (cy < 0 || cy > page_.nPageLine * page_.nLineHeight)
        return;
    SettingsKept kept(surface_);
    surface_.setFillColor(kRadioFace);
    surface_.circle(cx, cy, kRadioRadius, kBlack);
    if (selected) {
        surface_.setFillColor(kBlack);
        surface_.circle(cx, cy, kRadioDotRadius, kBlack);
    }
}

void AnswerPainter::MarkTextBoxes(EditSet* objText)
{
    for (std::size_t i = 0; i < doc_.TextBoxes.size(); ++i) {
        const TextBoxEntry& box = doc_.TextBoxes[i];
        const int holder = int(i) + 1;
        if (!box.Mode.empty() || !objText || !objText->exists(holder))
            continue;
        const std::string answer = (*objText)[holder].text();
        const bool right =
            MatchAnswer(answer, box.Value) || MatchAnswer(answer, box.Value2) || MatchAnswer(answer, box.Value3);
        const double mx = box.X + box.Width;
        const double my = double(box.Y) - pageTop_;
        const double mb = my + box.Height;
        drawMark({mx, my}, {mx + 15, mb}, {mx, my + box.Height / 2.0}, {mx + 5, mb}, right, kTextBoxMarkRed,
                 kTextBoxMarkRed);
    }
}

// A right mark is a tick from tickStart down to tickBottom and up to the
// top right corner; a wrong one crosses the rectangle.
void AnswerPainter::drawMark(Point topLeft, Point bottomRight, Point tickStart, Point tickBottom, bool right,
                             platform::Color rightColor, platform::Color wrongColor)
{
    SettingsKept kept(surface_);
    surface_.setDrawWidth(kMarkWidth);
    const platform::Color color = right ? rightColor : wrongColor;
    surface_.setFillColor(color);
    if (right) {
        line(tickStart, tickBottom, color);
        line(tickBottom, {bottomRight.x, topLeft.y}, color);
    } else {
        line(topLeft, bottomRight, color);
        line({topLeft.x, bottomRight.y}, {bottomRight.x, topLeft.y}, color);
    }
}

void AnswerPainter::MarkCheckBoxes()
{
    for (const CheckBoxEntry& item : doc_.CheckBoxes)
        DrawCheckBoxKey(item, item.Checked == item.Key);
}

void AnswerPainter::DrawCheckBoxKey(const CheckBoxEntry& item, bool right)
{
    const Point c = checkBoxCorner(item);
    drawCheckBoxFace(c, true);
    if (right) {
        drawCheckBoxTick(c, kRightGreen);
    } else {
        line(c, {c.x + 12, c.y + 12}, kWrongRed);
        line({c.x + 12, c.y}, {c.x, c.y + 12}, kWrongRed);
    }
}

void AnswerPainter::MarkRadios()
{
    for (const RadioEntry& item : doc_.Radios) {
        if (item.Selected) {
            DrawRadio(item, true);
            DrawRadioKey(item, item.Key);
        } else if (item.Key) {
            DrawRadioKey(item, true);
        }
    }
}

void AnswerPainter::DrawRadioKey(const RadioEntry& item, bool right)
{
    const double x = item.X;
    const double y = double(item.Y) - pageTop_;
    const double x2 = x + item.Width;
    const double y2 = y + item.Height;
    drawMark({x, y}, {x2, y2}, {x, y + item.Height / 2.0}, {x + item.Width / 2.0, y2}, right, kRightGreen,
             kWrongRed);
}

} // namespace richtext
