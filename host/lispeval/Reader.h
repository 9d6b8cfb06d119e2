// The LISP reader: turns text into forms. Numbers (1, -2, 2.5, .5, 1e3; "1." is a real; an
// integer beyond 32 bits reads as a real), strings with \\ \" \n \t \r \e and octal \nnn
// escapes, symbols (upper-cased), 'x for (quote x), dotted pairs, ; comments to the end of
// the line and ;| … |; comments.
//
// A text that ends inside a form or a string is Incomplete rather than an error, so that a
// terminal can ask for more lines; malformed input throws lisp::Error.
#pragma once

#include "host/lispeval/Value.h"

#include <string>
#include <string_view>
#include <vector>

namespace dh::lisp {

struct ReadResult
{
    std::vector<Value> forms; // the complete top-level forms, in order
    bool incomplete = false;  // the text ends inside a form, a string or a comment
    // What to report when no more input comes: "malformed list on input" or
    // "malformed string on input".
    std::string incompleteReason;
};

// Reads every top-level form of text. Throws lisp::Error on malformed input.
ReadResult readForms(std::string_view text);
// Reads exactly one form (the whole text); throws when there is none, more, or it is cut.
Value readForm(std::string_view text);
// Whether text ends inside a form (without throwing on malformed input).
bool needsMoreInput(std::string_view text);

} // namespace dh::lisp
