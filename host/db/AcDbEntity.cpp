#include <acdb/AcDbEntity.h>

#include "host/db/DatabaseAccess.h"
#include "host/db/ObjectAccess.h"
#include "host/db/ObjectStub.h"

#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbDxfFiler.h>
#include <acdb/AcDbHostApplicationServices.h>

#include <cstring>

ACRX_DEFINE_MEMBERS(AcDbEntity, AcDbObject);

using dh::db::DatabaseAccess;
using dh::db::TableKind;

namespace {

char* nameOf(AcDbObjectId id)
{
    auto* record = AcDbSymbolTableRecord::cast(dh::db::objectOf(id));
    return record ? strdup(record->getName()) : nullptr;
}

// The database whose tables name an entity's properties: its own, else the working one.
AcDbDatabase* propertyDatabase(const AcDbEntity* entity)
{
    AcDbDatabase* db = entity->database();
    return db ? db : acdbHostApplicationServices()->workingDatabase();
}

bool isLiveRecordOf(AcDbObjectId id, AcRxClass* cls, AcDbDatabase* db)
{
    AcDbObject* object = dh::db::objectOf(id);
    return object && object->isKindOf(cls) && !object->isErased() && (!db || id.database() == db);
}

// The record of the same name in db for a record of another drawing; null when absent.
AcDbObjectId sameNamedRecord(AcDbObjectId id, AcDbDatabase* db, TableKind kind)
{
    if (id.isNull() || !db || id.database() == db)
        return id;
    auto* record = AcDbSymbolTableRecord::cast(dh::db::objectOf(id));
    return record ? DatabaseAccess::findRecord(*db, kind, record->getName()) : AcDbObjectId();
}

// Applies a property change to the entities an entity owns (vertices, attributes); they
// change with their owner whether or not they are open themselves.
template <class Change>
void changeOwned(const AcDbEntity& owner, bool doSubents, Change&& change)
{
    if (!doSubents || owner.objectId().isNull())
        return;
    std::vector<AcDbObjectId> owned;
    owner.getOwnedIds(owned);
    for (AcDbObjectId id : owned) {
        auto* entity = AcDbEntity::cast(dh::db::objectOf(id));
        if (!entity || entity->isErased())
            continue;
        const bool writer = dh::db::ObjectAccess::writer(*entity);
        dh::db::ObjectAccess::setWriter(*entity, true);
        change(*entity);
        dh::db::ObjectAccess::setWriter(*entity, writer);
    }
}

} // namespace

char* AcDbEntity::layer() const { return nameOf(m_layerId); }

Acad::ErrorStatus AcDbEntity::setLayer(const char* name, bool doSubents)
{
    AcDbDatabase* db = propertyDatabase(this);
    if (!db || !name)
        return Acad::eInvalidInput;
    const AcDbObjectId id = DatabaseAccess::findRecord(*db, TableKind::kLayer, name);
    if (id.isNull())
        return Acad::eKeyNotFound;
    return setLayer(id, doSubents);
}

