#include "table/TotalLine.h"

#include "engine/NumberText.h"

TotalAccumulator::TotalAccumulator(const TableRow& header, const TotalColumns& lsColsTotal) : m_nColumns(header.size())
{
    for (std::size_t k = 0; k < header.size(); ++k) {
        unsigned nTimes = 0;
        for (const std::u16string& csName : lsColsTotal)
            if (header[k] == csName) ++nTimes;
        if (nTimes > 0) m_veColumns.push_back(Column{k, nTimes, 0.0, {}});
    }
}

void TotalAccumulator::Add(const TableRow& row)
{
    for (Column& column : m_veColumns) {
        const double cell = column.index < row.size() ? ReadNumberText(row[column.index]) : 0.0;
        for (unsigned t = 0; t < column.nTimes; ++t) {
            column.text = FormatNumber(column.value + cell);
            column.value = ReadNumberText(column.text);
        }
    }
}

TableRow TotalAccumulator::Line() const
{
    TableRow line(m_nColumns);
    for (const Column& column : m_veColumns) line[column.index] = column.text;
    return line;
}

TableRow ComputeTotalLine(const TableData& veTable, const TotalColumns& lsColsTotal)
{
    if (lsColsTotal.empty() || veTable.empty()) return {};
    TotalAccumulator accumulator(veTable.front(), lsColsTotal);
    for (std::size_t r = 1; r < veTable.size(); ++r) accumulator.Add(veTable[r]);
    return accumulator.Line();
}

void InsertRowBeforeTotalLine(TableData& veTable)
{
    if (veTable.empty()) return;
    const TableRow lsEmptyLine(veTable.front().size());
    veTable.insert(veTable.end() - 1, lsEmptyLine);
}
