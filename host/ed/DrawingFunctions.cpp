// The LISP builtins that reach the drawing, the host and the modules: entlast, entnext,
// handent, entget, entdel, getvar, setvar, getenv, setenv, arxload, arxunload. Entity
// names are the database's (acdbGetAdsName); "the drawing" is the active document's
// current space.
#include "host/ed/Document.h"
#include "host/ed/Environment.h"
#include "host/ed/SystemVariables.h"
#include "host/ed/EntityList.h"
#include "host/ed/EntityWalk.h"
#include "host/ed/LispBridge.h"
#include "host/ed/ModuleManager.h"
#include "host/ed/ResbufConversion.h"
#include "host/ed/Session.h"
#include "host/ed/TableLists.h"
#include "host/lispeval/Args.h"
#include "host/lispeval/Error.h"

#include <acdb/AcDbBlockTableRecord.h>
#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbEntity.h>
#include <acdb/AcDbSymbolTable.h>
#include <acrx/AcRxClass.h>
#include <acdb/AcDbUtilities.h>
#include <aced/AcEdVariables.h>

#include <memory>

namespace dh::ed {

namespace {

using lisp::Args;
using lisp::Interpreter;
using lisp::Value;

AcDbDatabase* activeDatabase()
{
    Session* s = Session::current();
    Document* doc = s ? s->activeDocument() : nullptr;
    return doc ? doc->database() : nullptr;
}

Value nameValue(AcDbObjectId id)
{
    ads_name name = {0, 0};
    if (id.isNull() || acdbGetAdsName(name, id) != Acad::eOk)
        return {};
    return entityValue(name);
}

AcDbObjectId idOf(const lisp::OpaqueName& name)
{
    ads_name n = {name.id[0], name.id[1]};
    AcDbObjectId id;
    if (acdbGetObjectId(id, n) != Acad::eOk)
        return AcDbObjectId();
    return id;
}

// Closes an opened entity at scope exit.
struct EntityGuard {
    AcDbEntity* entity = nullptr;
    ~EntityGuard()
    {
        if (entity)
            entity->close();
    }
};

Value entlast(Interpreter&, const Args& args)
{
    args.expect(0);
    AcDbDatabase* db = activeDatabase();
    return db ? nameValue(lastEntity(*db)) : Value();
}

Value entnext(Interpreter&, const Args& args)
{
    args.expect(0, 1);
    AcDbDatabase* db = activeDatabase();
    if (!db)
        return {};
    if (args.empty() || args[0].isNil())
        return nameValue(firstEntity(*db));
    return nameValue(nextEntity(idOf(args.entityName(0))));
}

// Any object of the drawing with that handle, erased ones included (entdel brings them
// back); nil for a handle no object has.
Value handent(Interpreter&, const Args& args)
{
    args.expect(1);
    const std::string& hex = args.string(0);
    AcDbDatabase* db = activeDatabase();
    if (!db || hex.empty() || hex.size() > 16 || hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        return {};
    AcDbHandle handle(hex.c_str());
    AcDbObjectId id;
    if (handle.isNull() || db->getAcDbObjectId(id, false, handle) != Acad::eOk || !id.isValid())
        return {};
    return nameValue(id);
}

Value entget(Interpreter&, const Args& args)
{
    args.expect(1, 2);
    AcDbObjectId id = idOf(args.entityName(0));
    std::vector<std::string> apps;
    if (args.has(1)) {
        for (const Value& app : args.list(1).items()) {
            if (!app.isString())
                throw lisp::Error("bad argument type: stringp: " + lisp::shownValue(app));
            apps.push_back(app.asString());
        }
    }
    if (!id.isNull() && id.objectClass() && id.objectClass()->isDerivedFrom(AcDbSymbolTableRecord::desc()))
        return recordList(id, true);
    EntityGuard guard;
    if (id.isNull() || acdbOpenAcDbEntity(guard.entity, id, AcDb::kForRead) != Acad::eOk)
        return {};
    return entityList(*guard.entity, apps);
}

// Erases the entity, or brings back an erased one; the name, or nil when it cannot.
Value entdel(Interpreter&, const Args& args)
{
    args.expect(1);
    AcDbObjectId id = idOf(args.entityName(0));
    EntityGuard guard;
    // Vertices, attributes and the entities of block definitions go only with their owner.
    if (id.isNull() || !isLayoutEntity(id) || acdbOpenAcDbEntity(guard.entity, id, AcDb::kForWrite, true) != Acad::eOk)
        return {};
    if (guard.entity->erase(!guard.entity->isErased()) != Acad::eOk)
        return {};
    return args[0];
}

// (entupd ename): the name when it is a live entity (there is no display to regenerate).
Value entupd(Interpreter&, const Args& args)
{
    args.expect(1);
    AcDbObjectId id = idOf(args.entityName(0));
    EntityGuard guard;
    if (id.isNull() || acdbOpenAcDbEntity(guard.entity, id, AcDb::kForRead) != Acad::eOk)
        return {};
    return args[0];
}

// (arxload "path" [onfailure]): the path on success; onfailure, or an error, on failure.
Value arxload(Interpreter&, const Args& args)
{
    args.expect(1, 2);
    const std::string& path = args.string(0);
    Session* s = Session::current();
    std::string error = "no session";
    if (s && s->modules().load(path, error))
        return args[0];
    if (args.has(1))
        return args[1];
    throw lisp::Error("arxload failed: " + error);
}

Value arxunload(Interpreter&, const Args& args)
{
    args.expect(1, 2);
    const std::string& name = args.string(0);
    Session* s = Session::current();
    std::string error = "no session";
    if (s && s->modules().unload(name, error))
        return args[0];
    if (args.has(1))
        return args[1];
    throw lisp::Error("arxunload failed: " + error);
}

Value getvar(Interpreter&, const Args& args)
{
    args.expect(1);
    Session* s = Session::current();
    auto v = s ? s->variables().get(args.string(0)) : std::nullopt;
    if (!v)
        return {};
    switch (v->type) {
    case RTSHORT:
        return Value::integer(v->integer);
    case RTREAL:
        return Value::real(v->real);
    case RTSTR:
        return Value::string(v->text);
    case RTPOINT:
        return Value::list({Value::real(v->point[0]), Value::real(v->point[1])});
    default:
        return Value::point(v->point[0], v->point[1], v->point[2]);
    }
}

Value setvar(Interpreter&, const Args& args)
{
    args.expect(2);
    const std::string& name = args.string(0);
    Session* s = Session::current();
    ResbufChain chain = valuesToResbuf({args[1]});
    if (!s || !chain || s->variables().set(name, *chain) != RTNORM)
        throw lisp::Error("setvar rejected: " + name);
    return args[1];
}

Value getenvFn(Interpreter&, const Args& args)
{
    args.expect(1);
    Session* s = Session::current();
    auto v = s ? s->environment().get(args.string(0)) : std::nullopt;
    return v ? Value::string(*v) : Value();
}

Value setenvFn(Interpreter&, const Args& args)
{
    args.expect(2);
    Session* s = Session::current();
    if (!s || !s->environment().set(args.string(0), args.string(1)))
        throw lisp::Error("setenv failed: " + args.string(0));
    return args[1];
}

// A coordinate system argument of trans: 0 world, 1 user, 2 display, 3 paper display, an
// entity name (its own system) or an extrusion vector.
resbuf systemOf(const Args& args, std::size_t i)
{
    resbuf rb{};
    const Value& v = args[i];
    if (v.isInt() && v.asInt() >= 0 && v.asInt() <= 3) {
        rb.restype = RTSHORT;
        rb.resval.rint = static_cast<short>(v.asInt());
    } else if (v.isEntityName()) {
        rb.restype = RTENAME;
        rb.resval.rlname[0] = v.asName().id[0];
        rb.resval.rlname[1] = v.asName().id[1];
    } else if (v.isCons()) {
        const Args::Point p = args.point(i);
        if (p.x == 0 && p.y == 0 && p.z == 0)
            lisp::throwBadArgumentValue("extrusion", v);
        rb.restype = RT3DPOINT;
        rb.resval.rpoint[0] = p.x;
        rb.resval.rpoint[1] = p.y;
        rb.resval.rpoint[2] = p.z;
    } else {
        lisp::throwBadArgumentValue("coordinate system", v);
    }
    return rb;
}

// (trans pt from to [disp]): the point (or, with disp, the displacement) in the other
// system, always 3D; a 2D point lies at z 0.
Value trans(Interpreter&, const Args& args)
{
    args.expect(3, 4);
    const Args::Point p = args.point(0);
    const resbuf from = systemOf(args, 1);
    const resbuf to = systemOf(args, 2);
    const bool displacement = args.has(3) && args[3].isTrue();
    const ads_point in = {p.x, p.y, p.z};
    ads_point out;
    if (acedTrans(in, &from, &to, displacement ? 1 : 0, out) != RTNORM)
        return {};
    return Value::point(out[0], out[1], out[2]);
}

const LispBuiltinRegistrar kRegistrars[] = {
    {"TRANS", trans},     {"ENTUPD", entupd},
    {"GETVAR", getvar},   {"SETVAR", setvar},     {"GETENV", getenvFn},     {"SETENV", setenvFn},
    {"ENTLAST", entlast}, {"ENTNEXT", entnext},   {"HANDENT", handent},     {"ENTGET", entget},
    {"ENTDEL", entdel},   {"ARXLOAD", arxload},   {"ARXUNLOAD", arxunload},
};

}  // namespace

}  // namespace dh::ed
