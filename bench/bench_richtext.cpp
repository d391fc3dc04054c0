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

int main(int argc, char** argv) { return bench::runQtBenchmarks(argc, argv); }
