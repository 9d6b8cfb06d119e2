// acedEntSel and acedNEntSelP: one entity by a point (nearest within the pick box of the
// current view) or by "#HANDLE". errno tells a miss (7) from an empty answer (52).
#include "host/ed/AnswerParser.h"
#include "host/ed/Document.h"
#include "host/ed/DrawingSelector.h"
#include "host/ed/EntityShapes.h"
#include "host/ed/Session.h"
#include "host/ed/SystemVariables.h"

#include <aced/AcEdEntityPick.h>
#include <aced/AcEdInput.h>
#include <acdb/AcDbBlockReference.h>
#include <acdb/AcDbBlockTableRecord.h>
#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbEntity.h>
#include <acdb/AcDbUtilities.h>
#include <acge/AcGeMatrix3d.h>

#include <memory>

namespace dh::ed {
namespace {

constexpr int kErrnoNothingPicked = 7;
constexpr int kErrnoEmptyAnswer = 52;

// Block references inside block references deeper than this are picked whole.
constexpr int kMaxNesting = 16;

struct Pick {
    int status = RTCAN;
    AcDbObjectId id;
    Point3 point;
};

// The entity of a block definition under a pick, with the way there.
struct NestedPick {
    AcDbObjectId id;
    AcGeMatrix3d xform;
    std::vector<AcDbObjectId> containers;  // innermost first
};

// The definition entity nearest to the pick among those of the reference's block placed by
// xform; null when none lies within the pick box.
AcDbObjectId nearestInBlock(AcDbObjectId blockId, const AcGeMatrix3d& xform, const View& view, Point2 at,
                            double aperture)
{
    AcDbBlockTableRecord* block = nullptr;
    if (acdbOpenObject(block, blockId, AcDb::kForRead) != Acad::eOk)
        return AcDbObjectId::kNull;
    const std::vector<AcDbObjectId> ids = block->entityIds();
    block->close();
    const Box2 pickBox{at.x - aperture, at.y - aperture, at.x + aperture, at.y + aperture};
    AcDbObjectId best;
    double bestDistance = 0.0;
    for (const AcDbObjectId id : ids) {
        AcDbEntity* entity = nullptr;
        if (id.isErased() || acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk)
            continue;
        AcDbEntity* placed = nullptr;
        const Acad::ErrorStatus es = entity->getTransformedCopy(xform, placed);
        entity->close();
        if (es != Acad::eOk || placed == nullptr)
            continue;
        std::unique_ptr<AcDbEntity> owner(placed);
        const SelectionShape shape = shapeOfEntity(*placed, view);
        if (!shapeTouchesBox(shape, pickBox))
            continue;
        const double d = distanceToShape(shape, at);
        if (best.isNull() || d <= bestDistance) {  // the later drawn wins a tie
            best = id;
            bestDistance = d;
        }
    }
    return best;
}

NestedPick descend(AcDbObjectId picked, const View& view, Point2 at, double aperture)
{
    NestedPick nested{picked, AcGeMatrix3d::kIdentity, {}};
    for (int depth = 0; depth < kMaxNesting; ++depth) {
        AcDbBlockReference* reference = nullptr;
        if (acdbOpenObject(reference, nested.id, AcDb::kForRead) != Acad::eOk)
            break;
        const AcGeMatrix3d xform = nested.xform * reference->blockTransform();
        const AcDbObjectId blockId = reference->blockTableRecord();
        reference->close();
        const AcDbObjectId inner = nearestInBlock(blockId, xform, view, at, aperture);
        if (inner.isNull())
            break;
        nested.containers.insert(nested.containers.begin(), nested.id);
        nested.id = inner;
        nested.xform = xform;
    }
    return nested;
}

std::optional<AcDbObjectId> entityOfHandle(AcDbDatabase& db, const std::string& hex)
{
    if (hex.empty() || hex.size() > 16 || hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        return std::nullopt;
    AcDbObjectId id;
    if (db.getAcDbObjectId(id, false, AcDbHandle(hex.c_str())) != Acad::eOk || id.isErased())
        return std::nullopt;
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk)
        return std::nullopt;
    entity->close();
    return id;
}

// A point on the entity for an answer by handle: the middle of its extents.
Point3 pointOfEntity(AcDbObjectId id)
{
    AcDbEntity* entity = nullptr;
    Point3 point;
    if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) == Acad::eOk) {
        AcDbExtents extents;
        if (entity->getGeomExtents(extents) == Acad::eOk && !extents.isEmpty())
            point = {(extents.minPoint().x + extents.maxPoint().x) / 2, (extents.minPoint().y + extents.maxPoint().y) / 2,
                     (extents.minPoint().z + extents.maxPoint().z) / 2};
        entity->close();
    }
    return point;
}

