// A LISP interpreter, one per drawing: global variables, user functions, builtins and an
// output sink. evaluate(text) reads every top-level form of the text, evaluates it and
// prints its result; the first lisp::Error ends the text and is reported as
// "; error: …". Binding is dynamic, as in the host: a function's parameters and locals
// shadow the globals of the same name while it runs and are restored when it returns.
//
// Builtins live in a name → function table (upper-cased names). The core library is
// installed by the constructor; an embedder adds its own (drawing access, module
// functions) with defineBuiltin/defineBuiltins and removes them with undefine.
#pragma once

#include "host/lispeval/Args.h"
#include "host/lispeval/HostHooks.h"
#include "host/lispeval/Value.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace dh::lisp {

struct Builtin
{
    std::string_view name;
    BuiltinFn fn;
};

struct EvalResult
{
    enum class Status
    {
        Ok,
        Error,
        Incomplete
    };
    Status status = Status::Ok;
    std::vector<Value> values;        // one per top-level form evaluated
    std::vector<std::string> printed; // their printed forms ("" for the void value)
    // "; error: …" when status is Error; when Incomplete, what to report if no more input
    // comes ("; error: malformed list on input").
    std::string error;
    // The user's *error* function took the error (and printed what it wanted instead).
    bool handled = false;

    bool ok() const { return status == Status::Ok; }
};

class Interpreter
{
public:
    using OutputSink = std::function<void(std::string_view)>;

    // By default nesting may use the calling thread's stack up to a safety margin.
    static constexpr std::size_t kDefaultStackBudget = std::size_t{1} << 30;

    Interpreter();
    Interpreter(const Interpreter&) = delete;
    Interpreter& operator=(const Interpreter&) = delete;

    // Where princ, print, prin1 and terpri write; standard output by default.
    void setOutput(OutputSink sink) { m_output = std::move(sink); }
    void write(std::string_view text) const;
    // Units, files and the keyboard as the embedder provides them.
    void setHooks(HostHooks hooks) { m_hooks = std::move(hooks); }
    const HostHooks& hooks() const { return m_hooks; }
    UnitSettings unitSettings() const { return m_hooks.units ? m_hooks.units() : UnitSettings{}; }

    void defineBuiltin(std::string_view name, BuiltinFn fn);
    void defineBuiltins(std::span<const Builtin> table);
    // Removes a builtin; false when there was none. User functions are left alone.
    bool undefine(std::string_view name);
    bool isBuiltin(std::string_view name) const;

    Value global(std::string_view name) const; // nil when unbound
    void setGlobal(std::string_view name, Value value);

    // Reads, evaluates and prints every form of text. Never throws lisp::Error.
    EvalResult evaluate(std::string_view text);
    // evaluate() for a terminal: the printed results one a line, or the error line.
    std::string rep(std::string_view text);

    // For builtins and embedders: these throw lisp::Error.
    Value eval(const Value& form);
    Value apply(const Value& function, std::vector<Value> args);
    Value call(std::string_view name, std::vector<Value> args);

    // The stack bytes a nested evaluation may use before it fails with "stack overflow";
    // never more than the thread's stack leaves free.
    void setStackBudget(std::size_t bytes) { m_stackBudget = bytes; }

    // Asks the running evaluation to stop with "Function cancelled" at its next step (Esc,
    // ^C). Safe to call from a signal handler or another thread; the request is dropped
    // when the outermost evaluation ends.
    void requestCancel() { m_cancel.store(true, std::memory_order_relaxed); }

private:
    // Dynamic binding: saves the values a call shadows and restores them on the way out,
    // also when an error unwinds through the call.
    struct Frame
    {
        explicit Frame(Interpreter& interp) : m_interp(interp) {}
        Frame(const Frame&) = delete;
        Frame& operator=(const Frame&) = delete;
        ~Frame();
        void bind(const std::string& name, Value value);

        Interpreter& m_interp;
        std::vector<std::pair<std::string, std::optional<Value>>> m_saved;
    };
    using SpecialForm = Value (Interpreter::*)(const Value& form);

    Value evalSymbol(const Value& symbol);
    Value evalCall(const Value& form);
    Value functionOf(const Value& head);
    std::vector<Value> evalArgs(const Value& argForms);
    Value applyUser(const Value& function, std::vector<Value> args);
    void checkDepth();
    void checkCancel();
    bool callErrorHandler(const std::string& message);

    Value formQuote(const Value& form);
    Value formSetq(const Value& form);
    Value formIf(const Value& form);
    Value formCond(const Value& form);
    Value formProgn(const Value& form);
    Value formWhile(const Value& form);
    Value formRepeat(const Value& form);
    Value formForeach(const Value& form);
    Value formDefun(const Value& form);
    Value formLambda(const Value& form);
    Value formAnd(const Value& form);
    Value formOr(const Value& form);
    Value evalBody(const Value& forms);
    static const std::unordered_map<std::string, SpecialForm>& specialForms();

    std::unordered_map<std::string, Value> m_globals;
    std::unordered_map<std::string, Value> m_builtins;
    OutputSink m_output;
    HostHooks m_hooks;
    std::size_t m_depth = 0;
    std::size_t m_stackBudget = kDefaultStackBudget;
    std::uintptr_t m_stackFloor = 0; // the lowest frame address allowed
    bool m_inErrorHandler = false;
    std::atomic<bool> m_cancel{false};
};

} // namespace dh::lisp
