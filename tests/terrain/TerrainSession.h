// A host session with Terravue loaded and a new drawing with the layers CONT, SPOT, TXT and
// OTHER, for running the terrain commands from scripted answers; helpers that build and read
// back the drawing. A leak warning of the host fails the test.
#pragma once

#include "host/ed/InputSource.h"
#include "host/ed/Session.h"

#include <acdb/AcDb2dPolyline.h>
#include <acdb/AcDbAttribute.h>
#include <acdb/AcDbAttributeDefinition.h>
#include <acdb/AcDbBlockReference.h>
#include <acdb/AcDbBlockTableRecord.h>
#include <acdb/AcDbCircle.h>
#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbHostApplicationServices.h>
#include <acdb/AcDbLine.h>
#include <acdb/AcDbPoint.h>
#include <acdb/AcDbPolyline.h>
#include <acdb/AcDbSymbolTables.h>
#include <acdb/AcDbText.h>
#include <acdb/AcDbUtilities.h>
#include <aced/AcEdVariables.h>

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace dh::terrain::test {

inline std::string modulePath()
{
    const char* binary = std::getenv("DH_BINARY_DIR");
    return (std::filesystem::path(binary ? binary : ".") / "bin" / "Terravue.so").string();
}

inline size_t occurrences(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// What a test reads back of a live entity of model space.
struct Seen {
    std::string kind; // "circle", "point", "text", "lwpolyline", …
    AcGePoint3d at;
    double size = 0.0; // radius, elevation or text height
    std::string layer;
    int color = 0;
    std::string text;
};

class TerrainSession : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_config = std::filesystem::temp_directory_path() /
                   ("terrain-test-" + std::to_string(::getpid()));
        dh::ed::SessionOptions options;
        options.configHome = m_config.string();
        m_session = std::make_unique<dh::ed::Session>(options);
        m_session->setOutput(m_out);
        m_session->setErrorOutput(m_err);
        m_session->newDocument();
        m_session->runLine("(arxload \"" + modulePath() + "\")");
        m_module = dlopen(modulePath().c_str(), RTLD_NOW | RTLD_NOLOAD);
        ASSERT_NE(m_module, nullptr);
        m_out.str("");
        m_cont = addLayer("CONT");
        m_spot = addLayer("SPOT");
        m_labels = addLayer("TXT");
        m_other = addLayer("OTHER");
    }

    void TearDown() override
    {
        if (m_module)
            dlclose(m_module);
        m_session.reset();
        EXPECT_EQ(m_out.str().find("; warning:"), std::string::npos) << m_out.str();
        std::error_code ignored;
        std::filesystem::remove_all(m_config, ignored);
    }

    double setting(const char* name)
    {
        return reinterpret_cast<double (*)()>(dlsym(m_module, name))();
    }
    void setSetting(const char* name, double value)
    {
        reinterpret_cast<void (*)(double)>(dlsym(m_module, name))(value);
    }

    // Runs command with the answers in lines; the session's exit status.
    int runCommand(const std::string& command, std::vector<std::string> lines)
    {
        lines.insert(lines.begin(), command);
        m_session->setInput(std::make_unique<dh::ed::LineQueueInput>("test", std::move(lines)));
        return m_session->run();
    }
    std::string out() const { return m_out.str(); }

    AcDbDatabase* db() { return acdbHostApplicationServices()->workingDatabase(); }

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

    AcDbObjectId add(AcDbEntity* entity, AcDbObjectId layer, AcDbObjectId space = {})
    {
        entity->setLayer(layer);
        AcDbBlockTableRecord* block = nullptr;
        EXPECT_EQ(acdbOpenObject(block, space.isNull() ? db()->currentSpaceId() : space,
                                 AcDb::kForWrite),
                  Acad::eOk);
        AcDbObjectId id;
        EXPECT_EQ(block->appendAcDbEntity(id, entity), Acad::eOk);
        entity->close();
        block->close();
        return id;
    }

    AcDbObjectId contour(double elevation, AcDbObjectId layer)
    {
        auto* polyline = new AcDbPolyline;
        polyline->addVertexAt(0, AcGePoint2d(0, 0));
        polyline->addVertexAt(1, AcGePoint2d(10, 0), 0.25);
        polyline->addVertexAt(2, AcGePoint2d(10, 10));
        polyline->setElevation(elevation);
        return add(polyline, layer);
    }

    AcDbObjectId circle(const AcGePoint3d& at, AcDbObjectId layer, int color = 256)
    {
        auto* entity = new AcDbCircle(at, AcGeVector3d::kZAxis, 1.0);
        entity->setColorIndex(static_cast<Adesk::UInt16>(color));
        return add(entity, layer);
    }

    AcDbObjectId block(const char* name, std::vector<AcDbEntity*> entities)
    {
        AcDbBlockTable* table = nullptr;
        EXPECT_EQ(db()->getSymbolTable(table, AcDb::kForWrite), Acad::eOk);
        auto* record = new AcDbBlockTableRecord;
        record->setName(name);
        AcDbObjectId id;
        EXPECT_EQ(table->add(id, record), Acad::eOk);
        record->close();
        table->close();
        for (AcDbEntity* entity : entities)
            add(entity, db()->clayer(), id);
        return id;
    }

    AcDbObjectId insert(AcDbObjectId blockId, const AcGePoint3d& at, const char* attribute = nullptr)
    {
        auto* reference = new AcDbBlockReference(at, blockId);
        reference->setLayer(m_spot);
        reference->setColorIndex(5);
        AcDbBlockTableRecord* space = nullptr;
        EXPECT_EQ(acdbOpenObject(space, db()->currentSpaceId(), AcDb::kForWrite), Acad::eOk);
        AcDbObjectId id;
        EXPECT_EQ(space->appendAcDbEntity(id, reference), Acad::eOk);
        space->close();
        if (attribute) {
            auto* value = new AcDbAttribute(at + AcGeVector3d(1, 0, 0), attribute, "GC");
            value->setHeight(2.0);
            EXPECT_EQ(reference->appendAttribute(value), Acad::eOk);
            value->close();
        }
        reference->close();
        return id;
    }

    std::string handle(AcDbObjectId id)
    {
        char text[32] = {};
        id.handle().getIntoAsciiBuffer(text);
        return "#" + std::string(text);
    }

    bool isErased(AcDbObjectId id)
    {
        AcDbEntity* entity = nullptr;
        if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead, true) != Acad::eOk)
            return false;
        const bool erased = entity->isErased();
        entity->close();
        return erased;
    }

    std::string layerName(AcDbObjectId id)
    {
        AcDbLayerTableRecord* layer = nullptr;
        if (acdbOpenObject(layer, id, AcDb::kForRead) != Acad::eOk)
            return "?";
        std::string name = layer->getName();
        layer->close();
        return name;
    }

    bool isOff(AcDbObjectId id)
    {
        AcDbLayerTableRecord* layer = nullptr;
        EXPECT_EQ(acdbOpenObject(layer, id, AcDb::kForRead), Acad::eOk);
        const bool off = layer->isOff();
        layer->close();
        return off;
    }

    // The live entities of model space of one kind.
    std::vector<Seen> live(const std::string& kind)
    {
        std::vector<Seen> seen;
        AcDbBlockTableRecord* space = nullptr;
        EXPECT_EQ(acdbOpenObject(space, db()->currentSpaceId(), AcDb::kForRead), Acad::eOk);
        const std::vector<AcDbObjectId> ids = space->entityIds();
        space->close();
        for (AcDbObjectId id : ids) {
            AcDbEntity* entity = nullptr;
            if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk)
                continue;
            Seen s;
            s.layer = layerName(entity->layerId());
            s.color = entity->colorIndex();
            if (auto* c = AcDbCircle::cast(entity)) {
                s = {"circle", c->center(), c->radius(), s.layer, s.color, ""};
            } else if (AcDbText::cast(entity)) {
                auto* t = AcDbText::cast(entity);
                s = {"text", t->position(), t->height(), s.layer, s.color, t->textStringConst()};
            } else if (auto* p = AcDbPolyline::cast(entity)) {
                s = {"lwpolyline", AcGePoint3d(), p->elevation(), s.layer, s.color, ""};
            } else if (auto* p = AcDb2dPolyline::cast(entity)) {
                s = {"polyline", AcGePoint3d(), p->elevation(), s.layer, s.color, ""};
            } else if (auto* p = AcDbPoint::cast(entity)) {
                s = {"point", p->position(), 0.0, s.layer, s.color, ""};
            } else {
                s.kind = entity->isA()->name();
            }
            entity->close();
            if (s.kind == kind)
                seen.push_back(s);
        }
        return seen;
    }

    std::filesystem::path m_config;
    std::ostringstream m_out;
    std::ostringstream m_err;
    std::unique_ptr<dh::ed::Session> m_session;
    void* m_module = nullptr;
    AcDbObjectId m_cont;
    AcDbObjectId m_spot;
    AcDbObjectId m_labels;
    AcDbObjectId m_other;
};

} // namespace dh::terrain::test
