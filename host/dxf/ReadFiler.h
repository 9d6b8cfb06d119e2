// ReadFiler: hands the body of one object as read (ObjectTags) to the object's dxfInFields,
// subclass by subclass. Handles resolve to ids through the database, forward references
// included. An error the object reports is kept with the line of the group last read.
#pragma once

#include "host/dxf/ObjectTags.h"

#include <acdb/AcDbDxfFiler.h>

#include <optional>
#include <string>

namespace dh::dxf {

class ReadFiler : public AcDbDxfFiler {
public:
    ReadFiler(AcDbDatabase* db, int version, const ObjectTags& object)
        : m_db(db), m_version(version), m_object(object)
    {
    }

    FilerType filerType() const override { return FilerType::kFileFiler; }
    int dxfVersion() const override { return m_version; }
    AcDbDatabase* database() const override { return m_db; }
    bool isReading() const override { return true; }

    void writeString(int, std::string_view) override {}
    void writeInt8(int, std::int8_t) override {}
    void writeInt16(int, std::int16_t) override {}
    void writeInt32(int, std::int32_t) override {}
    void writeInt64(int, std::int64_t) override {}
    void writeBool(int, bool) override {}
    void writeDouble(int, double) override {}
    void writeXY(int, double, double) override {}
    void writeXYZ(int, double, double, double) override {}
    void writePoint2d(int, const AcGePoint2d&) override {}
    void writePoint3d(int, const AcGePoint3d&) override {}
    void writeVector3d(int, const AcGeVector3d&) override {}
    void writeObjectId(int, const AcDbObjectId&) override {}
    void writeHandle(int, const AcDbHandle&) override {}
    void writeBinaryChunk(int, const void*, std::size_t) override {}
    void writeEmbeddedObjectStart() override {}

    bool readTag(AcDbDxfTag& tag) override;
    void pushBackItem() override;
    bool atEOF() override { return m_pos >= m_object.body.size(); }
    bool atSubclassData(const char* name) override;
    bool atExtendedData() override { return atEOF() && !m_object.xdata.empty(); }
    bool atEmbeddedObjectStart() override;
    bool objectIdForHandle(std::uint64_t handle, AcDbObjectId& id) override;
    void reportError(std::string_view reason) override;

    // The groups from the current position to the end (for objects kept as groups).
    Tags takeRest();
    const std::optional<std::string>& error() const { return m_error; }
    std::size_t errorLine() const { return m_errorLine; }

private:
    AcDbDatabase* m_db;
    int m_version;
    const ObjectTags& m_object;
    std::size_t m_pos = 0;
    std::size_t m_last = 0;
    std::optional<std::string> m_error;
    std::size_t m_errorLine = 0;
};

} // namespace dh::dxf
