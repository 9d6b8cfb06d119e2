// drafthost end to end: run as a process with a temporary configuration folder, its
// standard output, standard error and exit status checked.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

std::string quote(const std::string& text)
{
    std::string q = "'";
    for (char c : text) {
        if (c == '\'')
            q += "'\\''";
        else
            q += c;
    }
    return q + "'";
}

class Program : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* bin = std::getenv("DH_BINARY_DIR");
        m_program = std::string(bin ? bin : ".") + "/bin/drafthost";
        m_dir = std::filesystem::temp_directory_path() /
                ("drafthost-test-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override
    {
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }

    // Runs drafthost with args (already quoted) and standard input from stdinText.
    Result run(const std::string& args, const std::string& stdinText = "")
    {
        std::string in = (m_dir / "stdin.txt").string();
        std::ofstream(in) << stdinText;
        std::string out = (m_dir / "out.txt").string();
        std::string err = (m_dir / "err.txt").string();
        std::string cmd = "XDG_CONFIG_HOME=" + quote((m_dir / "config").string()) + " " +
                          quote(m_program) + " --no-modules " + args + " <" + quote(in) + " >" +
                          quote(out) + " 2>" + quote(err);
        int raw = std::system(cmd.c_str());
        Result r;
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = slurp(out);
        r.err = slurp(err);
        return r;
    }

    static std::string slurp(const std::string& path)
    {
        std::ifstream f(path);
        return std::string(std::istreambuf_iterator<char>(f), {});
    }

    std::string m_program;
    std::filesystem::path m_dir;
};

}  // namespace

TEST_F(Program, QuietEvalLinesPrintTheirResults)
{
    Result r = run("-q -e '(setq a (list 1 2.5 \"x\"))' -e '(cadr a)' -e '(+ 1 2)'");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "(1 2.5 \"x\")\n2.5\n3\n");
    EXPECT_EQ(r.err, "");
}

TEST_F(Program, LispErrorExitsOneAfterTheBatch)
{
    Result r = run("-q -e '(car 1)' -e '(+ 1 1)'");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out.substr(0, 9), "; error: ");
    EXPECT_NE(r.out.find("\n2\n"), std::string::npos);  // the batch went on
    EXPECT_NE(r.err.find("-e:1: "), std::string::npos) << r.err;
}

TEST_F(Program, ScriptFromStandardInputAndFile)
{
    std::ofstream(m_dir / "a.scr") << "; comment\n(setq x 5)\r\n\n(* x 2)\n";
    Result r = run("-q -s " + quote((m_dir / "a.scr").string()) + " -s - -e '(+ x 1)'", "(- x 1)\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "5\n10\n4\n6\n");
}

TEST_F(Program, NormalModeTranscript)
{
    Result r = run("-e '(+ 1 2)' -e 'NOSUCH'");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Command: (+ 1 2)\n3\nCommand: NOSUCH\nUnknown command \"NOSUCH\".  Press F1 "
                     "for help.\n");
    EXPECT_EQ(r.err, "-e:2: unknown command NOSUCH\n");
}

TEST_F(Program, BadOptionsAndUnreadableFilesExitTwo)
{
    Result r = run("--frobnicate");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("unknown option '--frobnicate'"), std::string::npos);
    r = run(quote((m_dir / "missing.dxf").string()) + " -e '(+ 1 1)'");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("missing.dxf"), std::string::npos);
    r = run("-s " + quote((m_dir / "missing.scr").string()));
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("missing.scr: cannot open the script"), std::string::npos);
    r = run("--load /nonexistent/Mod.so -e '(+ 1 1)'");
    EXPECT_EQ(r.status, 2);
}

TEST_F(Program, EnvironmentSurvivesARestart)
{
    Result r = run("-q -e '(setenv \"ACAD\" \"/x;/y;\")'");
    EXPECT_EQ(r.status, 0) << r.err;
    r = run("-q -e '(getenv \"ACAD\")'");
    EXPECT_EQ(r.out, "\"/x;/y;\"\n");
    EXPECT_TRUE(std::filesystem::exists(m_dir / "config" / "drafthost" / "environment"));
}

TEST_F(Program, EndOfInputAtAPromptFails)
{
    // The test module's ASKALL asks for a point first; the input ends while it waits.
    const char* bin = std::getenv("DH_BINARY_DIR");
    std::string module = std::string(bin ? bin : ".") + "/bin/EdTestModule.so";
    Result r = run("-q --load " + quote(module) + " -e ASKALL");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("the input ended while a prompt waited: Base point:"), std::string::npos) << r.err;
}

TEST_F(Program, HelpAndVersion)
{
    Result r = run("--help");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("--dxf-version"), std::string::npos);
    r = run("--version");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("drafthost"), std::string::npos);
}
