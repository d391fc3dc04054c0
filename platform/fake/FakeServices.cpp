#include "FakeServices.h"
#include "base/PathCase.h"

#include <algorithm>
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
        return std::filesystem::is_regular_file(base::ExistingPathIgnoringCase(path));
    return files.count(path) > 0;
}

bool FakeApplication::folderExists(const std::string& path) const
{
    if (realFileSystem)
        return std::filesystem::is_directory(base::ExistingPathIgnoringCase(path));
    return folders.count(path) > 0;
}

std::vector<std::string> FakeApplication::filesIn(const std::string& folder) const
{
    std::vector<std::string> names;
    if (realFileSystem) {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(base::ExistingPathIgnoringCase(folder), error))
            if (entry.is_regular_file())
                names.push_back(entry.path().filename().string());
    } else {
        for (const std::string& path : files)
            if (std::filesystem::path(path).parent_path() == folder)
                names.push_back(std::filesystem::path(path).filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
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

std::optional<std::string> FakeUserFiles::read(const std::string& name)
{
    auto found = files.find(name);
    if (found == files.end())
        return std::nullopt;
    return found->second;
}

bool FakeUserFiles::write(const std::string& name, const std::string& content)
{
    ++writes;
    if (failWrites)
        return false;
    files[name] = content;
    return true;
}

bool FakeFontRegistry::registerFontFile(const std::string& path, const std::vector<std::string>& families)
{
    registered.push_back(path);
    standsFor[path] = families;
    return failing.count(path) == 0;
}

} // namespace platform::fake
