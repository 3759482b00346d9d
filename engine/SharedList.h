#pragma once
// A list whose copies share one storage until one of them changes. Records and tables are
// copied whole when the wizard hands them from page to page; a copy need not duplicate
// hundreds of thousands of records that no page changes.
#include <cstddef>
#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

template <class T>
class SharedList {
public:
    using value_type = T;
    using size_type = std::size_t;
    using const_iterator = typename std::vector<T>::const_iterator;
    using iterator = const_iterator;

    SharedList() = default;
    SharedList(std::vector<T> items) : m_pItems(std::make_shared<std::vector<T>>(std::move(items))) {}
    SharedList(std::initializer_list<T> items) : SharedList(std::vector<T>(items)) {}

    // Reading never copies. There is no changing access through begin() or [], so that a
    // loop over a list that is not const does not copy a shared storage by accident.
    const std::vector<T>& items() const noexcept { return m_pItems ? *m_pItems : Empty(); }
    operator const std::vector<T>&() const noexcept { return items(); }
    const_iterator begin() const noexcept { return items().begin(); }
    const_iterator end() const noexcept { return items().end(); }
    size_type size() const noexcept { return items().size(); }
    bool empty() const noexcept { return items().empty(); }
    const T& operator[](size_type i) const { return items()[i]; }
    const T& front() const { return items().front(); }
    const T& back() const { return items().back(); }

    // The list's own storage, copied first when another list shares it.
    std::vector<T>& Edit()
    {
        if (!m_pItems)
            m_pItems = std::make_shared<std::vector<T>>();
        else if (m_pItems.use_count() > 1)
            m_pItems = std::make_shared<std::vector<T>>(*m_pItems);
        return *m_pItems;
    }
    void push_back(const T& item) { Edit().push_back(item); }
    void push_back(T&& item) { Edit().push_back(std::move(item)); }
    template <class... Args>
    T& emplace_back(Args&&... args)
    {
        return Edit().emplace_back(std::forward<Args>(args)...);
    }
    void reserve(size_type n) { Edit().reserve(n); }
    void clear() noexcept { m_pItems.reset(); }
    // Gives back unused room; only the list that does not share its storage has any.
    void shrink_to_fit()
    {
        if (m_pItems && m_pItems.use_count() == 1) m_pItems->shrink_to_fit();
    }

    friend bool operator==(const SharedList& a, const SharedList& b)
    {
        return a.m_pItems == b.m_pItems || a.items() == b.items();
    }
    friend bool operator==(const SharedList& a, const std::vector<T>& b) { return a.items() == b; }

private:
    static const std::vector<T>& Empty() noexcept
    {
        static const std::vector<T> kEmpty;
        return kEmpty;
    }

    std::shared_ptr<std::vector<T>> m_pItems;  // null while empty
};
