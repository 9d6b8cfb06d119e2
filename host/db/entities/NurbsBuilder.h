// Builds the spline form of lines, circular and elliptical arcs: rational quadratic
// pieces of at most a quarter turn, joined with double knots (lines alone stay degree 1).
// Knot spans follow the pieces' lengths, so the spline's parameter grows like distance.
#pragma once

#include <acge/AcGeArrays.h>
#include <acge/AcGePoint3d.h>
#include <acge/AcGeVector3d.h>

#include <vector>

class AcDbSpline;

namespace dh::db {

class NurbsBuilder {
public:
    void addLine(const AcGePoint3d& a, const AcGePoint3d& b);
    // The elliptical arc center + cos t · axisA + sin t · axisB for t from t0 to t1 (t1 may
    // be below t0 for a clockwise run); a circle has perpendicular axes of equal length.
    void addArc(const AcGePoint3d& center, const AcGeVector3d& axisA, const AcGeVector3d& axisB, double t0,
                double t1);

    bool isEmpty() const { return m_pieces.empty(); }
    // A new spline of the pieces (caller owns it); closed marks a curve that ends at its start.
    AcDbSpline* makeSpline(bool closed) const;

private:
    struct Piece {
        AcGePoint3d p0, p1, p2;
        double w1 = 1.0;
        double length = 0.0;
        bool line = true;
    };
    std::vector<Piece> m_pieces;
};

} // namespace dh::db
