#include "host/db/entities/CurveMath.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace dh::db {

namespace {

// 5-point Gauss–Legendre nodes and weights on [-1, 1].
constexpr double kNodes[5] = {0.0, -0.5384693101056831, 0.5384693101056831, -0.9061798459386640,
                              0.9061798459386640};
constexpr double kWeights[5] = {0.5688888888888889, 0.4786286704993665, 0.4786286704993665,
                                0.2369268850561891, 0.2369268850561891};
// Sub-intervals per span for curves of varying speed (ellipses, splines); with 5 nodes
// each this keeps the length within about 1e-10 of the true value for ordinary shapes.
constexpr int kPieces = 16;

double speedAt(const AcDbCurve& curve, double t)
{
    AcGePoint3d p;
    AcGeVector3d d1;
    curve.evaluate(t, p, &d1);
    return d1.length();
}

AcGeVector3d across(const AcGeVector3d& v, const AcGeVector3d* normal)
{
    return normal ? v - *normal * v.dotProduct(*normal) : v;
}

double distanceSq(const AcDbCurve& curve, double t, const AcGePoint3d& given, const AcGeVector3d* normal)
{
    AcGePoint3d p;
    curve.evaluate(t, p);
    return across(p - given, normal).lengthSqrd();
}

// Newton steps on (P(t) - Q)·P'(t) = 0 inside [a, b].
double refineClosest(const AcDbCurve& curve, double t, double a, double b, const AcGePoint3d& given,
                     const AcGeVector3d* normal)
{
    for (int i = 0; i < 40; ++i) {
        AcGePoint3d p;
        AcGeVector3d d1, d2;
        curve.evaluate(t, p, &d1, &d2);
        const AcGeVector3d r = across(p - given, normal);
        const AcGeVector3d v = across(d1, normal);
        const double g = r.dotProduct(v);
        const double gp = v.lengthSqrd() + r.dotProduct(across(d2, normal));
        if (gp <= 0.0)
            break;
        const double next = std::clamp(t - g / gp, a, b);
        const double step = std::fabs(next - t);
        t = next;
        if (step <= 1e-15 * std::max(1.0, std::fabs(t)))
            break;
    }
    return t;
}

} // namespace

double gaussLength(const AcDbCurve& curve, double t0, double t1)
{
    double sum = 0.0;
    const double h = (t1 - t0) / kPieces;
    for (int k = 0; k < kPieces; ++k) {
        const double mid = t0 + h * (k + 0.5);
        for (int i = 0; i < 5; ++i)
            sum += kWeights[i] * speedAt(curve, mid + 0.5 * h * kNodes[i]);
    }
    return sum * 0.5 * h;
}

double solveLength(const AcDbCurve& curve, double t0, double t1, double want)
{
    double lo = t0, hi = t1;
    double t = t0 + (t1 - t0) * 0.5;
    for (int i = 0; i < 60; ++i) {
        const double f = gaussLength(curve, t0, t) - want;
        if (std::fabs(f) <= 1e-12 * std::max(1.0, want))
            break;
        if (f > 0)
            hi = t;
        else
            lo = t;
        const double speed = speedAt(curve, t);
        double next = speed > 0.0 ? t - f / speed : 0.5 * (lo + hi);
        if (next <= lo || next >= hi)
            next = 0.5 * (lo + hi);
        t = next;
    }
    return t;
}

bool closestParamOnSpans(const AcDbCurve& curve, const std::vector<AcDbCurve::Span>& spans,
                         const AcGePoint3d& given, const AcGeVector3d* normal, double& param)
{
    double bestT = spans.front().start;
    double best = std::numeric_limits<double>::max();
    auto consider = [&](double t) {
        const double d = distanceSq(curve, t, given, normal);
        if (d < best) {
            best = d;
            bestT = t;
        }
    };
    for (const AcDbCurve::Span& span : spans) {
        const int n = span.uniformSpeed ? 6 : 16;
        std::vector<double> ds(static_cast<size_t>(n) + 1);
        for (int i = 0; i <= n; ++i)
            ds[static_cast<size_t>(i)] = distanceSq(curve, span.start + (span.end - span.start) * i / n, given, normal);
        for (int i = 0; i <= n; ++i) {
            const double t = span.start + (span.end - span.start) * i / n;
            const bool localMin = (i == 0 || ds[static_cast<size_t>(i)] <= ds[static_cast<size_t>(i - 1)])
                && (i == n || ds[static_cast<size_t>(i)] <= ds[static_cast<size_t>(i + 1)]);
            if (!localMin)
                continue;
            consider(t);
            // Search the two neighbouring intervals, each on its own, so that Newton cannot
            // wander past a corner of the distance function. Newton starts inside the
            // interval: at a span's end the curve answers the next span's derivatives.
            if (i > 0) {
                const double before = span.start + (span.end - span.start) * (i - 1) / n;
                consider(refineClosest(curve, 0.5 * (before + t), before, t, given, normal));
            }
            if (i < n) {
                const double after = span.start + (span.end - span.start) * (i + 1) / n;
                consider(refineClosest(curve, 0.5 * (t + after), t, after, given, normal));
            }
        }
    }
    param = bestT;
    return true;
}

