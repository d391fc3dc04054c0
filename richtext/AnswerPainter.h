#pragma once
#include "DocumentModel.h"
#include "platform/ControlSet.h"
#include "platform/Controls.h"

namespace richtext {

// Shows the answer inputs on the page: moves the host's text boxes with the
// page, draws check boxes and radio items, and draws the marks of the
// answer key. It reads the document and never changes it; the fill colour
// and pen width it changes are restored.
class AnswerPainter {
public:
    using EditSet = platform::ControlSet<platform::EditBox>;

    AnswerPainter(platform::Surface& surface, const DocumentModel& doc, const PageMetrics& page);

    // Shows the boxes whose top is on the page at their place and hides the
    // others; disables them all when the inputs are frozen.
    void PlaceTextBoxes(EditSet* objText, bool disableInputs, bool showKey);
    void PaintCheckBoxes(bool showKey);
    void PaintRadios(bool showKey);
    // A 13-unit box with a light border, ticked when state is true.
    void DrawCheckBox(const CheckBoxEntry& item, bool state);
    // A filled circle, with a dot when selected; nothing when its centre is
    // off the page.
    void DrawRadio(const RadioEntry& item, bool selected);

    // A red tick or cross right of each box whose mode asks for marks.
    void MarkTextBoxes(EditSet* objText);
    // Each box redrawn without the user's tick, with a green tick where the
    // user's state is the key and a red cross elsewhere.
    void MarkCheckBoxes();
    // A tick or cross over each chosen item and a tick over a missed key.
    void MarkRadios();

private:
    struct Point {
        double x = 0;
        double y = 0;
    };
    Point checkBoxCorner(const CheckBoxEntry& item) const;
    void drawCheckBoxFace(Point corner, bool outlined);
    void drawCheckBoxTick(Point corner, platform::Color color);
    void DrawCheckBoxKey(const CheckBoxEntry& item, bool right);
    void DrawRadioKey(const RadioEntry& item, bool right);
    // A tick from `start` down to `bottom` and up to `end`, or a cross over the box.
    void drawMark(Point topLeft, Point bottomRight, Point tickStart, Point tickBottom, bool right,
                  platform::Color rightColor, platform::Color wrongColor);
    void line(Point from, Point to, platform::Color color);

    platform::Surface& surface_;
    const DocumentModel& doc_;
    const PageMetrics& page_;
    std::int32_t pageTop_;
};

} // namespace richtext
