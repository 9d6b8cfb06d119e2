// WriterContext: the state the sections of the writer share while one file is written.
#pragma once

#include "host/dxf/DocumentData.h"
#include "host/dxf/DxfWriter.h"
#include "host/dxf/TagWriter.h"
#include "host/dxf/WriteFiler.h"

#include <unordered_set>

namespace dh::dxf {

struct WriterContext {
    WriterContext(AcDbDatabase& database, DocumentData* documentData, int fileVersion,
                  TagWriter& writer, WriteReport& writeReport)
        : db(database), data(documentData), version(fileVersion), out(writer),
          filer(&database, fileVersion, writer), report(writeReport)
    {
    }

    AcDbDatabase& db;
    DocumentData* data; // null for a drawing that never met a file
    int version;
    TagWriter& out;
    WriteFiler filer;
    WriteReport& report;
    std::uint64_t nextHandle = 1;
    std::unordered_set<std::uint64_t> used;
    // Objects written when the drawing has none of its own (new drawings, R12 files).
    bool generateObjects = true;
    std::uint64_t rootDictionary = 0, groupDictionary = 0, layoutDictionary = 0;
    std::uint64_t modelLayout = 0, paperLayout = 0;

    std::uint64_t fresh()
    {
        while (used.count(nextHandle)) ++nextHandle;
        used.insert(nextHandle);
        return nextHandle++;
    }
    // The handle to write for an object: its own, or a fresh one if already written.
    std::uint64_t claim(std::uint64_t handle)
    {
        if (handle == 0 || !used.insert(handle).second) {
            if (handle != 0)
                report.warnings.push_back("handle " + std::to_string(handle) +
                                          " used twice; the second object renumbered");
            return fresh();
        }
        return handle;
    }
    const KeptTags* keptFor(AcDbObjectId id) const
    {
        if (!data) return nullptr;
        auto it = data->kept.find(id);
        return it == data->kept.end() ? nullptr : &it->second;
    }

    // "0 TYPE", handle, application data and owner; a table's name comes right after its
    // type, where readers look for it.
    void writeStart(const std::string& type, std::uint64_t handle, const KeptTags* kept,
                    std::uint64_t owner, int handleCode = 5, std::string_view tableName = {});
    // The object's fields through the filer (kept groups put back) and its extended data.
    void writeFields(const AcDbObject* object, const KeptTags* kept,
                     const std::vector<KeptGroup>* extra = nullptr);
};

void writeHeaderSection(WriterContext& ctx, TagWriter& header);
void writeClassesSection(WriterContext& ctx);
void writeTablesSection(WriterContext& ctx);
void writeBlocksSection(WriterContext& ctx);
void writeEntitiesSection(WriterContext& ctx);
void writeObjectsSection(WriterContext& ctx);
// Handles of the objects written when the drawing has none (before the tables).
void planObjects(WriterContext& ctx);
// The DXF type name of a database entity class ("AcDbLine" → "LINE").
std::string dxfTypeOf(const AcDbObject* object);

} // namespace dh::dxf
