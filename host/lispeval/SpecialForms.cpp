// The special forms: their arguments reach them unevaluated.
#include "host/lispeval/Error.h"
#include "host/lispeval/Interpreter.h"

namespace dh::lisp {

namespace {

// The operands of a form as a vector, checking the count.
std::vector<Value> operands(const Value& form, std::size_t min, std::size_t max)
{
    if (!form.isProperList()) {
        throw Error("bad list: " + shownValue(form));
    }
    std::vector<Value> items = form.cdr().items();
    if (items.size() < min) {
        throw Error("too few arguments");
    }
    if (items.size() > max) {
        throw Error("too many arguments");
    }
    return items;
}

constexpr std::size_t kAny = static_cast<std::size_t>(-1);

const std::string& variableName(const Value& symbol)
{
    if (!symbol.isSymbol() || symbol.isT() || symbol.isVoid()) {
        throwBadArgumentType("symbolp", symbol);
    }
    return symbol.symbolName();
}

// (a b / c d): parameters before "/", locals after it.
void readParameters(const Value& list, UserFunction& fn)
{
    if (!list.isProperList()) {
        throwBadArgumentType("listp", list);
    }
    bool locals = false;
    for (const Value& item : list.items()) {
        if (item.isSymbol() && item.symbolName() == "/" && !locals) {
            locals = true;
            continue;
        }
        (locals ? fn.locals : fn.params).push_back(variableName(item));
    }
}

} // namespace

const std::unordered_map<std::string, Interpreter::SpecialForm>& Interpreter::specialForms()
{
    static const std::unordered_map<std::string, SpecialForm> forms = {
        {"QUOTE", &Interpreter::formQuote},     {"FUNCTION", &Interpreter::formQuote},
        {"SETQ", &Interpreter::formSetq},       {"IF", &Interpreter::formIf},
        {"COND", &Interpreter::formCond},       {"PROGN", &Interpreter::formProgn},
        {"WHILE", &Interpreter::formWhile},     {"REPEAT", &Interpreter::formRepeat},
        {"FOREACH", &Interpreter::formForeach}, {"DEFUN", &Interpreter::formDefun},
        {"LAMBDA", &Interpreter::formLambda},   {"AND", &Interpreter::formAnd},
        {"OR", &Interpreter::formOr},
    };
    return forms;
}

Value Interpreter::evalBody(const Value& forms)
{
    Value result;
    for (const Value* p = &forms; p->isCons(); p = &p->cdr()) {
        result = eval(p->car());
    }
    return result;
}

Value Interpreter::formQuote(const Value& form)
{
    Value operand = operands(form, 1, 1)[0];
    // (function (lambda …)) makes the function; (function f) and 'x give their operand.
    if (form.car().symbolName() == "FUNCTION" && operand.isCons()) {
        return eval(operand);
    }
    return operand;
}

Value Interpreter::formSetq(const Value& form)
{
    std::vector<Value> items = operands(form, 2, kAny);
    if (items.size() % 2 != 0) {
        throw Error("too few arguments");
    }
    Value value;
    for (std::size_t i = 0; i < items.size(); i += 2) {
        const std::string& name = variableName(items[i]);
        value = eval(items[i + 1]);
        m_globals[name] = value;
    }
    return value;
}

// Walks the operands in place: if is on every recursive path and should cost little stack.
Value Interpreter::formIf(const Value& form)
{
    const Value& test = form.cdr();
    const Value& then = test.cdr();
    const Value& otherwise = then.cdr();
    if (!then.isCons() || !otherwise.isList()) {
        throw Error(!form.isProperList() ? "bad list: " + shownValue(form) : "too few arguments");
    }
    if (!otherwise.cdr().isNil()) {
        throw Error(form.isProperList() ? "too many arguments" : "bad list: " + shownValue(form));
    }
    if (eval(test.car()).isTrue()) {
        return eval(then.car());
    }
    return eval(otherwise.car());
}

Value Interpreter::formCond(const Value& form)
{
    for (const Value& clause : operands(form, 0, kAny)) {
        if (!clause.isCons()) {
            throwBadArgumentType("consp", clause);
        }
        Value test = eval(clause.car());
        if (test.isTrue()) {
            return clause.cdr().isNil() ? test : evalBody(clause.cdr());
        }
    }
    return Value();
}

Value Interpreter::formProgn(const Value& form)
{
    operands(form, 0, kAny);
    return evalBody(form.cdr());
}

Value Interpreter::formWhile(const Value& form)
{
    const Value test = operands(form, 1, kAny)[0];
    const Value& body = form.cdr().cdr();
    Value result;
    while (eval(test).isTrue()) {
        checkCancel();
        result = evalBody(body);
    }
    return result;
}

Value Interpreter::formRepeat(const Value& form)
{
    Value count = eval(operands(form, 1, kAny)[0]);
    if (!count.isInt()) {
        throwBadArgumentType("fixnump", count);
    }
    const Value& body = form.cdr().cdr();
    Value result;
    for (std::int32_t i = 0; i < count.asInt(); ++i) {
        checkCancel();
        result = evalBody(body);
    }
    return result;
}

Value Interpreter::formForeach(const Value& form)
{
    std::vector<Value> items = operands(form, 2, kAny);
    const std::string& name = variableName(items[0]);
    Value list = eval(items[1]);
    if (!list.isList()) {
        throwBadArgumentType("listp", list);
    }
    const Value& body = form.cdr().cdr().cdr();
    Frame frame(*this);
    frame.bind(name, Value());
    Value result;
    for (const Value* p = &list; p->isCons(); p = &p->cdr()) {
        m_globals[name] = p->car();
        result = evalBody(body);
    }
    return result;
}

Value Interpreter::formDefun(const Value& form)
{
    std::vector<Value> items = operands(form, 2, kAny);
    auto fn = std::make_shared<UserFunction>();
    fn->name = variableName(items[0]);
    readParameters(items[1], *fn);
    fn->body.assign(items.begin() + 2, items.end());
    m_globals[fn->name] = Value::userFunction(fn);
    return items[0];
}

Value Interpreter::formLambda(const Value& form)
{
    std::vector<Value> items = operands(form, 1, kAny);
    auto fn = std::make_shared<UserFunction>();
    readParameters(items[0], *fn);
    fn->body.assign(items.begin() + 1, items.end());
    return Value::userFunction(fn);
}

Value Interpreter::formAnd(const Value& form)
{
    for (const Value& operand : operands(form, 0, kAny)) {
        if (eval(operand).isNil()) {
            return Value();
        }
    }
    return Value::t();
}

Value Interpreter::formOr(const Value& form)
{
    for (const Value& operand : operands(form, 0, kAny)) {
        if (eval(operand).isTrue()) {
            return Value::t();
        }
    }
    return Value();
}

} // namespace dh::lisp
