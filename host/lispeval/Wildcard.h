// Wildcard patterns as wcmatch takes them: "#" a digit, "@" a letter, "." a character that
// is neither, "*" any run, "?" any one character, "[…]" one of the characters or ranges
// ("[~…]" none of them), "`" quotes the next character, "~" at the start negates, and ","
// separates alternatives. Case-sensitive; characters are whole UTF-8 characters.
#pragma once

#include <string_view>

namespace dh::lisp {

bool wildcardMatch(std::string_view text, std::string_view pattern);

} // namespace dh::lisp
