#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbMText.h>
#include <acdb/AcDbText.h>

#include "host/db/DatabaseAccess.h"
#include "host/db/entities/CurveMath.h"
#include "host/db/entities/DxfFields.h"
#include "host/db/entities/EntityCurves.h"
#include "host/db/entities/TextMetric.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <numbers>

ACRX_DEFINE_MEMBERS(AcDbMText, AcDbEntity)

namespace {

// The contents are written in chunks of this many bytes (group 3, then the rest as 1),
// cut only between whole UTF-8 characters.
constexpr size_t kChunk = 250;

std::string toUtf8(const std::u32string& line)
{
    std::string out;
    for (char32_t c : line) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

} // namespace

Acad::ErrorStatus AcDbMText::setLocation(const AcGePoint3d& point)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_location = point;
    return es;
}

Acad::ErrorStatus AcDbMText::setNormal(const AcGeVector3d& normal)
{
    if (normal.isZeroLength())
        return Acad::eInvalidInput;
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk) {
        const double angle = rotation();
        m_normal = normal.normal();
        AcGeVector3d x, y;
        dh::db::ecsAxes(m_normal, x, y);
        m_direction = x * std::cos(angle) + y * std::sin(angle);
    }
    return es;
}

Acad::ErrorStatus AcDbMText::setDirection(const AcGeVector3d& direction)
{
    const AcGeVector3d inPlane = direction - m_normal * direction.dotProduct(m_normal);
    if (inPlane.isZeroLength())
        return Acad::eInvalidInput;
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_direction = inPlane.normal();
    return es;
}

double AcDbMText::rotation() const
{
    AcGeVector3d x, y;
    dh::db::ecsAxes(m_normal, x, y);
    return dh::db::normalizeAngle(std::atan2(m_direction.dotProduct(y), m_direction.dotProduct(x)));
}

Acad::ErrorStatus AcDbMText::setRotation(double angle)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk) {
        AcGeVector3d x, y;
        dh::db::ecsAxes(m_normal, x, y);
        m_direction = x * std::cos(angle) + y * std::sin(angle);
    }
    return es;
}

Acad::ErrorStatus AcDbMText::setWidth(double width)
{
    if (width < 0.0)
        return Acad::eInvalidInput;
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_width = width;
    return es;
}

Acad::ErrorStatus AcDbMText::setTextHeight(double height)
{
    if (!(height > 0.0))
        return Acad::eInvalidInput;
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_textHeight = height;
    return es;
}

Acad::ErrorStatus AcDbMText::setAttachment(AttachmentPoint attachment)
{
    if (attachment < kTopLeft || attachment > kBottomRight)
        return Acad::eInvalidInput;
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_attachment = attachment;
    return es;
}

Acad::ErrorStatus AcDbMText::setLineSpacingFactor(double factor)
{
    if (!(factor > 0.0))
        return Acad::eInvalidInput;
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_lineSpacing = factor;
    return es;
}

Acad::ErrorStatus AcDbMText::setTextStyle(AcDbObjectId style)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_style = style;
    return es;
}

char* AcDbMText::contents() const
{
    char* copy = static_cast<char*>(std::malloc(m_contents.size() + 1));
    if (copy)
        std::memcpy(copy, m_contents.c_str(), m_contents.size() + 1);
    return copy;
}

Acad::ErrorStatus AcDbMText::setContents(const char* text)
{
    if (!text)
        return Acad::eInvalidInput;
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_contents = text;
    return es;
}

std::string AcDbMText::text() const
{
    std::string out;
    const std::vector<std::u32string> lines = dh::db::mtextLines(m_contents);
    for (size_t i = 0; i < lines.size(); ++i)
        out += (i ? "\n" : "") + toUtf8(lines[i]);
    return out;
}

double AcDbMText::actualHeight() const
{
    const size_t lines = dh::db::wrapMTextLines(m_contents, m_width / m_textHeight).size();
    return m_textHeight * (1.0 + (static_cast<double>(lines) - 1.0) * dh::db::kLinePitch * m_lineSpacing);
}

double AcDbMText::actualWidth() const
{
    double widest = 0.0;
    for (const std::u32string& line : dh::db::wrapMTextLines(m_contents, m_width / m_textHeight))
        widest = std::max(widest, dh::db::lineWidthFactor(line));
    return widest * m_textHeight;
}

