#include "host/dxf/ExtendedData.h"

#include "host/dxf/OutputFiler.h"

#include <acut/ResBuf.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace dh::dxf {

namespace {

resbuf* newItem(const AcDbDxfTag& tag)
{
    resbuf* rb = acutNewRb(tag.code);
    if (!rb) throw std::bad_alloc();
    switch (tag.code) {
    case 1004: {
        auto* bytes = static_cast<char*>(std::malloc(tag.text.size() ? tag.text.size() : 1));
        if (!bytes) throw std::bad_alloc();
        std::memcpy(bytes, tag.text.data(), tag.text.size());
        rb->resval.rbinary.clen = static_cast<short>(tag.text.size());
        rb->resval.rbinary.buf = bytes;
        return rb;
    }
    case 1005: {
        char hex[20];
        std::snprintf(hex, sizeof hex, "%llX", static_cast<unsigned long long>(tag.integer));
        rb->resval.rstring = acutNewString(hex);
        return rb;
    }
    default: break;
    }
    if (tag.code >= 1010 && tag.code <= 1013) {
        rb->resval.rpoint[0] = tag.xyz[0];
        rb->resval.rpoint[1] = tag.xyz[1];
        rb->resval.rpoint[2] = tag.xyz[2];
    } else if (tag.code >= 1040 && tag.code <= 1042) {
        rb->resval.rreal = tag.xyz[0];
    } else if (tag.code == 1070) {
        rb->resval.rint = static_cast<short>(tag.integer);
    } else if (tag.code == 1071) {
        rb->resval.rlong = static_cast<std::int32_t>(tag.integer);
    } else {
        rb->resval.rstring = acutNewString(tag.text.c_str());
    }
    return rb;
}

} // namespace

resbuf* chainFromTags(const Tags& tags)
{
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    try {
        for (const AcDbDxfTag& tag : tags) {
            resbuf* rb = newItem(tag);
            (tail ? tail->rbnext : head) = rb;
            tail = rb;
        }
    } catch (...) {
        acutRelRb(head);
        throw;
    }
    return head;
}

std::vector<std::string> applicationNames(const Tags& tags)
{
    std::vector<std::string> names;
    for (const AcDbDxfTag& tag : tags)
        if (tag.code == 1001) names.push_back(tag.text);
    return names;
}

void writeChain(OutputFiler& filer, const resbuf* chain)
{
    for (const resbuf* rb = chain; rb; rb = rb->rbnext) {
        int code = rb->restype;
        if (code == 1004) {
            filer.writeBinaryChunk(code, rb->resval.rbinary.buf,
                                   static_cast<std::size_t>(rb->resval.rbinary.clen));
        } else if (code >= 1010 && code <= 1013) {
            filer.writeXYZ(code, rb->resval.rpoint[0], rb->resval.rpoint[1], rb->resval.rpoint[2]);
        } else if (code >= 1040 && code <= 1042) {
            filer.writeDouble(code, rb->resval.rreal);
        } else if (code == 1070) {
            filer.writeInt16(code, rb->resval.rint);
        } else if (code == 1071) {
            filer.writeInt32(code, rb->resval.rlong);
        } else if (code >= 1000 && code <= 1005) {
            filer.writeString(code, rb->resval.rstring ? rb->resval.rstring : "");
        }
    }
}

} // namespace dh::dxf
