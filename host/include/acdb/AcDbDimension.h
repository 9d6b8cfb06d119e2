// AcDbDimension and its kinds. A dimension is drawn by its geometry block (an anonymous
// block "*D…" holding its lines, arrowheads and texts in world coordinates); exploding
// gives copies of that block's entities. A transform moves the block's entities with the
// definition points when the block is the dimension's own; a copy (clone) shares its
// source's block, so it keeps its transform aside and gets a block of its own, with the
// transform applied, when it is added to a drawing. Each kind keeps its definition points under the group codes of
// the drawing format (13 … 16 and 10), which the typed accessors name.
#pragma once

#include <functional>

#include <acdb/AcDbEntity.h>
#include <acge/AcGeMatrix3d.h>
#include <acge/AcGeVector3d.h>

#include <string>
#include <vector>

class ADESK_EXPORT AcDbDimension : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbDimension);
    ACDB_DECLARE_COPY_MEMBERS(AcDbDimension);

    AcDbDimension();
    // A copy shares the source's geometry block until it joins a drawing.
    AcDbDimension(const AcDbDimension& other);
    // Assignment (the state restored by cancel) keeps whether this object owns its block.
    AcDbDimension& operator=(const AcDbDimension& other);

    AcDbObjectId dimBlockId() const;
    Acad::ErrorStatus setDimBlockId(AcDbObjectId blockId);
    AcGePoint3d dimBlockPosition() const { return m_blockPosition; }
    Acad::ErrorStatus setDimBlockPosition(const AcGePoint3d& position);
    AcGePoint3d textPosition() const { return m_textPosition; }
    Acad::ErrorStatus setTextPosition(const AcGePoint3d& position);
    double textRotation() const { return m_textRotation; }
    Acad::ErrorStatus setTextRotation(double angle);
    // The override text ("" shows the measurement); a new copy freed with free().
    char* dimensionText() const;
    Acad::ErrorStatus setDimensionText(const char* text);
    Acad::ErrorStatus measurement(double& value) const;
    AcDbObjectId dimensionStyle() const { return m_style; }
    Acad::ErrorStatus setDimensionStyle(AcDbObjectId style);
    AcGeVector3d normal() const { return m_normal; }
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);

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

protected:
    Acad::ErrorStatus subAddedToDatabase(AcDbDatabase* db) override;
    // The kind's subclass markers (the first one carries the kind's groups) and its type
    // number in group 70.
    AcDbDimension(std::vector<std::string> markers, int kind);
    AcGePoint3d point(int code) const;
    Acad::ErrorStatus setPoint(int code, const AcGePoint3d& p);
    double real(int code) const;
    Acad::ErrorStatus setReal(int code, double value);
    bool flag(int bit) const { return (m_flags & bit) != 0; }
    Acad::ErrorStatus setFlag(int bit, bool value);

private:
    struct PointGroup {
        int code;
        AcGePoint3d point;
    };
    struct RealGroup {
        int code;
        double value;
    };

    AcGeMatrix3d placement() const;

    mutable AcDbObjectId m_block;
    std::string m_blockName;
    // False for a copy that still draws with its source's block.
    bool m_ownsBlock = true;
    // Transforms not yet applied to the block's entities.
    AcGeMatrix3d m_pending;
    std::vector<std::string> m_markers;
    AcGePoint3d m_defPoint; // group 10, in the world
    AcGePoint3d m_textPosition;
    AcGePoint3d m_blockPosition;
    int m_flags = 0;
    int m_attachment = 5;
    int m_lineSpacingStyle = 1;
    double m_lineSpacingFactor = 1.0;
    double m_measurement = 0.0;
    bool m_hasMeasurement = false;
    double m_textRotation = 0.0;
    double m_horizontalRotation = 0.0;
    std::string m_text;
    AcDbObjectId m_style;
    std::string m_styleName;
    AcGeVector3d m_normal{0.0, 0.0, 1.0};
    std::vector<PointGroup> m_points; // 13 … 16
    std::vector<RealGroup> m_reals;   // 40, 50, 52
};

