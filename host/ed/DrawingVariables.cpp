// The system variables that read the active drawing or the clock: CTAB, EXTMIN, EXTMAX,
// TEXTSIZE, TEXTSTYLE, CECOLOR, CELTYPE, DWGPREFIX, CDATE and DATE.
#include "host/ed/Document.h"
#include "host/ed/Session.h"
#include "host/ed/SystemVariables.h"

#include <acdb/AcDbBlockTableRecord.h>
#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbEntity.h>
#include <acdb/AcDbSymbolTableRecords.h>
#include <acdb/AcDbSymbolTables.h>
#include <acdb/AcDbUtilities.h>

#include <chrono>
#include <cmath>
#include <ctime>
#include <filesystem>

namespace dh::ed {

namespace {

AcDbDatabase* databaseOf(Session& session)
{
    Document* doc = session.activeDocument();
    return doc ? doc->database() : nullptr;
}

std::string recordName(AcDbObjectId id)
{
    AcDbSymbolTableRecord* record = nullptr;
    if (acdbOpenObject(record, id, AcDb::kForRead) != Acad::eOk)
        return "";
    std::string name = record->getName();
    record->close();
    return name;
}

// The box of the model-space entities; empty when there are none.
AcDbExtents drawingExtents(AcDbDatabase& db)
{
    AcDbExtents box;
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, db.modelSpaceId(), AcDb::kForRead) != Acad::eOk)
        return box;
    for (AcDbObjectId id : space->entityIds()) {
        AcDbEntity* entity = nullptr;
        if (id.isErased() || acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk)
            continue;
        AcDbExtents extents;
        if (entity->getGeomExtents(extents) == Acad::eOk)
            box.addExt(extents);
        entity->close();
    }
    space->close();
    return box;
}

std::string upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    return text;
}

std::string colorText(const AcCmColor& color)
{
    if (color.isByLayer())
        return "BYLAYER";
    if (color.isByBlock())
        return "BYBLOCK";
    if (color.isByColor())
        return "RGB:" + std::to_string(color.red()) + "," + std::to_string(color.green()) + "," +
               std::to_string(color.blue());
    return std::to_string(color.colorIndex());
}

std::optional<AcCmColor> parseColor(const std::string& text)
{
    AcCmColor color;
    const std::string name = upper(text);
    static const char* const kNames[] = {"RED", "YELLOW", "GREEN", "CYAN", "BLUE", "MAGENTA", "WHITE"};
    if (name == "BYLAYER")
        color.setByLayer();
    else if (name == "BYBLOCK")
        color.setByBlock();
    else if (!name.empty() && name.find_first_not_of("0123456789") == std::string::npos && name.size() <= 3 &&
             std::stoi(name) >= 1 && std::stoi(name) <= 255)
        color.setColorIndex(static_cast<Adesk::UInt16>(std::stoi(name)));
    else {
        for (int i = 0; i < 7; ++i)
            if (name == kNames[i]) {
                color.setColorIndex(static_cast<Adesk::UInt16>(i + 1));
                return color;
            }
        return std::nullopt;
    }
    return color;
}

// Local time as yyyymmdd.hhmmssxxx (CDATE) and as a Julian day with its fraction (DATE).
double calendarDate()
{
    const auto now = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    const double day = (local.tm_year + 1900) * 10000.0 + (local.tm_mon + 1) * 100.0 + local.tm_mday;
    const double time = local.tm_hour * 1e-2 + local.tm_min * 1e-4 + local.tm_sec * 1e-6 + ms * 1e-9;
    return day + time;
}

double julianDate()
{
    const auto now = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    // Seconds since the epoch in local time; the epoch is Julian day 2440587.5.
    const double seconds = static_cast<double>(t + local.tm_gmtoff) +
                           std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000 / 1000.0;
    return 2440587.5 + seconds / 86400.0;
}

}  // namespace

