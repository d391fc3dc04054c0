#include "FakeServices.h"
#include "platform/PathCase.h"

#include <filesystem>

namespace platform::fake {

void FakeApplication::end(int status)
{
    ++endCalls;
    throw ProgramEnded{status};
}

bool FakeApplication::fileExists(const std::string& path) const
{
    if (realFileSystem)
        return std::filesystem::is_regular_file(ExistingPathIgnoringCase(path));
    return files.count(path) > 0;
}

bool FakeApplication::folderExists(const std::string& path) const
{
    if (realFileSystem)
        return std::filesystem::is_directory(ExistingPathIgnoringCase(path));
    return folders.count(path) > 0;
}

void FakeMessageBoxes::ok(const std::string& text, const std::string& caption)
{
    shown.push_back({ShownMessage::Kind::Ok, text, caption});
}

Answer FakeMessageBoxes::yesNo(const std::string& text, const std::string& caption)
{
    shown.push_back({ShownMessage::Kind::YesNo, text, caption});
    if (answers.empty())
        return Answer::No;
    Answer a = answers.front();
    answers.pop_front();
    return a;
}

bool FakeTimer::tick()
{
    if (!enabled_ || !handler)
        return false;
    handler();
    return true;
}

TextFileResult FakeTextFiles::readLines(const std::string& path)
{
    reads.push_back(path);
    TextFileResult r;
    if (auto f = failures.find(path); f != failures.end()) {
        r.error = f->second;
        return r;
    }
    auto c = contents.find(path);
    if (c == contents.end()) {
        r.error = "No such file or directory";
        return r;
    }
    r.ok = true;
    r.lines = c->second;
    return r;
}

bool FakeFontRegistry::registerFontFile(const std::string& path)
{
    registered.push_back(path);
    return failing.count(path) == 0;
}

} // namespace platform::fake
