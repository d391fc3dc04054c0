#include "MovieTraits.h"

#include <QtEndian>
#include <string>

namespace platform::qt {
namespace {

enum TagCode : unsigned {
    End = 0,
    ShowFrame = 1,
    DefineButton = 7,
    DoAction = 12,
    DefineSound = 14,
    StartSound = 15,
    DefineButtonSound = 17,
    SoundStreamHead = 18,
    SoundStreamBlock = 19,
    PlaceObject2 = 26,
    DefineButton2 = 34,
    DefineEditText = 37,
    DefineSprite = 39,
    SoundStreamHead2 = 45,
    ImportAssets = 57,
    DoInitAction = 59,
    DefineVideoStream = 60,
    VideoFrame = 61,
    PlaceObject3 = 70,
    ImportAssets2 = 71,
    DoAbc = 72,
    DoAbc2 = 82,
    StartSound2 = 89,
};

constexpr quint8 actionEnd = 0x00;
constexpr quint8 actionStop = 0x07;
constexpr quint8 actionGetUrl = 0x83;
constexpr quint8 placeHasClipActions = 0x80;
// A disc's movies are small; a header claiming more is not inflated at all.
constexpr quint32 largestBody = 64u << 20;

// Where the bytes break the format, or use something the reader does not
// follow.
struct NotUnderstood {};

class ByteReader {
public:
    ByteReader(const char* data, qsizetype size) : data_(data), size_(size) {}

    quint8 u8()
    {
        need(1);
        return quint8(data_[at_++]);
    }
    quint16 u16()
    {
        need(2);
        const quint16 value = qFromLittleEndian<quint16>(data_ + at_);
        at_ += 2;
        return value;
    }
    quint32 u32()
    {
        need(4);
        const quint32 value = qFromLittleEndian<quint32>(data_ + at_);
        at_ += 4;
        return value;
    }
    // The next `length` bytes as a reader of their own.
    ByteReader part(qint64 length)
    {
        need(length);
        ByteReader inner(data_ + at_, qsizetype(length));
        at_ += qsizetype(length);
        return inner;
    }
    ByteReader rest() { return part(size_ - at_); }
    void skip(qint64 length) { part(length); }
    void seek(qint64 to)
    {
        if (to < 0 || to > size_)
            throw NotUnderstood{};
        at_ = qsizetype(to);
    }
    std::string text()
    {
        std::string s;
        for (char c = char(u8()); c != 0; c = char(u8()))
            s += c;
        return s;
    }
    qsizetype position() const { return at_; }
    bool atEnd() const { return at_ >= size_; }

private:
    void need(qint64 length) const
    {
        if (length < 0 || size_ - at_ < length)
            throw NotUnderstood{};
    }

    const char* data_;
    qsizetype size_;
    qsizetype at_ = 0;
};

bool isCommandUrl(const std::string& url)
{
    return QByteArray::fromStdString(url).toLower().startsWith("fscommand:");
}

// An action list that only sends commands to the host and stops the
// timeline; true if it stops.
bool readActions(ByteReader actions)
{
    bool stops = false;
    for (quint8 code = actions.u8(); code != actionEnd; code = actions.u8()) {
        ByteReader data = actions.part(code >= 0x80 ? actions.u16() : 0);
        if (code == actionStop)
            stops = true;
        else if (code != actionGetUrl || !isCommandUrl(data.text()))
            throw NotUnderstood{};
    }
    return stops;
}

void readButtonActions(ByteReader button)
{
    button.skip(3); // id and flags
    const qsizetype offsetField = button.position();
    const quint16 offset = button.u16();
    if (offset == 0)
        return;
    button.seek(offsetField + offset);
    for (;;) {
        const qsizetype start = button.position();
        const quint16 size = button.u16();
        button.skip(2); // the pointer transitions that run the actions
        readActions(size == 0 ? button.rest() : button.part(qint64(size) - (button.position() - start)));
        if (size == 0)
            return;
    }
}

// The tags after the header, inflated where the file is compressed.
QByteArray movieBody(const QByteArray& file)
{
    if (file.size() < 8)
        throw NotUnderstood{};
    if (file.startsWith("FWS"))
        return file.mid(8);
    const quint32 declared = qFromLittleEndian<quint32>(file.constData() + 4);
    if (!file.startsWith("CWS") || declared <= 8 || declared > largestBody)
        throw NotUnderstood{};
    QByteArray compressed(4, '\0');
    qToBigEndian<quint32>(declared - 8, compressed.data());
    compressed += file.mid(8);
    QByteArray body = qUncompress(compressed);
    if (body.isEmpty())
        throw NotUnderstood{};
    return body;
}

MovieTraits readTraits(const QByteArray& file)
{
    const QByteArray body = movieBody(file);
    ByteReader r(body.constData(), body.size());
    const int rectangleBits = 5 + 4 * (r.u8() >> 3);
    r.seek((rectangleBits + 7) / 8);
    MovieTraits traits;
    traits.frameRate = r.u16() / 256.0;
    const quint16 frameCount = r.u16();
    if (traits.frameRate <= 0)
        throw NotUnderstood{};

    int frame = 1;
    std::optional<int> stopFrame;
    bool anyFrameActions = false;
    bool sound = false;
    while (!r.atEnd()) {
        const quint16 header = r.u16();
        const unsigned code = header >> 6;
        const qint64 length = (header & 0x3F) == 0x3F ? qint64(r.u32()) : qint64(header & 0x3F);
        ByteReader tag = r.part(length);
        switch (code) {
        case End:
            r.seek(body.size());
            break;
        case ShowFrame:
            ++frame;
            break;
        case DoAction:
            anyFrameActions = true;
            if (readActions(tag) && !stopFrame)
                stopFrame = frame;
            break;
        case DefineButton2:
            readButtonActions(tag);
            break;
        case PlaceObject2:
        case PlaceObject3:
            if (tag.u8() & placeHasClipActions)
                throw NotUnderstood{};
            break;
        case DefineSound:
        case StartSound:
        case StartSound2:
        case DefineButtonSound:
        case SoundStreamHead:
        case SoundStreamHead2:
        case SoundStreamBlock:
            sound = true;
            break;
        case DefineButton:
        case DefineEditText:
        case DefineSprite:
        case ImportAssets:
        case ImportAssets2:
        case DoInitAction:
        case DefineVideoStream:
        case VideoFrame:
        case DoAbc:
        case DoAbc2:
            throw NotUnderstood{};
        default:
            break;
        }
    }
    traits.maySound = sound;
    if (!sound && stopFrame)
        traits.framesUntilStill = stopFrame;
    else if (!sound && frameCount <= 1 && !anyFrameActions)
        traits.framesUntilStill = 1;
    return traits;
}

} // namespace

MovieTraits readMovieTraits(const QByteArray& movie)
{
    try {
        return readTraits(movie);
    } catch (const NotUnderstood&) {
        return MovieTraits{};
    }
}

} // namespace platform::qt