Pick pickAtPoint(Session& s, Document& doc, const Point3& point)
{
    Pick pick;
    pick.point = point;
    View& view = doc.view();
    DrawingSelector selector(*doc.database(), view, nullptr);
    const ViewPoint d = view.worldToDisplay({point.x, point.y, point.z});
    const auto hit = selector.pick({d.x, d.y}, s.variables().getInt("PICKBOX", 3) * view.pixelSize());
    if (!hit) {
        s.variables().setInt("ERRNO", kErrnoNothingPicked);
        pick.status = RTERROR;
        return pick;
    }
    pick.id = *hit;
    pick.status = RTNORM;
    return pick;
}

Pick askForEntity(const char* prompt)
{
    Pick pick;
    Session* s = Session::current();
    Document* doc = s ? s->activeDocument() : nullptr;
    if (doc == nullptr) {
        pick.status = RTERROR;
        return pick;
    }
    const InputControl control = s->takeInputControl();
    const KeywordList keywords = KeywordList::parse(control.keywords);
    const std::string text = prompt ? prompt : "\nSelect object: ";
    for (;;) {
        const std::optional<std::string> line = s->ask(text);
        if (!line)
            return pick;  // cancel
        const std::string typed = trim(*line);
        if (typed.empty()) {
            s->variables().setInt("ERRNO", kErrnoEmptyAnswer);
            pick.status = RTERROR;
            return pick;
        }
        const auto v = s->variables().get("LASTPOINT");
        const Point3 last = v ? Point3{v->point[0], v->point[1], v->point[2]} : Point3{};
        if (const auto point = parsePoint(typed, last)) {
            s->variables().setPoint("LASTPOINT", point->x, point->y, point->z);
            return pickAtPoint(*s, *doc, *point);
        }
        if (typed[0] == '#') {
            if (const auto id = entityOfHandle(*doc->database(), typed.substr(1))) {
                pick.id = *id;
                pick.point = pointOfEntity(*id);
                pick.status = RTNORM;
                return pick;
            }
            s->variables().setInt("ERRNO", kErrnoNothingPicked);
            pick.status = RTERROR;
            return pick;
        }
        std::string keyword;
        const KeywordMatch match = matchKeyword(keywords, typed, keyword);
        if (match == KeywordMatch::Found || (control.bits & RSG_OTHER)) {
            s->setLastKeyword(match == KeywordMatch::Found ? keyword : typed);
            pick.status = RTKWORD;
            return pick;
        }
        s->printDialogue(match == KeywordMatch::Ambiguous ? "\nAmbiguous response, please clarify..."
                                                          : "\n*Invalid selection*\nExpects a point.");
    }
}

int deliver(const Pick& pick, ads_name entres, ads_point ptres)
{
    if (pick.status != RTNORM)
        return pick.status;
    if (entres != nullptr && acdbGetAdsName(entres, pick.id) != Acad::eOk)
        return RTERROR;
    if (ptres != nullptr) {
        ptres[0] = pick.point.x;
        ptres[1] = pick.point.y;
        ptres[2] = pick.point.z;
    }
    return RTNORM;
}

}  // namespace
}  // namespace dh::ed

int acedEntSel(const char* str, ads_name entres, ads_point ptres)
{
    try {
        return dh::ed::deliver(dh::ed::askForEntity(str), entres, ptres);
    } catch (...) {
        return RTERROR;
    }
}

int acedNEntSelP(const char* str, ads_name entres, ads_point ptres, int pickflag, ads_matrix xformres,
                 resbuf** refstkres)
{
    using namespace dh::ed;
    try {
        Pick pick;
        if (pickflag != 0 && ptres != nullptr) {
            Session* s = Session::current();
            Document* doc = s ? s->activeDocument() : nullptr;
            if (doc == nullptr)
                return RTERROR;
            pick = pickAtPoint(*s, *doc, {ptres[0], ptres[1], ptres[2]});
        } else {
            pick = askForEntity(str);
        }
        if (refstkres != nullptr)
            *refstkres = nullptr;
        if (pick.status != RTNORM)
            return deliver(pick, entres, ptres);
        Session* s = Session::current();
        const View& view = s->activeDocument()->view();
        const ViewPoint d = view.worldToDisplay({pick.point.x, pick.point.y, pick.point.z});
        const NestedPick nested =
            descend(pick.id, view, {d.x, d.y}, s->variables().getInt("PICKBOX", 3) * view.pixelSize());
        pick.id = nested.id;
        if (xformres != nullptr)
            for (int r = 0; r < 4; ++r)
                for (int c = 0; c < 4; ++c)
                    xformres[r][c] = nested.xform(r, c);
        if (refstkres != nullptr && !nested.containers.empty()) {
            resbuf* head = nullptr;
            resbuf** tail = &head;
            for (const AcDbObjectId container : nested.containers) {
                *tail = acutNewRb(RTENAME);
                if (*tail == nullptr || acdbGetAdsName((*tail)->resval.rlname, container) != Acad::eOk) {
                    acutRelRb(head);
                    return RTERROR;
                }
                tail = &(*tail)->rbnext;
            }
            *refstkres = head;
        }
        return deliver(pick, entres, ptres);
    } catch (...) {
        return RTERROR;
    }
}
