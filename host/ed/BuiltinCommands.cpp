// The host's own drawing and file commands: ERASE, MOVE, LIST, OPEN, NEW, SAVE, SAVEAS and
// QUIT. ZOOM lives with the view, LAYER and the drawing commands in files of their own.
#include "host/ed/AnswerParser.h"
#include "host/ed/BuiltinCommandTable.h"
#include "host/ed/CommandRunner.h"
#include "host/ed/Document.h"
#include "host/ed/DrawingSelector.h"
#include "host/ed/SelectionSets.h"
#include "host/ed/Session.h"
#include "host/ed/SystemVariables.h"

#include <aced/AcEdSelection.h>
#include <acdb/AcDbCurve.h>
#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbEntity.h>
#include <acdb/AcDbSymbolTableRecords.h>
#include <acdb/AcDbSymbolTables.h>
#include <acdb/AcDbUtilities.h>
#include <acge/AcGeMatrix3d.h>

#include <cstdio>
#include <cstdlib>

namespace dh::ed {
namespace {

std::string formatReal(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.4f", value);
    return text;
}

std::string formatPoint(const AcGePoint3d& p)
{
    return "X=" + formatReal(p.x) + "  Y=" + formatReal(p.y) + "  Z=" + formatReal(p.z);
}

// "Select objects:" for a command: the ids picked, nullopt when cancelled.
std::optional<std::vector<AcDbObjectId>> selectObjects(const char* mode = nullptr)
{
    ads_name ss;
    const int status = acedSSGet(mode, nullptr, nullptr, nullptr, ss);
    if (status == RTCAN) {
        reportCommandCancelled();
        return std::nullopt;
    }
    std::vector<AcDbObjectId> ids;
    if (status != RTNORM)
        return ids;
    if (SelectionSet* set = SelectionSets::instance().find(ss))
        for (const EntityName& member : set->members()) {
            ads_name n{member.first, member.second};
            AcDbObjectId id;
            if (acdbGetObjectId(id, n) == Acad::eOk)
                ids.push_back(id);
        }
    acedSSFree(ss);
    return ids;
}

// Opens each entity for write, applies change and closes it; answers how many were on a
// locked layer and left alone.
template <class Change>
int changeEntities(const std::vector<AcDbObjectId>& ids, Change change)
{
    int locked = 0;
    for (const AcDbObjectId id : ids) {
        AcDbEntity* entity = nullptr;
        const Acad::ErrorStatus es = acdbOpenAcDbEntity(entity, id, AcDb::kForWrite);
        if (es == Acad::eOnLockedLayer)
            ++locked;
        if (es != Acad::eOk)
            continue;
        if (change(*entity))
            entity->close();
        else
            entity->cancel();
    }
    return locked;
}

void reportLocked(Session& s, int locked)
{
    if (locked > 0)
        s.printDialogue("\n" + std::to_string(locked) + (locked == 1 ? " was" : " were") + " on a locked layer.");
}

void eraseCommand(Session& s)
{
    const auto ids = selectObjects();
    if (!ids)
        return;
    reportLocked(s, changeEntities(*ids, [](AcDbEntity& e) { return e.erase() == Acad::eOk; }));
}

Point3 lastPoint(Session& s)
{
    const auto v = s.variables().get("LASTPOINT");
    return v ? Point3{v->point[0], v->point[1], v->point[2]} : Point3{};
}

// A point, or Enter (nullopt in the value, true in empty); cancel gives false.
bool askPointOrEnter(Session& s, const std::string& prompt, std::optional<Point3>& point)
{
    for (;;) {
        const auto line = s.ask(prompt);
        if (!line) {
            reportCommandCancelled();
            return false;
        }
        const std::string typed = trim(*line);
        if (typed.empty()) {
            point.reset();
            return true;
        }
        if (const auto p = parsePoint(typed, lastPoint(s))) {
            s.variables().setPoint("LASTPOINT", p->x, p->y, p->z);
            point = p;
            return true;
        }
        s.printDialogue("\nInvalid point.");
    }
}

void moveCommand(Session& s)
{
    const auto ids = selectObjects();
    if (!ids || ids->empty())
        return;
    std::optional<Point3> base;
    if (!askPointOrEnter(s, "\nSpecify base point or [Displacement] <Displacement>: ", base))
        return;
    if (!base)
        base = Point3{};
    std::optional<Point3> second;
    if (!askPointOrEnter(s, "\nSpecify second point or <use first point as displacement>: ", second))
        return;
    // Enter at the second point: the base point itself is the displacement.
    const AcGeVector3d shift = second ? AcGeVector3d(second->x - base->x, second->y - base->y, second->z - base->z)
                                      : AcGeVector3d(base->x, base->y, base->z);
    const AcGeMatrix3d move = AcGeMatrix3d::translation(shift);
    reportLocked(s, changeEntities(*ids, [&](AcDbEntity& e) { return e.transformBy(move) == Acad::eOk; }));
}

std::string layerName(AcDbObjectId layerId)
{
    AcDbLayerTableRecord* layer = nullptr;
    if (acdbOpenObject(layer, layerId, AcDb::kForRead) != Acad::eOk)
        return "";
    std::string name = layer->getName();
    layer->close();
    return name;
}

void listEntity(Session& s, AcDbObjectId id)
{
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk)
        return;
    std::string text = "\n" + entityTypeName(*entity) + "  Layer: \"" + layerName(entity->layerId()) + "\"";
    text += "\n  Handle = " + id.handle().toString();
    text += "\n  Color = " + (entity->color().isByLayer() ? std::string("BYLAYER") : std::to_string(entity->colorIndex()));
    if (const AcDbCurve* curve = AcDbCurve::cast(entity)) {
        AcGePoint3d start, end;
        double endParam = 0.0, length = 0.0, area = 0.0;
        if (curve->getStartPoint(start) == Acad::eOk)
            text += "\n  from point, " + formatPoint(start);
        if (curve->getEndPoint(end) == Acad::eOk)
            text += "\n  to point,   " + formatPoint(end);
        if (curve->getEndParam(endParam) == Acad::eOk && curve->getDistAtParam(endParam, length) == Acad::eOk)
            text += "\n  Length = " + formatReal(length);
        if (curve->isClosed() && curve->getArea(area) == Acad::eOk)
            text += "\n  Area = " + formatReal(area);
    }
    AcDbExtents extents;
    if (entity->getGeomExtents(extents) == Acad::eOk && !extents.isEmpty())
        text += "\n  Extents: " + formatPoint(extents.minPoint()) + "\n           " + formatPoint(extents.maxPoint());
    entity->close();
    // LIST shows its listing whatever the echo: it is the command's result.
    s.print(text);
}

void listCommand(Session& s)
{
    const auto ids = selectObjects();
    if (!ids)
        return;
    for (const AcDbObjectId id : *ids)
        listEntity(s, id);
    s.print("\n");
}

void openCommand(Session& s)
{
    const auto path = askText(s, "\nEnter name of drawing to open: ");
    if (!path || path->empty())
        return;
    std::string error;
    Document* doc = s.openDocument(*path, error);
    if (doc == nullptr) {
        s.printDialogue("\n" + error);
        s.fail(kExitBadFile, error);
    }
}

void newCommand(Session& s) { s.newDocument(); }

bool saveTo(Session& s, Document& doc, const std::string& path)
{
    const Acad::ErrorStatus es = doc.database()->saveAs(path.c_str());
    if (es != Acad::eOk) {
        const std::string reason = path + ": cannot be written (" + std::string(acadErrorStatusText(es)) + ")";
        s.printDialogue("\n" + reason);
        s.fail(kExitBadFile, reason);
        return false;
    }
    doc.setFileName(path);
    return true;
}

void saveAsCommand(Session& s)
{
    Document* doc = s.activeDocument();
    if (doc == nullptr)
        return;
    const auto path = askText(s, "\nEnter file name: ");
    if (!path || path->empty())
        return;
    saveTo(s, *doc, *path);
}

void saveCommand(Session& s)
{
    Document* doc = s.activeDocument();
    if (doc == nullptr)
        return;
    if (*doc->fileName() == '\0')
        return saveAsCommand(s);
    saveTo(s, *doc, doc->fileName());
}

void quitCommand(Session& s) { s.requestQuit(); }

const BuiltinCommandRegistrar kErase("ERASE", eraseCommand);
const BuiltinCommandRegistrar kMove("MOVE", moveCommand);
const BuiltinCommandRegistrar kList("LIST", listCommand);
const BuiltinCommandRegistrar kOpen("OPEN", openCommand);
const BuiltinCommandRegistrar kNew("NEW", newCommand);
const BuiltinCommandRegistrar kSave("SAVE", saveCommand);
const BuiltinCommandRegistrar kSaveAs("SAVEAS", saveAsCommand);
const BuiltinCommandRegistrar kQuit("QUIT", quitCommand);

}  // namespace

std::optional<std::string> askText(Session& s, const std::string& prompt)
{
    const auto line = s.ask(prompt);
    if (!line) {
        reportCommandCancelled();
        return std::nullopt;
    }
    std::string text = trim(*line);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = text.substr(1, text.size() - 2);
    return text;
}

}  // namespace dh::ed
