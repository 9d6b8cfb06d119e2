#include "host/render/KeptPainter.h"

#include "host/render/ObjectGroups.h"
#include "host/render/Ocs.h"

#include <acdb/AcDbEntity.h>
#include <acge/AcGeKnotVector.h>
#include <acge/AcGeNurbCurve2d.h>

#include <cmath>
#include <vector>

namespace dh::render {

namespace {

constexpr double kDegree = M_PI / 180.0;
// Pattern lines closer than this many pixels read as a tone: the area is filled instead.
constexpr double kMinPatternSpacingPx = 1.5;
constexpr int kMaxPatternLines = 4000;

// Reads groups in order; a group of another code than asked for is left in place.
class GroupCursor {
public:
    GroupCursor(const std::vector<AcDbDxfTag>& groups, std::size_t start) : m_groups(groups), m_i(start) {}

    bool done() const { return m_i >= m_groups.size(); }
    bool at(int code) const { return !done() && m_groups[m_i].code == code; }
    const AcDbDxfTag* take(int code) { return at(code) ? &m_groups[m_i++] : nullptr; }
    double real(int code, double otherwise = 0.0)
    {
        const AcDbDxfTag* t = take(code);
        return !t ? otherwise : t->kind == AcDbDxfTag::Kind::kInt ? double(t->integer) : t->real();
    }
    long integer(int code, long otherwise = 0)
    {
        const AcDbDxfTag* t = take(code);
        return !t ? otherwise : t->kind == AcDbDxfTag::Kind::kDouble ? long(t->real()) : long(t->integer);
    }
    AcGePoint2d point2(int code)
    {
        const AcDbDxfTag* t = take(code);
        return t ? AcGePoint2d(t->xyz[0], t->xyz[1]) : AcGePoint2d();
    }
    AcGePoint3d point3(int code, AcGePoint3d otherwise = AcGePoint3d())
    {
        const AcDbDxfTag* t = take(code);
        return t ? AcGePoint3d(t->xyz[0], t->xyz[1], t->xyz[2]) : otherwise;
    }
    // Moves past groups until one of code (not taken); false when there is none.
    bool seek(int code)
    {
        while (!done() && !at(code))
            ++m_i;
        return !done();
    }

private:
    const std::vector<AcDbDxfTag>& m_groups;
    std::size_t m_i;
};

// One piece of a boundary path, in the hatch's 2D coordinates.
struct Edge {
    enum class Kind { Line, Arc, Points } kind = Kind::Line;
    AcGePoint2d from, to;          // Line
    AcGePoint2d center;            // Arc: center + cos t·u + sin t·v
    AcGeVector2d u, v;
    double t0 = 0.0, t1 = 0.0;
    bool ccw = true;
    std::vector<AcGePoint2d> points;  // Points
};
using Loop = std::vector<Edge>;

Edge bulgeEdge(const AcGePoint2d& a, const AcGePoint2d& b, double bulge)
{
    Edge e;
    if (std::fabs(bulge) < 1e-12 || a.isEqualTo(b)) {
        e.from = a;
        e.to = b;
        return e;
    }
    const BulgeArcPiece arc = bulgePiece(a, b, bulge);
    e.kind = Edge::Kind::Arc;
    e.center = arc.center;
    e.u = arc.u;
    e.v = arc.v;
    e.t0 = arc.t0;
    e.t1 = arc.t1;
    e.ccw = arc.ccw;
    return e;
}

Loop readPolylineLoop(GroupCursor& c)
{
    const bool hasBulge = c.integer(72) != 0;
    c.take(73);  // closed or not, a boundary closes
    const long count = c.integer(93);
    std::vector<std::pair<AcGePoint2d, double>> vertices;
    for (long i = 0; i < count && c.at(10); ++i) {
        AcGePoint2d p = c.point2(10);
        vertices.emplace_back(p, hasBulge ? c.real(42) : 0.0);
    }
    Loop loop;
    for (std::size_t i = 0; i + 1 < vertices.size(); ++i)
        loop.push_back(bulgeEdge(vertices[i].first, vertices[i + 1].first, vertices[i].second));
    if (vertices.size() > 1)
        loop.push_back(bulgeEdge(vertices.back().first, vertices.front().first, vertices.back().second));
    return loop;
}

// Clockwise arcs and elliptic arcs keep their angles as 360° minus the real ones.
void readAngles(GroupCursor& c, Edge& e)
{
    const double a0 = c.real(50), a1 = c.real(51);
    e.ccw = c.integer(73, 1) != 0;
    e.t0 = (e.ccw ? a0 : -a0) * kDegree;
    e.t1 = (e.ccw ? a1 : -a1) * kDegree;
}

Edge readSplineEdge(GroupCursor& c)
{
    Edge e;
    e.kind = Edge::Kind::Points;
    const int degree = static_cast<int>(c.integer(94, 3));
    const bool rational = c.integer(73) != 0;
    c.integer(74);
    const long knotCount = c.integer(95), controlCount = c.integer(96);
    AcGeDoubleArray knots, weights;
    AcGePoint2dArray controls;
    for (long i = 0; i < knotCount && c.at(40); ++i)
        knots.append(c.real(40));
    for (long i = 0; i < controlCount && c.at(10); ++i) {
        controls.append(c.point2(10));
        if (rational && c.at(42))
            weights.append(c.real(42));
    }
    if (c.at(97)) {
        const long fits = c.integer(97);
        for (long i = 0; i < fits && c.at(11); ++i)
            c.point2(11);
        c.take(12);
        c.take(13);
    }
    if (degree < 1 || controls.length() <= degree || knots.length() != controls.length() + degree + 1) {
        e.points.assign(controls.begin(), controls.end());
        return e;
    }
    AcGeKnotVector knotVector(knots);
    const AcGeNurbCurve2d curve = rational && weights.length() == controls.length()
                                      ? AcGeNurbCurve2d(degree, knotVector, controls, weights)
                                      : AcGeNurbCurve2d(degree, knotVector, controls);
    const int steps = std::max(16, 8 * static_cast<int>(controls.length()));
    for (int i = 0; i <= steps; ++i)
        e.points.push_back(curve.evalPoint(curve.startParam() + (curve.endParam() - curve.startParam()) * i / steps));
    return e;
}

Loop readEdgeLoop(GroupCursor& c)
{
    Loop loop;
    const long count = c.integer(93);
    for (long i = 0; i < count && c.at(72); ++i) {
        const long type = c.integer(72);
        Edge e;
        if (type == 1) {
            e.from = c.point2(10);
            e.to = c.point2(11);
        } else if (type == 2) {
            e.kind = Edge::Kind::Arc;
            e.center = c.point2(10);
            const double r = c.real(40);
            e.u = AcGeVector2d(r, 0.0);
            e.v = AcGeVector2d(0.0, r);
            readAngles(c, e);
        } else if (type == 3) {
            e.kind = Edge::Kind::Arc;
            e.center = c.point2(10);
            const AcGePoint2d major = c.point2(11);
            const double ratio = c.real(40, 1.0);
            e.u = AcGeVector2d(major.x, major.y);
            e.v = AcGeVector2d(-major.y * ratio, major.x * ratio);
            readAngles(c, e);
        } else if (type == 4) {
            e = readSplineEdge(c);
        } else {
            break;
        }
        loop.push_back(std::move(e));
    }
    return loop;
}

struct PatternLine {
    double angle = 0.0;
    AcGePoint2d base;
    AcGeVector2d offset;
    std::vector<double> dashes;
};

struct Hatch {
    Ocs ocs;
    bool solid = false;
    std::vector<Loop> loops;
    std::vector<PatternLine> pattern;
};

Hatch readHatch(GroupCursor& c)
{
    Hatch h;
    const AcGePoint3d elevation = c.point3(10);
    const AcGePoint3d normal = c.point3(210, AcGePoint3d(0, 0, 1));
    h.ocs = Ocs(normal.asVector(), elevation.z);
    c.take(2);
    h.solid = c.integer(70) != 0;
    c.take(71);
    const long paths = c.integer(91);
    for (long i = 0; i < paths && c.at(92); ++i) {
        const long flags = c.integer(92);
        h.loops.push_back((flags & 2) ? readPolylineLoop(c) : readEdgeLoop(c));
        const long sources = c.integer(97);
        for (long k = 0; k < sources && c.at(330); ++k)
            c.take(330);
    }
    if (!h.solid && c.seek(78)) {
        const long lines = c.integer(78);
        for (long i = 0; i < lines && c.at(53); ++i) {
            PatternLine line;
            line.angle = c.real(53) * kDegree;
            // One group after the other: argument order is unspecified.
            const double baseX = c.real(43), baseY = c.real(44), offsetX = c.real(45), offsetY = c.real(46);
            line.base = AcGePoint2d(baseX, baseY);
            line.offset = AcGeVector2d(offsetX, offsetY);
            const long dashes = c.integer(79);
            for (long k = 0; k < dashes && c.at(49); ++k)
                line.dashes.push_back(c.real(49));
            h.pattern.push_back(std::move(line));
        }
    }
    return h;
}

void traceLoop(Pen& pen, const Ocs& ocs, const Loop& loop)
{
    bool first = true;
    for (const Edge& e : loop) {
        switch (e.kind) {
        case Edge::Kind::Line:
            if (first)
                pen.moveTo(ocs.at(e.from));
            pen.lineTo(ocs.at(e.to));
            break;
        case Edge::Kind::Arc:
            pen.arc(ocs.at(e.center), ocs.along(e.u), ocs.along(e.v), e.t0, e.t1, e.ccw);
            break;
        case Edge::Kind::Points:
            for (std::size_t i = 0; i < e.points.size(); ++i)
                (first && i == 0) ? pen.moveTo(ocs.at(e.points[i])) : pen.lineTo(ocs.at(e.points[i]));
            break;
        }
        first = false;
    }
    pen.closePath();
}

double dot(Point2 a, Point2 b) { return a.x * b.x + a.y * b.y; }

// The lines of one pattern family across the clip extents, in device pixels.
void strokePatternLine(cairo_t* cr, Pen& pen, const Ocs& ocs, const PatternLine& line, double x0, double y0,
                       double x1, double y1)
{
    const Placement& place = pen.placement();
    const Point2 base = place.toDevice(ocs.at(line.base));
    const Point2 dir = place.vectorToDevice(ocs.along(AcGeVector2d(std::cos(line.angle), std::sin(line.angle))));
    const Point2 step = place.vectorToDevice(ocs.along(line.offset));
    const double dirLen = std::hypot(dir.x, dir.y);
    if (dirLen <= 0.0)
        return;
    const Point2 d{dir.x / dirLen, dir.y / dirLen}, n{-d.y, d.x};
    const double spacing = dot(step, n);
    const Point2 corners[4] = {{x0, y0}, {x1, y0}, {x0, y1}, {x1, y1}};
    double kMin = 1e300, kMax = -1e300, sMin = 1e300, sMax = -1e300;
    for (const Point2& p : corners) {
        const Point2 rel{p.x - base.x, p.y - base.y};
        const double k = std::fabs(spacing) > 1e-9 ? dot(rel, n) / spacing : 0.0;
        kMin = std::min(kMin, k);
        kMax = std::max(kMax, k);
    }
    if (std::fabs(spacing) > 1e-9 && kMax - kMin > kMaxPatternLines)
        return;
    const std::vector<double> dashes = dashPattern(line.dashes, dirLen);
    double period = 0.0;
    for (double l : dashes)
        period += l;
    const long first = static_cast<long>(std::floor(kMin)), last = static_cast<long>(std::ceil(kMax));
    for (long k = first; k <= last; ++k) {
        const Point2 origin{base.x + step.x * k, base.y + step.y * k};
        sMin = 1e300;
        sMax = -1e300;
        for (const Point2& p : corners) {
            const double s = dot({p.x - origin.x, p.y - origin.y}, d);
            sMin = std::min(sMin, s);
            sMax = std::max(sMax, s);
        }
        // Start on a whole period from the line's origin, so the dashes keep their phase.
        if (period > 0.0)
            sMin = std::floor(sMin / period) * period;
        cairo_move_to(cr, origin.x + d.x * sMin, origin.y + d.y * sMin);
        cairo_line_to(cr, origin.x + d.x * sMax, origin.y + d.y * sMax);
    }
    cairo_set_dash(cr, dashes.data(), static_cast<int>(dashes.size()), 0.0);
    cairo_stroke(cr);
}

void drawHatch(GroupCursor& c, Pen& pen, const EntityLook& look)
{
    const Hatch h = readHatch(c);
    Canvas& canvas = pen.canvas();
    canvas.beginFill();
    for (const Loop& loop : h.loops)
        traceLoop(pen, h.ocs, loop);
    if (h.solid || h.pattern.empty()) {
        canvas.endFill(look.stroke.color, h.solid ? 1.0 : 0.35);
        return;
    }
    cairo_t* cr = canvas.context();
    cairo_save(cr);
    cairo_clip(cr);
    double x0, y0, x1, y1;
    cairo_clip_extents(cr, &x0, &y0, &x1, &y1);
    const Rgb col = look.stroke.color;
    cairo_set_source_rgb(cr, col.r / 255.0, col.g / 255.0, col.b / 255.0);
    cairo_set_line_width(cr, 1.0);
    bool dense = false;
    for (const PatternLine& line : h.pattern) {
        const Point2 step = pen.placement().vectorToDevice(h.ocs.along(line.offset));
        const Point2 dir = pen.placement().vectorToDevice(
            h.ocs.along(AcGeVector2d(std::cos(line.angle), std::sin(line.angle))));
        const double len = std::hypot(dir.x, dir.y);
        const double spacing = len > 0 ? std::fabs(step.x * -dir.y / len + step.y * dir.x / len) : 0.0;
        if (spacing < kMinPatternSpacingPx)
            dense = true;
        else
            strokePatternLine(cr, pen, h.ocs, line, x0, y0, x1, y1);
    }
    if (dense) {
        cairo_rectangle(cr, x0, y0, x1 - x0, y1 - y0);
        cairo_set_source_rgba(cr, col.r / 255.0, col.g / 255.0, col.b / 255.0, 0.5);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    cairo_new_path(cr);
}

// SOLID and TRACE: corners 1, 2, 4, 3 in their plane.
void drawQuad(GroupCursor& c, Pen& pen, const EntityLook& look)
{
    AcGePoint3d p[4];
    for (int i = 0; i < 4; ++i)
        p[i] = c.point3(10 + i, i == 3 ? p[2] : p[0]);
    c.seek(210);
    const AcGePoint3d normal = c.point3(210, AcGePoint3d(0, 0, 1));
    const Ocs ocs(normal.asVector(), p[0].z);
    pen.canvas().beginFill();
    const int order[4] = {0, 1, 3, 2};
    for (int i = 0; i < 4; ++i) {
        const AcGePoint3d w = ocs.at(AcGePoint2d(p[order[i]].x, p[order[i]].y));
        i == 0 ? pen.moveTo(w) : pen.lineTo(w);
    }
    pen.closePath();
    pen.canvas().endFill(look.stroke.color);
}

void drawFace(GroupCursor& c, Pen& pen, const EntityLook& look)
{
    AcGePoint3d p[4];
    for (int i = 0; i < 4; ++i)
        p[i] = c.point3(10 + i, i == 3 ? p[2] : p[0]);
    const long hidden = c.integer(70);
    pen.canvas().useStroke(look.stroke);
    for (int i = 0; i < 4; ++i) {
        if (hidden & (1 << i))
            continue;
        pen.moveTo(p[i]);
        pen.lineTo(p[(i + 1) % 4]);
        pen.endRun();
    }
}

// XLINE and RAY: from the base point along the direction, past the picture's edge.
void drawInfiniteLine(GroupCursor& c, Pen& pen, const EntityLook& look, bool bothWays)
{
    const AcGePoint3d base = c.point3(10);
    AcGeVector3d dir = c.point3(11, AcGePoint3d(1, 0, 0)).asVector();
    if (dir.isZeroLength())
        return;
    dir.normalize();
    const Placement& place = pen.placement();
    const Point2 b = place.toDevice(base);
    const Canvas& canvas = pen.canvas();
    const double reachPx = std::hypot(b.x - canvas.width() / 2.0, b.y - canvas.height() / 2.0) +
                           std::hypot(canvas.width(), canvas.height());
    const double reach = reachPx / std::max(place.pixelsPerUnit(), 1e-12);
    pen.canvas().useStroke(look.stroke);
    pen.moveTo(bothWays ? base - dir * reach : base);
    pen.lineTo(base + dir * reach);
    pen.endRun();
}

// IMAGE: the frame of its pixels (insertion point, pixel vectors u and v, size).
void drawImageFrame(GroupCursor& c, Pen& pen, const EntityLook& look)
{
    const AcGePoint3d origin = c.point3(10);
    const AcGeVector3d u = c.point3(11).asVector(), v = c.point3(12).asVector();
    const AcGePoint3d size = c.point3(13);
    const AcGeVector3d w = u * size.x, h = v * size.y;
    pen.canvas().useStroke(look.stroke);
    pen.moveTo(origin);
    pen.lineTo(origin + w);
    pen.lineTo(origin + w + h);
    pen.lineTo(origin + h);
    pen.closePath();
}

}  // namespace

bool drawKeptEntity(const AcDbEntity& entity, Pen& pen, const EntityLook& look, std::string& kind)
{
    const std::vector<AcDbDxfTag> groups = objectGroups(entity);
    // The kind is the first subclass after the common entity groups.
    std::size_t start = 0;
    std::string marker;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        if (groups[i].code == 100 && groups[i].text != "AcDbEntity") {
            marker = groups[i].text;
            start = i + 1;
            break;
        }
    }
    GroupCursor c(groups, start);
    if (marker == "AcDbHatch")
        drawHatch(c, pen, look);
    else if (marker == "AcDbTrace")
        drawQuad(c, pen, look);
    else if (marker == "AcDbFace")
        drawFace(c, pen, look);
    else if (marker == "AcDbXline" || marker == "AcDbRay")
        drawInfiniteLine(c, pen, look, marker == "AcDbXline");
    else if (marker == "AcDbRasterImage")
        drawImageFrame(c, pen, look);
    else {
        kind = marker.empty() ? std::string(entity.isA()->name()) : marker;
        return false;
    }
    return true;
}

}  // namespace dh::render
