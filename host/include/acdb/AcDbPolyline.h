// AcDbPolyline: the lightweight polyline. Vertices are 2D points in the plane of its
// normal (its object coordinate system) at its elevation, each with the bulge and the
// start and end widths of the segment that leaves it. The parameter is the vertex index
// plus the fraction of the segment (of its angle, for an arc): 0 … numVerts − 1, or
// … numVerts when closed. A width of −1 on a new vertex means the constant width.
#pragma once

#include <acdb/AcDbCurve.h>
#include <acge/AcGePoint2d.h>

class AcGeLineSeg2d;
class AcGeLineSeg3d;
class AcGeCircArc2d;
class AcGeCircArc3d;

class ADESK_EXPORT AcDbPolyline : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbPolyline);
    ACDB_DECLARE_COPY_MEMBERS(AcDbPolyline);

    enum SegType { kLine, kArc, kCoincident, kPoint, kEmpty };

    AcDbPolyline() = default;
    explicit AcDbPolyline(unsigned int numVerts);

    unsigned int numVerts() const { return static_cast<unsigned int>(m_vertices.size()); }
    // index may equal numVerts (append); eInvalidIndex beyond.
    Acad::ErrorStatus addVertexAt(unsigned int index, const AcGePoint2d& point, double bulge = 0.0,
                                  double startWidth = -1.0, double endWidth = -1.0);
    Acad::ErrorStatus removeVertexAt(unsigned int index);
    Acad::ErrorStatus reset(bool reuse, unsigned int numVerts);

    // The vertex in the polyline's own coordinates, or in world coordinates (3D form).
    Acad::ErrorStatus getPointAt(unsigned int index, AcGePoint2d& point) const;
    Acad::ErrorStatus getPointAt(unsigned int index, AcGePoint3d& point) const;
    Acad::ErrorStatus setPointAt(unsigned int index, const AcGePoint2d& point);
    Acad::ErrorStatus getBulgeAt(unsigned int index, double& bulge) const;
    Acad::ErrorStatus setBulgeAt(unsigned int index, double bulge);
    Acad::ErrorStatus getWidthsAt(unsigned int index, double& startWidth, double& endWidth) const;
    Acad::ErrorStatus setWidthsAt(unsigned int index, double startWidth, double endWidth);

    // Kind of the segment that starts at vertex index: kPoint for a single vertex or the last
    // vertex of an open polyline, kEmpty for no vertex or an index beyond them.
    SegType segType(unsigned int index) const;
    Acad::ErrorStatus getLineSegAt(unsigned int index, AcGeLineSeg2d& line) const;
    Acad::ErrorStatus getLineSegAt(unsigned int index, AcGeLineSeg3d& line) const;
    Acad::ErrorStatus getArcSegAt(unsigned int index, AcGeCircArc2d& arc) const;
    Acad::ErrorStatus getArcSegAt(unsigned int index, AcGeCircArc3d& arc) const;
    bool onSegAt(unsigned int index, const AcGePoint2d& point, double& param) const;

    bool isClosed() const override { return m_closed; }
    void setClosed(bool closed);
    bool isOnlyLines() const;
    bool hasBulges() const;
    bool hasWidth() const;
    // eInvalidInput when the segments' widths differ.
    Acad::ErrorStatus constantWidth(double& width) const;
    Acad::ErrorStatus setConstantWidth(double width);
    double elevation() const { return m_elevation; }
    void setElevation(double elevation);
    double thickness() const { return m_thickness; }
    Acad::ErrorStatus setThickness(double thickness);
    AcGeVector3d normal() const { return m_normal; }
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
    bool hasPlinegen() const { return m_plinegen; }
    void setPlinegen(bool plinegen);
    Acad::ErrorStatus getPlane(AcGePlane& plane, AcDb::Planarity& planarity) const override;

    Acad::ErrorStatus getArea(double& area) const override;
    Acad::ErrorStatus getSpline(AcDbSpline*& spline) const override;
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    // Lines and arcs, one per segment, with the polyline's properties.
    Acad::ErrorStatus explode(AcDbVoidPtrArray& entities) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

    void getSpans(std::vector<Span>& spans) const override;
    bool evaluate(double param, AcGePoint3d& point, AcGeVector3d* d1 = nullptr,
                  AcGeVector3d* d2 = nullptr) const override;
    AcDbCurve* makePiece(double t0, double t1) const override;

private:
    struct Vertex {
        AcGePoint2d point;
        double bulge = 0.0;
        double startWidth = 0.0;
        double endWidth = 0.0;
    };
    unsigned int numSegments() const;
    const Vertex& vertexAfter(unsigned int index) const { return m_vertices[(index + 1) % m_vertices.size()]; }
    AcGePoint3d toWorld(const AcGePoint2d& point) const;

    std::vector<Vertex> m_vertices;
    bool m_closed = false;
    bool m_plinegen = false;
    double m_constantWidth = 0.0;
    double m_elevation = 0.0;
    double m_thickness = 0.0;
    AcGeVector3d m_normal{0.0, 0.0, 1.0};
};
