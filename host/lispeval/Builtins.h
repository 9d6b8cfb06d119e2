// The core library tables, installed into every interpreter by its constructor.
#pragma once

#include "host/lispeval/Interpreter.h"

#include <span>

namespace dh::lisp {

std::span<const Builtin> coreBuiltins();   // predicates, type, eval, apply, mapcar, output
std::span<const Builtin> listBuiltins();   // list, cons, car…, assoc, member
std::span<const Builtin> mathBuiltins();   // arithmetic, comparison, geometry
std::span<const Builtin> stringBuiltins(); // strcat, substr, itoa, atof, rtos…

} // namespace dh::lisp
