#include "host/ed/LispBridge.h"

#include "host/dxf/CodePage.h"
#include "host/dxf/DocumentData.h"
#include "host/ed/CommandStack.h"
#include "host/ed/Document.h"
#include "host/ed/ModuleManager.h"
#include "host/ed/ResbufConversion.h"
#include "host/ed/Session.h"
#include "host/ed/SystemVariables.h"
#include "host/lispeval/Error.h"
#include "host/lispeval/Interpreter.h"

#include <aced/AcEdLisp.h>

#include <filesystem>
#include <memory>

namespace dh::ed {

namespace {

std::vector<std::pair<std::string, lisp::BuiltinFn>>& registeredBuiltins()
{
    static std::vector<std::pair<std::string, lisp::BuiltinFn>> table;
    return table;
}

std::string upper(std::string_view text)
{
    std::string result(text);
    for (char& c : result) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return result;
}

// The module a host-interface call comes from: the one being dispatched, else the one
// whose code made the call.
Module* callingModule(Session& session, const void* returnAddress)
{
    if (Module* m = session.modules().dispatching())
        return m;
    return session.modules().findByBase(objectBaseOf(returnAddress));
}

lisp::UnitSettings unitSettings(Session& session)
{
    const SystemVariables& v = session.variables();
    lisp::UnitSettings units;
    units.lunits = v.getInt("LUNITS", units.lunits);
    units.luprec = v.getInt("LUPREC", units.luprec);
    units.aunits = v.getInt("AUNITS", units.aunits);
    units.auprec = v.getInt("AUPREC", units.auprec);
    units.dimzin = v.getInt("DIMZIN", units.dimzin);
    units.unitmode = v.getInt("UNITMODE", units.unitmode);
    units.angbase = v.getReal("ANGBASE", units.angbase);
    units.angdir = v.getInt("ANGDIR", units.angdir);
    return units;
}

// The code page of the document's drawing as read (UTF-8 for R2007 and later files).
std::string drawingCodePage(Document& document)
{
    const dxf::DocumentData* data = dxf::DocumentData::find(document.database());
    if (data && data->version >= 1021)
        return "UTF-8";
    return data ? data->codePage : "ANSI_936";
}

std::optional<lisp::TextCodec> codecFor(const std::string& name)
{
    if (dxf::iconvName(name).empty())
        return std::nullopt;
    auto page = std::make_shared<dxf::CodePage>(name);
    if (page->isUtf8())
        return lisp::TextCodec{};
    return lisp::TextCodec{[page](std::string_view bytes) {
                               std::string out;
                               page->toUtf8(bytes, out);
                               return out;
                           },
                           [page](std::string_view utf8) {
                               std::string out;
                               page->fromUtf8(utf8, out);
                               return out;
                           }};
}

lisp::HostHooks lispHooks(Session& session, Document& document)
{
    lisp::HostHooks hooks;
    hooks.units = [&session] { return unitSettings(session); };
    // A bare name is the drawing's folder's file, as in the host; a name with a folder is
    // taken as it stands.
    hooks.filePath = [&document](const std::string& name) {
        std::filesystem::path path(name);
        if (path.has_parent_path() || !*document.fileName())
            return name;
        return (std::filesystem::absolute(document.fileName()).parent_path() / path).string();
    };
    hooks.codec = [&document](std::string_view name) {
        return codecFor(name.empty() ? drawingCodePage(document) : std::string(name));
    };
    hooks.readLine = [&session](const std::string& prompt) { return session.ask(prompt); };
    return hooks;
}

}  // namespace

LispBuiltinRegistrar::LispBuiltinRegistrar(std::string_view name, lisp::BuiltinFn fn)
{
    registeredBuiltins().emplace_back(std::string(name), std::move(fn));
}

void LispBridge::prepare(Document& document)
{
    for (const auto& [name, fn] : registeredBuiltins())
        document.lisp().defineBuiltin(name, fn);
    // pause in a command's items: that answer comes from the user.
    document.lisp().setGlobal("PAUSE", lisp::Value::string("\\"));
    Session* session = &m_session;
    document.lisp().setOutput([session](std::string_view text) { session->print(text); });
    document.lisp().setHooks(lispHooks(*session, document));
}

void LispBridge::forget(Document& document) { m_definitions.erase(&document); }

int LispBridge::defun(const char* name, int code, Module* module)
{
    Document* doc = m_session.activeDocument();
    if (!doc || !name || !*name || code < 0)
        return RTERROR;
    std::string key = upper(name);
    m_definitions[doc][key] = Definition{module, code};
    doc->lisp().defineBuiltin(key, [this, doc, key](lisp::Interpreter&, const lisp::Args& args) {
        return invoke(*doc, key, args.values());
    });
    return RTNORM;
}

int LispBridge::undef(const char* name, int code)
{
    Document* doc = m_session.activeDocument();
    if (!doc || !name)
        return RTERROR;
    auto& defs = m_definitions[doc];
    auto it = defs.find(upper(name));
    if (it == defs.end() || it->second.code != code)
        return RTERROR;
    defs.erase(it);
    doc->lisp().undefine(upper(name));
    return RTNORM;
}

int LispBridge::regFunc(int (*fn)(), int code, Module* module)
{
    if (code < 0)
        return RTERROR;
    if (fn)
        m_direct[{module, code}] = fn;
    else
        m_direct.erase({module, code});
    return RTNORM;
}

void LispBridge::removeModule(Module& module)
{
    for (auto& [doc, defs] : m_definitions) {
        for (auto it = defs.begin(); it != defs.end();) {
            if (it->second.module == &module) {
                doc->lisp().undefine(it->first);
                it = defs.erase(it);
            } else {
                ++it;
            }
        }
    }
    std::erase_if(m_direct, [&](const auto& entry) { return entry.first.first == &module; });
}

int LispBridge::funCode() const { return m_calls.empty() ? RTERROR : m_calls.back().code; }

const resbuf* LispBridge::args() const { return m_calls.empty() ? nullptr : m_calls.back().args; }

int LispBridge::setResult(lisp::Value value)
{
    if (m_calls.empty())
        return RTERROR;
    m_calls.back().result = std::move(value);
    return RTNORM;
}

lisp::Value LispBridge::invoke(Document& document, const std::string& name,
                               const std::vector<lisp::Value>& args)
{
    auto& defs = m_definitions[&document];
    auto it = defs.find(upper(name));
    if (it == defs.end())
        throw lisp::Error("no function definition: " + upper(name));
    Definition def = it->second;
    ResbufChain chain = valuesToResbuf(args);

    m_calls.push_back(Call{def.code, chain.get(), std::nullopt});
    struct Pop {
        std::vector<Call>& calls;
        ~Pop() { calls.pop_back(); }
    } pop{m_calls};

    AcRx::AppRetCode rc = AcRx::kRetOK;
    auto direct = m_direct.find({def.module, def.code});
    if (direct != m_direct.end()) {
        try {
            direct->second();
        } catch (...) {
            rc = AcRx::kRetError;
        }
    } else if (def.module) {
        rc = m_session.modules().send(*def.module, AcRx::kInvkSubrMsg, nullptr);
    }
    std::optional<lisp::Value> result = std::move(m_calls.back().result);
    // A module answers RTERROR by setting no result (its handler status stays inside it).
    (void)rc;
    if (!result)
        throw lisp::Error("function failed");
    return *result;
}

}  // namespace dh::ed

