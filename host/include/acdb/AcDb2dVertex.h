// AcDb2dVertex: a vertex of an old-style 2D polyline. Its position is in the polyline's
// own coordinate system (x, y; z is the polyline's elevation); bulge and widths belong to
// the segment that leaves it. Spline control vertices frame a spline-fit polyline but are
// not on its curve.
#pragma once

#include <acdb/AcDbVertex.h>

namespace AcDb {
enum Vertex2dType { k2dVertex = 0, k2dSplineCtlVertex = 1, k2dSplineFitVertex = 2, k2dCurveFitVertex = 3 };
}

class ADESK_EXPORT AcDb2dVertex : public AcDbVertex {
public:
    ACRX_DECLARE_MEMBERS(AcDb2dVertex);
    ACDB_DECLARE_COPY_MEMBERS(AcDb2dVertex);

    AcDb2dVertex() = default;
    AcDb2dVertex(const AcGePoint3d& position, double bulge = 0.0, double startWidth = 0.0, double endWidth = 0.0,
                 double tangent = 0.0);

    AcDb::Vertex2dType vertexType() const { return m_type; }
    Acad::ErrorStatus setVertexType(AcDb::Vertex2dType type);
    AcGePoint3d position() const { return m_position; }
    Acad::ErrorStatus setPosition(const AcGePoint3d& position);
    double bulge() const { return m_bulge; }
    Acad::ErrorStatus setBulge(double bulge);
    double startWidth() const { return m_startWidth; }
    Acad::ErrorStatus setStartWidth(double width);
    double endWidth() const { return m_endWidth; }
    Acad::ErrorStatus setEndWidth(double width);
    double tangent() const { return m_tangent; }
    Acad::ErrorStatus setTangent(double tangent);
    bool isTangentUsed() const { return m_tangentUsed; }
    Acad::ErrorStatus useTangent();
    Acad::ErrorStatus ignoreTangent();

    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

private:
    AcGePoint3d m_position;
    double m_bulge = 0.0;
    double m_startWidth = 0.0;
    double m_endWidth = 0.0;
    double m_tangent = 0.0;
    bool m_tangentUsed = false;
    AcDb::Vertex2dType m_type = AcDb::k2dVertex;
};
