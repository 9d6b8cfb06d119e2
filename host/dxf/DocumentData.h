// DocumentData: what the codec keeps with a drawing besides the database's own model —
// the file's version and code page, header variables and classes it does not write
// itself, the groups objects do not model (KeptTags), the OBJECTS section, and the
// handles of the BLOCK/ENDBLK records. It lives in the database as an object (so it dies
// with it) and is found through a registry keyed by the database.
#pragma once

#include "host/dxf/KeptTags.h"

#include <acdb/AcDbObject.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace dh::dxf {

struct HeaderVariable {
    std::string name; // "$ACADMAINTVER"
    Tags values;
};

struct BlockEnds {
    std::uint64_t beginHandle = 0;
    std::uint64_t endHandle = 0;
    int flags = 0;
    Tags beginKept; // groups of BLOCK beyond name, flags, base point, xref path
};

class DocumentData : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(DocumentData);

    DocumentData() = default;
    ~DocumentData() override;
    DocumentData(const DocumentData&) = delete;
    DocumentData& operator=(const DocumentData&) = delete;

    // The data of db, nullptr when it was never read from or written to a file.
    static DocumentData* find(const AcDbDatabase* db);
    // The data of db, added (with a fresh handle) when missing.
    static DocumentData* obtain(AcDbDatabase* db);
    // Adds data filled by a reader to db (with a fresh handle); nullptr on failure.
    static DocumentData* attach(AcDbDatabase* db, std::unique_ptr<DocumentData> data);

    int version = 0;                  // $ACADVER number of the file read, 0 for new drawings
    std::string codePage = "ANSI_936"; // written back for versions before R2007
    std::vector<HeaderVariable> header;
    std::vector<Tags> classes;
    std::unordered_map<AcDbObjectId, KeptTags> kept;
    std::vector<AcDbObjectId> objects; // the OBJECTS section in file order
    std::uint64_t rootDictionary = 0;
    // Objects a copy brought along that the root dictionary it lacks names (a drawing made
    // by wblock): entry name and object, written into the root dictionary the writer makes.
    std::vector<std::pair<std::string, AcDbObjectId>> rootEntries;
    std::unordered_map<AcDbObjectId, BlockEnds> blockEnds; // by block table record

private:
    void registerFor(AcDbDatabase* db);
    AcDbDatabase* m_registeredFor = nullptr;
};

} // namespace dh::dxf
