// acedSSGet: runs a selection request on the active drawing and makes a set of the result.
#include "host/ed/Document.h"
#include "host/ed/DrawingSelector.h"
#include "host/ed/SelectionAnswer.h"
#include "host/ed/SelectionRequest.h"
#include "host/ed/SelectionSets.h"
#include "host/ed/Session.h"
#include "host/ed/SystemVariables.h"

#include <aced/AcEdSelection.h>
#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbEntity.h>
#include <acdb/AcDbUtilities.h>

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace dh::ed {
namespace {

// errno of a pick that found nothing.
constexpr int kErrnoNothingPicked = 7;

struct Context {
    Session& session;
    Document& document;
    DrawingSelector& selector;
    const SelectionRequest& request;
    std::unordered_map<AcDbObjectId, SelectionDetail> details;  // the first way each was found
};

// Remembers how the entities were found (for ssnamex); answers them.
std::vector<AcDbObjectId> noted(Context& c, std::vector<AcDbObjectId> ids, int how,
                                const std::vector<Point3>& points = {})
{
    SelectionDetail detail{how, {}};
    for (const Point3& p : points)
        detail.points.push_back({p.x, p.y, p.z});
    for (const AcDbObjectId id : ids)
        c.details.emplace(id, detail);
    return ids;
}

// The four corners of the window two corners span.
std::vector<Point3> windowCorners(const std::vector<Point3>& corners)
{
    const Point3& a = corners[0];
    const Point3& b = corners[1];
    return {a, {b.x, a.y, a.z}, b, {a.x, b.y, a.z}};
}

int howOf(SelectionMode mode)
{
    switch (mode) {
    case SelectionMode::Window:
    case SelectionMode::WindowPolygon:
        return 2;
    case SelectionMode::Crossing:
    case SelectionMode::CrossingPolygon:
        return 3;
    default:
        return 4;
    }
}

Point3 lastPoint(Session& s)
{
    const auto v = s.variables().get("LASTPOINT");
    return v ? Point3{v->point[0], v->point[1], v->point[2]} : Point3{};
}

Point2 toDisplay(const View& view, const Point3& world)
{
    const ViewPoint d = view.worldToDisplay({world.x, world.y, world.z});
    return {d.x, d.y};
}

double pickAperture(Session& s, const View& view)
{
    return s.variables().getInt("PICKBOX", 3) * view.pixelSize();
}

std::vector<Point2> displayPoints(const View& view, const std::vector<Point3>& points)
{
    std::vector<Point2> out;
    for (const Point3& p : points)
        out.push_back(toDisplay(view, p));
    return out;
}

std::vector<AcDbObjectId> runQuery(Context& c, SelectionMode mode, const std::vector<Point3>& points)
{
    SelectionQuery query{mode, displayPoints(c.document.view(), points)};
    const bool box = mode == SelectionMode::Window || mode == SelectionMode::Crossing;
    return noted(c, c.selector.query(query), howOf(mode), box ? windowCorners(points) : points);
}

std::vector<AcDbObjectId> pickAt(Context& c, const Point3& point)
{
    const View& view = c.document.view();
    const auto hit = c.selector.pick(toDisplay(view, point), pickAperture(c.session, view));
    return noted(c, hit ? std::vector<AcDbObjectId>{*hit} : std::vector<AcDbObjectId>{}, 1, {point});
}

std::vector<AcDbObjectId> byHandles(Context& c, const std::vector<std::string>& handles)
{
    std::vector<AcDbObjectId> found;
    for (const std::string& hex : handles) {
        AcDbObjectId id;
        if (c.document.database()->getAcDbObjectId(id, false, AcDbHandle(hex.c_str())) != Acad::eOk || id.isErased())
            continue;
        AcDbEntity* entity = nullptr;
        if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk)
            continue;
        if (c.selector.accepts(*entity))
            found.push_back(id);
        entity->close();
    }
    return found;
}

std::vector<AcDbObjectId> previousSelection(Context& c)
{
    std::vector<AcDbObjectId> found;
    for (const EntityName& name : SelectionSets::instance().previous()) {
        AcDbObjectId id;
        ads_name n{name.first, name.second};
        if (acdbGetObjectId(id, n) == Acad::eOk && !id.isErased() && id.database() == c.document.database())
            found.push_back(id);
    }
    return found;
}

// Asks for points until enough are given (and, with open = true, until an empty line).
std::optional<std::vector<Point3>> askPoints(Session& s, std::vector<Point3> points, std::size_t minimum,
                                             bool open, const char* first, const char* next)
{
    for (;;) {
        if (points.size() >= minimum && !open)
            return points;
        const std::optional<std::string> line = s.ask(points.empty() ? first : next);
        if (!line)
            return std::nullopt;
        const std::string typed = trim(*line);
        if (typed.empty()) {
            if (points.size() >= minimum)
                return points;
            continue;
        }
        const auto p = parsePoint(typed, points.empty() ? lastPoint(s) : points.back());
        if (!p) {
            s.printDialogue("\nInvalid point.");
            continue;
        }
        points.push_back(*p);
        s.variables().setPoint("LASTPOINT", p->x, p->y, p->z);
        if (!open && points.size() >= minimum)
            return points;
    }
}

struct Collected {
    std::vector<AcDbObjectId> ids;
    std::unordered_set<AcDbObjectId> members;
};

// Adds or removes one item's entities and reports the count as the host does.
void apply(Context& c, Collected& set, const std::vector<AcDbObjectId>& found, bool removing)
{
    int duplicates = 0;
    int locked = 0;
    int removed = 0;
    for (const AcDbObjectId id : found) {
        if (c.request.rejectLocked && c.selector.isOnLockedLayer(id)) {
            ++locked;
            continue;
        }
        if (removing) {
            if (set.members.erase(id) != 0) {
                set.ids.erase(std::remove(set.ids.begin(), set.ids.end(), id), set.ids.end());
                ++removed;
            }
            continue;
        }
        if (set.members.count(id) != 0 && !c.request.duplicates) {
            ++duplicates;
            continue;
        }
        set.members.insert(id);
        set.ids.push_back(id);
    }
    std::string message = "\n" + std::to_string(found.size()) + " found";
    if (duplicates > 0)
        message += " (" + std::to_string(duplicates) + " duplicate)";
    if (removing)
        message += ", " + std::to_string(removed) + " removed";
    if (found.size() != set.ids.size())
        message += ", " + std::to_string(set.ids.size()) + " total";
    c.session.printDialogue(message);
    if (locked > 0)
        c.session.printDialogue("\n" + std::to_string(locked) + (locked == 1 ? " was" : " were") +
                                " on a locked layer.");
}

// The items of one answer line; nullopt on cancel.
std::optional<std::vector<AcDbObjectId>> itemsOf(Context& c, SelectionAnswer& answer)
{
    using Kind = SelectionAnswer::Kind;
    Session& s = c.session;
    switch (answer.kind) {
    case Kind::Pick:
        s.variables().setPoint("LASTPOINT", answer.points[0].x, answer.points[0].y, answer.points[0].z);
        return pickAt(c, answer.points[0]);
    case Kind::Handles:
        return byHandles(c, answer.handles);
    case Kind::All:
        return c.selector.allInSpace();
    case Kind::Last: {
        const auto last = c.selector.last();
        return last ? std::vector<AcDbObjectId>{*last} : std::vector<AcDbObjectId>{};
    }
    case Kind::Previous:
        return previousSelection(c);
    case Kind::Window:
    case Kind::Crossing: {
        const auto corners = askPoints(s, answer.points, 2, false, "\nSpecify first corner: ",
                                       "\nSpecify opposite corner: ");
        if (!corners)
            return std::nullopt;
        return runQuery(c, answer.kind == Kind::Window ? SelectionMode::Window : SelectionMode::Crossing, *corners);
    }
    case Kind::Fence: {
        const auto points = askPoints(s, answer.points, 2, answer.points.size() < 2, "\nSpecify first fence point: ",
                                      "\nSpecify next fence point or [Undo]: ");
        if (!points)
            return std::nullopt;
        return runQuery(c, SelectionMode::Fence, *points);
    }
    case Kind::WindowPolygon:
    case Kind::CrossingPolygon: {
        const auto points = askPoints(s, answer.points, 3, answer.points.size() < 3, "\nFirst polygon point: ",
                                      "\nSpecify endpoint of line or [Undo]: ");
        if (!points)
            return std::nullopt;
        return runQuery(c,
                        answer.kind == Kind::WindowPolygon ? SelectionMode::WindowPolygon
                                                           : SelectionMode::CrossingPolygon,
                        *points);
    }
    default:
        return std::vector<AcDbObjectId>{};
    }
}

// The dialogue of "Select objects: ": items until an empty line (or one item with :S).
std::optional<std::vector<AcDbObjectId>> selectInteractively(Context& c)
{
    using Kind = SelectionAnswer::Kind;
    Collected set;
    bool removing = false;
    for (;;) {
        const std::optional<std::string> line = c.session.ask(removing ? "\nRemove objects: " : "\nSelect objects: ");
        if (!line)
            return std::nullopt;
        SelectionAnswer answer = parseSelectionAnswer(*line, lastPoint(c.session));
        if (c.request.pointsOnly && answer.kind != Kind::Pick && answer.kind != Kind::Handles &&
            answer.kind != Kind::End)
            answer.kind = Kind::Invalid;
        switch (answer.kind) {
        case Kind::End:
            return set.ids;
        case Kind::Invalid:
            c.session.printDialogue(c.request.pointsOnly ? "\n*Invalid selection*\nExpects a point."
                                                         : "\n*Invalid selection*\nExpects a point or "
                                                           "Window/Last/Crossing/ALL/Fence/WPolygon/CPolygon/"
                                                           "Add/Remove/Previous");
            continue;
        case Kind::Remove:
            removing = true;
            continue;
        case Kind::Add:
            removing = false;
            continue;
        default:
            break;
        }
        const auto found = itemsOf(c, answer);
        if (!found)
            return std::nullopt;
        apply(c, set, *found, removing);
        // One item that selected something ends a single selection; a miss asks again.
        if (c.request.single && !set.ids.empty())
            return set.ids;
    }
}

std::optional<std::vector<Point3>> chainPoints(const void* pt1)
{
    std::vector<Point3> points;
    for (const resbuf* rb = static_cast<const resbuf*>(pt1); rb != nullptr; rb = rb->rbnext) {
        if (rb->restype != RTPOINT && rb->restype != RT3DPOINT)
            return std::nullopt;
        points.push_back({rb->resval.rpoint[0], rb->resval.rpoint[1],
                          rb->restype == RT3DPOINT ? rb->resval.rpoint[2] : 0.0});
    }
    return points;
}

Point3 pointOf(const void* pt)
{
    const ads_real* p = static_cast<const ads_real*>(pt);
    return {p[0], p[1], p[2]};
}

// The entities a request takes; nullopt on cancel.
std::optional<std::vector<AcDbObjectId>> select(Context& c, const void* pt1, const void* pt2, bool& refused)
{
    using Method = SelectionRequest::Method;
    switch (c.request.method) {
    case Method::Drawing:
        return c.selector.everything();
    case Method::Space:
        return c.selector.allInSpace();
    case Method::Window:
    case Method::Crossing:
        if (pt1 == nullptr || pt2 == nullptr) {
            refused = true;
            return std::vector<AcDbObjectId>{};
        }
        return runQuery(c, c.request.method == Method::Window ? SelectionMode::Window : SelectionMode::Crossing,
                        {pointOf(pt1), pointOf(pt2)});
    case Method::Fence:
    case Method::WindowPolygon:
    case Method::CrossingPolygon: {
        const auto points = chainPoints(pt1);
        if (!points) {
            refused = true;
            return std::vector<AcDbObjectId>{};
        }
        const SelectionMode mode = c.request.method == Method::Fence           ? SelectionMode::Fence
                                   : c.request.method == Method::WindowPolygon ? SelectionMode::WindowPolygon
                                                                               : SelectionMode::CrossingPolygon;
        return runQuery(c, mode, *points);
    }
    case Method::Last: {
        const auto last = c.selector.last();
        return last ? std::vector<AcDbObjectId>{*last} : std::vector<AcDbObjectId>{};
    }
    case Method::Previous:
        return previousSelection(c);
    case Method::Implied:
        return std::vector<AcDbObjectId>{};  // no pick-first set in a command-line host
    case Method::Interactive:
        // A point given with an interactive mode is the pick itself: nothing is asked.
        if (pt1 != nullptr)
            return pickAt(c, pointOf(pt1));
        return selectInteractively(c);
    }
    return std::vector<AcDbObjectId>{};
}

}  // namespace

}  // namespace dh::ed

