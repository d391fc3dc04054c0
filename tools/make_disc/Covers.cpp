#include "Covers.h"
#include "Progress.h"
#include "TextDecoding.h"
#include "base/Text.h"
#include "tools/common/CoverSize.h"

#include <QBuffer>
#include <QImageIOHandler>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>

#include <algorithm>
#include <atomic>
#include <map>
#include <thread>

namespace makedisc {

namespace fs = std::filesystem;

namespace {

constexpr int kJpegQuality = 90;

bool isPictureName(const fs::path& file)
{
    const std::string extension = base::toUpperAscii(file.extension().string());
    return extension == ".JPG" || extension == ".JPEG" || extension == ".PNG" || extension == ".BMP" || extension == ".GIF";
}

// The pictures of the folder by their names without extension, in capitals, each list in name order.
std::map<std::string, std::vector<fs::path>> picturesByStem(const fs::path& folder)
{
    std::map<std::string, std::vector<fs::path>> pictures;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file() && isPictureName(entry.path()))
            pictures[base::toUpperAscii(entry.path().stem().string())].push_back(entry.path());
    for (auto& [stem, files] : pictures)
        std::sort(files.begin(), files.end());
    return pictures;
}

QSize fittedSize(const QSize& picture) { return picture.scaled(tools::kCoverSize, Qt::KeepAspectRatio).expandedTo({1, 1}); }

QImage fitted(const QImage& picture)
{
    const QSize size = fittedSize(picture.size());
    QImage cover(size, QImage::Format_RGB32);
    cover.fill(Qt::white); // under a transparent picture's clear parts
    QPainter painter(&cover);
    painter.drawImage(0, 0, picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    return cover;
}

// A JPEG file ends with the marker FF D9 (zero bytes may pad it).
bool endsWithItsEndMark(const QByteArray& bytes)
{
    qsizetype end = bytes.size();
    while (end > 0 && bytes[end - 1] == '\0')
        --end;
    return end >= 2 && bytes[end - 2] == '\xFF' && bytes[end - 1] == '\xD9';
}

ConvertedCover convertCover(const fs::path& file)
{
    QByteArray bytes = QByteArray::fromStdString(ReadFileBytes(file).value_or(""));
    QBuffer in(&bytes);
    QImageReader reader(&in);
    reader.setAutoTransform(true);
    const QByteArray format = reader.format();
    if (format != "jpeg" && format != "png" && format != "bmp" && format != "gif")
        return {{}, "not a JPEG, PNG, BMP or GIF picture"};
    // The JPEG decoder shows a file cut short with its missing part grey, and says nothing.
    if (format == "jpeg" && !endsWithItsEndMark(bytes))
        return {{}, "cut short: the JPEG ends before its end mark"};
    const QSize size = reader.size();
    if (format == "jpeg" && size == fittedSize(size) && reader.transformation() == QImageIOHandler::TransformationNone)
        return {bytes, {}}; // already a cover as the disc holds it: kept as it is, not encoded again
    // A large JPEG is decoded at a fraction of its size, still twice the cover's.
    if (format == "jpeg" && size.width() > 2 * tools::kCoverSize.width() && size.height() > 2 * tools::kCoverSize.height())
        reader.setScaledSize(size.scaled(tools::kCoverSize * 2, Qt::KeepAspectRatio));
    const QImage picture = reader.read();
    if (picture.isNull())
        return {{}, "cannot be read as a picture: " + reader.errorString().toStdString()};
    ConvertedCover cover;
    QBuffer out(&cover.jpeg);
    out.open(QIODevice::WriteOnly);
    QImageWriter writer(&out, "jpeg");
    writer.setQuality(kJpegQuality);
    if (!writer.write(fitted(picture)))
        return {{}, "cannot be written as JPEG: " + writer.errorString().toStdString()};
    return cover;
}

} // namespace

std::vector<CoverFile> FindCovers(const fs::path& folder, const Catalog& catalog, Report& report)
{
    auto pictures = picturesByStem(folder);
    std::vector<CoverFile> covers;
    for (std::size_t i = 0; i < catalog.books.size(); ++i) {
        const Book& book = catalog.books[i];
        const auto found = pictures.find(base::toUpperAscii(book.code));
        if (found == pictures.end()) {
            report.problem(book.codePlace, "no cover " + book.code + ".jpg (or .png, .bmp, .gif) in " + folder.string(),
                           "the book is kept without a cover");
            continue;
        }
        covers.push_back({i, found->second.front()});
        for (auto other = found->second.begin() + 1; other != found->second.end(); ++other)
            report.note(other->string(), "a second cover of " + book.code + "; " + found->second.front().string() + " is used");
        pictures.erase(found);
    }
    for (const auto& [stem, files] : pictures)
        for (const fs::path& file : files)
            report.note(file.string(), "no book has this code; the picture is not used");
    return covers;
}

std::vector<ConvertedCover> ConvertCovers(const std::vector<CoverFile>& covers)
{
    std::vector<ConvertedCover> converted(covers.size());
    std::atomic<std::size_t> next{0}, done{0};
    auto work = [&] {
        for (std::size_t i = next++; i < covers.size(); i = next++) {
            converted[i] = convertCover(covers[i].file);
            ++done;
        }
    };
    std::vector<std::jthread> workers(std::max(1u, std::thread::hardware_concurrency()));
    for (auto& worker : workers)
        worker = std::jthread(work);
    ProgressLine progress("covers", covers.size());
    while (done < covers.size()) {
        progress.show(done);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    progress.finish();
    return converted;
}

void ReportCoverFaults(const std::vector<CoverFile>& covers, const std::vector<ConvertedCover>& converted,
                       const Catalog& catalog, Report& report)
{
    for (std::size_t i = 0; i < covers.size(); ++i)
        if (!converted[i].fault.empty())
            report.problem(covers[i].file.string(), converted[i].fault,
                           "book " + catalog.books[covers[i].book].code + " is kept without a cover");
}

} // namespace makedisc
