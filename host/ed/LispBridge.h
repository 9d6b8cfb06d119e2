// The LISP side of the modules: functions a module defines (acedDefun) live in one
// document's interpreter; calling one converts the arguments to a result-buffer chain,
// sends kInvkSubrMsg (or calls the function given to acedRegFunc) and converts the result
// the module set with acedRet* back. No result at all is "; error: function failed".
//
// Host builtins beyond the core LISP (entget, ssget, command, ...) are registered at load
// time with a LispBuiltinRegistrar and installed in every new document's interpreter.
#pragma once

#include "host/lispeval/Value.h"

#include <acut/ResBuf.h>

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dh::lisp {
class Args;
}

namespace dh::ed {

class Document;
class Session;
struct Module;

struct LispBuiltinRegistrar {
    LispBuiltinRegistrar(std::string_view name, lisp::BuiltinFn fn);
};

class LispBridge {
public:
    explicit LispBridge(Session& session) : m_session(session) {}

    // Installs the registered host builtins and the output sink in a new document.
    void prepare(Document& document);
    void forget(Document& document);

    // acedDefun / acedUndef for module (nullptr: the host itself) in the active document.
    int defun(const char* name, int code, Module* module);
    int undef(const char* name, int code);
    int regFunc(int (*fn)(), int code, Module* module);
    // Drops every definition and direct function of a module from every document.
    void removeModule(Module& module);

    // The call in progress (innermost); acedGetFunCode, acedGetArgs and acedRet* use it.
    bool inCall() const { return !m_calls.empty(); }
    int funCode() const;
    const resbuf* args() const;
    int setResult(lisp::Value value);

    // Calls a defined function of the active document by name (tests, (command) items).
    lisp::Value invoke(Document& document, const std::string& name,
                       const std::vector<lisp::Value>& args);

private:
    struct Definition {
        Module* module = nullptr;
        int code = 0;
    };
    struct Call {
        int code = 0;
        const resbuf* args = nullptr;
        std::optional<lisp::Value> result;
    };

    Session& m_session;
    std::map<Document*, std::map<std::string, Definition>> m_definitions;
    std::map<std::pair<Module*, int>, int (*)()> m_direct;
    std::vector<Call> m_calls;
};

}  // namespace dh::ed
