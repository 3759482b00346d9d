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
        char16_t* rstring;   // owned by the buffer; allocated with new[]
        kv_name rlname;
        struct { std::int32_t clen; unsigned char* buf; } rbinary;  // owned, new[]
    } resval{};
};

// Group-code classes used to interpret resval.
enum class KvRbValueKind { kNone, kString, kReal, kPoint, kShort, kLong, kLong64, kBinary, kHandleText };
KvRbValueKind kvRbValueKind(short restype);

// Terminator of kvutBuildList argument lists.
constexpr int RTNONE_LIST_END = 0;

// Allocates one buffer of the given type (strings start null).
resbuf* kvutNewRb(int type);
// Releases a whole chain, strings and binary chunks included.
int kvutRelRb(resbuf* rb);
// Builds a chain from (type, value) pairs ended by 0: strings as const char16_t*,
// reals as double, 16-bit values as int, 32-bit as std::int32_t, points as const double*.
resbuf* kvutBuildList(int type, ...);
// Deep copy of a chain.
resbuf* kvutDupRb(const resbuf* rb);
// Releases a text the host allocated for the caller.
void kvutDelBuffer(char16_t*& buffer);
// Copies a text into a new[] buffer that kvutRelRb or kvutDelBuffer releases.
char16_t* kvutNewString(const char16_t* text);
