// The reader on the sample disc's lessons in real widgets, headless: the
// pointer highlights a sentence, an exercise is answered by keys and the
// mouse, the answer string is read, and the answers come back when the
// lesson is left and opened again.
#include "platform/qt/QtControls.h"
#include "platform/qt/QtPlatform.h"
#include "reader/FrmReader.h"
#include "reader/SavedAnswers.h"
#include "reader/ScoreRecords.h"
#include "startup/MediaFolders.h"
#include "support/FileBytes.h"
#include "support/Paths.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDirIterator>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <gtest/gtest.h>

namespace {

using reader::ScoreRecord;

QWidget* widgetOf(const std::unique_ptr<platform::PictureBox>& box)
{
    return dynamic_cast<platform::qt::QtPictureBox&>(*box).widget();
}

void send(QWidget* widget, QEvent::Type type, QPointF at, Qt::MouseButton button = Qt::NoButton)
{
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, button, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

void type(QWidget* widget, int key, const QString& text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(widget, &press);
}

class ReaderOnTheDisc : public ::testing::Test {
protected:
    QTemporaryDir home;
    std::unique_ptr<platform::qt::QtPlatform> qt;
    platform::Platform bound{[this] {
        // The user's data folder lives in a folder of the test's own.
        setenv("XDG_DATA_HOME", home.path().toUtf8().constData(), 1);
        qt = std::make_unique<platform::qt::QtPlatform>(platform::qt::noWebControls(), testsupport::discDir() + "/product");
        return qt->platform();
    }()};
    std::unique_ptr<reader::FrmReader> window;

    void SetUp() override { open(startup::mediaRootOf(qt->app.programFolder())); }
    void open(const std::string& mediaRoot)
    {
        ASSERT_TRUE(home.isValid());
        const auto folders = startup::composeMediaFolders(mediaRoot);
        startup::InstallFonts(qt->fonts, folders.MediaRoot);
        window = std::make_unique<reader::FrmReader>(bound, folders);
        window->Init();
    }
    void TearDown() override { unsetenv("XDG_DATA_HOME"); }

    richtext::CSuperTextC& engine() { return window->Page().Engine(); }
    QWidget* page() { return widgetOf(window->picPage); }
    const QImage& pixels() { return dynamic_cast<platform::qt::QtPictureBox&>(*window->picPage).backing(); }

    // The edit control of text box `box`, brought onto the page.
    QLineEdit* textBox(int box)
    {
        engine().TableTextBox(box);
        for (QLineEdit* edit : page()->findChildren<QLineEdit*>())
            if (!edit->isHidden() && edit->x() == engine().GetTextLeft(box) && edit->y() == engine().GetTextTop(box))
                return edit;
        return nullptr;
    }
    void choose(int lesson)
    {
        dynamic_cast<platform::qt::QtListBox&>(*window->lstLessons).listWidget()->setCurrentRow(lesson);
    }
};

} // namespace

TEST_F(ReaderOnTheDisc, ShowsTheDiscsLessonsAndHighlightsTheSentenceUnderThePointer)
{
    ASSERT_GE(window->lstLessons->count(), 3);
    EXPECT_EQ(window->lblLesson->caption(), window->lstLessons->item(0));
    ASSERT_GT(engine().nTotSen(), 0);

    const richtext::Piece piece = engine().Document().TextPiece.at(engine().Document().Sentence[0].FirstPiece);
    const int x = piece.X + piece.Width / 2;
    const int underline = int(piece.Y + engine().RawLineHeight() - 2 - engine().PageTop());
    const QColor before = pixels().pixelColor(x, underline);
    send(page(), QEvent::MouseMove, QPointF(x, piece.Y - engine().PageTop() + 6));
    EXPECT_EQ(engine().CurSen(), 0);
    EXPECT_TRUE(engine().Document().TextPiece.at(engine().Document().Sentence[0].FirstPiece).Marked);
    const QColor after = pixels().pixelColor(x, underline);
    EXPECT_EQ(after, QColor(255 - before.red(), 255 - before.green(), 255 - before.blue()));

    send(page(), QEvent::MouseMove, QPointF(page()->width() - 3, page()->height() - 3));
    EXPECT_EQ(engine().CurSen(), -1);
    EXPECT_EQ(pixels().pixelColor(x, underline), before);
}

TEST_F(ReaderOnTheDisc, AnswersAreTypedScoredKeptAndPutBack)
{
    QLineEdit* first = textBox(0);
    ASSERT_NE(first, nullptr);
    type(first, 0, "晓");
    EXPECT_EQ(first->text(), "晓");
    // Tab takes the focus to the second box and is not typed.
    QLineEdit* second = textBox(1);
    ASSERT_NE(second, nullptr);
    type(first, Qt::Key_Tab);
    EXPECT_EQ(first->text(), "晓");
    EXPECT_EQ(first->window()->focusWidget(), second);

    // The key item of the first radio group, pressed where it is painted.
    const richtext::RadioEntry radio = engine().Document().Radios.at(0);
    ASSERT_TRUE(radio.Key);
    engine().ScrollTo(std::int16_t(radio.Y / engine().nLineHeight() - 3));
    const QPointF onRadio(radio.X + radio.Width / 2.0, radio.Y - engine().PageTop() + radio.Height / 2.0);
    send(page(), QEvent::MouseButtonPress, onRadio, Qt::LeftButton);
    send(page(), QEvent::MouseButtonRelease, onRadio, Qt::LeftButton);

    const std::string score = engine().GetScore();
    const std::vector<ScoreRecord> records = reader::DecodeScore(score);
    ASSERT_GE(records.size(), 2u);
    EXPECT_EQ(records[0], (ScoreRecord{ScoreRecord::Kind::Text, 1, "noname", "晓", "晓"}));
    const auto group = std::find_if(records.begin(), records.end(),
                                    [](const ScoreRecord& r) { return r.kind == ScoreRecord::Kind::Radio; });
    ASSERT_NE(group, records.end());
    EXPECT_EQ(group->answer, "1");
    EXPECT_EQ(group->key, "1");

    dynamic_cast<platform::qt::QtButton&>(*window->btnCheck).pushButton()->click();
    ASSERT_GE(window->lstResults->count(), 1);
    EXPECT_EQ(window->lstResults->item(0), "填空 1：“晓” —— 对");

    choose(1);
    EXPECT_EQ(window->Session().Current(), 1);
    EXPECT_NE(engine().GetScore(), score);
    const std::string file = qt->userFiles.folder() + "/gushi.txt-LESSON1.answers";
    EXPECT_EQ(file.rfind(home.path().toStdString(), 0), 0u) << file;
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(file)));
    // The disc is read-only on a real drive: nothing of the answers lands there.
    QDirIterator onDisc(QString::fromStdString(testsupport::discDir()), {"*.answers"}, QDir::Files,
                        QDirIterator::Subdirectories);
    EXPECT_FALSE(onDisc.hasNext()) << onDisc.next().toStdString();

    choose(0);
    EXPECT_EQ(window->Session().Current(), 0);
    EXPECT_EQ(engine().GetScore(), score);
    QLineEdit* restored = textBox(0);
    ASSERT_NE(restored, nullptr);
    EXPECT_EQ(restored->text(), "晓");
}

