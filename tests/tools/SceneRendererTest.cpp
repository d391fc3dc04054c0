// Painting a scene's frames: where and how sprites show.
#include "tools/media/SceneRenderer.h"

#include <gtest/gtest.h>

using namespace tools::media;

namespace {

const QColor background(0x10, 0x20, 0x30);
const QColor red(0xFF, 0, 0);

class SceneRendererTest : public testing::Test {
protected:
    SceneRendererTest()
    {
        scene.width = 100;
        scene.height = 60;
        scene.seconds = 4;
        scene.background = background;
        QImage box(40, 20, QImage::Format_ARGB32);
        box.fill(red);
        scene.pictures["box"] = box;
    }

    Sprite& add(std::initializer_list<std::pair<Property, double>> values)
    {
        Sprite sprite;
        sprite.picture = "box";
        sprite.to = scene.seconds;
        Key key;
        for (auto [property, value] : values)
            key.values[static_cast<std::size_t>(property)] = value;
        sprite.keys.push_back(key);
        scene.sprites.push_back(sprite);
        return scene.sprites.back();
    }

    QColor at(int x, int y, double seconds = 1) { return renderFrame(scene, seconds).pixelColor(x, y); }

    Scene scene;
};

// Colours compared channel by channel, within what smoothing may change.
testing::AssertionResult near(const QColor& actual, const QColor& expected)
{
    if (std::abs(actual.red() - expected.red()) <= 3 && std::abs(actual.green() - expected.green()) <= 3 &&
        std::abs(actual.blue() - expected.blue()) <= 3)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << actual.name().toStdString() << " is not " << expected.name().toStdString();
}

TEST_F(SceneRendererTest, AnEmptySceneIsItsBackground)
{
    QImage frame = renderFrame(scene, 0);

    EXPECT_EQ(frame.size(), QSize(100, 60));
    EXPECT_EQ(frame.pixelColor(0, 0), background);
    EXPECT_EQ(frame.pixelColor(99, 59), background);
}

TEST_F(SceneRendererTest, ASpriteIsCentredOnItsPosition)
{
    add({{Property::X, 30}, {Property::Y, 20}});

    EXPECT_TRUE(near(at(30, 20), red));
    EXPECT_TRUE(near(at(11, 11), red));
    EXPECT_TRUE(near(at(48, 28), red));
    EXPECT_TRUE(near(at(52, 20), background));
    EXPECT_TRUE(near(at(30, 32), background));
}

TEST_F(SceneRendererTest, ShowsOnlyFromItsStartUntilBeforeItsEnd)
{
    Sprite& sprite = add({});
    sprite.from = 1;
    sprite.to = 2;

    EXPECT_TRUE(near(at(50, 30, 0.9), background));
    EXPECT_TRUE(near(at(50, 30, 1), red));
    EXPECT_TRUE(near(at(50, 30, 2), background));
}

TEST_F(SceneRendererTest, OpacityBlendsWithWhatIsBehind)
{
    add({{Property::Opacity, 0.5}});

    QColor c = at(50, 30);
    EXPECT_NEAR(c.red(), (0xFF + 0x10) / 2, 3);
    EXPECT_NEAR(c.blue(), 0x30 / 2, 3);
}

TEST_F(SceneRendererTest, ScaleAndRotationTurnAboutTheCentre)
{
    add({{Property::Scale, 2}});
    EXPECT_TRUE(near(at(50 + 35, 30), red));
    EXPECT_TRUE(near(at(50, 30 + 18), red));

    scene.sprites.clear();
    add({{Property::Rotation, 90}});
    EXPECT_TRUE(near(at(50, 30 - 15), red));
    EXPECT_TRUE(near(at(50 + 15, 30), background));
}

TEST_F(SceneRendererTest, AHardRevealUncoversFromTheLeft)
{
    Sprite& sprite = add({{Property::Reveal, 0.5}});
    sprite.revealEdge = 0;

    // The box spans x 30 to 70.
    EXPECT_TRUE(near(at(35, 30), red));
    EXPECT_TRUE(near(at(48, 30), red));
    EXPECT_TRUE(near(at(52, 30), background));
    EXPECT_TRUE(near(at(65, 30), background));
}

TEST_F(SceneRendererTest, ASoftRevealFadesTowardsItsFront)
{
    add({{Property::Reveal, 0.5}});

    // Half revealed with a fifth of the width as edge: solid to 40%, gone
    // from 60%.
    EXPECT_TRUE(near(at(30 + 14, 30), red));
    EXPECT_TRUE(near(at(30 + 26, 30), background));
    QColor middle = at(30 + 20, 30);
    EXPECT_GT(middle.red(), 0x10 + 40);
    EXPECT_LT(middle.red(), 0xFF - 40);
}

TEST_F(SceneRendererTest, NothingRevealedOrTransparentShowsNothing)
{
    add({{Property::Reveal, 0}});
    add({{Property::Opacity, 0}, {Property::X, 20}});
    add({{Property::Scale, 0}, {Property::X, 80}});

    EXPECT_TRUE(near(at(50, 30), background));
    EXPECT_TRUE(near(at(20, 30), background));
    EXPECT_TRUE(near(at(80, 30), background));
}

TEST_F(SceneRendererTest, LaterSpritesPaintOverEarlierOnes)
{
    add({});
    QImage blue(10, 10, QImage::Format_ARGB32);
    blue.fill(Qt::blue);
    scene.pictures["blue"] = blue;
    add({}).picture = "blue";

    EXPECT_TRUE(near(at(50, 30), QColor(Qt::blue)));
    EXPECT_TRUE(near(at(40, 30), red));
}

} // namespace