Acad::ErrorStatus AcDbEntity::setLayer(AcDbObjectId layerId, bool doSubents)
{
    if (const Acad::ErrorStatus es = assertWriteEnabled(); es != Acad::eOk)
        return es;
    if (!isLiveRecordOf(layerId, AcDbLayerTableRecord::desc(), database()))
        return Acad::eInvalidInput;
    m_layerId = layerId;
    changeOwned(*this, doSubents, [&](AcDbEntity& e) { e.setLayer(layerId, true); });
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setColor(const AcCmColor& color, bool doSubents)
{
    if (const Acad::ErrorStatus es = assertWriteEnabled(); es != Acad::eOk)
        return es;
    m_color = color;
    changeOwned(*this, doSubents, [&](AcDbEntity& e) { e.setColor(color, true); });
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setColorIndex(Adesk::UInt16 index, bool doSubents)
{
    if (const Acad::ErrorStatus es = assertWriteEnabled(); es != Acad::eOk)
        return es;
    AcCmColor color;
    if (color.setColorIndex(index) != Acad::eOk)
        return Acad::eInvalidInput;
    m_color = color;
    changeOwned(*this, doSubents, [&](AcDbEntity& e) { e.setColor(color, true); });
    return Acad::eOk;
}

char* AcDbEntity::linetype() const { return nameOf(m_linetypeId); }

Acad::ErrorStatus AcDbEntity::setLinetype(const char* name, bool doSubents)
{
    AcDbDatabase* db = propertyDatabase(this);
    if (!db || !name)
        return Acad::eInvalidInput;
    const AcDbObjectId id = DatabaseAccess::findRecord(*db, TableKind::kLinetype, name);
    if (id.isNull())
        return Acad::eKeyNotFound;
    return setLinetype(id, doSubents);
}

Acad::ErrorStatus AcDbEntity::setLinetype(AcDbObjectId linetypeId, bool doSubents)
{
    if (const Acad::ErrorStatus es = assertWriteEnabled(); es != Acad::eOk)
        return es;
    if (!isLiveRecordOf(linetypeId, AcDbLinetypeTableRecord::desc(), database()))
        return Acad::eInvalidInput;
    m_linetypeId = linetypeId;
    changeOwned(*this, doSubents, [&](AcDbEntity& e) { e.setLinetype(linetypeId, true); });
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setLinetypeScale(double scale, bool doSubents)
{
    if (const Acad::ErrorStatus es = assertWriteEnabled(); es != Acad::eOk)
        return es;
    if (!(scale > 0.0))
        return Acad::eInvalidInput;
    m_linetypeScale = scale;
    changeOwned(*this, doSubents, [&](AcDbEntity& e) { e.setLinetypeScale(scale, true); });
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setLineWeight(AcDb::LineWeight weight, bool doSubents)
{
    if (const Acad::ErrorStatus es = assertWriteEnabled(); es != Acad::eOk)
        return es;
    if (weight < AcDb::kLnWtByLwDefault || weight > AcDb::kLnWt211)
        return Acad::eInvalidInput;
    m_lineWeight = weight;
    changeOwned(*this, doSubents, [&](AcDbEntity& e) { e.setLineWeight(weight, true); });
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setVisibility(AcDb::Visibility visibility, bool doSubents)
{
    if (const Acad::ErrorStatus es = assertWriteEnabled(); es != Acad::eOk)
        return es;
    m_visibility = visibility;
    changeOwned(*this, doSubents, [&](AcDbEntity& e) { e.setVisibility(visibility, true); });
    return Acad::eOk;
}

// Ids of another drawing are matched by name; a property whose record this drawing lacks
// keeps its current value.
Acad::ErrorStatus AcDbEntity::setPropertiesFrom(const AcDbEntity* other, bool doSubents)
{
    if (!other)
        return Acad::eNullEntityPointer;
    if (const Acad::ErrorStatus es = assertWriteEnabled(); es != Acad::eOk)
        return es;
    AcDbDatabase* db = database() ? database() : other->database();
    if (const AcDbObjectId layer = sameNamedRecord(other->m_layerId, db, TableKind::kLayer); !layer.isNull())
        m_layerId = layer;
    if (const AcDbObjectId ltype = sameNamedRecord(other->m_linetypeId, db, TableKind::kLinetype); !ltype.isNull())
        m_linetypeId = ltype;
    m_color = other->m_color;
    m_linetypeScale = other->m_linetypeScale;
    m_lineWeight = other->m_lineWeight;
    m_visibility = other->m_visibility;
    changeOwned(*this, doSubents, [&](AcDbEntity& e) { e.setPropertiesFrom(other, true); });
    return Acad::eOk;
}

void AcDbEntity::setDatabaseDefaults(AcDbDatabase* db)
{
    if (!db)
        db = propertyDatabase(this);
    if (!db || assertWriteEnabled() != Acad::eOk)
        return;
    m_layerId = db->clayer();
    m_linetypeId = db->celtype();
    m_color = db->cecolor();
    m_linetypeScale = db->celtscale();
    m_lineWeight = db->celweight();
}

Acad::ErrorStatus AcDbEntity::getGeomExtents(AcDbExtents&) const { return Acad::eNotApplicable; }

Acad::ErrorStatus AcDbEntity::transformBy(const AcGeMatrix3d&) { return Acad::eNotApplicable; }

Acad::ErrorStatus AcDbEntity::getTransformedCopy(const AcGeMatrix3d& xform, AcDbEntity*& copy) const
{
    copy = nullptr;
    AcDbEntity* made = AcDbEntity::cast(clone());
    if (!made)
        return Acad::eNotApplicable;
    const Acad::ErrorStatus es = made->transformBy(xform);
    if (es != Acad::eOk) {
        delete made;
        return es;
    }
    copy = made;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::intersectWith(const AcDbEntity*, AcDb::Intersect, AcGePoint3dArray&,
                                            Adesk::GsMarker, Adesk::GsMarker) const
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbEntity::intersectWith(const AcDbEntity*, AcDb::Intersect, const AcGePlane&,
                                            AcGePoint3dArray&, Adesk::GsMarker, Adesk::GsMarker) const
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbEntity::explode(AcDbVoidPtrArray&) const { return Acad::eNotApplicable; }

Acad::ErrorStatus AcDbEntity::highlight() const
{
    m_highlighted = true;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::unhighlight() const
{
    m_highlighted = false;
    return Acad::eOk;
}

void AcDbEntity::translateIds(const std::function<AcDbObjectId(AcDbObjectId)>& map)
{
    AcDbObject::translateIds(map);
    m_layerId = map(m_layerId);
    m_linetypeId = map(m_linetypeId);
}

bool AcDbEntity::isOnLockedLayer() const
{
    auto* layer = AcDbLayerTableRecord::cast(dh::db::objectOf(m_layerId));
    return layer && layer->isLocked();
}
