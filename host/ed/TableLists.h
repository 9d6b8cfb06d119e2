// The list of a symbol-table record: as tblsearch and tblnext give it (no name, handle,
// subclass markers or references), or, with forEntget, as entget gives it (with them).
// nil when id is no live record.
#pragma once

#include "host/lispeval/Value.h"

#include <acdb/AcDbObjectId.h>

namespace dh::ed {

lisp::Value recordList(AcDbObjectId id, bool forEntget);

}  // namespace dh::ed
