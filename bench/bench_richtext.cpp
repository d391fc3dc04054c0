// Lays out a generated lesson of about 1 MB of markup with the page engine
// on the Qt surface, and the same lesson as HTML with QTextDocument, both at
// a page width of 600.
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
#include <QTextDocument>
#include <benchmark/benchmark.h>
#include <random>

namespace {

constexpr int kPageWidth = 600;
constexpr int kPageHeight = 600;
constexpr std::size_t kLessonBytes = 1'000'000;

// The same lesson written twice: in the engine's markup and as HTML.
struct Lesson {
    std::string markup;
    std::string html;
};

class LessonWriter {
public:
    explicit LessonWriter(std::string pictureFolder) : pictureFolder_(std::move(pictureFolder)) {}

    Lesson write()
    {
        while (lesson_.markup.size() < kLessonBytes)
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
        if (paragraphs_ % 30 == 0)
            picture(paragraphs_ % 60 == 0 ? "LEFT" : "RIGHT");
        const int sentences = 3 + int(random_() % 5);
        for (int i = 0; i < sentences; ++i)
            sentence();
        if (paragraphs_ % 8 == 0)
            both("<INPUT TYPE=TEXT WIDTH=8 VALUE=answer>", "<span style='border:1px solid'>________</span>");
        both("<BR>", "<br>");
    }

    void sentence()
    {
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
    Lesson lesson_;
    std::mt19937 random_{12345};
    int paragraphs_ = 0;
};

struct Fixture {
    QTemporaryDir folder;
    Lesson lesson;

    Fixture()
    {
        QImage picture(120, 90, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        picture.save(folder.filePath("PIC.PNG"));
        lesson = LessonWriter(folder.path().toStdString()).write();
    }
};

Fixture& fixture()
{
    static Fixture instance;
    return instance;
}

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

void BM_PageEngine_Refresh1(benchmark::State& state)
{
    platform::qt::QtToolkit toolkit;
    platform::fake::FakeApplication application;
    application.realFileSystem = true;
    platform::fake::FakeMessageBoxes messages;
    platform::qt::QtForm form;
    form.setGeometry(0, 0, kPageWidth + 10, kPageHeight);
    auto images = controlSet<platform::PictureBox>([&] { return toolkit.createPictureBox(form); });
    auto masks = controlSet<platform::PictureBox>([&] { return toolkit.createPictureBox(form); });
    auto edits = controlSet<platform::EditBox>([&] { return toolkit.createEditBox(form); });

    richtext::CSuperTextC engine(toolkit, application, messages);
    engine.InitProc(form, 0, 0, kPageWidth + 10, kPageHeight);
    engine.SetObject(images.get(), masks.get(), edits.get());
    engine.CurrPath(fixture().folder.path().toStdString());
    engine.Text(fixture().lesson.markup);
    for (auto _ : state) {
        engine.Refresh1(0);
        benchmark::DoNotOptimize(engine.nTotLine());
    }
    const auto& doc = engine.Document();
    state.counters["markup_bytes"] = double(fixture().lesson.markup.size());
    state.counters["lines"] = engine.nTotLine();
    state.counters["pieces"] = doc.nTotPiece();
    state.counters["sentences"] = doc.nTotSen();
    state.counters["pictures"] = doc.nImg();
    state.counters["text_boxes"] = doc.nTextBox();
    state.counters["model_bytes"] = double(modelBytes(doc));
}

void paintFirstPage(QTextDocument& document, QImage& page)
{
    QPainter painter(&page);
    document.drawContents(&painter, QRectF(0, 0, kPageWidth, kPageHeight));
}

QTextDocument* newDocument(QObject* parent)
{
    auto* document = new QTextDocument(parent);
    document->setDocumentMargin(0);
    document->setDefaultFont(platform::qt::toQFont(platform::FontSpec{"宋体", 9}));
    document->setTextWidth(kPageWidth);
    return document;
}

void BM_QTextDocument_ParseLayoutPaint(benchmark::State& state)
{
    const QString html = QString::fromStdString(fixture().lesson.html);
    QImage page(kPageWidth, kPageHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QObject owner;
        QTextDocument* document = newDocument(&owner);
        document->setHtml(html);
        benchmark::DoNotOptimize(document->documentLayout()->documentSize());
        paintFirstPage(*document, page);
    }
    state.counters["html_bytes"] = double(fixture().lesson.html.size());
}

void BM_QTextDocument_LayoutPaint(benchmark::State& state)
{
    QObject owner;
    QTextDocument* document = newDocument(&owner);
    document->setHtml(QString::fromStdString(fixture().lesson.html));
    QImage page(kPageWidth, kPageHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        document->markContentsDirty(0, document->characterCount());
        benchmark::DoNotOptimize(document->documentLayout()->documentSize());
        paintFirstPage(*document, page);
    }
    state.counters["pages"] = document->pageCount();
}

} // namespace

BENCHMARK(BM_PageEngine_Refresh1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QTextDocument_ParseLayoutPaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QTextDocument_LayoutPaint)->Unit(benchmark::kMillisecond);

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
