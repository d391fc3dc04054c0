// When a movie is still and whether it may sound, read from movies written by
// the authoring library, some with tags the library itself never writes.
#include "platform/qt/MovieTraits.h"
#include "tools/swf/MovieBuilder.h"

#include <gtest/gtest.h>

using platform::qt::MovieTraits;
using platform::qt::readMovieTraits;
using namespace tools::swf;

namespace {

QByteArray bytesOf(const Bytes& bytes) { return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())); }

// A red box shown from frame 1, then `frames` frames, the last stopping if asked.
Movie boxMovie(int frames, bool stopAtLast)
{
    Movie movie;
    movie.width = 100;
    movie.height = 50;
    movie.rectangles["box"] = Rectangle{40, 20, Rgba{0x8B, 0x1A, 0x1A, 0xFF}};
    movie.frames.resize(std::size_t(frames));
    movie.frames[0].placements.push_back({"box", 1, 10, 10});
    for (int i = 1; i < frames; ++i)
        movie.frames[std::size_t(i)].moves.push_back({1, 10 + i, 10});
    movie.frames.back().stop = stopAtLast;
    return movie;
}

Movie buttonBar()
{
    Movie movie = boxMovie(1, true);
    movie.buttons["recommend"] = Button{"box", "box", "box", {"1", ""}};
    movie.frames[0].placements.push_back({"recommend", 2, 50, 0});
    movie.frames[0].commands.push_back({"ready", ""});
    return movie;
}

// A one-frame movie that stops, with the given raw tags before its frame ends.
QByteArray stoppedMovieWith(const std::vector<Bytes>& extraTags, bool compressed = true)
{
    Bytes tags = backgroundTag({255, 255, 255, 255});
    for (const Bytes& t : extraTags)
        tags.insert(tags.end(), t.begin(), t.end());
    Bytes stop = doActionTag({Action::stop()});
    tags.insert(tags.end(), stop.begin(), stop.end());
    for (const Bytes& t : {showFrameTag(), endTag()})
        tags.insert(tags.end(), t.begin(), t.end());
    MovieHeader header;
    header.widthPx = 100;
    header.heightPx = 50;
    header.compressed = compressed;
    return bytesOf(movieFile(header, tags));
}

Bytes rawTag(unsigned code, Bytes body = {1, 0, 1, 0}) { return tag(static_cast<TagCode>(code), body); }

// A frame script holding one action of the given code and data.
Bytes actionTag(std::uint8_t code, Bytes data)
{
    Bytes body{code};
    if (code >= 0x80) {
        body.push_back(std::uint8_t(data.size() & 0xFF));
        body.push_back(std::uint8_t(data.size() >> 8));
        body.insert(body.end(), data.begin(), data.end());
    }
    body.push_back(0);
    return tag(TagCode::DoAction, body);
}

Bytes urlAction(const std::string& url)
{
    Bytes data(url.begin(), url.end());
    data.push_back(0);
    data.push_back(0); // empty target
    return actionTag(0x83, data);
}

struct TraitsCase {
    const char* name;
    QByteArray movie;
    std::optional<int> framesUntilStill;
    bool maySound;
    friend void PrintTo(const TraitsCase& c, std::ostream* out) { *out << c.name; }
};

class MovieTraitsTest : public testing::TestWithParam<TraitsCase> {};

TEST_P(MovieTraitsTest, ReadsWhenTheMovieIsStillAndWhetherItMaySound)
{
    const MovieTraits traits = readMovieTraits(GetParam().movie);
    EXPECT_EQ(traits.framesUntilStill, GetParam().framesUntilStill);
    EXPECT_EQ(traits.maySound, GetParam().maySound);
}

const std::optional<int> never;

INSTANTIATE_TEST_SUITE_P(Movies, MovieTraitsTest,
    testing::Values(TraitsCase{"ButtonBarStoppedOnItsFirstFrame", bytesOf(buildMovie(buttonBar())), 1, false},
        TraitsCase{"GlideThatStopsOnFrameTwelve", bytesOf(buildMovie(boxMovie(12, true))), 12, false},
        TraitsCase{"LoopingFrames", bytesOf(buildMovie(boxMovie(2, false))), never, false},
        TraitsCase{"OneFrameWithoutScript", bytesOf(buildMovie(boxMovie(1, false))), 1, false},
        TraitsCase{"Uncompressed", stoppedMovieWith({}, false), 1, false},
        TraitsCase{"ClipWithATimelineOfItsOwn", stoppedMovieWith({rawTag(39)}), never, true},
        TraitsCase{"SoundDefined", stoppedMovieWith({rawTag(14)}), never, true},
        TraitsCase{"SoundStream", stoppedMovieWith({rawTag(18)}), never, true},
        TraitsCase{"ButtonSound", stoppedMovieWith({rawTag(17)}), never, true},
        TraitsCase{"TextInput", stoppedMovieWith({rawTag(37)}), never, true},
        TraitsCase{"NewerScript", stoppedMovieWith({rawTag(82)}), never, true},
        TraitsCase{"PlayAction", stoppedMovieWith({actionTag(0x06, {})}), never, true},
        TraitsCase{"CommandSent", stoppedMovieWith({urlAction("FSCommand:ready")}), 1, false},
        TraitsCase{"CommandInLowerCase", stoppedMovieWith({urlAction("fscommand:ready")}), 1, false},
        TraitsCase{"PageOpened", stoppedMovieWith({urlAction("http://example.com/")}), never, true},
        TraitsCase{"ClipEventScript", stoppedMovieWith({tag(TagCode::PlaceObject2, {0x80 | 0x02, 1, 0, 1, 0})}),
            never, true},
        TraitsCase{"ActionRunsPastItsTag", stoppedMovieWith({tag(TagCode::DoAction, {0x83, 40, 0, 'F'})}), never,
            true},
        TraitsCase{"Lzma", QByteArray("ZWS\x0D\x40\0\0\0", 8) + QByteArray(60, 'x'), never, true},
        TraitsCase{"CompressedGarbage", QByteArray("CWS\x08\x40\0\0\0", 8) + QByteArray(60, 'x'), never, true},
        TraitsCase{"CutShort", stoppedMovieWith({}).left(20), never, true},
        TraitsCase{"Empty", QByteArray(), never, true}),
    [](const testing::TestParamInfo<TraitsCase>& info) { return std::string(info.param.name); });

TEST(MovieTraitsFrameRateTest, IsReadFromTheHeader)
{
    Movie movie = boxMovie(3, true);
    movie.frameRate = 24;
    EXPECT_DOUBLE_EQ(readMovieTraits(bytesOf(buildMovie(movie))).frameRate, 24.0);
}

} // namespace
