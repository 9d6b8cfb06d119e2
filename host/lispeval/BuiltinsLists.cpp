// List functions.
#include "host/lispeval/Builtins.h"
#include "host/lispeval/Error.h"

#include <string>

namespace dh::lisp {

namespace {

const Value& listArg(const Args& args, std::size_t i)
{
    const Value& v = args[i];
    if (!v.isList()) {
        throwBadArgumentType("consp", v);
    }
    return v;
}

// The c[ad]+r family: path is applied right to left, as the name reads ("cadr" = car of cdr).
Value carCdr(const Args& args, std::string_view path)
{
    args.expect(1);
    Value v = listArg(args, 0);
    for (auto it = path.rbegin(); it != path.rend(); ++it) {
        if (!v.isList()) {
            throwBadArgumentType("consp", v);
        }
        Value next = *it == 'a' ? v.car() : v.cdr();
        v = std::move(next);
    }
    return v;
}

const Value& properList(const Args& args, std::size_t i)
{
    const Value& v = args.list(i);
    if (!v.isProperList()) {
        throw Error("bad list: " + shownValue(v));
    }
    return v;
}

Value nth(Interpreter&, const Args& args)
{
    args.expect(2);
    std::int32_t index = args.integer(0);
    if (index < 0) {
        throwBadArgumentValue("non-negative", args[0]);
    }
    const Value* p = &listArg(args, 1);
    for (std::int32_t i = 0; i < index && p->isCons(); ++i) {
        p = &p->cdr();
    }
    return p->isCons() ? p->car() : Value();
}

Value append(Interpreter&, const Args& args)
{
    ListBuilder out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        for (const Value& item : properList(args, i).items()) {
            out.add(item);
        }
    }
    return out.finish();
}

Value reverse(Interpreter&, const Args& args)
{
    args.expect(1);
    Value out;
    for (const Value* p = &properList(args, 0); p->isCons(); p = &p->cdr()) {
        out = Value::cons(p->car(), std::move(out));
    }
    return out;
}

Value assoc(Interpreter&, const Args& args)
{
    args.expect(2);
    for (const Value* p = &args.list(1); p->isCons(); p = &p->cdr()) {
        const Value& entry = p->car();
        if (entry.isCons() && entry.car().equal(args[0])) {
            return entry;
        }
    }
    return Value();
}

Value member(Interpreter&, const Args& args)
{
    args.expect(2);
    for (const Value* p = &args.list(1); p->isCons(); p = &p->cdr()) {
        if (p->car().equal(args[0])) {
            return *p;
        }
    }
    return Value();
}

Value last(Interpreter&, const Args& args)
{
    args.expect(1);
    const Value* p = &args.list(0);
    while (p->isCons() && p->cdr().isCons()) {
        p = &p->cdr();
    }
    return p->car();
}

// (subst new old list): every top-level item equal to old replaced by new.
Value subst(Interpreter&, const Args& args)
{
    args.expect(3);
    ListBuilder out;
    const Value* p = &args.list(2);
    for (; p->isCons(); p = &p->cdr()) {
        out.add(p->car().equal(args[1]) ? args[0] : p->car());
    }
    return out.finish(*p);
}

Value length(Interpreter&, const Args& args)
{
    args.expect(1);
    return Value::integer(static_cast<std::int32_t>(properList(args, 0).length()));
}

} // namespace

// car, cdr and every composition of two to four of them (caar … cddddr).
void addCarCdrFamily(std::vector<Builtin>& table)
{
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        for (std::size_t length = 1; length <= 4; ++length) {
            for (unsigned bits = 0; bits < (1u << length); ++bits) {
                std::string path;
                for (std::size_t k = 0; k < length; ++k) {
                    path += (bits >> k) & 1 ? 'd' : 'a';
                }
                all.push_back("c" + path + "r");
            }
        }
        return all;
    }();
    for (const std::string& name : names) {
        std::string path = name.substr(1, name.size() - 2);
        table.push_back({name, [path](Interpreter&, const Args& a) { return carCdr(a, path); }});
    }
}

std::span<const Builtin> listBuiltins()
{
    static const std::vector<Builtin> table = [] {
        std::vector<Builtin> t = {
            {"list", [](Interpreter&, const Args& a) { return Value::list(a.values()); }},
            {"cons",
             [](Interpreter&, const Args& a) {
                 a.expect(2);
                 return Value::cons(a[0], a[1]);
             }},
            {"nth", nth},
            {"length", length},
            {"append", append},
            {"reverse", reverse},
            {"assoc", assoc},
            {"member", member},
            {"last", last},
            {"subst", subst},
        };
        addCarCdrFamily(t);
        return t;
    }();
    return table;
}

} // namespace dh::lisp
