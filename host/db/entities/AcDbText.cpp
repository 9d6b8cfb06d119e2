#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbText.h>

#include "host/db/DatabaseAccess.h"
#include "host/db/entities/CurveMath.h"
#include "host/db/entities/DxfFields.h"
#include "host/db/entities/EntityCurves.h"
#include "host/db/entities/TextMetric.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <numbers>

ACRX_DEFINE_MEMBERS(AcDbText, AcDbEntity)

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

// The text's baseline direction and up direction in the world.
void textAxes(const AcGeVector3d& normal, double rotation, bool mirroredX, AcGeVector3d& dir, AcGeVector3d& up)
{
    AcGeVector3d x, y;
    dh::db::ecsAxes(normal, x, y);
    dir = x * std::cos(rotation) + y * std::sin(rotation);
    up = y * std::cos(rotation) - x * std::sin(rotation);
    if (mirroredX)
        dir = -dir;
}

} // namespace

AcDbText::AcDbText(const AcGePoint3d& position, const char* text, AcDbObjectId style, double height, double rotation)
    : m_position(position), m_alignmentPoint(position), m_height(height), m_rotation(rotation),
      m_text(text ? text : ""), m_style(style)
{
}

#define DH_TEXT_SETTER(NAME, FIELD, TYPE)                                                            \
    Acad::ErrorStatus AcDbText::NAME(TYPE value)                                                     \
    {                                                                                                \
        Acad::ErrorStatus es = assertWriteEnabled();                                                 \
        if (es == Acad::eOk)                                                                         \
            FIELD = value;                                                                           \
        return es;                                                                                   \
    }
DH_TEXT_SETTER(setPosition, m_position, const AcGePoint3d&)
DH_TEXT_SETTER(setAlignmentPoint, m_alignmentPoint, const AcGePoint3d&)
DH_TEXT_SETTER(setThickness, m_thickness, double)
DH_TEXT_SETTER(setOblique, m_oblique, double)
DH_TEXT_SETTER(setRotation, m_rotation, double)
DH_TEXT_SETTER(setTextStyle, m_style, AcDbObjectId)
DH_TEXT_SETTER(setHorizontalMode, m_horzMode, AcDb::TextHorzMode)
DH_TEXT_SETTER(setVerticalMode, m_vertMode, AcDb::TextVertMode)
#undef DH_TEXT_SETTER

Acad::ErrorStatus AcDbText::setNormal(const AcGeVector3d& normal)
{
    if (normal.isZeroLength())
        return Acad::eInvalidInput;
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_normal = normal.normal();
    return es;
}

Acad::ErrorStatus AcDbText::setHeight(double height)
{
    if (!(height > 0.0))
        return Acad::eInvalidInput;
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_height = height;
    return es;
}

Acad::ErrorStatus AcDbText::setWidthFactor(double factor)
{
    if (!(factor > 0.0))
        return Acad::eInvalidInput;
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_widthFactor = factor;
    return es;
}

Acad::ErrorStatus AcDbText::mirrorInX(bool mirror)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_generation = mirror ? (m_generation | 2) : (m_generation & ~2);
    return es;
}

Acad::ErrorStatus AcDbText::mirrorInY(bool mirror)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_generation = mirror ? (m_generation | 4) : (m_generation & ~4);
    return es;
}

char* AcDbText::textString() const
{
    char* copy = static_cast<char*>(std::malloc(m_text.size() + 1));
    if (copy)
        std::memcpy(copy, m_text.c_str(), m_text.size() + 1);
    return copy;
}

Acad::ErrorStatus AcDbText::setTextString(const char* text)
{
    if (!text)
        return Acad::eInvalidInput;
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_text = text;
    return es;
}

Acad::ErrorStatus AcDbText::subAddedToDatabase(AcDbDatabase* db)
{
    if (m_height <= 0.0)
        m_height = db->textsize();
    if (m_style.isNull())
        m_style = db->textstyle();
    return Acad::eOk;
}

double AcDbText::textWidth() const
{
    return dh::db::textWidthFactor(m_text) * m_height * m_widthFactor;
}

