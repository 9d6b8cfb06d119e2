// Str_Replace and Str_Split called from LISP in a host session with Kelvane loaded.
#include "tests/frame/ModuleHost.h"

#include <gtest/gtest.h>

namespace {

struct LispCase {
    const char* line;
    const char* printed;
};

class StringFunctions : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_host.load("Kelvane")); }
    void expectAll(std::initializer_list<LispCase> cases)
    {
        for (const LispCase& c : cases)
            EXPECT_EQ(m_host.eval(c.line), c.printed) << c.line;
    }
    dh::test::ModuleHost m_host;
};

TEST_F(StringFunctions, ReplaceLeftToRightWithoutOverlapOrRescan)
{
    expectAll({
        {R"((Str_Replace "aaa" "aa" "b"))", R"("ba")"},
        {R"((Str_Replace "abc" "b" "bb"))", R"("abbc")"},
        {R"((Str_Replace "abc" "" "x"))", R"("abc")"},
        {R"((Str_Replace "a-b-c" "-" ""))", R"("abc")"},
        {R"((Str_Replace "abc" "z" "y"))", R"("abc")"},
        {R"((Str_Replace "" "a" "b"))", R"("")"},
        {R"((Str_Replace "中文中" "中" "x"))", R"("x文x")"},
        {R"((Str_Replace "a.b" "." "::"))", R"("a::b")"},
    });
}

TEST_F(StringFunctions, ReplaceAnswersNilToBadArguments)
{
    expectAll({
        {R"((Str_Replace "abc" "b"))", "nil"},
        {R"((Str_Replace "abc" "b" "x" "y"))", "nil"},
        {R"((Str_Replace "abc" 1 "x"))", "nil"},
        {R"((Str_Replace nil "b" "x"))", "nil"},
        {R"((Str_Replace))", "nil"},
    });
}

TEST_F(StringFunctions, SplitKeepsOnlyNonEmptyPiecesBeforeADelimiter)
{
    expectAll({
        {R"((Str_Split "a,b,c," ","))", R"(("a" "b" "c"))"},
        {R"((Str_Split "a,b,c" ","))", R"(("a" "b"))"},
        {R"((Str_Split "a,,b," ","))", R"(("a" "b"))"},
        {R"((Str_Split ",a" ","))", "nil"},
        {R"((Str_Split "abc" ","))", "nil"},
        {R"((Str_Split "a::b::" "::"))", R"(("a" "b"))"},
        {R"((Str_Split "a:::b::" "::"))", R"(("a" ":b"))"},
        {R"((Str_Split "甲，乙，" "，"))", R"(("甲" "乙"))"},
    });
}

TEST_F(StringFunctions, SplitEndsOnAnEmptyDelimiterAndRefusesBadArguments)
{
    expectAll({
        {R"((Str_Split "abc" ""))", "nil"},
        {R"((Str_Split "abc"))", "nil"},
        {R"((Str_Split "a,b," "," ","))", "nil"},
        {R"((Str_Split 12 ","))", "nil"},
    });
}

} // namespace