int acedSSGet(const char* str, const void* pt1, const void* pt2, const resbuf* filter, ads_name ss)
{
    using namespace dh::ed;
    try {
        Session* session = Session::current();
        Document* document = session ? session->activeDocument() : nullptr;
        if (document == nullptr || ss == nullptr)
            return RTERROR;
        const std::optional<SelectionRequest> request = SelectionRequest::parse(str ? str : "");
        if (!request)
            return RTREJ;
        std::optional<SelectionFilter> parsed = SelectionFilter::parse(filter);
        if (!parsed)
            return RTERROR;
        DrawingSelector selector(*document->database(), document->view(), &*parsed);
        Context context{*session, *document, selector, *request, {}};
        bool refused = false;
        std::optional<std::vector<AcDbObjectId>> ids = select(context, pt1, pt2, refused);
        if (refused)
            return RTREJ;
        if (!ids)
            return RTCAN;
        if (request->rejectLocked && request->method != SelectionRequest::Method::Interactive)
            std::erase_if(*ids, [&](AcDbObjectId id) { return selector.isOnLockedLayer(id); });
        if (ids->empty()) {
            session->variables().setInt("ERRNO", kErrnoNothingPicked);
            return RTERROR;
        }
        std::vector<EntityName> names;
        std::vector<SelectionDetail> details;
        for (const AcDbObjectId id : *ids) {
            ads_name name;
            if (acdbGetAdsName(name, id) == Acad::eOk) {
                names.push_back(EntityName::of(name));
                const auto detail = context.details.find(id);
                details.push_back(detail == context.details.end() ? SelectionDetail{} : detail->second);
            }
        }
        SelectionSets& sets = SelectionSets::instance();
        sets.create(names, ss, request->duplicates, details);
        sets.setPrevious(std::move(names));
        return RTNORM;
    } catch (...) {
        return RTERROR;
    }
}
