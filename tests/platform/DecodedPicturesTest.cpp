#include "platform/qt/DecodedPictures.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using platform::qt::DecodedPictures;

namespace {

// A 40 by 40 picture decodes to 6,400 bytes and its PNG file takes a little
// more than a hundred: two of them fit this budget, three do not.
constexpr qsizetype kBudgetForTwo = 14000;

class DecodedPicturesTest : public ::testing::Test {
protected:
    QString write(const QString& name, QColor colour, int side = 40, const char* format = "PNG")
    {
        QImage image(side, side, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = folder_.filePath(name);
        EXPECT_TRUE(image.save(path, format));
        return path;
    }

    QString writeBytes(const QString& name, const QByteArray& bytes)
    {
        const QString path = folder_.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    static QRgb colourOf(const QImage& image) { return image.pixel(0, 0) & 0xFFFFFF; }

    QTemporaryDir folder_;
};

} // namespace

TEST_F(DecodedPicturesTest, TheSameFileGivesTheImageDecodedBefore)
{
    DecodedPictures pictures;
    const QString path = write("a.png", Qt::red);
    const QImage first = pictures.load(path);
    const QImage again = pictures.load(path);
    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(again.cacheKey(), first.cacheKey());
    EXPECT_EQ(colourOf(again), QColor(Qt::red).rgb() & 0xFFFFFF);
}

TEST_F(DecodedPicturesTest, AFileWrittenAgainIsDecodedAgain)
{
    DecodedPictures pictures;
    const QString path = write("a.png", Qt::red);
    const QImage red = pictures.load(path);
    write("a.png", Qt::blue);
    const QImage blue = pictures.load(path);
    EXPECT_NE(blue.cacheKey(), red.cacheKey());
    EXPECT_EQ(colourOf(blue), QColor(Qt::blue).rgb() & 0xFFFFFF);
    EXPECT_EQ(colourOf(red), QColor(Qt::red).rgb() & 0xFFFFFF);
}

TEST_F(DecodedPicturesTest, TheFormatIsToldByTheContentNotTheName)
{
    DecodedPictures pictures;
    const QImage image = pictures.load(write("really-a-bmp.jpg", Qt::green, 40, "BMP"));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(40, 40));
    EXPECT_EQ(colourOf(image), QColor(Qt::green).rgb() & 0xFFFFFF);
}

TEST_F(DecodedPicturesTest, AFailureIsNotRememberedForTheNextLoad)
{
    DecodedPictures pictures;
    const QString path = folder_.filePath("later.png");
    EXPECT_TRUE(pictures.load(path).isNull());
    writeBytes("later.png", "not a picture");
    EXPECT_TRUE(pictures.load(path).isNull());
    write("later.png", Qt::red);
    const QImage image = pictures.load(path);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(colourOf(image), QColor(Qt::red).rgb() & 0xFFFFFF);
}

TEST_F(DecodedPicturesTest, TheLeastRecentlyLoadedMakeRoomFirst)
{
    DecodedPictures pictures(kBudgetForTwo);
    const QString a = write("a.png", Qt::red), b = write("b.png", Qt::green), c = write("c.png", Qt::blue);
    const qint64 aKey = pictures.load(a).cacheKey();
    const qint64 bKey = pictures.load(b).cacheKey();
    EXPECT_EQ(pictures.load(a).cacheKey(), aKey);
    pictures.load(c);
    EXPECT_EQ(pictures.load(a).cacheKey(), aKey);
    EXPECT_NE(pictures.load(b).cacheKey(), bKey);
}

TEST_F(DecodedPicturesTest, APictureLargerThanTheBudgetIsNotKeptAndMakesNoRoom)
{
    DecodedPictures pictures(kBudgetForTwo);
    const QString small = write("small.png", Qt::red), large = write("large.png", Qt::blue, 80);
    const qint64 smallKey = pictures.load(small).cacheKey();
    const QImage first = pictures.load(large);
    ASSERT_EQ(first.size(), QSize(80, 80));
    EXPECT_NE(pictures.load(large).cacheKey(), first.cacheKey());
    EXPECT_EQ(pictures.load(small).cacheKey(), smallKey);
}
