#include "DxfRecordParser.h"

#include <limits>

DxfRecordParser::DxfRecordParser(const DxfTagReader& in, const std::vector<DxfTag>& tags, const DxfTextCodec& codec)
    : m_in(in), m_tags(tags), m_codec(codec)
{
    // One pass: the own data ends at the first 101 (an embedded object) or 1001 (extended
    // data, which also ends the pass). Counts stay in locals: the stores below could be
    // the tags' bytes as far as the compiler knows.
    const std::size_t size = m_tags.size();
    const DxfTag* const all = m_tags.data();
    std::size_t dataEnd = size, outside = 0;
    bool inGroup = false, inXdictionary = false, indexed = true;
    m_xdataBegin = size;
    for (std::size_t i = 0; i < size; ++i) {
        const DxfTag& t = all[i];
        const int code = t.code;
        if (code == 1001) {
            m_xdataBegin = i;
            if (dataEnd > i) dataEnd = i;
            break;
        }
        if (code == 101 && dataEnd == size) dataEnd = i;
        if (i == 0 || i >= dataEnd) continue;
        if (code == 102) {
            std::string_view v = m_in.text(t, true);
            inGroup = !v.empty() && v.front() == '{';
            inXdictionary = v == "{ACAD_XDICTIONARY";
            continue;
        }
        if (inGroup) {
            if (inXdictionary && code == 360 && m_xdictionary == 0) m_xdictionary = i;
            continue;
        }
        if (i > 0xFFFF) {
            indexed = false;
        } else if (code >= 0 && code < kCodeBits) {
            std::uint64_t& word = m_present[code / 64];
            const std::uint64_t bit = std::uint64_t(1) << (code % 64);
            if (!(word & bit)) m_first[code] = static_cast<std::uint16_t>(i);
            word |= bit;
        } else if (outside == kOutside) {
            indexed = false;
        } else {
            m_codes[outside] = static_cast<std::int16_t>(code);
            m_positions[outside++] = static_cast<std::uint16_t>(i);
        }
    }
    m_dataEnd = dataEnd;
    m_outsideCount = outside;
    m_indexed = indexed;
}

std::size_t DxfRecordParser::findIndexSlow(int code) const
{
    if (m_indexed) {
        for (std::size_t k = 0; k < m_outsideCount; ++k)
            if (m_codes[k] == code) return m_positions[k];
        return 0;
    }
    bool inGroup = false;
    for (std::size_t i = 1; i < m_dataEnd; ++i) {
        const DxfTag& t = m_tags[i];
        if (t.code == 102) {
            std::string_view v = m_in.text(t, true);
            inGroup = !v.empty() && v.front() == '{';
            continue;
        }
        if (!inGroup && t.code == code) return i;
    }
    return 0;
}

std::u16string DxfRecordParser::text(int code, const std::u16string& fallback) const
{
    const DxfTag* t = find(code);
    return t ? m_codec.decode(m_in.text(*t)) : fallback;
}

std::string_view DxfRecordParser::rawText(int code) const
{
    const DxfTag* t = find(code);
    return t ? m_in.text(*t, true) : std::string_view();
}

std::uint64_t DxfRecordParser::handle() const
{
    // A dimension style's group 5 is its arrow block's name (R12 has no handle for it).
    if (m_in.text(m_tags.front(), true) == "DIMSTYLE") return handleAt(105);
    return handleAt(5);
}

std::uint64_t DxfRecordParser::extensionDictionary() const
{
    return m_xdictionary == 0 ? 0 : m_in.handle(m_tags[m_xdictionary]);
}

KvTypedValue DxfRecordParser::typedValue(std::size_t& i, std::size_t end) const
{
    const DxfTag& t = m_tags[i];
    int code = t.code;
    switch (dxfValueKind(code)) {
    case DxfValueKind::kReal: {
        // A point: x with its y and z right after it.
        bool isPoint = (code >= 10 && code < 20) || (code >= 1010 && code < 1020) || (code >= 110 && code < 113);
        if (isPoint && i + 1 < end && m_tags[i + 1].code == code + 10) {
            KvGePoint3d p(m_in.real(t), m_in.real(m_tags[i + 1]), 0);
            ++i;
            if (i + 1 < end && m_tags[i + 1].code == code + 20) {
                p.z = m_in.real(m_tags[i + 1]);
                ++i;
            }
            return KvTypedValue(static_cast<short>(code), p);
        }
        return KvTypedValue(static_cast<short>(code), m_in.real(t));
    }
    case DxfValueKind::kInt16:
    case DxfValueKind::kInt32:
    case DxfValueKind::kInt64:
    case DxfValueKind::kBool: return KvTypedValue(static_cast<short>(code), m_in.integer(t));
    case DxfValueKind::kBinary: {
        std::string b = m_in.bytes(t);
        return KvTypedValue(static_cast<short>(code), std::vector<std::uint8_t>(b.begin(), b.end()));
    }
    case DxfValueKind::kHandle:
        return KvTypedValue(static_cast<short>(code), m_codec.decode(m_in.text(t, true), false));
    default: return KvTypedValue(static_cast<short>(code), m_codec.decode(m_in.text(t)));
    }
}

