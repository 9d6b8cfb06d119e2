#include "terrain/ContourBatch.h"

#include "terrain/ContourJoin.h"
#include "toolkit/SelectSetPacker.h"

#include <acdb/AcDbCurve.h>
#include <aced/AcEdCommandLine.h>
#include <acut/ResBuf.h>

#include <algorithm>
#include <cmath>

namespace dh::terrain {
namespace {

// Pair distances from here on do not count.
constexpr double kNoPartner = 1e10;

bool setHighlight(AcDbObjectId id, bool on)
{
    AcDbCurve* line = nullptr;
    if (acdbOpenObject(line, id, AcDb::kForWrite) != Acad::eOk)
        return false;
    if (on)
        line->highlight();
    else
        line->unhighlight();
    line->close();
    return true;
}

bool readEnds(AcDbObjectId id, AcGePoint3d& start, AcGePoint3d& end)
{
    AcDbCurve* line = nullptr;
    if (acdbOpenObject(line, id, AcDb::kForRead) != Acad::eOk)
        return false;
    const bool ok = line->getStartPoint(start) == Acad::eOk && line->getEndPoint(end) == Acad::eOk;
    line->close();
    return ok;
}

} // namespace

int fenceSelectContours(const AcGePoint3d& a, const AcGePoint3d& b, AcArray<AcDbObjectId>& ids)
{
    resbuf* filter = acutBuildList(-4, "<OR", RTDXF0, "LWPOLYLINE", RTDXF0, "POLYLINE", -4, "OR>", 0);
    AcGePoint3dArray fence;
    fence.append(a);
    fence.append(b);
    toolkit::SelectSetPacker packer;
    packer.selectFence(fence, filter);
    acutRelRb(filter);
    const int before = ids.length();
    packer.objectIds(ids);
    if (ids.length() == before) {
        acutPrintf("没有选择...");
        return kNothingFenced;
    }
    for (int i = before; i < ids.length(); ++i)
        setHighlight(ids[i], true);
    return 0;
}

int findPartner(AcDbObjectId line, const AcArray<AcDbObjectId>& candidates)
{
    AcGePoint3d start;
    AcGePoint3d end;
    if (!readEnds(line, start, end))
        return -1;
    int partner = -1;
    double nearest = kNoPartner;
    for (int i = 0; i < candidates.length(); ++i) {
        AcGePoint3d otherStart;
        AcGePoint3d otherEnd;
        if (!readEnds(candidates[i], otherStart, otherEnd) || otherStart.z != start.z)
            continue;
        const double distance = std::min({std::trunc(start.distanceTo(otherStart)),
                                          std::trunc(start.distanceTo(otherEnd)),
                                          std::trunc(end.distanceTo(otherStart)),
                                          std::trunc(end.distanceTo(otherEnd))});
        if (distance < nearest) {
            nearest = distance;
            partner = i;
        }
    }
    return partner;
}

int joinBatch(const AcArray<AcDbObjectId>& first, const AcArray<AcDbObjectId>& second)
{
    const bool firstDrives = first.length() <= second.length();
    const AcArray<AcDbObjectId>& driving = firstDrives ? first : second;
    const AcArray<AcDbObjectId>& offered = firstDrives ? second : first;
    AcArray<AcDbObjectId> candidates;
    for (int i = 0; i < offered.length(); ++i)
        if (unhighlight(offered[i]))
            candidates.append(offered[i]);
    int joins = 0;
    for (int i = 0; i < driving.length(); ++i) {
        if (!unhighlight(driving[i]))
            continue;
        const int partner = findPartner(driving[i], candidates);
        if (partner < 0)
            continue;
        AcDbObjectId line = driving[i];
        if (joinContours(line, candidates[partner]) == kJoined) {
            candidates.removeAt(partner);
            ++joins;
        }
    }
    return joins;
}

bool unhighlight(AcDbObjectId line)
{
    return setHighlight(line, false);
}

void unhighlight(const AcArray<AcDbObjectId>& lines)
{
    for (int i = 0; i < lines.length(); ++i)
        unhighlight(lines[i]);
}

} // namespace dh::terrain
