// The core library tables, installed into every interpreter by its constructor.
#pragma once

#include "host/lispeval/Interpreter.h"

#include <span>

namespace dh::lisp {

std::span<const Builtin> coreBuiltins();     // predicates, type, eval, apply, mapcar, output
std::span<const Builtin> listBuiltins();     // list, cons, car…, assoc, member
std::span<const Builtin> mathBuiltins();     // arithmetic, comparison, geometry
std::span<const Builtin> stringBuiltins();   // strcat, substr, itoa, atof, wcmatch…
std::span<const Builtin> unitBuiltins();     // rtos, distof, angtos, angtof, cvunit
std::span<const Builtin> vlBuiltins();       // vl-sort, vl-remove-if, vl-catch-all-apply…
std::span<const Builtin> vlStringBuiltins(); // vl-string-search, vl-string-trim…
std::span<const Builtin> fileBuiltins();     // open, read-line, write-line, princ…

} // namespace dh::lisp
