#pragma once
// Where a table's parts lie, in the table's own coordinates (its insertion point, the top
// left corner, at 0,0; rows go down): grid lines, cell texts and cell blocks. The drawing
// writer makes the table's graphics block of them and the view draws them.
#include <string>
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

KvTableLayout kvLayoutTable(const KvDbDatabase& db, const KvDbTable& table);
