#include "host/ed/ViewCommands.h"

#include "host/ed/AnswerParser.h"
#include "host/ed/BuiltinCommandTable.h"
#include "host/ed/CommandRunner.h"
#include "host/ed/Document.h"
#include "host/ed/DrawingSelector.h"
#include "host/ed/EntityShapes.h"
#include "host/ed/SelectionSets.h"
#include "host/ed/Session.h"
#include "host/ed/SystemVariables.h"

#include <aced/AcEdSelection.h>
#include <aced/AcEdView.h>
#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbEntity.h>
#include <acdb/AcDbExtents.h>
#include <acdb/AcDbSymbolTableRecords.h>
#include <acdb/AcDbUtilities.h>

#include <cctype>
#include <cstdio>
#include <map>

namespace dh::ed {
namespace {

constexpr std::size_t kPreviousViews = 10;

std::map<const Document*, std::vector<View>>& previousViews()
{
    static std::map<const Document*, std::vector<View>> views;
    return views;
}

std::string formatReal(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.4f", value);
    return text;
}

Box2 extentsOf(Document& document, const std::vector<AcDbObjectId>& ids)
{
    Box2 box = Box2::empty();
    for (const AcDbObjectId id : ids) {
        AcDbEntity* entity = nullptr;
        if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk)
            continue;
        if (const auto extents = displayExtents(*entity, document.view()))
            box.add(*extents);
        entity->close();
    }
    return box;
}

bool zoomToDisplayBox(Document& document, const Box2& box)
{
    if (box.isEmpty())
        return false;
    View& view = document.view();
    if (box.maxX - box.minX <= 0.0 && box.maxY - box.minY <= 0.0) {
        // A single point: centre on it at the current height.
        view.centre = view.displayToWorld({box.minX, box.minY, 0.0});
        return true;
    }
    return view.zoomDisplayBox({box.minX, box.minY, box.maxX, box.maxY});
}

std::optional<Point3> askPoint(Session& s, const std::string& prompt, bool allowEmpty, bool& empty)
{
    for (;;) {
        const auto line = s.ask(prompt);
        if (!line)
            return std::nullopt;
        const std::string typed = trim(*line);
        empty = typed.empty();
        if (empty && allowEmpty)
            return Point3{};
        const auto v = s.variables().get("LASTPOINT");
        const Point3 last = v ? Point3{v->point[0], v->point[1], v->point[2]} : Point3{};
        if (const auto p = parsePoint(typed, last)) {
            s.variables().setPoint("LASTPOINT", p->x, p->y, p->z);
            return p;
        }
        s.printDialogue("\nInvalid point.");
    }
}

// "2", "2x", "2xp": a factor on the current height.
std::optional<double> scaleFactor(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (text.size() > 2 && text.ends_with("XP"))
        text.resize(text.size() - 2);
    else if (text.size() > 1 && text.back() == 'X')
        text.pop_back();
    const auto factor = parseReal(text);
    if (!factor || *factor <= 0.0)
        return std::nullopt;
    return factor;
}

void zoomCenter(Session& s, Document& doc)
{
    View& view = doc.view();
    bool empty = false;
    const ViewPoint current = view.centre;
    auto centre = askPoint(s, "\nSpecify center point: ", true, empty);
    if (!centre)
        return reportCommandCancelled();
    if (empty)
        centre = Point3{current.x, current.y, current.z};
    for (;;) {
        const auto line = s.ask("\nEnter magnification or height <" + formatReal(view.height) + ">: ");
        if (!line)
            return reportCommandCancelled();
        const std::string typed = trim(*line);
        double height = view.height;
        if (!typed.empty()) {
            const char last = static_cast<char>(std::toupper(static_cast<unsigned char>(typed.back())));
            const auto value = last == 'X' || last == 'P' ? std::nullopt : parseReal(typed);
            const auto factor = value ? std::nullopt : scaleFactor(typed);
            if (value && *value > 0.0)
                height = *value;
            else if (factor)
                height = view.height / *factor;
            else {
                s.printDialogue("\nRequires a positive number or a scale factor (nX).");
                continue;
            }
        }
        rememberView(doc);
        view.zoomCentre({centre->x, centre->y, centre->z}, height);
        return;
    }
}

void zoomWindow(Session& s, Document& doc, std::optional<Point3> first)
{
    bool empty = false;
    if (!first)
        first = askPoint(s, "\nSpecify first corner: ", false, empty);
    if (!first)
        return reportCommandCancelled();
    const auto second = askPoint(s, "\nSpecify opposite corner: ", false, empty);
    if (!second)
        return reportCommandCancelled();
    rememberView(doc);
    View& view = doc.view();
    const ViewPoint a = view.worldToDisplay({first->x, first->y, first->z});
    const ViewPoint b = view.worldToDisplay({second->x, second->y, second->z});
    if (!view.zoomDisplayBox({std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)}))
        s.printDialogue("\n*Invalid* The window has no size.");
}

void zoomPrevious(Session& s, Document& doc)
{
    auto& stack = previousViews()[&doc];
    if (stack.empty()) {
        s.printDialogue("\nNo previous view saved.");
        return;
    }
    doc.view() = stack.back();
    stack.pop_back();
}