void sampleCurve(const AcDbCurve& curve, int perSpan, std::vector<AcGePoint3d>& points)
{
    std::vector<AcDbCurve::Span> spans;
    curve.getSpans(spans);
    for (const AcDbCurve::Span& span : spans) {
        for (int i = points.empty() ? 0 : 1; i <= perSpan; ++i) {
            AcGePoint3d p;
            curve.evaluate(span.start + (span.end - span.start) * i / perSpan, p);
            points.push_back(p);
        }
    }
}

AcDb::Planarity fitPlane(const std::vector<AcGePoint3d>& points, AcGePlane& plane, double tol)
{
    AcGeVector3d n;
    AcGeVector3d centroid;
    for (size_t i = 0; i < points.size(); ++i) {
        const AcGePoint3d& a = points[i];
        const AcGePoint3d& b = points[(i + 1) % points.size()];
        n.x += (a.y - b.y) * (a.z + b.z);
        n.y += (a.z - b.z) * (a.x + b.x);
        n.z += (a.x - b.x) * (a.y + b.y);
        centroid += a.asVector();
    }
    const AcGePoint3d origin = AcGePoint3d::kOrigin + centroid / static_cast<double>(points.size());
    if (n.length() <= 1e-12 * std::max(1.0, centroid.lengthSqrd())) {
        // Collinear: any plane holding the line will do.
        AcGeVector3d dir = points.back() - points.front();
        n = dir.isZeroLength() ? AcGeVector3d::kZAxis : dir.perpVector();
        plane.set(origin, n);
        return AcDb::kLinear;
    }
    plane.set(origin, n.normal());
    for (const AcGePoint3d& p : points)
        if (plane.distanceTo(p) > tol)
            return AcDb::kNonPlanar;
    return AcDb::kPlanar;
}

double enclosedArea(const AcDbCurve& curve, const std::vector<AcDbCurve::Span>& spans, const AcGeVector3d& normal)
{
    AcGePoint3d origin;
    curve.evaluate(spans.front().start, origin);
    double sum = 0.0;
    for (const AcDbCurve::Span& span : spans) {
        const int pieces = span.uniformSpeed ? 4 : kPieces;
        const double h = (span.end - span.start) / pieces;
        for (int k = 0; k < pieces; ++k) {
            const double mid = span.start + h * (k + 0.5);
            for (int i = 0; i < 5; ++i) {
                AcGePoint3d p;
                AcGeVector3d d1;
                curve.evaluate(mid + 0.5 * h * kNodes[i], p, &d1);
                sum += kWeights[i] * (p - origin).crossProduct(d1).dotProduct(normal) * 0.5 * h;
            }
        }
    }
    return 0.5 * sum;
}

void addCurveExtents(const AcDbCurve& curve, const std::vector<AcDbCurve::Span>& spans, AcDbExtents& box)
{
    for (const AcDbCurve::Span& span : spans) {
        AcGePoint3d p;
        curve.evaluate(span.start, p);
        box.addPoint(p);
        curve.evaluate(span.end, p);
        box.addPoint(p);
        const int n = 32;
        for (int axis = 0; axis < 3; ++axis) {
            auto deriv = [&](double t) {
                AcGePoint3d q;
                AcGeVector3d d1;
                curve.evaluate(t, q, &d1);
                return d1[static_cast<unsigned>(axis)];
            };
            double a = span.start;
            double fa = deriv(a);
            for (int i = 1; i <= n; ++i) {
                const double b = span.start + (span.end - span.start) * i / n;
                const double fb = deriv(b);
                if (fb == 0.0) {
                    // A sample right on the extreme: no sign change to bracket.
                    curve.evaluate(b, p);
                    box.addPoint(p);
                } else if ((fa < 0.0 && fb > 0.0) || (fa > 0.0 && fb < 0.0)) {
                    double lo = a, hi = b, flo = fa;
                    for (int k = 0; k < 60; ++k) {
                        const double m = 0.5 * (lo + hi);
                        const double fm = deriv(m);
                        if ((fm < 0.0) == (flo < 0.0)) {
                            lo = m;
                            flo = fm;
                        } else {
                            hi = m;
                        }
                    }
                    curve.evaluate(0.5 * (lo + hi), p);
                    box.addPoint(p);
                }
                a = b;
                fa = fb;
            }
        }
    }
}

