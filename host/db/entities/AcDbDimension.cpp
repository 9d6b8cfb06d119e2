#include <acdb/AcDbBlockTableRecord.h>
#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbDimension.h>

#include "host/db/DatabaseAccess.h"
#include "host/db/ObjectAccess.h"
#include "host/db/entities/BlockContents.h"
#include "host/db/entities/DimensionKinds.h"
#include "host/db/entities/DxfFields.h"
#include "host/db/entities/EntityCurves.h"
#include "host/db/entities/OwnedEntities.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <numbers>

ACRX_DEFINE_MEMBERS(AcDbDimension, AcDbEntity)
ACRX_DEFINE_MEMBERS(AcDbAlignedDimension, AcDbDimension)
ACRX_DEFINE_MEMBERS(AcDbRotatedDimension, AcDbAlignedDimension)
ACRX_DEFINE_MEMBERS(AcDbRadialDimension, AcDbDimension)
ACRX_DEFINE_MEMBERS(AcDbDiametricDimension, AcDbDimension)
ACRX_DEFINE_MEMBERS(AcDb2LineAngularDimension, AcDbDimension)
ACRX_DEFINE_MEMBERS(AcDb3PointAngularDimension, AcDbDimension)
ACRX_DEFINE_MEMBERS(AcDbOrdinateDimension, AcDbDimension)

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
constexpr int kKindMask = 7;
// The markers a file may carry after AcDbDimension, in the order the kinds use them.
const char* const kKindMarkers[] = {"AcDbAlignedDimension", "AcDbRotatedDimension", "AcDbRadialDimension",
                                    "AcDbDiametricDimension", "AcDb2LineAngularDimension",
                                    "AcDb3PointAngularDimension", "AcDbOrdinateDimension"};

bool isAngleCode(int code)
{
    return code == 50 || code == 52;
}

} // namespace

AcDbDimension::AcDbDimension() = default;

AcDbDimension::AcDbDimension(const AcDbDimension& other)
    : AcDbEntity(other), m_block(other.m_block), m_blockName(other.m_blockName), m_ownsBlock(false),
      m_pending(other.m_pending), m_markers(other.m_markers), m_defPoint(other.m_defPoint),
      m_textPosition(other.m_textPosition), m_blockPosition(other.m_blockPosition), m_flags(other.m_flags),
      m_attachment(other.m_attachment), m_lineSpacingStyle(other.m_lineSpacingStyle),
      m_lineSpacingFactor(other.m_lineSpacingFactor), m_measurement(other.m_measurement),
      m_hasMeasurement(other.m_hasMeasurement), m_textRotation(other.m_textRotation),
      m_horizontalRotation(other.m_horizontalRotation), m_text(other.m_text), m_style(other.m_style),
      m_styleName(other.m_styleName), m_normal(other.m_normal), m_points(other.m_points), m_reals(other.m_reals)
{
}

AcDbDimension& AcDbDimension::operator=(const AcDbDimension& other)
{
    if (this == &other)
        return *this;
    const bool owns = m_ownsBlock;
    AcDbEntity::operator=(other);
    m_block = other.m_block;
    m_blockName = other.m_blockName;
    m_pending = other.m_pending;
    m_markers = other.m_markers;
    m_defPoint = other.m_defPoint;
    m_textPosition = other.m_textPosition;
    m_blockPosition = other.m_blockPosition;
    m_flags = other.m_flags;
    m_attachment = other.m_attachment;
    m_lineSpacingStyle = other.m_lineSpacingStyle;
    m_lineSpacingFactor = other.m_lineSpacingFactor;
    m_measurement = other.m_measurement;
    m_hasMeasurement = other.m_hasMeasurement;
    m_textRotation = other.m_textRotation;
    m_horizontalRotation = other.m_horizontalRotation;
    m_text = other.m_text;
    m_style = other.m_style;
    m_styleName = other.m_styleName;
    m_normal = other.m_normal;
    m_points = other.m_points;
    m_reals = other.m_reals;
    m_ownsBlock = owns;
    return *this;
}

