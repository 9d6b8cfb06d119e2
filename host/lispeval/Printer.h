// The printer: values as the host prints them. Readable form (prin1, the result echo):
// strings in double quotes with \\ \" and control characters escaped; raw form (princ):
// strings as they are. Reals show up to six significant digits and always a decimal point
// ("2.5", "1000.0", "0.333333", "1.0e+15").
#pragma once

#include "host/lispeval/Value.h"

#include <string>

namespace dh::lisp {

std::string printValue(const Value& value, bool readable = true);
// Lists end with "...)" once the text passes about limit bytes.
std::string printValue(const Value& value, bool readable, std::size_t limit);
std::string formatReal(double value);
std::string quoteString(const std::string& text);

} // namespace dh::lisp
