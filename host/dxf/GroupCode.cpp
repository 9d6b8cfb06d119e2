#include "host/dxf/GroupCode.h"

namespace dh::dxf {

ValueType valueType(int code)
{
    if (code >= 10 && code <= 59) return ValueType::kDouble;
    if (code >= 60 && code <= 79) return ValueType::kInt16;
    if (code >= 90 && code <= 99) return ValueType::kInt32;
    if (code == 5 || code == 105) return ValueType::kHandle;
    if (code >= 110 && code <= 149) return ValueType::kDouble;
    if (code >= 160 && code <= 169) return ValueType::kInt64;
    if (code >= 170 && code <= 179) return ValueType::kInt16;
    if (code >= 210 && code <= 239) return ValueType::kDouble;
    if (code >= 270 && code <= 289) return ValueType::kInt16;
    if (code >= 290 && code <= 299) return ValueType::kBool;
    if (code >= 310 && code <= 319) return ValueType::kBinary;
    if (code >= 320 && code <= 369) return ValueType::kHandle;
    if (code >= 370 && code <= 389) return ValueType::kInt16;
    if (code >= 390 && code <= 399) return ValueType::kHandle;
    if (code >= 400 && code <= 409) return ValueType::kInt16;
    if (code >= 420 && code <= 429) return ValueType::kInt32;
    if (code >= 440 && code <= 459) return ValueType::kInt32;
    if (code >= 460 && code <= 469) return ValueType::kDouble;
    if (code == 480 || code == 481) return ValueType::kHandle;
    if (code == 1004) return ValueType::kBinary;
    if (code == 1005) return ValueType::kHandle;
    if (code >= 1010 && code <= 1059) return ValueType::kDouble;
    if (code >= 1060 && code <= 1070) return ValueType::kInt16;
    if (code == 1071) return ValueType::kInt32;
    return ValueType::kString;
}

} // namespace dh::dxf
