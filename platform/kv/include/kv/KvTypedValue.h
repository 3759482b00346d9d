#pragma once
// A value with its group code: the value-semantics form of one result buffer,
// used for extended data, dynamic-block property values and variables.
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "kv/KvGePoint3d.h"

struct KvTypedValue {
    short code = 0;
    std::variant<std::monostate, std::u16string, double, KvGePoint3d, std::int64_t, std::vector<std::uint8_t>> value;

    KvTypedValue() = default;
    KvTypedValue(short c, std::u16string s) : code(c), value(std::move(s)) {}
    KvTypedValue(short c, double d) : code(c), value(d) {}
    KvTypedValue(short c, KvGePoint3d p) : code(c), value(p) {}
    KvTypedValue(short c, std::int64_t i) : code(c), value(i) {}
    KvTypedValue(short c, std::vector<std::uint8_t> b) : code(c), value(std::move(b)) {}

    const std::u16string* text() const { return std::get_if<std::u16string>(&value); }
    const double* real() const { return std::get_if<double>(&value); }
    const KvGePoint3d* point() const { return std::get_if<KvGePoint3d>(&value); }
    const std::int64_t* integer() const { return std::get_if<std::int64_t>(&value); }
    const std::vector<std::uint8_t>* binary() const { return std::get_if<std::vector<std::uint8_t>>(&value); }

    bool operator==(const KvTypedValue&) const = default;
};

using KvTypedValueList = std::vector<KvTypedValue>;

struct resbuf;
// Conversions between value lists and result-buffer chains (the chain is the caller's to release).
resbuf* kvTypedValuesToRb(const KvTypedValueList& values);
KvTypedValueList kvRbToTypedValues(const resbuf* rb);