void zoomObjects(Session& s, Document& doc)
{
    ads_name ss;
    const int status = acedSSGet(nullptr, nullptr, nullptr, nullptr, ss);
    if (status == RTCAN)
        return reportCommandCancelled();
    if (status != RTNORM)
        return;
    std::vector<AcDbObjectId> ids;
    if (SelectionSet* set = SelectionSets::instance().find(ss))
        for (const EntityName& member : set->members()) {
            ads_name n{member.first, member.second};
            AcDbObjectId id;
            if (acdbGetObjectId(id, n) == Acad::eOk)
                ids.push_back(id);
        }
    acedSSFree(ss);
    rememberView(doc);
    if (!zoomToDisplayBox(doc, extentsOf(doc, ids)))
        s.printDialogue("\nThe objects have no extents.");
}

void zoomCommand(Session& s)
{
    Document* doc = s.activeDocument();
    if (doc == nullptr)
        return;
    static const KeywordList kKeywords = KeywordList::parse("All Center Dynamic Extents Previous Scale Window Object");
    for (;;) {
        const auto line = s.ask("\nSpecify corner of window, enter a scale factor (nX or nXP), or\n"
                                "[All/Center/Dynamic/Extents/Previous/Scale/Window/Object] <real time>: ");
        if (!line)
            return reportCommandCancelled();
        const std::string typed = trim(*line);
        if (typed.empty())
            return;  // real-time zoom has nothing to do on a command line
        const auto v = s.variables().get("LASTPOINT");
        const Point3 last = v ? Point3{v->point[0], v->point[1], v->point[2]} : Point3{};
        if (const auto corner = parsePoint(typed, last))
            return zoomWindow(s, *doc, *corner);
        if (const auto factor = scaleFactor(typed)) {
            rememberView(*doc);
            doc->view().height /= *factor;
            return;
        }
        std::string keyword;
        if (matchKeyword(kKeywords, typed, keyword) != KeywordMatch::Found) {
            s.printDialogue("\nInvalid option keyword.");
            continue;
        }
        if (keyword == "Center")
            return zoomCenter(s, *doc);
        if (keyword == "Window")
            return zoomWindow(s, *doc, std::nullopt);
        if (keyword == "Previous")
            return zoomPrevious(s, *doc);
        if (keyword == "Object")
            return zoomObjects(s, *doc);
        if (keyword == "Scale") {
            const auto answer = s.ask("\nEnter a scale factor (nX or nXP): ");
            if (!answer)
                return reportCommandCancelled();
            if (const auto factor = scaleFactor(trim(*answer))) {
                rememberView(*doc);
                doc->view().height /= *factor;
            } else {
                s.printDialogue("\nRequires a positive number or a scale factor (nX).");
            }
            return;
        }
        // All, Extents, and Dynamic (which has no window to drag here).
        rememberView(*doc);
        zoomToExtents(*doc);
        return;
    }
}

const BuiltinCommandRegistrar kZoom("ZOOM", zoomCommand);

}  // namespace

void rememberView(const Document& document)
{
    auto& stack = previousViews()[&document];
    stack.push_back(document.view());
    if (stack.size() > kPreviousViews)
        stack.erase(stack.begin());
}

bool zoomToExtents(Document& document)
{
    DrawingSelector selector(*document.database(), document.view(), nullptr);
    const std::vector<AcDbObjectId> ids = selector.allInSpace();
    if (!document.view().isPlan())
        return zoomToDisplayBox(document, extentsOf(document, ids));
    // In a plan view the display box of the world box is the box of the display shapes, and
    // the entities' own extents are exact and cheap: no shape is built.
    AcDbExtents world;
    Box2 others = Box2::empty(); // entities without extents of their own, by their shapes
    for (const AcDbObjectId id : ids) {
        AcDbEntity* entity = nullptr;
        if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk)
            continue;
        AcDbExtents extents;
        if (entity->getGeomExtents(extents) == Acad::eOk && !extents.isEmpty())
            world.addExt(extents);
        else if (const auto shape = displayExtents(*entity, document.view()))
            others.add(*shape);
        entity->close();
    }
    Box2 box = world.isEmpty() ? Box2::empty() : displayBoxOf(world, document.view());
    if (!others.isEmpty())
        box.add(others);
    return zoomToDisplayBox(document, box);
}

}  // namespace dh::ed

Acad::ErrorStatus acedSetCurrentView(AcDbViewTableRecord* pVwRec, AcDbViewport*)
{
    using namespace dh::ed;
    try {
        Session* session = Session::current();
        Document* document = session ? session->activeDocument() : nullptr;
        if (document == nullptr)
            return Acad::eNotApplicable;
        if (pVwRec == nullptr)
            return Acad::eInvalidInput;
        View next = document->view();
        const AcGeVector3d direction = pVwRec->viewDirection();
        const AcGePoint3d target = pVwRec->target();
        next.direction = {direction.x, direction.y, direction.z};
        next.target = {target.x, target.y, target.z};
        next.twist = pVwRec->viewTwist();
        if (!next.setFromRecord(pVwRec->centerPoint().x, pVwRec->centerPoint().y, pVwRec->height(), pVwRec->width()))
            return Acad::eInvalidInput;
        rememberView(*document);
        document->view() = next;
        return Acad::eOk;
    } catch (...) {
        return Acad::eInvalidInput;
    }
}
