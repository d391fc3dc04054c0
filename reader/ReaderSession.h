#pragma once
#include "LessonPage.h"
#include "Lessons.h"
#include "ScoreReport.h"
#include "platform/UserFiles.h"

#include <functional>
#include <string>
#include <vector>

namespace reader {

// The lessons the reader offers and the one open on its page. A lesson's
// answers are kept in the user's files when another lesson is opened or the
// reader saves, and put back when the lesson is opened again.
class ReaderSession {
public:
    ReaderSession(LessonPage& page, platform::UserFiles& userFiles, std::vector<Lesson> lessons,
                  std::string picturePath);

    const std::vector<Lesson>& Lessons() const { return lessons_; }
    // The open lesson; -1 before the first is opened.
    int Current() const { return current_; }
    // Keeps the open lesson's answers, then opens lesson `index` with the
    // answers it was left with. An index outside the lessons does nothing.
    void Open(int index);
    // Keeps the open lesson's answers; false, after a notice, when they
    // could not be written.
    bool Save();
    // The open lesson's answers judged.
    ScoreReport Check() const;

    // Things the user should know that stop nothing: answers that could not
    // be kept or put back.
    std::function<void(const std::string&)> Notice;

private:
    void restore(const Lesson& lesson);
    void notify(const std::string& text);

    LessonPage& page_;
    platform::UserFiles& userFiles_;
    std::vector<Lesson> lessons_;
    std::string picturePath_;
    int current_ = -1;
};

} // namespace reader
