#include "host/lispeval/Reader.h"
#include "host/lispeval/Error.h"
#include "host/lispeval/Interpreter.h"

#include <gtest/gtest.h>

#include <string>

namespace dh::lisp {
namespace {

TEST(ReaderTest, TextEndingInsideAFormAsksForMore)
{
    struct Case
    {
        const char* text;
        const char* reason;
    };
    const Case cases[] = {
        {"(+ 1", "malformed list on input"},
        {"(defun f (x)\n  (if x", "malformed list on input"},
        {"'", "malformed list on input"},
        {"(a . ", "malformed list on input"},
        {"(a . b", "malformed list on input"},
        {"(strcat \"abc", "malformed string on input"},
        {"\"ends with a backslash\\", "malformed string on input"},
        {"(+ 1 ;| a comment not yet closed", "malformed comment on input"},
    };
    for (const Case& c : cases) {
        ReadResult result = readForms(c.text);
        EXPECT_TRUE(result.incomplete) << c.text;
        EXPECT_EQ(c.reason, result.incompleteReason) << c.text;
        EXPECT_TRUE(needsMoreInput(c.text)) << c.text;
    }
}

TEST(ReaderTest, CompleteAndMalformedTextNeedsNoMore)
{
    for (const char* text : {"(+ 1 2)", "", "  ; only a comment", "1 2", ")", "(1 . )", "(a))"}) {
        EXPECT_FALSE(needsMoreInput(text)) << text;
    }
}

TEST(ReaderTest, LinesAddedToAnOpenFormCompleteIt)
{
    std::string text = "(setq a (list 1";
    ASSERT_TRUE(needsMoreInput(text));
    text += "\n 2";
    ASSERT_TRUE(needsMoreInput(text));
    text += "\n 3))";
    ReadResult result = readForms(text);
    ASSERT_FALSE(result.incomplete);
    ASSERT_EQ(1u, result.forms.size());
    EXPECT_EQ("(SETQ A (LIST 1 2 3))", result.forms[0].toString());
}

TEST(ReaderTest, FormsBeforeAnOpenOneAreKept)
{
    ReadResult result = readForms("(a) b (c");
    EXPECT_TRUE(result.incomplete);
    ASSERT_EQ(2u, result.forms.size());
    EXPECT_EQ("(A)", result.forms[0].toString());
    EXPECT_EQ("B", result.forms[1].toString());
}

TEST(ReaderTest, IncompleteInputIsNotEvaluatedAtAll)
{
    Interpreter interp;
    EvalResult result = interp.evaluate("(setq a 1) (setq b");
    EXPECT_EQ(EvalResult::Status::Incomplete, result.status);
    EXPECT_EQ("; error: malformed list on input", result.error);
    EXPECT_TRUE(result.values.empty());
    EXPECT_TRUE(interp.global("a").isNil());
}

TEST(ReaderTest, ReadFormWantsExactlyOneForm)
{
    EXPECT_EQ("(1 . 2)", readForm(" (1 . 2) ").toString());
    EXPECT_THROW(readForm(""), Error);
    EXPECT_THROW(readForm("1 2"), Error);
    EXPECT_THROW(readForm("(1"), Error);
}

TEST(ReaderTest, NumberTokensAndSymbolsAreTold)
{
    struct Case
    {
        const char* text;
        Type type;
    };
    const Case cases[] = {
        {"12", Type::Int},           {"-0", Type::Int},    {"1.", Type::Real},
        {".5", Type::Real},          {"1e3", Type::Real},  {"-1.5E-3", Type::Real},
        {"1+", Type::Sym},           {"-", Type::Sym},     {"1e", Type::Sym},
        {"e3", Type::Sym},           {"1.2.3", Type::Sym}, {"+.", Type::Sym},
        {"99999999999", Type::Real},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.type, readForm(c.text).type()) << c.text;
    }
}

TEST(ReaderTest, OctalEscapesTakeUpToThreeDigits)
{
    EXPECT_EQ(std::string("\0", 1), readForm(R"("\0")").asString());
    EXPECT_EQ("\x1b[", readForm(R"("\033[")").asString());
    EXPECT_EQ("\n8", readForm(R"("\128")").asString());
    EXPECT_EQ("\xE9", readForm(R"("\351")").asString());
}

TEST(ReaderTest, AbsurdNestingIsRefusedWithoutCrashing)
{
    std::string deep(100000, '(');
    deep += std::string(100000, ')');
    EXPECT_THROW(readForms(deep), Error);
    Interpreter interp;
    EvalResult result = interp.evaluate("'" + deep);
    EXPECT_EQ(EvalResult::Status::Error, result.status);
    EXPECT_EQ(0u, result.error.rfind("; error: malformed list on input", 0)) << result.error;
}

} // namespace
} // namespace dh::lisp