KvTypedValueList DxfRecordParser::xdata() const
{
    KvTypedValueList out;
    for (std::size_t i = m_xdataBegin; i < m_tags.size(); ++i) out.push_back(typedValue(i, m_tags.size()));
    return out;
}

void DxfRecordParser::forEachVertex(
    const std::function<void(const KvGePoint2d&, double, double, double, bool, bool)>& fn) const
{
    for (std::size_t i = 1; i < m_dataEnd; ++i) {
        if (m_tags[i].code != 10) continue;
        KvGePoint2d p(m_in.real(m_tags[i]), 0);
        double sw = 0, ew = 0, bulge = 0;
        bool hasSw = false, hasEw = false;
        std::size_t j = i + 1;
        for (; j < m_dataEnd && m_tags[j].code != 10; ++j) {
            const DxfTag& t = m_tags[j];
            if (t.code == 20)
                p.y = m_in.real(t);
            else if (t.code == 40) {
                sw = m_in.real(t);
                hasSw = true;
            } else if (t.code == 41) {
                ew = m_in.real(t);
                hasEw = true;
            } else if (t.code == 42)
                bulge = m_in.real(t);
            else if (t.code == 91)
                continue;
            else
                break;  // vertex data ends (normal, extended data...)
        }
        fn(p, sw, ew, bulge, hasSw, hasEw);
        i = j - 1;
    }
}

std::vector<std::string> DxfRecordParser::modelerData() const
{
    std::vector<std::string> out;
    for (std::size_t i = 1; i < m_dataEnd; ++i)
        if (m_tags[i].code == 1 || m_tags[i].code == 3) out.emplace_back(m_in.text(m_tags[i]));
    return out;
}

std::u16string DxfRecordParser::mtextContents() const
{
    // Text longer than 250 characters comes in 3 groups before the final 1.
    std::string bytes;
    for (std::size_t i = 1; i < m_dataEnd; ++i) {
        if (m_tags[i].code == 3)
            bytes += m_in.text(m_tags[i]);
        else if (m_tags[i].code == 1) {
            bytes += m_in.text(m_tags[i]);
            break;
        }
    }
    // Control characters are written caret-encoded: ^I is a tab, ^J a line feed, "^ " a caret.
    std::u16string text = m_codec.decode(bytes);
    std::size_t out = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c == u'^' && i + 1 < text.size() && (text[i + 1] == u' ' || (text[i + 1] >= u'A' && text[i + 1] <= u'_')))
            c = text[++i] == u' ' ? u'^' : static_cast<char16_t>(text[i] - u'@');
        text[out++] = c;
    }
    text.resize(out);
    return text;
}

std::vector<std::pair<std::u16string, std::uint64_t>> DxfRecordParser::dictionaryEntries() const
{
    std::vector<std::pair<std::u16string, std::uint64_t>> out;
    for (std::size_t i = 1; i + 1 < m_dataEnd; ++i) {
        if (m_tags[i].code != 3) continue;
        int next = m_tags[i + 1].code;
        if (next == 350 || next == 360) {
            out.emplace_back(m_codec.decode(m_in.text(m_tags[i])), m_in.handle(m_tags[i + 1]));
            ++i;
        }
    }
    return out;
}

KvTypedValueList DxfRecordParser::xrecordData() const
{
    KvTypedValueList out;
    std::size_t i = 1;
    while (i < m_dataEnd && !(m_tags[i].code == 100 && m_in.text(m_tags[i], true) == "AcDbXrecord")) ++i;
    if (i >= m_dataEnd) return out;
    ++i;
    if (i < m_dataEnd && m_tags[i].code == 280) ++i;  // cloning flag, not data
    // Xrecord data may use any code, 1001 included: it runs to the end of the record.
    for (; i < m_tags.size(); ++i) out.push_back(typedValue(i, m_tags.size()));
    return out;
}

