// Which member of a result buffer's value a type or group code uses.
#pragma once

namespace dh::db {

enum class ValueKind { kNone, kString, kReal, kPoint, kShort, kLong, kName, kBinary };

// The value kind of an RT type or a DXF group code; kNone for RTLB, RTNIL and the other
// types without a value, and for codes of no known range (see isKnownType).
ValueKind valueKindOf(int type);
bool isKnownType(int type);
// The kinds of the extended-data group codes 1000..1071; false for any other code.
bool isXDataCode(int code);

} // namespace dh::db
