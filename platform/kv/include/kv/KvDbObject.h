#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "kv/KvDbHandle.h"
#include "kv/KvDbKind.h"
#include "kv/KvDbObjectId.h"
#include "kv/KvGeVector3d.h"
#include "kv/KvSharedName.h"
#include "kv/KvStatus.h"
#include "kv/KvTypedValue.h"

struct resbuf;
class KvDbDatabase;

// Base of everything a drawing database holds. Resident objects are owned by their
// database and reached through kvdbOpenKvDbObject; an object not yet added is owned
// by whoever created it.
class KvDbObject {
public:
    KvDbObject() = default;
    virtual ~KvDbObject() = default;
    KvDbObject& operator=(const KvDbObject&) = delete;
    // From the object pool: a drawing holds hundreds of thousands of small objects.
    static void* operator new(std::size_t size);
    static void operator delete(void* object, std::size_t size) noexcept;

    // Run-time class name ("KvDbLine") and the drawing-file type name ("LINE").
    virtual const char* isA() const { return "KvDbObject"; }
    // The object's class as a number (see KvDbKind.h); kvCast tests it.
    using KvKindClass = KvDbObject;
    static constexpr KvDbKind kKindFirst = KvDbKind::kObject, kKindLast = KvDbKind::kTableStyle;
    virtual KvDbKind kind() const { return KvDbKind::kObject; }
    virtual std::u16string dxfName() const = 0;

    KvDbObjectId objectId() const { return m_id; }
    KvDbObjectId ownerId() const { return m_ownerId; }
    void setOwnerId(KvDbObjectId id) { m_ownerId = id; }
    // Found from the id: resident objects are many, their databases few.
    KvDbDatabase* database() const { return m_id.database(); }
    KvDbHandle handle() const { return m_handle; }
    void getKvDbHandle(KvDbHandle& handle) const { handle = m_handle; }

    bool isErased() const { return m_erased; }
    Kvmo::ErrorStatus erase(bool erasing = true);

    bool isReadEnabled() const { return m_readers > 0 || m_writer; }
    bool isWriteEnabled() const { return m_writer || m_id.isNull(); }
    // Ends this open (one reader or the writer).
    Kvmo::ErrorStatus close();
    Kvmo::ErrorStatus upgradeOpen();
    Kvmo::ErrorStatus downgradeOpen();

    // Extended data. With an application name: that application's group (1001 first),
    // or null when absent. Without: every group. The chain is the caller's to release.
    resbuf* xData(const char16_t* regappName = nullptr) const;
    // Replaces, for each application named by a 1001 entry of the chain, that application's
    // group; a group of only its 1001 entry stays attached with no items. The application
    // must be registered in the database (eInvalidInput otherwise).
    Kvmo::ErrorStatus setXData(const resbuf* xdata);
    // Value-semantics access to all extended data, groups in order.
    const KvTypedValueList& xDataValues() const;
    void setXDataValues(KvTypedValueList values);

    KvDbObjectId extensionDictionary() const { return m_seldom ? m_seldom->extensionDictionary : KvDbObjectId(); }
    void setExtensionDictionary(KvDbObjectId id)
    {
        if (m_seldom || !id.isNull()) seldomForWrite().extensionDictionary = id;
    }

    // Set by every write open and erase: the drawing writer regenerates what is set and
    // copies the rest as it was read.
    bool isModifiedSinceLoad() const { return m_modifiedSinceLoad; }
    void setModifiedSinceLoad(bool modified) { m_modifiedSinceLoad = modified; }

protected:
    // Values few objects set, kept apart and made on the first set: a drawing holds hundreds of
    // thousands of objects that leave them at their defaults.
    struct Seldom {
        Seldom();
        KvTypedValueList xdata;
        KvDbObjectId extensionDictionary;
        // An entity's (see KvDbEntity).
        KvDbObjectId copiedFrom;
        KvSharedName plotStyleName;  // "ByLayer"
        KvSharedName linetype;       // "ByLayer"
        double linetypeScale = 1.0;
        std::int32_t trueColor = -1;
        // A planar entity's (see KvDbEntity::planarThickness).
        double thickness = 0.0;
        KvGeVector3d normal = KvGeVector3d(0, 0, 1);
    };
    const Seldom* seldom() const { return m_seldom.get(); }
    Seldom& seldomForWrite()
    {
        if (!m_seldom) m_seldom = std::make_unique<Seldom>();
        return *m_seldom;
    }
    // A setter's body for a seldom value: no room is made for a value left at its default.
    template <class T, class U>
    Kvmo::ErrorStatus assignSeldomIfWritable(T Seldom::*field, U&& value, const T& byDefault)
    {
        if (!canWrite()) return Kvmo::eNotOpenForWrite;
        if (m_seldom || !(value == byDefault)) seldomForWrite().*field = std::forward<U>(value);
        return Kvmo::eOk;
    }
    // For copies (KvDbEntity::clone): the values and extended data, not the identity, owner,
    // extension dictionary or open state.
    KvDbObject(const KvDbObject& other);
    // Changes to resident objects need a write open.
    bool canWrite() const { return isWriteEnabled(); }
    // A setter's body: assigns when the object may be changed.
    template <class T, class U>
    Kvmo::ErrorStatus assignIfWritable(T& field, U&& value)
    {
        if (!canWrite()) return Kvmo::eNotOpenForWrite;
        field = std::forward<U>(value);
        return Kvmo::eOk;
    }

private:
    friend class KvDbDatabase;
    friend Kvmo::ErrorStatus kvdbOpenKvDbObject(KvDbObject*&, KvDbObjectId, KvDb::OpenMode, bool);
    KvDbObjectId m_id;  // null until a database takes the object
    KvDbObjectId m_ownerId;
    KvDbHandle m_handle;
    std::unique_ptr<Seldom> m_seldom;  // most objects have none
    // Small, so that an entity's own small values fit in the rest of the object's last word.
    std::uint16_t m_readers = 0;
    bool m_erased : 1 = false;
    bool m_modifiedSinceLoad : 1 = false;
    bool m_writer : 1 = false;
};

// Class test in the host's style: the object as T, or null. The host's classes answer from
// their kind; a class derived elsewhere is found through the class hierarchy.
template <class T>
T* kvCast(KvDbObject* object)
{
    if constexpr (KvDbKindDeclared<T>) {
        if (object == nullptr) return nullptr;
        const KvDbKind kind = object->kind();
        return kind >= T::kKindFirst && kind <= T::kKindLast ? static_cast<T*>(object) : nullptr;
    } else {
        return dynamic_cast<T*>(object);
    }
}
template <class T>
const T* kvCast(const KvDbObject* object)
{
    return kvCast<T>(const_cast<KvDbObject*>(object));
}

// Opens a resident object. Erased objects do not open unless openErased is set.
// Several readers or one writer at a time: a write open of an open object, or a read
// open of an object open for write, fails.
Kvmo::ErrorStatus kvdbOpenKvDbObject(KvDbObject*& object, KvDbObjectId id, KvDb::OpenMode mode,
                                     bool openErased = false);

template <class T>
Kvmo::ErrorStatus kvdbOpenObject(T*& object, KvDbObjectId id, KvDb::OpenMode mode, bool openErased = false)
{
    object = nullptr;
    KvDbObject* base = nullptr;
    Kvmo::ErrorStatus es = kvdbOpenKvDbObject(base, id, mode, openErased);
    if (es != Kvmo::eOk) return es;
    object = kvCast<T>(base);
    if (object == nullptr) {
        base->close();
        return Kvmo::eWrongObjectType;
    }
    return Kvmo::eOk;
}
