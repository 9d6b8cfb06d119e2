#include "host/lispeval/Error.h"

#include "host/lispeval/Printer.h"
#include "host/lispeval/Value.h"

namespace dh::lisp {

namespace {

// Messages show the start of a long list, not all of it.
constexpr std::size_t kShownValueBytes = 200;

} // namespace

std::string shownValue(const Value& value)
{
    return printValue(value, true, kShownValueBytes);
}

void throwBadArgumentType(std::string_view predicate, const Value& value)
{
    throw Error("bad argument type: " + std::string(predicate) + ": " + shownValue(value));
}

void throwBadArgumentValue(std::string_view what, const Value& value)
{
    throw Error("bad argument value: " + std::string(what) + ": " + shownValue(value));
}

} // namespace dh::lisp
