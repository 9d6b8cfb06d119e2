// AcDbBlockReference: an insertion of a block definition, placed by its position (world),
// scale factors, rotation about its normal and the normal's coordinate system; it owns
// the attributes that carry its values. Exploding gives copies of the block's entities
// so placed (attribute definitions left out) and one single-line text per visible
// attribute, showing its value.
#pragma once

#include <functional>

#include <acdb/AcDbAttribute.h>
#include <acdb/AcDbEntity.h>
#include <acge/AcGeMatrix3d.h>
#include <acge/AcGeScale3d.h>

#include <memory>
#include <string>

class AcDbObjectIterator;
namespace dh::db {
template <class T>
class OwnedEntities;
}

class ADESK_EXPORT AcDbBlockReference : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbBlockReference);

    AcDbBlockReference();
    AcDbBlockReference(const AcGePoint3d& position, AcDbObjectId blockTableRecord);
    AcDbBlockReference(const AcDbBlockReference& other);
    AcDbBlockReference& operator=(const AcDbBlockReference& other);
    ~AcDbBlockReference() override;
    AcRxObject* clone() const override;
    Acad::ErrorStatus copyFrom(const AcRxObject* other) override;

    AcDbObjectId blockTableRecord() const;
    Acad::ErrorStatus setBlockTableRecord(AcDbObjectId block);
    AcGePoint3d position() const { return m_position; }
    Acad::ErrorStatus setPosition(const AcGePoint3d& position);
    AcGeScale3d scaleFactors() const { return m_scale; }
    // eInvalidInput for a zero factor.
    Acad::ErrorStatus setScaleFactors(const AcGeScale3d& scale);
    double rotation() const { return m_rotation; }
    Acad::ErrorStatus setRotation(double angle);
    AcGeVector3d normal() const { return m_normal; }
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
    // Block coordinates to world: the block's base point goes to the position.
    AcGeMatrix3d blockTransform() const;

    // Takes the attribute; in a database it is added at once and closed.
    Acad::ErrorStatus appendAttribute(AcDbAttribute* attribute);
    Acad::ErrorStatus appendAttribute(AcDbObjectId& attributeId, AcDbAttribute* attribute);
    // A new iterator over the attribute ids (caller deletes it).
    AcDbObjectIterator* attributeIterator() const;

    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus explode(AcDbVoidPtrArray& entities) const override;
    Acad::ErrorStatus intersectWith(const AcDbEntity* other, AcDb::Intersect type, AcGePoint3dArray& points,
                                    Adesk::GsMarker thisGsMarker = 0,
                                    Adesk::GsMarker otherGsMarker = 0) const override;
    Acad::ErrorStatus intersectWith(const AcDbEntity* other, AcDb::Intersect type, const AcGePlane& projPlane,
                                    AcGePoint3dArray& points, Adesk::GsMarker thisGsMarker = 0,
                                    Adesk::GsMarker otherGsMarker = 0) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    void translateIds(const std::function<AcDbObjectId(AcDbObjectId)>& map) override;
    void getOwnedIds(std::vector<AcDbObjectId>& ids) const override;

protected:
    Acad::ErrorStatus subAddedToDatabase(AcDbDatabase* db) override;

private:
    std::unique_ptr<dh::db::OwnedEntities<AcDbAttribute>> m_attributes;
    // A file may insert a block defined after the reference; its name is kept and looked
    // up when first needed.
    mutable AcDbObjectId m_block;
    std::string m_blockName;
    AcGePoint3d m_position;
    AcGeScale3d m_scale{1.0, 1.0, 1.0};
    double m_rotation = 0.0;
    AcGeVector3d m_normal{0.0, 0.0, 1.0};
    // Array insertion (MINSERT) counts and spacing, kept for the file.
    int m_columns = 1;
    int m_rows = 1;
    double m_columnSpacing = 0.0;
    double m_rowSpacing = 0.0;
};
