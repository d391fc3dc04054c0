#include "DecodedPictures.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <algorithm>

namespace platform::qt {

namespace {

QImage decoded(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

qsizetype bytesOf(const QByteArray& bytes, const QImage& image) { return bytes.size() + image.sizeInBytes(); }

} // namespace

QImage DecodedPictures::load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QImage();
    const QByteArray bytes = file.readAll();
    auto known = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.path == path; });
    if (known != entries_.end() && known->bytes == bytes) {
        std::rotate(known, known + 1, entries_.end());
        return entries_.back().image;
    }
    if (known != entries_.end())
        entries_.erase(known);
    QImage image = decoded(bytes);
    if (!image.isNull())
        keep({path, bytes, image});
    return image;
}

// The least recently loaded go first when the budget is spent; a picture
// larger than all of it is not kept and makes no room.
void DecodedPictures::keep(Entry entry)
{
    qsizetype total = bytesOf(entry.bytes, entry.image);
    if (total > budgetBytes_)
        return;
    for (const Entry& e : entries_)
        total += bytesOf(e.bytes, e.image);
    auto firstKept = entries_.begin();
    for (; total > budgetBytes_ && firstKept != entries_.end(); ++firstKept)
        total -= bytesOf(firstKept->bytes, firstKept->image);
    entries_.erase(entries_.begin(), firstKept);
    entries_.push_back(std::move(entry));
}

} // namespace platform::qt