void addArcExtremes(const AcGePoint3d& center, const AcGeVector3d& xAxis, const AcGeVector3d& yAxis, double radius,
                    double startAngle, double sweep, AcDbExtents& box)
{
    const double twoPi = 2.0 * std::numbers::pi;
    const bool whole = std::fabs(sweep) >= twoPi;
    for (unsigned axis = 0; axis < 3; ++axis) {
        // Coordinate `axis` is center + r (a cos t + b sin t), extreme at atan2(b, a) and opposite.
        const double a = xAxis[axis], b = yAxis[axis];
        if (a == 0.0 && b == 0.0)
            continue;
        const double peak = std::atan2(b, a);
        for (const double angle : {peak, peak + std::numbers::pi}) {
            if (!whole) {
                const double along = sweep > 0.0 ? normalizeAngle(angle - startAngle) : normalizeAngle(startAngle - angle);
                if (along > std::fabs(sweep))
                    continue;
            }
            box.addPoint(center + (xAxis * std::cos(angle) + yAxis * std::sin(angle)) * radius);
        }
    }
}

BulgeArc bulgeArc(const AcGePoint2d& p0, const AcGePoint2d& p1, double bulge)
{
    BulgeArc arc;
    arc.sweep = 4.0 * std::atan(bulge);
    const AcGeVector2d chord = p1 - p0;
    const double c = chord.length();
    const AcGeVector2d left = AcGeVector2d(-chord.y, chord.x) / c;
    const double offset = 0.5 * c / std::tan(0.5 * arc.sweep);
    arc.center = p0 + chord * 0.5 + left * offset;
    arc.radius = arc.center.distanceTo(p0);
    arc.startAngle = std::atan2(p0.y - arc.center.y, p0.x - arc.center.x);
    return arc;
}

void evalBulgeSegment(const AcGePoint2d& p0, const AcGePoint2d& p1, double bulge, double f,
                      AcGePoint2d& point, AcGeVector2d* d1, AcGeVector2d* d2)
{
    if (bulge == 0.0 || p0.isEqualTo(p1)) {
        point = p0 + (p1 - p0) * f;
        if (d1)
            *d1 = p1 - p0;
        if (d2)
            *d2 = AcGeVector2d(0.0, 0.0);
        return;
    }
    const BulgeArc arc = bulgeArc(p0, p1, bulge);
    const double a = arc.startAngle + arc.sweep * f;
    const double c = std::cos(a), s = std::sin(a);
    point = f == 0.0 ? p0 : f == 1.0 ? p1 : arc.center + AcGeVector2d(c, s) * arc.radius;
    if (d1)
        *d1 = AcGeVector2d(-s, c) * (arc.radius * arc.sweep);
    if (d2)
        *d2 = AcGeVector2d(c, s) * (-arc.radius * arc.sweep * arc.sweep);
}

double normalizeAngle(double angle)
{
    const double twoPi = 2.0 * std::numbers::pi;
    angle = std::fmod(angle, twoPi);
    if (angle < 0.0)
        angle += twoPi;
    if (angle >= twoPi)
        angle = 0.0;
    return angle;
}

void ecsAxes(const AcGeVector3d& normal, AcGeVector3d& xAxis, AcGeVector3d& yAxis)
{
    // Nearly every entity of a plan drawing lies in the world XY plane; the arbitrary-axis
    // rule gives the world axes for it, and this runs once per evaluated point.
    if (normal.x == 0.0 && normal.y == 0.0 && normal.z > 0.0) {
        xAxis = AcGeVector3d::kXAxis;
        yAxis = AcGeVector3d::kYAxis;
        return;
    }
    const AcGeVector3d n = normal.isZeroLength() ? AcGeVector3d::kZAxis : normal.normal();
    xAxis = n.perpVector();
    yAxis = n.crossProduct(xAxis).normal();
}

void evalCircle(const AcGePoint3d& center, const AcGeVector3d& normal, double radius, double angle,
                AcGePoint3d& point, AcGeVector3d* d1, AcGeVector3d* d2)
{
    AcGeVector3d x, y;
    ecsAxes(normal, x, y);
    const double c = std::cos(angle), s = std::sin(angle);
    point = center + (x * c + y * s) * radius;
    if (d1)
        *d1 = (y * c - x * s) * radius;
    if (d2)
        *d2 = (x * c + y * s) * -radius;
}

bool transformCircle(const AcGeMatrix3d& xform, AcGePoint3d& center, AcGeVector3d& normal, double& radius,
                     double& angleOffset)
{
    AcGeVector3d x, y;
    ecsAxes(normal, x, y);
    AcGeVector3d tx = x, ty = y;
    tx.transformBy(xform);
    ty.transformBy(xform);
    const double sx = tx.length(), sy = ty.length();
    if (sx == 0.0 || std::fabs(sx - sy) > 1e-9 * sx || std::fabs(tx.dotProduct(ty)) > 1e-9 * sx * sy)
        return false;
    center.transformBy(xform);
    normal = tx.crossProduct(ty).normal();
    radius *= sx;
    AcGeVector3d nx, ny;
    ecsAxes(normal, nx, ny);
    // The image of the old x axis, seen in the new plane's axes.
    angleOffset = std::atan2(tx.dotProduct(ny), tx.dotProduct(nx));
    return true;
}

} // namespace dh::db
