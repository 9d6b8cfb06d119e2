// Predicates, type, evaluation and output.
#include "host/lispeval/Builtins.h"
#include "host/lispeval/Error.h"
#include "host/lispeval/Reader.h"

namespace dh::lisp {

namespace {

const char* typeName(Type type)
{
    switch (type) {
    case Type::Int:
        return "INT";
    case Type::Real:
        return "REAL";
    case Type::Str:
        return "STR";
    case Type::Sym:
        return "SYM";
    case Type::List:
        return "LIST";
    case Type::Ename:
        return "ENAME";
    case Type::PickSet:
        return "PICKSET";
    case Type::Subr:
        return "SUBR";
    case Type::Usubr:
        return "USUBR";
    case Type::File:
        return "FILE";
    case Type::CatchError:
        return "VL-CATCH-ALL-APPLY-ERROR";
    case Type::Nil:
        break;
    }
    return "";
}

Value typeOf(Interpreter&, const Args& args)
{
    args.expect(1);
    return args[0].isNil() ? Value() : Value::symbol(typeName(args[0].type()));
}

Value predicate(const Args& args, bool (Value::*test)() const)
{
    args.expect(1);
    return Value::boolean((args[0].*test)());
}

Value boundp(Interpreter& interp, const Args& args)
{
    args.expect(1);
    const Value& symbol = args.symbol(0);
    if (symbol.isNil()) {
        return Value();
    }
    if (symbol.isT()) {
        return Value::t();
    }
    // Builtins count as bound: their symbols carry the function.
    return Value::boolean(interp.global(symbol.symbolName()).isTrue() ||
                          interp.isBuiltin(symbol.symbolName()));
}

Value equal(Interpreter&, const Args& args)
{
    args.expect(2, 3);
    double fuzz = args.has(2) ? args.number(2) : 0.0;
    return Value::boolean(args[0].equal(args[1], fuzz));
}

Value set(Interpreter& interp, const Args& args)
{
    args.expect(2);
    const Value& symbol = args[0];
    if (!symbol.isSymbol() || symbol.isT() || symbol.isVoid()) {
        throwBadArgumentType("symbolp", symbol);
    }
    interp.setGlobal(symbol.symbolName(), args[1]);
    return args[1];
}

Value applyFn(Interpreter& interp, const Args& args)
{
    args.expect(2);
    const Value& list = args.list(1);
    if (!list.isProperList()) {
        throw Error("bad list: " + shownValue(list));
    }
    return interp.apply(args[0], list.items());
}

// (mapcar f l1 l2 …): stops at the end of the shortest list.
Value mapcar(Interpreter& interp, const Args& args)
{
    args.atLeast(2);
    std::vector<Value> lists;
    for (std::size_t i = 1; i < args.size(); ++i) {
        lists.push_back(args.list(i));
    }
    ListBuilder out;
    for (;;) {
        std::vector<Value> callArgs;
        for (Value& list : lists) {
            if (!list.isCons()) {
                return out.finish();
            }
            callArgs.push_back(list.car());
            Value rest = list.cdr();
            list = std::move(rest);
        }
        out.add(interp.apply(args[0], std::move(callArgs)));
    }
}

// Ends the running program the way the host does: as an error that *error* sees.
Value quit(Interpreter&, const Args& args)
{
    args.expect(0);
    throw Error("quit / exit abort");
}

Value read(Interpreter&, const Args& args)
{
    args.expect(0, 1);
    if (args.empty()) {
        return Value();
    }
    // Like the host, read takes the first expression of the text and ignores the rest.
    ReadResult result = readForms(args.string(0));
    if (result.forms.empty()) {
        if (result.incomplete) {
            throw Error(result.incompleteReason);
        }
        return Value();
    }
    return result.forms.front();
}

} // namespace

std::span<const Builtin> coreBuiltins()
{
    static const std::vector<Builtin> table = {
        {"type", typeOf},
        {"null", [](Interpreter&, const Args& a) { return predicate(a, &Value::isNil); }},
        {"not", [](Interpreter&, const Args& a) { return predicate(a, &Value::isNil); }},
        {"atom", [](Interpreter&, const Args& a) { return predicate(a, &Value::isAtom); }},
        {"listp", [](Interpreter&, const Args& a) { return predicate(a, &Value::isList); }},
        {"numberp", [](Interpreter&, const Args& a) { return predicate(a, &Value::isNumber); }},
        {"stringp", [](Interpreter&, const Args& a) { return predicate(a, &Value::isString); }},
        {"vl-symbolp", [](Interpreter&, const Args& a) { return predicate(a, &Value::isSymbol); }},
        {"boundp", boundp},
        {"eq",
         [](Interpreter&, const Args& a) {
             a.expect(2);
             return Value::boolean(a[0].eq(a[1]));
         }},
        {"equal", equal},
        {"eval",
         [](Interpreter& interp, const Args& a) {
             a.expect(1);
             return interp.eval(a[0]);
         }},
        {"set", set},
        {"apply", applyFn},
        {"mapcar", mapcar},
        {"read", read},
        {"exit", quit},
        {"quit", quit},
    };
    return table;
}

} // namespace dh::lisp