using dh::ed::LispBridge;
using dh::ed::Session;

namespace {

LispBridge* bridge()
{
    Session* s = Session::current();
    return s ? &s->lisp() : nullptr;
}

int setResult(dh::lisp::Value value)
{
    LispBridge* b = bridge();
    return b ? b->setResult(std::move(value)) : RTERROR;
}

}  // namespace

int acedDefun(const char* sname, int fcode)
{
    Session* s = Session::current();
    if (!s)
        return RTERROR;
    return s->lisp().defun(sname, fcode, dh::ed::callingModule(*s, __builtin_return_address(0)));
}

int acedUndef(const char* sname, int fcode)
{
    LispBridge* b = bridge();
    return b ? b->undef(sname, fcode) : RTERROR;
}

int acedRegFunc(int (*fhdl)(), int fcode)
{
    Session* s = Session::current();
    if (!s)
        return RTERROR;
    return s->lisp().regFunc(fhdl, fcode, dh::ed::callingModule(*s, __builtin_return_address(0)));
}

int acedGetFunCode()
{
    LispBridge* b = bridge();
    return b ? b->funCode() : RTERROR;
}

resbuf* acedGetArgs()
{
    LispBridge* b = bridge();
    if (!b || !b->args())
        return nullptr;
    // A copy: the module may release what it gets without touching the host's chain.
    return dh::ed::copyResbufChain(b->args()).release();
}

int acedRetStr(const char* s) { return setResult(dh::lisp::Value::string(s ? s : "")); }
int acedRetReal(ads_real x) { return setResult(dh::lisp::Value::real(x)); }
int acedRetInt(int x) { return setResult(dh::lisp::Value::integer(x)); }
int acedRetPoint(const ads_point pt)
{
    if (!pt)
        return RTERROR;
    return setResult(dh::lisp::Value::point(pt[0], pt[1], pt[2]));
}
int acedRetName(const ads_name aname, int type)
{
    if (!aname || (type != RTENAME && type != RTPICKS))
        return RTERROR;
    return setResult(type == RTENAME ? dh::ed::entityValue(aname) : dh::ed::selectionSetValue(aname));
}
int acedRetList(const resbuf* rbuf)
{
    try {
        return setResult(dh::ed::resbufToList(rbuf));
    } catch (...) {
        return RTERROR;
    }
}
int acedRetVal(const resbuf* rbuf)
{
    try {
        return setResult(dh::ed::resbufToValue(rbuf));
    } catch (...) {
        return RTERROR;
    }
}
int acedRetT() { return setResult(dh::lisp::Value::t()); }
int acedRetNil() { return setResult(dh::lisp::Value()); }
int acedRetVoid() { return setResult(dh::lisp::Value::voidValue()); }
