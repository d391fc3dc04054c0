#include "SwfReader.h"
#include "tools/swf/MovieBuilder.h"

#include <gtest/gtest.h>

using namespace tools::swf;
using testsupport::readSwf;
using testsupport::SwfGetUrl;
using testsupport::tagsWithCode;

namespace {

Bitmap solid(int w, int h, std::uint32_t argb)
{
    return Bitmap{w, h, std::vector<std::uint32_t>(static_cast<std::size_t>(w) * h, argb), {}};
}

Movie twoButtonMovie()
{
    Movie m;
    m.width = 307;
    m.height = 18;
    m.frameRate = 12;
    m.background = Rgba{0x8B, 0x1A, 0x1A, 0xFF};
    for (const char* look : {"u", "o", "d"})
        m.pictures[look] = solid(150, 18, 0xFFC9A44C);
    m.buttons["first"] = Button{"u", "o", "d", {"1", ""}};
    m.buttons["second"] = Button{"u", "o", "d", {"PlayMovie", "影片 \"二\""}};
    m.frames.resize(1);
    m.frames[0].placements = {{"first", 1, 2, 0}, {"second", 2, 155, 0}};
    m.frames[0].stop = true;
    return m;
}

TEST(MovieBuilderTest, HeaderHoldsStageRateAndFrameCount)
{
    Movie m = twoButtonMovie();
    m.frames.resize(3);
    m.frameRate = 12.5;
    auto swf = readSwf(buildMovie(m));

    EXPECT_EQ(std::string(swf.signature, 3), "CWS");
    EXPECT_EQ(swf.version, 8u);
    EXPECT_EQ(swf.declaredLength, swf.uncompressedLength);
    EXPECT_EQ(std::vector<int>({swf.xMin, swf.xMax, swf.yMin, swf.yMax}), std::vector<int>({0, 307 * 20, 0, 18 * 20}));
    EXPECT_EQ(swf.frameRate88, 12u * 256 + 128);
    EXPECT_EQ(swf.frameCount, 3u);
    EXPECT_EQ(tagsWithCode(swf, 1).size(), 3u) << "one ShowFrame per frame";
}

TEST(MovieBuilderTest, FileAttributesComeFirstThenBackgroundAndEndIsLast)
{
    auto swf = readSwf(buildMovie(twoButtonMovie()));

    ASSERT_GE(swf.tags.size(), 3u);
    EXPECT_EQ(swf.tags[0].code, 69u);
    EXPECT_EQ(swf.tags[1].code, 9u);
    EXPECT_EQ(swf.tags[1].body, (std::vector<std::uint8_t>{0x8B, 0x1A, 0x1A}));
    EXPECT_EQ(swf.tags.back().code, 0u);
}

TEST(MovieBuilderTest, ButtonsSendTheirCommandOnReleaseWithExactStrings)
{
    auto swf = readSwf(buildMovie(twoButtonMovie()));
    auto buttons = tagsWithCode(swf, 34);
    ASSERT_EQ(buttons.size(), 2u);

    std::vector<std::vector<SwfGetUrl>> actions;
    for (const auto& tag : buttons) {
        auto button = testsupport::readButton2(tag);
        EXPECT_EQ(button.condition, 0x0008u) << "released over the button";
        ASSERT_EQ(button.looks.size(), 3u);
        EXPECT_EQ(button.looks[0].first, 1u | 8u) << "the up look is also the hit area";
        EXPECT_EQ(button.looks[1].first, 2u);
        EXPECT_EQ(button.looks[2].first, 4u);
        actions.push_back(button.actions);
    }
    EXPECT_EQ(actions[0], (std::vector<SwfGetUrl>{{"FSCommand:1", ""}}));
    EXPECT_EQ(actions[1], (std::vector<SwfGetUrl>{{"FSCommand:PlayMovie", "影片 \"二\""}}));
}

TEST(MovieBuilderTest, PlacementsNameDefinedCharactersAtTheirPositions)
{
    auto swf = readSwf(buildMovie(twoButtonMovie()));
    auto buttonIds = std::vector<int>{};
    for (const auto& tag : tagsWithCode(swf, 34))
        buttonIds.push_back(static_cast<int>(testsupport::readButton2(tag).id));

    auto places = tagsWithCode(swf, 26);
    ASSERT_EQ(places.size(), 2u);
    auto first = testsupport::readPlaceObject2(places[0]);
    auto second = testsupport::readPlaceObject2(places[1]);
    EXPECT_EQ(first.characterId, buttonIds[0]);
    EXPECT_EQ(std::make_tuple(first.depth, first.xTwips, first.yTwips), std::make_tuple(1u, 40, 0));
    EXPECT_EQ(second.characterId, buttonIds[1]);
    EXPECT_EQ(std::make_tuple(second.depth, second.xTwips, second.yTwips), std::make_tuple(2u, 3100, 0));
}

TEST(MovieBuilderTest, FrameScriptsSendCommandsInOrderAndStop)
{
    Movie m = twoButtonMovie();
    m.frames.resize(2);
    m.frames[0].stop = false;
    m.frames[0].commands = {{"a", "1"}, {"b", ""}};
    m.frames[1].moves = {{2, -10, 7}};
    m.frames[1].stop = true;
    auto swf = readSwf(buildMovie(m));

    auto scripts = tagsWithCode(swf, 12);
    ASSERT_EQ(scripts.size(), 2u);
    auto firstFrame = testsupport::readDoAction(scripts[0]);
    EXPECT_EQ(firstFrame.getUrls, (std::vector<SwfGetUrl>{{"FSCommand:a", "1"}, {"FSCommand:b", ""}}));
    EXPECT_FALSE(firstFrame.stops);
    EXPECT_TRUE(testsupport::readDoAction(scripts[1]).stops);

    auto move = testsupport::readPlaceObject2(tagsWithCode(swf, 26).back());
    EXPECT_TRUE(move.move);
    EXPECT_EQ(move.characterId, -1);
    EXPECT_EQ(std::make_tuple(move.depth, move.xTwips, move.yTwips), std::make_tuple(2u, -200, 140));
}

TEST(MovieBuilderTest, PicturesArePremultipliedAndShownAtTheirSize)
{
    Movie m = twoButtonMovie();
    m.pictures["u"] = solid(3, 2, 0x80FF4020);
    auto swf = readSwf(buildMovie(m));

    bool found = false;
    for (const auto& tag : tagsWithCode(swf, 36)) {
        auto bitmap = testsupport::readLossless2(tag);
        if (bitmap.width != 3)
            continue;
        found = true;
        ASSERT_EQ(bitmap.argb.size(), 3u * 2u * 4u);
        EXPECT_EQ(std::vector<std::uint8_t>(bitmap.argb.begin(), bitmap.argb.begin() + 4),
            (std::vector<std::uint8_t>{0x80, 0x80, 0x20, 0x10}));
    }
    EXPECT_TRUE(found);
    bool shapeFound = false;
    for (const auto& tag : tagsWithCode(swf, 32)) {
        auto bounds = testsupport::readShapeBounds(tag);
        shapeFound |= std::vector<int>(bounds.begin() + 1, bounds.end()) == std::vector<int>{0, 60, 0, 40};
    }
    EXPECT_TRUE(shapeFound) << "a 3 x 2 pixel picture is a 60 x 40 twip shape";
}

TEST(MovieBuilderTest, JpegPicturesAreEmbeddedAsTheyAre)
{
    Movie m = twoButtonMovie();
    m.pictures["u"] = Bitmap{150, 18, {}, {0xFF, 0xD8, 0xFF, 0xE0, 0x01, 0x02, 0xFF, 0xD9}};
    auto swf = readSwf(buildMovie(m));

    auto jpegs = tagsWithCode(swf, 21);
    ASSERT_EQ(jpegs.size(), 1u);
    EXPECT_EQ(std::vector<std::uint8_t>(jpegs[0].body.begin() + 2, jpegs[0].body.end()), m.pictures["u"].jpeg);
}

TEST(MovieBuilderTest, LargeTagsUseTheLongHeader)
{
    auto swf = readSwf(buildMovie(twoButtonMovie()));
    for (const auto& tag : swf.tags)
        EXPECT_EQ(tag.longHeader, tag.body.size() >= 63) << "tag " << tag.code;
}

TEST(MovieBuilderTest, RefusesUndefinedNamesAndEmptyMovies)
{
    Movie m = twoButtonMovie();
    m.frames[0].placements.push_back({"nowhere", 3, 0, 0});
    EXPECT_THROW(buildMovie(m), std::invalid_argument);

    Movie badLook = twoButtonMovie();
    badLook.buttons["first"].over = "missing";
    EXPECT_THROW(buildMovie(badLook), std::invalid_argument);

    Movie empty = twoButtonMovie();
    empty.frames.clear();
    EXPECT_THROW(buildMovie(empty), std::invalid_argument);
}

} // namespace
