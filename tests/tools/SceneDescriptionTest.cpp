// Reading scene descriptions.
#include "tools/media/SceneDescription.h"

#include <QJsonDocument>
#include <gtest/gtest.h>

using namespace tools::media;

namespace {

Scene read(const std::string& text) { return readScene(QJsonDocument::fromJson(text.c_str()).object(), QDir()); }

const std::string box = R"("pictures": {"box": {"width": 20, "height": 10, "background": "#FF0000"}})";

TEST(SceneDescriptionTest, ReadsPicturesSpritesAndSound)
{
    Scene scene = read(R"({"width": 64, "height": 48, "frameRate": 10, "seconds": 2.5, "background": "#102030", )" + box +
        R"(, "sprites": [{"picture": "box", "to": 2, "edge": 0, "keys": [{"at": 0.5, "x": 3, "ease": "out"}, {"at": 1, "opacity": 0.5}]},
                        {"picture": "box"}],
           "sound": {"voices": [{"notes": "A4:1"}]}})");

    EXPECT_EQ(scene.width, 64);
    EXPECT_EQ(scene.height, 48);
    EXPECT_EQ(scene.frameCount(), 25);
    EXPECT_EQ(scene.background, QColor(0x10, 0x20, 0x30));
    ASSERT_EQ(scene.pictures.count("box"), 1u);
    EXPECT_EQ(scene.pictures.at("box").size(), QSize(20, 10));
    EXPECT_EQ(scene.pictures.at("box").pixel(5, 5), qRgb(255, 0, 0));
    ASSERT_EQ(scene.sprites.size(), 2u);
    const Sprite& first = scene.sprites[0];
    EXPECT_EQ(first.to, 2);
    EXPECT_EQ(first.revealEdge, 0);
    ASSERT_EQ(first.keys.size(), 2u);
    EXPECT_EQ(first.keys[0].ease, Ease::Out);
    EXPECT_EQ(first.keys[0].values[static_cast<std::size_t>(Property::X)], 3);
    EXPECT_FALSE(first.keys[0].values[static_cast<std::size_t>(Property::Opacity)]);
    EXPECT_EQ(first.keys[1].values[static_cast<std::size_t>(Property::Opacity)], 0.5);
    // A sprite without times is shown for the whole scene.
    EXPECT_EQ(scene.sprites[1].from, 0);
    EXPECT_EQ(scene.sprites[1].to, 2.5);
    EXPECT_EQ(scene.sprites[1].revealEdge, 0.2);
    ASSERT_TRUE(scene.sound);
    EXPECT_EQ(scene.sound->beats, 1);
}

TEST(SceneDescriptionTest, NoSoundWithoutAScore)
{
    EXPECT_FALSE(read(R"({"width": 64, "height": 48, "frameRate": 10, "seconds": 1})").sound);
}

class BadSceneTest : public testing::TestWithParam<const char*> {};

TEST_P(BadSceneTest, IsRefused) { EXPECT_THROW(read(GetParam()), std::invalid_argument); }

INSTANTIATE_TEST_SUITE_P(Descriptions, BadSceneTest,
    testing::Values(R"({"height": 48, "frameRate": 10, "seconds": 1})",
        R"({"width": 63, "height": 48, "frameRate": 10, "seconds": 1})",
        R"({"width": 64, "height": 48, "frameRate": 0, "seconds": 1})",
        R"({"width": 64, "height": 48, "frameRate": 10, "seconds": 0})",
        R"({"width": 64, "height": 48, "frameRate": 10, "seconds": 1, "background": "red"})",
        R"({"width": 64, "height": 48, "frameRate": 10, "seconds": 1, "sprites": [{"picture": "none"}]})",
        R"({"width": 64, "height": 48, "frameRate": 10, "seconds": 1, "pictures": {"box": {"width": 2, "height": 2}},
            "sprites": [{"picture": "box", "keys": [{"at": 1}, {"at": 0.5}]}]})",
        R"({"width": 64, "height": 48, "frameRate": 10, "seconds": 1, "pictures": {"box": {"width": 2, "height": 2}},
            "sprites": [{"picture": "box", "keys": [{"at": 1, "ease": "bounce"}]}]})",
        R"({"width": 64, "height": 48, "frameRate": 10, "seconds": 1, "pictures": {"box": {"width": 2, "height": 2}},
            "sprites": [{"picture": "box", "keys": [{"at": 1, "opacity": "half"}]}]})",
        R"({"width": 64, "height": 48, "frameRate": 10, "seconds": 1, "pictures": {"box": {"width": 2, "height": 2}},
            "sprites": [{"picture": "box", "edge": 2}]})",
        R"({"width": 64, "height": 48, "frameRate": 10, "seconds": 1, "pictures": {"box": {"width": 0, "height": 2}}})",
        R"({"width": 64, "height": 48, "frameRate": 10, "seconds": 1, "sound": {}})"));

} // namespace
