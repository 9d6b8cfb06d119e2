// OutputFiler: the writing half of AcDbDxfFiler, reduced to five primitives (text,
// integer, real, handle, binary) that a sink implements: the DXF file writer, or a list
// of groups. Reading calls answer "nothing there".
#pragma once

#include <acdb/AcDbDxfFiler.h>

namespace dh::dxf {

class OutputFiler : public AcDbDxfFiler {
public:
    OutputFiler(AcDbDatabase* db, int version) : m_db(db), m_version(version) {}

    FilerType filerType() const override { return FilerType::kFileFiler; }
    int dxfVersion() const override { return m_version; }
    AcDbDatabase* database() const override { return m_db; }
    bool isReading() const override { return false; }

    void writeString(int code, std::string_view utf8) override { putString(code, utf8); }
    void writeInt8(int code, std::int8_t value) override { putInt(code, value); }
    void writeInt16(int code, std::int16_t value) override { putInt(code, value); }
    void writeInt32(int code, std::int32_t value) override { putInt(code, value); }
    void writeInt64(int code, std::int64_t value) override { putInt(code, value); }
    void writeBool(int code, bool value) override { putInt(code, value ? 1 : 0); }
    void writeDouble(int code, double value) override { putDouble(code, value); }
    void writeXY(int code, double x, double y) override;
    void writeXYZ(int code, double x, double y, double z) override;
    void writePoint2d(int code, const AcGePoint2d& point) override;
    void writePoint3d(int code, const AcGePoint3d& point) override;
    void writeVector3d(int code, const AcGeVector3d& vector) override;
    void writeObjectId(int code, const AcDbObjectId& id) override;
    void writeHandle(int code, const AcDbHandle& handle) override;
    void writeBinaryChunk(int code, const void* data, std::size_t size) override
    {
        putBinary(code, data, size);
    }
    void writeEmbeddedObjectStart() override { putString(101, "Embedded Object"); }

    bool readTag(AcDbDxfTag&) override { return false; }
    void pushBackItem() override {}
    bool atEOF() override { return true; }
    bool atSubclassData(const char*) override { return false; }
    bool atExtendedData() override { return false; }
    bool atEmbeddedObjectStart() override { return false; }
    bool objectIdForHandle(std::uint64_t, AcDbObjectId&) override { return false; }
    void reportError(std::string_view) override {}

    // Writes one group as read (any kind); points write their y (and z) groups.
    void writeTag(const AcDbDxfTag& tag);

protected:
    virtual void putString(int code, std::string_view utf8) = 0;
    virtual void putInt(int code, std::int64_t value) = 0;
    virtual void putDouble(int code, double value) = 0;
    virtual void putHandle(int code, std::uint64_t handle) = 0;
    virtual void putBinary(int code, const void* data, std::size_t size) = 0;

private:
    AcDbDatabase* m_db;
    int m_version;
};

} // namespace dh::dxf