AcDbDimension::AcDbDimension(std::vector<std::string> markers, int kind) : m_markers(std::move(markers)), m_flags(kind)
{
}

AcDbAlignedDimension::AcDbAlignedDimension() : AcDbDimension({"AcDbAlignedDimension"}, 1) {}
AcDbRotatedDimension::AcDbRotatedDimension() : AcDbAlignedDimension({"AcDbAlignedDimension", "AcDbRotatedDimension"}, 0) {}
AcDbRadialDimension::AcDbRadialDimension() : AcDbDimension({"AcDbRadialDimension"}, 4) {}
AcDbDiametricDimension::AcDbDiametricDimension() : AcDbDimension({"AcDbDiametricDimension"}, 3) {}
AcDb2LineAngularDimension::AcDb2LineAngularDimension() : AcDbDimension({"AcDb2LineAngularDimension"}, 2) {}
AcDb3PointAngularDimension::AcDb3PointAngularDimension() : AcDbDimension({"AcDb3PointAngularDimension"}, 5) {}
AcDbOrdinateDimension::AcDbOrdinateDimension() : AcDbDimension({"AcDbOrdinateDimension"}, 6) {}

AcDbObjectId AcDbDimension::dimBlockId() const
{
    if (m_block.isNull() && !m_blockName.empty())
        if (AcDbDatabase* db = database())
            m_block = dh::db::DatabaseAccess::findRecord(*db, dh::db::TableKind::kBlock, m_blockName.c_str());
    return m_block;
}

Acad::ErrorStatus AcDbDimension::setDimBlockId(AcDbObjectId blockId)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk) {
        m_block = blockId;
        m_blockName.clear();
    }
    return es;
}

#define DH_DIM_SETTER(NAME, FIELD, TYPE)                                                             \
    Acad::ErrorStatus AcDbDimension::NAME(TYPE value)                                                \
    {                                                                                                \
        Acad::ErrorStatus es = assertWriteEnabled();                                                 \
        if (es == Acad::eOk)                                                                         \
            FIELD = value;                                                                           \
        return es;                                                                                   \
    }
DH_DIM_SETTER(setDimBlockPosition, m_blockPosition, const AcGePoint3d&)
DH_DIM_SETTER(setTextPosition, m_textPosition, const AcGePoint3d&)
DH_DIM_SETTER(setTextRotation, m_textRotation, double)
DH_DIM_SETTER(setDimensionStyle, m_style, AcDbObjectId)
#undef DH_DIM_SETTER

char* AcDbDimension::dimensionText() const
{
    char* copy = static_cast<char*>(std::malloc(m_text.size() + 1));
    if (copy)
        std::memcpy(copy, m_text.c_str(), m_text.size() + 1);
    return copy;
}

Acad::ErrorStatus AcDbDimension::setDimensionText(const char* text)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_text = text ? text : "";
    return es;
}

Acad::ErrorStatus AcDbDimension::measurement(double& value) const
{
    if (!m_hasMeasurement)
        return Acad::eNotApplicable;
    value = m_measurement;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDimension::setNormal(const AcGeVector3d& normal)
{
    if (normal.isZeroLength())
        return Acad::eInvalidInput;
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_normal = normal.normal();
    return es;
}

AcGePoint3d AcDbDimension::point(int code) const
{
    if (code == 10)
        return m_defPoint;
    for (const PointGroup& g : m_points)
        if (g.code == code)
            return g.point;
    return AcGePoint3d();
}

Acad::ErrorStatus AcDbDimension::setPoint(int code, const AcGePoint3d& p)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es != Acad::eOk)
        return es;
    if (code == 10) {
        m_defPoint = p;
        return Acad::eOk;
    }
    for (PointGroup& g : m_points)
        if (g.code == code) {
            g.point = p;
            return Acad::eOk;
        }
    m_points.push_back({code, p});
    return Acad::eOk;
}

