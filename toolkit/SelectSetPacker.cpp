#include "toolkit/SelectSetPacker.h"

#include "toolkit/ViewUtilities.h"

#include <acdb/AcDbUtilities.h>
#include <aced/AcEdCommandLine.h>
#include <aced/AcEdSelection.h>
#include <aced/AcEdVariables.h>

namespace dh::toolkit {

SelectSetPacker::~SelectSetPacker()
{
    release();
}

void SelectSetPacker::release()
{
    if (m_name[0] != 0 || m_name[1] != 0)
        acedSSFree(m_name);
    m_name[0] = m_name[1] = 0;
}

int SelectSetPacker::select(const char* mode, const void* first, const resbuf* filter)
{
    release();
    const int rt = acedSSGet(mode, first, nullptr, filter, m_name);
    if (rt == RTNORM)
        m_status = kSelected;
    else if (rt == RTREJ)
        m_status = kSelectRejected;
    else if (rt == RTCAN)
        m_status = kSelectCancelled;
    else {
        makeEmpty();
        m_status = kNothingSelected;
    }
    if (m_status == kSelectCancelled || m_status == kSelectRejected)
        m_name[0] = m_name[1] = 0;
    return m_status;
}

int SelectSetPacker::selectThrough(const char* mode, const AcGePoint3dArray& points,
                                   const resbuf* filter)
{
    resbuf* list = pointsToResbufList(points);
    if (!list) {
        release();
        return m_status = kSelectCancelled;
    }
    const int status = select(mode, list, filter);
    acutRelRb(list);
    return status;
}

int SelectSetPacker::selectAll(const resbuf* filter)
{
    return select("_A", nullptr, filter);
}

int SelectSetPacker::selectCrossingPolygon(const AcGePoint3dArray& points, const resbuf* filter)
{
    return selectThrough("_CP", points, filter);
}

int SelectSetPacker::selectFence(const AcGePoint3dArray& points, const resbuf* filter)
{
    return selectThrough("_F", points, filter);
}

int SelectSetPacker::selectSingle(const AcGePoint3d& point, const resbuf* filter)
{
    const ads_point at = {point.x, point.y, point.z};
    return select(":S", at, filter);
}

int SelectSetPacker::selectInteractive(const resbuf* filter)
{
    m_mode.clear();
    if (singlePick)
        m_mode += "+L+.:S";
    if (allowDuplicates)
        m_mode += ":D";
    if (rejectLocked)
        m_mode += ":L";
    return select(m_mode.c_str(), nullptr, filter);
}

int SelectSetPacker::selectCrossingBox(const AcGePoint3d& first, const AcGePoint3d& second,
                                       const resbuf* filter)
{
    const AcGePoint3d corners[4] = {AcGePoint3d(second.x, first.y, 0.0), first,
                                    AcGePoint3d(first.x, second.y, 0.0), second};
    AcGePoint3dArray points;
    for (const AcGePoint3d& corner : corners) {
        const ads_point world = {corner.x, corner.y, corner.z};
        ads_point user = {corner.x, corner.y, corner.z};
        acdbWcs2Ucs(world, user, false);
        points.append(AcGePoint3d(user[0], user[1], user[2]));
    }
    if (!isBoxInView(first, second))
        zoomToBox(first, second, 0.95);
    return selectCrossingPolygon(points, filter);
}

int SelectSetPacker::length() const
{
    if (m_name[0] == 0 && m_name[1] == 0)
        return 0;
    std::int32_t count = 0;
    return acedSSLength(m_name, &count) == RTNORM ? count : 0;
}

void SelectSetPacker::objectIds(AcArray<AcDbObjectId>& ids) const
{
    const int count = length();
    for (int i = 0; i < count; ++i) {
        ads_name member = {0, 0};
        AcDbObjectId id;
        Acad::ErrorStatus es = Acad::eInvalidInput;
        if (acedSSName(m_name, i, member) == RTNORM)
            es = acdbGetObjectId(id, member);
        if (es != Acad::eOk) {
            acutPrintf("\nARX ERROR: %s", acadErrorStatusText(es));
            continue;
        }
        ids.append(id);
    }
}

bool SelectSetPacker::remove(AcDbObjectId id)
{
    ads_name member = {0, 0};
    return acdbGetAdsName(member, id) == Acad::eOk && acedSSDel(member, m_name) == RTNORM;
}

int SelectSetPacker::makeEmpty()
{
    release();
    m_status = acedSSAdd(nullptr, nullptr, m_name) == RTNORM ? kSelected : kSelectCancelled;
    return m_status;
}

int SelectSetPacker::fromObjectIds(const AcArray<AcDbObjectId>& ids, ads_name name)
{
    makeEmpty();
    for (int i = 0; i < ids.length(); ++i) {
        ads_name member = {0, 0};
        if (acdbGetAdsName(member, ids[i]) == Acad::eOk)
            acedSSAdd(member, m_name, m_name);
    }
    ads_name_set(m_name, name);
    return m_status;
}

int selectEntityAtPoint(const AcGePoint3d& point, AcDbObjectId& id)
{
    SelectSetPacker packer;
    if (packer.selectSingle(point, nullptr) != kSelected || packer.length() == 0)
        return 1;
    AcArray<AcDbObjectId> ids;
    packer.objectIds(ids);
    if (ids.isEmpty())
        return 1;
    id = ids.first();
    return 3;
}

resbuf* pointsToResbufList(const AcGePoint3dArray& points)
{
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    for (int i = 0; i < points.length(); ++i) {
        resbuf* rb = acutNewRb(RT3DPOINT);
        if (!rb) {
            acutRelRb(head);
            return nullptr;
        }
        rb->resval.rpoint[0] = points[i].x;
        rb->resval.rpoint[1] = points[i].y;
        rb->resval.rpoint[2] = points[i].z;
        (tail ? tail->rbnext : head) = rb;
        tail = rb;
    }
    return head;
}

} // namespace dh::toolkit
