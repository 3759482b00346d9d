#include "kv/KvDbTable.h"

#include <algorithm>
#include <cmath>

#include "KvInternal.h"
#include "kv/KvDbBlockTableRecord.h"
#include "kv/KvDbDatabase.h"
#include "kv/KvDbTableStyle.h"
#include "kv/KvGiTextStyle.h"

namespace {

// Used when a table has no style to ask.
constexpr double kDefaultTextHeight = 0.18;
constexpr double kDefaultMargin = 0.06;
constexpr double kDefaultColumnWidth = 2.5;
// Base lines of a cell's text lie 5/3 of the text height apart.
constexpr double kLineSpacing = 5.0 / 3.0;
// How far ahead of a column's reader cells are fetched from memory.
constexpr std::size_t kRowsAhead = 16;

const KvDbTableStyle* styleAt(KvDbObjectId id)
{
    const KvDbDatabase* pDb = id.database();
    return pDb ? kvCast<KvDbTableStyle>(pDb->objectAt(id)) : nullptr;
}

// Height of a row holding the given number of lines of text.
double heightForLines(int lines, double textHeight, double margin)
{
    return 2.0 * margin + textHeight + (std::max(lines, 1) - 1) * textHeight * kLineSpacing;
}

// Shrinks [lo, hi] by the removed span [first, last]; false when nothing is left.
bool shrinkSpan(int& lo, int& hi, int first, int last)
{
    const int count = last - first + 1;
    if (first <= lo && hi <= last) return false;
    const int removedBeforeLo = std::clamp(lo - first, 0, count);
    const int removedUpToHi = std::clamp(hi - first + 1, 0, count);
    hi -= removedUpToHi;
    lo -= removedBeforeLo;
    return true;
}

}  // namespace

KvDbTable::KvDbTable() = default;

