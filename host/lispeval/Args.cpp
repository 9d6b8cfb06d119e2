#include "host/lispeval/Args.h"

#include "host/lispeval/Error.h"

namespace dh::lisp {

void Args::expect(std::size_t min, std::size_t max) const
{
    atLeast(min);
    if (m_values.size() > max) {
        throw Error("too many arguments");
    }
}

void Args::atLeast(std::size_t min) const
{
    if (m_values.size() < min) {
        throw Error("too few arguments");
    }
}

const Value& Args::at(std::size_t i) const
{
    if (i >= m_values.size()) {
        throw Error("too few arguments");
    }
    return m_values[i];
}

std::int32_t Args::integer(std::size_t i) const
{
    const Value& v = at(i);
    if (!v.isInt()) {
        throwBadArgumentType("fixnump", v);
    }
    return v.asInt();
}

double Args::number(std::size_t i) const
{
    const Value& v = at(i);
    if (!v.isNumber()) {
        throwBadArgumentType("numberp", v);
    }
    return v.asNumber();
}

const std::string& Args::string(std::size_t i) const
{
    const Value& v = at(i);
    if (!v.isString()) {
        throwBadArgumentType("stringp", v);
    }
    return v.asString();
}

const Value& Args::list(std::size_t i) const
{
    const Value& v = at(i);
    if (!v.isList()) {
        throwBadArgumentType("listp", v);
    }
    return v;
}

const Value& Args::cons(std::size_t i) const
{
    const Value& v = at(i);
    if (!v.isCons()) {
        throwBadArgumentType("consp", v);
    }
    return v;
}

const Value& Args::symbol(std::size_t i) const
{
    const Value& v = at(i);
    if (!v.isSymbol() && !v.isNil()) {
        throwBadArgumentType("symbolp", v);
    }
    return v;
}

const OpaqueName& Args::entityName(std::size_t i) const
{
    const Value& v = at(i);
    if (!v.isEntityName()) {
        throwBadArgumentType("lentityp", v);
    }
    return v.asName();
}

const OpaqueName& Args::selectionSet(std::size_t i) const
{
    const Value& v = at(i);
    if (!v.isSelectionSet()) {
        throwBadArgumentType("lselsetp", v);
    }
    return v.asName();
}

Args::Point Args::point(std::size_t i) const
{
    const Value& v = at(i);
    std::size_t n = v.isProperList() ? v.length() : 0;
    if (n < 2 || n > 3) {
        throwBadArgumentType("2D/3D point", v);
    }
    std::vector<Value> items = v.items();
    for (const Value& item : items) {
        if (!item.isNumber()) {
            throwBadArgumentType("2D/3D point", v);
        }
    }
    return Point{items[0].asNumber(), items[1].asNumber(), n == 3 ? items[2].asNumber() : 0.0,
                 n == 3};
}

} // namespace dh::lisp
