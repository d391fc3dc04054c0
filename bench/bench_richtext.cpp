// The page engine against Qt's own rich text (QTextDocument) on the Qt
// surface, on the same lesson at a page width of 600, like with like:
//
// - layout and paint of the first page: the engine's Refresh1 (which lays the
//   lesson out and paints its first page) against QTextDocument laying out
//   again the HTML it has already parsed and painting the same page;
// - layout: Refresh1 against QTextDocument's layout alone (the engine's side
//   still paints a page; its paint alone is the next pair);
// - paint of the first page: the engine's CallPaintPage against
//   QTextDocument drawing the page of a finished layout.
//
// The lesson is written twice, in the engine's markup and as HTML with one
// <p> per paragraph: Chinese sentences with bold and italic runs and a few
// Latin words; with argument 1 also pictures against either edge and now and
// then a text box, for which the engine creates host controls while Qt's
// document only records them, so argument 0 (the same text alone) shows the
// text layout by itself. The lesson ends well within the engine's 16-bit
// document coordinates, so the engine lays out all of it; the set-up checks
// that and refuses to measure otherwise.
// Quote CPU time, both sides from one run, interleaved:
//
//   bench_richtext --benchmark_enable_random_interleaving=true --benchmark_repetitions=9
#include "bench/support/QtBenchmarks.h"
#include "platform/fake/FakeServices.h"
#include "platform/qt/QtControls.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtToolkit.h"
#include "richtext/CSuperTextC.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <benchmark/benchmark.h>
#include <limits>
#include <random>

namespace {

constexpr int kPageWidth = 600;
constexpr int kPageHeight = 600;
// About 2,000 lines in the surface's default font, the last below y 32767.
constexpr int kParagraphs = 400;

// The same lesson written twice: in the engine's markup and as HTML.
struct Lesson {
    std::string markup;
    std::string html;
    int sentences = 0;
};

class LessonWriter {
public:
    LessonWriter(std::string pictureFolder, bool withControls)
        : pictureFolder_(std::move(pictureFolder)), withControls_(withControls)
    {
    }

    Lesson write()
    {
        for (int i = 0; i < kParagraphs; ++i)
            paragraph();
        return lesson_;
    }

private:
    void both(const std::string& markup, const std::string& html)
    {
        lesson_.markup += markup;
        lesson_.html += html;
    }

    void paragraph()
    {
        ++paragraphs_;
        both("<P>", "<p>");
        if (withControls_ && paragraphs_ % 30 == 0)
            picture(paragraphs_ % 60 == 0 ? "LEFT" : "RIGHT");
        const int sentences = 3 + int(random_() % 5);
        for (int i = 0; i < sentences; ++i)
            sentence();
        if (withControls_ && paragraphs_ % 8 == 0)
            both("<INPUT TYPE=TEXT WIDTH=8 VALUE=answer>", "<span style='border:1px solid'>________</span>");
        both("</P><BR>", "</p>\n");
    }

    void sentence()
    {
        ++lesson_.sentences;
        both("<T TYPE=SEN>", "");
        const int pieces = 1 + int(random_() % 3);
        for (int i = 0; i < pieces; ++i) {
            const auto style = random_() % 10;
            const std::string text = chinese(8 + int(random_() % 20)) + latin();
            if (style == 0)
                both("<B>" + text + "</B>", "<b>" + text + "</b>");
            else if (style == 1)
                both("<I>" + text + "</I>", "<i>" + text + "</i>");
            else
                both(text, text);
        }
        both("。</T>", "。");
    }

    std::string chinese(int characters)
    {
        static const std::u32string kPool = U"学习中文的时候我们每天读书写字听说练习老师同学朋友家里学校今天明天"
                                            U"春夏秋冬山水花草树木天地人和日月星光风雨云雪东西南北上下左右大小多少";
        std::string text;
        for (int i = 0; i < characters; ++i) {
            const char32_t c = kPool[random_() % kPool.size()];
            text += char(0xE0 | (c >> 12));
            text += char(0x80 | ((c >> 6) & 0x3F));
            text += char(0x80 | (c & 0x3F));
            if (i % 9 == 8)
                text += "，";
        }
        return text;
    }

    std::string latin()
    {
        static const char* kWords[] = {"lesson ", "reading ", "the ", "book ", "catalog ", "word "};
        if (random_() % 3 != 0)
            return {};
        return std::string(" ") + kWords[random_() % 6] + kWords[random_() % 6];
    }

    void picture(const std::string& align)
    {
        both("<IMG SRC=pic.png WIDTH=120 HEIGHT=90 ALIGN=" + align + ">",
             "<img src='" + pictureFolder_ + "/PIC.PNG' width=120 height=90 align=" + (align == "LEFT" ? "left" : "right") +
                 ">");
    }

