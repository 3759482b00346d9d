#pragma once
#include "kv/KvTypedValue.h"

// Typed value of a dynamic-block property; restype() is its group code
// (1 text, 40 real, 70 16-bit integer, 90 32-bit integer, 10 point, ...).
class KvDbEvalVariant : public KvTypedValue {
public:
    KvDbEvalVariant() = default;
    KvDbEvalVariant(const KvTypedValue& v) : KvTypedValue(v) {}
    // The makers below would otherwise hide the value accessors of the same names.
    using KvTypedValue::point;
    using KvTypedValue::real;
    using KvTypedValue::text;
    static KvDbEvalVariant text(std::u16string s) { return KvTypedValue(1, std::move(s)); }
    static KvDbEvalVariant real(double d) { return KvTypedValue(40, d); }
    static KvDbEvalVariant int16(short i) { return KvTypedValue(70, static_cast<std::int64_t>(i)); }
    static KvDbEvalVariant int32(std::int32_t i) { return KvTypedValue(90, static_cast<std::int64_t>(i)); }
    static KvDbEvalVariant point(const KvGePoint3d& p) { return KvTypedValue(10, p); }

    short restype() const { return code; }
};
