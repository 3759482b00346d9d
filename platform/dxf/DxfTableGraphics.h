#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "kv/KvDbObjectId.h"
#include "kv/KvGePoint3d.h"

class KvDbDatabase;
class KvDbTable;
class DxfTagWriter;

// A table written in the R2010 form: the ACAD_TABLE entity with its AcDbTable data and the
// anonymous *T block of its graphics (grid lines, cell texts, cell blocks), so that programs
// that do not understand tables still show it.
class DxfTableGraphics {
public:
    // existingBlock: the table's graphics block as read from the file (its entities are
    // replaced), or null for a new block named newBlockName.
    DxfTableGraphics(const KvDbDatabase& db, const KvDbTable& table, KvDbObjectId existingBlock,
                     std::u16string newBlockName);

    // False when the handles after seed do not suffice.
    [[nodiscard]] bool allocateHandles(std::uint64_t& seed);
    KvDbObjectId blockRecord() const { return m_existingBlock; }
    bool ownsNewBlock() const { return m_existingBlock.isNull(); }

    void writeBlockRecord(DxfTagWriter& w) const;  // new block only
    void writeBlock(DxfTagWriter& w) const;        // new block only: BLOCK, graphics, ENDBLK
    void writeEntities(DxfTagWriter& w) const;     // the graphics
    void writeTable(DxfTagWriter& w) const;

private:
    struct Line {
        KvGePoint3d a, b;
    };
    struct Text {
        KvGePoint3d at;
        double height, width;
        std::u16string text, style;
    };
    struct Block {
        KvGePoint3d at;
        std::uint64_t blockHandle;
    };
    void layout();
    void writeCommon(DxfTagWriter& w, const char* type, std::uint64_t handle, std::uint64_t owner) const;

    const KvDbDatabase& m_db;
    const KvDbTable& m_table;
    KvDbObjectId m_existingBlock;
    std::u16string m_blockName;
    std::uint64_t m_blockHandle = 0, m_beginHandle = 0, m_endHandle = 0;
    std::uint64_t m_blockTableHandle = 0;
    std::vector<double> m_rowHeights, m_columnWidths;
    std::vector<Line> m_lines;
    std::vector<Text> m_texts;
    std::vector<Block> m_blocks;
    std::vector<std::uint64_t> m_handles;  // lines, texts, blocks in that order
};
