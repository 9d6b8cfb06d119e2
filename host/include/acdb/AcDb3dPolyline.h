// AcDb3dPolyline: a polyline through world points, its vertices separate
// AcDb3dPolylineVertex entities it owns. The curve is the chain of straight segments
// through the vertices that are not control vertices; its parameter is the index among
// them plus the fraction of the segment. Held vertices and iteration as for AcDb2dPolyline.
#pragma once

#include <acdb/AcDb3dPolylineVertex.h>
#include <acdb/AcDbCurve.h>

#include <memory>

class AcDbObjectIterator;
namespace dh::db {
class PointChain;
template <class T>
class OwnedEntities;
}

namespace AcDb {
enum Poly3dType { k3dSimplePoly = 0, k3dQuadSplinePoly = 1, k3dCubicSplinePoly = 2 };
}

class ADESK_EXPORT AcDb3dPolyline : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDb3dPolyline);

    AcDb3dPolyline();
    AcDb3dPolyline(AcDb::Poly3dType type, const AcGePoint3dArray& vertices, bool closed = false);
    AcDb3dPolyline(const AcDb3dPolyline& other);
    AcDb3dPolyline& operator=(const AcDb3dPolyline& other);
    ~AcDb3dPolyline() override;
    AcRxObject* clone() const override;
    Acad::ErrorStatus copyFrom(const AcRxObject* other) override;

    Acad::ErrorStatus appendVertex(AcDb3dPolylineVertex* vertex);
    Acad::ErrorStatus appendVertex(AcDbObjectId& vertexId, AcDb3dPolylineVertex* vertex);
    AcDbObjectIterator* vertexIterator() const;
    Acad::ErrorStatus openVertex(AcDb3dPolylineVertex*& vertex, AcDbObjectId vertexId, AcDb::OpenMode mode,
                                 bool openErased = false) const;

    AcDb::Poly3dType polyType() const { return m_type; }
    Acad::ErrorStatus setPolyType(AcDb::Poly3dType type);
    bool isClosed() const override { return m_closed; }
    Acad::ErrorStatus makeClosed();
    Acad::ErrorStatus makeOpen();

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
    // Lines, one per segment.
    Acad::ErrorStatus explode(AcDbVoidPtrArray& entities) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    void getOwnedIds(std::vector<AcDbObjectId>& ids) const override;

    dh::db::PointChain shape() const;

protected:
    Acad::ErrorStatus subAddedToDatabase(AcDbDatabase* db) override;

private:
    std::unique_ptr<dh::db::OwnedEntities<AcDb3dPolylineVertex>> m_vertices;
    AcDb::Poly3dType m_type = AcDb::k3dSimplePoly;
    bool m_closed = false;
};
