#include "lisp/FindText.h"

#include <gtest/gtest.h>

using dh::lisp::findText;

namespace {

// "中" is E4 B8 AD and "文" is E6 96 87 in UTF-8.
TEST(FindText, MatchesOnlyWhereACharacterBegins)
{
    EXPECT_EQ(findText("a中b", "中"), 1u);
    EXPECT_EQ(findText("中文", "文"), 3u);
    // Continuation bytes of a character are never a match, alone or in a run.
    EXPECT_EQ(findText("中文", "\xAD"), std::nullopt);
    EXPECT_EQ(findText("中文", "\xB8\xAD"), std::nullopt);
    EXPECT_EQ(findText("中文", "\xAD\xE6"), std::nullopt);
    // A stray continuation byte at the start is a character of its own.
    EXPECT_EQ(findText("\xAD" "x", "\xAD"), 0u);
}

TEST(FindText, PlainSearches)
{
    EXPECT_EQ(findText("abcabc", "ca"), 2u);
    EXPECT_EQ(findText("abc", "abcd"), std::nullopt);
    EXPECT_EQ(findText("", "a"), std::nullopt);
    EXPECT_EQ(findText("abc", ""), 0u);
    // A truncated character at the end does not run the walk past the text.
    EXPECT_EQ(findText("ab\xE4", "\xE4\xB8"), std::nullopt);
}

} // namespace