Acad::ErrorStatus AcDbText::adjustAlignment(AcDbDatabase*)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es != Acad::eOk || isDefaultAlignment())
        return es;
    AcGeVector3d dir, up;
    const double factor = dh::db::textWidthFactor(m_text);
    if (m_horzMode == AcDb::kTextAlign || m_horzMode == AcDb::kTextFit) {
        // The text fills the stretch from the position to the alignment point: aligned texts
        // change their height, fitted ones their width factor.
        const AcGeVector3d span = m_alignmentPoint - m_position;
        const double length = span.length();
        if (length > 0.0 && factor > 0.0) {
            AcGeVector3d x, y;
            dh::db::ecsAxes(m_normal, x, y);
            m_rotation = std::atan2(span.dotProduct(y), span.dotProduct(x));
            if (m_horzMode == AcDb::kTextAlign)
                m_height = length / (factor * m_widthFactor);
            else
                m_widthFactor = length / (factor * m_height);
        }
        return Acad::eOk;
    }
    textAxes(m_normal, m_rotation, isMirroredInX(), dir, up);
    const double w = textWidth();
    const double along = m_horzMode == AcDb::kTextCenter || m_horzMode == AcDb::kTextMid ? 0.5 * w
        : m_horzMode == AcDb::kTextRight                                                  ? w
                                                                                          : 0.0;
    const double rise = m_horzMode == AcDb::kTextMid || m_vertMode == AcDb::kTextVertMid ? 0.5 * m_height
        : m_vertMode == AcDb::kTextTop                                                    ? m_height
                                                                                          : 0.0;
    m_position = m_alignmentPoint - dir * along - up * rise;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbText::getBoundingPoints(AcGePoint3dArray& points) const
{
    AcGeVector3d dir, up;
    textAxes(m_normal, m_rotation, isMirroredInX(), dir, up);
    double w = textWidth();
    if ((m_horzMode == AcDb::kTextAlign || m_horzMode == AcDb::kTextFit) && m_vertMode == AcDb::kTextBase)
        w = m_alignmentPoint.distanceTo(m_position);
    const double h = isMirroredInY() ? -m_height : m_height;
    points.removeAll();
    points.append(m_position);
    points.append(m_position + dir * w);
    points.append(m_position + dir * w + up * h);
    points.append(m_position + up * h);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbText::getGeomExtents(AcDbExtents& extents) const
{
    AcGePoint3dArray corners;
    getBoundingPoints(corners);
    AcDbExtents box;
    for (const AcGePoint3d& p : corners)
        box.addPoint(p);
    extents = box;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbText::transformBy(const AcGeMatrix3d& xform)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es != Acad::eOk)
        return es;
    AcGeVector3d dir, up;
    textAxes(m_normal, m_rotation, false, dir, up);
    AcGeVector3d tdir = dir, tup = up;
    tdir.transformBy(xform);
    tup.transformBy(xform);
    const AcGeVector3d n = tdir.crossProduct(tup);
    if (tdir.isZeroLength() || n.isZeroLength())
        return Acad::eNotApplicable;
    m_position.transformBy(xform);
    m_alignmentPoint.transformBy(xform);
    m_normal = n.normal();
    AcGeVector3d x, y;
    dh::db::ecsAxes(m_normal, x, y);
    m_rotation = dh::db::normalizeAngle(std::atan2(tdir.dotProduct(y), tdir.dotProduct(x)));
    // The height follows the image of the up direction, the width factor the ratio of the two.
    const AcGeVector3d along = tdir.normal();
    const double sx = tdir.length(), sy = (tup - along * tup.dotProduct(along)).length();
    if (sy > 0.0) {
        m_height *= sy;
        m_widthFactor *= sx / sy;
    }
    m_thickness *= sy > 0.0 ? sy : 1.0;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbText::intersectWith(const AcDbEntity* other, AcDb::Intersect type, AcGePoint3dArray& points,
                                          Adesk::GsMarker, Adesk::GsMarker) const
{
    if (!other)
        return Acad::eNullEntityPointer;
    return dh::db::intersectEntities(*this, *other, type, nullptr, points);
}

Acad::ErrorStatus AcDbText::intersectWith(const AcDbEntity* other, AcDb::Intersect type, const AcGePlane& projPlane,
                                          AcGePoint3dArray& points, Adesk::GsMarker, Adesk::GsMarker) const
{
    if (!other)
        return Acad::eNullEntityPointer;
    return dh::db::intersectEntities(*this, *other, type, &projPlane, points);
}

void AcDbText::writeTextFields(AcDbDxfFiler* filer) const
{
    const AcGeMatrix3d toOcs = AcGeMatrix3d::worldToPlane(m_normal);
    dh::db::writeThickness(filer, m_thickness);
    filer->writePoint3d(10, AcGePoint3d(m_position).transformBy(toOcs));
    filer->writeDouble(40, m_height);
    filer->writeString(1, m_text);
    if (m_rotation != 0.0)
        filer->writeDouble(50, m_rotation / kDegree);
    if (m_widthFactor != 1.0)
        filer->writeDouble(41, m_widthFactor);
    if (m_oblique != 0.0)
        filer->writeDouble(51, m_oblique / kDegree);
    const auto* style = AcDbSymbolTableRecord::cast(dh::db::objectOf(m_style));
    filer->writeString(7, style ? style->getName() : "Standard");
    if (m_generation != 0)
        filer->writeInt16(71, static_cast<std::int16_t>(m_generation));
    if (m_horzMode != AcDb::kTextLeft)
        filer->writeInt16(72, static_cast<std::int16_t>(m_horzMode));
    if (!isDefaultAlignment())
        filer->writePoint3d(11, AcGePoint3d(m_alignmentPoint).transformBy(toOcs));
    dh::db::writeNormal(filer, m_normal);
}

void AcDbText::writeSecondTextFields(AcDbDxfFiler* filer) const
{
    if (m_vertMode != AcDb::kTextBase)
        filer->writeInt16(73, static_cast<std::int16_t>(m_vertMode));
}

bool AcDbText::readTextField(const AcDbDxfTag& tag)
{
    switch (tag.code) {
    case 39: m_thickness = tag.real(); break;
    case 10: m_position = dh::db::tagPoint(tag); break;
    case 11: m_alignmentPoint = dh::db::tagPoint(tag); break;
    case 40: m_height = tag.real(); break;
    case 1: m_text = tag.text; break;
    case 50: m_rotation = tag.real() * kDegree; break;
    case 41: m_widthFactor = tag.real() > 0.0 ? tag.real() : 1.0; break;
    case 51: m_oblique = tag.real() * kDegree; break;
    case 71: m_generation = static_cast<int>(tag.integer); break;
    case 72: m_horzMode = static_cast<AcDb::TextHorzMode>(std::clamp<std::int64_t>(tag.integer, 0, 5)); break;
    case 210: m_normal = dh::db::tagNormal(tag); break;
    default: return false;
    }
    return true;
}

Acad::ErrorStatus AcDbText::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk)
        return es;
    filer->writeSubclass("AcDbText");
    writeTextFields(filer);
    filer->writeSubclass("AcDbText");
    writeSecondTextFields(filer);
    return Acad::eOk;
}

