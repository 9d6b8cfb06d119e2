#include "toolkit/PolylineData.h"

namespace dh::toolkit {

std::vector<PolylineVertex> readVertices(const AcDbPolyline& polyline)
{
    std::vector<PolylineVertex> vertices(polyline.numVerts());
    for (unsigned int i = 0; i < vertices.size(); ++i) {
        PolylineVertex& v = vertices[i];
        polyline.getPointAt(i, v.point);
        polyline.getBulgeAt(i, v.bulge);
        polyline.getWidthsAt(i, v.startWidth, v.endWidth);
    }
    return vertices;
}

Acad::ErrorStatus putVertex(AcDbPolyline& polyline, unsigned int index, const PolylineVertex& vertex)
{
    if (index == polyline.numVerts())
        return polyline.addVertexAt(index, vertex.point, vertex.bulge, vertex.startWidth, vertex.endWidth);
    Acad::ErrorStatus es = polyline.setPointAt(index, vertex.point);
    if (es == Acad::eOk)
        es = polyline.setBulgeAt(index, vertex.bulge);
    if (es == Acad::eOk)
        es = polyline.setWidthsAt(index, vertex.startWidth, vertex.endWidth);
    return es;
}

} // namespace dh::toolkit
