// AcDb2dPolyline: the old-style 2D polyline, whose vertices are separate AcDb2dVertex
// entities it owns. Vertices are in its own coordinate system at its elevation. The curve
// runs through the vertices that are not spline control vertices, with their bulges; its
// parameter is the index among those vertices plus the fraction of the segment. A
// polyline not yet in a database holds its vertices itself; vertexIterator then walks
// nothing (there are no ids yet) and the curve interface still sees them.
#pragma once

#include <acdb/AcDb2dVertex.h>
#include <acdb/AcDbCurve.h>

#include <memory>

class AcDbObjectIterator;
class AcDbPolyline;
namespace dh::db {
template <class T>
class OwnedEntities;
}

namespace AcDb {
enum Poly2dType { k2dSimplePoly = 0, k2dFitCurvePoly = 1, k2dQuadSplinePoly = 2, k2dCubicSplinePoly = 3 };
}

class ADESK_EXPORT AcDb2dPolyline : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDb2dPolyline);

    AcDb2dPolyline();
    // Simple vertices at the points (x, y used), bulges from the array when given.
    AcDb2dPolyline(AcDb::Poly2dType type, const AcGePoint3dArray& vertices, double elevation = 0.0,
                   bool closed = false, double defaultStartWidth = 0.0, double defaultEndWidth = 0.0,
                   const AcGeDoubleArray* bulges = nullptr);
    AcDb2dPolyline(const AcDb2dPolyline& other);
    AcDb2dPolyline& operator=(const AcDb2dPolyline& other);
    ~AcDb2dPolyline() override;
    // A copy with copies of the vertices.
    AcRxObject* clone() const override;
    Acad::ErrorStatus copyFrom(const AcRxObject* other) override;

    // Takes the vertex; in a database it is added at once and closed.
    Acad::ErrorStatus appendVertex(AcDb2dVertex* vertex);
    Acad::ErrorStatus appendVertex(AcDbObjectId& vertexId, AcDb2dVertex* vertex);
    // A new iterator over the vertex ids (caller deletes it).
    AcDbObjectIterator* vertexIterator() const;
    // eInvalidInput for an id that is not one of this polyline's vertices.
    Acad::ErrorStatus openVertex(AcDb2dVertex*& vertex, AcDbObjectId vertexId, AcDb::OpenMode mode,
                                 bool openErased = false) const;
    // The world position of one of this polyline's vertices.
    AcGePoint3d vertexPosition(const AcDb2dVertex& vertex) const;

    AcDb::Poly2dType polyType() const { return m_type; }
    Acad::ErrorStatus setPolyType(AcDb::Poly2dType type);
    bool isClosed() const override { return m_closed; }
    Acad::ErrorStatus makeClosed();
    Acad::ErrorStatus makeOpen();
    double elevation() const { return m_elevation; }
    Acad::ErrorStatus setElevation(double elevation);
    double thickness() const { return m_thickness; }
    Acad::ErrorStatus setThickness(double thickness);
    double defaultStartWidth() const { return m_defaultStartWidth; }
    Acad::ErrorStatus setDefaultStartWidth(double width);
    double defaultEndWidth() const { return m_defaultEndWidth; }
    Acad::ErrorStatus setDefaultEndWidth(double width);
    AcGeVector3d normal() const { return m_normal; }
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
    bool isLinetypeGenerationOn() const { return m_plinegen; }
    Acad::ErrorStatus setLinetypeGenerationOn();
    Acad::ErrorStatus setLinetypeGenerationOff();

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
    Acad::ErrorStatus getSpline(AcDbSpline*& spline) const override;
    AcDbCurve* makePiece(double t0, double t1) const override;

    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    // Lines and arcs, one per segment of the curve.
    Acad::ErrorStatus explode(AcDbVoidPtrArray& entities) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    void getOwnedIds(std::vector<AcDbObjectId>& ids) const override;

    // The curve as a lightweight polyline (vertices on the curve, bulges, widths, plane).
    AcDbPolyline shape() const;

protected:
    Acad::ErrorStatus subAddedToDatabase(AcDbDatabase* db) override;

private:
    std::unique_ptr<dh::db::OwnedEntities<AcDb2dVertex>> m_vertices;
    AcDb::Poly2dType m_type = AcDb::k2dSimplePoly;
    bool m_closed = false;
    bool m_plinegen = false;
    double m_elevation = 0.0;
    double m_thickness = 0.0;
    double m_defaultStartWidth = 0.0;
    double m_defaultEndWidth = 0.0;
    AcGeVector3d m_normal{0.0, 0.0, 1.0};
};
