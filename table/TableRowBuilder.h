#pragma once
// Builds the rows of one table assembly: one row per object record, each value placed in the
// column whose header equals the value's name.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/BlockEnt.h"
#include "engine/GeomEnt.h"
#include "engine/PropertyCatalog.h"
#include "table/KeyedGroups.h"
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

    std::size_t FirstColumnNamed(std::u16string_view csName) const;
    std::vector<std::size_t> ColumnsNamed(std::u16string_view csName) const;
    // The first column of each item's name, by the item's position in the list.
    std::vector<std::size_t> FirstColumns(const PropItemList& lsItems) const;
    TableRow StartRow(const BaseEnt& record, const std::u16string* pObjectName) const;
    void Append(TableRow&& row);
    // Sets every column of the chain from iFirst to the text.
    void Put(TableRow& row, std::size_t iFirst, std::u16string&& text) const;
    // The same with a copy into each cell's own room.
    void PutCopy(TableRow& row, std::size_t iFirst, const std::u16string& text) const;
    // kFirst: the position of the list's first value among the lists placed one after the other.
    void Place(TableRow& row, const PropValueList& lsValues, std::size_t kFirst);

    // Header text -> its first column; further columns of the same text chain through
    // m_veNextSameName, so a value reaches every column that carries its name.
    std::unordered_map<std::u16string_view, std::size_t> m_firstColumnOfName;
    // The same by shared text, for attribute and dynamic-property names.
    std::unordered_map<const void*, std::size_t> m_firstColumnOfShared;
    // The last name met at each position of a value list and its first column (kNoColumn
    // for none): references of one block list the same names in the same order.
    std::vector<std::pair<const void*, std::size_t>> m_vePlacedNames;
    std::vector<std::size_t> m_veNextSameName;
    // Values that have columns are the only ones turned into text: the first column of each
    // common value, of each value of a kind (by kind number) and of each block value.
    std::vector<std::size_t> m_veCommonColumns;
    std::vector<std::vector<std::size_t>> m_veKindColumns;
    std::vector<std::size_t> m_veBlockColumns;
    RowCounter* m_pCounter = nullptr;
    // While counting, rows of kinds 2 to 9 whose columns all show names (layer, colour, line
    // weight, plot style, linetype) are equal when their kind and names are: their group is
    // found from those, and the row is made only the first time.
    struct NamesKey {
        std::uint32_t type;
        const void* names[GeomEnt::kCommonValueCount];
        bool operator==(const NamesKey&) const = default;
    };
    bool GeomRowFromNames(std::uint32_t type);
    std::vector<std::int8_t> m_veFromNames;  // by kind: 1 yes, 0 no, -1 not known yet
    KeyedGroups<NamesKey> m_groupsOfNames;
    // Likewise a reference's row, when no block value has a column, is fixed by its kind, its
    // name and the attribute and dynamic-property values that reach a column, in order.
    struct PlacedValue {
        const void* name;
        std::u16string value;
    };
    struct BlockKey {
        std::uint32_t type;
        const void* name;
        std::vector<PlacedValue> values;
    };
    bool BlockRowFromValues() const;
    // The first column of the value named name at position k of the lists placed one after the other.
    std::size_t PlacedColumn(std::size_t k, const SharedText& name);
    // Fills m_vePlaced with the record's values that reach a column.
    void CollectPlaced(const BlockEnt& record);
    bool SameKey(const BlockKey& key, const BlockEnt& record) const;
    std::vector<std::pair<const void*, const std::u16string*>> m_vePlaced;
    KeyedGroups<BlockKey> m_groupsOfBlocks;
    std::vector<std::size_t> m_veIdColumns, m_veQtyColumns, m_veTypeColumns, m_veNameColumns, m_vePreviewColumns;
};

// Appends one row per record, in list order.
template <class Records>
void AddRowsOfKind(TableRowBuilder& builder, const Records& lsRecords)
{
    for (const auto& record : lsRecords) builder.BuildRow(record);
}
