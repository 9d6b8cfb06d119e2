// UI_OptionMigrate called from LISP with the real module loaded, its dialog driven by
// input lines: in a host session here, and by drafthost running a script whose whole
// transcript is checked.
#include "tests/frame/ModuleHost.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include <sys/wait.h>

namespace {

class OptionMigrate : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_host.load("Kelvane")); }
    std::string call(const std::string& line, const std::vector<std::string>& dialogLines)
    {
        m_host.session().queueAnswers(dialogLines);
        return m_host.eval(line);
    }
    dh::test::ModuleHost m_host;
};

TEST_F(OptionMigrate, BadArgumentsFailWithoutADialog)
{
    for (const char* line : {
             R"((UI_OptionMigrate "t" "h" nil nil))",
             R"((UI_OptionMigrate "t" "h" '("a" 1) nil))",
             R"((UI_OptionMigrate "t" "h" '("a") '("b" ("c"))))",
             R"((UI_OptionMigrate "t" "h" '("a")))",
             R"((UI_OptionMigrate "t" "h" '("a") nil "x"))",
             R"((UI_OptionMigrate "t" '("a") nil))",
             R"((UI_OptionMigrate 1 "h" '("a") nil))",
             R"((UI_OptionMigrate))",
         })
        EXPECT_EQ(call(line, {"ok"}), "; error: function failed") << line;
}

TEST_F(OptionMigrate, ResultsAreTheRightListZeroOrNil)
{
    const std::string args = R"("选择" "提示" '("b" "a" "c") )";
    EXPECT_EQ(call("(UI_OptionMigrate " + args + "nil)", {"ok"}), "0");
    EXPECT_EQ(call("(UI_OptionMigrate " + args + "'(\"x\"))", {""}), R"(("x"))");
    EXPECT_EQ(call("(UI_OptionMigrate " + args + "nil)", {"focus left", "select c a", "click 101", "ok"}),
              R"(("a" "c"))");
    EXPECT_EQ(call("(UI_OptionMigrate " + args + "'(\"x\"))", {"cancel"}), "nil");
    EXPECT_EQ(call("(UI_OptionMigrate " + args + "'(\"x\"))", {"^C"}), "nil");
    EXPECT_EQ(call(R"((UI_OptionMigrate "t" "h" '("高程点" "a b") nil))",
                   {"focus left", R"(select "a b" 高程点)", "click 101", "ok"}),
              R"(("a b" "高程点"))");
    EXPECT_EQ(m_host.session().exitStatus(), dh::ed::kExitOk);
}

TEST_F(OptionMigrate, RefusedLinesAreAskedAgainAndTheEndOfInputCancels)
{
    const std::string line = R"((UI_OptionMigrate "t" "h" '("a" "b") '("x")))";
    EXPECT_EQ(call(line, {"select a", "focus middle", "click 104", "click 3", "drag 0 1", "jump",
                          "focus right", "select x y", "select z", "focus left", "select b b", "ok"}),
              R"(("x"))");
    EXPECT_EQ(m_host.session().exitStatus(), dh::ed::kExitOk);
    EXPECT_EQ(call(line, {"focus left"}), "nil");
    EXPECT_EQ(m_host.session().exitStatus(), dh::ed::kExitFailed);
}

std::string readFile(const std::string& path);

TEST_F(OptionMigrate, GrabSavesAPictureOfTheDialog)
{
    const std::string picture = (m_host.tempDir() / "dialog.png").string();
    EXPECT_EQ(call(R"((UI_OptionMigrate "选择" "提示" '("a") nil))",
                   {"grab " + picture, "grab /no/such/folder/dialog.png", "ok"}),
              "0");
    EXPECT_EQ(readFile(picture).substr(0, 4), "\x89PNG");
    EXPECT_EQ(m_host.session().exitStatus(), dh::ed::kExitOk);
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The script works every case of the dialog; the expected transcript shows what the
// dialog must hold after each line.
TEST(OptionMigrateScript, DrafthostTranscriptShowsTheDialogAfterEveryLine)
{
    const char* source = std::getenv("DH_SOURCE_DIR");
    const char* binary = std::getenv("DH_BINARY_DIR");
    ASSERT_TRUE(source && binary);
    const std::string data = std::string(source) + "/tests/lisp/data/";
    int status = 0;
    const std::string out = dh::test::ModuleHost::runCommand(
        "cd " + data + " && env -u DISPLAY -u WAYLAND_DISPLAY " + binary +
            "/bin/drafthost -s option-migrate.scr 2>&1",
        status);
    // The last call's arguments are refused on purpose.
    EXPECT_EQ(WEXITSTATUS(status), 1) << out;
    const std::string expected = readFile(data + "option-migrate.transcript");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(out, expected);
}

} // namespace
