#include "EngineFixture.h"
#include "QtEngine.h"
#include "base/Encoding.h"
#include "platform/qt/QtControls.h"
#include "platform/fake/FakeServices.h"
#include "platform/qt/QtToolkit.h"
#include "richtext/CSuperTextC.h"
#include "richtext/Words.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace richtext;
using richtext::testing::QtEngine;
using richtext::testing::repeated;

TEST(QtLayout, MetricsComeFromTheFormsFont)
{
    QtEngine qt(400);
    const double lineHeight = qt.form.textHeight("H") + 2;
    EXPECT_DOUBLE_EQ(qt.engine.RawLineHeight(), lineHeight);
    EXPECT_EQ(qt.engine.nPageLine(), int(400 / lineHeight));
    EXPECT_EQ(qt.engine.DefaultFontName(), qt.form.font().name);
}

TEST(QtLayout, LinesOfMixedTextStayWithinTheRightLimitAndPiecesKeepTheirWidths)
{
    QtEngine qt(300);
    qt.engine.Text("<B>" + repeated("中文的句子 with Latin words 和标点。", 12));
    qt.engine.Refresh();
    const auto& pieces = qt.engine.Document().TextPiece;
    ASSERT_GT(pieces.size(), 3u);
    for (std::size_t i = 0; i + 1 < pieces.size(); ++i) {
        const auto& piece = pieces[i];
        EXPECT_LE(piece.X + piece.Width, qt.engine.PageRect().Right + 1) << piece.Text;
        EXPECT_LT(pieces[i].Y, pieces[i + 1].Y);
        EXPECT_FALSE(NoLineStart(pieces[i + 1].Text)) << pieces[i + 1].Text;
    }
    platform::FontSpec plain = qt.form.font();
    EXPECT_FALSE(plain.bold);
    EXPECT_EQ(pieces[1].Width, int(std::nearbyint(qt.form.textWidth(pieces[1].Text))));
}

TEST(QtLayout, PicturesAndTextBoxesGetRealControls)
{
    QTemporaryDir folder;
    QImage picture(30, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(folder.filePath("DOG.PNG")));
    QtEngine qt(400);
    qt.engine.CurrPath(folder.path().toStdString());
    qt.engine.Text("<IMG SRC=dog.png WIDTH=30 HEIGHT=20><INPUT TYPE=TEXT WIDTH=5>");
    qt.engine.Refresh();
    ASSERT_EQ(qt.images.count(), 2);
    ASSERT_NE(qt.images[1].picture(), nullptr);
    EXPECT_EQ(qt.images[1].picture()->width(), 30);
    EXPECT_EQ(qt.images[1].width(), 30);
    EXPECT_FALSE(qt.engine.Document().Images[0].HasMask);
    ASSERT_EQ(qt.edits.count(), 2);
    EXPECT_EQ(qt.edits[1].left(), qt.engine.Document().TextBoxes[0].X);
    EXPECT_EQ(qt.edits[1].width(), qt.engine.Document().TextBoxes[0].Width);
    qt.engine.ClearAll();
    EXPECT_EQ(qt.images.count(), 1);
    EXPECT_EQ(qt.edits.count(), 1);
}
