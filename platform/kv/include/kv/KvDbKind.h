#pragma once
// The kind of a database object, as the object itself tells it: class tests (kvCast) compare
// one number instead of searching the class hierarchy, which loops over hundreds of thousands
// of objects do many times.
#include <cstdint>
#include <type_traits>

// In the order of a walk through the class tree, each class followed by the classes derived
// from it: a class and everything derived from it form one range.
enum class KvDbKind : std::uint8_t {
    kObject,
    kEntity,
    kCurve,
    kLine,
    kArc,
    kCircle,
    kPolyline,
    kText,
    kAttribute,
    kMText,
    kBlockReference,
    kTable,
    kSolid,
    k3dSolid,
    kPoint,
    kGenericEntity,
    kSymbolTableRecord,
    kBlockTableRecord,
    kLayerTableRecord,
    kLinetypeTableRecord,
    kTextStyleTableRecord,
    kRegAppTableRecord,
    kSymbolTable,
    kBlockTable,
    kLayerTable,
    kLinetypeTable,
    kTextStyleTable,
    kRegAppTable,
    kDictionary,
    kXrecord,
    kGenericObject,
    kTableStyle,
};

// In a class of the database: its kind, and the last kind of the classes derived from it.
#define KV_DB_KIND(Class, first, last)                                                  \
public:                                                                                 \
    using KvKindClass = Class;                                                          \
    static constexpr KvDbKind kKindFirst = KvDbKind::first, kKindLast = KvDbKind::last; \
    KvDbKind kind() const override                                                      \
    {                                                                                   \
        return KvDbKind::first;                                                         \
    }

// Whether T declares its own kind range (a class derived outside the host does not).
template <class T>
concept KvDbKindDeclared = std::is_same_v<typename std::remove_cv_t<T>::KvKindClass, std::remove_cv_t<T>>;
