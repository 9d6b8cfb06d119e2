#include "host/lispeval/Error.h"

#include "host/lispeval/Value.h"

namespace dh::lisp {

void throwBadArgumentType(std::string_view predicate, const Value& value)
{
    throw Error("bad argument type: " + std::string(predicate) + ": " + value.toString());
}

void throwBadArgumentValue(std::string_view what, const Value& value)
{
    throw Error("bad argument value: " + std::string(what) + ": " + value.toString());
}

} // namespace dh::lisp
