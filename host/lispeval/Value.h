// A LISP value: nil, an integer (32 bits), a real, a string (UTF-8 bytes), a symbol, a cons
// cell (lists and dotted pairs), an entity name, a selection set, a function, an open file
// or the error object vl-catch-all-apply gives.
//
// Values are immutable and cheap to copy (a shared pointer to the cell); the
// default-constructed value is nil, the empty list. Symbols are case-insensitive and kept
// upper-cased. Entity names and selection sets are opaque to the evaluator: two longs that
// the embedder interprets, plus the label it prints (the handle in hex, the set number).
// Accessors such as asInt() assert the type; Args gives checked access with LISP errors.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace dh::lisp {

class Args;
class Interpreter;
class LispFile;
class Value;

// A builtin: receives the evaluated arguments, returns the result or throws lisp::Error.
using BuiltinFn = std::function<Value(Interpreter&, const Args&)>;

enum class Type
{
    Nil,
    Int,
    Real,
    Str,
    Sym,
    List,
    Ename,
    PickSet,
    Subr,
    Usubr,
    File,
    CatchError
};

// An entity name or selection set as the embedder hands it over.
struct OpaqueName
{
    long id[2] = {0, 0};
    std::string label; // printed inside <Entity name: …> / <Selection set: …>

    bool operator==(const OpaqueName& other) const
    {
        return id[0] == other.id[0] && id[1] == other.id[1];
    }
};

struct UserFunction;

class Value
{
public:
    Value() = default; // nil

    static Value integer(std::int32_t value);
    static Value real(double value);
    static Value string(std::string utf8);
    static Value symbol(std::string_view name);
    static Value t();
    static Value boolean(bool value) { return value ? t() : Value(); }
    // The symbol with an empty name: what (princ) returns; prints as nothing.
    static Value voidValue();
    static Value cons(Value car, Value cdr);
    static Value list(std::initializer_list<Value> items);
    static Value list(const std::vector<Value>& items, Value tail = Value());
    static Value point(double x, double y, double z);
    static Value entityName(long id0, long id1, std::string label);
    static Value selectionSet(long id0, long id1, std::string label);
    static Value builtin(std::string name, BuiltinFn fn);
    static Value userFunction(std::shared_ptr<const UserFunction> fn);
    static Value file(std::shared_ptr<LispFile> file);
    static Value catchError(std::string message);

    Type type() const;
    bool isNil() const { return !m_node; }
    bool isTrue() const { return !isNil(); }
    bool isInt() const { return type() == Type::Int; }
    bool isReal() const { return type() == Type::Real; }
    bool isNumber() const { return isInt() || isReal(); }
    bool isString() const { return type() == Type::Str; }
    bool isSymbol() const { return type() == Type::Sym; }
    bool isT() const;
    bool isVoid() const;
    bool isCons() const { return type() == Type::List; }
    bool isList() const { return isNil() || isCons(); } // nil is the empty list
    bool isAtom() const { return !isCons(); }
    bool isFunction() const { return type() == Type::Subr || type() == Type::Usubr; }
    bool isEntityName() const { return type() == Type::Ename; }
    bool isSelectionSet() const { return type() == Type::PickSet; }
    bool isFile() const { return type() == Type::File; }
    bool isCatchError() const { return type() == Type::CatchError; }

    std::int32_t asInt() const;
    double asReal() const;
    double asNumber() const; // an integer or a real as double
    const std::string& asString() const;
    const std::string& symbolName() const; // upper-cased
    const OpaqueName& asName() const;      // entity name or selection set
    const std::string& functionName() const;
    const BuiltinFn& asBuiltin() const;
    const UserFunction& asUserFunction() const;
    LispFile& asFile() const;
    const std::string& catchMessage() const;

    // car and cdr of nil are nil, as in LISP; of another atom they assert.
    const Value& car() const;
    const Value& cdr() const;

    // Walking a list: the items up to the end or to a dotted tail, which dottedTail gives.
    std::vector<Value> items() const;
    bool isProperList() const;
    bool isDottedPair() const { return isCons() && !cdr().isList(); }
    std::size_t length() const; // items of a proper list; stops at a dotted tail

    // Same cell (eq for lists, strings, functions); numbers and symbols compare by value.
    bool eq(const Value& other) const;
    // Structural equality (equal), with an optional tolerance for reals.
    bool equal(const Value& other, double fuzz = 0.0) const;

    // The printed form: readable (prin1, the result echo) or raw (princ).
    std::string toString(bool readable = true) const;

    struct Node;

private:
    explicit Value(std::shared_ptr<Node> node) : m_node(std::move(node)) {}
    const Node& node() const { return *m_node; }

    std::shared_ptr<Node> m_node;
};

// Builds a list front to back in linear time.
class ListBuilder
{
public:
    ListBuilder& add(Value item);
    // The list built so far, ending with tail (nil for a proper list).
    Value finish(Value tail = Value());
    bool empty() const { return m_items.empty(); }

private:
    std::vector<Value> m_items;
};

// A defun or lambda: parameters, locals (after "/") and the body forms.
struct UserFunction
{
    std::string name; // upper-cased; empty for a lambda
    std::vector<std::string> params;
    std::vector<std::string> locals;
    std::vector<Value> body;
};

} // namespace dh::lisp
