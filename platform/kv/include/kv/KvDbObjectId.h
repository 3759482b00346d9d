#pragma once
#include <cstdint>
#include <functional>

#include "kv/KvDbKind.h"

class KvDbDatabase;

// Session-wide identifier of a database-resident object; null when 0.
class KvDbObjectId {
public:
    KvDbObjectId() = default;
    explicit KvDbObjectId(std::uint64_t serial) : m_serial(serial) {}

    bool isNull() const { return m_serial == 0; }
    std::uint64_t serial() const { return m_serial; }
    // The database that holds the object, or null when the id is null or stale.
    KvDbDatabase* database() const;
    // The object's kind without opening it, from its drawing's index: a loop that sorts many
    // objects by kind need not visit each. kObject when the id is null or stale.
    KvDbKind objectKind() const;

    bool operator==(const KvDbObjectId&) const = default;
    auto operator<=>(const KvDbObjectId&) const = default;

    static const KvDbObjectId kNull;

private:
    std::uint64_t m_serial = 0;
};

template <>
struct std::hash<KvDbObjectId> {
    std::size_t operator()(const KvDbObjectId& id) const noexcept { return std::hash<std::uint64_t>()(id.serial()); }
};