    std::string pictureFolder_;
    bool withControls_;
    Lesson lesson_;
    std::mt19937 random_{12345};
    int paragraphs_ = 0;
};

// The lessons by benchmark argument: 0 text alone, 1 with pictures and text boxes.
struct Fixture {
    QTemporaryDir folder;
    Lesson lessons[2];

    Fixture()
    {
        QImage picture(120, 90, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        picture.save(folder.filePath("PIC.PNG"));
        for (bool withControls : {false, true})
            lessons[withControls] = LessonWriter(folder.path().toStdString(), withControls).write();
    }
};

Fixture& fixture()
{
    static Fixture instance;
    return instance;
}

const Lesson& lessonOf(const benchmark::State& state) { return fixture().lessons[state.range(0) != 0]; }

std::size_t heapBytes(const std::string& text) { return text.capacity() > 15 ? text.capacity() + 1 : 0; }

template <class T>
std::size_t vectorBytes(const std::vector<T>& list) { return list.capacity() * sizeof(T); }

// What the laid-out document holds in memory, strings included.
std::size_t modelBytes(const richtext::DocumentModel& doc)
{
    std::size_t bytes = sizeof doc + vectorBytes(doc.TextPiece) + vectorBytes(doc.Sentence) + vectorBytes(doc.HotSpot) +
                        vectorBytes(doc.SenTagNo) + vectorBytes(doc.Images) + vectorBytes(doc.TextBoxes) +
                        vectorBytes(doc.CheckBoxes) + vectorBytes(doc.Radios) + vectorBytes(doc.Rule) +
                        vectorBytes(doc.AnchorLine);
    for (const auto& piece : doc.TextPiece)
        bytes += heapBytes(piece.Text) + heapBytes(piece.FontName) + heapBytes(piece.FontSize);
    for (const auto& box : doc.TextBoxes)
        bytes += heapBytes(box.Value) + heapBytes(box.Value2) + heapBytes(box.Value3) + heapBytes(box.Mode);
    return bytes;
}

template <class T>
std::unique_ptr<platform::ControlSet<T>> controlSet(std::function<std::unique_ptr<T>()> make)
{
    return std::make_unique<platform::ControlSet<T>>(make(), [make](T&) { return make(); });
}

// The engine on a real form with a lesson laid out and its first page
// painted, as a host would have it. The engine paints pictures itself, so
// their holders stay hidden.
struct EngineOnQt {
    const Lesson& lesson;
    platform::qt::QtToolkit toolkit;
    platform::fake::FakeApplication application;
    platform::fake::FakeMessageBoxes messages;
    platform::qt::QtForm form;
    std::unique_ptr<platform::ControlSet<platform::PictureBox>> images, masks;
    std::unique_ptr<platform::ControlSet<platform::EditBox>> edits;
    richtext::CSuperTextC engine{toolkit, application, messages};

    explicit EngineOnQt(const Lesson& lessonToShow) : lesson(lessonToShow)
    {
        application.realFileSystem = true;
        form.setGeometry(0, 0, kPageWidth + 10, kPageHeight);
        images = controlSet<platform::PictureBox>([this] { return hiddenHolder(); });
        masks = controlSet<platform::PictureBox>([this] { return hiddenHolder(); });
        edits = controlSet<platform::EditBox>([this] { return toolkit.createEditBox(form); });
        engine.InitProc(form, 0, 0, kPageWidth + 10, kPageHeight);
        engine.SetObject(images.get(), masks.get(), edits.get());
        engine.CurrPath(fixture().folder.path().toStdString());
        engine.Text(lesson.markup);
        engine.Refresh1(0);
    }

    std::unique_ptr<platform::PictureBox> hiddenHolder()
    {
        auto holder = toolkit.createPictureBox(form);
        holder->setVisible(false);
        return holder;
    }

    // Whether the last layout holds every sentence of the lesson, below the
    // end of the 16-bit range.
    bool laidOutWhole() const
    {
        const auto& pieces = engine.Document().TextPiece;
        return engine.nTotSen() == lesson.sentences && !pieces.empty() &&
               pieces.back().Y + engine.nLineHeight() <= std::numeric_limits<std::int16_t>::max();
    }

    // Says why not to measure when the lesson did not fit.
    bool readyFor(benchmark::State& state) const
    {
        if (!laidOutWhole())
            state.SkipWithError("the lesson does not fit the engine's 16-bit coordinates");
        return laidOutWhole();
    }

