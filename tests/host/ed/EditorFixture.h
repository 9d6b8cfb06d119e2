// A session with its transcript in memory, its environment in a temporary folder and the
// test module's folder as module folder; lines are fed through the program's own reader.
#pragma once

#include "host/ed/InputSource.h"
#include "host/ed/Session.h"

#include <acdb/AcDbBlockTableRecord.h>
#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbHostApplicationServices.h>
#include <acdb/AcDbLine.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace dh::ed::test {

inline std::string binaryDir()
{
    const char* dir = std::getenv("DH_BINARY_DIR");
    return dir ? dir : ".";
}

inline std::string testModulePath() { return binaryDir() + "/bin/EdTestModule.so"; }

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_config = std::filesystem::temp_directory_path() /
                   ("ed-test-" + std::to_string(::getpid()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_config);
    }

    void TearDown() override
    {
        m_session.reset();
        std::error_code ec;
        std::filesystem::remove_all(m_config, ec);
    }

    Session& start(bool quiet = false)
    {
        SessionOptions options;
        options.quiet = quiet;
        options.configHome = m_config.string();
        options.moduleDir = binaryDir() + "/bin";
        m_session = std::make_unique<Session>(options);
        m_session->setOutput(m_out);
        m_session->setErrorOutput(m_err);
        m_session->newDocument();
        return *m_session;
    }

    // Answers for the input calls a test makes itself.
    void answer(std::vector<std::string> lines)
    {
        m_session->setInput(std::make_unique<LineQueueInput>("test", std::move(lines)));
    }

    // Runs lines as a script; answers the exit status.
    int run(std::vector<std::string> lines)
    {
        answer(std::move(lines));
        return m_session->run();
    }

    std::string out() const { return m_out.str(); }
    std::string err() const { return m_err.str(); }
    void clearOutput()
    {
        m_out.str("");
        m_err.str("");
    }

    // A line in the active drawing's model space, closed; its id.
    AcDbObjectId addLine(double x1, double y1, double x2, double y2)
    {
        AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
        AcDbBlockTableRecord* space = nullptr;
        EXPECT_EQ(acdbOpenObject(space, db->currentSpaceId(), AcDb::kForWrite), Acad::eOk);
        auto* line = new AcDbLine(AcGePoint3d(x1, y1, 0), AcGePoint3d(x2, y2, 0));
        AcDbObjectId id;
        EXPECT_EQ(space->appendAcDbEntity(id, line), Acad::eOk);
        line->close();
        space->close();
        return id;
    }

    std::filesystem::path m_config;
    std::ostringstream m_out;
    std::ostringstream m_err;
    std::unique_ptr<Session> m_session;
};

}  // namespace dh::ed::test
