#pragma once
// The editable grid of one worksheet; every cell of its rectangle exists.
#include <cstddef>
#include <vector>

#include "ExcelFormat/CellModel.h"

class SheetModel {
public:
    static constexpr std::size_t kMaxRows = 65536;
    static constexpr std::size_t kMaxColumns = 256;

    // The cell, growing the grid to hold it; nullptr outside the sheet's limits.
    CellModel* CellAt(std::size_t nRow, std::size_t nColumn);
    const CellModel& Cell(std::size_t nRow, std::size_t nColumn) const { return m_veRows[nRow][nColumn]; }

    std::size_t RowCount() const { return m_veRows.size(); }
    std::size_t ColumnCount() const { return m_nColumns; }

private:
    std::vector<std::vector<CellModel>> m_veRows;
    std::size_t m_nColumns = 0;
};