Acad::ErrorStatus AcDbMText::getBoundingPoints(AcGePoint3dArray& points) const
{
    const double w = actualWidth(), h = actualHeight();
    const int col = (static_cast<int>(m_attachment) - 1) % 3;
    const int row = (static_cast<int>(m_attachment) - 1) / 3;
    const double left = -0.5 * col * w;
    const double top = 0.5 * row * h;
    const AcGeVector3d up = m_normal.crossProduct(m_direction).normal();
    const AcGePoint3d topLeft = m_location + m_direction * left + up * top;
    points.removeAll();
    points.append(topLeft);
    points.append(topLeft + m_direction * w);
    points.append(topLeft - up * h);
    points.append(topLeft + m_direction * w - up * h);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbMText::getGeomExtents(AcDbExtents& extents) const
{
    AcGePoint3dArray corners;
    getBoundingPoints(corners);
    AcDbExtents box;
    for (const AcGePoint3d& p : corners)
        box.addPoint(p);
    extents = box;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbMText::transformBy(const AcGeMatrix3d& xform)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es != Acad::eOk)
        return es;
    AcGeVector3d dir = m_direction, up = m_normal.crossProduct(m_direction);
    dir.transformBy(xform);
    up.transformBy(xform);
    const AcGeVector3d n = dir.crossProduct(up);
    if (dir.isZeroLength() || n.isZeroLength())
        return Acad::eNotApplicable;
    const double scale = std::sqrt(n.length());
    m_location.transformBy(xform);
    m_normal = n.normal();
    m_direction = dir.normal();
    m_textHeight *= scale;
    m_width *= scale;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbMText::explode(AcDbVoidPtrArray& entities) const
{
    AcGePoint3dArray corners;
    getBoundingPoints(corners);
    const AcGeVector3d up = m_normal.crossProduct(m_direction).normal();
    const double pitch = dh::db::kLinePitch * m_lineSpacing * m_textHeight;
    const std::vector<std::u32string> lines = dh::db::wrapMTextLines(m_contents, m_width / m_textHeight);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty())
            continue;
        const AcGePoint3d base = corners[0] - up * (m_textHeight + pitch * static_cast<double>(i));
        auto* text = new AcDbText(base, toUtf8(lines[i]).c_str(), m_style, m_textHeight, rotation());
        text->setNormal(m_normal);
        text->setPropertiesFrom(this);
        entities.append(text);
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbMText::intersectWith(const AcDbEntity* other, AcDb::Intersect type, AcGePoint3dArray& points,
                                           Adesk::GsMarker, Adesk::GsMarker) const
{
    if (!other)
        return Acad::eNullEntityPointer;
    return dh::db::intersectEntities(*this, *other, type, nullptr, points);
}

Acad::ErrorStatus AcDbMText::intersectWith(const AcDbEntity* other, AcDb::Intersect type, const AcGePlane& projPlane,
                                           AcGePoint3dArray& points, Adesk::GsMarker, Adesk::GsMarker) const
{
    if (!other)
        return Acad::eNullEntityPointer;
    return dh::db::intersectEntities(*this, *other, type, &projPlane, points);
}

Acad::ErrorStatus AcDbMText::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk)
        return es;
    filer->writeSubclass("AcDbMText");
    filer->writePoint3d(10, m_location);
    filer->writeDouble(40, m_textHeight);
    filer->writeDouble(41, m_width);
    filer->writeInt16(71, static_cast<std::int16_t>(m_attachment));
    filer->writeInt16(72, 1);
    size_t at = 0;
    while (m_contents.size() - at > kChunk) {
        size_t cut = at + kChunk;
        while (cut > at && (static_cast<unsigned char>(m_contents[cut]) & 0xC0) == 0x80)
            --cut;
        filer->writeString(3, std::string_view(m_contents).substr(at, cut - at));
        at = cut;
    }
    filer->writeString(1, std::string_view(m_contents).substr(at));
    const auto* style = AcDbSymbolTableRecord::cast(dh::db::objectOf(m_style));
    filer->writeString(7, style ? style->getName() : "Standard");
    dh::db::writeNormal(filer, m_normal);
    filer->writeVector3d(11, m_direction);
    if (m_lineSpacing != 1.0)
        filer->writeDouble(44, m_lineSpacing);
    return Acad::eOk;
}

void AcDbMText::translateIds(const std::function<AcDbObjectId(AcDbObjectId)>& map)
{
    AcDbEntity::translateIds(map);
    m_style = map(m_style);
}

Acad::ErrorStatus AcDbMText::subAddedToDatabase(AcDbDatabase* db)
{
    // A file may leave the style out: the text then shows in the drawing's current style.
    if (m_style.isNull())
        m_style = db->textstyle();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbMText::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk)
        return es;
    std::string head, tail, styleName;
    bool hasDirection = false;
    double angle = 0.0;
    es = dh::db::readSubclass(filer, "AcDbMText", [&](const AcDbDxfTag& tag) {
        switch (tag.code) {
        case 10: m_location = dh::db::tagPoint(tag); break;
        case 40: if (tag.real() > 0.0) m_textHeight = tag.real(); break;
        case 41: m_width = std::max(0.0, tag.real()); break;
        case 71: m_attachment = static_cast<AttachmentPoint>(std::clamp<std::int64_t>(tag.integer, 1, 9)); break;
        case 3: head += tag.text; break;
        case 1: tail = tag.text; break;
        case 7: styleName = tag.text; break;
        case 210: m_normal = dh::db::tagNormal(tag); break;
        case 11: m_direction = dh::db::tagVector(tag); hasDirection = !m_direction.isZeroLength(); break;
        case 50: angle = tag.real() * std::numbers::pi / 180.0; break;
        case 44: if (tag.real() > 0.0) m_lineSpacing = tag.real(); break;
        default: break;
        }
    });
    m_contents = head + tail;
    AcGeVector3d x, y;
    dh::db::ecsAxes(m_normal, x, y);
    m_direction = hasDirection ? dh::db::unitVector(m_direction) : x * std::cos(angle) + y * std::sin(angle);
    if (AcDbDatabase* db = filer->database(); db && !styleName.empty())
        m_style = dh::db::DatabaseAccess::findRecord(*db, dh::db::TableKind::kTextStyle, styleName.c_str());
    return es;
}
