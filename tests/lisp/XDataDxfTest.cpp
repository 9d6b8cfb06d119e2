// Extended data written by Kelvane survives a save to DXF: checked with an independent
// reader (ezdxf) and by reading the file back in the host. Runs the drafthost program.
#include "tests/frame/ModuleHost.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string run(const std::string& command)
{
    int status = 0;
    return dh::test::ModuleHost::runCommand(command, status);
}

class XDataDxf : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "dh-xdata-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
        const char* binary = std::getenv("DH_BINARY_DIR");
        const char* source = std::getenv("DH_SOURCE_DIR");
        ASSERT_TRUE(binary && source);
        m_program = fs::path(binary) / "bin" / "drafthost";
        m_data = fs::path(source) / "tests" / "lisp" / "data";
        if (!fs::exists(m_program))
            GTEST_SKIP() << "drafthost is not built in this configuration";
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(m_dir, ignored);
    }
    // drafthost in quiet mode on a drawing, with its environment in the test folder.
    std::string drafthost(const fs::path& drawing, const std::string& options)
    {
        return run("XDG_CONFIG_HOME='" + m_dir.string() + "' '" + m_program.string() + "' '" +
                   drawing.string() + "' -q " + options + " 2>&1");
    }

    fs::path m_dir;
    fs::path m_program;
    fs::path m_data;
};

TEST_F(XDataDxf, SavedValuesReadBackInTheHostAndInAnotherReader)
{
    const fs::path saved = m_dir / "saved.dxf";
    const std::string written = drafthost(
        m_data / "one-line.dxf",
        "-e '(setq e (entlast))' -e '(Ent_setXData e \"KV_LONG\" 70000)' "
        "-e '(Ent_setXData e \"KV_TEXT\" \"高程\")' -e '(Ent_setXData e \"KV_PT\" (list 1.5 2.0 -3.0))' "
        "-o '" + saved.string() + "'");
    // The entity name, then T for each of the three writes.
    ASSERT_GE(written.size(), 6u) << written;
    EXPECT_EQ(written.substr(written.size() - 6), "T\nT\nT\n") << written;
    ASSERT_TRUE(fs::exists(saved)) << written;

    // ezdxf sees the values as stored: the 32-bit value whole, in group 1071, and the text
    // escaped, since the drawing's code page (1252) cannot hold it.
    const std::string checked = run(
        "/usr/bin/python3 -c \"import ezdxf,sys\n"
        "doc = ezdxf.readfile(sys.argv[1])\n"
        "line = doc.modelspace().query('LINE')[0]\n"
        "print('KV_LONG' in doc.appids, 'KV_TEXT' in doc.appids, 'KV_PT' in doc.appids)\n"
        "for app in ('KV_LONG', 'KV_TEXT', 'KV_PT'):\n"
        "    print(app, [(t.code, t.value) for t in line.get_xdata(app)])\n"
        "print(len(doc.audit().errors))\" '" + saved.string() + "' 2>&1");
    EXPECT_EQ(checked, "True True True\n"
                       "KV_LONG [(1071, 70000)]\n"
                       "KV_TEXT [(1000, '\\\\U+9AD8\\\\U+7A0B')]\n"
                       "KV_PT [(1010, (1.5, 2.0, -3.0))]\n"
                       "0\n");

    EXPECT_EQ(drafthost(saved, "-e '(Ent_getXData (entlast) \"\")'"),
              "((\"KV_LONG\" 4464) (\"KV_TEXT\" \"高程\") (\"KV_PT\" (1.5 2.0 -3.0)))\n");
}

} // namespace