    void count(benchmark::State& state) const
    {
        const auto& doc = engine.Document();
        state.counters["markup_bytes"] = double(lesson.markup.size());
        state.counters["lines"] = engine.nTotLine();
        state.counters["pieces"] = doc.nTotPiece();
        state.counters["pictures"] = doc.nImg();
        state.counters["text_boxes"] = doc.nTextBox();
        state.counters["model_bytes"] = double(modelBytes(doc));
    }
};

void BM_PageEngine_Refresh1(benchmark::State& state)
{
    EngineOnQt host(lessonOf(state));
    if (!host.readyFor(state))
        return;
    for (auto _ : state) {
        host.engine.Refresh1(0);
        benchmark::DoNotOptimize(host.engine.nTotLine());
    }
    host.count(state);
}

void BM_PageEngine_PaintPage(benchmark::State& state)
{
    EngineOnQt host(lessonOf(state));
    if (!host.readyFor(state))
        return;
    for (auto _ : state)
        host.engine.CallPaintPage();
    host.count(state);
}

// Qt's document with the lesson's HTML parsed once, in the surface's font,
// paragraphs without margins as the engine sets them.
std::unique_ptr<QTextDocument> parsedLesson(const Lesson& lesson)
{
    auto document = std::make_unique<QTextDocument>();
    document->setDocumentMargin(0);
    document->setDefaultFont(platform::qt::toQFont(platform::qt::QtForm().font()));
    document->setDefaultStyleSheet("p { margin: 0; }");
    document->setTextWidth(kPageWidth);
    document->setHtml(QString::fromStdString(lesson.html));
    return document;
}

int laidOutLines(const QTextDocument& document)
{
    int lines = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        lines += block.layout()->lineCount();
    return lines;
}

// Marking the whole text dirty clears every block's lines and lays them out
// again, shaping included; the size asks for the layout to be finished.
void layOutAgain(QTextDocument& document)
{
    document.markContentsDirty(0, document.characterCount());
    benchmark::DoNotOptimize(document.documentLayout()->documentSize());
}

// The first page drawn afresh, as the engine's paint clears its surface first.
void paintFirstPage(QTextDocument& document, QImage& page)
{
    page.fill(Qt::white);
    QPainter painter(&page);
    document.drawContents(&painter, QRectF(0, 0, kPageWidth, kPageHeight));
}

void countDocument(benchmark::State& state, const QTextDocument& document)
{
    state.counters["html_bytes"] = double(lessonOf(state).html.size());
    state.counters["lines"] = laidOutLines(document);
}

void BM_QTextDocument_Layout(benchmark::State& state)
{
    const auto document = parsedLesson(lessonOf(state));
    for (auto _ : state)
        layOutAgain(*document);
    countDocument(state, *document);
}

void BM_QTextDocument_LayoutPaintPage(benchmark::State& state)
{
    const auto document = parsedLesson(lessonOf(state));
    QImage page(kPageWidth, kPageHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        layOutAgain(*document);
        paintFirstPage(*document, page);
    }
    countDocument(state, *document);
}

void BM_QTextDocument_PaintPage(benchmark::State& state)
{
    const auto document = parsedLesson(lessonOf(state));
    layOutAgain(*document);
    QImage page(kPageWidth, kPageHeight, QImage::Format_RGB32);
    for (auto _ : state)
        paintFirstPage(*document, page);
    countDocument(state, *document);
}

} // namespace

BENCHMARK(BM_PageEngine_Refresh1)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QTextDocument_LayoutPaintPage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QTextDocument_Layout)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageEngine_PaintPage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QTextDocument_PaintPage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The engine on its own, on the Qt surface: repainting a page, scrolling
// from the first page to the last, and the pointer moving over the last
// page while the host highlights the sentence under it.
namespace {

// A lesson of many pages that stays within 16-bit document coordinates:
// paragraphs of sentences with hot words, a picture every twelve
// paragraphs, exercises of all three kinds and rules.
std::string manyPagesLesson(int paragraphs)
{
    static const char* const kSentences[] = {"春天来了，山上的花都开了，小鸟在树上唱歌。", "老师说，每天读书写字，学习就会进步。",
                                             "我们一起去学校，路上看见了很多朋友。", "秋天的风吹过田野，树叶变成了金色。"};
    static const char* const kHotWords[] = {"花", "老师", "学校", "秋天"};
    std::string markup = "<P>";
    for (int p = 0; p < paragraphs; ++p) {
        if (p % 12 == 0)
            markup += std::string("<IMG SRC=pic.png MASK=mask.png WIDTH=120 HEIGHT=90 ALIGN=") +
                      (p % 24 == 0 ? "LEFT" : "RIGHT") + ">";
        for (int s = 0; s < 4; ++s) {
            const int k = (p + s) % 4;
            markup += std::string("<T TYPE=SEN>") + kSentences[k] + "<T TYPE=HOT>" + kHotWords[k] + "</T>" +
                      kSentences[(k + 1) % 4] + "</T>";
        }
        if (p % 6 == 0) {
            const std::string group = "q" + std::to_string(p);
            markup += "<INPUT TYPE=TEXT WIDTH=8 VALUE=答案><INPUT TYPE=CHECKBOX CHECKED=true>"
                      "<INPUT TYPE=RADIO NAME=" + group + " CHECKED=true><INPUT TYPE=RADIO NAME=" + group + ">";
        }
        markup += p % 10 == 9 ? "<BR><HR>" : "<BR>";
    }
    return markup;
}

// A host window with the engine on its form, the lesson laid out and painted.
struct QtLessonPage {
    QTemporaryDir folder;
    platform::qt::QtToolkit toolkit;
    platform::fake::FakeApplication application;
    platform::fake::FakeMessageBoxes messages;
    platform::qt::QtForm form;
    std::unique_ptr<richtext::CSuperTextC::PictureSet> images = holders();
    std::unique_ptr<richtext::CSuperTextC::PictureSet> masks = holders();
    std::unique_ptr<richtext::CSuperTextC::EditSet> edits =
        controlSet<platform::EditBox>([this] { return toolkit.createEditBox(form); });
    richtext::CSuperTextC engine{toolkit, application, messages};

