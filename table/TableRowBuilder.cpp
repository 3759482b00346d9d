#include "table/TableRowBuilder.h"

#include <utility>

#include "engine/ObjKind.h"

TableRowBuilder::TableRowBuilder(const std::vector<std::u16string>& lsObjectsSel_, const PropertyCatalog& catalog_,
                                 const std::vector<std::u16string>& lsHeaders_, std::size_t nRowsExpected)
    : lsHeaders(lsHeaders_),
      lsObjectsSel(lsObjectsSel_),
      catalog(catalog_),
      veTableData{lsHeaders_},
      m_veNextSameName(lsHeaders.size(), kNoColumn)
{
    veTableData.reserve(nRowsExpected + 1);
    // Walk backwards so each chain runs in ascending column order.
    for (std::size_t i = lsHeaders.size(); i-- > 0;) {
        const auto [it, bNew] = m_firstColumnOfName.try_emplace(lsHeaders[i], i);
        if (!bNew) {
            m_veNextSameName[i] = it->second;
            it->second = i;
        }
    }
    for (const auto& [csName, iFirst] : m_firstColumnOfName)
        m_firstColumnOfShared.emplace(SharedText(csName).Key(), iFirst);

    m_veIdColumns = ColumnsNamed(u"Id");
    m_veQtyColumns = ColumnsNamed(catalog.csQty);
    m_veTypeColumns = ColumnsNamed(catalog.objTypeItem.name);
    m_veNameColumns = ColumnsNamed(catalog.nameItem.name);
    m_vePreviewColumns = ColumnsNamed(catalog.previewItem.name);

    m_veCommonColumns = FirstColumns(catalog.ls_comPropTags);
    m_veBlockColumns = FirstColumns(catalog.blcDatas);
    m_veKindColumns.resize(kObjMText + 1);
    for (std::uint32_t kind = kObjLine; kind <= kObjMText; ++kind)
        m_veKindColumns[kind] = FirstColumns(catalog.ListOfKind(kind));
}

std::size_t TableRowBuilder::FirstColumnNamed(std::u16string_view csName) const
{
    const auto it = m_firstColumnOfName.find(csName);
    return it == m_firstColumnOfName.end() ? kNoColumn : it->second;
}

std::vector<std::size_t> TableRowBuilder::ColumnsNamed(std::u16string_view csName) const
{
    std::vector<std::size_t> veColumns;
    for (std::size_t i = FirstColumnNamed(csName); i != kNoColumn; i = m_veNextSameName[i]) veColumns.push_back(i);
    return veColumns;
}

std::vector<std::size_t> TableRowBuilder::FirstColumns(const PropItemList& lsItems) const
{
    std::vector<std::size_t> veFirst;
    veFirst.reserve(lsItems.size());
    for (const PropItem& item : lsItems) veFirst.push_back(FirstColumnNamed(item.name));
    return veFirst;
}

TableRow TableRowBuilder::StartRow(const BaseEnt& record, const std::u16string* pObjectName) const
{
    // A row the counter gives back keeps the room of its cells; every cell starts empty.
    TableRow row = m_pCounter ? m_pCounter->TakeSpare() : TableRow();
    for (std::u16string& cell : row) cell.clear();
    row.resize(lsHeaders.size());
    for (std::size_t i : m_veIdColumns) row[i] = record.csHandle;
    for (std::size_t i : m_veQtyColumns) row[i].assign(1, u'1');  // every object row counts one
    if (pObjectName)
        for (std::size_t i : m_veNameColumns) row[i] = *pObjectName;
    if (!m_veTypeColumns.empty()) {
        const std::u16string csTypeName = record.TypeName(catalog.lsObjNames);
        for (std::size_t i : m_veTypeColumns) row[i] = csTypeName;
    }
    return row;
}

void TableRowBuilder::Put(TableRow& row, std::size_t iFirst, std::u16string&& text) const
{
    std::size_t i = iFirst;
    for (; m_veNextSameName[i] != kNoColumn; i = m_veNextSameName[i]) row[i] = text;
    row[i] = std::move(text);
}

void TableRowBuilder::PutCopy(TableRow& row, std::size_t iFirst, const std::u16string& text) const
{
    for (std::size_t i = iFirst; i != kNoColumn; i = m_veNextSameName[i]) row[i] = text;
}

std::size_t TableRowBuilder::PlacedColumn(std::size_t k, const SharedText& name)
{
    if (m_vePlacedNames.size() <= k) m_vePlacedNames.resize(k + 1, {nullptr, kNoColumn});
    auto& [pName, iFirst] = m_vePlacedNames[k];
    if (pName != name.Key()) {
        const auto it = m_firstColumnOfShared.find(name.Key());
        pName = name.Key();
        iFirst = it == m_firstColumnOfShared.end() ? kNoColumn : it->second;
    }
    return iFirst;
}

void TableRowBuilder::Place(TableRow& row, const PropValueList& lsValues, std::size_t kFirst)
{
    for (std::size_t k = 0; k < lsValues.size(); ++k) {
        const PropValue& value = lsValues[k];
        for (std::size_t i = PlacedColumn(kFirst + k, value.name); i != kNoColumn; i = m_veNextSameName[i])
            row[i] = value.value;
    }
}

void TableRowBuilder::Append(TableRow&& row)
{
    if (m_pCounter)
        m_pCounter->Add(std::move(row));
    else
        veTableData.push_back(std::move(row));
}

