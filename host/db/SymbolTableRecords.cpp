#include <acdb/AcDbSymbolTableRecords.h>

#include "host/db/DatabaseAccess.h"
#include "host/db/ObjectStub.h"

#include <acdb/AcDbDxfFiler.h>

#include <cmath>
#include <numbers>

ACRX_DEFINE_MEMBERS(AcDbLayerTableRecord, AcDbSymbolTableRecord);
ACRX_DEFINE_MEMBERS(AcDbTextStyleTableRecord, AcDbSymbolTableRecord);
ACRX_DEFINE_MEMBERS(AcDbLinetypeTableRecord, AcDbSymbolTableRecord);
ACRX_DEFINE_MEMBERS(AcDbRegAppTableRecord, AcDbSymbolTableRecord);
ACRX_DEFINE_MEMBERS(AcDbUCSTableRecord, AcDbSymbolTableRecord);
ACRX_DEFINE_MEMBERS(AcDbAbstractViewTableRecord, AcDbSymbolTableRecord);
ACRX_DEFINE_MEMBERS(AcDbViewTableRecord, AcDbAbstractViewTableRecord);
ACRX_DEFINE_MEMBERS(AcDbViewportTableRecord, AcDbAbstractViewTableRecord);
ACRX_DEFINE_MEMBERS(AcDbDimStyleTableRecord, AcDbSymbolTableRecord);

namespace {

// Setters without a status leave the record unchanged when it is not open for write.
#define DH_SET_IF_WRITABLE(MEMBER, VALUE)                                                  \
    do {                                                                                   \
        if (assertWriteEnabled() == Acad::eOk)                                             \
            MEMBER = VALUE;                                                                \
    } while (0)

#define DH_SET_CHECKED(MEMBER, VALUE, VALID)                                               \
    do {                                                                                   \
        if (const Acad::ErrorStatus es = assertWriteEnabled(); es != Acad::eOk)            \
            return es;                                                                     \
        if (!(VALID))                                                                      \
            return Acad::eInvalidInput;                                                    \
        MEMBER = VALUE;                                                                    \
        return Acad::eOk;                                                                  \
    } while (0)

constexpr double kDegree = std::numbers::pi / 180.0;

const char* nameOrEmpty(AcDbObjectId id)
{
    auto* record = AcDbSymbolTableRecord::cast(dh::db::objectOf(id));
    return record ? record->getName() : "";
}

AcGePoint3d pointOf(const AcDbDxfTag& tag) { return {tag.xyz[0], tag.xyz[1], tag.xyz[2]}; }
AcGeVector3d vectorOf(const AcDbDxfTag& tag) { return {tag.xyz[0], tag.xyz[1], tag.xyz[2]}; }

} // namespace

// Layers ---------------------------------------------------------------------------------

void AcDbLayerTableRecord::setIsOff(bool off) { DH_SET_IF_WRITABLE(m_off, off); }
Acad::ErrorStatus AcDbLayerTableRecord::setIsFrozen(bool frozen) { DH_SET_CHECKED(m_frozen, frozen, true); }
void AcDbLayerTableRecord::setIsLocked(bool locked) { DH_SET_IF_WRITABLE(m_locked, locked); }
Acad::ErrorStatus AcDbLayerTableRecord::setIsPlottable(bool plottable)
{
    DH_SET_CHECKED(m_plottable, plottable, true);
}
void AcDbLayerTableRecord::setColor(const AcCmColor& color)
{
    // A layer has a colour of its own, never by layer or by block.
    if (!color.isByLayer() && !color.isByBlock())
        DH_SET_IF_WRITABLE(m_color, color);
}
void AcDbLayerTableRecord::setLinetypeObjectId(AcDbObjectId id) { DH_SET_IF_WRITABLE(m_linetypeId, id); }
Acad::ErrorStatus AcDbLayerTableRecord::setLineWeight(AcDb::LineWeight weight)
{
    DH_SET_CHECKED(m_lineWeight, weight, weight >= AcDb::kLnWtByLwDefault && weight <= AcDb::kLnWt211);
}

void AcDbLayerTableRecord::translateIds(const std::function<AcDbObjectId(AcDbObjectId)>& map)
{
    AcDbSymbolTableRecord::translateIds(map);
    m_linetypeId = map(m_linetypeId);
}

Adesk::Int16 AcDbLayerTableRecord::dxfFlags() const
{
    return static_cast<Adesk::Int16>((m_frozen ? 1 : 0) | (m_locked ? 4 : 0));
}

