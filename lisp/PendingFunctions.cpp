// Functions whose bodies are not written yet: they are defined and dispatched like the
// others so that LISP code can name them, and answer nil.
#include "lisp/LispFunctions.h"

#include <aced/AcEdLisp.h>

namespace dh::lisp {
namespace {

int notYetAvailable(const resbuf*)
{
    return acedRetNil();
}

} // namespace

int Cur_getSplitCurves(const resbuf* args) { return notYetAvailable(args); }
int Cur_TRDWG(const resbuf* args) { return notYetAvailable(args); }
int Cur_CopyEdgeToNewDatabase(const resbuf* args) { return notYetAvailable(args); }
int Cur_GetDistAtPoint(const resbuf* args) { return notYetAvailable(args); }
int Cur_GetClosestPointTo(const resbuf* args) { return notYetAvailable(args); }

} // namespace dh::lisp