bool TableRowBuilder::GeomRowFromNames(std::uint32_t type)
{
    if (m_pCounter == nullptr) return false;
    if (type >= m_veFromNames.size()) m_veFromNames.resize(type + 1, -1);
    if (m_veFromNames[type] >= 0) return m_veFromNames[type] == 1;
    // Column 0 is the only one with the handle; no value of the kind and no number has a column.
    bool bNames = m_veIdColumns.size() == 1 && m_veIdColumns[0] == 0;
    if (type < m_veKindColumns.size())
        for (std::size_t iColumn : m_veKindColumns[type]) bNames = bNames && iColumn == kNoColumn;
    for (std::size_t p = 0; p < m_veCommonColumns.size() && p < GeomEnt::kCommonValueCount; ++p)
        bNames = bNames && (m_veCommonColumns[p] == kNoColumn || (p != 2 && p != 3 && p != 5));
    m_veFromNames[type] = bNames ? 1 : 0;
    return bNames;
}

void TableRowBuilder::BuildRow(const GeomEnt& record)
{
    NamesKey key{record.type, {}};
    const bool bFromNames = GeomRowFromNames(record.type);
    if (bFromNames) {
        for (std::size_t p = 0; p < m_veCommonColumns.size() && p < GeomEnt::kCommonValueCount; ++p)
            if (m_veCommonColumns[p] != kNoColumn) key.names[p] = record.CommonValueHeld(p);
        if (const auto iGroup = m_groupsOfNames.Find([&key](const NamesKey& known) { return known == key; }))
            return m_pCounter->AddAgain(*iGroup, record.csHandle);
    }
    TableRow row = StartRow(record, nullptr);
    for (std::size_t p = 0; p < m_veCommonColumns.size() && p < GeomEnt::kCommonValueCount; ++p)
        if (m_veCommonColumns[p] != kNoColumn && record.HasCommonValue(p)) {
            if (const std::u16string* pHeld = record.CommonValueHeld(p))
                PutCopy(row, m_veCommonColumns[p], *pHeld);
            else
                Put(row, m_veCommonColumns[p], record.CommonValueText(p));
        }
    if (record.type < m_veKindColumns.size()) {
        const std::vector<std::size_t>& veColumns = m_veKindColumns[record.type];
        const std::size_t nValues = record.ValueCount();
        for (std::size_t p = 0; p < veColumns.size() && p < nValues; ++p)
            if (veColumns[p] != kNoColumn) Put(row, veColumns[p], record.ValueText(p));
    }
    if (bFromNames && !m_groupsOfNames.Full()) return m_groupsOfNames.Add(key, m_pCounter->Add(std::move(row)));
    Append(std::move(row));
}

bool TableRowBuilder::BlockRowFromValues() const
{
    if (m_pCounter == nullptr || m_veIdColumns.size() != 1 || m_veIdColumns[0] != 0) return false;
    for (std::size_t iColumn : m_veBlockColumns)
        if (iColumn != kNoColumn) return false;
    return true;
}

void TableRowBuilder::CollectPlaced(const BlockEnt& record)
{
    m_vePlaced.clear();
    const std::size_t nAttributes = record.lsAttributs.size();
    for (std::size_t k = 0; k < nAttributes; ++k)
        if (PlacedColumn(k, record.lsAttributs[k].name) != kNoColumn)
            m_vePlaced.emplace_back(record.lsAttributs[k].name.Key(), &record.lsAttributs[k].value);
    for (std::size_t k = 0; k < record.lsProps.size(); ++k)
        if (PlacedColumn(nAttributes + k, record.lsProps[k].name) != kNoColumn)
            m_vePlaced.emplace_back(record.lsProps[k].name.Key(), &record.lsProps[k].value);
}

bool TableRowBuilder::SameKey(const BlockKey& key, const BlockEnt& record) const
{
    if (key.type != record.type || key.name != record.csName.Key() || key.values.size() != m_vePlaced.size())
        return false;
    for (std::size_t j = 0; j < m_vePlaced.size(); ++j)
        if (key.values[j].name != m_vePlaced[j].first || key.values[j].value != *m_vePlaced[j].second) return false;
    return true;
}

void TableRowBuilder::BuildRow(const BlockEnt& record)
{
    if (!m_vePreviewColumns.empty()) lsBlockTbRecId.insert_or_assign(record.csHandle, record.idBlkTblRec);
    // Once the keys are many, references are counted the long way: comparing values with every
    // key for every reference would cost more than it saves.
    const bool bFromValues = !m_groupsOfBlocks.Full() && BlockRowFromValues();
    if (bFromValues) {
        CollectPlaced(record);
        if (const auto iGroup = m_groupsOfBlocks.Find([&](const BlockKey& key) { return SameKey(key, record); }))
            return m_pCounter->AddAgain(*iGroup, record.csHandle);
    }
    TableRow row = StartRow(record, &record.csName.str());
    Place(row, record.lsAttributs, 0);
    Place(row, record.lsProps, record.lsAttributs.size());
    for (std::size_t p = 0; p < m_veBlockColumns.size() && p < BlockEnt::kBlockValueCount; ++p)
        if (m_veBlockColumns[p] != kNoColumn) Put(row, m_veBlockColumns[p], record.BlockValueText(p));
    for (std::size_t i : m_vePreviewColumns) row[i].clear();
    if (bFromValues) {
        BlockKey key{record.type, record.csName.Key(), {}};
        key.values.reserve(m_vePlaced.size());
        for (const auto& [pName, pValue] : m_vePlaced) key.values.push_back(PlacedValue{pName, *pValue});
        return m_groupsOfBlocks.Add(std::move(key), m_pCounter->Add(std::move(row)));
    }
    Append(std::move(row));
}