namespace {

// Every file under a folder with its size and time of change.
std::map<std::string, std::pair<std::uintmax_t, std::filesystem::file_time_type>> snapshot(const std::string& folder)
{
    std::map<std::string, std::pair<std::uintmax_t, std::filesystem::file_time_type>> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        files[entry.path().string()] = {entry.is_regular_file() ? entry.file_size() : 0, entry.last_write_time()};
    return files;
}

// The disc's lessons beside an empty file, a lesson file cut short and a
// picture renamed to a lesson file.
class ReaderOnASpoiledDisc : public ReaderOnTheDisc {
protected:
    QTemporaryDir disc;
    std::string text() const { return disc.filePath("text").toStdString(); }

    void SetUp() override
    {
        ASSERT_TRUE(disc.isValid());
        namespace fs = std::filesystem;
        const fs::path lessons = testsupport::discDir() + "/product/text";
        fs::copy(lessons, text());
        testsupport::writeBytes(text() + "/a-empty.txt", "");
        const std::string lesson = testsupport::fileBytes((lessons / "gushi.txt").string());
        testsupport::writeBytes(text() + "/b-cut.txt", lesson.substr(0, lesson.size() / 2));
        fs::copy(lessons / "bamboo.bmp", text() + "/c-picture.txt");
        before = snapshot(disc.path().toStdString());
        open(disc.path().toStdString());
    }
    decltype(snapshot({})) before;
};

} // namespace

TEST_F(ReaderOnASpoiledDisc, OffersWhatItCanReadAndWritesNothingOnTheDisc)
{
    // What is left of the cut file still holds its first lessons.
    ASSERT_GT(window->lstLessons->count(), 3);
    for (int lesson = 0; lesson < window->lstLessons->count(); ++lesson) {
        choose(lesson);
        EXPECT_EQ(window->Session().Current(), lesson);
        EXPECT_EQ(window->lblLesson->caption(), window->lstLessons->item(lesson));
        dynamic_cast<platform::qt::QtButton&>(*window->btnCheck).pushButton()->click();
    }
    EXPECT_TRUE(window->Session().Save());
    EXPECT_EQ(snapshot(disc.path().toStdString()), before) << "the disc was written";
    for (const reader::Lesson& lesson : window->Session().Lessons()) {
        const std::string kept = qt->userFiles.folder() + "/" + reader::AnswerFileName(lesson);
        EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(kept))) << kept;
    }
    EXPECT_EQ(window->Session().Lessons().front().file, "b-cut.txt");
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible() && qobject_cast<QDialog*>(w)) << "a message was shown";
}
