// Basic types of the host interface: fixed-size integers and the host's boolean.
//
// ADESK_EXPORT marks host classes whose code lives in libdrafthost, so that modules built
// with hidden visibility still share one copy of their type information and statics.
#pragma once

#include <cstdint>

#define ADESK_EXPORT __attribute__((visibility("default")))

struct Adesk {
    typedef std::int8_t Int8;
    typedef std::int16_t Int16;
    typedef std::int32_t Int32;
    typedef std::int64_t Int64;
    typedef std::uint8_t UInt8;
    typedef std::uint16_t UInt16;
    typedef std::uint32_t UInt32;
    typedef std::uint64_t UInt64;
    typedef unsigned char UChar;
    typedef signed char SChar;
    typedef std::intptr_t IntPtr;
    typedef std::uintptr_t UIntPtr;
    typedef std::intptr_t LongPtr;
    typedef std::uintptr_t ULongPtr;
    typedef std::intptr_t IntDbId;
    typedef std::intptr_t GsMarker;
    typedef bool Boolean;
    static constexpr Boolean kFalse = false;
    static constexpr Boolean kTrue = true;
};
