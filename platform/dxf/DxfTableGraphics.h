#pragma once
#include <cstdint>
#include <string>

#include "kv/KvDbObjectId.h"
#include "kv/KvGePoint3d.h"
#include "kv/KvTableLayout.h"

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
    const KvDbDatabase& m_db;
    const KvDbTable& m_table;
    KvDbObjectId m_existingBlock;
    std::u16string m_blockName;
    std::uint64_t m_blockHandle = 0, m_beginHandle = 0, m_endHandle = 0;
    std::uint64_t m_blockTableHandle = 0;
    // The graphics are laid out as they are written, not held: a table of a large drawing
    // has millions of them. Their handles follow each other: lines, texts, blocks.
    KvTableLayoutWalk m_layout;
    std::size_t m_lineCount = 0, m_textCount = 0, m_blockCount = 0;
    std::uint64_t m_firstHandle = 0;
};
