#include <acdb/AcDbBlockReference.h>
#include <acdb/AcDbBlockTableRecord.h>
#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbObjectIterator.h>

#include "host/db/DatabaseAccess.h"
#include "host/db/entities/BlockContents.h"
#include "host/db/entities/CurveMath.h"
#include "host/db/entities/DxfFields.h"
#include "host/db/entities/EntityCurves.h"
#include "host/db/entities/OwnedEntities.h"

#include <cmath>
#include <numbers>

ACRX_DEFINE_MEMBERS(AcDbBlockReference, AcDbEntity)

using Attributes = dh::db::OwnedEntities<AcDbAttribute>;

AcDbBlockReference::AcDbBlockReference() : m_attributes(std::make_unique<Attributes>()) {}

AcDbBlockReference::AcDbBlockReference(const AcGePoint3d& position, AcDbObjectId blockTableRecord)
    : m_attributes(std::make_unique<Attributes>()), m_block(blockTableRecord), m_position(position)
{
}

AcDbBlockReference::AcDbBlockReference(const AcDbBlockReference& other)
    : AcDbEntity(other), m_attributes(std::make_unique<Attributes>(*other.m_attributes)), m_block(other.m_block),
      m_blockName(other.m_blockName),
      m_position(other.m_position), m_scale(other.m_scale), m_rotation(other.m_rotation), m_normal(other.m_normal),
      m_columns(other.m_columns), m_rows(other.m_rows), m_columnSpacing(other.m_columnSpacing),
      m_rowSpacing(other.m_rowSpacing)
{
}

AcDbBlockReference& AcDbBlockReference::operator=(const AcDbBlockReference& other)
{
    if (this == &other)
        return *this;
    AcDbEntity::operator=(other);
    *m_attributes = *other.m_attributes;
    m_block = other.m_block;
    m_blockName = other.m_blockName;
    m_position = other.m_position;
    m_scale = other.m_scale;
    m_rotation = other.m_rotation;
    m_normal = other.m_normal;
    m_columns = other.m_columns;
    m_rows = other.m_rows;
    m_columnSpacing = other.m_columnSpacing;
    m_rowSpacing = other.m_rowSpacing;
    return *this;
}

AcDbBlockReference::~AcDbBlockReference() = default;

AcRxObject* AcDbBlockReference::clone() const
{
    auto* copy = new AcDbBlockReference(*this);
    copy->m_attributes->detachCopies();
    return copy;
}

Acad::ErrorStatus AcDbBlockReference::copyFrom(const AcRxObject* other)
{
    if (!other || other->isA() != isA())
        return Acad::eWrongObjectType;
    *this = *static_cast<const AcDbBlockReference*>(other);
    return Acad::eOk;
}

AcDbObjectId AcDbBlockReference::blockTableRecord() const
{
    if (m_block.isNull() && !m_blockName.empty())
        if (AcDbDatabase* db = database())
            m_block = dh::db::DatabaseAccess::findRecord(*db, dh::db::TableKind::kBlock, m_blockName.c_str());
    return m_block;
}

Acad::ErrorStatus AcDbBlockReference::setBlockTableRecord(AcDbObjectId block)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk) {
        m_block = block;
        m_blockName.clear();
    }
    return es;
}

Acad::ErrorStatus AcDbBlockReference::setPosition(const AcGePoint3d& position)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_position = position;
    return es;
}

Acad::ErrorStatus AcDbBlockReference::setScaleFactors(const AcGeScale3d& scale)
{
    if (scale.sx == 0.0 || scale.sy == 0.0 || scale.sz == 0.0)
        return Acad::eInvalidInput;
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_scale = scale;
    return es;
}

Acad::ErrorStatus AcDbBlockReference::setRotation(double angle)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_rotation = angle;
    return es;
}

Acad::ErrorStatus AcDbBlockReference::setNormal(const AcGeVector3d& normal)
{
    if (normal.isZeroLength())
        return Acad::eInvalidInput;
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es == Acad::eOk)
        m_normal = normal.normal();
    return es;
}

