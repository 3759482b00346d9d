#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "DxfTagReader.h"
#include "dxf/DxfTextCodec.h"
#include "kv/KvGePoint3d.h"
#include "kv/KvTypedValue.h"

struct DxfTableCell {
    std::u16string text;
    std::uint64_t blockHandle = 0;
    double textHeight = 0.0;
    int spanRows = 1, spanColumns = 1;
};

// The AcDbTable part of an ACAD_TABLE entity.
struct DxfTableData {
    std::uint64_t styleHandle = 0;
    std::uint64_t blockHandle = 0;
    int rows = 0, columns = 0;
    std::vector<double> rowHeights, columnWidths;
    std::vector<DxfTableCell> cells;  // row by row
};

// Values of one record (group 0 and the tags up to the next one). Lookups take the first
// occurrence of a code among the object's own data: not inside 102 groups, not in the
// extended data (from the first 1001) nor in an embedded object (from 101).
class DxfRecordParser {
public:
    DxfRecordParser(const DxfTagReader& in, const std::vector<DxfTag>& tags, const DxfTextCodec& codec);

    const DxfPosition& position() const { return m_tags.front().pos; }
    bool has(int code) const { return find(code) != nullptr; }
    std::u16string text(int code, const std::u16string& fallback = {}) const;
    std::string_view rawText(int code) const;
    // The tag a lookup of code finds, or null.
    const DxfTag* tag(int code) const { return find(code); }
    std::int64_t integer(int code, std::int64_t fallback = 0) const
    {
        const DxfTag* t = find(code);
        return t ? m_in.integer(*t) : fallback;
    }
    double real(int code, double fallback = 0.0) const
    {
        const DxfTag* t = find(code);
        return t ? m_in.real(*t) : fallback;
    }
    KvGePoint3d point(int code, KvGePoint3d fallback = {}) const  // code, code+10, code+20
    {
        // The coordinates follow one another: x, then y and z right after it.
        const std::size_t i = findIndex(code);
        if (i == 0) return fallback;
        KvGePoint3d p(m_in.real(m_tags[i]), 0, 0);
        if (i + 1 < m_dataEnd && m_tags[i + 1].code == code + 10) {
            p.y = m_in.real(m_tags[i + 1]);
            if (i + 2 < m_dataEnd && m_tags[i + 2].code == code + 20) p.z = m_in.real(m_tags[i + 2]);
        }
        return p;
    }
    std::uint64_t handleAt(int code) const
    {
        const DxfTag* t = find(code);
        return t ? m_in.handle(*t) : 0;
    }

    std::uint64_t handle() const;                          // 5 (105 for DIMSTYLE)
    std::uint64_t owner() const { return handleAt(330); }  // first 330 outside 102 groups
    std::uint64_t extensionDictionary() const;             // 360 in {ACAD_XDICTIONARY
    KvTypedValueList xdata() const;
    bool hasXdata() const { return m_xdataBegin < m_tags.size(); }

    void forEachVertex(const std::function<void(const KvGePoint2d&, double, double, double, bool, bool)>& fn) const;
    std::vector<std::string> modelerData() const;
    std::u16string mtextContents() const;
    std::vector<std::pair<std::u16string, std::uint64_t>> dictionaryEntries() const;
    KvTypedValueList xrecordData() const;
    DxfTableData tableData() const;
    // Evaluation graph of a dynamic block: its nodes in order.
    struct GraphNode {
        long long node = -1;        // 91: index in the graph
        long long expression = -1;  // 95: the expression's id (its group 90)
        std::uint64_t handle = 0;   // 360: the expression object
    };
    std::vector<GraphNode> graphNodes() const;
    // The values of one subclass (from its 100 marker to the next), points as one value.
    KvTypedValueList subclassData(std::string_view subclass) const;

private:
    const DxfTag* find(int code) const
    {
        const std::size_t i = findIndex(code);
        return i == 0 ? nullptr : &m_tags[i];
    }
    // Where a tag's value is, for messages (its line in ASCII files).
    DxfPosition valuePosition(const DxfTag& t) const;
    void checkTableSize(const DxfTableData& d, const DxfTag* rowsTag) const;
    // Index of find's candidates (position of a code outside 102 groups, before dataEnd).
    std::size_t findIndex(int code) const
    {
        if (m_indexed && code >= 0 && code < kCodeBits)
            return m_present[code / 64] & (std::uint64_t(1) << (code % 64)) ? m_first[code] : 0;
        return findIndexSlow(code);
    }
    std::size_t findIndexSlow(int code) const;
    KvTypedValue typedValue(std::size_t& i, std::size_t end) const;

    const DxfTagReader& m_in;
    const std::vector<DxfTag>& m_tags;
    const DxfTextCodec& m_codec;
    std::size_t m_dataEnd = 0;  // first extended-data or embedded-object tag
    std::size_t m_xdataBegin = 0;
    std::size_t m_xdictionary = 0;  // the 360 of {ACAD_XDICTIONARY, 0 when none
    // The record's own tags outside 102 groups are indexed by code: codes below kCodeBits in
    // a bit table (most lookups are for codes a record lacks), the others in a list, in
    // order. Records with more of those than fit are searched tag by tag.
    static constexpr int kCodeBits = 1088;
    std::uint64_t m_present[kCodeBits / 64] = {};
    std::uint16_t m_first[kCodeBits];  // position of the first indexed tag of a code, where present
    static constexpr std::size_t kOutside = 48;
    std::int16_t m_codes[kOutside];
    std::uint16_t m_positions[kOutside];
    std::size_t m_outsideCount = 0;
    bool m_indexed = true;
};
