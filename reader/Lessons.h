#pragma once
#include "platform/Application.h"
#include "platform/MessageBoxes.h"
#include "platform/TextFiles.h"

#include <string>
#include <string_view>
#include <vector>

namespace reader {

// One lesson: a chunk of a chunked text file in the lessons' folder.
struct Lesson {
    std::string file;  // the file's name in the folder
    std::string chunk; // LESSON1, LESSON2, ...
    std::string title;
    std::string markup;
};

// The lessons of a folder: in each text file (*.txt, in name order) its
// chunks LESSON1, LESSON2, ... up to the first one missing. A file that
// cannot be read is skipped after the reader's message.
std::vector<Lesson> ListLessons(platform::Application& app, platform::TextFiles& files,
                                platform::MessageBoxes& messages, const std::string& folder);

// The first text of a lesson's markup (its heading), without the spaces
// around it; empty when the markup holds no text.
std::string LessonTitle(std::string_view markup);

} // namespace reader
