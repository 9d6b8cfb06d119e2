// ReaderContext: the state the sections of the reader share while one file is read.
#pragma once

#include "host/dxf/DocumentData.h"
#include "host/dxf/DxfReader.h"
#include "host/dxf/ObjectTags.h"
#include "host/dxf/TagStream.h"

#include "host/db/DatabaseAccess.h"

#include <unordered_map>

namespace dh::dxf {

struct ReaderContext {
    ReaderContext(AcDbDatabase& database, DocumentData& documentData, TagStream& tagStream,
                  ReadReport& readReport)
        : db(database), data(documentData), stream(tagStream), report(readReport)
    {
    }

    AcDbDatabase& db;
    DocumentData& data;
    TagStream& stream;
    ReadReport& report;
    int version = 1009;
    bool r12 = true;          // no subclass markers to expect
    std::uint64_t fileSeed = 0;
    // Learned per DXF type: the (subclass, code) pairs its class writes, so that the
    // comparison that finds unmodelled groups runs only for objects with new groups.
    std::unordered_map<std::string, std::vector<std::pair<std::string, int>>> written;
    // The same by code alone, for the quick test that most objects pass.
    std::unordered_map<std::string, std::vector<bool>> writtenCodes;
    int anonymousBlocks = 0;
    std::string_view fileData;   // the whole file, for the handle scan
    bool seedChecked = false;
    // Extended data of table records, applied once the APPID table is read.
    std::vector<std::pair<AcDbObjectId, Tags>> deferredXData;

    void fix(std::string code, std::uint64_t handle, std::string message)
    {
        report.fixed.push_back({std::move(code), handle, std::move(message)});
    }
    void unfixed(std::string code, std::uint64_t handle, std::string message)
    {
        report.unfixed.push_back({std::move(code), handle, std::move(message)});
    }
    [[noreturn]] void fail(std::size_t where, const std::string& reason) { stream.failAt(where, reason); }
};

// Before the reader makes objects with fresh handles: a file without $HANDSEED is scanned
// for its largest handle, so that fresh handles never take one the file uses later.
void ensureSeed(ReaderContext& ctx);
// Gives the table records their extended data (after the TABLES section).
void applyDeferredXData(ReaderContext& ctx);

// Sections; each starts after "0 SECTION / 2 NAME" and consumes "0 ENDSEC".
void readHeaderSection(ReaderContext& ctx);
void readClassesSection(ReaderContext& ctx);
void readTablesSection(ReaderContext& ctx);
void readBlocksSection(ReaderContext& ctx);
void readEntitiesSection(ReaderContext& ctx);
void readObjectsSection(ReaderContext& ctx);
void skipSection(ReaderContext& ctx);
// Settings of the header that need the tables ($CLAYER, …), after everything is read.
void applyHeaderSettings(ReaderContext& ctx);

// Adds an object under the file's handle when it is free, else under a fresh one (noted
// in the audit). The object is closed; nullptr id when it could not be added.
AcDbObjectId addWithFileHandle(ReaderContext& ctx, AcDbObject* object, std::uint64_t handle,
                               AcDbObjectId owner, const std::string& type);
// Records the groups the object did not model and its application data.
void keepUnmodelled(ReaderContext& ctx, AcDbObject* object, const ObjectTags& tags);
// Registers the applications of the extended data and gives the object its data.
void applyExtendedData(ReaderContext& ctx, AcDbObject* object, const ObjectTags& tags);

} // namespace dh::dxf
