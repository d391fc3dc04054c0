// Feeds arbitrary markup to the page engine on a fake surface, then points
// at, presses, scrolls, highlights, paints, types into, shows the key of and
// scores what it laid out. The engine must stay inside its text and arrays,
// end, keep its model whole, paint the same page the same way without
// changing it, and give its answers back as they were.
#include "platform/fake/FakePlatform.h"
#include "richtext/CSuperTextC.h"
#include "richtext/ScoreRecords.h"
#include "harness/FuzzCheck.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

using fuzzsupport::check;
using platform::fake::DrawOp;

namespace {

template <class Fake, class Interface>
platform::ControlSet<Interface> fakeSet()
{
    return platform::ControlSet<Interface>(std::make_unique<Fake>(),
                                           [](Interface&) -> std::unique_ptr<Interface> { return std::make_unique<Fake>(); });
}

void checkSpans(const std::vector<richtext::PieceSpan>& spans, std::int32_t pieces)
{
    for (const auto& span : spans)
        check(span.FirstPiece >= 0 && span.LastPiece >= span.FirstPiece - 1 && span.LastPiece < pieces,
              "a sentence or hot spot outside the pieces");
}

bool sameOps(const std::vector<DrawOp>& a, const std::vector<DrawOp>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const DrawOp& x = a[i];
        const DrawOp& y = b[i];
        if (x.kind != y.kind || x.text != y.text || x.x1 != y.x1 || x.y1 != y.y1 || x.x2 != y.x2 || x.y2 != y.y2 ||
            x.color != y.color || x.op != y.op || !(x.font == y.font) || x.drawMode != y.drawMode ||
            x.drawWidth != y.drawWidth || x.fillStyle != y.fillStyle || x.fillColor != y.fillColor)
            return false;
    }
    return true;
}

class Page {
public:
    Page()
    {
        // Picture names arrive in capitals: those of the seeds and of the
        // disc's sample lessons.
        for (const char* name : {"A.BMP", "B.GIF", "C.JPG", "A_M.BMP", "SPRING.BMP", "NIGHT.BMP", "BAMBOO.BMP",
                                 "BIRD.BMP", "BIRD_MASK.BMP", "MOON.BMP", "MOON_MASK.BMP", "PANDA.BMP", "PANDA_MASK.BMP"})
            fakes.toolkit.pictures[std::string("/pics/") + name] = {40, 30};
        engine.InitProc(surface, 0, 0, 600, 400);
        engine.SetObject(&images, &masks, &edits);
        engine.CurrPath("/pics");
    }

    void layOut(const std::string& markup)
    {
        engine.Text(markup);
        engine.Refresh();
        checkModel();
        for (std::int16_t k = 0; k < std::int16_t(engine.DivShown().size()); k += 2)
            engine.SwitchDiv(k);
        engine.Refresh1(3);
        checkModel();
    }

    // The only message of the markup is the syntax message of an attribute
    // without a value.
    void checkMessages() const
    {
        for (const auto& message : fakes.messages.shown) {
            const std::size_t syntax = message.text.rfind("::语法错误 在属性");
            check(syntax != std::string::npos && message.text.ends_with("中") && message.caption.empty(),
                  "a message that is not the attribute syntax message");
        }
    }

    void checkModel()
    {
        const richtext::DocumentModel& doc = engine.Document();
        checkSpans(doc.Sentence, doc.nTotPiece());
        checkSpans(doc.HotSpot, doc.nTotPiece());
        check(doc.nSenTagNo() >= doc.nTotSen(), "fewer sentence tags than sentences");
        check(images.count() == doc.nImg() + 1 && masks.count() == doc.nImg() + 1,
              "picture holders and pictures differ in number");
        check(edits.count() == doc.nTextBox() + 1, "edit controls and text boxes differ in number");
        for (std::int16_t i = 0; i < doc.nAnchor(); ++i)
            check(engine.GetAnchorLine(i) == doc.AnchorLine[std::size_t(i)], "an anchor's line read back wrong");
    }

    // Painting reads the model and puts back what it changes on the surface,
    // so the same page paints the same way twice.
    void paintTwice()
    {
        const platform::Color fore = surface.foreColor(), fill = surface.fillColor();
        const int width = surface.drawWidth();
        const platform::DrawMode mode = surface.drawMode();
        surface.ops.clear();
        engine.CallPaintPage();
        const std::vector<DrawOp> first = std::exchange(surface.ops, {});
        check(surface.foreColor() == fore && surface.fillColor() == fill && surface.drawWidth() == width &&
                  surface.drawMode() == mode,
              "painting left the surface's colours, pen or draw mode changed");
        engine.CallPaintPage();
        check(sameOps(first, surface.ops), "the same page painted differently");
    }

    void pointEverywhere()
    {
        for (float y = -10; y < 420; y += 17)
            for (float x = -10; x < 620; x += 41) {
                engine.OnMMove(0, 0, x, y);
                engine.OnMDown(1, 0, x, y);
            }
        for (std::int16_t s = -1; s <= engine.nTotSen(); ++s) {
            engine.PrintSen(s);
            engine.ShowSenInPage(s);
        }
    }

    void typeAnswers()
    {
        for (int box = 1; box < edits.count(); ++box)
            edits[box].setText("answer " + std::to_string(box));
    }

    // The answers given, laid out again and put back, come back the same.
    void scoreRoundTrip()
    {
        const std::string score = engine.GetScore();
        engine.Refresh1(0);
        richtext::testing::putScoreBack(engine, score);
        check(engine.GetScore() == score, "answers put back read differently");
    }

    void readAnchors()
    {
        for (std::int16_t i = -1; i <= engine.Document().nAnchor(); ++i) {
            try {
                engine.GetAnchorLine(i);
            } catch (const std::out_of_range&) {
                check(i == engine.Document().nAnchor(), "an anchor index inside the anchors refused");
            }
        }
    }

    platform::fake::FakePlatform fakes;
    platform::fake::FakeSurface surface;
    richtext::CSuperTextC::PictureSet images = fakeSet<platform::fake::FakePictureBox, platform::PictureBox>();
    richtext::CSuperTextC::PictureSet masks = fakeSet<platform::fake::FakePictureBox, platform::PictureBox>();
    richtext::CSuperTextC::EditSet edits = fakeSet<platform::fake::FakeEditBox, platform::EditBox>();
    richtext::CSuperTextC engine{fakes.toolkit, fakes.app, fakes.messages};
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Page page;
    page.layOut(std::string(reinterpret_cast<const char*>(data), size));
    page.paintTwice();
    page.pointEverywhere();
    page.typeAnswers();
    page.engine.ScrollTo(std::int16_t(page.engine.nTotLine()));
    page.paintTwice();
    page.scoreRoundTrip();
    page.engine.getkey();
    page.paintTwice();
    page.readAnchors();
    page.engine.ClearAll();
    page.checkModel();
    page.checkMessages();
    return 0;
}