class ADESK_EXPORT AcDbAlignedDimension : public AcDbDimension {
public:
    ACRX_DECLARE_MEMBERS(AcDbAlignedDimension);
    ACDB_DECLARE_COPY_MEMBERS(AcDbAlignedDimension);
    AcDbAlignedDimension();
    AcGePoint3d xLine1Point() const { return point(13); }
    Acad::ErrorStatus setXLine1Point(const AcGePoint3d& p) { return setPoint(13, p); }
    AcGePoint3d xLine2Point() const { return point(14); }
    Acad::ErrorStatus setXLine2Point(const AcGePoint3d& p) { return setPoint(14, p); }
    AcGePoint3d dimLinePoint() const { return point(10); }
    Acad::ErrorStatus setDimLinePoint(const AcGePoint3d& p) { return setPoint(10, p); }
    double oblique() const { return real(52); }

protected:
    AcDbAlignedDimension(std::vector<std::string> markers, int kind) : AcDbDimension(std::move(markers), kind) {}
};

class ADESK_EXPORT AcDbRotatedDimension : public AcDbAlignedDimension {
public:
    ACRX_DECLARE_MEMBERS(AcDbRotatedDimension);
    ACDB_DECLARE_COPY_MEMBERS(AcDbRotatedDimension);
    AcDbRotatedDimension();
    double rotation() const { return real(50); }
    Acad::ErrorStatus setRotation(double angle) { return setReal(50, angle); }
};

class ADESK_EXPORT AcDbRadialDimension : public AcDbDimension {
public:
    ACRX_DECLARE_MEMBERS(AcDbRadialDimension);
    ACDB_DECLARE_COPY_MEMBERS(AcDbRadialDimension);
    AcDbRadialDimension();
    AcGePoint3d center() const { return point(10); }
    Acad::ErrorStatus setCenter(const AcGePoint3d& p) { return setPoint(10, p); }
    AcGePoint3d chordPoint() const { return point(15); }
    Acad::ErrorStatus setChordPoint(const AcGePoint3d& p) { return setPoint(15, p); }
    double leaderLength() const { return real(40); }
};

class ADESK_EXPORT AcDbDiametricDimension : public AcDbDimension {
public:
    ACRX_DECLARE_MEMBERS(AcDbDiametricDimension);
    ACDB_DECLARE_COPY_MEMBERS(AcDbDiametricDimension);
    AcDbDiametricDimension();
    AcGePoint3d chordPoint() const { return point(15); }
    Acad::ErrorStatus setChordPoint(const AcGePoint3d& p) { return setPoint(15, p); }
    AcGePoint3d farChordPoint() const { return point(10); }
    Acad::ErrorStatus setFarChordPoint(const AcGePoint3d& p) { return setPoint(10, p); }
    double leaderLength() const { return real(40); }
};

class ADESK_EXPORT AcDb2LineAngularDimension : public AcDbDimension {
public:
    ACRX_DECLARE_MEMBERS(AcDb2LineAngularDimension);
    ACDB_DECLARE_COPY_MEMBERS(AcDb2LineAngularDimension);
    AcDb2LineAngularDimension();
    AcGePoint3d xLine1Start() const { return point(13); }
    AcGePoint3d xLine1End() const { return point(14); }
    AcGePoint3d xLine2Start() const { return point(15); }
    AcGePoint3d xLine2End() const { return point(10); }
    AcGePoint3d arcPoint() const { return point(16); }
};

class ADESK_EXPORT AcDb3PointAngularDimension : public AcDbDimension {
public:
    ACRX_DECLARE_MEMBERS(AcDb3PointAngularDimension);
    ACDB_DECLARE_COPY_MEMBERS(AcDb3PointAngularDimension);
    AcDb3PointAngularDimension();
    AcGePoint3d xLine1Point() const { return point(13); }
    AcGePoint3d xLine2Point() const { return point(14); }
    AcGePoint3d centerPoint() const { return point(15); }
    AcGePoint3d arcPoint() const { return point(10); }
};

class ADESK_EXPORT AcDbOrdinateDimension : public AcDbDimension {
public:
    ACRX_DECLARE_MEMBERS(AcDbOrdinateDimension);
    ACDB_DECLARE_COPY_MEMBERS(AcDbOrdinateDimension);
    AcDbOrdinateDimension();
    AcGePoint3d origin() const { return point(10); }
    AcGePoint3d definingPoint() const { return point(13); }
    AcGePoint3d leaderEndPoint() const { return point(14); }
    bool isUsingXAxis() const { return flag(64); }
    Acad::ErrorStatus useXAxis() { return setFlag(64, true); }
    Acad::ErrorStatus useYAxis() { return setFlag(64, false); }
};