void AcDbLayerTableRecord::dxfOutRecordFields(AcDbDxfFiler* filer) const
{
    // An off layer is written with a negative colour.
    const int index = m_color.colorIndex();
    filer->writeInt16(62, static_cast<std::int16_t>(m_off ? -index : index));
    if (m_color.isByColor())
        filer->writeInt32(420, static_cast<std::int32_t>(m_color.rgb()));
    const char* ltype = nameOrEmpty(m_linetypeId);
    filer->writeString(6, *ltype ? ltype : "Continuous");
    if (!m_plottable)
        filer->writeBool(290, false);
    filer->writeInt16(370, static_cast<std::int16_t>(m_lineWeight));
}

bool AcDbLayerTableRecord::dxfInRecordField(const AcDbDxfTag& tag, AcDbDxfFiler* filer)
{
    switch (tag.code) {
    case 70:
        m_frozen = (tag.integer & 1) != 0;
        m_locked = (tag.integer & 4) != 0;
        return true;
    case 62:
        m_off = tag.integer < 0;
        m_color.setColorIndex(static_cast<Adesk::UInt16>(std::abs(tag.integer)));
        if (m_color.isByLayer() || m_color.isByBlock())
            m_color.setColorIndex(7);
        return true;
    case 420:
        m_color.setRGB(static_cast<Adesk::UInt8>(tag.integer >> 16), static_cast<Adesk::UInt8>(tag.integer >> 8),
                       static_cast<Adesk::UInt8>(tag.integer));
        return true;
    case 6:
        if (AcDbDatabase* db = filer->database())
            m_linetypeId = dh::db::DatabaseAccess::findRecord(*db, dh::db::TableKind::kLinetype, tag.text.c_str());
        return true;
    case 290:
        m_plottable = tag.integer != 0;
        return true;
    case 370:
        m_lineWeight = static_cast<AcDb::LineWeight>(tag.integer);
        return true;
    default:
        return false;
    }
}

// Text styles ----------------------------------------------------------------------------

Acad::ErrorStatus AcDbTextStyleTableRecord::fileName(const char*& name) const
{
    name = m_fileName.c_str();
    return Acad::eOk;
}
Acad::ErrorStatus AcDbTextStyleTableRecord::setFileName(const char* name)
{
    DH_SET_CHECKED(m_fileName, name, name != nullptr);
}
Acad::ErrorStatus AcDbTextStyleTableRecord::bigFontFileName(const char*& name) const
{
    name = m_bigFontFileName.c_str();
    return Acad::eOk;
}
Acad::ErrorStatus AcDbTextStyleTableRecord::setBigFontFileName(const char* name)
{
    DH_SET_CHECKED(m_bigFontFileName, name, name != nullptr);
}
Acad::ErrorStatus AcDbTextStyleTableRecord::setTextSize(double size) { DH_SET_CHECKED(m_textSize, size, size >= 0.0); }
Acad::ErrorStatus AcDbTextStyleTableRecord::setXScale(double factor) { DH_SET_CHECKED(m_xScale, factor, factor > 0.0); }
Acad::ErrorStatus AcDbTextStyleTableRecord::setObliquingAngle(double angle)
{
    DH_SET_CHECKED(m_obliquingAngle, angle, std::abs(angle) <= 85.0 * kDegree);
}
Acad::ErrorStatus AcDbTextStyleTableRecord::setPriorSize(double size) { DH_SET_CHECKED(m_priorSize, size, size > 0.0); }
void AcDbTextStyleTableRecord::setIsShapeFile(bool shapeFile) { DH_SET_IF_WRITABLE(m_shapeFile, shapeFile); }
void AcDbTextStyleTableRecord::setIsVertical(bool vertical) { DH_SET_IF_WRITABLE(m_vertical, vertical); }
void AcDbTextStyleTableRecord::setFlagBits(Adesk::UInt8 flags) { DH_SET_IF_WRITABLE(m_flagBits, flags); }

Adesk::Int16 AcDbTextStyleTableRecord::dxfFlags() const
{
    return static_cast<Adesk::Int16>((m_shapeFile ? 1 : 0) | (m_vertical ? 4 : 0));
}

void AcDbTextStyleTableRecord::dxfOutRecordFields(AcDbDxfFiler* filer) const
{
    filer->writeDouble(40, m_textSize);
    filer->writeDouble(41, m_xScale);
    filer->writeDouble(50, m_obliquingAngle / kDegree);
    filer->writeInt16(71, m_flagBits);
    filer->writeDouble(42, m_priorSize);
    filer->writeString(3, m_fileName);
    filer->writeString(4, m_bigFontFileName);
}

