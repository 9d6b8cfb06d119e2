#include "host/ed/AnswerParser.h"

#include <gtest/gtest.h>

using namespace dh::ed;

TEST(AnswerParser, RealsAcceptPlainDecimalsOnly)
{
    EXPECT_EQ(parseReal("2.5"), 2.5);
    EXPECT_EQ(parseReal(" -.5 "), -0.5);
    EXPECT_EQ(parseReal("1e3"), 1000.0);
    EXPECT_EQ(parseReal("+4"), 4.0);
    EXPECT_EQ(parseReal("7."), 7.0);
    for (const char* bad : {"", " ", "abc", "1,2", "inf", "nan", "0x10", "1e", "--1", "1.2.3"})
        EXPECT_FALSE(parseReal(bad).has_value()) << bad;
}

TEST(AnswerParser, IntegersMustBeWholeAndFitSixteenBits)
{
    EXPECT_EQ(parseInt("12"), 12);
    EXPECT_EQ(parseInt("-32768"), -32768);
    EXPECT_EQ(parseInt("3.0"), 3);
    EXPECT_FALSE(parseInt("3.5").has_value());
    EXPECT_FALSE(parseInt("32768").has_value());
    EXPECT_FALSE(parseInt("x").has_value());
}

TEST(AnswerParser, PointsAbsoluteAndRelativeToTheLastPoint)
{
    Point3 last{10, 20, 5};
    auto p = parsePoint("1,2", last);
    ASSERT_TRUE(p);
    EXPECT_DOUBLE_EQ(p->x, 1);
    EXPECT_DOUBLE_EQ(p->y, 2);
    EXPECT_DOUBLE_EQ(p->z, 0);
    p = parsePoint(" 1.5 , -2 , 3 ", last);
    ASSERT_TRUE(p);
    EXPECT_DOUBLE_EQ(p->z, 3);
    p = parsePoint("@1,-1", last);
    ASSERT_TRUE(p);
    EXPECT_DOUBLE_EQ(p->x, 11);
    EXPECT_DOUBLE_EQ(p->y, 19);
    EXPECT_DOUBLE_EQ(p->z, 5);  // a 2D displacement keeps the last z
    p = parsePoint("@", last);
    ASSERT_TRUE(p);
    EXPECT_DOUBLE_EQ(p->x, 10);
    for (const char* bad : {"1", "1,2,3,4", "a,b", "1,,2", "@x,1", ""})
        EXPECT_FALSE(parsePoint(bad, last).has_value()) << bad;
}

TEST(AnswerParser, KeywordsByUniqueAbbreviationGiveTheFullKeyword)
{
    KeywordList list = KeywordList::parse("Left Right LIne");
    std::string kw;
    EXPECT_EQ(matchKeyword(list, "right", kw), KeywordMatch::Found);
    EXPECT_EQ(kw, "Right");
    EXPECT_EQ(matchKeyword(list, "r", kw), KeywordMatch::Found);
    EXPECT_EQ(kw, "Right");
    EXPECT_EQ(matchKeyword(list, "L", kw), KeywordMatch::Ambiguous);
    EXPECT_EQ(matchKeyword(list, "li", kw), KeywordMatch::Found);
    EXPECT_EQ(kw, "LIne");
    EXPECT_EQ(matchKeyword(list, "Lefty", kw), KeywordMatch::None);
    EXPECT_EQ(matchKeyword(list, "", kw), KeywordMatch::None);
}

TEST(AnswerParser, AnExactKeywordWinsOverALongerOne)
{
    KeywordList list = KeywordList::parse("U Undo");
    std::string kw;
    EXPECT_EQ(matchKeyword(list, "u", kw), KeywordMatch::Found);
    EXPECT_EQ(kw, "U");
}

TEST(AnswerParser, LocalKeywordsMapToGlobalOnes)
{
    KeywordList list = KeywordList::parse("Ja Nein _ Yes No");
    ASSERT_EQ(list.local.size(), 2u);
    std::string kw;
    EXPECT_EQ(matchKeyword(list, "n", kw), KeywordMatch::Found);
    EXPECT_EQ(kw, "No");
    EXPECT_EQ(matchKeyword(list, "_yes", kw), KeywordMatch::Found);
    EXPECT_EQ(kw, "Yes");
    EXPECT_EQ(matchKeyword(list, "yes", kw), KeywordMatch::None);
}
