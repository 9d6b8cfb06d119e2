#include "host/shell/Options.h"
#include "host/shell/Program.h"

#include <gtest/gtest.h>

#include <vector>

using namespace dh::shell;

namespace {

ParsedOptions parse(std::vector<const char*> args)
{
    args.insert(args.begin(), "drafthost");
    return parseOptions(static_cast<int>(args.size()), args.data());
}

}  // namespace

TEST(Options, ScriptsAndLinesKeepTheirOrder)
{
    ParsedOptions p = parse({"a.dxf", "-e", "(+ 1 2)", "--script", "x.scr", "--eval=ZOOM", "-q",
                             "-o", "out.dxf", "--load", "M.so", "--dxf-version", "r2007"});
    ASSERT_TRUE(p.ok()) << p.error;
    EXPECT_EQ(p.options.drawing, "a.dxf");
    ASSERT_EQ(p.options.inputs.size(), 3u);
    EXPECT_EQ(p.options.inputs[0].kind, InputItem::Kind::Eval);
    EXPECT_EQ(p.options.inputs[1].kind, InputItem::Kind::Script);
    EXPECT_EQ(p.options.inputs[1].text, "x.scr");
    EXPECT_EQ(p.options.inputs[2].text, "ZOOM");
    EXPECT_TRUE(p.options.quiet);
    EXPECT_EQ(p.options.output, "out.dxf");
    EXPECT_EQ(p.options.loads, std::vector<std::string>{"M.so"});
    EXPECT_EQ(dxfVersionNumber(p.options.dxfVersion), 1021);
}

TEST(Options, BadCommandLinesAreRefusedWithAReason)
{
    struct Case {
        std::vector<const char*> args;
        const char* reason;
    } cases[] = {
        {{"-e"}, "needs a value"},
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"a.dxf", "b.dxf"}, "more than one drawing"},
        {{"--dxf-version", "R12"}, "unknown DXF version"},
        {{"-o"}, "needs a file"},
        {{"--encoding="}, "needs a code page"},
    };
    for (const Case& c : cases) {
        ParsedOptions p = parse(c.args);
        EXPECT_FALSE(p.ok());
        EXPECT_NE(p.error.find(c.reason), std::string::npos) << p.error;
    }
}

TEST(Options, ExitCodeTakesTheWorstOutcome)
{
    EXPECT_EQ(exitCode(0, false), 0);
    EXPECT_EQ(exitCode(1, false), 1);
    EXPECT_EQ(exitCode(1, true), 2);
    EXPECT_EQ(exitCode(0, true), 2);
}
