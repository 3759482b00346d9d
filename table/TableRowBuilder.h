#pragma once
// Builds the rows of one table assembly: one row per object record, each value placed in the
// column whose header equals the value's name.
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/BlockEnt.h"
#include "engine/GeomEnt.h"
#include "engine/PropertyCatalog.h"
#include "table/RowCounter.h"
#include "table/TableData.h"

class TableRowBuilder {
public:
    // Rows start with lsHeaders as row 0; column positions are fixed from here on.
    // nRowsExpected only reserves room.
    TableRowBuilder(const std::vector<std::u16string>& lsObjectsSel, const PropertyCatalog& catalog,
                    const std::vector<std::u16string>& lsHeaders, std::size_t nRowsExpected = 0);
    // Not copyable: the column lookup points into this builder's own header texts.
    TableRowBuilder(const TableRowBuilder&) = delete;
    TableRowBuilder& operator=(const TableRowBuilder&) = delete;

    // From now on rows go to the counter instead of veTableData, which keeps its header:
    // counting as rows are built spares holding one row per object.
    void CountAsBuilt(RowCounter& counter) { m_pCounter = &counter; }

    // Any kind but block reference: common values, then the kind's own; a later match wins.
    void BuildRow(const GeomEnt& record);
    // Block reference: attributes, then dynamic properties, then geometry; a later match
    // wins. The preview column stays empty and feeds lsBlockTbRecId instead.
    void BuildRow(const BlockEnt& record);

    const std::vector<std::u16string> lsHeaders;
    const std::vector<std::u16string> lsObjectsSel;
    const PropertyCatalog catalog;
    TableData veTableData;
    HandleBlockMap lsBlockTbRecId;

private:
    static constexpr std::size_t kNoColumn = static_cast<std::size_t>(-1);

    std::vector<std::size_t> ColumnsNamed(std::u16string_view csName) const;
    TableRow StartRow(const BaseEnt& record, const std::u16string* pObjectName) const;
    void Append(TableRow&& row);
    void Place(TableRow& row, const PropValueList& lsValues) const;
    void Place(TableRow& row, PropValueList&& lsValues) const;
    template <class Values>
    void PlaceEach(TableRow& row, Values& lsValues) const;

    // Header text -> its first column; further columns of the same text chain through
    // m_veNextSameName, so a value reaches every column that carries its name.
    std::unordered_map<std::u16string_view, std::size_t> m_firstColumnOfName;
    std::vector<std::size_t> m_veNextSameName;
    RowCounter* m_pCounter = nullptr;
    std::vector<std::size_t> m_veIdColumns, m_veQtyColumns, m_veTypeColumns, m_veNameColumns, m_vePreviewColumns;
};

// Appends one row per record, in list order.
template <class Record>
void AddRowsOfKind(TableRowBuilder& builder, const std::vector<Record>& lsRecords)
{
    for (const Record& record : lsRecords) builder.BuildRow(record);
}
