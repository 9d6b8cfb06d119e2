#include "host/lispeval/Value.h"

#include "host/lispeval/LispFile.h"
#include "host/lispeval/Printer.h"

#include <cassert>
#include <cmath>
#include <set>
#include <variant>

namespace dh::lisp {

namespace {

struct Cons
{
    Value car;
    Value cdr;
};

struct FunctionData
{
    std::string name;
    BuiltinFn builtin;
    std::shared_ptr<const UserFunction> user;
};

} // namespace

struct Value::Node
{
    static bool ownsCell(const Value& v)
    {
        return v.m_node && v.m_node->type == Type::List && v.m_node.use_count() == 1;
    }

    Type type;
    std::variant<std::monostate, std::int32_t, double, std::string, Cons, OpaqueName,
                 std::shared_ptr<const FunctionData>, std::shared_ptr<LispFile>>
        data;

    // Long lists (and deeply nested ones) would otherwise be freed by one recursive call
    // per cell and overflow the stack; unlink the cells we own last-reference to instead.
    ~Node()
    {
        auto* cell = std::get_if<Cons>(&data);
        if (!cell || (!ownsCell(cell->car) && !ownsCell(cell->cdr))) {
            return;
        }
        std::vector<Value> pending;
        pending.push_back(std::move(cell->car));
        pending.push_back(std::move(cell->cdr));
        while (!pending.empty()) {
            Value v = std::move(pending.back());
            pending.pop_back();
            if (ownsCell(v)) {
                auto& inner = std::get<Cons>(v.m_node->data);
                pending.push_back(std::move(inner.car));
                pending.push_back(std::move(inner.cdr));
            }
        }
    }
};

namespace {

const Value& nilValue()
{
    static const Value nil;
    return nil;
}

std::string upperAscii(std::string_view name)
{
    std::string out(name);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return out;
}

} // namespace

Value Value::integer(std::int32_t value)
{
    return Value(std::make_shared<Node>(Node{Type::Int, value}));
}

Value Value::real(double value)
{
    return Value(std::make_shared<Node>(Node{Type::Real, value}));
}

Value Value::string(std::string utf8)
{
    return Value(std::make_shared<Node>(Node{Type::Str, std::move(utf8)}));
}

Value Value::symbol(std::string_view name)
{
    std::string upper = upperAscii(name);
    if (upper == "NIL") {
        return Value();
    }
    return Value(std::make_shared<Node>(Node{Type::Sym, std::move(upper)}));
}

Value Value::t()
{
    static const Value t = symbol("T");
    return t;
}

Value Value::voidValue()
{
    static const Value v(std::make_shared<Node>(Node{Type::Sym, std::string()}));
    return v;
}

Value Value::cons(Value car, Value cdr)
{
    return Value(std::make_shared<Node>(Node{Type::List, Cons{std::move(car), std::move(cdr)}}));
}

Value Value::list(std::initializer_list<Value> items)
{
    return list(std::vector<Value>(items));
}

Value Value::list(const std::vector<Value>& items, Value tail)
{
    Value result = std::move(tail);
    for (auto it = items.rbegin(); it != items.rend(); ++it) {
        result = cons(*it, std::move(result));
    }
    return result;
}

Value Value::point(double x, double y, double z)
{
    return list({real(x), real(y), real(z)});
}

Value Value::entityName(long id0, long id1, std::string label)
{
    return Value(
        std::make_shared<Node>(Node{Type::Ename, OpaqueName{{id0, id1}, std::move(label)}}));
}

Value Value::selectionSet(long id0, long id1, std::string label)
{
    return Value(
        std::make_shared<Node>(Node{Type::PickSet, OpaqueName{{id0, id1}, std::move(label)}}));
}

Value Value::builtin(std::string name, BuiltinFn fn)
{
    auto data = std::make_shared<const FunctionData>(
        FunctionData{upperAscii(name), std::move(fn), nullptr});
    return Value(std::make_shared<Node>(Node{Type::Subr, std::move(data)}));
}

Value Value::userFunction(std::shared_ptr<const UserFunction> fn)
{
    std::string name = fn->name;
    auto data =
        std::make_shared<const FunctionData>(FunctionData{std::move(name), nullptr, std::move(fn)});
    return Value(std::make_shared<Node>(Node{Type::Usubr, std::move(data)}));
}

Value Value::file(std::shared_ptr<LispFile> file)
{
    return Value(std::make_shared<Node>(Node{Type::File, std::move(file)}));
}

Value Value::catchError(std::string message)
{
    return Value(std::make_shared<Node>(Node{Type::CatchError, std::move(message)}));
}

Type Value::type() const
{
    return m_node ? m_node->type : Type::Nil;
}

bool Value::isT() const
{
    return isSymbol() && symbolName() == "T";
}

bool Value::isVoid() const
{
    return isSymbol() && symbolName().empty();
}

std::int32_t Value::asInt() const
{
    assert(isInt());
    return std::get<std::int32_t>(node().data);
}

double Value::asReal() const
{
    assert(isReal());
    return std::get<double>(node().data);
}

double Value::asNumber() const
{
    return isInt() ? static_cast<double>(asInt()) : asReal();
}

const std::string& Value::asString() const
{
    assert(isString() || isSymbol());
    return std::get<std::string>(node().data);
}

const std::string& Value::symbolName() const
{
    assert(isSymbol());
    return std::get<std::string>(node().data);
}

const OpaqueName& Value::asName() const
{
    assert(isEntityName() || isSelectionSet());
    return std::get<OpaqueName>(node().data);
}

const std::string& Value::functionName() const
{
    assert(isFunction());
    return std::get<std::shared_ptr<const FunctionData>>(node().data)->name;
}

const BuiltinFn& Value::asBuiltin() const
{
    assert(type() == Type::Subr);
    return std::get<std::shared_ptr<const FunctionData>>(node().data)->builtin;
}

const UserFunction& Value::asUserFunction() const
{
    assert(type() == Type::Usubr);
    return *std::get<std::shared_ptr<const FunctionData>>(node().data)->user;
}

LispFile& Value::asFile() const
{
    assert(isFile());
    return *std::get<std::shared_ptr<LispFile>>(node().data);
}

const std::string& Value::catchMessage() const
{
    assert(isCatchError());
    return std::get<std::string>(node().data);
}

const Value& Value::car() const
{
    if (isNil()) {
        return nilValue();
    }
    assert(isCons());
    return std::get<Cons>(node().data).car;
}

const Value& Value::cdr() const
{
    if (isNil()) {
        return nilValue();
    }
    assert(isCons());
    return std::get<Cons>(node().data).cdr;
}

std::vector<Value> Value::items() const
{
    std::vector<Value> out;
    for (const Value* p = this; p->isCons(); p = &p->cdr()) {
        out.push_back(p->car());
    }
    return out;
}

bool Value::isProperList() const
{
    const Value* p = this;
    while (p->isCons()) {
        p = &p->cdr();
    }
    return p->isNil();
}

std::size_t Value::length() const
{
    std::size_t n = 0;
    for (const Value* p = this; p->isCons(); p = &p->cdr()) {
        ++n;
    }
    return n;
}

bool Value::eq(const Value& other) const
{
    if (m_node == other.m_node) {
        return true;
    }
    if (type() != other.type()) {
        return false;
    }
    switch (type()) {
    case Type::Int:
        return asInt() == other.asInt();
    case Type::Real:
        return asReal() == other.asReal();
    case Type::Sym:
        return symbolName() == other.symbolName();
    case Type::Ename:
    case Type::PickSet:
        return asName() == other.asName();
    case Type::File:
        return &asFile() == &other.asFile();
    default:
        return false;
    }
}

namespace {

bool equalAtoms(const Value& a, const Value& b, double fuzz)
{
    if (a.isNumber() && b.isNumber()) {
        return std::fabs(a.asNumber() - b.asNumber()) <= fuzz;
    }
    if (a.type() != b.type()) {
        return false;
    }
    if (a.isString()) {
        return a.asString() == b.asString();
    }
    return a.eq(b);
}

} // namespace

// Walks both trees with an explicit stack: lists nested hundreds of thousands of levels
// deep (in the car as well as the cdr) compare without deep recursion. Lists that share
// their cells can hold exponentially many paths; past a budget, pairs of cells already
// taken up are remembered and not walked again.
bool Value::equal(const Value& other, double fuzz) const
{
    constexpr std::size_t kPairsBeforeMemo = 4096;
    std::vector<std::pair<const Value*, const Value*>> pending{{this, &other}};
    std::set<std::pair<const Node*, const Node*>> seen;
    std::size_t pairs = 0;
    while (!pending.empty()) {
        auto [a, b] = pending.back();
        pending.pop_back();
        bool settled = false; // the same cell, or a pair taken up before
        while (a->isCons() && b->isCons() && !settled) {
            settled =
                a->m_node == b->m_node || (++pairs > kPairsBeforeMemo &&
                                           !seen.emplace(a->m_node.get(), b->m_node.get()).second);
            if (!settled) {
                pending.emplace_back(&a->car(), &b->car());
                a = &a->cdr();
                b = &b->cdr();
            }
        }
        if (!settled && a->m_node != b->m_node && !equalAtoms(*a, *b, fuzz)) {
            return false;
        }
    }
    return true;
}

std::string Value::toString(bool readable) const
{
    return printValue(*this, readable);
}

ListBuilder& ListBuilder::add(Value item)
{
    m_items.push_back(std::move(item));
    return *this;
}

Value ListBuilder::finish(Value tail)
{
    Value result = Value::list(m_items, std::move(tail));
    m_items.clear();
    return result;
}

} // namespace dh::lisp
