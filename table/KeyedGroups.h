#pragma once
// Groups of counted rows found by a key made without the row: a drawing cycles through a few
// combinations, so the group found last is looked at first, then the others in turn.
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

template <class Key>
class KeyedGroups {
public:
    // A drawing with more combinations than this counts the rest the long way.
    static constexpr std::size_t kMaxKeys = 256;

    bool Full() const { return m_veGroups.size() >= kMaxKeys; }

    // The group of the first key same(key) accepts, the last one found tried first.
    template <class Same>
    std::optional<std::size_t> Find(Same same)
    {
        if (m_iLast < m_veGroups.size() && same(m_veGroups[m_iLast].first)) return m_veGroups[m_iLast].second;
        for (std::size_t i = 0; i < m_veGroups.size(); ++i)
            if (same(m_veGroups[i].first)) {
                m_iLast = i;
                return m_veGroups[i].second;
            }
        return std::nullopt;
    }

    void Add(Key key, std::size_t iGroup)
    {
        m_veGroups.emplace_back(std::move(key), iGroup);
        m_iLast = m_veGroups.size() - 1;
    }

private:
    std::vector<std::pair<Key, std::size_t>> m_veGroups;
    std::size_t m_iLast = 0;
};
