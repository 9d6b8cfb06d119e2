// Base of every drawing entity: the common properties (layer, colour, linetype and its
// scale, line weight, visibility) and the geometric operations each entity class
// overrides. The base answers eNotApplicable for an operation a class does not have.
//
// Layer and linetype are kept as ids; an entity made outside a database takes the names
// from the working database and gets the database defaults when it is appended.
#pragma once

#include <acdb/AcCmColor.h>
#include <acdb/AcDbExtents.h>
#include <acdb/AcDbObject.h>
#include <acge/AcGePoint3d.h>
#include <adesk/AcArray.h>

class AcGeMatrix3d;
class AcGePlane;

typedef AcArray<void*> AcDbVoidPtrArray;
typedef AcArray<AcDbObjectId> AcDbObjectIdArray;

class ADESK_EXPORT AcDbEntity : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbEntity);

    AcDbEntity() = default;
    AcDbEntity(const AcDbEntity& other) = default;
    AcDbEntity& operator=(const AcDbEntity& other) = default;

    // The block table record holding the entity.
    AcDbObjectId blockId() const { return ownerId(); }

    // Layer: the name is a new string the caller frees with free() (nullptr when the
    // entity has no layer yet). setLayer answers eKeyNotFound for a layer the database
    // does not have.
    char* layer() const;
    AcDbObjectId layerId() const { return m_layerId; }
    Acad::ErrorStatus setLayer(const char* name, bool doSubents = true);
    Acad::ErrorStatus setLayer(AcDbObjectId layerId, bool doSubents = true);

    AcCmColor color() const { return m_color; }
    Adesk::UInt16 colorIndex() const { return m_color.colorIndex(); }
    Acad::ErrorStatus setColor(const AcCmColor& color, bool doSubents = true);
    Acad::ErrorStatus setColorIndex(Adesk::UInt16 index, bool doSubents = true);

    char* linetype() const;
    AcDbObjectId linetypeId() const { return m_linetypeId; }
    Acad::ErrorStatus setLinetype(const char* name, bool doSubents = true);
    Acad::ErrorStatus setLinetype(AcDbObjectId linetypeId, bool doSubents = true);
    double linetypeScale() const { return m_linetypeScale; }
    Acad::ErrorStatus setLinetypeScale(double scale, bool doSubents = true);

    AcDb::LineWeight lineWeight() const { return m_lineWeight; }
    Acad::ErrorStatus setLineWeight(AcDb::LineWeight weight, bool doSubents = true);
    AcDb::Visibility visibility() const { return m_visibility; }
    Acad::ErrorStatus setVisibility(AcDb::Visibility visibility, bool doSubents = true);

    // Copies layer, colour, linetype, linetype scale, line weight and visibility.
    Acad::ErrorStatus setPropertiesFrom(const AcDbEntity* other, bool doSubents = true);
    // Layer, linetype and their scale from the database's current settings (the working
    // database when db is null), colour by layer.
    void setDatabaseDefaults(AcDbDatabase* db = nullptr);

    // Geometry.
    virtual Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const;
    virtual Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform);
    // A new transformed copy the caller owns; the base clones and transforms.
    virtual Acad::ErrorStatus getTransformedCopy(const AcGeMatrix3d& xform, AcDbEntity*& copy) const;
    // Appends the intersection points with another entity to points.
    virtual Acad::ErrorStatus intersectWith(const AcDbEntity* other, AcDb::Intersect type,
                                            AcGePoint3dArray& points,
                                            Adesk::GsMarker thisGsMarker = 0,
                                            Adesk::GsMarker otherGsMarker = 0) const;
    // The same with both entities projected onto a plane; the points lie on this entity.
    virtual Acad::ErrorStatus intersectWith(const AcDbEntity* other, AcDb::Intersect type,
                                            const AcGePlane& projPlane, AcGePoint3dArray& points,
                                            Adesk::GsMarker thisGsMarker = 0,
                                            Adesk::GsMarker otherGsMarker = 0) const;
    // Appends new entities (AcDbEntity*, owned by the caller) that together replace this one.
    virtual Acad::ErrorStatus explode(AcDbVoidPtrArray& entities) const;

    virtual Acad::ErrorStatus highlight() const;
    virtual Acad::ErrorStatus unhighlight() const;
    bool isHighlighted() const { return m_highlighted; }

    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    void translateIds(const std::function<AcDbObjectId(AcDbObjectId)>& map) override;

protected:
    bool isOnLockedLayer() const override;

private:
    AcDbObjectId m_layerId;
    AcDbObjectId m_linetypeId;
    double m_linetypeScale = 1.0;
    AcCmColor m_color;
    AcDb::LineWeight m_lineWeight = AcDb::kLnWtByLayer;
    AcDb::Visibility m_visibility = AcDb::kVisible;
    mutable bool m_highlighted = false;
};
