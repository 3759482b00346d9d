#pragma once
#include <cstdint>
#include <vector>

#include "kv/KvDbBlockReference.h"

// Table entity: a grid of cells holding texts or blocks, with a style and merged ranges.
// Writes need the table open for write (or not yet in a database).
class KvDbTable : public KvDbBlockReference {
public:
    struct Cell {
        std::u16string text;
        KvDbObjectId block;  // block shown in the cell, null for a text cell
        // The cell's own text style and height, an index into the table's list of them;
        // 0: none, the table style's. Few cells have their own, and tables have millions.
        std::uint32_t format = 0;
        bool autoFit = false;
        bool operator==(const Cell&) const = default;
    };
    struct MergedRange {
        int minRow, maxRow, minCol, maxCol;
        bool operator==(const MergedRange&) const = default;
    };

    KvDbTable();
    const char* isA() const override { return "KvDbTable"; }
    KV_DB_KIND(KvDbTable, kTable, kTable)
    std::u16string dxfName() const override { return u"ACAD_TABLE"; }

    Kvmo::ErrorStatus setSize(int rows, int columns);
    int numRows() const { return static_cast<int>(m_rowHeights.size()); }
    int numColumns() const { return static_cast<int>(m_columnWidths.size()); }

    KvDbObjectId tableStyle() const { return m_tableStyle; }
    Kvmo::ErrorStatus setTableStyle(KvDbObjectId id);

    std::u16string textString(int row, int col) const;
    Kvmo::ErrorStatus setTextString(int row, int col, const std::u16string& text);
    KvDbObjectId blockTableRecordId(int row, int col) const;
    Kvmo::ErrorStatus setBlockTableRecordId(int row, int col, KvDbObjectId blockId, bool autoFit = false);
    KvDbObjectId textStyle(int row, int col) const;  // effective: the cell's or the style's
    Kvmo::ErrorStatus setTextStyle(int row, int col, KvDbObjectId id);
    double textHeight(int row, int col) const;  // effective: the cell's or the style's
    Kvmo::ErrorStatus setTextHeight(int row, int col, double height);
    const Cell* cellAt(int row, int col) const;

    Kvmo::ErrorStatus mergeCells(int minRow, int maxRow, int minCol, int maxCol);
    bool isMergedCell(int row, int col, int* minRow = nullptr, int* maxRow = nullptr, int* minCol = nullptr,
                      int* maxCol = nullptr) const;
    const std::vector<MergedRange>& mergedRanges() const { return m_merged; }

    Kvmo::ErrorStatus setColumnWidth(double width);  // every column
    Kvmo::ErrorStatus setColumnWidth(int col, double width);
    double columnWidth(int col) const;
    Kvmo::ErrorStatus setRowHeight(double height);  // every row
    Kvmo::ErrorStatus setRowHeight(int row, double height);
    double rowHeight(int row) const;

    Kvmo::ErrorStatus insertRows(int row, double height, int count = 1);
    Kvmo::ErrorStatus insertColumns(int col, double width, int count = 1);
    Kvmo::ErrorStatus deleteRows(int row, int count = 1);
    Kvmo::ErrorStatus deleteColumns(int col, int count = 1);

    // Recomputes row heights from the cell contents and the merged ranges.
    Kvmo::ErrorStatus generateLayout();
    // Rebuilds the table's graphics (its anonymous block).
    Kvmo::ErrorStatus recomputeTableBlock(bool forceUpdate = true);
    // Number of graphics rebuilds so far; the drawing writer compares it to know what changed.
    unsigned long graphicsGeneration() const { return m_graphicsGeneration; }

private:
    struct Format {
        KvDbObjectId textStyle;   // null: the table style's
        double textHeight = 0.0;  // 0: the table style's
        bool operator==(const Format&) const = default;
    };
    Cell& cell(int row, int col) { return m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)]; }
    void setCellFormat(int row, int col, Format format);
    KvDbObjectId defaultTextStyle() const;

    std::vector<std::vector<Cell>> m_cells;   // [row][col]
    std::vector<Format> m_formats{Format()};  // [0]: none of its own
    std::vector<double> m_rowHeights;
    std::vector<double> m_columnWidths;
    std::vector<MergedRange> m_merged;
    KvDbObjectId m_tableStyle;
    unsigned long m_graphicsGeneration = 0;
};
