#include "kv/KvTableLayout.h"

#include <algorithm>

#include "kv/KvDbDatabase.h"
#include "kv/KvDbTable.h"
#include "kv/KvDbTableStyle.h"

KvTableLayout kvLayoutTable(const KvDbDatabase& db, const KvDbTable& table)
{
    KvTableLayout out;
    const int rows = table.numRows(), cols = table.numColumns();
    double margin = 0.06, styleHeight = 0.18;
    if (auto* style = kvCast<KvDbTableStyle>(db.objectAt(table.tableStyle()))) {
        margin = style->horizontalCellMargin();
        styleHeight = style->textHeight();
    }
    for (int c = 0; c < cols; ++c) out.columnWidths.push_back(std::max(table.columnWidth(c), 0.0));
    for (int r = 0; r < rows; ++r) {
        double h = table.rowHeight(r);
        if (h <= 0) h = styleHeight + 2 * margin;  // a layout never computed
        out.rowHeights.push_back(h);
    }
    std::vector<double> xs{0}, ys{0};
    for (double w : out.columnWidths) xs.push_back(xs.back() + w);
    for (double h : out.rowHeights) ys.push_back(ys.back() - h);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            int r0 = r, r1 = r, c0 = c, c1 = c;
            if (table.isMergedCell(r, c, &r0, &r1, &c0, &c1) && (r0 != r || c0 != c)) {
                // Inside a merged range: only the range's own outline is drawn.
                if (r0 != r && c0 == c) out.lines.push_back({{xs[c], ys[r], 0}, {xs[c], ys[r + 1], 0}});
                if (c0 != c && r0 == r) out.lines.push_back({{xs[c], ys[r], 0}, {xs[c + 1], ys[r], 0}});
                continue;
            }
            out.lines.push_back({{xs[c], ys[r], 0}, {xs[c + 1], ys[r], 0}});  // top
            out.lines.push_back({{xs[c], ys[r], 0}, {xs[c], ys[r + 1], 0}});  // left
            const double right = xs[std::min(c1, cols - 1) + 1], bottom = ys[std::min(r1, rows - 1) + 1];
            const double left = xs[c], top = ys[r];
            const KvDbObjectId block = table.blockTableRecordId(r, c);
            if (!block.isNull()) {
                const KvDbTable::Cell* cell = table.cellAt(r, c);
                out.blocks.push_back({{(left + right) / 2, (top + bottom) / 2, 0},
                                      block,
                                      right - left,
                                      top - bottom,
                                      margin,
                                      cell && cell->autoFit});
                continue;
            }
            std::u16string text = table.textString(r, c);
            if (text.empty()) continue;
            double height = table.textHeight(r, c);
            if (height <= 0) height = styleHeight;
            out.texts.push_back({{left + margin, top - margin, 0},
                                 height,
                                 std::max(right - left - 2 * margin, 0.0),
                                 std::move(text),
                                 table.textStyle(r, c)});
        }
    }
    out.lines.push_back({{xs.back(), 0, 0}, {xs.back(), ys.back(), 0}});  // right edge
    out.lines.push_back({{0, ys.back(), 0}, {xs.back(), ys.back(), 0}});  // bottom edge
    return out;
}