bool AcDbTextStyleTableRecord::dxfInRecordField(const AcDbDxfTag& tag, AcDbDxfFiler*)
{
    switch (tag.code) {
    case 70:
        m_shapeFile = (tag.integer & 1) != 0;
        m_vertical = (tag.integer & 4) != 0;
        return true;
    case 40: m_textSize = tag.real(); return true;
    case 41: m_xScale = tag.real() > 0.0 ? tag.real() : 1.0; return true;
    case 50: m_obliquingAngle = tag.real() * kDegree; return true;
    case 71: m_flagBits = static_cast<Adesk::UInt8>(tag.integer); return true;
    case 42: m_priorSize = tag.real(); return true;
    case 3: m_fileName = tag.text; return true;
    case 4: m_bigFontFileName = tag.text; return true;
    default: return false;
    }
}

// Linetypes ------------------------------------------------------------------------------

Acad::ErrorStatus AcDbLinetypeTableRecord::comments(const char*& text) const
{
    text = m_comments.c_str();
    return Acad::eOk;
}
Acad::ErrorStatus AcDbLinetypeTableRecord::setComments(const char* text)
{
    DH_SET_CHECKED(m_comments, text, text != nullptr);
}
void AcDbLinetypeTableRecord::setPatternLength(double length) { DH_SET_IF_WRITABLE(m_patternLength, length); }
void AcDbLinetypeTableRecord::setNumDashes(int count)
{
    if (count >= 0 && assertWriteEnabled() == Acad::eOk)
        m_dashes.resize(static_cast<std::size_t>(count), 0.0);
}
double AcDbLinetypeTableRecord::dashLengthAt(int index) const
{
    return index >= 0 && index < numDashes() ? m_dashes[static_cast<std::size_t>(index)] : 0.0;
}
void AcDbLinetypeTableRecord::setDashLengthAt(int index, double length)
{
    if (index >= 0 && index < numDashes() && assertWriteEnabled() == Acad::eOk)
        m_dashes[static_cast<std::size_t>(index)] = length;
}

Adesk::Int16 AcDbLinetypeTableRecord::dxfFlags() const { return 0; }

void AcDbLinetypeTableRecord::dxfOutRecordFields(AcDbDxfFiler* filer) const
{
    filer->writeString(3, m_comments);
    filer->writeInt16(72, 'A');
    filer->writeInt16(73, static_cast<std::int16_t>(m_dashes.size()));
    filer->writeDouble(40, m_patternLength);
    for (double dash : m_dashes) {
        filer->writeDouble(49, dash);
        filer->writeInt16(74, 0);
    }
}

bool AcDbLinetypeTableRecord::dxfInRecordField(const AcDbDxfTag& tag, AcDbDxfFiler*)
{
    switch (tag.code) {
    case 3: m_comments = tag.text; return true;
    case 40: m_patternLength = tag.real(); return true;
    case 49: m_dashes.push_back(tag.real()); return true;
    case 72: case 73: case 74: return true;
    default: return false;
    }
}

// User coordinate systems ----------------------------------------------------------------

void AcDbUCSTableRecord::setOrigin(const AcGePoint3d& origin) { DH_SET_IF_WRITABLE(m_origin, origin); }
void AcDbUCSTableRecord::setXAxis(const AcGeVector3d& axis) { DH_SET_IF_WRITABLE(m_xAxis, axis); }
void AcDbUCSTableRecord::setYAxis(const AcGeVector3d& axis) { DH_SET_IF_WRITABLE(m_yAxis, axis); }

Adesk::Int16 AcDbUCSTableRecord::dxfFlags() const { return 0; }

void AcDbUCSTableRecord::dxfOutRecordFields(AcDbDxfFiler* filer) const
{
    filer->writePoint3d(10, m_origin);
    filer->writeVector3d(11, m_xAxis);
    filer->writeVector3d(12, m_yAxis);
}

bool AcDbUCSTableRecord::dxfInRecordField(const AcDbDxfTag& tag, AcDbDxfFiler*)
{
    switch (tag.code) {
    case 10: m_origin = pointOf(tag); return true;
    case 11: m_xAxis = vectorOf(tag); return true;
    case 12: m_yAxis = vectorOf(tag); return true;
    default: return false;
    }
}

// Views and viewports --------------------------------------------------------------------

