#pragma once
// An object opened for one operation and closed when the holder goes, whichever way the
// operation ends.
#include <type_traits>
#include <utility>

#include "kv/KvDbObject.h"

template <class T>
class KvDbObjectPointer {
public:
    KvDbObjectPointer() = default;
    // Opens the object as T; see openStatus() for why it did not open.
    KvDbObjectPointer(KvDbObjectId id, KvDb::OpenMode mode, bool openErased = false)
    {
        open(id, mode, openErased);
    }
    KvDbObjectPointer(const KvDbObjectPointer&) = delete;
    KvDbObjectPointer& operator=(const KvDbObjectPointer&) = delete;
    KvDbObjectPointer(KvDbObjectPointer&& other) noexcept
        : m_object(std::exchange(other.m_object, nullptr)), m_status(other.m_status)
    {
    }
    KvDbObjectPointer& operator=(KvDbObjectPointer&& other) noexcept
    {
        if (this != &other) {
            close();
            m_object = std::exchange(other.m_object, nullptr);
            m_status = other.m_status;
        }
        return *this;
    }
    ~KvDbObjectPointer() { close(); }

    // Closes what was open, then opens the object.
    Kvmo::ErrorStatus open(KvDbObjectId id, KvDb::OpenMode mode, bool openErased = false)
    {
        close();
        if constexpr (std::is_same_v<T, KvDbObject>)
            m_status = kvdbOpenKvDbObject(m_object, id, mode, openErased);
        else
            m_status = kvdbOpenObject(m_object, id, mode, openErased);
        if (m_status != Kvmo::eOk) m_object = nullptr;
        return m_status;
    }
    // Ends the open early (before another operation opens the object again).
    Kvmo::ErrorStatus close()
    {
        if (m_object == nullptr) return Kvmo::eOk;
        return std::exchange(m_object, nullptr)->close();
    }

    Kvmo::ErrorStatus openStatus() const { return m_status; }
    explicit operator bool() const { return m_object != nullptr; }
    T* get() const { return m_object; }
    T* operator->() const { return m_object; }
    T& operator*() const { return *m_object; }

private:
    T* m_object = nullptr;
    Kvmo::ErrorStatus m_status = Kvmo::eNullObjectId;
};
