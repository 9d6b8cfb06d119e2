#include "host/lispeval/Interpreter.h"

#include "host/lispeval/Builtins.h"
#include "host/lispeval/Error.h"
#include "host/lispeval/Reader.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <pthread.h>

namespace dh::lisp {

namespace {

std::string upperName(std::string_view name)
{
    std::string out(name);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return out;
}

#if defined(__SANITIZE_ADDRESS__)
constexpr std::size_t kStackMargin = std::size_t{1} << 20; // instrumented frames are larger
#else
constexpr std::size_t kStackMargin = std::size_t{512} << 10;
#endif

std::uintptr_t frameAddress()
{
    return reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
}

// The lowest address nesting may reach: the budget below the current frame, but no closer
// to the end of the thread's stack than the margin (stacks grow down here).
std::uintptr_t stackFloor(std::size_t budget)
{
    // Finding the main thread's stack reads /proc; do it once per thread.
    thread_local std::uintptr_t threadFloor = [] {
        std::uintptr_t floor = 0;
        pthread_attr_t attr;
        if (pthread_getattr_np(pthread_self(), &attr) == 0) {
            void* low = nullptr;
            std::size_t size = 0;
            if (pthread_attr_getstack(&attr, &low, &size) == 0) {
                floor = reinterpret_cast<std::uintptr_t>(low) + std::min(kStackMargin, size / 4);
            }
            pthread_attr_destroy(&attr);
        }
        return floor;
    }();
    std::uintptr_t here = frameAddress();
    return std::max(here > budget ? here - budget : 0, threadFloor);
}

// Counts nesting; the outermost evaluation fixes how deep the stack may go.
class DepthGuard
{
public:
    DepthGuard(std::size_t& depth, std::uintptr_t& floor, std::size_t budget) : m_depth(depth)
    {
        if (m_depth++ == 0) {
            floor = stackFloor(budget);
        }
    }
    ~DepthGuard() { --m_depth; }

private:
    std::size_t& m_depth;
};

} // namespace

Interpreter::Frame::~Frame()
{
    for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it) {
        if (it->second) {
            m_interp.m_globals[it->first] = std::move(*it->second);
        } else {
            m_interp.m_globals.erase(it->first);
        }
    }
}

void Interpreter::Frame::bind(const std::string& name, Value value)
{
    auto found = m_interp.m_globals.find(name);
    if (found == m_interp.m_globals.end()) {
        m_saved.emplace_back(name, std::nullopt);
        m_interp.m_globals.emplace(name, std::move(value));
    } else {
        m_saved.emplace_back(name, found->second);
        found->second = std::move(value);
    }
}

Interpreter::Interpreter()
{
    defineBuiltins(coreBuiltins());
    defineBuiltins(listBuiltins());
    defineBuiltins(mathBuiltins());
    defineBuiltins(stringBuiltins());
    defineBuiltins(unitBuiltins());
    defineBuiltins(vlBuiltins());
    defineBuiltins(vlStringBuiltins());
    defineBuiltins(fileBuiltins());
    setGlobal("PI", Value::real(3.14159265358979323846));
}

void Interpreter::write(std::string_view text) const
{
    if (m_output) {
        m_output(text);
    } else {
        std::fwrite(text.data(), 1, text.size(), stdout);
    }
}

// LISP has one namespace: the latest definition of a name wins, so a new builtin replaces a
// user function of the same name (and a later defun shadows the builtin).
void Interpreter::defineBuiltin(std::string_view name, BuiltinFn fn)
{
    std::string key = upperName(name);
    auto user = m_globals.find(key);
    if (user != m_globals.end() && user->second.isFunction()) {
        m_globals.erase(user);
    }
    m_builtins[key] = Value::builtin(key, std::move(fn));
}

void Interpreter::defineBuiltins(std::span<const Builtin> table)
{
    for (const Builtin& entry : table) {
        defineBuiltin(entry.name, entry.fn);
    }
}

bool Interpreter::undefine(std::string_view name)
{
    return m_builtins.erase(upperName(name)) > 0;
}

bool Interpreter::isBuiltin(std::string_view name) const
{
    return m_builtins.count(upperName(name)) > 0;
}

Value Interpreter::global(std::string_view name) const
{
    auto found = m_globals.find(upperName(name));
    return found == m_globals.end() ? Value() : found->second;
}

void Interpreter::setGlobal(std::string_view name, Value value)
{
    std::string key = upperName(name);
    if (value.isNil()) {
        m_globals.erase(key); // nil and unbound are the same to LISP code
    } else {
        m_globals[key] = std::move(value);
    }
}

EvalResult Interpreter::evaluate(std::string_view text)
{
    EvalResult result;
    bool outermost = m_depth == 0;
    if (outermost) {
        m_cancel.store(false, std::memory_order_relaxed); // an Esc while idle cancels nothing
    }
    auto fail = [&](const std::string& message) {
        result.status = EvalResult::Status::Error;
        result.error = "; error: " + message;
        if (outermost) {
            m_cancel.store(false, std::memory_order_relaxed);
        }
        result.handled = callErrorHandler(message);
        return result;
    };
    ReadResult read;
    try {
        read = readForms(text);
    } catch (const Error& e) {
        return fail(e.what());
    }
    if (read.incomplete) {
        result.status = EvalResult::Status::Incomplete;
        result.error = "; error: " + read.incompleteReason;
        return result;
    }
    for (const Value& form : read.forms) {
        try {
            Value value = eval(form);
            result.printed.push_back(value.isVoid() ? std::string() : value.toString());
            result.values.push_back(std::move(value));
        } catch (const Error& e) {
            return fail(e.what());
        } catch (const std::bad_alloc&) {
            return fail("insufficient memory");
        } catch (const std::exception& e) {
            // A stray exception from an embedder's builtin ends the expression like an error.
            return fail(e.what());
        } catch (...) {
            return fail("unexpected failure");
        }
    }
    return result;
}

