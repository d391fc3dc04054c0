#pragma once
#include "platform/MessageBoxes.h"
#include "platform/TextFiles.h"

#include <string>
#include <string_view>

namespace buttons {

// Reads one section of a description file and hands out its elements, and
// the properties of the current element, as untouched text. It knows
// nothing of what the names or values mean.
class CSrcReader {
public:
    CSrcReader(platform::TextFiles& files, platform::MessageBoxes& messages);

    // Loads the file and cuts out the section `chunk`; false (after the
    // format message) when the section cannot be found.
    bool Init(const std::string& FileName, const std::string& chunk);
    // Takes the next element; false when none is left.
    bool GetOneSrcStr();
    // The value of `property` in the current element, or empty.
    std::string GetOneProperty(const std::string& property) const;

    const std::string& fileName() const { return fileName_; }
    std::string_view workingText() const;
    const std::string& currentElement() const { return currentElement_; }

private:
    std::string readJoinedLines(const std::string& path) const;
    bool cutSection(const std::string& chunk);
    void skipLeadingSpaces();

    platform::TextFiles& files_;
    platform::MessageBoxes& messages_;
    std::string fileName_;
    // The working text is text_ from offset_ on: taking an element moves the
    // offset instead of copying the rest, so draining a section is linear.
    std::string text_;
    std::size_t offset_ = 0;
    std::string currentElement_;
};

// The message of every description-file format error.
inline constexpr const char* kFormatMessage = "资源文件格式有问题";

} // namespace buttons
