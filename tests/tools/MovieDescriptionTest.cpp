#include "tools/swf/MovieDescription.h"
#include "tools/swf/PictureRenderer.h"

#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

using namespace tools::swf;

namespace {

Movie read(const std::string& json, const QDir& dir = QDir::temp())
{
    return readMovieDescription(QByteArray::fromStdString(json), dir);
}

TEST(MovieDescriptionTest, ReadsStageCharactersAndFrames)
{
    Movie m = read(R"({"width": 307, "height": 18, "frameRate": 24, "background": "#8B1A1A",
        "rectangles": {"bar": {"width": 10, "height": 4, "color": "#C9A44C80"}},
        "buttons": {"b": {"up": "bar", "over": "bar", "down": "bar", "command": "2", "args": "光盘介绍"}},
        "frames": [{"frame": 2, "place": [{"name": "b", "depth": 3, "x": 5, "y": -1}],
                    "commands": [{"command": "go", "args": "x"}], "stop": true}]})");

    EXPECT_EQ(std::make_tuple(m.width, m.height, m.frameRate), std::make_tuple(307, 18, 24.0));
    EXPECT_EQ(m.background, (Rgba{0x8B, 0x1A, 0x1A, 0xFF}));
    EXPECT_EQ(m.rectangles.at("bar").colour, (Rgba{0xC9, 0xA4, 0x4C, 0x80}));
    EXPECT_EQ(m.buttons.at("b").release, (Command{"2", "光盘介绍"}));
    ASSERT_EQ(m.frames.size(), 2u);
    EXPECT_TRUE(m.frames[0].placements.empty());
    ASSERT_EQ(m.frames[1].placements.size(), 1u);
    EXPECT_EQ(m.frames[1].placements[0].name, "b");
    EXPECT_EQ(std::make_tuple(m.frames[1].placements[0].depth, m.frames[1].placements[0].x,
                  m.frames[1].placements[0].y), std::make_tuple(3, 5, -1));
    EXPECT_EQ(m.frames[1].commands, (std::vector<Command>{{"go", "x"}}));
    EXPECT_TRUE(m.frames[1].stop);
}

TEST(MovieDescriptionTest, GlidesMoveOneStepAFrameFromFirstToLast)
{
    Movie m = read(R"({"width": 10, "height": 10, "frameCount": 6,
        "glides": [{"depth": 2, "from": [0, 100], "to": [30, 70], "frames": [2, 5]}]})");

    ASSERT_EQ(m.frames.size(), 6u);
    std::vector<std::pair<int, int>> path;
    for (const Frame& f : m.frames) {
        ASSERT_LE(f.moves.size(), 1u);
        if (!f.moves.empty()) {
            EXPECT_EQ(f.moves[0].depth, 2);
            path.push_back({f.moves[0].x, f.moves[0].y});
        }
    }
    EXPECT_EQ(path, (std::vector<std::pair<int, int>>{{0, 100}, {10, 90}, {20, 80}, {30, 70}}));
    EXPECT_TRUE(m.frames[0].moves.empty());
    EXPECT_TRUE(m.frames[5].moves.empty());
}

struct BadDescription {
    const char* name;
    const char* json;
};

class MovieDescriptionErrorTest : public testing::TestWithParam<BadDescription> {};

TEST_P(MovieDescriptionErrorTest, IsRefusedWithAReason)
{
    EXPECT_THROW(read(GetParam().json), std::invalid_argument);
}

INSTANTIATE_TEST_SUITE_P(Descriptions, MovieDescriptionErrorTest,
    testing::Values(BadDescription{"NotJson", "{width: 1"},
        BadDescription{"NoWidth", R"({"height": 10})"},
        BadDescription{"ZeroHeight", R"({"width": 10, "height": 0})"},
        BadDescription{"BadRate", R"({"width": 10, "height": 10, "frameRate": 0})"},
        BadDescription{"BadColour", R"({"width": 10, "height": 10, "background": "red"})"},
        BadDescription{"ShortColour", R"({"width": 10, "height": 10, "background": "#FFF"})"},
        BadDescription{"DuplicateName", R"({"width": 10, "height": 10,
            "rectangles": {"a": {"width": 1, "height": 1, "color": "#000000"}},
            "buttons": {"a": {"up": "a", "over": "a", "down": "a", "command": "x"}}})"},
        BadDescription{"GlideOutsideMovie", R"({"width": 10, "height": 10, "frameCount": 3,
            "glides": [{"depth": 1, "from": [0, 0], "to": [1, 1], "frames": [2, 4]}]})"},
        BadDescription{"DepthZero", R"({"width": 10, "height": 10, "frames": [{"frame": 1, "move": [{"depth": 0}]}]})"},
        BadDescription{"MissingPictureFile", R"({"width": 10, "height": 10, "pictures": {"p": {"file": "none.png"}}})"},
        BadDescription{"HugeDrawing", R"({"width": 10, "height": 10, "pictures": {"p": {"width": 5000, "height": 2}}})"}),
    [](const testing::TestParamInfo<BadDescription>& info) { return std::string(info.param.name); });

TEST(PictureRendererTest, DrawsBackgroundAndChineseLabel)
{
    Bitmap b = renderPicture(QJsonDocument::fromJson(R"({"width": 80, "height": 20, "background": "#8B1A1A",
        "texts": [{"text": "推荐书目", "size": 14, "color": "#F5ECD7"}]})").object(), QDir::temp());

    ASSERT_EQ(std::make_pair(b.width, b.height), std::make_pair(80, 20));
    ASSERT_EQ(b.argb.size(), 80u * 20u);
    EXPECT_EQ(b.argb.front(), 0xFF8B1A1Au);
    // The label's strokes: pixels far lighter than the background, antialiased towards cream.
    auto light = [](std::uint32_t p) { return ((p >> 8) & 0xFF) > 0x90; };
    std::size_t strokes = std::count_if(b.argb.begin(), b.argb.end(), light);
    EXPECT_GT(strokes, 40u);
    EXPECT_LT(strokes, 80u * 20u / 2);
}

TEST(PictureRendererTest, PngFilesBecomePixelsAndJpegFilesStayJpeg)
{
    QTemporaryDir dir;
    QImage image(4, 3, QImage::Format_ARGB32);
    image.fill(QColor(10, 20, 30, 255));
    ASSERT_TRUE(image.save(dir.filePath("p.png")));
    ASSERT_TRUE(image.save(dir.filePath("p.jpg")));

    Bitmap png = renderPicture(QJsonDocument::fromJson(R"({"file": "p.png"})").object(), QDir(dir.path()));
    EXPECT_TRUE(png.jpeg.empty());
    EXPECT_EQ(png.argb, std::vector<std::uint32_t>(12, 0xFF0A141Eu));

    Bitmap jpeg = renderPicture(QJsonDocument::fromJson(R"({"file": "p.jpg"})").object(), QDir(dir.path()));
    QFile file(dir.filePath("p.jpg"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    EXPECT_EQ(jpeg.jpeg, Bytes(bytes.begin(), bytes.end()));
    EXPECT_EQ(std::make_pair(jpeg.width, jpeg.height), std::make_pair(4, 3));
}

} // namespace
