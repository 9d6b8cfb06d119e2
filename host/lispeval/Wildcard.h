// Wildcard patterns as wcmatch takes them: "#" a digit, "@" a letter, "." a character that
// is neither, "*" any run, "?" any one character, "[…]" one of the characters or ranges
// ("[~…]" none of them; an unclosed "[" is literal), "`" quotes the next character, "~" at
// the start of an alternative negates it, and "," separates alternatives. Characters are
// whole UTF-8 characters.
//
// Matching takes time linear in the text times the pattern, whatever the stars: a star
// never backtracks further than the most recent one.
#pragma once

#include <string_view>

namespace dh::lisp {

enum class CaseMode
{
    Sensitive, // wcmatch
    Fold       // selection filters, symbol-table names
};

bool wildcardMatch(std::string_view text, std::string_view pattern,
                   CaseMode mode = CaseMode::Sensitive);

} // namespace dh::lisp
