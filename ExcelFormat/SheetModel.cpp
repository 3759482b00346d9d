#include "ExcelFormat/SheetModel.h"

CellModel* SheetModel::CellAt(std::size_t nRow, std::size_t nColumn)
{
    if (nRow >= kMaxRows || nColumn >= kMaxColumns) return nullptr;
    if (nColumn >= m_nColumns) {
        m_nColumns = nColumn + 1;
        for (auto& row : m_veRows) row.resize(m_nColumns);
    }
    if (nRow >= m_veRows.size()) m_veRows.resize(nRow + 1, std::vector<CellModel>(m_nColumns));
    return &m_veRows[nRow][nColumn];
}
