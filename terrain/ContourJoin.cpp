#include "terrain/ContourJoin.h"

#include "toolkit/DrawingHelpers.h"
#include "toolkit/GeometryStatus.h"
#include "toolkit/PolylineData.h"
#include "toolkit/PolylineJoin.h"

#include <acdb/AcDb2dPolyline.h>
#include <acdb/AcDbPolyline.h>
#include <aced/AcEdCommandLine.h>

#include <algorithm>
#include <vector>

namespace dh::terrain {
namespace {

constexpr const char* kLayersDiffer = "\n两线图层不一致,不能连接...";
constexpr const char* kElevationsDiffer = "\n两线标高不一致,不能连接...";
constexpr const char* kMaybeLocked = "\n实体在可能处于锁定的图层中...";

using toolkit::PolylineVertex;

// The vertices in the other order, each segment keeping its arc (turned the other way)
// and its widths (swapped), so that the run traces the same curve backwards.
std::vector<PolylineVertex> reversed(const std::vector<PolylineVertex>& vertices)
{
    const size_t m = vertices.size();
    std::vector<PolylineVertex> out(m);
    for (size_t i = 0; i < m; ++i) {
        out[i].point = vertices[m - 1 - i].point;
        if (i + 1 < m) {
            const PolylineVertex& segment = vertices[m - 2 - i];
            out[i].bulge = -segment.bulge;
            out[i].startWidth = segment.endWidth;
            out[i].endWidth = segment.startWidth;
        }
    }
    return out;
}

// head then tail. The last vertex of head starts a straight bridge, or with touch gives
// way to the first of tail, which carries the segment that leaves the seam.
std::vector<PolylineVertex> chained(std::vector<PolylineVertex> head, const std::vector<PolylineVertex>& tail,
                                    bool touch)
{
    if (touch) {
        head.pop_back();
    } else {
        PolylineVertex& bridge = head.back();
        const double width = head.size() > 1 ? head[head.size() - 2].endWidth : bridge.startWidth;
        bridge.bulge = 0.0;
        bridge.startWidth = bridge.endWidth = width;
    }
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

Acad::ErrorStatus writeVertices(AcDbPolyline& polyline, const std::vector<PolylineVertex>& vertices)
{
    for (unsigned int i = 0; i < vertices.size(); ++i)
        if (const Acad::ErrorStatus es = toolkit::putVertex(polyline, i, vertices[i]); es != Acad::eOk)
            return es;
    return Acad::eOk;
}

struct Ends {
    AcGePoint3d start1, end1, start2, end2;
};

// Index of the nearest pair of ends: 0 S1-S2, 1 S1-E2, 2 E1-S2, 3 E1-E2; the first on
// equal distances. touch when they coincide exactly.
int nearestEnds(const Ends& e, bool& touch)
{
    const double d[] = {e.start1.distanceTo(e.start2), e.start1.distanceTo(e.end2),
                        e.end1.distanceTo(e.start2), e.end1.distanceTo(e.end2)};
    const int k = static_cast<int>(std::min_element(std::begin(d), std::end(d)) - std::begin(d));
    touch = d[k] == 0.0;
    return k;
}

int joinOldStyle(AcDb2dPolyline* line1, bool atStart1, AcDb2dPolyline* line2, bool atStart2,
                 AcDbObjectId& first)
{
    AcDb2dPolyline* joined = nullptr;
    const int status = toolkit::joinPolylines2d(line1, atStart1, line2, atStart2, joined);
    if (status != toolkit::kGeOk)
        return status;
    // Append before erasing: a refused append leaves both lines as they were.
    AcDbObjectId made;
    const int appended = toolkit::appendAndClose(joined, &made);
    if (appended != toolkit::kDbOk)
        return appended;
    line1->erase();
    line2->erase();
    first = made;
    return kJoined;
}

// The lines' layers, elevations and ends; a message and kJoinRefused when they differ.
int checkJoinable(const AcDbCurve& line1, const AcDbCurve& line2, Ends& ends)
{
    if (line1.layerId() != line2.layerId()) {
        acutPrintf("%s", kLayersDiffer);
        return kJoinRefused;
    }
    line1.getStartPoint(ends.start1);
    line1.getEndPoint(ends.end1);
    line2.getStartPoint(ends.start2);
    line2.getEndPoint(ends.end2);
    if (ends.start1.z != ends.start2.z) {
        acutPrintf("%s", kElevationsDiffer);
        return kJoinRefused;
    }
    return kJoined;
}

int joinOpened(AcDbCurve* line1, AcDbCurve* line2, const Ends& ends, AcDbObjectId& first)
{
    // A closed line has no free end: joining it would tear it open.
    if (line1->isClosed() || line2->isClosed())
        return kJoinRefused;
    bool touch = false;
    const int k = nearestEnds(ends, touch);
    const bool atStart1 = k < 2;
    const bool atStart2 = k == 0 || k == 2;
    AcDbPolyline* lw1 = AcDbPolyline::cast(line1);
    AcDbPolyline* lw2 = AcDbPolyline::cast(line2);
    if (lw1 && lw2) {
        if (lw1->normal() != lw2->normal())
            return kJoinRefused;
        const int status = joinLwPolylines(lw1, atStart1, lw2, atStart2, touch);
        if (status == kJoined)
            line2->erase();
        return status;
    }
    AcDb2dPolyline* old1 = AcDb2dPolyline::cast(line1);
    AcDb2dPolyline* old2 = AcDb2dPolyline::cast(line2);
    if (old1 && old2)
        return joinOldStyle(old1, atStart1, old2, atStart2, first);
    return kJoinRefused;
}

} // namespace

int joinLwPolylines(AcDbPolyline* first, bool atStart1, const AcDbPolyline* second, bool atStart2,
                    bool touch)
{
    if (first == nullptr || second == nullptr || !first->isWriteEnabled())
        return kJoinRefused;
    const std::vector<PolylineVertex> own = toolkit::readVertices(*first);
    const std::vector<PolylineVertex> other = toolkit::readVertices(*second);
    if (own.empty() || other.empty())
        return kJoinRefused;
    // Before first, second must end at the meeting end; after it, start there.
    const std::vector<PolylineVertex> joined =
        atStart1 ? chained(atStart2 ? reversed(other) : other, own, touch)
                 : chained(own, atStart2 ? other : reversed(other), touch);
    return writeVertices(*first, joined) == Acad::eOk ? kJoined : kJoinRefused;
}

int joinContours(AcDbObjectId& first, AcDbObjectId second)
{
    if (first == second)
        return kJoined;
    AcDbCurve* line1 = nullptr;
    AcDbCurve* line2 = nullptr;
    Acad::ErrorStatus es = acdbOpenObject(line1, first, AcDb::kForWrite);
    if (es == Acad::eOk && (es = acdbOpenObject(line2, second, AcDb::kForWrite)) != Acad::eOk)
        line1->close();
    if (es != Acad::eOk) {
        acutPrintf("%s", kMaybeLocked);
        return es;
    }
    Ends ends;
    int status = checkJoinable(*line1, *line2, ends);
    if (status == kJoined) {
        status = joinOpened(line1, line2, ends, first);
    } else {
        acutPrintf("%s", kMaybeLocked);
    }
    line1->close();
    line2->close();
    return status;
}

} // namespace dh::terrain
