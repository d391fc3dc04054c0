#include "GifWriter.h"

#include <QFile>
#include <vector>

namespace tools {

namespace {

// Collects variable-length codes least significant bit first and cuts them
// into the sub-blocks of a GIF image.
class CodeWriter {
public:
    void put(int code, int bits)
    {
        buffer_ |= std::uint32_t(code) << count_;
        count_ += bits;
        while (count_ >= 8) {
            bytes_.push_back(char(buffer_ & 0xFF));
            buffer_ >>= 8;
            count_ -= 8;
        }
    }
    QByteArray blocks()
    {
        if (count_ > 0)
            bytes_.push_back(char(buffer_ & 0xFF));
        QByteArray out;
        for (std::size_t i = 0; i < bytes_.size(); i += 255) {
            const int n = int(std::min<std::size_t>(255, bytes_.size() - i));
            out.append(char(n));
            out.append(bytes_.data() + i, n);
        }
        out.append(char(0));
        return out;
    }

private:
    std::vector<char> bytes_;
    std::uint32_t buffer_ = 0;
    int count_ = 0;
};

void putWord(QByteArray& out, int value)
{
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

// Every pixel is written as a literal 9-bit code, with a clear code often
// enough that the decoder's table never makes the codes wider. Larger than
// real LZW, but simple and valid; the disc's GIFs are small icons.
QByteArray literalImageData(const QImage& indexed)
{
    constexpr int clearCode = 256, endCode = 257, codeBits = 9, codesPerClear = 250;
    CodeWriter writer;
    writer.put(clearCode, codeBits);
    int sinceClear = 0;
    for (int y = 0; y < indexed.height(); ++y) {
        const uchar* line = indexed.constScanLine(y);
        for (int x = 0; x < indexed.width(); ++x) {
            if (sinceClear == codesPerClear) {
                writer.put(clearCode, codeBits);
                sinceClear = 0;
            }
            writer.put(line[x], codeBits);
            ++sinceClear;
        }
    }
    writer.put(endCode, codeBits);
    return writer.blocks();
}

} // namespace

bool writeGif(const QImage& image, const QString& path)
{
    QImage indexed = image.convertToFormat(QImage::Format_ARGB32).convertToFormat(
        QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
    QList<QRgb> palette = indexed.colorTable();
    int transparent = -1;
    for (int i = 0; i < palette.size(); ++i)
        if (qAlpha(palette[i]) < 128) {
            transparent = i;
            break;
        }
    palette.resize(256, qRgb(0, 0, 0));

    QByteArray gif("GIF89a");
    putWord(gif, indexed.width());
    putWord(gif, indexed.height());
    gif.append(char(0xF7)); // global colour table of 256 entries
    gif.append(char(0));
    gif.append(char(0));
    for (QRgb c : palette) {
        gif.append(char(qRed(c)));
        gif.append(char(qGreen(c)));
        gif.append(char(qBlue(c)));
    }
    if (transparent >= 0) {
        gif.append("\x21\xF9\x04\x01\x00\x00", 6);
        gif.append(char(transparent));
        gif.append(char(0));
    }
    gif.append(char(0x2C));
    putWord(gif, 0);
    putWord(gif, 0);
    putWord(gif, indexed.width());
    putWord(gif, indexed.height());
    gif.append(char(0));
    gif.append(char(8)); // LZW minimum code size
    gif.append(literalImageData(indexed));
    gif.append(char(0x3B));

    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(gif) == gif.size();
}

} // namespace tools