AcGeMatrix3d AcDbBlockReference::blockTransform() const
{
    AcGePoint3d base;
    if (const auto* block = AcDbBlockTableRecord::cast(dh::db::objectOf(blockTableRecord())))
        base = block->origin();
    AcGeVector3d x, y;
    dh::db::ecsAxes(m_normal, x, y);
    const double c = std::cos(m_rotation), s = std::sin(m_rotation);
    const AcGeVector3d ax = (x * c + y * s) * m_scale.sx;
    const AcGeVector3d ay = (y * c - x * s) * m_scale.sy;
    const AcGeVector3d az = m_normal * m_scale.sz;
    AcGeMatrix3d m;
    m.setCoordSystem(m_position, ax, ay, az);
    return m * AcGeMatrix3d::translation(AcGePoint3d::kOrigin - base);
}

Acad::ErrorStatus AcDbBlockReference::appendAttribute(AcDbAttribute* attribute)
{
    AcDbObjectId id;
    return appendAttribute(id, attribute);
}

Acad::ErrorStatus AcDbBlockReference::appendAttribute(AcDbObjectId& attributeId, AcDbAttribute* attribute)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es != Acad::eOk)
        return es;
    return m_attributes->append(*this, attribute, &attributeId);
}

AcDbObjectIterator* AcDbBlockReference::attributeIterator() const
{
    return new AcDbObjectIterator(m_attributes->ids());
}

Acad::ErrorStatus AcDbBlockReference::subAddedToDatabase(AcDbDatabase* db)
{
    return m_attributes->addPending(db, *this);
}

void AcDbBlockReference::getOwnedIds(std::vector<AcDbObjectId>& ids) const
{
    ids.insert(ids.end(), m_attributes->ids().begin(), m_attributes->ids().end());
}