double AcDbDimension::real(int code) const
{
    for (const RealGroup& g : m_reals)
        if (g.code == code)
            return g.value;
    return 0.0;
}

Acad::ErrorStatus AcDbDimension::setReal(int code, double value)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es != Acad::eOk)
        return es;
    for (RealGroup& g : m_reals)
        if (g.code == code) {
            g.value = value;
            return Acad::eOk;
        }
    m_reals.push_back({code, value});
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDimension::setFlag(int bit, bool value)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_flags = value ? (m_flags | bit) : (m_flags & ~bit);
    return es;
}

AcGeMatrix3d AcDbDimension::placement() const
{
    return m_pending * AcGeMatrix3d::translation(m_blockPosition.asVector());
}

Acad::ErrorStatus AcDbDimension::subAddedToDatabase(AcDbDatabase* db)
{
    const AcDbObjectId shared = dimBlockId();
    if ((m_ownsBlock && m_pending.isEqualTo(AcGeMatrix3d::kIdentity)) || shared.isNull() || shared.database() != db)
        return Acad::eOk;
    // A block of its own: copies of the shared block's entities with the kept transform.
    AcDbVoidPtrArray parts;
    dh::db::appendPlacedBlock(shared, m_pending, parts);
    std::string name;
    for (int n = 1; name.empty() || !dh::db::DatabaseAccess::findRecord(*db, dh::db::TableKind::kBlock, name.c_str()).isNull(); ++n)
        name = "*D" + std::to_string(n);
    auto* block = new AcDbBlockTableRecord;
    block->setName(name.c_str());
    AcDbObjectId blockId;
    auto* table = AcDbSymbolTable::cast(dh::db::DatabaseAccess::table(*db, dh::db::TableKind::kBlock));
    if (!table) {
        delete block;
        for (void* p : parts)
            delete static_cast<AcDbEntity*>(p);
        return Acad::eOk;
    }
    blockId = dh::db::DatabaseAccess::addObject(*db, block, table->objectId(), false);
    dh::db::ObjectAccess::records(*table).push_back(blockId);
    dh::db::ObjectAccess::markIndexStale(*table);
    for (void* p : parts) {
        auto* part = static_cast<AcDbEntity*>(p);
        const AcDbObjectId partId = dh::db::DatabaseAccess::addObject(*db, part, blockId, false);
        dh::db::ObjectAccess::entities(*block).push_back(partId);
    }
    m_block = blockId;
    m_blockName.clear();
    m_ownsBlock = true;
    m_pending = AcGeMatrix3d::kIdentity;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDimension::explode(AcDbVoidPtrArray& entities) const
{
    if (dimBlockId().isNull())
        return Acad::eNotApplicable;
    AcDbVoidPtrArray parts;
    Acad::ErrorStatus es = dh::db::appendPlacedBlock(dimBlockId(), placement(), parts);
    if (es == Acad::eOk) {
        for (void* p : parts) {
            auto* part = static_cast<AcDbEntity*>(p);
            // Parts drawn "by block" take the dimension's layer, as it showed them.
            if (part->layerId().isNull())
                part->setPropertiesFrom(this);
        }
        entities.append(parts);
    }
    return es;
}

Acad::ErrorStatus AcDbDimension::getGeomExtents(AcDbExtents& extents) const
{
    AcDbExtents box;
    AcDbVoidPtrArray parts;
    explode(parts);
    for (void* p : parts) {
        auto* part = static_cast<AcDbEntity*>(p);
        AcDbExtents partBox;
        if (part->getGeomExtents(partBox) == Acad::eOk)
            box.addExt(partBox);
        delete part;
    }
    if (box.isEmpty()) {
        box.addPoint(m_defPoint);
        box.addPoint(m_textPosition);
        for (const PointGroup& g : m_points)
            box.addPoint(g.point);
    }
    extents = box;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDimension::transformBy(const AcGeMatrix3d& xform)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es != Acad::eOk)
        return es;
    m_defPoint.transformBy(xform);
    m_textPosition.transformBy(xform);
    for (PointGroup& g : m_points)
        g.point.transformBy(xform);
    AcGeVector3d n = m_normal;
    n.transformBy(xform);
    if (!n.isZeroLength())
        m_normal = n.normal();
    const auto* block = AcDbBlockTableRecord::cast(dh::db::objectOf(dimBlockId()));
    if (!block || !m_ownsBlock || !database() || !m_pending.isEqualTo(AcGeMatrix3d::kIdentity)) {
        m_pending = xform * m_pending;
        return Acad::eOk;
    }
    // The geometry block belongs to this dimension alone: its entities move with it.
    const AcGeMatrix3d placed = AcGeMatrix3d::translation(m_blockPosition.asVector());
    const AcGeMatrix3d inBlock = placed.inverse() * xform * placed;
    for (AcDbObjectId id : block->entityIds())
        if (auto* entity = AcDbEntity::cast(dh::db::objectOf(id)))
            dh::db::OwnedEntitiesAccess::set(*entity, [&](AcDbEntity& e) { e.transformBy(inBlock); });
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDimension::intersectWith(const AcDbEntity* other, AcDb::Intersect type, AcGePoint3dArray& points,
                                               Adesk::GsMarker, Adesk::GsMarker) const
{
    if (!other)
        return Acad::eNullEntityPointer;
    return dh::db::intersectEntities(*this, *other, type, nullptr, points);
}

Acad::ErrorStatus AcDbDimension::intersectWith(const AcDbEntity* other, AcDb::Intersect type,
                                               const AcGePlane& projPlane, AcGePoint3dArray& points, Adesk::GsMarker,
                                               Adesk::GsMarker) const
{
    if (!other)
        return Acad::eNullEntityPointer;
    return dh::db::intersectEntities(*this, *other, type, &projPlane, points);
}

Acad::ErrorStatus AcDbDimension::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk)
        return es;
    const AcGeMatrix3d toOcs = AcGeMatrix3d::worldToPlane(m_normal);
    filer->writeSubclass("AcDbDimension");
    const auto* block = AcDbSymbolTableRecord::cast(dh::db::objectOf(dimBlockId()));
    filer->writeString(2, block ? block->getName() : m_blockName);
    filer->writePoint3d(10, m_defPoint);
    filer->writePoint3d(11, AcGePoint3d(m_textPosition).transformBy(toOcs));
    if (!m_blockPosition.isEqualTo(AcGePoint3d::kOrigin))
        filer->writePoint3d(12, m_blockPosition);
    filer->writeInt16(70, static_cast<std::int16_t>(m_flags));
    filer->writeInt16(71, static_cast<std::int16_t>(m_attachment));
    filer->writeInt16(72, static_cast<std::int16_t>(m_lineSpacingStyle));
    filer->writeDouble(41, m_lineSpacingFactor);
    if (m_hasMeasurement)
        filer->writeDouble(42, m_measurement);
    if (!m_text.empty())
        filer->writeString(1, m_text);
    if (m_textRotation != 0.0)
        filer->writeDouble(53, m_textRotation / kDegree);
    if (m_horizontalRotation != 0.0)
        filer->writeDouble(51, m_horizontalRotation / kDegree);
    dh::db::writeNormal(filer, m_normal);
    const auto* style = AcDbSymbolTableRecord::cast(dh::db::objectOf(m_style));
    filer->writeString(3, style ? style->getName() : (m_styleName.empty() ? "Standard" : m_styleName));
    for (size_t i = 0; i < m_markers.size(); ++i) {
        filer->writeSubclass(m_markers[i]);
        if (i != 0)
            continue;
        for (const PointGroup& g : m_points)
            filer->writePoint3d(g.code, g.point);
        for (const RealGroup& g : m_reals)
            filer->writeDouble(g.code, isAngleCode(g.code) ? g.value / kDegree : g.value);
    }
    return Acad::eOk;
}

