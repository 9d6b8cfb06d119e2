// Reading and writing one application's extended data on an open object, and the mapping
// between a LISP value and the one extended-data item that stores it.
#pragma once

#include "lisp/ResBufPtr.h"

#include <acdb/AcadErrorStatus.h>

class AcDbObject;

namespace dh::lisp {

// Group codes of the items these functions write and read.
constexpr short kXdAppName = 1001;
constexpr short kXdText = 1000;
constexpr short kXdPoint = 1010;
constexpr short kXdReal = 1040;
constexpr short kXdLong = 1071;

// The object's extended data for appName, or for every application when appName is empty;
// null when there is none.
ResBufPtr readXData(const AcDbObject* object, const char* appName);

// Replaces the object's data under appName with the value chain, registering appName in the
// working drawing first when it is not there yet. The object must be open for write
// (eNotOpenForWrite otherwise, and nothing happens). The value chain stays the caller's.
Acad::ErrorStatus writeXData(AcDbObject* object, const char* appName, resbuf* values);

// The item storing a LISP value (real, 16- or 32-bit integer, text, 3D point), or null for
// a value of any other type.
ResBufPtr xdataItemFromLisp(const resbuf* value);
// The LISP value of a stored item, or null for a group code this system does not write.
// A 1071 item comes back as a 16-bit integer holding the low 16 bits of the stored value.
ResBufPtr lispValueFromXData(const resbuf* item);

} // namespace dh::lisp
