#include "Lessons.h"
#include "richtext/CTextMark.h"
#include "richtext/Markup.h"
#include "base/Text.h"

#include <stdexcept>

namespace reader {

namespace {

bool isTextFile(const std::string& name)
{
    return name.size() > 4 && base::equalsNoCase(std::string_view(name).substr(name.size() - 4), ".txt");
}

void addLessonsOf(richtext::CTextMark& file, const std::string& name, std::vector<Lesson>& lessons)
{
    for (int n = 1;; ++n) {
        const std::string chunk = "LESSON" + std::to_string(n);
        if (file.FindChunk(chunk) != 0)
            return;
        std::string markup;
        try {
            markup = file.Read();
        } catch (const std::invalid_argument&) {
            // Its closing tag stands before its opening tag: no lesson there.
            continue;
        }
        std::string title = LessonTitle(markup);
        if (title.empty())
            title = name + " " + chunk;
        lessons.push_back({name, chunk, std::move(title), std::move(markup)});
    }
}

} // namespace

std::vector<Lesson> ListLessons(platform::Application& app, platform::TextFiles& files,
                                platform::MessageBoxes& messages, const std::string& folder)
{
    std::vector<Lesson> lessons;
    for (const std::string& name : app.filesIn(folder)) {
        if (!isTextFile(name))
            continue;
        richtext::CTextMark file(files, messages);
        if (file.FileName(folder + "/" + name) == 0)
            addLessonsOf(file, name, lessons);
    }
    return lessons;
}

std::string LessonTitle(std::string_view markup)
{
    richtext::Token token;
    while (richtext::NextToken(markup, token) != richtext::TokenKind::End) {
        std::string text = base::trimSpaces(token.run);
        if (!text.empty())
            return text;
    }
    return {};
}

} // namespace reader