Kvmo::ErrorStatus KvDbTable::setSize(int rows, int columns)
{
    if (!canWrite()) return Kvmo::eNotOpenForWrite;
    if (rows < 1 || columns < 1) return Kvmo::eInvalidInput;
    const KvDbTableStyle* pStyle = styleAt(m_tableStyle);
    const double rowHeight = heightForLines(1, pStyle ? pStyle->textHeight() : kDefaultTextHeight,
                                            pStyle ? pStyle->horizontalCellMargin() : kDefaultMargin);
    m_rowHeights.resize(static_cast<std::size_t>(rows), rowHeight);
    m_columnWidths.resize(static_cast<std::size_t>(columns), kDefaultColumnWidth);
    m_cells.resize(static_cast<std::size_t>(rows));
    for (auto& row : m_cells) row.resize(static_cast<std::size_t>(columns));
    std::erase_if(m_merged, [&](const MergedRange& m) { return m.minRow >= rows || m.minCol >= columns; });
    for (MergedRange& m : m_merged) {
        m.maxRow = std::min(m.maxRow, rows - 1);
        m.maxCol = std::min(m.maxCol, columns - 1);
    }
    std::erase_if(m_merged, [](const MergedRange& m) { return m.minRow == m.maxRow && m.minCol == m.maxCol; });
    return Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbTable::setTableStyle(KvDbObjectId id)
{
    if (!id.isNull() && styleAt(id) == nullptr) return Kvmo::eInvalidInput;
    return assignIfWritable(m_tableStyle, id);
}

const KvDbTable::Cell* KvDbTable::cellAt(int row, int col) const
{
    if (row < 0 || col < 0 || row >= numRows() || col >= numColumns()) return nullptr;
    return &m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

std::u16string KvDbTable::textString(int row, int col) const
{
    const Cell* pCell = cellAt(row, col);
    if (pCell == nullptr) return std::u16string();
    // Columns are measured cell after cell down the rows, each row far from the last in memory:
    // fetch the cell some rows below now, and the characters of one nearer (fetched before).
    const auto r = static_cast<std::size_t>(row), c = static_cast<std::size_t>(col);
    if (r + kRowsAhead < m_cells.size() && c < m_cells[r + kRowsAhead].size())
        __builtin_prefetch(&m_cells[r + kRowsAhead][c]);
    if (r + kRowsAhead / 2 < m_cells.size() && c < m_cells[r + kRowsAhead / 2].size())
        __builtin_prefetch(m_cells[r + kRowsAhead / 2][c].text.data());
    return pCell->text;
}

Kvmo::ErrorStatus KvDbTable::setTextString(int row, int col, const std::u16string& text)
{
    if (!canWrite()) return Kvmo::eNotOpenForWrite;
    if (cellAt(row, col) == nullptr) return Kvmo::eInvalidIndex;
    if (!kvinternal::consumeTableCellWrite()) return Kvmo::eNotApplicable;
    Cell& cell = this->cell(row, col);
    cell.text = text;
    cell.block = KvDbObjectId();  // a cell holds a text or a block
    cell.autoFit = false;
    return Kvmo::eOk;
}

KvDbObjectId KvDbTable::blockTableRecordId(int row, int col) const
{
    const Cell* pCell = cellAt(row, col);
    return pCell ? pCell->block : KvDbObjectId();
}

Kvmo::ErrorStatus KvDbTable::setBlockTableRecordId(int row, int col, KvDbObjectId blockId, bool autoFit)
{
    if (!canWrite()) return Kvmo::eNotOpenForWrite;
    if (cellAt(row, col) == nullptr) return Kvmo::eInvalidIndex;
    const KvDbDatabase* pDb = blockId.database();
    const auto* pBlock = pDb ? kvCast<KvDbBlockTableRecord>(pDb->objectAt(blockId)) : nullptr;
    if (pBlock == nullptr || pBlock->isErased()) return Kvmo::eInvalidInput;
    if (!kvinternal::consumeTableCellWrite()) return Kvmo::eNotApplicable;
    Cell& cell = this->cell(row, col);
    cell.text.clear();
    cell.block = blockId;
    cell.autoFit = autoFit;
    return Kvmo::eOk;
}

KvDbObjectId KvDbTable::textStyle(int row, int col) const
{
    // Without cells of their own style (the common case) the cell need not be read.
    if (m_formats.size() > 1) {
        const Cell* pCell = cellAt(row, col);
        if (pCell && !m_formats[pCell->format].textStyle.isNull()) return m_formats[pCell->format].textStyle;
    }
    return defaultTextStyle();
}

KvDbObjectId KvDbTable::defaultTextStyle() const
{
    const KvDbTableStyle* pStyle = styleAt(m_tableStyle);
    if (pStyle && !pStyle->textStyle().isNull()) return pStyle->textStyle();
    // Without a style the drawing's "Standard" text style applies.
    const KvDbDatabase* pDb = database() ? database() : m_tableStyle.database();
    const auto* pStyles = pDb ? kvCast<KvDbSymbolTable>(pDb->objectAt(pDb->textStyleTableId())) : nullptr;
    KvDbObjectId id;
    if (pStyles) pStyles->getAt(u"Standard", id);
    return id;
}

Kvmo::ErrorStatus KvDbTable::setTextStyle(int row, int col, KvDbObjectId id)
{
    if (!canWrite()) return Kvmo::eNotOpenForWrite;
    if (cellAt(row, col) == nullptr) return Kvmo::eInvalidIndex;
    Format format = m_formats[cell(row, col).format];
    format.textStyle = id;
    setCellFormat(row, col, format);
    return Kvmo::eOk;
}

void KvDbTable::setCellFormat(int row, int col, Format format)
{
    auto it = std::find(m_formats.begin(), m_formats.end(), format);
    if (it == m_formats.end()) it = m_formats.insert(m_formats.end(), format);
    cell(row, col).format = static_cast<std::uint32_t>(it - m_formats.begin());
}

double KvDbTable::textHeight(int row, int col) const
{
    if (m_formats.size() > 1) {
        const Cell* pCell = cellAt(row, col);
        if (pCell && m_formats[pCell->format].textHeight > 0.0) return m_formats[pCell->format].textHeight;
    }
    const KvDbTableStyle* pStyle = styleAt(m_tableStyle);
    return (pStyle && pStyle->textHeight() > 0.0) ? pStyle->textHeight() : kDefaultTextHeight;
}

Kvmo::ErrorStatus KvDbTable::setTextHeight(int row, int col, double height)
{
    if (!canWrite()) return Kvmo::eNotOpenForWrite;
    if (cellAt(row, col) == nullptr) return Kvmo::eInvalidIndex;
    if (height < 0.0) return Kvmo::eOutOfRange;
    Format format = m_formats[cell(row, col).format];
    format.textHeight = height;
    setCellFormat(row, col, format);
    return Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbTable::mergeCells(int minRow, int maxRow, int minCol, int maxCol)
{
    if (!canWrite()) return Kvmo::eNotOpenForWrite;
    if (minRow < 0 || minCol < 0 || minRow > maxRow || minCol > maxCol || maxRow >= numRows() || maxCol >= numColumns())
        return Kvmo::eInvalidIndex;
    // Ranges the new one touches are absorbed into it.
    std::erase_if(m_merged, [&](const MergedRange& m) {
        return m.minRow <= maxRow && minRow <= m.maxRow && m.minCol <= maxCol && minCol <= m.maxCol;
    });
    if (minRow != maxRow || minCol != maxCol) m_merged.push_back({minRow, maxRow, minCol, maxCol});
    return Kvmo::eOk;
}

bool KvDbTable::isMergedCell(int row, int col, int* minRow, int* maxRow, int* minCol, int* maxCol) const
{
    for (const MergedRange& m : m_merged) {
        if (row >= m.minRow && row <= m.maxRow && col >= m.minCol && col <= m.maxCol) {
            if (minRow) *minRow = m.minRow;
            if (maxRow) *maxRow = m.maxRow;
            if (minCol) *minCol = m.minCol;
            if (maxCol) *maxCol = m.maxCol;
            return true;
        }
    }
    return false;
}

Kvmo::ErrorStatus KvDbTable::setColumnWidth(double width)
{
    if (!canWrite()) return Kvmo::eNotOpenForWrite;
    if (kvinternal::columnWidthsRejected()) return Kvmo::eNotApplicable;
    if (!(width > 0.0)) return Kvmo::eOutOfRange;
    std::fill(m_columnWidths.begin(), m_columnWidths.end(), width);
    return Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbTable::setColumnWidth(int col, double width)
{
    if (!canWrite()) return Kvmo::eNotOpenForWrite;
    if (col < 0 || col >= numColumns()) return Kvmo::eInvalidIndex;
    if (kvinternal::columnWidthsRejected()) return Kvmo::eNotApplicable;
    if (!(width > 0.0)) return Kvmo::eOutOfRange;
    m_columnWidths[static_cast<std::size_t>(col)] = width;
    return Kvmo::eOk;
}

double KvDbTable::columnWidth(int col) const
{
    return (col >= 0 && col < numColumns()) ? m_columnWidths[static_cast<std::size_t>(col)] : 0.0;
}

Kvmo::ErrorStatus KvDbTable::setRowHeight(double height)
{
    if (!canWrite()) return Kvmo::eNotOpenForWrite;
    if (!(height > 0.0)) return Kvmo::eOutOfRange;
    std::fill(m_rowHeights.begin(), m_rowHeights.end(), height);
    return Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbTable::setRowHeight(int row, double height)
{
    if (!canWrite()) return Kvmo::eNotOpenForWrite;
    if (row < 0 || row >= numRows()) return Kvmo::eInvalidIndex;
    if (!(height > 0.0)) return Kvmo::eOutOfRange;
    m_rowHeights[static_cast<std::size_t>(row)] = height;
    return Kvmo::eOk;
}

double KvDbTable::rowHeight(int row) const
{
    return (row >= 0 && row < numRows()) ? m_rowHeights[static_cast<std::size_t>(row)] : 0.0;
}

Kvmo::ErrorStatus KvDbTable::insertRows(int row, double height, int count)
{
    if (!canWrite()) return Kvmo::eNotOpenForWrite;
    if (row < 0 || row > numRows() || count < 1) return Kvmo::eInvalidIndex;
    if (!(height > 0.0)) return Kvmo::eOutOfRange;
    m_rowHeights.insert(m_rowHeights.begin() + row, static_cast<std::size_t>(count), height);
    m_cells.insert(m_cells.begin() + row, static_cast<std::size_t>(count),
                   std::vector<Cell>(static_cast<std::size_t>(numColumns())));
    for (MergedRange& m : m_merged) {
        if (m.minRow >= row) {
            m.minRow += count;
            m.maxRow += count;
        } else if (m.maxRow >= row) {
            m.maxRow += count;  // inserted inside the range: it grows
        }
    }
    return Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbTable::insertColumns(int col, double width, int count)
{
    if (!canWrite()) return Kvmo::eNotOpenForWrite;
    if (col < 0 || col > numColumns() || count < 1) return Kvmo::eInvalidIndex;
    if (!(width > 0.0)) return Kvmo::eOutOfRange;
    m_columnWidths.insert(m_columnWidths.begin() + col, static_cast<std::size_t>(count), width);
    for (auto& cells : m_cells) cells.insert(cells.begin() + col, static_cast<std::size_t>(count), Cell());
    for (MergedRange& m : m_merged) {
        if (m.minCol >= col) {
            m.minCol += count;
            m.maxCol += count;
        } else if (m.maxCol >= col) {
            m.maxCol += count;
        }
    }
    return Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbTable::deleteRows(int row, int count)
{
    if (!canWrite()) return Kvmo::eNotOpenForWrite;
    if (row < 0 || count < 1 || row + count > numRows()) return Kvmo::eInvalidIndex;
    if (count == numRows()) return Kvmo::eInvalidInput;  // a table keeps at least one row
    m_rowHeights.erase(m_rowHeights.begin() + row, m_rowHeights.begin() + row + count);
    m_cells.erase(m_cells.begin() + row, m_cells.begin() + row + count);
    std::erase_if(m_merged, [&](MergedRange& m) {
        return !shrinkSpan(m.minRow, m.maxRow, row, row + count - 1) || (m.minRow == m.maxRow && m.minCol == m.maxCol);
    });
    return Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbTable::deleteColumns(int col, int count)
{
    if (!canWrite()) return Kvmo::eNotOpenForWrite;
    if (col < 0 || count < 1 || col + count > numColumns()) return Kvmo::eInvalidIndex;
    if (count == numColumns()) return Kvmo::eInvalidInput;  // a table keeps at least one column
    m_columnWidths.erase(m_columnWidths.begin() + col, m_columnWidths.begin() + col + count);
    for (auto& cells : m_cells) cells.erase(cells.begin() + col, cells.begin() + col + count);
    std::erase_if(m_merged, [&](MergedRange& m) {
        return !shrinkSpan(m.minCol, m.maxCol, col, col + count - 1) || (m.minRow == m.maxRow && m.minCol == m.maxCol);
    });
    return Kvmo::eOk;
}

// Rows grow to hold their texts: each paragraph wraps at the width of its cell (the merged
// columns' widths for a merged cell) less the margins. Rows are never made smaller than set,
// and a range merged across rows leaves its rows as they are.
Kvmo::ErrorStatus KvDbTable::generateLayout()
{
    if (!canWrite()) return Kvmo::eNotOpenForWrite;
    const KvDbTableStyle* pStyle = styleAt(m_tableStyle);
    const double margin = pStyle ? pStyle->horizontalCellMargin() : kDefaultMargin;
    KvGiTextStyle measure;
    double height = 0.0;
    std::uint32_t measuredFormat = 0;
    bool measured = false;
    for (int r = 0; r < numRows(); ++r) {
        double needed = 0.0;
        for (int c = 0; c < numColumns(); ++c) {
            int minRow = r, maxRow = r, minCol = c, maxCol = c;
            if (isMergedCell(r, c, &minRow, &maxRow, &minCol, &maxCol) &&
                (minRow != r || minCol != c || maxRow != minRow))
                continue;
            const Cell& cell = m_cells[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
            if (!cell.block.isNull() || cell.text.empty()) continue;
            double width = 0.0;
            for (int k = minCol; k <= maxCol; ++k) width += columnWidth(k);
            const double available = width - 2.0 * margin;
            // A cell's measure and height follow from its own style: looked up when that changes.
            if (!measured || cell.format != measuredFormat) {
                measure = KvGiTextStyle();
                fromKvDbTextStyle(measure, textStyle(r, c));
                height = textHeight(r, c);
                measure.setTextSize(height);
                measuredFormat = cell.format;
                measured = true;
            }
            int lines = 0;
            std::size_t start = 0;
            while (start <= cell.text.size()) {
                std::size_t end = cell.text.find(u'\n', start);
                if (end == std::u16string::npos) end = cell.text.size();
                const double w =
                    measure.extents(cell.text.data() + start, false, static_cast<int>(end - start), false).x;
                lines += (available > 0.0 && w > available) ? static_cast<int>(std::ceil(w / available)) : 1;
                start = end + 1;
            }
            needed = std::max(needed, heightForLines(lines, height, margin));
        }
        double& rowHeight = m_rowHeights[static_cast<std::size_t>(r)];
        rowHeight = std::max(rowHeight, needed);
    }
    return Kvmo::eOk;
}

Kvmo::ErrorStatus KvDbTable::recomputeTableBlock(bool)
{
    if (!canWrite()) return Kvmo::eNotOpenForWrite;
    if (kvinternal::tableRecomputeRejected()) return Kvmo::eNotApplicable;
    ++m_graphicsGeneration;
    return Kvmo::eOk;
}
