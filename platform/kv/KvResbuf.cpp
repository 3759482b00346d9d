#include "kv/KvResbuf.h"

#include <cstdarg>
#include <cstring>
#include <string>

#include "kv/KvStatus.h"
#include "kv/KvTypedValue.h"

KvRbValueKind kvRbValueKind(short t)
{
    using K = KvRbValueKind;
    switch (t) {
    case RTREAL:
    case RTANG:
    case RTORINT: return K::kReal;
    case RTPOINT:
    case RT3DPOINT: return K::kPoint;
    case RTSHORT: return K::kShort;
    case RTSTR:
    case RTDXF0: return K::kString;
    case RTLONG: return K::kLong;
    case -4: return K::kString;  // filter operators such as "<OR"
    case 105:
    case 1005: return K::kHandleText;
    case 999: return K::kString;
    case 1004: return K::kBinary;
    case 1071: return K::kLong;
    default: break;
    }
    if (t >= 0 && t <= 9) return K::kString;
    if (t >= 10 && t <= 39) return K::kPoint;
    if (t >= 40 && t <= 59) return K::kReal;
    if (t >= 60 && t <= 79) return K::kShort;
    if (t >= 90 && t <= 99) return K::kLong;
    if (t >= 100 && t <= 102) return K::kString;
    if (t >= 110 && t <= 139) return K::kPoint;
    if (t >= 140 && t <= 149) return K::kReal;
    if (t >= 160 && t <= 169) return K::kLong64;
    if (t >= 170 && t <= 179) return K::kShort;
    if (t >= 210 && t <= 239) return K::kPoint;
    if (t >= 270 && t <= 299) return K::kShort;
    if (t >= 300 && t <= 309) return K::kString;
    if (t >= 310 && t <= 319) return K::kBinary;
    if (t >= 320 && t <= 369) return K::kHandleText;
    if (t >= 370 && t <= 389) return K::kShort;
    if (t >= 390 && t <= 399) return K::kHandleText;
    if (t >= 400 && t <= 409) return K::kShort;
    if (t >= 410 && t <= 419) return K::kString;
    if (t >= 420 && t <= 429) return K::kLong;
    if (t >= 430 && t <= 439) return K::kString;
    if (t >= 440 && t <= 459) return K::kLong;
    if (t >= 460 && t <= 469) return K::kReal;
    if (t >= 470 && t <= 479) return K::kString;
    if (t >= 480 && t <= 481) return K::kHandleText;
    if (t >= 1000 && t <= 1009) return K::kString;
    if (t >= 1010 && t <= 1039) return K::kPoint;
    if (t >= 1040 && t <= 1042) return K::kReal;
    if (t >= 1060 && t <= 1070) return K::kShort;
    return K::kNone;
}

resbuf* kvutNewRb(int type)
{
    auto* rb = new resbuf();
    rb->restype = static_cast<short>(type);
    return rb;
}

namespace {

void releaseValue(resbuf* rb)
{
    const KvRbValueKind kind = kvRbValueKind(rb->restype);
    if (kind == KvRbValueKind::kString || kind == KvRbValueKind::kHandleText) {
        delete[] rb->resval.rstring;
        rb->resval.rstring = nullptr;
    } else if (kind == KvRbValueKind::kBinary) {
        delete[] rb->resval.rbinary.buf;
        rb->resval.rbinary.buf = nullptr;
    }
}

std::size_t textLength(const char16_t* text)
{
    std::size_t n = 0;
    while (text[n] != 0) ++n;
    return n;
}

}  // namespace

int kvutRelRb(resbuf* rb)
{
    while (rb != nullptr) {
        resbuf* next = rb->rbnext;
        releaseValue(rb);
        delete rb;
        rb = next;
    }
    return RTNORM;
}

char16_t* kvutNewString(const char16_t* text)
{
    const std::size_t n = text ? textLength(text) : 0;
    auto* copy = new char16_t[n + 1];
    if (n) std::memcpy(copy, text, n * sizeof(char16_t));
    copy[n] = 0;
    return copy;
}

void kvutDelBuffer(char16_t*& buffer)
{
    delete[] buffer;
    buffer = nullptr;
}

resbuf* kvutBuildList(int type, ...)
{
    va_list args;
    va_start(args, type);
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    while (type != 0 && type != RTNONE) {
        resbuf* rb = kvutNewRb(type == RTDXF0 ? 0 : type);
        switch (kvRbValueKind(static_cast<short>(type))) {
        case KvRbValueKind::kString:
        case KvRbValueKind::kHandleText: rb->resval.rstring = kvutNewString(va_arg(args, const char16_t*)); break;
        case KvRbValueKind::kReal: rb->resval.rreal = va_arg(args, double); break;
        case KvRbValueKind::kPoint: {
            const double* p = va_arg(args, const double*);
            const bool b3d = type != RTPOINT;
            for (int i = 0; i < 3; ++i) rb->resval.rpoint[i] = (p && (i < 2 || b3d)) ? p[i] : 0.0;
            break;
        }
        case KvRbValueKind::kShort: rb->resval.rint = static_cast<short>(va_arg(args, int)); break;
        case KvRbValueKind::kLong: rb->resval.rlong = va_arg(args, std::int32_t); break;
        case KvRbValueKind::kLong64: rb->resval.rlong64 = va_arg(args, std::int64_t); break;
        case KvRbValueKind::kBinary:
        case KvRbValueKind::kNone: break;  // list brackets and such carry no value
        }
        if (tail)
            tail->rbnext = rb;
        else
            head = rb;
        tail = rb;
        type = va_arg(args, int);
    }
    va_end(args);
    return head;
}

