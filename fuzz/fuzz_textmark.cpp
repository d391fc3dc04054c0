// Reads a chunked text file of arbitrary lines and asks for one chunk: the
// first line names it, the rest is the file. A chunk handed out must be the
// text right after its opening tag, up to the first closing tag or the end
// of the file, and a refusal must have its documented reason.
#include "platform/fake/FakePlatform.h"
#include "richtext/CTextMark.h"
#include "base/Text.h"
#include "harness/FuzzCheck.h"
#include "support/Split.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

using fuzzsupport::check;

namespace {

void checkChunk(const richtext::CTextMark& mark, const std::string& name)
{
    const std::string& whole = mark.WholeText();
    const std::string openTag = "<" + name + ">";
    const std::string closeTag = "</" + name + ">";
    const std::size_t open = base::findNoCase(whole, openTag);
    const std::size_t close = base::findNoCase(whole, closeTag);
    check(open != std::string::npos, "a chunk located without its opening tag");
    const std::size_t start = open + openTag.size();
    std::string chunk;
    try {
        chunk = mark.Read();
    } catch (const std::invalid_argument&) {
        check(close != std::string::npos && close < start, "a chunk refused although it closes after it opens");
        return;
    }
    check(close == std::string::npos || close >= start, "a chunk handed out that closes before it opens");
    check(whole.compare(start, chunk.size(), chunk) == 0, "a chunk that does not start after its opening tag");
    const std::size_t end = start + chunk.size();
    // Without a closing tag the chunk runs to the end, less the space that
    // follows the last line.
    check(close == std::string::npos ? end + 1 == whole.size() : end == close,
          "a chunk that does not end at its closing tag");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::string> lines =
        testsupport::splitAt(std::string_view(reinterpret_cast<const char*>(data), size), '\n');
    platform::fake::FakePlatform fakes;
    fakes.textFiles.contents["/lesson.txt"].assign(lines.begin() + 1, lines.end());
    richtext::CTextMark mark(fakes.textFiles, fakes.messages);
    check(mark.FileName("/lesson.txt") == 0 && fakes.messages.shown.empty(), "a readable file refused");
    std::string wholeByLines;
    for (std::size_t i = 1; i < lines.size(); ++i)
        wholeByLines += lines[i] + ' ';
    check(mark.WholeText() == wholeByLines, "the file's lines not each followed by one space");

    const std::string& name = lines[0];
    const std::int32_t found = mark.FindChunk(name);
    check(found == 0 || found == -1, "FindChunk gave neither 0 nor -1");
    if (found == 0) {
        checkChunk(mark, name);
    } else {
        check(base::findNoCase(mark.WholeText(), "<" + name + ">") == std::string::npos,
              "a chunk whose opening tag is there was not found");
        // Nothing located before: reading is refused.
        bool refused = false;
        try {
            mark.Read();
        } catch (const std::invalid_argument&) {
            refused = true;
        }
        check(refused, "a chunk read before one was located");
    }
    check(fakes.messages.shown.empty(), "a message about a readable file");
    return 0;
}
