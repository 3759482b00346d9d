#pragma once
// Where a table's parts lie, in the table's own coordinates (its insertion point, the top
// left corner, at 0,0; rows go down): grid lines, cell texts and cell blocks. The drawing
// writer makes the table's graphics block of them and the view draws them.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "kv/KvDbObjectId.h"
#include "kv/KvGePoint3d.h"

class KvDbDatabase;
class KvDbTable;

struct KvTableLayout {
    struct Line {
        KvGePoint3d a, b;
    };
    // A cell text: its top left corner (margins applied), height and wrapping width.
    struct Text {
        KvGePoint3d at;
        double height = 0.0, width = 0.0;
        std::u16string text;
        KvDbObjectId style;
    };
    // A cell block: the cell's centre and size; autoFit scales the block into the cell.
    struct Block {
        KvGePoint3d at;
        KvDbObjectId block;
        double cellWidth = 0.0, cellHeight = 0.0, margin = 0.0;
        bool bAutoFit = false;
    };
    std::vector<double> rowHeights, columnWidths;
    std::vector<Line> lines;
    std::vector<Text> texts;
    std::vector<Block> blocks;
};

// The same parts one kind at a time, in the order kvLayoutTable lists them, without holding
// them: a table of every property of a large drawing has millions. The table must outlive it.
class KvTableLayoutWalk {
public:
    // A cell text as in KvTableLayout::Text, its characters those of the cell.
    struct Text {
        KvGePoint3d at;
        double height = 0.0, width = 0.0;
        std::u16string_view text;
        KvDbObjectId style;
    };
    KvTableLayoutWalk(const KvDbDatabase& db, const KvDbTable& table);

    const std::vector<double>& rowHeights() const { return m_rowHeights; }
    const std::vector<double>& columnWidths() const { return m_columnWidths; }
    void forEachLine(const std::function<void(const KvTableLayout::Line&)>& f) const;
    void forEachText(const std::function<void(const Text&)>& f) const;
    void forEachBlock(const std::function<void(const KvTableLayout::Block&)>& f) const;
    std::size_t lineCount() const;
    void countCells(std::size_t& texts, std::size_t& blocks) const;  // what forEachText, forEachBlock give

private:
    const KvDbTable& m_table;
    double m_margin = 0.06, m_styleHeight = 0.18;
    std::vector<double> m_rowHeights, m_columnWidths;
    std::vector<double> m_xs, m_ys;  // the grid lines' places, from the first to the last
};

KvTableLayout kvLayoutTable(const KvDbDatabase& db, const KvDbTable& table);
