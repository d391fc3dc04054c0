// Feeds arbitrary bytes to the chunked text reader and the page engine, then
// points at, scrolls, highlights and scores what it laid out. The engine
// must stay inside its text and arrays, never crash and always end.
#include "platform/fake/FakePlatform.h"
#include "richtext/CSuperTextC.h"
#include "richtext/CTextMark.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <stdexcept>
#include <string>

namespace {

template <class Fake, class Interface>
platform::ControlSet<Interface> fakeSet()
{
    return platform::ControlSet<Interface>(std::make_unique<Fake>(),
                                           [](Interface&) -> std::unique_ptr<Interface> { return std::make_unique<Fake>(); });
}

void readChunks(platform::fake::FakePlatform& fakes, const std::string& text)
{
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        fakes.textFiles.contents["/lesson.txt"].push_back(line);
    richtext::CTextMark mark(fakes.textFiles, fakes.messages);
    mark.FileName("/lesson.txt");
    const std::string name = text.substr(0, text.find('>') == std::string::npos ? 0 : std::min<std::size_t>(text.find('>'), 8));
    mark.FindChunk(name.empty() || name[0] != '<' ? "A" : name.substr(1));
    try {
        mark.Read();
    } catch (const std::invalid_argument&) {
        // A chunk that was not located, or closed before it opened.
    }
}

void layOut(platform::fake::FakePlatform& fakes, const std::string& markup)
{
    platform::fake::FakeSurface surface;
    auto images = fakeSet<platform::fake::FakePictureBox, platform::PictureBox>();
    auto masks = fakeSet<platform::fake::FakePictureBox, platform::PictureBox>();
    auto edits = fakeSet<platform::fake::FakeEditBox, platform::EditBox>();
    richtext::CSuperTextC engine(fakes.toolkit, fakes.app, fakes.messages);
    engine.InitProc(surface, 0, 0, 600, 400);
    engine.SetObject(&images, &masks, &edits);
    engine.Text(markup);
    engine.Refresh();
    for (std::int16_t k = 0; k < std::int16_t(engine.DivShown().size()); k += 2)
        engine.SwitchDiv(k);
    engine.Refresh1(3);
    for (float y = -10; y < 420; y += 13)
        for (float x = -10; x < 620; x += 31) {
            engine.OnMMove(0, 0, x, y);
            engine.OnMDown(1, 0, x, y);
        }
    for (std::int16_t s = -1; s <= engine.nTotSen(); ++s) {
        engine.PrintSen(s);
        engine.ShowSenInPage(s);
    }
    engine.ScrollTo(std::int16_t(engine.nTotLine()));
    engine.getkey();
    engine.PutScore("radio", "g", 1, "1");
    engine.GetScore();
    for (std::int16_t i = -1; i <= engine.Document().nAnchor(); ++i) {
        try {
            engine.GetAnchorLine(i);
        } catch (const std::out_of_range&) {
            // The index past the last anchor.
        }
    }
    engine.ClearAll();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    platform::fake::FakePlatform fakes;
    readChunks(fakes, text);
    layOut(fakes, text);
    return 0;
}
