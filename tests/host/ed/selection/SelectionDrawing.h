// A session with one new drawing and helpers that build entities and layers in it, for
// the selection tests that need a database and a view.
#pragma once

#include "host/ed/Document.h"
#include "host/ed/InputSource.h"
#include "host/ed/SelectionSets.h"
#include "host/ed/Session.h"
#include "host/ed/SystemVariables.h"

#include <aced/AcEdSelection.h>
#include <acdb/AcDbArc.h>
#include <acdb/AcDbBlockTableRecord.h>
#include <acdb/AcDbCircle.h>
#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbLine.h>
#include <acdb/AcDbPolyline.h>
#include <acdb/AcDbSymbolTableRecords.h>
#include <acdb/AcDbSymbolTables.h>
#include <acdb/AcDbUtilities.h>
#include <acge/AcGePoint2d.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace dh::ed::testing {

struct Vertex {
    double x = 0.0;
    double y = 0.0;
    double bulge = 0.0;
};

class SelectionDrawing : public ::testing::Test {
protected:
    void SetUp() override
    {
        SelectionSets::instance().clear();
        SessionOptions options;
        // Nothing here writes the environment; keep it away from the user's all the same.
        options.configHome = (std::filesystem::temp_directory_path() / "ed-selection-tests").string();
        m_session = std::make_unique<Session>(options);
        m_session->setOutput(m_out);
        m_session->setErrorOutput(m_err);
        m_document = &m_session->newDocument();
        // Shows x -38.9 .. 138.9, y 0 .. 100; a pixel is 1/9 unit, the pick box 1/3.
        view().centre = {50.0, 50.0, 0.0};
        view().height = 100.0;
    }
    void TearDown() override
    {
        m_session.reset();
        SelectionSets::instance().clear();
    }

    Session& session() { return *m_session; }
    View& view() { return m_document->view(); }
    AcDbDatabase& db() { return *m_document->database(); }
    std::string transcript() const { return m_out.str(); }

    void answers(std::vector<std::string> lines)
    {
        m_session->setInput(std::make_unique<LineQueueInput>("test", std::move(lines)));
    }

    void addLayer(const char* name, bool off = false, bool frozen = false, bool locked = false)
    {
        AcDbLayerTable* table = nullptr;
        ASSERT_EQ(db().getLayerTable(table, AcDb::kForWrite), Acad::eOk);
        auto* layer = new AcDbLayerTableRecord;
        layer->setName(name);
        layer->setIsOff(off);
        layer->setIsFrozen(frozen);
        layer->setIsLocked(locked);
        ASSERT_EQ(table->add(layer), Acad::eOk);
        layer->close();
        table->close();
    }

    AcDbObjectId append(AcDbEntity* entity, const char* layer = "0")
    {
        AcDbBlockTableRecord* space = nullptr;
        EXPECT_EQ(acdbOpenObject(space, db().currentSpaceId(), AcDb::kForWrite), Acad::eOk);
        entity->setDatabaseDefaults(&db());
        EXPECT_EQ(entity->setLayer(layer), Acad::eOk);
        AcDbObjectId id;
        EXPECT_EQ(space->appendAcDbEntity(id, entity), Acad::eOk);
        entity->close();
        space->close();
        return id;
    }
    AcDbObjectId line(double x1, double y1, double x2, double y2, const char* layer = "0")
    {
        return append(new AcDbLine({x1, y1, 0.0}, {x2, y2, 0.0}), layer);
    }
    AcDbObjectId arc(double cx, double cy, double r, double start, double end, const char* layer = "0")
    {
        return append(new AcDbArc({cx, cy, 0.0}, r, start, end), layer);
    }
    AcDbObjectId circle(double cx, double cy, double r, const char* layer = "0")
    {
        return append(new AcDbCircle({cx, cy, 0.0}, {0.0, 0.0, 1.0}, r), layer);
    }
    AcDbObjectId polyline(const std::vector<Vertex>& vertices, bool closed = false, const char* layer = "0")
    {
        auto* pl = new AcDbPolyline;
        for (unsigned i = 0; i < vertices.size(); ++i)
            pl->addVertexAt(i, AcGePoint2d(vertices[i].x, vertices[i].y), vertices[i].bulge);
        pl->setClosed(closed);
        return append(pl, layer);
    }

    // The ids of a set, which is freed.
    static std::vector<AcDbObjectId> takeSet(const ads_name ss)
    {
        std::vector<AcDbObjectId> ids;
        std::int32_t n = 0;
        EXPECT_EQ(acedSSLength(ss, &n), RTNORM);
        for (std::int32_t i = 0; i < n; ++i) {
            ads_name member;
            EXPECT_EQ(acedSSName(ss, i, member), RTNORM);
            AcDbObjectId id;
            EXPECT_EQ(acdbGetObjectId(id, member), Acad::eOk);
            ids.push_back(id);
        }
        EXPECT_EQ(acedSSFree(ss), RTNORM);
        return ids;
    }
    // acedSSGet into ids; the status is returned and no set is left alive.
    int select(const char* mode, const void* pt1, const void* pt2, const resbuf* filter,
               std::vector<AcDbObjectId>& ids)
    {
        ads_name ss;
        const int status = acedSSGet(mode, pt1, pt2, filter, ss);
        ids = status == RTNORM ? takeSet(ss) : std::vector<AcDbObjectId>{};
        return status;
    }
    int errnoValue() { return m_session->variables().getInt("ERRNO", -1); }

    bool isErased(AcDbObjectId id) { return id.isErased(); }

private:
    std::ostringstream m_out;
    std::ostringstream m_err;
    std::unique_ptr<Session> m_session;
    Document* m_document = nullptr;
};

// Set comparison without regard to order.
inline ::testing::AssertionResult sameIds(std::vector<AcDbObjectId> actual, std::vector<AcDbObjectId> expected)
{
    std::sort(actual.begin(), actual.end());
    std::sort(expected.begin(), expected.end());
    if (actual == expected)
        return ::testing::AssertionSuccess();
    auto list = [](const std::vector<AcDbObjectId>& ids) {
        std::string text;
        for (const AcDbObjectId& id : ids)
            text += " " + id.handle().toString();
        return text.empty() ? std::string(" (none)") : text;
    };
    return ::testing::AssertionFailure() << "selected" << list(actual) << ", expected" << list(expected);
}

}  // namespace dh::ed::testing