void AcDbAbstractViewTableRecord::setCenterPoint(const AcGePoint2d& center) { DH_SET_IF_WRITABLE(m_center, center); }
void AcDbAbstractViewTableRecord::setHeight(double height) { if (height > 0.0) DH_SET_IF_WRITABLE(m_height, height); }
void AcDbAbstractViewTableRecord::setWidth(double width) { if (width > 0.0) DH_SET_IF_WRITABLE(m_width, width); }
void AcDbAbstractViewTableRecord::setTarget(const AcGePoint3d& target) { DH_SET_IF_WRITABLE(m_target, target); }
void AcDbAbstractViewTableRecord::setViewDirection(const AcGeVector3d& direction)
{
    DH_SET_IF_WRITABLE(m_direction, direction);
}
void AcDbAbstractViewTableRecord::setViewTwist(double angle) { DH_SET_IF_WRITABLE(m_twist, angle); }

Adesk::Int16 AcDbAbstractViewTableRecord::dxfFlags() const { return 0; }

void AcDbAbstractViewTableRecord::dxfOutRecordFields(AcDbDxfFiler* filer) const
{
    if (isViewport()) {
        filer->writeXY(10, 0.0, 0.0);
        filer->writeXY(11, 1.0, 1.0);
        filer->writePoint2d(12, m_center);
        filer->writeXYZ(16, m_direction.x, m_direction.y, m_direction.z);
        filer->writeXYZ(17, m_target.x, m_target.y, m_target.z);
        filer->writeDouble(40, m_height);
        filer->writeDouble(41, m_height > 0.0 ? m_width / m_height : 1.0);
        filer->writeDouble(51, m_twist / kDegree);
    } else {
        filer->writeDouble(40, m_height);
        filer->writePoint2d(10, m_center);
        filer->writeDouble(41, m_width);
        filer->writeVector3d(11, m_direction);
        filer->writePoint3d(12, m_target);
        filer->writeDouble(50, m_twist / kDegree);
    }
}

bool AcDbAbstractViewTableRecord::dxfInRecordField(const AcDbDxfTag& tag, AcDbDxfFiler*)
{
    const bool vp = isViewport();
    switch (tag.code) {
    case 10: if (!vp) m_center.set(tag.xyz[0], tag.xyz[1]); return true;
    case 12: if (vp) m_center.set(tag.xyz[0], tag.xyz[1]); else m_target = pointOf(tag); return true;
    case 11: if (!vp) m_direction = vectorOf(tag); return true;
    case 16: if (vp) m_direction = vectorOf(tag); return true;
    case 17: if (vp) m_target = pointOf(tag); return true;
    case 40: m_height = tag.real(); if (vp) m_width = m_height * m_aspectRead; return true;
    case 41:
        if (vp) {
            m_aspectRead = tag.real();
            m_width = m_height * m_aspectRead;
        } else {
            m_width = tag.real();
        }
        return true;
    case 50: if (!vp) m_twist = tag.real() * kDegree; return true;
    case 51: if (vp) m_twist = tag.real() * kDegree; return true;
    default: return false;
    }
}

// Dimension styles -----------------------------------------------------------------------

Acad::ErrorStatus AcDbDimStyleTableRecord::setDimscale(double scale) { DH_SET_CHECKED(m_dimscale, scale, scale >= 0.0); }
Acad::ErrorStatus AcDbDimStyleTableRecord::setDimasz(double size) { DH_SET_CHECKED(m_dimasz, size, size >= 0.0); }
Acad::ErrorStatus AcDbDimStyleTableRecord::setDimtxt(double height) { DH_SET_CHECKED(m_dimtxt, height, height > 0.0); }
Acad::ErrorStatus AcDbDimStyleTableRecord::setDimtxsty(AcDbObjectId styleId) { DH_SET_CHECKED(m_dimtxsty, styleId, true); }

void AcDbDimStyleTableRecord::translateIds(const std::function<AcDbObjectId(AcDbObjectId)>& map)
{
    AcDbSymbolTableRecord::translateIds(map);
    m_dimtxsty = map(m_dimtxsty);
}

Adesk::Int16 AcDbDimStyleTableRecord::dxfFlags() const { return 0; }

void AcDbDimStyleTableRecord::dxfOutRecordFields(AcDbDxfFiler* filer) const
{
    filer->writeDouble(40, m_dimscale);
    filer->writeDouble(41, m_dimasz);
    filer->writeDouble(140, m_dimtxt);
    if (!m_dimtxsty.isNull())
        filer->writeObjectId(340, m_dimtxsty);
}

bool AcDbDimStyleTableRecord::dxfInRecordField(const AcDbDxfTag& tag, AcDbDxfFiler* filer)
{
    switch (tag.code) {
    case 40: m_dimscale = tag.real(); return true;
    case 41: m_dimasz = tag.real(); return true;
    case 140: m_dimtxt = tag.real(); return true;
    case 340: filer->objectIdForHandle(static_cast<std::uint64_t>(tag.integer), m_dimtxsty); return true;
    default: return false;
    }
}
