// A host session with its transcript in a string, one new drawing and scripted answers for
// the input calls the test makes itself; it fails the test on a leak warning.
#pragma once

#include "host/ed/InputSource.h"
#include "host/ed/Session.h"

#include <acdb/AcDbBlockTableRecord.h>
#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbEntity.h>
#include <acdb/AcDbHostApplicationServices.h>
#include <acdb/AcDbSymbolTables.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace dh::toolkit::test {

class ToolkitSession : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_config = std::filesystem::temp_directory_path() /
                   ("toolkit-test-" + std::to_string(::getpid()));
        dh::ed::SessionOptions options;
        options.configHome = m_config.string();
        m_session = std::make_unique<dh::ed::Session>(options);
        m_session->setOutput(m_out);
        m_session->setErrorOutput(m_err);
        m_session->newDocument();
    }

    void TearDown() override
    {
        m_session.reset();
        EXPECT_EQ(m_out.str().find("; warning:"), std::string::npos) << m_out.str();
        std::error_code ignored;
        std::filesystem::remove_all(m_config, ignored);
    }

    void answer(std::vector<std::string> lines)
    {
        m_session->setInput(std::make_unique<dh::ed::LineQueueInput>("test", std::move(lines)));
    }
    std::string out() const { return m_out.str(); }
    void clearOutput() { m_out.str(""); }

    AcDbDatabase* db() { return acdbHostApplicationServices()->workingDatabase(); }

    // Appends the entity to model space and closes it.
    AcDbObjectId add(AcDbEntity* entity)
    {
        AcDbBlockTableRecord* space = nullptr;
        EXPECT_EQ(acdbOpenObject(space, db()->currentSpaceId(), AcDb::kForWrite), Acad::eOk);
        AcDbObjectId id;
        EXPECT_EQ(space->appendAcDbEntity(id, entity), Acad::eOk);
        entity->close();
        space->close();
        return id;
    }

    AcDbObjectId addLayer(const char* name)
    {
        AcDbLayerTable* layers = nullptr;
        EXPECT_EQ(db()->getSymbolTable(layers, AcDb::kForWrite), Acad::eOk);
        auto* record = new AcDbLayerTableRecord;
        record->setName(name);
        AcDbObjectId id;
        EXPECT_EQ(layers->add(id, record), Acad::eOk);
        record->close();
        layers->close();
        return id;
    }

    std::string handleOf(AcDbObjectId id)
    {
        char text[32] = {};
        id.handle().getIntoAsciiBuffer(text);
        return "#" + std::string(text);
    }

    std::filesystem::path m_config;
    std::ostringstream m_out;
    std::ostringstream m_err;
    std::unique_ptr<dh::ed::Session> m_session;
};

} // namespace dh::toolkit::test
