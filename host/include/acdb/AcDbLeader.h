// AcDbLeader: a leader line through its vertices (world points), pointing with an
// arrowhead at its first vertex. As a curve it is the chain of straight segments through
// the vertices, its parameter the vertex index plus the fraction of the segment; it gives
// no split pieces.
#pragma once

#include <functional>

#include <acdb/AcDbCurve.h>

#include <string>

namespace dh::db {
class PointChain;
}

class ADESK_EXPORT AcDbLeader : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbLeader);
    ACDB_DECLARE_COPY_MEMBERS(AcDbLeader);

    AcDbLeader() = default;

    int numVertices() const { return static_cast<int>(m_vertices.size()); }
    bool appendVertex(const AcGePoint3d& point);
    void removeLastVertex();
    AcGePoint3d firstVertex() const;
    AcGePoint3d lastVertex() const;
    AcGePoint3d vertexAt(int index) const;
    bool setVertexAt(int index, const AcGePoint3d& point);
    AcGeVector3d normal() const { return m_normal; }
    bool hasArrowHead() const { return m_arrowHead; }
    void enableArrowHead() { m_arrowHead = true; }
    void disableArrowHead() { m_arrowHead = false; }
    AcDbObjectId annotationObjId() const { return m_annotation; }
    Acad::ErrorStatus attachAnnotation(AcDbObjectId annotationId);
    AcDbObjectId dimensionStyle() const { return m_style; }

    Acad::ErrorStatus getStartParam(double& param) const override;
    Acad::ErrorStatus getEndParam(double& param) const override;
    Acad::ErrorStatus getStartPoint(AcGePoint3d& point) const override;
    Acad::ErrorStatus getEndPoint(AcGePoint3d& point) const override;
    Acad::ErrorStatus getPointAtParam(double param, AcGePoint3d& point) const override;
    Acad::ErrorStatus getParamAtPoint(const AcGePoint3d& point, double& param) const override;
    Acad::ErrorStatus getDistAtParam(double param, double& dist) const override;
    Acad::ErrorStatus getParamAtDist(double dist, double& param) const override;
    Acad::ErrorStatus getDistAtPoint(const AcGePoint3d& point, double& dist) const override;
    Acad::ErrorStatus getPointAtDist(double dist, AcGePoint3d& point) const override;
    Acad::ErrorStatus getFirstDeriv(double param, AcGeVector3d& deriv) const override;
    Acad::ErrorStatus getFirstDeriv(const AcGePoint3d& point, AcGeVector3d& deriv) const override;
    Acad::ErrorStatus getSecondDeriv(double param, AcGeVector3d& deriv) const override;
    Acad::ErrorStatus getSecondDeriv(const AcGePoint3d& point, AcGeVector3d& deriv) const override;
    Acad::ErrorStatus getClosestPointTo(const AcGePoint3d& given, AcGePoint3d& result,
                                        bool extend = false) const override;
    Acad::ErrorStatus getClosestPointTo(const AcGePoint3d& given, const AcGeVector3d& normal,
                                        AcGePoint3d& result, bool extend = false) const override;
    Acad::ErrorStatus getArea(double& area) const override;
    Acad::ErrorStatus getPlane(AcGePlane& plane, AcDb::Planarity& planarity) const override;
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    void getSpans(std::vector<Span>& spans) const override;
    bool evaluate(double param, AcGePoint3d& point, AcGeVector3d* d1 = nullptr,
                  AcGeVector3d* d2 = nullptr) const override;
    Acad::ErrorStatus getSplitCurves(const AcGeDoubleArray& params, AcDbVoidPtrArray& curveSegments) const override;
    Acad::ErrorStatus getSplitCurves(const AcGePoint3dArray& points, AcDbVoidPtrArray& curveSegments) const override;
    Acad::ErrorStatus getSpline(AcDbSpline*& spline) const override;

    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    // Lines, one per segment.
    Acad::ErrorStatus explode(AcDbVoidPtrArray& entities) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    void translateIds(const std::function<AcDbObjectId(AcDbObjectId)>& map) override;

    dh::db::PointChain shape() const;

private:
    std::vector<AcGePoint3d> m_vertices;
    AcGeVector3d m_normal{0.0, 0.0, 1.0};
    AcGeVector3d m_horizontal{1.0, 0.0, 0.0};
    bool m_arrowHead = true;
    int m_pathType = 0;
    int m_creation = 3;
    int m_hooklineDirection = 0;
    int m_hookline = 0;
    double m_textHeight = 0.0;
    double m_textWidth = 0.0;
    AcDbObjectId m_annotation;
    AcDbObjectId m_style;
    std::string m_styleName;
};
