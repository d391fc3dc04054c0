#pragma once
#include <QByteArray>
#include <QImage>
#include <QString>
#include <vector>

namespace platform::qt {

// Picture files and what they decoded to. A page is laid out afresh
// whenever a section opens or its text changes, and decoding its pictures
// again costs far more than reading their files: a file whose bytes are the
// same as when it was last decoded gives the same image without decoding.
// The images are shared, not copied.
class DecodedPictures {
public:
    // What the kept files and images may take together; a lesson's pictures
    // fit many times over.
    static constexpr qsizetype kDefaultBudget = 48 * 1024 * 1024;

    explicit DecodedPictures(qsizetype budgetBytes = kDefaultBudget) : budgetBytes_(budgetBytes) {}

    // The picture in the file, its format told by its content; a null image
    // when the file cannot be read or decoded.
    QImage load(const QString& path);

private:
    struct Entry {
        QString path;
        QByteArray bytes;
        QImage image;
    };
    void keep(Entry entry);

    qsizetype budgetBytes_;
    // Most recently loaded last.
    std::vector<Entry> entries_;
};

} // namespace platform::qt
