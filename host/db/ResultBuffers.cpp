#include "host/db/ResBufKind.h"
#include "host/db/ResultBufferCount.h"

#include <acut/ResBuf.h>

#include <cstdarg>
#include <cstdlib>
#include <cstring>

namespace dh::db {
namespace {

std::size_t g_live = 0;

struct CodeRange {
    int first;
    int last;
    ValueKind kind;
};

// DXF group-code ranges as the entity lists carry them; coordinates (x codes) are points.
constexpr CodeRange kRanges[] = {
    {-5, -5, ValueKind::kNone},    {-4, -4, ValueKind::kString}, {-3, -3, ValueKind::kNone},
    {-2, -1, ValueKind::kName},    {0, 9, ValueKind::kString},   {10, 37, ValueKind::kPoint},
    {38, 59, ValueKind::kReal},    {60, 79, ValueKind::kShort},  {90, 99, ValueKind::kLong},
    {100, 109, ValueKind::kString}, {110, 139, ValueKind::kPoint}, {140, 149, ValueKind::kReal},
    {160, 169, ValueKind::kLong},  {170, 179, ValueKind::kShort}, {210, 239, ValueKind::kPoint},
    {270, 299, ValueKind::kShort}, {300, 309, ValueKind::kString}, {310, 319, ValueKind::kBinary},
    {320, 329, ValueKind::kString}, {330, 369, ValueKind::kName},  {370, 389, ValueKind::kShort},
    {390, 399, ValueKind::kName},  {400, 409, ValueKind::kShort}, {410, 419, ValueKind::kString},
    {420, 429, ValueKind::kLong},  {430, 439, ValueKind::kString}, {440, 459, ValueKind::kLong},
    {460, 469, ValueKind::kReal},  {470, 479, ValueKind::kString}, {480, 481, ValueKind::kName},
    {999, 1003, ValueKind::kString}, {1004, 1004, ValueKind::kBinary},
    {1005, 1009, ValueKind::kString}, {1010, 1039, ValueKind::kPoint},
    {1040, 1059, ValueKind::kReal}, {1060, 1070, ValueKind::kShort}, {1071, 1071, ValueKind::kLong},
};

const CodeRange* rangeOf(int code)
{
    for (const CodeRange& r : kRanges)
        if (code >= r.first && code <= r.last)
            return &r;
    return nullptr;
}

void releaseValue(resbuf* rb)
{
    switch (valueKindOf(rb->restype)) {
    case ValueKind::kString:
        std::free(rb->resval.rstring);
        break;
    case ValueKind::kBinary:
        std::free(rb->resval.rbinary.buf);
        break;
    default:
        break;
    }
}

} // namespace

ValueKind valueKindOf(int type)
{
    switch (type) {
    case RTREAL:
    case RTANG:
        return ValueKind::kReal;
    case RTPOINT:
    case RT3DPOINT:
        return ValueKind::kPoint;
    case RTSHORT:
        return ValueKind::kShort;
    case RTLONG:
        return ValueKind::kLong;
    case RTSTR:
        return ValueKind::kString;
    case RTENAME:
    case RTPICKS:
        return ValueKind::kName;
    case RTNONE:
    case RTVOID:
    case RTLB:
    case RTLE:
    case RTDOTE:
    case RTNIL:
    case RTT:
    case RTDXF0:
        return type == RTDXF0 ? ValueKind::kString : ValueKind::kNone;
    default:
        break;
    }
    const CodeRange* r = rangeOf(type);
    return r ? r->kind : ValueKind::kNone;
}

bool isKnownType(int type)
{
    return (type >= RTNONE && type <= RTRESBUF) || rangeOf(type) != nullptr;
}

bool isXDataCode(int code) { return code >= 1000 && code <= 1071; }

std::size_t liveResultBuffers() { return g_live; }

} // namespace dh::db

using dh::db::ValueKind;

resbuf* acutNewRb(int type)
{
    auto* rb = static_cast<resbuf*>(std::calloc(1, sizeof(resbuf)));
    if (!rb)
        return nullptr;
    rb->restype = static_cast<short>(type);
    ++dh::db::g_live;
    return rb;
}

int acutRelRb(resbuf* chain)
{
    while (chain) {
        resbuf* next = chain->rbnext;
        dh::db::releaseValue(chain);
        std::free(chain);
        --dh::db::g_live;
        chain = next;
    }
    return RTNORM;
}

char* acutNewString(const char* text)
{
    if (!text)
        text = "";
    const std::size_t size = std::strlen(text) + 1;
    char* copy = static_cast<char*>(std::malloc(size));
    if (copy)
        std::memcpy(copy, text, size);
    return copy;
}

namespace {

// Fills rb's value from the next variadic argument of its kind; false for an unknown type.
bool takeValue(resbuf* rb, int type, va_list& args)
{
    switch (dh::db::valueKindOf(type)) {
    case ValueKind::kString:
        rb->resval.rstring = acutNewString(va_arg(args, const char*));
        return true;
    case ValueKind::kReal:
        rb->resval.rreal = va_arg(args, double);
        return true;
    case ValueKind::kPoint: {
        const ads_real* p = va_arg(args, const ads_real*);
        rb->resval.rpoint[0] = p ? p[0] : 0.0;
        rb->resval.rpoint[1] = p ? p[1] : 0.0;
        // A 2D point has no z to read.
        rb->resval.rpoint[2] = p && type != RTPOINT ? p[2] : 0.0;
        return true;
    }
    case ValueKind::kShort:
        rb->resval.rint = static_cast<short>(va_arg(args, int));
        return true;
    case ValueKind::kLong:
        rb->resval.rlong = static_cast<std::int32_t>(va_arg(args, int));
        return true;
    case ValueKind::kName: {
        const long* name = va_arg(args, const long*);
        rb->resval.rlname[0] = name ? name[0] : 0;
        rb->resval.rlname[1] = name ? name[1] : 0;
        return true;
    }
    case ValueKind::kBinary:
        // No variadic form carries binary data.
        return false;
    case ValueKind::kNone:
        return dh::db::isKnownType(type);
    }
    return false;
}

} // namespace

resbuf* acutBuildList(int type, ...)
{
    va_list args;
    va_start(args, type);
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    for (; type != 0; type = va_arg(args, int)) {
        resbuf* rb = acutNewRb(type);
        if (!rb || !takeValue(rb, type, args)) {
            if (rb)
                rb->restype = RTNONE; // the value member was not filled
            acutRelRb(rb);
            acutRelRb(head);
            va_end(args);
            return nullptr;
        }
        (tail ? tail->rbnext : head) = rb;
        tail = rb;
    }
    va_end(args);
    return head;
}
