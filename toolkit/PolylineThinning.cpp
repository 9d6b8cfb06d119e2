#include "toolkit/PolylineThinning.h"

#include "toolkit/GeometryStatus.h"
#include "toolkit/PolylineData.h"

#include <acdb/AcDbPolyline.h>

#include <cmath>
#include <utility>
#include <vector>

namespace dh::toolkit {
namespace {

// Length share that a tolerance of 0 stands for.
constexpr double kDefaultToleranceShare = 1e-4;

// Distance from p to the chord a-b; to a when the chord has no length. The chord rather
// than its infinite line: a vertex running back past an end is not near the result.
double distanceToChord(const AcGePoint2d& p, const AcGePoint2d& a, const AcGePoint2d& b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double px = p.x - a.x, py = p.y - a.y;
    const double len2 = dx * dx + dy * dy;
    if (len2 == 0.0)
        return std::hypot(px, py);
    const double s = (px * dx + py * dy) / len2;
    if (s <= 0.0)
        return std::hypot(px, py);
    if (s >= 1.0)
        return std::hypot(p.x - b.x, p.y - b.y);
    return std::fabs(px * dy - py * dx) / std::sqrt(len2);
}

// Marks the vertices of from..to that Douglas-Peucker keeps. An explicit stack: a ring of
// a million vertices may split one vertex at a time.
void thinRange(const std::vector<PolylineVertex>& vertices, unsigned int from, unsigned int to,
               double tolerance, std::vector<char>& keep)
{
    std::vector<std::pair<unsigned int, unsigned int>> ranges{{from, to}};
    while (!ranges.empty()) {
        const auto [a, b] = ranges.back();
        ranges.pop_back();
        keep[a] = keep[b] = 1;
        if (b <= a + 1 || tolerance <= 0.0)
            continue;
        double farthest = -1.0;
        unsigned int at = a;
        for (unsigned int j = a + 1; j < b; ++j) {
            const double d = distanceToChord(vertices[j].point, vertices[a].point, vertices[b].point);
            if (d > farthest) {
                farthest = d;
                at = j;
            }
        }
        if (farthest >= tolerance) {
            ranges.emplace_back(at, b);
            ranges.emplace_back(a, at);
        }
    }
}

Acad::ErrorStatus keepOnly(AcDbPolyline& polyline, const std::vector<PolylineVertex>& vertices,
                           const std::vector<char>& keep)
{
    // Kept vertices move down over removed ones in one pass: removing them one by one
    // would shift the rest of the polyline each time.
    unsigned int kept = 0;
    for (unsigned int k = 0; k < vertices.size(); ++k) {
        if (!keep[k])
            continue;
        if (kept != k) {
            const Acad::ErrorStatus es = putVertex(polyline, kept, vertices[k]);
            if (es != Acad::eOk)
                return es;
        }
        ++kept;
    }
    return kept == vertices.size() ? Acad::eOk : polyline.reset(true, kept);
}

} // namespace

int rarefyPolyline(AcDbPolyline* polyline, double tolerance, int first, int last)
{
    if (polyline == nullptr)
        return kGeNothing;
    const int n = static_cast<int>(polyline->numVerts());
    if (first < 0 || last < first || last >= n || !(tolerance >= 0.0))
        return kGeOk;
    if (!polyline->isWriteEnabled())
        return Acad::eNotOpenForWrite;
    const std::vector<PolylineVertex> vertices = readVertices(*polyline);
    std::vector<char> keep(vertices.size(), 0);
    const unsigned int count = static_cast<unsigned int>(n);
    for (unsigned int j = 0; j < count; ++j) {
        if (vertices[j].bulge == 0.0)
            continue;
        keep[j] = 1;
        if (j + 1 < count)
            keep[j + 1] = 1;
        else if (polyline->isClosed())
            keep[0] = 1;
    }
    if (tolerance == 0.0) {
        double endParam = 0.0;
        double length = 0.0;
        if (polyline->getEndParam(endParam) == Acad::eOk &&
            polyline->getDistAtParam(endParam, length) == Acad::eOk)
            tolerance = kDefaultToleranceShare * length;
    }
    const unsigned int to = last == 0 ? count - 1 : static_cast<unsigned int>(last);
    // Arc ends split the range: thinning across one would judge vertices against a chord
    // the result does not have.
    unsigned int from = static_cast<unsigned int>(first);
    for (unsigned int j = from + 1; j <= to; ++j) {
        if (keep[j] || j == to) {
            thinRange(vertices, from, j, tolerance, keep);
            from = j;
        }
    }
    keep[from] = 1;
    return keepOnly(*polyline, vertices, keep);
}

} // namespace dh::toolkit
