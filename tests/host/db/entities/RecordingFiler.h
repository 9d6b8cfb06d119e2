// A filer that keeps the groups an object writes and plays them back to another object:
// the DXF fields of an entity must read back into an equal entity. Subclass markers end
// a subclass for readTag, as in a file.
#pragma once

#include <acdb/AcDbDxfFiler.h>
#include <acdb/AcDbObjectId.h>
#include <acge/AcGePoint2d.h>
#include <acge/AcGePoint3d.h>
#include <acge/AcGeVector3d.h>

#include <string>
#include <vector>

class RecordingFiler : public AcDbDxfFiler {
public:
    explicit RecordingFiler(AcDbDatabase* db = nullptr) : m_db(db) {}

    const std::vector<AcDbDxfTag>& tags() const { return m_tags; }
    void rewind()
    {
        m_reading = true;
        m_pos = 0;
    }
    const std::vector<std::string>& errors() const { return m_errors; }
    // The values written under a code, as text (points as "x,y,z").
    std::vector<std::string> valuesOf(int code) const
    {
        std::vector<std::string> out;
        for (const AcDbDxfTag& t : m_tags) {
            if (t.code != code)
                continue;
            if (t.kind == AcDbDxfTag::Kind::kString)
                out.push_back(t.text);
            else if (t.kind == AcDbDxfTag::Kind::kPoint)
                out.push_back(std::to_string(t.xyz[0]) + "," + std::to_string(t.xyz[1]) + "," + std::to_string(t.xyz[2]));
            else if (t.kind == AcDbDxfTag::Kind::kDouble)
                out.push_back(std::to_string(t.xyz[0]));
            else
                out.push_back(std::to_string(t.integer));
        }
        return out;
    }

    FilerType filerType() const override { return FilerType::kFileFiler; }
    int dxfVersion() const override { return kR2000; }
    AcDbDatabase* database() const override { return m_db; }
    bool isReading() const override { return m_reading; }

    void writeString(int code, std::string_view utf8) override { push(code, AcDbDxfTag::Kind::kString).text = utf8; }
    void writeInt8(int code, std::int8_t v) override { push(code, AcDbDxfTag::Kind::kInt).integer = v; }
    void writeInt16(int code, std::int16_t v) override { push(code, AcDbDxfTag::Kind::kInt).integer = v; }
    void writeInt32(int code, std::int32_t v) override { push(code, AcDbDxfTag::Kind::kInt).integer = v; }
    void writeInt64(int code, std::int64_t v) override { push(code, AcDbDxfTag::Kind::kInt).integer = v; }
    void writeBool(int code, bool v) override { push(code, AcDbDxfTag::Kind::kInt).integer = v ? 1 : 0; }
    void writeDouble(int code, double v) override { push(code, AcDbDxfTag::Kind::kDouble).xyz[0] = v; }
    void writeXY(int code, double x, double y) override { point(code, x, y, 0.0, false); }
    void writeXYZ(int code, double x, double y, double z) override { point(code, x, y, z, true); }
    void writePoint2d(int code, const AcGePoint2d& p) override { point(code, p.x, p.y, 0.0, false); }
    void writePoint3d(int code, const AcGePoint3d& p) override { point(code, p.x, p.y, p.z, true); }
    void writeVector3d(int code, const AcGeVector3d& v) override { point(code, v.x, v.y, v.z, true); }
    void writeObjectId(int code, const AcDbObjectId&) override { push(code, AcDbDxfTag::Kind::kHandle); }
    void writeHandle(int code, const AcDbHandle&) override { push(code, AcDbDxfTag::Kind::kHandle); }
    void writeBinaryChunk(int code, const void*, std::size_t) override { push(code, AcDbDxfTag::Kind::kBinary); }
    void writeEmbeddedObjectStart() override { push(101, AcDbDxfTag::Kind::kString).text = "Embedded Object"; }

    bool readTag(AcDbDxfTag& tag) override
    {
        if (m_pos >= m_tags.size() || m_tags[m_pos].code == 100)
            return false;
        tag = m_tags[m_pos++];
        return true;
    }
    void pushBackItem() override
    {
        if (m_pos > 0)
            --m_pos;
    }
    bool atEOF() override { return m_pos >= m_tags.size(); }
    bool atSubclassData(const char* name) override
    {
        if (m_pos < m_tags.size() && m_tags[m_pos].code == 100 && m_tags[m_pos].text == name) {
            ++m_pos;
            return true;
        }
        return false;
    }
    bool atExtendedData() override { return false; }
    bool atEmbeddedObjectStart() override { return false; }
    bool objectIdForHandle(std::uint64_t, AcDbObjectId&) override { return false; }
    void reportError(std::string_view reason) override { m_errors.emplace_back(reason); }

private:
    AcDbDxfTag& push(int code, AcDbDxfTag::Kind kind)
    {
        AcDbDxfTag tag;
        tag.code = code;
        tag.kind = kind;
        m_tags.push_back(tag);
        return m_tags.back();
    }
    void point(int code, double x, double y, double z, bool hasZ)
    {
        AcDbDxfTag& t = push(code, AcDbDxfTag::Kind::kPoint);
        t.xyz[0] = x;
        t.xyz[1] = y;
        t.xyz[2] = z;
        t.hasZ = hasZ;
    }

    AcDbDatabase* m_db;
    std::vector<AcDbDxfTag> m_tags;
    std::vector<std::string> m_errors;
    size_t m_pos = 0;
    bool m_reading = false;
};
