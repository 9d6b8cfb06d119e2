#include "terrain/JoinCommand.h"

#include "terrain/ContourBatch.h"
#include "terrain/ContourJoin.h"
#include "toolkit/EntityPicker.h"
#include "toolkit/PointPicker.h"
#include "toolkit/SelectSetPacker.h"

#include <acdb/AcDb2dPolyline.h>
#include <acdb/AcDbPolyline.h>
#include <aced/AcEdCommandLine.h>

namespace dh::terrain {
namespace {

constexpr const char* kFirstFenceStart =
    "\n(A)单根连接/(B)连接首尾相连的线/批量连接选断线一侧给定始点<退出>";
constexpr const char* kFirstFenceEnd = "\n(U)退回/选择断线一侧给定末点";
constexpr const char* kSecondFenceStart = "(R)重新选择/选择断线另一侧给定始点";
constexpr const char* kSecondFenceEnd = "\n选择断线一侧给定末点";

enum class SecondFence { kDrawn, kAgain, kCancelled };

void acceptContours(toolkit::EntityPicker& picker)
{
    picker.classFilter.append(AcDbPolyline::desc());
    picker.classFilter.append(AcDb2dPolyline::desc());
}

// Asks for the fence on the other side of the gaps until it crosses a line; "R" starts
// again from the first fence. Set 1 stays highlighted only while the batch goes on.
SecondFence askSecondFence(toolkit::PointPicker& picker, const AcArray<AcDbObjectId>& first,
                           AcArray<AcDbObjectId>& second)
{
    for (;;) {
        picker.setPrompt(kSecondFenceStart);
        picker.setKeywords("R");
        picker.allowEmpty = false;
        picker.hasBase = false;
        const int result = picker.pickSecondPoint(kSecondFenceEnd, nullptr);
        if (result == toolkit::kPickKeyword && picker.isInput("R")) {
            unhighlight(first);
            return SecondFence::kAgain;
        }
        if (result == toolkit::kPickValue) {
            if (fenceSelectContours(picker.basePoint, picker.point, second) == 0)
                return SecondFence::kDrawn;
        } else if (result == toolkit::kPickFailed) {
            unhighlight(first);
            return SecondFence::kCancelled;
        }
    }
}

} // namespace

void joinContoursCommand()
{
    toolkit::PointPicker picker(nullptr, nullptr);
    for (;;) {
        picker.setPrompt(kFirstFenceStart);
        picker.setKeywords("A B");
        picker.allowEmpty = true;
        picker.hasBase = false;
        const int result = picker.pickSecondPoint(kFirstFenceEnd, "U");
        if (result == toolkit::kPickKeyword) {
            if (picker.isInput("A"))
                return joinSingle();
            if (picker.isInput("B"))
                return joinConnected();
            acutPrintf("\nKeyWork: %s", picker.input());
            continue;
        }
        if (result != toolkit::kPickValue)
            return;
        AcArray<AcDbObjectId> first;
        if (fenceSelectContours(picker.basePoint, picker.point, first) != 0)
            continue;
        AcArray<AcDbObjectId> second;
        if (askSecondFence(picker, first, second) == SecondFence::kAgain)
            continue;
        acutPrintf("\n连接了%d条等高线", joinBatch(first, second));
        return;
    }
}

void joinSingle()
{
    toolkit::EntityPicker picker("(U)退回/选择靠近连接端点的线段1", "U");
    acceptContours(picker);
    picker.missMessage = "\n选择LWPOLYLINE或POLYLINE实体...";
    if (picker.pick() != toolkit::kPickValue)
        return;
    AcDbObjectId first = picker.objectId;
    picker.setPrompt("选择靠近连接端点的线段2");
    if (picker.pick() != toolkit::kPickValue)
        return;
    joinContours(first, picker.objectId);
}

void joinConnected()
{
    toolkit::EntityPicker picker("连接尾首相接的线", nullptr);
    acceptContours(picker);
    if (picker.pick() != toolkit::kPickValue)
        return;
    AcDbObjectId picked = picker.objectId;
    AcDbCurve* line = nullptr;
    if (acdbOpenObject(line, picked, AcDb::kForWrite) != Acad::eOk)
        return;
    AcGePoint3d start;
    AcGePoint3d end;
    line->getStartPoint(start);
    line->getEndPoint(end);
    // Erased for the moment, so that the searches at its ends do not find the line itself.
    line->erase();
    AcDbObjectId atStart;
    AcDbObjectId atEnd;
    const bool foundAtStart = toolkit::selectEntityAtPoint(start, atStart) == 3;
    const bool foundAtEnd = toolkit::selectEntityAtPoint(end, atEnd) == 3;
    line->cancel();
    if (foundAtStart)
        joinContours(picked, atStart);
    // One line touching both ends was joined whole at the start already.
    if (foundAtEnd && !(foundAtStart && atEnd == atStart))
        joinContours(picked, atEnd);
}

} // namespace dh::terrain