std::string Interpreter::rep(std::string_view text)
{
    EvalResult result = evaluate(text);
    std::string out;
    for (const std::string& line : result.printed) {
        out += line;
        out += '\n';
    }
    if (!result.ok()) {
        out += result.error;
        out += '\n';
    }
    return out;
}

// A user *error* function sees the message, as in the host; its own failure is ignored.
bool Interpreter::callErrorHandler(const std::string& message)
{
    Value handler = global("*ERROR*");
    if (!handler.isFunction() || m_inErrorHandler || m_depth > 0) {
        return false;
    }
    m_inErrorHandler = true;
    try {
        apply(handler, {Value::string(message)});
    } catch (const std::exception&) {
    }
    m_inErrorHandler = false;
    return true;
}

void Interpreter::checkCancel()
{
    if (m_cancel.load(std::memory_order_relaxed)) {
        throw Error("Function cancelled");
    }
}

void Interpreter::checkDepth()
{
    checkCancel();
    if (frameAddress() < m_stackFloor) {
        throw Error("stack overflow: recursion too deep");
    }
}

Value Interpreter::eval(const Value& form)
{
    switch (form.type()) {
    case Type::Sym:
        return evalSymbol(form);
    case Type::List: {
        DepthGuard guard(m_depth, m_stackFloor, m_stackBudget);
        checkDepth();
        return evalCall(form);
    }
    default:
        return form; // nil, numbers, strings, names and functions evaluate to themselves
    }
}

Value Interpreter::evalSymbol(const Value& symbol)
{
    if (symbol.isT() || symbol.isVoid()) {
        return symbol;
    }
    auto found = m_globals.find(symbol.symbolName());
    if (found != m_globals.end()) {
        return found->second;
    }
    auto builtin = m_builtins.find(symbol.symbolName());
    return builtin == m_builtins.end() ? Value() : builtin->second;
}

Value Interpreter::evalCall(const Value& form)
{
    const Value& head = form.car();
    if (head.isSymbol()) {
        const auto& forms = specialForms();
        auto special = forms.find(head.symbolName());
        if (special != forms.end()) {
            return (this->*special->second)(form);
        }
    }
    Value function = functionOf(head);
    return apply(function, evalArgs(form.cdr()));
}

Value Interpreter::functionOf(const Value& head)
{
    if (head.isSymbol()) {
        Value value = evalSymbol(head);
        if (value.isFunction()) {
            return value;
        }
        if (value.isNil()) {
            throw Error("no function definition: " + head.symbolName());
        }
        throw Error("bad function: " + shownValue(value));
    }
    if (head.isCons()) {
        Value value = eval(head);
        if (value.isFunction()) {
            return value;
        }
        throw Error("bad function: " + shownValue(value));
    }
    throw Error("bad function: " + shownValue(head));
}

std::vector<Value> Interpreter::evalArgs(const Value& argForms)
{
    std::vector<Value> args;
    const Value* p = &argForms;
    for (; p->isCons(); p = &p->cdr()) {
        args.push_back(eval(p->car()));
    }
    if (!p->isNil()) {
        throw Error("bad list: " + shownValue(argForms));
    }
    return args;
}

Value Interpreter::apply(const Value& function, std::vector<Value> args)
{
    if (function.type() == Type::Subr) {
        return function.asBuiltin()(*this, Args(function.functionName(), std::move(args)));
    }
    if (function.type() == Type::Usubr) {
        return applyUser(function, std::move(args));
    }
    // A quoted name or lambda expression, as mapcar and apply receive them.
    if (function.isSymbol()) {
        return apply(functionOf(function), std::move(args));
    }
    if (function.isCons() && function.car().isSymbol() && function.car().symbolName() == "LAMBDA") {
        return apply(formLambda(function), std::move(args));
    }
    throw Error("bad function: " + shownValue(function));
}

Value Interpreter::call(std::string_view name, std::vector<Value> args)
{
    return apply(functionOf(Value::symbol(name)), std::move(args));
}

Value Interpreter::applyUser(const Value& function, std::vector<Value> args)
{
    const UserFunction& fn = function.asUserFunction();
    if (args.size() < fn.params.size()) {
        throw Error("too few arguments");
    }
    if (args.size() > fn.params.size()) {
        throw Error("too many arguments");
    }
    DepthGuard guard(m_depth, m_stackFloor, m_stackBudget);
    checkDepth();
    Frame frame(*this);
    for (std::size_t i = 0; i < fn.params.size(); ++i) {
        frame.bind(fn.params[i], std::move(args[i]));
    }
    for (const std::string& local : fn.locals) {
        frame.bind(local, Value());
    }
    Value result;
    for (const Value& form : fn.body) {
        result = eval(form);
    }
    return result;
}

} // namespace dh::lisp
