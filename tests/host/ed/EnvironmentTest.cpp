// Environment values: kept in <config>/drafthost/environment, surviving a new session,
// written whole (no temporary file left), and refused when a value would break the file.
#include "EditorFixture.h"

#include "host/ed/Environment.h"

#include <aced/AcEdVariables.h>

#include <fstream>

using dh::ed::Session;
using dh::ed::test::EditorTest;

using EnvironmentValues = EditorTest;

TEST_F(EnvironmentValues, SurviveANewSession)
{
    start();
    EXPECT_EQ(acedSetEnv("ACAD", "/a;/b;"), RTNORM);
    m_session.reset();
    start();
    char value[2048];
    EXPECT_EQ(acedGetEnv("acad", value), RTNORM);  // names are case-insensitive
    EXPECT_STREQ(value, "/a;/b;");
    std::ifstream file(m_config / "drafthost" / "environment");
    std::string line;
    std::getline(file, line);
    EXPECT_EQ(line, "ACAD=/a;/b;");
}

TEST_F(EnvironmentValues, RewritingLeavesNoTemporaryFile)
{
    start();
    EXPECT_EQ(acedSetEnv("A", "1"), RTNORM);
    EXPECT_EQ(acedSetEnv("B", "x=y"), RTNORM);  // "=" in a value is kept whole
    EXPECT_EQ(acedSetEnv("A", "2"), RTNORM);
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(m_config / "drafthost")) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 1);
    dh::ed::Environment reread(m_config.string());
    EXPECT_EQ(reread.get("A"), "2");
    EXPECT_EQ(reread.get("B"), "x=y");
}

TEST_F(EnvironmentValues, UnknownNamesAndSmallBuffersAreErrors)
{
    start();
    // The search path is never missing: before it is set it is the host's support folder.
    char path[2048];
    EXPECT_EQ(acedGetEnv("ACAD", path), RTNORM);
    EXPECT_EQ(std::string(path), (m_config / "drafthost" / "support").string());
    char value[4];
    EXPECT_EQ(acedGetEnv("NOTSET", value, sizeof value), RTERROR);
    EXPECT_EQ(acedSetEnv("LONG", "abcd"), RTNORM);
    EXPECT_EQ(acedGetEnv("LONG", value, sizeof value), RTERROR);  // no room for the NUL
    EXPECT_EQ(acedSetEnv("BAD", "two\nlines"), RTERROR);
    EXPECT_EQ(acedSetEnv("A=B", "x"), RTERROR);
}

TEST_F(EnvironmentValues, AFailedWriteKeepsTheOldValue)
{
    start();
    EXPECT_EQ(acedSetEnv("ACAD", "old"), RTNORM);
    // A folder where the file should be: the rename over it fails, even for root.
    std::filesystem::path file = m_config / "drafthost" / "environment";
    std::filesystem::remove(file);
    std::filesystem::create_directory(file);
    EXPECT_EQ(acedSetEnv("ACAD", "new"), RTERROR);
    char value[64];
    EXPECT_EQ(acedGetEnv("ACAD", value, sizeof value), RTNORM);
    EXPECT_STREQ(value, "old");
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(m_config / "drafthost")) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 1);  // the temporary file is gone
}

TEST_F(EnvironmentValues, LispReachesThemToo)
{
    start(true);
    EXPECT_EQ(run({"(setenv \"Path2\" \"c:/x\")", "(getenv \"PATH2\")", "(getenv \"none\")"}), 0);
    EXPECT_EQ(out(), "\"c:/x\"\n\"c:/x\"\nnil\n");
}
