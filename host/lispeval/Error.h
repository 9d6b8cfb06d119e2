// The one error type of the LISP reader and evaluator. Its text is what the host shows
// after "; error: " ("no function definition: FOO", "too few arguments", …); the top level
// of the interpreter catches it once and reports it.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace dh::lisp {

class Value;

class Error : public std::runtime_error
{
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// A value as an error message shows it: the printed form, long lists cut short.
std::string shownValue(const Value& value);
// "bad argument type: numberp: \"a\"" — predicate names as the host uses them (numberp,
// fixnump, stringp, listp, consp, symbolp, lentityp, lselsetp).
[[noreturn]] void throwBadArgumentType(std::string_view predicate, const Value& value);
// "bad argument value: <what>: <value>"
[[noreturn]] void throwBadArgumentValue(std::string_view what, const Value& value);

} // namespace dh::lisp