DxfTableData DxfRecordParser::tableData() const
{
    DxfTableData d;
    std::size_t i = 1;
    while (i < m_dataEnd && !(m_tags[i].code == 100 && m_in.text(m_tags[i], true) == "AcDbTable")) ++i;
    bool inCells = false;
    const DxfTag *rowsTag = nullptr, *columnsTag = nullptr;
    // Counts and spans are checked before anything is sized by them.
    auto count = [&](const DxfTag& t) {
        const std::int64_t n = m_in.integer(t);
        if (n < 0 || n > std::numeric_limits<int>::max())
            m_in.fail(valuePosition(t), "table count out of range for group code " + std::to_string(t.code));
        return static_cast<int>(n);
    };
    DxfTableCell* cell = nullptr;
    std::string cellText;
    bool cellHasText = false, inValue = false;
    auto endCell = [&] {
        if (cell && cellHasText) cell->text = m_codec.decode(cellText);
        cellText.clear();
        cellHasText = false;
        inValue = false;
    };
    for (++i; i < m_dataEnd; ++i) {
        const DxfTag& t = m_tags[i];
        if (!inCells) {
            switch (t.code) {
            case 342: d.styleHandle = m_in.handle(t); break;
            case 343: d.blockHandle = m_in.handle(t); break;
            case 91:
                if (!rowsTag) rowsTag = &t, d.rows = count(t);
                break;
            case 92:
                if (!columnsTag) columnsTag = &t, d.columns = count(t);
                break;
            case 141: d.rowHeights.push_back(m_in.real(t)); break;
            case 142: d.columnWidths.push_back(m_in.real(t)); break;
            case 171: inCells = true; break;
            default: break;
            }
            if (!inCells) continue;
        }
        switch (t.code) {
        case 171:
            endCell();
            if (d.rows > 0 && d.columns > 0 &&
                d.cells.size() >= static_cast<std::size_t>(d.rows) * static_cast<std::size_t>(d.columns))
                return d;
            d.cells.emplace_back();
            cell = &d.cells.back();
            break;
        case 175: cell->spanColumns = std::max(1, count(t)); break;
        case 176: cell->spanRows = std::max(1, count(t)); break;
        case 340: cell->blockHandle = m_in.handle(t); break;
        case 140: cell->textHeight = m_in.real(t); break;
        case 301: inValue = true; break;
        case 304: inValue = false; break;
        case 3:
            if (!cellHasText) cellText += m_in.text(t);
            break;
        case 1:
            if (!cellHasText) {
                cellText += m_in.text(t);
                cellHasText = true;
            }
            break;
        case 302:
            // The display text, when no value text came first.
            if (!cellHasText) {
                cellText = std::string(m_in.text(t));
                cellHasText = true;
            }
            break;
        default: break;
        }
    }
    (void)inValue;
    endCell();
    checkTableSize(d, rowsTag);
    return d;
}

void DxfRecordParser::checkTableSize(const DxfTableData& d, const DxfTag* rowsTag) const
{
    // A table lists every cell: a claim of more is damage, and would size the table past the file.
    const auto claimed = static_cast<std::uint64_t>(d.rows) * static_cast<std::uint64_t>(d.columns);
    if (rowsTag && claimed > d.cells.size())
        m_in.fail(valuePosition(*rowsTag), "table of " + std::to_string(d.rows) + " rows and " +
                                               std::to_string(d.columns) + " columns holds only " +
                                               std::to_string(d.cells.size()) +
                                               (d.cells.size() == 1 ? " cell" : " cells"));
}

DxfPosition DxfRecordParser::valuePosition(const DxfTag& t) const
{
    return m_in.isBinary() ? t.pos : DxfPosition{t.pos.line + 1, t.pos.offset, false};
}

std::vector<DxfRecordParser::GraphNode> DxfRecordParser::graphNodes() const
{
    // Nodes (91, 93, 95, 360, four 92) come first; the edges after them hold no 360.
    std::vector<GraphNode> out;
    GraphNode node;
    for (std::size_t i = 1; i < m_dataEnd; ++i) {
        const DxfTag& t = m_tags[i];
        if (t.code == 91)
            node = GraphNode{m_in.integer(t), -1, 0};
        else if (t.code == 95 && node.node >= 0)
            node.expression = m_in.integer(t);
        else if (t.code == 360 && node.node >= 0) {
            node.handle = m_in.handle(t);
            out.push_back(node);
            node = GraphNode{};
        }
    }
    return out;
}

KvTypedValueList DxfRecordParser::subclassData(std::string_view subclass) const
{
    KvTypedValueList out;
    std::size_t i = 1;
    while (i < m_dataEnd && !(m_tags[i].code == 100 && m_in.text(m_tags[i], true) == subclass)) ++i;
    for (++i; i < m_dataEnd && m_tags[i].code != 100; ++i) out.push_back(typedValue(i, m_dataEnd));
    return out;
}
