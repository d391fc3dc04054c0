#include "richtext/Words.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using richtext::NextWord;
using richtext::NoLineStart;

namespace {

std::vector<std::string> allWords(std::string_view run)
{
    std::vector<std::string> words;
    for (std::string_view word = NextWord(run); !word.empty(); word = NextWord(run))
        words.emplace_back(word);
    return words;
}

struct WordsCase {
    const char* run;
    std::vector<std::string> words;
};

class NextWordTest : public ::testing::TestWithParam<WordsCase> {};

} // namespace

TEST_P(NextWordTest, SplitsARunIntoWords)
{
    EXPECT_EQ(allWords(GetParam().run), GetParam().words);
}

INSTANTIATE_TEST_SUITE_P(
    Words, NextWordTest,
    ::testing::Values(
        WordsCase{"", {}},
        WordsCase{"    ", {}},
        WordsCase{"Hello world", {"Hello ", "world"}},
        WordsCase{"  Hello   world  ", {"Hello ", "world"}},
        // Wide characters stand alone and lose the spaces between them.
        WordsCase{"中 文", {"中", "文"}},
        WordsCase{"中文abc中", {"中", "文", "abc", "中"}},
        WordsCase{"abc 中", {"abc ", "中"}},
        WordsCase{"[a b c] d", {"[a b c]", "d"}},
        WordsCase{"[中文 x]", {"[中文 x]"}},
        // An unclosed bracket ends the run there.
        WordsCase{"a [b c", {"a "}},
        WordsCase{"&nbsp; &nbsp;x", {"&nbsp; ", "&nbsp;x"}},
        // é has a two-byte GB2312 code and is wide; € has none and is narrow.
        WordsCase{"café au", {"caf", "é", "au"}},
        WordsCase{"a€b c", {"a€b ", "c"}}));

TEST(NextWord, UnclosedBracketLeavesTheRunAsItWas)
{
    std::string_view run = "[b c";
    EXPECT_EQ(NextWord(run), "");
    EXPECT_EQ(run, "[b c");
}

TEST(NoLineStart, ExactlyTheTenCharactersMayNotBeginALine)
{
    for (const char* word : {"，", "。", "；", "！", "？", "《", "》", "）", "、", "”"})
        EXPECT_TRUE(NoLineStart(word)) << word;
    for (const char* word : {"（", "“", "中", ",", ".", "a", "", "：", "〉"})
        EXPECT_FALSE(NoLineStart(word)) << word;
}

TEST(NonBreakingSpace, OnlyTheThreeSpellingsAreEntities)
{
    for (const char* word : {"&nbsp", "&nbsp;", "&nbsp; "})
        EXPECT_TRUE(richtext::isNonBreakingSpace(word)) << word;
    for (const char* word : {"&nbsp;&nbsp;", "&NBSP;", "&amp;", "&nbsp;x"})
        EXPECT_FALSE(richtext::isNonBreakingSpace(word)) << word;
}
