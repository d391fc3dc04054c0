#pragma once
#include "platform/MessageBoxes.h"
#include "platform/TextFiles.h"

#include <cstdint>
#include <string>

namespace richtext {

// Reads a text file holding named chunks of markup, written <name>...</name>,
// and hands out one chunk at a time. Positions are 1-based byte positions in
// the UTF-8 text; chunk tags are ASCII, so a chunk's content is the same
// whether bytes or characters are counted.
class CTextMark {
public:
    CTextMark(platform::TextFiles& files, platform::MessageBoxes& messages);

    // Reads the file whole: every line followed by one space. 0 on success,
    // -1 after a message box with the platform's failure text.
    std::int16_t FileName(const std::string& vData);
    // Locates the chunk; 0 when its opening tag was found, -1 otherwise (the
    // previous chunk stays located).
    std::int32_t FindChunk(const std::string& strChunk);
    // The located chunk without its tags. Throws std::invalid_argument when
    // no chunk is located or its closing tag stands before its opening tag.
    std::string Read() const;

    const std::string& WholeText() const { return WholeText_; }
    std::int32_t ChunkStart() const { return ChunkStart_; }
    std::int32_t ChunkEnd() const { return ChunkEnd_; }

private:
    platform::TextFiles& files_;
    platform::MessageBoxes& messages_;
    std::string WholeText_;
    std::int32_t ChunkStart_ = 0;
    std::int32_t ChunkEnd_ = 0;
};

} // namespace richtext