resbuf* kvutDupRb(const resbuf* rb)
{
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    for (; rb != nullptr; rb = rb->rbnext) {
        resbuf* copy = kvutNewRb(rb->restype);
        copy->resval = rb->resval;
        const KvRbValueKind kind = kvRbValueKind(rb->restype);
        if (kind == KvRbValueKind::kString || kind == KvRbValueKind::kHandleText) {
            copy->resval.rstring = rb->resval.rstring ? kvutNewString(rb->resval.rstring) : nullptr;
        } else if (kind == KvRbValueKind::kBinary) {
            const std::int32_t n = rb->resval.rbinary.buf ? rb->resval.rbinary.clen : 0;
            copy->resval.rbinary.clen = n;
            copy->resval.rbinary.buf = n > 0 ? new unsigned char[static_cast<std::size_t>(n)] : nullptr;
            if (n > 0) std::memcpy(copy->resval.rbinary.buf, rb->resval.rbinary.buf, static_cast<std::size_t>(n));
        }
        copy->rbnext = nullptr;
        if (tail)
            tail->rbnext = copy;
        else
            head = copy;
        tail = copy;
    }
    return head;
}

resbuf* kvTypedValuesToRb(const KvTypedValueList& values)
{
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    for (const KvTypedValue& v : values) {
        resbuf* rb = kvutNewRb(v.code);
        switch (kvRbValueKind(v.code)) {
        case KvRbValueKind::kString:
        case KvRbValueKind::kHandleText: rb->resval.rstring = kvutNewString(v.text() ? v.text()->c_str() : u""); break;
        case KvRbValueKind::kReal:
            rb->resval.rreal = v.real() ? *v.real() : v.integer() ? static_cast<double>(*v.integer()) : 0.0;
            break;
        case KvRbValueKind::kPoint:
            if (const KvGePoint3d* p = v.point()) {
                rb->resval.rpoint[0] = p->x;
                rb->resval.rpoint[1] = p->y;
                rb->resval.rpoint[2] = p->z;
            }
            break;
        case KvRbValueKind::kShort: rb->resval.rint = static_cast<short>(v.integer() ? *v.integer() : 0); break;
        case KvRbValueKind::kLong: rb->resval.rlong = static_cast<std::int32_t>(v.integer() ? *v.integer() : 0); break;
        case KvRbValueKind::kLong64: rb->resval.rlong64 = v.integer() ? *v.integer() : 0; break;
        case KvRbValueKind::kBinary:
            if (const auto* bytes = v.binary(); bytes && !bytes->empty()) {
                rb->resval.rbinary.clen = static_cast<std::int32_t>(bytes->size());
                rb->resval.rbinary.buf = new unsigned char[bytes->size()];
                std::memcpy(rb->resval.rbinary.buf, bytes->data(), bytes->size());
            }
            break;
        case KvRbValueKind::kNone: break;
        }
        if (tail)
            tail->rbnext = rb;
        else
            head = rb;
        tail = rb;
    }
    return head;
}

KvTypedValueList kvRbToTypedValues(const resbuf* rb)
{
    KvTypedValueList values;
    for (; rb != nullptr; rb = rb->rbnext) {
        const short code = rb->restype;
        switch (kvRbValueKind(code)) {
        case KvRbValueKind::kString:
        case KvRbValueKind::kHandleText:
            values.emplace_back(code, std::u16string(rb->resval.rstring ? rb->resval.rstring : u""));
            break;
        case KvRbValueKind::kReal: values.emplace_back(code, rb->resval.rreal); break;
        case KvRbValueKind::kPoint:
            values.emplace_back(code, KvGePoint3d(rb->resval.rpoint[0], rb->resval.rpoint[1], rb->resval.rpoint[2]));
            break;
        case KvRbValueKind::kShort: values.emplace_back(code, static_cast<std::int64_t>(rb->resval.rint)); break;
        case KvRbValueKind::kLong: values.emplace_back(code, static_cast<std::int64_t>(rb->resval.rlong)); break;
        case KvRbValueKind::kLong64: values.emplace_back(code, rb->resval.rlong64); break;
        case KvRbValueKind::kBinary: {
            std::vector<std::uint8_t> bytes;
            if (rb->resval.rbinary.buf && rb->resval.rbinary.clen > 0)
                bytes.assign(rb->resval.rbinary.buf, rb->resval.rbinary.buf + rb->resval.rbinary.clen);
            values.emplace_back(code, std::move(bytes));
            break;
        }
        case KvRbValueKind::kNone: {
            KvTypedValue v;
            v.code = code;
            values.push_back(v);
            break;
        }
        }
    }
    return values;
}
