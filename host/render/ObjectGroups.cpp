#include "host/render/ObjectGroups.h"

#include <acdb/AcDbObject.h>
#include <acge/AcGePoint2d.h>
#include <acge/AcGePoint3d.h>
#include <acge/AcGeVector3d.h>

namespace dh::render {

namespace {

// A writing filer: every write becomes one group for the visitor; reading answers nothing.
class VisitingFiler : public AcDbDxfFiler {
public:
    VisitingFiler(AcDbDatabase* db, const GroupVisitor& visit) : m_db(db), m_visit(visit) {}

    FilerType filerType() const override { return FilerType::kFileFiler; }
    int dxfVersion() const override { return kR2018; }
    AcDbDatabase* database() const override { return m_db; }
    bool isReading() const override { return false; }

    void writeString(int code, std::string_view utf8) override
    {
        AcDbDxfTag tag = make(code, AcDbDxfTag::Kind::kString);
        tag.text.assign(utf8);
        m_visit(tag);
    }
    void writeInt8(int code, std::int8_t value) override { writeInt64(code, value); }
    void writeInt16(int code, std::int16_t value) override { writeInt64(code, value); }
    void writeInt32(int code, std::int32_t value) override { writeInt64(code, value); }
    void writeInt64(int code, std::int64_t value) override
    {
        AcDbDxfTag tag = make(code, AcDbDxfTag::Kind::kInt);
        tag.integer = value;
        m_visit(tag);
    }
    void writeBool(int code, bool value) override { writeInt64(code, value ? 1 : 0); }
    void writeDouble(int code, double value) override
    {
        AcDbDxfTag tag = make(code, AcDbDxfTag::Kind::kDouble);
        tag.xyz[0] = value;
        m_visit(tag);
    }
    void writeXY(int code, double x, double y) override { point(code, x, y, 0.0, false); }
    void writeXYZ(int code, double x, double y, double z) override { point(code, x, y, z, true); }
    void writePoint2d(int code, const AcGePoint2d& p) override { point(code, p.x, p.y, 0.0, false); }
    void writePoint3d(int code, const AcGePoint3d& p) override { point(code, p.x, p.y, p.z, true); }
    void writeVector3d(int code, const AcGeVector3d& v) override { point(code, v.x, v.y, v.z, true); }
    void writeObjectId(int code, const AcDbObjectId& id) override { handle(code, id.handle().value()); }
    void writeHandle(int code, const AcDbHandle& h) override { handle(code, h.value()); }
    void writeBinaryChunk(int code, const void* data, std::size_t size) override
    {
        AcDbDxfTag tag = make(code, AcDbDxfTag::Kind::kBinary);
        tag.text.assign(static_cast<const char*>(data), size);
        m_visit(tag);
    }
    void writeEmbeddedObjectStart() override { writeString(101, "Embedded Object"); }

    bool readTag(AcDbDxfTag&) override { return false; }
    void pushBackItem() override {}
    bool atEOF() override { return true; }
    bool atSubclassData(const char*) override { return false; }
    bool atExtendedData() override { return false; }
    bool atEmbeddedObjectStart() override { return false; }
    bool objectIdForHandle(std::uint64_t, AcDbObjectId&) override { return false; }
    void reportError(std::string_view) override {}

private:
    static AcDbDxfTag make(int code, AcDbDxfTag::Kind kind)
    {
        AcDbDxfTag tag;
        tag.code = code;
        tag.kind = kind;
        return tag;
    }
    void point(int code, double x, double y, double z, bool hasZ)
    {
        AcDbDxfTag tag = make(code, AcDbDxfTag::Kind::kPoint);
        tag.xyz[0] = x;
        tag.xyz[1] = y;
        tag.xyz[2] = z;
        tag.hasZ = hasZ;
        m_visit(tag);
    }
    void handle(int code, std::uint64_t value)
    {
        AcDbDxfTag tag = make(code, AcDbDxfTag::Kind::kHandle);
        tag.integer = static_cast<std::int64_t>(value);
        m_visit(tag);
    }

    AcDbDatabase* m_db;
    const GroupVisitor& m_visit;
};

}  // namespace

void forEachGroup(const AcDbObject& object, const GroupVisitor& visit)
{
    VisitingFiler filer(object.database(), visit);
    object.dxfOutFields(&filer);
}

std::vector<AcDbDxfTag> objectGroups(const AcDbObject& object)
{
    std::vector<AcDbDxfTag> groups;
    forEachGroup(object, [&](const AcDbDxfTag& tag) { groups.push_back(tag); });
    return groups;
}

}  // namespace dh::render