void AcDbText::translateIds(const std::function<AcDbObjectId(AcDbObjectId)>& map)
{
    AcDbEntity::translateIds(map);
    m_style = map(m_style);
}

// Points and the style name arrive in the text's own coordinates and by name: both are
// resolved once the whole subclass is read.
static void resolveTextFields(AcDbDxfFiler* filer, const std::string& styleName, AcDbObjectId& style,
                              const AcGeVector3d& normal, AcGePoint3d& position, AcGePoint3d& alignment)
{
    const AcGeMatrix3d toWorld = AcGeMatrix3d::planeToWorld(normal);
    position.transformBy(toWorld);
    alignment.transformBy(toWorld);
    if (AcDbDatabase* db = filer->database(); db && !styleName.empty())
        style = dh::db::DatabaseAccess::findRecord(*db, dh::db::TableKind::kTextStyle, styleName.c_str());
}

Acad::ErrorStatus AcDbText::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk)
        return es;
    std::string styleName;
    bool hasAlignment = false;
    es = dh::db::readSubclass(filer, "AcDbText", [&](const AcDbDxfTag& tag) {
        if (tag.code == 7)
            styleName = tag.text;
        else if (tag.code == 11)
            hasAlignment = true;
        readTextField(tag);
    });
    if (es != Acad::eOk)
        return es;
    if (!hasAlignment)
        m_alignmentPoint = m_position;
    resolveTextFields(filer, styleName, m_style, m_normal, m_position, m_alignmentPoint);
    return dh::db::readSubclass(filer, "AcDbText", [&](const AcDbDxfTag& tag) {
        if (tag.code == 73)
            m_vertMode = static_cast<AcDb::TextVertMode>(std::clamp<std::int64_t>(tag.integer, 0, 3));
    }, true);
}
