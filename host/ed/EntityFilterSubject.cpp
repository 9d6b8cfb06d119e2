#include "host/ed/EntityFilterSubject.h"

#include "host/ed/DrawingSelector.h"

#include <acdb/AcDbDxfFiler.h>
#include <acdb/AcDbEntity.h>
#include <acut/ResBuf.h>
#include <acge/AcGePoint2d.h>
#include <acge/AcGePoint3d.h>
#include <acge/AcGeVector3d.h>

namespace dh::ed {
namespace {

// Collects what an entity writes about itself, group by group.
class CollectingFiler : public AcDbDxfFiler {
public:
    explicit CollectingFiler(std::map<int, std::vector<FilterValue>>& fields) : m_fields(fields) {}

    FilerType filerType() const override { return FilerType::kEntityListFiler; }
    int dxfVersion() const override { return kR2000; }
    AcDbDatabase* database() const override { return nullptr; }
    bool isReading() const override { return false; }

    void writeString(int code, std::string_view utf8) override
    {
        FilterValue v;
        v.text = std::string(utf8);
        m_fields[code].push_back(v);
    }
    void writeInt8(int code, std::int8_t value) override { number(code, value, FilterValue::Kind::Integer); }
    void writeInt16(int code, std::int16_t value) override { number(code, value, FilterValue::Kind::Integer); }
    void writeInt32(int code, std::int32_t value) override { number(code, value, FilterValue::Kind::Integer); }
    void writeInt64(int code, std::int64_t value) override
    {
        number(code, static_cast<double>(value), FilterValue::Kind::Integer);
    }
    void writeBool(int code, bool value) override { number(code, value ? 1 : 0, FilterValue::Kind::Integer); }
    void writeDouble(int code, double value) override { number(code, value, FilterValue::Kind::Real); }
    void writeXY(int code, double x, double y) override { point(code, x, y, 0.0); }
    void writeXYZ(int code, double x, double y, double z) override { point(code, x, y, z); }
    void writePoint2d(int code, const AcGePoint2d& p) override { point(code, p.x, p.y, 0.0); }
    void writePoint3d(int code, const AcGePoint3d& p) override { point(code, p.x, p.y, p.z); }
    void writeVector3d(int code, const AcGeVector3d& v) override { point(code, v.x, v.y, v.z); }
    void writeObjectId(int code, const AcDbObjectId& id) override
    {
        if (!id.isNull())
            writeString(code, id.handle().toString());
    }
    void writeHandle(int code, const AcDbHandle& handle) override { writeString(code, handle.toString()); }
    void writeBinaryChunk(int, const void*, std::size_t) override {}
    void writeEmbeddedObjectStart() override {}

    bool readTag(AcDbDxfTag&) override { return false; }
    void pushBackItem() override {}
    bool atEOF() override { return true; }
    bool atSubclassData(const char*) override { return false; }
    bool atExtendedData() override { return false; }
    bool atEmbeddedObjectStart() override { return false; }
    bool objectIdForHandle(std::uint64_t, AcDbObjectId&) override { return false; }
    void reportError(std::string_view) override {}

private:
    void number(int code, double value, FilterValue::Kind kind)
    {
        FilterValue v;
        v.kind = kind;
        v.number = value;
        m_fields[code].push_back(v);
    }
    void point(int code, double x, double y, double z)
    {
        FilterValue v;
        v.kind = FilterValue::Kind::Point;
        v.point[0] = x;
        v.point[1] = y;
        v.point[2] = z;
        m_fields[code].push_back(v);
    }

    std::map<int, std::vector<FilterValue>>& m_fields;
};

}  // namespace

EntityFilterSubject::EntityFilterSubject(const AcDbEntity& entity, std::string layerName)
    : m_entity(entity), m_layerName(std::move(layerName))
{
}

std::vector<FilterValue> EntityFilterSubject::applicationNames() const
{
    std::vector<FilterValue> names;
    resbuf* chain = m_entity.xData(nullptr);
    for (const resbuf* rb = chain; rb != nullptr; rb = rb->rbnext) {
        if (rb->restype == 1001 && rb->resval.rstring != nullptr) {
            FilterValue name;
            name.text = rb->resval.rstring;
            names.push_back(std::move(name));
        }
    }
    acutRelRb(chain);
    return names;
}

std::vector<FilterValue> EntityFilterSubject::valuesOf(int groupCode) const
{
    FilterValue value;
    switch (groupCode) {
    case 0:
        value.text = entityTypeName(m_entity);
        return {value};
    case 8:
        value.text = m_layerName;
        return {value};
    case 62:
        value.kind = FilterValue::Kind::Integer;
        value.number = m_entity.color().isByLayer() ? 256 : m_entity.colorIndex();
        return {value};
    case 1001:
        return applicationNames();
    default:
        break;
    }
    if (!m_fields) {
        m_fields.emplace();
        CollectingFiler filer(*m_fields);
        m_entity.dxfOutFields(&filer);
    }
    const auto found = m_fields->find(groupCode);
    return found == m_fields->end() ? std::vector<FilterValue>{} : found->second;
}

}  // namespace dh::ed
