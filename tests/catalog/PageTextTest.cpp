#include "catalog/PageText.h"
#include "catalog/TitleSignals.h"

#include <gtest/gtest.h>

using namespace catalog;

TEST(PageText, PlainTextIsUnchangedEverywhere)
{
    for (const char* plain : {"文学", "Hello world", "ISBN 978-7-02-000220-7", "12.5"}) {
        EXPECT_EQ(htmlText(plain), plain);
        EXPECT_EQ(htmlAttribute(plain), plain);
        EXPECT_EQ(scriptString(plain), plain);
    }
    EXPECT_EQ(fileUrlAttribute("/media/cdrom/product"), "/media/cdrom/product");
}

TEST(PageText, EachPlaceGetsItsOwnEscaping)
{
    EXPECT_EQ(htmlText("<b>A&B</b>"), "&lt;b&gt;A&amp;B&lt;/b&gt;");
    EXPECT_EQ(htmlAttribute("it's \"x\" & <y>"), "it&#39;s &quot;x&quot; &amp; &lt;y&gt;");
    EXPECT_EQ(scriptString("O'Brien\\n\n</script>"), "O\\'Brien\\\\n\\n\\x3C/script>");
    EXPECT_EQ(scriptString("a\u2028b\tc"), "a\\u2028b\\x09c");
    EXPECT_EQ(fileUrlAttribute("/disc/100%#1?/it's"), "/disc/100%25%231%3F/it&#39;s");
}

TEST(TitleSignals, TreeTitlesSkipFourCharactersAndReadTheNumber)
{
    EXPECT_EQ(CategoryFromTreeTitle("Node7"), 7);
    EXPECT_EQ(CategoryFromTreeTitle("Node12"), 12);
    EXPECT_EQ(CategoryFromTreeTitle("XXXX40000"), 40000);
    EXPECT_EQ(CategoryFromTreeTitle("分类节点3"), 3); // four characters, whatever they are
    EXPECT_EQ(CategoryFromTreeTitle("Node7.9"), 7);
    EXPECT_FALSE(CategoryFromTreeTitle("Node"));
    EXPECT_FALSE(CategoryFromTreeTitle("Nod"));
    EXPECT_FALSE(CategoryFromTreeTitle("NodeX"));
    EXPECT_FALSE(CategoryFromTreeTitle("about:blank"));
}

TEST(TitleSignals, ListTitlesAreBookIds)
{
    EXPECT_EQ(BookFromListTitle("15"), 15);
    EXPECT_EQ(BookFromListTitle("70000"), 70000);
    EXPECT_FALSE(BookFromListTitle(""));
    EXPECT_FALSE(BookFromListTitle("15a"));
    EXPECT_FALSE(BookFromListTitle("99999999999"));
}
