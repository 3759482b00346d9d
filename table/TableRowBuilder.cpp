#include "table/TableRowBuilder.h"

#include <type_traits>

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
    m_veIdColumns = ColumnsNamed(u"Id");
    m_veQtyColumns = ColumnsNamed(catalog.csQty);
    m_veTypeColumns = ColumnsNamed(catalog.objTypeItem.name);
    m_veNameColumns = ColumnsNamed(catalog.nameItem.name);
    m_vePreviewColumns = ColumnsNamed(catalog.previewItem.name);
}

std::vector<std::size_t> TableRowBuilder::ColumnsNamed(std::u16string_view csName) const
{
    std::vector<std::size_t> veColumns;
    const auto it = m_firstColumnOfName.find(csName);
    if (it != m_firstColumnOfName.end())
        for (std::size_t i = it->second; i != kNoColumn; i = m_veNextSameName[i]) veColumns.push_back(i);
    return veColumns;
}

TableRow TableRowBuilder::StartRow(const BaseEnt& record, const std::u16string* pObjectName) const
{
    TableRow row(lsHeaders.size());
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

template <class Values>
void TableRowBuilder::PlaceEach(TableRow& row, Values& lsValues) const
{
    for (auto& value : lsValues) {
        const auto it = m_firstColumnOfName.find(value.name);
        if (it == m_firstColumnOfName.end()) continue;
        std::size_t i = it->second;
        for (; m_veNextSameName[i] != kNoColumn; i = m_veNextSameName[i]) row[i] = value.value;
        // The last column takes the text itself when the values are ours to consume.
        if constexpr (std::is_const_v<Values>)
            row[i] = value.value;
        else
            row[i] = std::move(value.value);
    }
}

void TableRowBuilder::Place(TableRow& row, const PropValueList& lsValues) const
{
    PlaceEach(row, lsValues);
}

void TableRowBuilder::Place(TableRow& row, PropValueList&& lsValues) const
{
    PlaceEach(row, lsValues);
}

void TableRowBuilder::Append(TableRow&& row)
{
    if (m_pCounter)
        m_pCounter->Add(std::move(row));
    else
        veTableData.push_back(std::move(row));
}

void TableRowBuilder::BuildRow(const GeomEnt& record)
{
    TableRow row = StartRow(record, nullptr);
    Place(row, record.GetCommonProps(catalog.ls_comPropTags));
    Place(row, record.GetProps(catalog.ListOfKind(record.type)));
    Append(std::move(row));
}

void TableRowBuilder::BuildRow(const BlockEnt& record)
{
    TableRow row = StartRow(record, &record.csName);
    Place(row, record.lsAttributs);
    Place(row, record.lsProps);
    Place(row, record.GetBlockProps(catalog.blcDatas));
    if (!m_vePreviewColumns.empty()) {
        lsBlockTbRecId.insert_or_assign(record.csHandle, record.idBlkTblRec);
        for (std::size_t i : m_vePreviewColumns) row[i].clear();
    }
    Append(std::move(row));
}