void AcDbDimension::translateIds(const std::function<AcDbObjectId(AcDbObjectId)>& map)
{
    AcDbEntity::translateIds(map);
    if (!m_style.isNull()) {
        if (const auto* style = AcDbSymbolTableRecord::cast(dh::db::objectOf(m_style)))
            m_styleName = style->getName();
        m_style = map(m_style);
    }
    const AcDbObjectId block = dimBlockId();
    if (block.isNull())
        return;
    if (const auto* record = AcDbSymbolTableRecord::cast(dh::db::objectOf(block)))
        m_blockName = record->getName();
    m_block = map(block);
    // A block brought into another drawing is this copy's own there.
    if (!m_block.isNull() && m_block.database() != block.database())
        m_ownsBlock = true;
}

Acad::ErrorStatus AcDbDimension::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk)
        return es;
    es = dh::db::readSubclass(filer, "AcDbDimension", [this](const AcDbDxfTag& tag) {
        switch (tag.code) {
        case 2: m_blockName = tag.text; break;
        case 10: m_defPoint = dh::db::tagPoint(tag); break;
        case 11: m_textPosition = dh::db::tagPoint(tag); break;
        case 12: m_blockPosition = dh::db::tagPoint(tag); break;
        case 70: m_flags = static_cast<int>(tag.integer); break;
        case 71: m_attachment = static_cast<int>(tag.integer); break;
        case 72: m_lineSpacingStyle = static_cast<int>(tag.integer); break;
        case 41: m_lineSpacingFactor = tag.real(); break;
        case 42: m_measurement = tag.real(); m_hasMeasurement = true; break;
        case 1: m_text = tag.text; break;
        case 53: m_textRotation = tag.real() * kDegree; break;
        case 51: m_horizontalRotation = tag.real() * kDegree; break;
        case 210: m_normal = dh::db::tagNormal(tag); break;
        case 3: m_styleName = tag.text; break;
        default: break;
        }
    });
    if (es != Acad::eOk)
        return es;
    m_textPosition.transformBy(AcGeMatrix3d::planeToWorld(m_normal));
    // The kind's groups, under whichever markers the file gives.
    m_markers.clear();
    m_points.clear();
    m_reals.clear();
    for (bool found = true; found;) {
        found = false;
        for (const char* marker : kKindMarkers) {
            if (!filer->atSubclassData(marker))
                continue;
            found = true;
            m_markers.emplace_back(marker);
            AcDbDxfTag tag;
            while (filer->readTag(tag)) {
                if (tag.kind == AcDbDxfTag::Kind::kPoint && tag.code >= 13 && tag.code <= 16)
                    m_points.push_back({tag.code, dh::db::tagPoint(tag)});
                else if (tag.kind == AcDbDxfTag::Kind::kPoint && tag.code == 10)
                    m_defPoint = dh::db::tagPoint(tag);
                else if (tag.code == 40 || tag.code == 50 || tag.code == 52)
                    m_reals.push_back({tag.code, isAngleCode(tag.code) ? tag.real() * kDegree : tag.real()});
            }
        }
    }
    m_block.setNull();
    if (AcDbDatabase* db = filer->database()) {
        m_block = dh::db::DatabaseAccess::findRecord(*db, dh::db::TableKind::kBlock, m_blockName.c_str());
        if (!m_styleName.empty())
            m_style = dh::db::DatabaseAccess::findRecord(*db, dh::db::TableKind::kDimStyle, m_styleName.c_str());
    }
    return Acad::eOk;
}

namespace dh::db {
AcDbDimension* newDimensionOfKind(int flags)
{
    switch (flags & kKindMask) {
    case 0: return new AcDbRotatedDimension();
    case 1: return new AcDbAlignedDimension();
    case 2: return new AcDb2LineAngularDimension();
    case 3: return new AcDbDiametricDimension();
    case 4: return new AcDbRadialDimension();
    case 5: return new AcDb3PointAngularDimension();
    case 6: return new AcDbOrdinateDimension();
    default: return new AcDbDimension();
    }
}
} // namespace dh::db
