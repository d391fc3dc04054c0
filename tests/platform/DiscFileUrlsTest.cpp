#include "platform/qt/DiscFileUrls.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using platform::qt::CaseCorrectedFileUrl;

namespace {

class DiscFileUrlsTest : public ::testing::Test {
protected:
    DiscFileUrlsTest()
    {
        QDir(dir.path()).mkpath("BookImgs");
        QDir(dir.path()).mkpath(QString::fromUtf8("图片 一"));
        touch("BookImgs/A01.JPG");
        touch(QString::fromUtf8("图片 一/Cover Two.Gif"));
    }
    void touch(const QString& relative) const
    {
        QFile file(dir.filePath(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QUrl url(const QString& relative) const { return QUrl::fromLocalFile(dir.filePath(relative)); }

    QTemporaryDir dir;
};

} // namespace

TEST_F(DiscFileUrlsTest, APathInAnotherCaseLeadsToTheFileAsTheDiscSpellsIt)
{
    EXPECT_EQ(CaseCorrectedFileUrl(url("bookimgs/a01.jpg")), url("BookImgs/A01.JPG"));
    EXPECT_EQ(CaseCorrectedFileUrl(url(QString::fromUtf8("图片 一/COVER TWO.GIF"))),
              url(QString::fromUtf8("图片 一/Cover Two.Gif")));
}

TEST_F(DiscFileUrlsTest, QueryAndFragmentStay)
{
    QUrl asked = url("BOOKIMGS/a01.jpg");
    asked.setQuery("v=1&x=%20");
    asked.setFragment("part");
    QUrl expected = url("BookImgs/A01.JPG");
    expected.setQuery("v=1&x=%20");
    expected.setFragment("part");
    EXPECT_EQ(CaseCorrectedFileUrl(asked), expected);
}

TEST_F(DiscFileUrlsTest, FoundMissingAndForeignUrlsAreLeftAlone)
{
    EXPECT_FALSE(CaseCorrectedFileUrl(url("BookImgs/A01.JPG"))) << "found as it is";
    EXPECT_FALSE(CaseCorrectedFileUrl(url("BookImgs/A02.JPG"))) << "no such file in any case";
    EXPECT_FALSE(CaseCorrectedFileUrl(url("nowhere/a01.jpg")));
    EXPECT_FALSE(CaseCorrectedFileUrl(QUrl("data:text/plain,bookimgs")));
    EXPECT_FALSE(CaseCorrectedFileUrl(QUrl("about:blank")));
}
