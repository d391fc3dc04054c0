#include "PublisherMedia.h"
#include "TextDecoding.h"
#include "base/Text.h"

#include <QProcess>

#include <algorithm>


namespace makedisc {

namespace fs = std::filesystem;

namespace {

enum class Stream { Video, Audio };

// Why FFmpeg cannot play the file; empty when it can.
std::string playbackFault(const fs::path& file, Stream wanted)
{
    const QString path = QString::fromStdString(file.string());
    QProcess probe;
    probe.start("ffprobe", {"-v", "error", "-show_entries", "stream=codec_type", "-of", "csv=p=0", path});
    if (!probe.waitForFinished(-1) || probe.exitCode() != 0)
        return "not a movie or sound FFmpeg reads";
    const QString kinds = QString::fromUtf8(probe.readAllStandardOutput());
    const char* kind = wanted == Stream::Video ? "video" : "audio";
    if (!kinds.contains(kind))
        return wanted == Stream::Video ? "holds no pictures" : "holds no sound";
    QProcess decode;
    decode.start("ffmpeg", {"-nostdin", "-v", "error", "-i", path, "-f", "null", "-"});
    if (!decode.waitForFinished(-1) || decode.exitCode() != 0 || !decode.readAllStandardError().isEmpty())
        return "FFmpeg cannot decode it to its end";
    return {};
}

// Why the reader would show no lesson of the file, or a lesson cut short; empty when it reads.
std::string lessonFault(const fs::path& file)
{
    const std::string bytes = ReadFileBytes(file).value_or("");
    const DecodedText text = DecodeText(bytes, DetectEncoding(bytes));
    if (!text.badLines.empty())
        return "line " + std::to_string(text.badLines.front().line) + " is not GB2312, GB18030 or UTF-8 text";
    if (base::findNoCase(text.utf8, "<LESSON1>") == std::string::npos)
        return "holds no chunk <LESSON1>";
    // The page engine ends the markup at a "<" that no ">" follows.
    const std::size_t lastOpen = text.utf8.rfind('<');
    if (lastOpen != std::string::npos && text.utf8.find('>', lastOpen) == std::string::npos)
        return "a tag opened at its end is never closed";
    return {};
}

// The folder's files for the disc: its pictures and the lesson files that read.
std::vector<fs::path> checkedLessons(const fs::path& folder, Report& report)
{
    std::vector<fs::path> files;
    bool anyLesson = false;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (!entry.is_regular_file())
            continue;
        const bool lesson = base::toUpperAscii(entry.path().extension().string()) == ".TXT";
        if (const std::string fault = lesson ? lessonFault(entry.path()) : std::string(); !fault.empty()) {
            report.problem(entry.path().string(), fault, "it is left off the disc");
            continue;
        }
        anyLesson = anyLesson || lesson;
        files.push_back(entry.path());
    }
    if (!anyLesson) {
        report.problem(folder.string(), "holds no lesson file the reader shows", "the sample's lessons stay on the disc");
        return {};
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::optional<fs::path> playable(const fs::path& file, Stream wanted, const char* replaces, Report& report)
{
    if (const std::string fault = playbackFault(file, wanted); !fault.empty()) {
        report.problem(file.string(), fault, std::string("the sample's ") + replaces + " stays on the disc");
        return std::nullopt;
    }
    return file;
}

} // namespace

PublisherMedia CheckPublisherMedia(const PublisherMedia& given, Report& report)
{
    PublisherMedia checked;
    for (std::size_t i = 0; i < given.intros.size(); ++i)
        if (given.intros[i])
            checked.intros[i] = playable(*given.intros[i], Stream::Video, PublisherMedia::kIntroFiles[i], report);
    if (given.sound)
        checked.sound = playable(*given.sound, Stream::Audio, "sounds/back.wav", report);
    if (given.lessons) {
        checked.lessonFiles = checkedLessons(*given.lessons, report);
        if (!checked.lessonFiles.empty())
            checked.lessons = given.lessons;
    }
    return checked;
}

} // namespace makedisc
