// Sys_SearchPath and Utl_ReleaseSS called from LISP in a host session with Kelvane loaded.
#include "tests/frame/ModuleHost.h"

#include <aced/AcEdVariables.h>

#include <gtest/gtest.h>

#include <fstream>

namespace {

class SystemFunctions : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_host.load("Kelvane")); }

    std::string searchPath()
    {
        char buffer[2048] = {};
        EXPECT_EQ(acedGetEnv("ACAD", buffer, sizeof buffer), RTNORM);
        return buffer;
    }
    std::string makeDir(const std::string& name)
    {
        const std::filesystem::path dir = m_host.tempDir() / name;
        std::filesystem::create_directories(dir);
        return dir.string();
    }
    static std::string lispText(const std::string& text) { return "\"" + text + "\""; }

    dh::test::ModuleHost m_host;
};

TEST_F(SystemFunctions, ListingKeepsAnEmptyFirstEntryOnly)
{
    // A fresh environment lists the host's support folder.
    const std::string fresh = m_host.eval("(Sys_SearchPath 1 nil)");
    EXPECT_EQ(fresh, "(" + lispText(searchPath()) + ")");
    EXPECT_NE(fresh.find("drafthost/support"), std::string::npos) << fresh;
    ASSERT_EQ(acedSetEnv("ACAD", "C:\\A;;C:\\B;"), RTNORM);
    EXPECT_EQ(m_host.eval("(Sys_SearchPath 1 nil)"), R"(("C:\\A" "C:\\B"))");
    ASSERT_EQ(acedSetEnv("ACAD", ";C:\\A"), RTNORM);
    EXPECT_EQ(m_host.eval("(Sys_SearchPath 1 nil)"), R"(("" "C:\\A"))");
    ASSERT_EQ(acedSetEnv("ACAD", "/one"), RTNORM);
    EXPECT_EQ(m_host.eval("(Sys_SearchPath 1 nil)"), R"(("/one"))");
}

TEST_F(SystemFunctions, ReplacingTakesExistingDirectoriesOnly)
{
    const std::string a = makeDir("a");
    const std::string b = makeDir("b b");
    makeDir("wild/sub");
    const std::string file = (m_host.tempDir() / "file.txt").string();
    std::ofstream(file) << "x";
    const std::string missing = (m_host.tempDir() / "missing").string();
    const std::string wildcard = (m_host.tempDir() / "wild" / "su*").string();

    const std::string printed = m_host.eval("(Sys_SearchPath 2 (list " + lispText(a) + " " +
                                            lispText(missing) + " " + lispText(file) + " " +
                                            lispText(b) + " " + lispText(wildcard) + "))");
    EXPECT_EQ(printed, "(" + lispText(a + ";") + " " + lispText(b + ";") + " " +
                           lispText(wildcard + ";") + ")");
    EXPECT_EQ(searchPath(), a + ";" + b + ";" + wildcard + ";");

    // Nothing that exists: the empty path is written all the same.
    EXPECT_EQ(m_host.eval("(Sys_SearchPath 2 (list " + lispText(missing) + "))"), "nil");
    EXPECT_EQ(searchPath(), "");
}

TEST_F(SystemFunctions, BadArgumentsFailWithoutTouchingThePath)
{
    ASSERT_EQ(acedSetEnv("ACAD", "/kept;"), RTNORM);
    const std::string dir = makeDir("d");
    const char* lines[] = {
        "(Sys_SearchPath 3 nil)",
        "(Sys_SearchPath 0 nil)",
        "(Sys_SearchPath 1 5)",
        "(Sys_SearchPath 1)",
        "(Sys_SearchPath 2 '())",
        "(Sys_SearchPath 2)",
        "(Sys_SearchPath 2 '(1 2 3 4))",
        "(Sys_SearchPath 1.0 nil)",
        "(Sys_SearchPath)",
    };
    for (const char* line : lines)
        EXPECT_NE(m_host.eval(line).find("; error:"), std::string::npos) << line;
    EXPECT_NE(m_host.eval("(Sys_SearchPath 2 (list " + lispText(dir) + " 5))").find("; error:"),
              std::string::npos);
    EXPECT_EQ(searchPath(), "/kept;");
}

TEST_F(SystemFunctions, ReleaseFreesASetOnce)
{
    m_host.addLine();
    m_host.eval("(setq ss (ssget \"X\"))");
    EXPECT_EQ(m_host.eval("(Utl_ReleaseSS ss)"), "T");
    EXPECT_EQ(m_host.eval("(Utl_ReleaseSS ss)"), "nil");
    EXPECT_EQ(m_host.eval("(Utl_ReleaseSS)"), "nil");
    EXPECT_EQ(m_host.eval("(Utl_ReleaseSS \"ss\")"), "nil");
}

} // namespace
