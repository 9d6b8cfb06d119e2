// Result buffers: the host's linked list of typed values, used for LISP arguments and
// results, extended data and selection filters, and the result codes of the C-level calls.
//
// A chain is built with acutNewRb/acutBuildList and released, whole, by whoever built it
// with acutRelRb. The host counts the buffers it hands out so that it can report a chain a
// module forgot to release.
#pragma once

#include <cstdint>

typedef double ads_real;
typedef ads_real ads_point[3];
typedef ads_real ads_matrix[4][4];
// Entity and selection-set names: two longs whose meaning is the host's.
typedef long ads_name[2];

union ads_u_val {
    ads_real rreal;
    ads_point rpoint;
    short rint;
    char* rstring;
    long rlname[2];
    std::int32_t rlong;
    struct ads_binary {
        short clen;
        char* buf;
    } rbinary;
};

struct resbuf {
    resbuf* rbnext;
    short restype;
    ads_u_val resval;
};

// Value types of LISP data and of result buffers.
enum : short {
    RTNONE = 5000,
    RTREAL = 5001,
    RTPOINT = 5002,
    RTSHORT = 5003,
    RTANG = 5004,
    RTSTR = 5005,
    RTENAME = 5006,
    RTPICKS = 5007,
    RTORINT = 5008,
    RT3DPOINT = 5009,
    RTLONG = 5010,
    RTVOID = 5014,
    RTLB = 5016,
    RTLE = 5017,
    RTDOTE = 5018,
    RTNIL = 5019,
    RTDXF0 = 5020,
    RTT = 5021,
    RTRESBUF = 5023,
};

// Result codes of the C-level calls.
enum : int {
    RTNORM = 5100,
    RTERROR = -5001,
    RTCAN = -5002,
    RTREJ = -5003,
    RTFAIL = -5004,
    RTKWORD = -5005,
    RTINPUTTRUNCATED = -5008,
};

// A new buffer of the given type with a zeroed value; nullptr when none can be made.
// For RTSTR and the text group codes the caller fills resval.rstring with acutNewString.
resbuf* acutNewRb(int type);
// Releases a whole chain, strings included. A null chain is allowed.
int acutRelRb(resbuf* chain);
// Builds a chain from (type, value) pairs ended by 0: RTSTR takes const char*, RTREAL
// double, RTSHORT int, RTLONG int, RTPOINT/RT3DPOINT const ads_real*, RTENAME/RTPICKS a
// const long*; RTLB, RTLE, RTDOTE, RTNIL, RTT, RTNONE take no value. Group codes of DXF
// ranges take the value type of their range. nullptr on an unknown type.
resbuf* acutBuildList(int type, ...);
// A copy of the text in memory that acutRelRb releases.
char* acutNewString(const char* text);

// Copies a name (entity or selection set) from src to dest.
inline void ads_name_set(const ads_name src, ads_name dest)
{
    dest[0] = src[0];
    dest[1] = src[1];
}
inline void ads_name_clear(ads_name name)
{
    name[0] = 0;
    name[1] = 0;
}
inline bool ads_name_nil(const ads_name name) { return name[0] == 0 && name[1] == 0; }
inline bool ads_name_equal(const ads_name a, const ads_name b)
{
    return a[0] == b[0] && a[1] == b[1];
}
