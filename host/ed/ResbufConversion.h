// LISP values <-> result-buffer chains, as module functions receive their arguments and
// hand back their results:
//   integer   RTSHORT when it fits 16 bits, else RTLONG      real      RTREAL
//   string    RTSTR          entity name RTENAME            selection set RTPICKS
//   list of two or three numbers  RTPOINT / RT3DPOINT (reals)
//   other list  RTLB items RTLE; a dotted pair RTLB car RTDOTE cdr RTLE
//   nil  RTNIL          T  RTT
// Chains are made with acutNewRb and released with acutRelRb.
#pragma once

#include "host/lispeval/Value.h"

#include <acut/ResBuf.h>

#include <memory>
#include <vector>

namespace dh::ed {

struct ResbufDeleter {
    void operator()(resbuf* chain) const { acutRelRb(chain); }
};
using ResbufChain = std::unique_ptr<resbuf, ResbufDeleter>;

// One item per value, in order; nullptr for no values. Throws lisp::Error for a value that
// has no result-buffer form (a function, a symbol other than T).
ResbufChain valuesToResbuf(const std::vector<lisp::Value>& values);

// A deep copy (strings included); nullptr for an empty chain or when memory runs out.
ResbufChain copyResbufChain(const resbuf* chain);

// The value of a whole result chain as acedRetList sees it: the list of its items (a chain
// that is one bracketed list is that list). Throws lisp::Error for unbalanced brackets or
// an unknown type code.
lisp::Value resbufToList(const resbuf* chain);
// The value of the first item (and, for RTLB, its bracketed list).
lisp::Value resbufToValue(const resbuf* chain);

// How an entity name and a selection set print: the handle in lower-case hex, the set's
// number.
std::string entityLabel(const ads_name name);
lisp::Value entityValue(const ads_name name);
lisp::Value selectionSetValue(const ads_name name);

}  // namespace dh::ed
