// AcDb3dPolylineVertex: a vertex of a 3D polyline, at a world position. Control vertices
// frame a spline-fit polyline but are not on its curve.
#pragma once

#include <acdb/AcDbVertex.h>

namespace AcDb {
enum Vertex3dType { k3dSimpleVertex = 0, k3dControlVertex = 1, k3dFitVertex = 2 };
}

class ADESK_EXPORT AcDb3dPolylineVertex : public AcDbVertex {
public:
    ACRX_DECLARE_MEMBERS(AcDb3dPolylineVertex);
    ACDB_DECLARE_COPY_MEMBERS(AcDb3dPolylineVertex);

    AcDb3dPolylineVertex() = default;
    explicit AcDb3dPolylineVertex(const AcGePoint3d& position) : m_position(position) {}

    AcDb::Vertex3dType vertexType() const { return m_type; }
    Acad::ErrorStatus setVertexType(AcDb::Vertex3dType type);
    AcGePoint3d position() const { return m_position; }
    Acad::ErrorStatus setPosition(const AcGePoint3d& position);

    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

private:
    AcGePoint3d m_position;
    AcDb::Vertex3dType m_type = AcDb::k3dSimpleVertex;
};
