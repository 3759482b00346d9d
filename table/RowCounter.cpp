#include "table/RowCounter.h"

#include <algorithm>
#include <utility>

#include "engine/NumberText.h"
#include "table/RowTail.h"

std::size_t RowCounter::TailHash::operator()(std::size_t iGroup) const
{
    return HashRowTail((*pGroups)[iGroup].row);
}

bool RowCounter::TailEqual::operator()(std::size_t iA, std::size_t iB) const
{
    return EqualRowTails((*pGroups)[iA].row, (*pGroups)[iB].row);
}

RowCounter::RowCounter() : m_index(16, TailHash{&m_veGroups}, TailEqual{&m_veGroups}) {}

std::size_t RowCounter::Add(TableRow&& row)
{
    // The row enters as a group of its own; when an equal group exists it takes that
    // group's place as the latest row instead.
    m_veGroups.push_back(Group{std::move(row), m_nAdded++, 1});
    const auto [it, bNew] = m_index.insert(m_veGroups.size() - 1);
    if (bNew) return m_veGroups.size() - 1;
    Group& group = m_veGroups[*it];
    group.row.swap(m_veGroups.back().row);
    m_spare.swap(m_veGroups.back().row);
    group.iLast = m_veGroups.back().iLast;
    ++group.nRows;
    m_veGroups.pop_back();
    return *it;
}

void RowCounter::AddAgain(std::size_t iGroup, const std::u16string& csHandle)
{
    Group& group = m_veGroups[iGroup];
    group.row[0] = csHandle;
    group.iLast = m_nAdded++;
    ++group.nRows;
}

TableData RowCounter::Finish(TableRow&& header, std::vector<std::u16string>& lsHandles)
{
    m_veGroups.push_back(Group{std::move(header), 0, 0});
    if (const auto it = m_index.find(m_veGroups.size() - 1); it != m_index.end()) ++m_veGroups[*it].nRows;
    TableData veCounted;
    veCounted.reserve(m_veGroups.size());
    veCounted.push_back(std::move(m_veGroups.back().row));
    m_veGroups.pop_back();
    m_index.clear();

    std::sort(m_veGroups.begin(), m_veGroups.end(), [](const Group& a, const Group& b) { return a.iLast > b.iLast; });
    for (Group& group : m_veGroups) {
        lsHandles.push_back(group.row.empty() ? std::u16string() : group.row[0]);
        if (group.row.size() > 1) group.row[1] = FormatCountText(group.nRows);
        veCounted.push_back(std::move(group.row));
    }
    m_veGroups.clear();
    return veCounted;
}
