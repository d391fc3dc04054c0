// How a sprite's properties follow its keys.
#include "tools/media/Scene.h"

#include <gtest/gtest.h>

using namespace tools::media;

namespace {

Key key(double at, Ease ease, std::initializer_list<std::pair<Property, double>> values)
{
    Key k{at, ease, {}};
    for (auto [property, value] : values)
        k.values[static_cast<std::size_t>(property)] = value;
    return k;
}

Scene sceneOf(int width, int height)
{
    Scene scene;
    scene.width = width;
    scene.height = height;
    return scene;
}

TEST(AnimationTest, WithoutKeysASpriteSitsStillInTheMiddle)
{
    SpriteState s = stateAt(Sprite{}, 3, sceneOf(200, 100));

    EXPECT_EQ(s[Property::X], 100);
    EXPECT_EQ(s[Property::Y], 50);
    EXPECT_EQ(s[Property::Opacity], 1);
    EXPECT_EQ(s[Property::Scale], 1);
    EXPECT_EQ(s[Property::Rotation], 0);
    EXPECT_EQ(s[Property::Reveal], 1);
}

struct Sample {
    double at;
    double x;
    double opacity;
};

class KeysTest : public testing::TestWithParam<Sample> {};

// x moves from its key at 1 s to its key at 3 s; opacity skips the key at
// 3 s, which does not name it, and moves from 1 s to 5 s.
TEST_P(KeysTest, EachPropertyFollowsOnlyTheKeysThatSetIt)
{
    Sprite sprite;
    sprite.keys = {key(1, Ease::Linear, {{Property::X, 0}, {Property::Opacity, 0}}),
        key(3, Ease::Linear, {{Property::X, 100}}), key(5, Ease::Linear, {{Property::Opacity, 1}})};

    SpriteState s = stateAt(sprite, GetParam().at, sceneOf(200, 100));

    EXPECT_DOUBLE_EQ(s[Property::X], GetParam().x);
    EXPECT_DOUBLE_EQ(s[Property::Opacity], GetParam().opacity);
    EXPECT_EQ(s[Property::Y], 50);
}

INSTANTIATE_TEST_SUITE_P(Times, KeysTest,
    testing::Values(Sample{0, 0, 0}, Sample{1, 0, 0}, Sample{2, 50, 0.25}, Sample{3, 100, 0.5}, Sample{4, 100, 0.75},
        Sample{5, 100, 1}, Sample{60, 100, 1}));

struct EaseCase {
    Ease ease;
    double quarter; // the value a quarter of the way, from 0 to 1
};

class EaseTest : public testing::TestWithParam<EaseCase> {};

TEST_P(EaseTest, ShapesTheWayBetweenKeys)
{
    Sprite sprite;
    sprite.keys = {key(0, Ease::Linear, {{Property::Scale, 0}}), key(4, GetParam().ease, {{Property::Scale, 1}})};

    Scene scene = sceneOf(10, 10);
    EXPECT_DOUBLE_EQ(stateAt(sprite, 1, scene)[Property::Scale], GetParam().quarter);
    EXPECT_DOUBLE_EQ(stateAt(sprite, 0, scene)[Property::Scale], 0);
    EXPECT_DOUBLE_EQ(stateAt(sprite, 4, scene)[Property::Scale], 1);
}

INSTANTIATE_TEST_SUITE_P(Eases, EaseTest,
    testing::Values(EaseCase{Ease::Linear, 0.25}, EaseCase{Ease::In, 0.0625}, EaseCase{Ease::Out, 0.4375},
        EaseCase{Ease::InOut, 0.15625}));

TEST(AnimationTest, TwoKeysAtOneTimeJumpRightAfterIt)
{
    Sprite sprite;
    sprite.keys = {key(1, Ease::Linear, {{Property::Rotation, 0}}), key(1, Ease::Linear, {{Property::Rotation, 90}})};
    Scene scene = sceneOf(10, 10);

    EXPECT_EQ(stateAt(sprite, 0.5, scene)[Property::Rotation], 0);
    EXPECT_EQ(stateAt(sprite, 1.5, scene)[Property::Rotation], 90);
}

TEST(AnimationTest, FrameCountRoundsTheLengthToWholeFrames)
{
    Scene scene = sceneOf(10, 10);
    scene.frameRate = 15;
    scene.seconds = 4.97;
    EXPECT_EQ(scene.frameCount(), 75);
}

} // namespace