    QtLessonPage()
    {
        QImage picture(120, 90, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        picture.save(folder.filePath("PIC.PNG"));
        picture.fill(Qt::black);
        picture.save(folder.filePath("MASK.PNG"));
        application.realFileSystem = true;
        form.setGeometry(0, 0, kPageWidth + 10, kPageHeight);
        engine.InitProc(form, 0, 0, kPageWidth + 10, kPageHeight);
        engine.SetObject(images.get(), masks.get(), edits.get());
        engine.CurrPath(folder.path().toStdString());
        engine.HotColor(platform::rgb(0, 0, 255));
        engine.Text(manyPagesLesson(500));
        engine.Refresh();
    }

    // Picture holders keep pictures for the engine and are not shown themselves.
    std::unique_ptr<richtext::CSuperTextC::PictureSet> holders()
    {
        return controlSet<platform::PictureBox>([this] {
            auto holder = toolkit.createPictureBox(form);
            holder->setVisible(false);
            return holder;
        });
    }

    std::int16_t lastPage() const { return std::int16_t(engine.nTotLine() - engine.nPageLine()); }

    void count(benchmark::State& state) const
    {
        state.counters["lines"] = engine.nTotLine();
        state.counters["pages"] = double(engine.nTotLine()) / engine.nPageLine();
        state.counters["pieces"] = engine.Document().nTotPiece();
        state.counters["hot_words"] = engine.Document().nTotHot();
        if (engine.Truncated())
            state.SkipWithError("the lesson does not fit 16-bit coordinates");
    }
};

void BM_PageEngine_RepaintPage(benchmark::State& state)
{
    QtLessonPage page;
    page.engine.ScrollTo(std::int16_t(page.lastPage() / 2));
    for (auto _ : state)
        page.engine.CallPaintPage();
    page.count(state);
}

void BM_PageEngine_ScrollToFirstToLastPage(benchmark::State& state)
{
    QtLessonPage page;
    for (auto _ : state) {
        state.PauseTiming();
        page.engine.ScrollTo(0);
        state.ResumeTiming();
        page.engine.ScrollTo(page.lastPage());
    }
    page.count(state);
}

// The pointer visits a grid over the last page, so most moves enter another
// sentence: the host takes the old highlight off and puts the new one on.
void BM_PageEngine_PointerMoveOverLastPage(benchmark::State& state)
{
    QtLessonPage page;
    richtext::CSuperTextC& engine = page.engine;
    engine.ScrollTo(page.lastPage());
    engine.MoveInSen = [&engine](std::int16_t s) { engine.PrintSen(s); };
    engine.MoveOutSen = [&engine](std::int16_t s) { engine.PrintSen(s); };
    std::vector<std::pair<float, float>> points;
    for (int row = 0; row < engine.nPageLine(); ++row)
        for (int column = 0; column < 8; ++column)
            points.emplace_back(float(20 + column * 70), float((row + 0.5) * engine.nLineHeight()));
    std::size_t next = 0;
    for (auto _ : state) {
        const auto [x, y] = points[next];
        engine.OnMMove(0, 0, x, y);
        next = (next + 1) % points.size();
    }
    page.count(state);
}

} // namespace

BENCHMARK(BM_PageEngine_RepaintPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageEngine_ScrollToFirstToLastPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageEngine_PointerMoveOverLastPage)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) { return bench::runQtBenchmarks(argc, argv); }
