// Positional reader of a LISP call's argument chain. Every read checks the type code of
// the next item and raises the 1-based position of the argument as an int when it is
// missing or of another type; the function's one catch-all turns that into its nil result.
#pragma once

#include <acdb/AcDbObjectId.h>
#include <acut/ResBuf.h>

namespace dh::lisp {

class LispArgs {
public:
    explicit LispArgs(const resbuf* args) : m_next(args) {}

    // The next item, whatever its type; nullptr at the end of the chain (not raised).
    const resbuf* peek() const { return m_next; }
    // The next item, which must exist.
    const resbuf* item();
    // The next item, which must have this type code.
    const resbuf* item(int type);

    const char* text() { return item(RTSTR)->resval.rstring; }
    short shortInt() { return item(RTSHORT)->resval.rint; }
    // An entity name turned into an object id; an unknown name counts as a wrong argument.
    AcDbObjectId entity();
    // Raises when anything follows the arguments read so far.
    void end() const;

    int position() const { return m_position; }

private:
    const resbuf* m_next;
    int m_position = 0;
};

} // namespace dh::lisp
