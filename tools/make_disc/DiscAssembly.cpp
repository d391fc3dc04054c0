#include "DiscAssembly.h"
#include "CatalogWriter.h"
#include "TextDecoding.h"
#include "BookList.h"
#include "tools/catalog_art/CatalogArt.h"
#include "tools/media/MediaFiles.h"
#include "tools/swf/MovieFile.h"

#include <QFile>
#include <QFontDatabase>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace makedisc {

namespace fs = std::filesystem;

namespace {

// The sample disc's files the publisher's data takes the place of, and
// which are therefore not copied.
const char* const kCatalogFile = "product/DataBase/tavro.mdb";
const char* const kCoversFolder = "product/BookImgs";
const char* const kBookList = "data/books.csv";
const char* const kLessonsFolder = "product/text";

// The sample's sources of the disc's words, built into the program.
struct WordsSource {
    const char* resource;
    const char* file;
};
const WordsSource kTexts[] = {{":/disc/root/README.txt", "README.txt"},
                              {":/disc/root/cd.ini", "cd.ini"},
                              {":/disc/data/readme_cn.txt", "data/readme_cn.txt"},
                              {":/disc/data/readme_en.txt", "data/readme_en.txt"}};
const WordsSource kMovies[] = {{":/disc/movies/media.json", "Mov/media.swf"}, {":/disc/movies/loop.json", "Mov/loop.swf"}};
const WordsSource kSecondIntro{":/disc/media/start1.json", "avi/start1.avi"};

QByteArray resource(const char* name)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(std::string("the program lacks its ") + name);
    return file.readAll();
}

std::string layoutText(const fs::path& file)
{
    const auto text = ReadFileBytes(file);
    if (!text)
        throw std::runtime_error("cannot read " + file.string());
    return *text;
}

void writeFile(const fs::path& file, const QByteArray& bytes)
{
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.constData(), bytes.size());
    if (!out.flush())
        throw std::runtime_error("cannot write " + file.string());
}

QString qt(const fs::path& path) { return QString::fromStdString(path.string()); }

bool isTakenOver(const fs::path& relative, bool ownLessons)
{
    const std::string path = relative.generic_string();
    const auto inside = [&](const char* folder) { return path.starts_with(std::string(folder) + "/"); };
    return path == kCatalogFile || path == kBookList || inside(kCoversFolder) || (ownLessons && inside(kLessonsFolder));
}

void copySampleDisc(const fs::path& sample, const fs::path& disc, bool ownLessons)
{
    fs::create_directories(disc);
    for (auto entry = fs::recursive_directory_iterator(sample); entry != fs::recursive_directory_iterator(); ++entry) {
        const fs::path relative = entry->path().lexically_relative(sample);
        const fs::path target = disc / relative;
        if (entry->is_directory() && !entry->is_symlink()) {
            fs::create_directories(target);
        } else if (!isTakenOver(relative, ownLessons)) {
            fs::copy(entry->path(), target, fs::copy_options::copy_symlinks);
        }
    }
}

void writeCovers(const DiscContent& content, const fs::path& disc)
{
    fs::create_directories(disc / kCoversFolder);
    for (std::size_t i = 0; i < content.covers.size(); ++i)
        if (content.converted[i].fault.empty())
            writeFile(disc / kCoversFolder / (content.catalog.books[content.covers[i].book].code + ".jpg"),
                      content.converted[i].jpeg);
}

void writeWords(const DiscContent& content, const fs::path& disc)
{
    if (!tools::WriteCatalogArt(qt(disc / "product/pic"), content.words))
        throw std::runtime_error("cannot write the catalog window's pictures");
    for (const WordsSource& text : kTexts)
        writeFile(disc / text.file, tools::FillWords(QString::fromUtf8(resource(text.resource)), content.words).toUtf8());
    for (const WordsSource& movie : kMovies)
        tools::swf::WriteMovieFile(movie.resource, qt(disc / movie.file), content.words);
    if (!content.media.intros[1]) {
        // The intro's title is drawn in the disc's own Kaiti, as the sample's build draws it.
        QFontDatabase::addApplicationFont(qt(disc / "FZCCHJW.TTF"));
        tools::media::makeMovie(kSecondIntro.resource, qt(disc / kSecondIntro.file), content.words);
    }
}