Acad::ErrorStatus AcDbBlockReference::explode(AcDbVoidPtrArray& entities) const
{
    AcDbVoidPtrArray parts;
    Acad::ErrorStatus es = dh::db::appendPlacedBlock(blockTableRecord(), blockTransform(), parts);
    if (es != Acad::eOk)
        return es;
    // Attributes already sit in the world; they become plain texts with their values.
    for (const AcDbAttribute* attribute : m_attributes->items()) {
        if (attribute->isInvisible())
            continue;
        auto* text = new AcDbText();
        static_cast<AcDbText&>(*text) = static_cast<const AcDbText&>(*attribute);
        parts.append(text);
    }
    entities.append(parts);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockReference::getGeomExtents(AcDbExtents& extents) const
{
    AcDbVoidPtrArray parts;
    explode(parts);
    AcDbExtents box;
    for (void* p : parts) {
        auto* part = static_cast<AcDbEntity*>(p);
        AcDbExtents partBox;
        if (part->getGeomExtents(partBox) == Acad::eOk)
            box.addExt(partBox);
        delete part;
    }
    if (box.isEmpty())
        box.addPoint(m_position);
    extents = box;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockReference::transformBy(const AcGeMatrix3d& xform)
{
    Acad::ErrorStatus es = assertWriteEnabled();
    if (es != Acad::eOk)
        return es;
    // The new placement is xform after the old one; read it back as position, axes, scales.
    AcGeVector3d x, y;
    dh::db::ecsAxes(m_normal, x, y);
    const double c = std::cos(m_rotation), s = std::sin(m_rotation);
    AcGeVector3d ax = (x * c + y * s) * m_scale.sx, ay = (y * c - x * s) * m_scale.sy, az = m_normal * m_scale.sz;
    ax.transformBy(xform);
    ay.transformBy(xform);
    az.transformBy(xform);
    const AcGeVector3d n = ax.crossProduct(ay);
    if (n.isZeroLength() || az.isZeroLength())
        return Acad::eNotApplicable;
    const AcGeVector3d normal = n.normal();
    AcGeVector3d nx, ny;
    dh::db::ecsAxes(normal, nx, ny);
    m_position.transformBy(xform);
    m_normal = normal;
    m_rotation = dh::db::normalizeAngle(std::atan2(ax.dotProduct(ny), ax.dotProduct(nx)));
    const double zSign = az.dotProduct(normal) < 0.0 ? -1.0 : 1.0;
    m_scale.set(ax.length(), ay.length(), zSign * az.length());
    for (AcDbAttribute* attribute : m_attributes->items())
        dh::db::OwnedEntitiesAccess::set(*attribute, [&](AcDbAttribute& a) { a.transformBy(xform); });
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockReference::intersectWith(const AcDbEntity* other, AcDb::Intersect type,
                                                    AcGePoint3dArray& points, Adesk::GsMarker, Adesk::GsMarker) const
{
    if (!other)
        return Acad::eNullEntityPointer;
    return dh::db::intersectEntities(*this, *other, type, nullptr, points);
}

Acad::ErrorStatus AcDbBlockReference::intersectWith(const AcDbEntity* other, AcDb::Intersect type,
                                                    const AcGePlane& projPlane, AcGePoint3dArray& points,
                                                    Adesk::GsMarker, Adesk::GsMarker) const
{
    if (!other)
        return Acad::eNullEntityPointer;
    return dh::db::intersectEntities(*this, *other, type, &projPlane, points);
}

Acad::ErrorStatus AcDbBlockReference::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk)
        return es;
    filer->writeSubclass(m_columns > 1 || m_rows > 1 ? "AcDbMInsertBlock" : "AcDbBlockReference");
    if (!m_attributes->ids().empty() || m_attributes->hasPending())
        filer->writeInt16(66, 1);
    const auto* block = AcDbSymbolTableRecord::cast(dh::db::objectOf(blockTableRecord()));
    filer->writeString(2, block ? block->getName() : m_blockName);
    filer->writePoint3d(10, AcGePoint3d(m_position).transformBy(AcGeMatrix3d::worldToPlane(m_normal)));
    if (m_scale.sx != 1.0)
        filer->writeDouble(41, m_scale.sx);
    if (m_scale.sy != 1.0)
        filer->writeDouble(42, m_scale.sy);
    if (m_scale.sz != 1.0)
        filer->writeDouble(43, m_scale.sz);
    if (m_rotation != 0.0)
        filer->writeDouble(50, m_rotation * 180.0 / std::numbers::pi);
    if (m_columns > 1 || m_rows > 1) {
        filer->writeInt16(70, static_cast<std::int16_t>(m_columns));
        filer->writeInt16(71, static_cast<std::int16_t>(m_rows));
        filer->writeDouble(44, m_columnSpacing);
        filer->writeDouble(45, m_rowSpacing);
    }
    dh::db::writeNormal(filer, m_normal);
    return Acad::eOk;
}

void AcDbBlockReference::translateIds(const std::function<AcDbObjectId(AcDbObjectId)>& map)
{
    AcDbEntity::translateIds(map);
    if (m_block.isNull())
        return;
    // The name stays as the fallback when the block does not come along.
    if (const auto* record = AcDbSymbolTableRecord::cast(dh::db::objectOf(m_block)))
        m_blockName = record->getName();
    m_block = map(m_block);
    if (!m_block.isNull())
        m_blockName.clear();
}

Acad::ErrorStatus AcDbBlockReference::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk)
        return es;
    std::string name;
    auto onTag = [&](const AcDbDxfTag& tag) {
        switch (tag.code) {
        case 2: name = tag.text; break;
        case 10: m_position = dh::db::tagPoint(tag); break;
        case 41: m_scale.sx = tag.real(); break;
        case 42: m_scale.sy = tag.real(); break;
        case 43: m_scale.sz = tag.real(); break;
        case 50: m_rotation = tag.real() * std::numbers::pi / 180.0; break;
        case 70: m_columns = std::max<int>(1, static_cast<int>(tag.integer)); break;
        case 71: m_rows = std::max<int>(1, static_cast<int>(tag.integer)); break;
        case 44: m_columnSpacing = tag.real(); break;
        case 45: m_rowSpacing = tag.real(); break;
        case 210: m_normal = dh::db::tagNormal(tag); break;
        default: break;
        }
    };
    if (filer->atSubclassData("AcDbMInsertBlock")) {
        AcDbDxfTag tag;
        while (filer->readTag(tag))
            onTag(tag);
    } else {
        es = dh::db::readSubclass(filer, "AcDbBlockReference", onTag);
        if (es != Acad::eOk)
            return es;
    }
    for (double* f : {&m_scale.sx, &m_scale.sy, &m_scale.sz})
        if (*f == 0.0)
            *f = 1.0;
    m_position.transformBy(AcGeMatrix3d::planeToWorld(m_normal));
    m_blockName = name;
    m_block.setNull();
    if (AcDbDatabase* db = filer->database())
        m_block = dh::db::DatabaseAccess::findRecord(*db, dh::db::TableKind::kBlock, name.c_str());
    return Acad::eOk;
}
