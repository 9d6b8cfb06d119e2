#include "host/db/entities/NurbsBuilder.h"

#include <acdb/AcDbSpline.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace dh::db {

void NurbsBuilder::addLine(const AcGePoint3d& a, const AcGePoint3d& b)
{
    Piece piece;
    piece.p0 = a;
    piece.p2 = b;
    piece.p1 = a + (b - a) * 0.5;
    piece.length = a.distanceTo(b);
    m_pieces.push_back(piece);
}

void NurbsBuilder::addArc(const AcGePoint3d& center, const AcGeVector3d& axisA, const AcGeVector3d& axisB,
                          double t0, double t1)
{
    const int count = std::max(1, static_cast<int>(std::ceil(std::fabs(t1 - t0) / (0.5 * std::numbers::pi) - 1e-9)));
    const double step = (t1 - t0) / count;
    auto at = [&](double t) { return center + axisA * std::cos(t) + axisB * std::sin(t); };
    for (int i = 0; i < count; ++i) {
        const double a = t0 + step * i;
        const double b = i + 1 == count ? t1 : a + step;
        const double half = 0.5 * (b - a);
        const double mid = a + half;
        Piece piece;
        piece.line = false;
        piece.p0 = at(a);
        piece.p2 = at(b);
        piece.w1 = std::cos(half);
        piece.p1 = center + (axisA * std::cos(mid) + axisB * std::sin(mid)) / piece.w1;
        // The knot span only needs to grow with the piece; the mean radius times the angle
        // is close enough to its length.
        piece.length = 0.5 * (axisA.length() + axisB.length()) * std::fabs(b - a);
        m_pieces.push_back(piece);
    }
}

AcDbSpline* NurbsBuilder::makeSpline(bool closed) const
{
    const bool linesOnly = std::all_of(m_pieces.begin(), m_pieces.end(), [](const Piece& p) { return p.line; });
    AcGePoint3dArray points;
    AcGeDoubleArray knots;
    AcGeDoubleArray weights;
    double at = 0.0;
    if (linesOnly) {
        knots.append(0.0);
        knots.append(0.0);
        points.append(m_pieces.front().p0);
        for (const Piece& piece : m_pieces) {
            at += std::max(piece.length, 1e-12);
            points.append(piece.p2);
            knots.append(at);
        }
        knots.append(at);
        AcDbSpline* spline = new AcDbSpline(1, false, closed, false, points, knots, weights);
        return spline;
    }
    const bool rational = std::any_of(m_pieces.begin(), m_pieces.end(), [](const Piece& p) { return p.w1 != 1.0; });
    knots.append(0.0);
    knots.append(0.0);
    knots.append(0.0);
    points.append(m_pieces.front().p0);
    weights.append(1.0);
    for (size_t i = 0; i < m_pieces.size(); ++i) {
        const Piece& piece = m_pieces[i];
        at += std::max(piece.length, 1e-12);
        points.append(piece.p1);
        weights.append(piece.w1);
        points.append(piece.p2);
        weights.append(1.0);
        knots.append(at);
        knots.append(at);
    }
    knots.append(at);
    if (!rational)
        weights.removeAll();
    return new AcDbSpline(2, rational, closed, false, points, knots, weights);
}

} // namespace dh::db
