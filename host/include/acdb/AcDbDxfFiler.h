// AcDbDxfFiler: the channel through which a database object writes and reads its own
// fields as DXF group codes. The same calls serve the DXF file codec and the entity lists
// of entget/entmod, so an object declares its group codes once.
//
// What the object sees: only its own fields, subclass by subclass, always in the modern
// layout with subclass markers (100). The codec itself handles the object's type (0),
// handle (5), application-data groups (102), owner (330) and extended data (1001…); a file
// without subclass markers (R12) is presented with the markers of the modern layout.
//
// Writing: one group per call. Points write their x, y (and z) groups from the x code
// (10 → 10/20/30, 1010 → 1010/1020/1030). Texts are UTF-8; the codec converts them.
//
// Reading, the pattern of every subclass:
//   if (!filer->atSubclassData("AcDbLine")) return Acad::eBadDxfSequence;
//   AcDbDxfTag tag;
//   while (filer->readTag(tag)) switch (tag.code) { case 10: ...; default: break; }
// readTag returns false at the end of the current subclass (the next tag is a subclass
// marker, extended data, or the object's end); atSubclassData consumes the next marker
// when it carries the name. Groups an object does not read are kept by the codec and
// written back at the end of their subclass, so an object simply ignores them.
// A filer never throws; a value the object cannot use is reported with reportError.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class AcDbDatabase;
class AcDbObjectId;
class AcDbHandle;
class AcGePoint2d;
class AcGePoint3d;
class AcGeVector3d;

// One group as read: its code and its value, already typed by the code's range.
// Coordinate groups arrive joined: code 10 carries x, y and, when the file has it, z.
struct AcDbDxfTag {
    enum class Kind { kString, kInt, kDouble, kPoint, kHandle, kBinary };

    int code = 0;
    Kind kind = Kind::kString;
    std::string text;        // kString: UTF-8 text; kBinary: the raw bytes
    std::int64_t integer = 0; // kInt (bool groups too) and kHandle (the handle's value)
    double xyz[3] = {0.0, 0.0, 0.0}; // kDouble: xyz[0]; kPoint: x, y, z (0 when absent)
    bool hasZ = false;       // kPoint: the file gave a z group

    double real() const { return xyz[0]; }
};

class AcDbDxfFiler {
public:
    enum class FilerType {
        kFileFiler,     // a DXF file, read or written
        kEntityListFiler, // entget/entmod result-buffer lists
    };
    // Values of dxfVersion(): the $ACADVER number of the file (AC1015 → 1015).
    static constexpr int kR12 = 1009, kR13 = 1012, kR14 = 1014, kR2000 = 1015,
                         kR2004 = 1018, kR2007 = 1021, kR2010 = 1024, kR2013 = 1027,
                         kR2018 = 1032;

    virtual ~AcDbDxfFiler() = default;

    virtual FilerType filerType() const = 0;
    virtual int dxfVersion() const = 0;
    virtual AcDbDatabase* database() const = 0;
    virtual bool isReading() const = 0;

    // Writing ---------------------------------------------------------------------------
    virtual void writeString(int code, std::string_view utf8) = 0;
    virtual void writeInt8(int code, std::int8_t value) = 0;
    virtual void writeInt16(int code, std::int16_t value) = 0;
    virtual void writeInt32(int code, std::int32_t value) = 0;
    virtual void writeInt64(int code, std::int64_t value) = 0;
    virtual void writeBool(int code, bool value) = 0; // 290-299: written as 0 or 1
    virtual void writeDouble(int code, double value) = 0;
    virtual void writeXY(int code, double x, double y) = 0;          // code, code+10
    virtual void writeXYZ(int code, double x, double y, double z) = 0; // code, +10, +20
    virtual void writePoint2d(int code, const AcGePoint2d& point) = 0;
    virtual void writePoint3d(int code, const AcGePoint3d& point) = 0;
    virtual void writeVector3d(int code, const AcGeVector3d& vector) = 0;
    // The object's handle in a file (hex; a null id as "0"), its name in entity lists.
    virtual void writeObjectId(int code, const AcDbObjectId& id) = 0;
    virtual void writeHandle(int code, const AcDbHandle& handle) = 0;
    // Up to 127 bytes per group in a file; longer data is split over several groups.
    virtual void writeBinaryChunk(int code, const void* data, std::size_t size) = 0;
    // Group 101 "Embedded Object": what follows belongs to an object embedded in this one.
    virtual void writeEmbeddedObjectStart() = 0;
    void writeSubclass(std::string_view name) { writeString(100, name); }

    // Reading ---------------------------------------------------------------------------
    // The next group of the current subclass; false at its end (nothing is consumed then).
    virtual bool readTag(AcDbDxfTag& tag) = 0;
    // The next readTag gives the last group again (one step back).
    virtual void pushBackItem() = 0;
    // No groups of the object are left (extended data excepted).
    virtual bool atEOF() = 0;
    // The next group is the subclass marker `name`; it is consumed when it is.
    virtual bool atSubclassData(const char* name) = 0;
    // The next group starts the extended data (1001).
    virtual bool atExtendedData() = 0;
    // The next group is 101 "Embedded Object"; it is consumed when it is.
    virtual bool atEmbeddedObjectStart() = 0;
    // The object id of a handle read from a group (handles may refer to objects read
    // later; the id stays valid). False for handle 0 or a handle that cannot be resolved.
    virtual bool objectIdForHandle(std::uint64_t handle, AcDbObjectId& id) = 0;
    // A value the object cannot use: the reader refuses the file with this reason and
    // the line of the last group read.
    virtual void reportError(std::string_view reason) = 0;
};