void SystemVariables::addDrawingVariables()
{
    Session& s = m_session;
    addComputed("CTAB", RTSTR,
        [&s] {
            AcDbDatabase* db = databaseOf(s);
            const bool model = !db || db->currentSpaceId() == db->modelSpaceId();
            return VariableValue::ofString(model ? "Model" : "Layout1");
        },
        [&s](const VariableValue& v) {
            AcDbDatabase* db = databaseOf(s);
            if (!db)
                return false;
            const std::string name = upper(v.text);
            if (name == "MODEL")
                return db->setCurrentSpaceId(db->modelSpaceId()) == Acad::eOk;
            return name == "LAYOUT1" && !db->paperSpaceId().isNull() &&
                   db->setCurrentSpaceId(db->paperSpaceId()) == Acad::eOk;
        });
    auto extent = [&s](bool max) {
        return [&s, max] {
            AcDbDatabase* db = databaseOf(s);
            AcDbExtents box = db ? drawingExtents(*db) : AcDbExtents();
            if (box.isEmpty())
                return max ? VariableValue::ofPoint(-1e20, -1e20, -1e20) : VariableValue::ofPoint(1e20, 1e20, 1e20);
            const AcGePoint3d p = max ? box.maxPoint() : box.minPoint();
            return VariableValue::ofPoint(p.x, p.y, p.z);
        };
    };
    addComputed("EXTMIN", RT3DPOINT, extent(false), nullptr);
    addComputed("EXTMAX", RT3DPOINT, extent(true), nullptr);
    addComputed("TEXTSIZE", RTREAL,
        [&s] {
            AcDbDatabase* db = databaseOf(s);
            return VariableValue::ofReal(db ? db->textsize() : 2.5);
        },
        [&s](const VariableValue& v) {
            AcDbDatabase* db = databaseOf(s);
            return db && v.real > 0.0 && db->setTextsize(v.real) == Acad::eOk;
        });
    addComputed("TEXTSTYLE", RTSTR,
        [&s] {
            AcDbDatabase* db = databaseOf(s);
            return VariableValue::ofString(db ? recordName(db->textstyle()) : "Standard");
        },
        [&s](const VariableValue& v) {
            AcDbDatabase* db = databaseOf(s);
            AcDbTextStyleTable* table = nullptr;
            if (!db || db->getTextStyleTable(table, AcDb::kForRead) != Acad::eOk)
                return false;
            AcDbObjectId id;
            const bool found = table->getAt(v.text.c_str(), id) == Acad::eOk;
            table->close();
            return found && db->setTextstyle(id) == Acad::eOk;
        });
    addComputed("CECOLOR", RTSTR,
        [&s] {
            AcDbDatabase* db = databaseOf(s);
            return VariableValue::ofString(db ? colorText(db->cecolor()) : "BYLAYER");
        },
        [&s](const VariableValue& v) {
            AcDbDatabase* db = databaseOf(s);
            const std::optional<AcCmColor> color = parseColor(v.text);
            return db && color && db->setCecolor(*color) == Acad::eOk;
        });
    addComputed("CELTYPE", RTSTR,
        [&s] {
            AcDbDatabase* db = databaseOf(s);
            std::string name = db ? recordName(db->celtype()) : "";
            const std::string key = upper(name);
            return VariableValue::ofString(name.empty() || key == "BYLAYER" || key == "BYBLOCK" ? (key.empty() ? "BYLAYER" : key) : name);
        },
        [&s](const VariableValue& v) {
            AcDbDatabase* db = databaseOf(s);
            AcDbLinetypeTable* table = nullptr;
            if (!db || db->getLinetypeTable(table, AcDb::kForRead) != Acad::eOk)
                return false;
            AcDbObjectId id;
            const bool found = table->getAt(v.text.c_str(), id) == Acad::eOk;
            table->close();
            return found && db->setCeltype(id) == Acad::eOk;
        });
    addComputed("DWGPREFIX", RTSTR,
        [&s] {
            Document* doc = s.activeDocument();
            std::filesystem::path file = doc && *doc->fileName() ? std::filesystem::absolute(doc->fileName())
                                                                  : std::filesystem::current_path() / "x";
            std::string folder = file.parent_path().string();
            return VariableValue::ofString(folder.empty() || folder.back() != '/' ? folder + "/" : folder);
        },
        nullptr);
    addComputed("CDATE", RTREAL, [] { return VariableValue::ofReal(calendarDate()); }, nullptr);
    addComputed("DATE", RTREAL, [] { return VariableValue::ofReal(julianDate()); }, nullptr);
}

}  // namespace dh::ed
