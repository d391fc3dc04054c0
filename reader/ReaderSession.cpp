#include "ReaderSession.h"
#include "SavedAnswers.h"

#include <iostream>
#include <stdexcept>

namespace reader {

ReaderSession::ReaderSession(LessonPage& page, platform::UserFiles& userFiles, std::vector<Lesson> lessons,
                             std::string picturePath)
    : page_(page), userFiles_(userFiles), lessons_(std::move(lessons)), picturePath_(std::move(picturePath))
{
}

void ReaderSession::Open(int index)
{
    if (index < 0 || std::size_t(index) >= lessons_.size())
        return;
    Save();
    current_ = index;
    const Lesson& lesson = lessons_[std::size_t(index)];
    if (page_.Open(lesson.markup, picturePath_))
        restore(lesson);
}

bool ReaderSession::Save()
{
    if (current_ < 0)
        return true;
    const std::string text = WriteAnswers(CaptureAnswers(page_.Engine()));
    if (userFiles_.write(AnswerFileName(lessons_[std::size_t(current_)]), text))
        return true;
    notify("答案没能保存到 " + userFiles_.folder());
    return false;
}

ScoreReport ReaderSession::Check() const
{
    const richtext::CSuperTextC& engine = page_.Engine();
    return MakeReport(DecodeScore(engine.GetScore()), engine.Document());
}

void ReaderSession::restore(const Lesson& lesson)
{
    const std::optional<std::string> saved = userFiles_.read(AnswerFileName(lesson));
    if (!saved)
        return;
    try {
        const int leftOut = RestoreAnswers(page_.Engine(), ReadAnswers(*saved));
        if (leftOut > 0)
            notify("课文有了改动，上次的答案有 " + std::to_string(leftOut) + " 个没有放回。");
    } catch (const std::invalid_argument& e) {
        // The file is replaced with this session's answers at the next save.
        std::cerr << "saved answers of " << lesson.file << ' ' << lesson.chunk << ": " << e.what() << '\n';
        notify("上次保存的答案读不出来，这一课从头做起。");
    }
}

void ReaderSession::notify(const std::string& text)
{
    if (Notice)
        Notice(text);
}

} // namespace reader
