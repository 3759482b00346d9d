#pragma once
// Result buffers: the host's typed value lists (extended data, selection filters, variables).
#include <cstdint>

using kv_name = std::int64_t[2];

struct resbuf {
    resbuf* rbnext = nullptr;
    short restype = 0;
    union {
        double rreal;
        double rpoint[3];
        short rint;
        std::int32_t rlong;
        std::int64_t rlong64;
        char16_t* rstring;  // owned by the buffer; allocated with new[]
        kv_name rlname;
        struct {
            std::int32_t clen;
            unsigned char* buf;
        } rbinary;  // owned, new[]
    } resval{};
};

// Value types of result buffers that are not drawing group codes. RTDXF0 stands for group 0
// in kvutBuildList (0 ends the list); the chain holds it as group 0.
constexpr short RTREAL = 5001;
constexpr short RTPOINT = 5002;  // 2D point
constexpr short RTSHORT = 5003;
constexpr short RTANG = 5004;
constexpr short RTSTR = 5005;
constexpr short RTENAME = 5006;
constexpr short RTPICKS = 5007;
constexpr short RTORINT = 5008;
constexpr short RT3DPOINT = 5009;
constexpr short RTLONG = 5010;
constexpr short RTLB = 5016;
constexpr short RTLE = 5017;
constexpr short RTDXF0 = 5020;

// Group-code classes used to interpret resval.
enum class KvRbValueKind { kNone, kString, kReal, kPoint, kShort, kLong, kLong64, kBinary, kHandleText };
KvRbValueKind kvRbValueKind(short restype);

// Terminator of kvutBuildList argument lists.
constexpr int RTNONE_LIST_END = 0;

// Allocates one buffer of the given type (strings start null).
resbuf* kvutNewRb(int type);
// Releases a whole chain, strings and binary chunks included.
int kvutRelRb(resbuf* rb);
// Builds a chain from (type, value) pairs ended by 0 (or RTNONE): strings as const char16_t*,
// reals as double, 16-bit values as int, 32-bit as std::int32_t, points as const double*.
resbuf* kvutBuildList(int type, ...);
// Deep copy of a chain.
resbuf* kvutDupRb(const resbuf* rb);
// Releases a text the host allocated for the caller.
void kvutDelBuffer(char16_t*& buffer);
// Copies a text into a new[] buffer that kvutRelRb or kvutDelBuffer releases.
char16_t* kvutNewString(const char16_t* text);