void copyMedia(const PublisherMedia& media, const fs::path& disc)
{
    const auto replace = [](const fs::path& from, const fs::path& to) {
        fs::copy_file(from, to, fs::copy_options::overwrite_existing);
    };
    for (std::size_t i = 0; i < media.intros.size(); ++i)
        if (media.intros[i])
            replace(*media.intros[i], disc / PublisherMedia::kIntroFiles[i]);
    if (media.sound)
        replace(*media.sound, disc / "sounds/back.wav");
    if (media.lessons) {
        fs::create_directories(disc / kLessonsFolder);
        for (const fs::path& file : media.lessonFiles)
            replace(file, disc / kLessonsFolder / file.filename());
    }
}

void writeContent(const DiscParts& parts, const DiscContent& content, const fs::path& disc)
{
    copySampleDisc(parts.sampleDisc, disc, content.media.lessons.has_value());
    const fs::path catalogFile = disc / kCatalogFile;
    WriteCatalog(content.catalog, resource(":/disc/catalog/schema.sql").toStdString(), catalogFile.string());
    writeCovers(content, disc);
    writeFile(disc / kBookList, QByteArray::fromStdString(tools::BookListCsv(catalogFile.string())));
    writeWords(content, disc);
    copyMedia(content.media, disc);
}

} // namespace

DiscParts PartsBesideProgram(const fs::path& programFolder, const fs::path& sampleDisc)
{
    return {sampleDisc.empty() ? programFolder.parent_path() / "disc" : sampleDisc, programFolder / "disc-image.sh",
            programFolder / "disc_layout", programFolder / "layout.txt"};
}

std::string MissingPart(const DiscParts& parts)
{
    for (const fs::path& part : {parts.imageScript, parts.layoutChecker, parts.layoutFile})
        if (!fs::is_regular_file(part))
            return part.string() + " is missing; it is built beside make-disc";
    if (!fs::is_regular_file(parts.sampleDisc / kCatalogFile))
        return parts.sampleDisc.string() + " is not the assembled sample disc (--sample-disc names it)";
    return {};
}

void WriteDiscFolder(const DiscParts& parts, const DiscContent& content, const fs::path& folder)
{
    const fs::path sample = fs::weakly_canonical(parts.sampleDisc), target = fs::weakly_canonical(folder);
    const auto within = [](const fs::path& inner, const fs::path& outer) {
        return !inner.lexically_relative(outer).empty() && !inner.lexically_relative(outer).string().starts_with("..");
    };
    if (within(target, sample) || within(sample, target))
        throw std::runtime_error(folder.string() + " holds the sample disc or lies in it; the disc is written elsewhere");
    if (fs::exists(folder) && !fs::exists(folder / "cd.ini"))
        throw std::runtime_error(folder.string() + " exists and is not a disc folder; it is left as it is");
    const fs::path part = folder.string() + ".part";
    fs::remove_all(part);
    try {
        writeContent(parts, content, part);
    } catch (...) {
        fs::remove_all(part);
        throw;
    }
    fs::remove_all(folder);
    fs::rename(part, folder);
}

void WriteDiscImage(const DiscParts& parts, const DiscContent& content, const fs::path& folder, const fs::path& image)
{
    QTemporaryDir work;
    const fs::path layout = work.filePath("layout.txt").toStdString();
    writeFile(layout, QByteArray::fromStdString(MadeDiscLayout(layoutText(parts.layoutFile), content)));
    QProcess script;
    script.setProcessChannelMode(QProcess::MergedChannels);
    script.start("sh", {qt(parts.imageScript), qt(parts.layoutChecker), qt(layout), qt(folder), qt(image)});
    const bool finished = script.waitForFinished(-1);
    const std::string said = script.readAll().toStdString();
    if (!finished || script.exitStatus() != QProcess::NormalExit || script.exitCode() != 0)
        throw std::runtime_error("the image was not written: " + said);
}

std::string MadeDiscLayout(const std::string& sampleLayout, const DiscContent& content)
{
    const bool ownLessons = content.media.lessons.has_value();
    const bool anyCover = std::any_of(content.converted.begin(), content.converted.end(),
                                      [](const ConvertedCover& cover) { return cover.fault.empty(); });
    const std::string lessonFiles = std::string(" ") + kLessonsFolder + "/";
    const std::string coversEntry = std::string("folder ") + kCoversFolder;
    std::istringstream in(sampleLayout);
    std::string layout, line;
    while (std::getline(in, line)) {
        if ((ownLessons && line.find(lessonFiles) != std::string::npos) || (!anyCover && line == coversEntry))
            continue;
        layout += line + "\n";
    }
    return ownLessons ? layout + "folder " + kLessonsFolder + "\n" : layout;
}

} // namespace makedisc
