// A chain of straight segments through world points: the curve of a 3D polyline or a
// leader. Its parameter is the vertex index plus the fraction of the segment; a closed
// chain runs on from the last point back to the first.
#pragma once

#include <acdb/AcDbCurve.h>

#include <vector>

namespace dh::db {

class PointChain : public AcDbCurve {
public:
    PointChain() = default;
    PointChain(std::vector<AcGePoint3d> points, bool closed) : m_points(std::move(points)), m_closed(closed) {}

    bool isClosed() const override { return m_closed; }
    const std::vector<AcGePoint3d>& points() const { return m_points; }

    void getSpans(std::vector<Span>& spans) const override;
    bool evaluate(double param, AcGePoint3d& point, AcGeVector3d* d1 = nullptr,
                  AcGeVector3d* d2 = nullptr) const override;
    Acad::ErrorStatus getSpline(AcDbSpline*& spline) const override;
    // The points of the stretch t0 … t1 (t1 may pass the end of a closed chain).
    std::vector<AcGePoint3d> stretch(double t0, double t1) const;

private:
    unsigned int numSegments() const;

    std::vector<AcGePoint3d> m_points;
    bool m_closed = false;
};

} // namespace dh::db
