#include "kv/KvTableLayout.h"

#include <algorithm>

#include "kv/KvDbDatabase.h"
#include "kv/KvDbTable.h"
#include "kv/KvDbTableStyle.h"

namespace {
// Calls f(row, col, lastRow, lastCol) for each cell drawn on its own, that is the cells outside
// merged ranges and the top left cell of each range, which reaches to lastRow, lastCol.
template <class F>
void forEachOwnCell(const KvDbTable& table, F&& f)
{
    const int rows = table.numRows(), cols = table.numColumns();
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            int r0 = r, r1 = r, c0 = c, c1 = c;
            if (table.isMergedCell(r, c, &r0, &r1, &c0, &c1) && (r0 != r || c0 != c)) continue;
            f(r, c, std::min(r1, rows - 1), std::min(c1, cols - 1));
        }
}
}  // namespace

KvTableLayoutWalk::KvTableLayoutWalk(const KvDbDatabase& db, const KvDbTable& table) : m_table(table)
{
    const int rows = table.numRows(), cols = table.numColumns();
    if (auto* style = kvCast<KvDbTableStyle>(db.objectAt(table.tableStyle()))) {
        m_margin = style->horizontalCellMargin();
        m_styleHeight = style->textHeight();
    }
    for (int c = 0; c < cols; ++c) m_columnWidths.push_back(std::max(table.columnWidth(c), 0.0));
    for (int r = 0; r < rows; ++r) {
        double h = table.rowHeight(r);
        if (h <= 0) h = m_styleHeight + 2 * m_margin;  // a layout never computed
        m_rowHeights.push_back(h);
    }
    m_xs.push_back(0);
    m_ys.push_back(0);
    for (double w : m_columnWidths) m_xs.push_back(m_xs.back() + w);
    for (double h : m_rowHeights) m_ys.push_back(m_ys.back() - h);
}

void KvTableLayoutWalk::forEachLine(const std::function<void(const KvTableLayout::Line&)>& f) const
{
    const auto& xs = m_xs;
    const auto& ys = m_ys;
    const int rows = m_table.numRows(), cols = m_table.numColumns();
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            int r0 = r, c0 = c;
            if (m_table.isMergedCell(r, c, &r0, nullptr, &c0, nullptr) && (r0 != r || c0 != c)) {
                // Inside a merged range: only the range's own outline is drawn.
                if (r0 != r && c0 == c) f({{xs[c], ys[r], 0}, {xs[c], ys[r + 1], 0}});
                if (c0 != c && r0 == r) f({{xs[c], ys[r], 0}, {xs[c + 1], ys[r], 0}});
                continue;
            }
            f({{xs[c], ys[r], 0}, {xs[c + 1], ys[r], 0}});  // top
            f({{xs[c], ys[r], 0}, {xs[c], ys[r + 1], 0}});  // left
        }
    }
    f({{xs.back(), 0, 0}, {xs.back(), ys.back(), 0}});  // right edge
    f({{0, ys.back(), 0}, {xs.back(), ys.back(), 0}});  // bottom edge
}

void KvTableLayoutWalk::forEachText(const std::function<void(const Text&)>& f) const
{
    // A cell's effective style follows from its own: looked up when that changes.
    std::uint32_t ownFormat = 0;
    KvDbObjectId style;
    bool known = false;
    forEachOwnCell(m_table, [&](int r, int c, int, int c1) {
        const KvDbTable::Cell* cell = m_table.cellAt(r, c);
        if (!cell || !cell->block.isNull() || cell->text.empty()) return;
        double height = m_table.textHeight(r, c);
        if (height <= 0) height = m_styleHeight;
        if (!known || cell->format != ownFormat) {
            ownFormat = cell->format;
            style = m_table.textStyle(r, c);
            known = true;
        }
        const double left = m_xs[c], top = m_ys[r];
        f({{left + m_margin, top - m_margin, 0},
           height,
           std::max(m_xs[c1 + 1] - left - 2 * m_margin, 0.0),
           cell->text,
           style});
    });
}

void KvTableLayoutWalk::forEachBlock(const std::function<void(const KvTableLayout::Block&)>& f) const
{
    forEachOwnCell(m_table, [&](int r, int c, int r1, int c1) {
        const KvDbTable::Cell* cell = m_table.cellAt(r, c);
        if (!cell || cell->block.isNull()) return;
        const double left = m_xs[c], top = m_ys[r], right = m_xs[c1 + 1], bottom = m_ys[r1 + 1];
        f({{(left + right) / 2, (top + bottom) / 2, 0},
           cell->block,
           right - left,
           top - bottom,
           m_margin,
           cell->autoFit});
    });
}

std::size_t KvTableLayoutWalk::lineCount() const
{
    std::size_t n = 0;
    forEachLine([&](const KvTableLayout::Line&) { ++n; });
    return n;
}

void KvTableLayoutWalk::countCells(std::size_t& texts, std::size_t& blocks) const
{
    texts = blocks = 0;
    forEachOwnCell(m_table, [&](int r, int c, int, int) {
        const KvDbTable::Cell* cell = m_table.cellAt(r, c);
        if (!cell) return;
        blocks += !cell->block.isNull();
        texts += cell->block.isNull() && !cell->text.empty();
    });
}

KvTableLayout kvLayoutTable(const KvDbDatabase& db, const KvDbTable& table)
{
    const KvTableLayoutWalk walk(db, table);
    KvTableLayout out;
    out.rowHeights = walk.rowHeights();
    out.columnWidths = walk.columnWidths();
    walk.forEachLine([&](const KvTableLayout::Line& l) { out.lines.push_back(l); });
    walk.forEachText([&](const KvTableLayoutWalk::Text& t) {
        out.texts.push_back({t.at, t.height, t.width, std::u16string(t.text), t.style});
    });
    walk.forEachBlock([&](const KvTableLayout::Block& b) { out.blocks.push_back(b); });
    return out;
}
