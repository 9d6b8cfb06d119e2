// GroupCode: what kind of value a DXF group code carries, by the ranges of the format.
#pragma once

namespace dh::dxf {

enum class ValueType { kString, kInt16, kInt32, kInt64, kBool, kDouble, kHandle, kBinary };

ValueType valueType(int code);

// The x group of a coordinate (10–18, 110–112, 210–213, 1010–1013); y and z follow at +10, +20.
inline bool isPointX(int code)
{
    return (code >= 10 && code <= 18) || (code >= 110 && code <= 112) || (code >= 210 && code <= 213) ||
           (code >= 1010 && code <= 1013);
}

inline bool isIntegerType(ValueType type)
{
    return type == ValueType::kInt16 || type == ValueType::kInt32 ||
           type == ValueType::kInt64 || type == ValueType::kBool;
}

} // namespace dh::dxf
