#include "ExcelFormat/BasicExcel.h"

#include <algorithm>
#include <cassert>
#include <memory>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "ExcelFormat/XlsBiffRk.h"

namespace {

constexpr std::size_t kDefaultXfCount = 21;
constexpr std::size_t kDefaultStyleCount = 6;
constexpr std::uint32_t kRowMarker = 100000;
constexpr std::uint16_t kColumnMarker = 1000;

std::u16string_view CutToCellLimit(std::u16string_view csText)
{
    return csText.substr(0, CellModel::KeptTextLength(csText));
}
std::string_view CutToCellLimit(std::string_view csText)
{
    return csText.substr(0, CellModel::kMaxTextLength);
}

// The shared strings of one save: each distinct text once, wide and 8-bit ones apart.
class SstBuilder {
public:
    explicit SstBuilder(XlsBiff::SharedStringTable& sst) : m_sst(sst) { m_sst.Clear(); }

    void Reserve(std::size_t nTexts)
    {
        m_sst.Reserve(nTexts);
        m_wide.reserve(nTexts);
    }

    std::uint32_t Add(std::u16string_view csText)
    {
        csText = CutToCellLimit(csText);
        ++m_sst.totalCount;
        auto [it, bNew] = m_wide.try_emplace(csText, 0);
        if (bNew) it->second = m_sst.AddUnique(std::u16string(csText), true);
        return it->second;
    }
    std::uint32_t Add(std::string_view csText)
    {
        csText = CutToCellLimit(csText);
        ++m_sst.totalCount;
        auto [it, bNew] = m_narrow.try_emplace(csText, 0);
        if (bNew) it->second = m_sst.AddUnique(std::u16string(csText.begin(), csText.end()), false);
        return it->second;
    }

private:
    XlsBiff::SharedStringTable& m_sst;
    // Views into the sheet models, which do not change while the stream is built.
    std::unordered_map<std::u16string_view, std::uint32_t> m_wide;
    std::unordered_map<std::string_view, std::uint32_t> m_narrow;
};

std::optional<double> NumberOf(const CellModel& cell)
{
    if (const std::int32_t* pInteger = cell.Integer()) return static_cast<double>(*pInteger);
    if (const double* pDouble = cell.Double()) return *pDouble;
    return std::nullopt;
}

// Appends the records of row nRow's cells to the block; returns their total size.
std::size_t AddRowCells(const SheetModel& sheet, std::size_t nRow, XlsBiff::Worksheet::CellTable::RowBlock& block,
                        SstBuilder& sst)
{
    const auto r = static_cast<std::uint16_t>(nRow);
    std::size_t nBytes = 0;
    auto add = [&](XlsBiff::CellBlock cell) {
        nBytes += cell.RecordSize();
        block.cells.push_back(std::move(cell));
    };
    const std::size_t nColumns = sheet.ColumnCount();
    for (std::size_t c = 0; c < nColumns;) {
        const CellModel& cell = sheet.Cell(nRow, c);
        const auto col = static_cast<std::uint16_t>(c);
        const std::uint16_t xf = cell.XfIndex();
        switch (cell.GetKind()) {
        case CellModel::kEmpty: add(XlsBiff::Blank(r, col, xf)); break;
        case CellModel::kWideText:
            add(XlsBiff::LabelSST(r, col, xf, sst.Add(std::u16string_view(*cell.WideText()))));
            break;
        case CellModel::kNarrowText:
            add(XlsBiff::LabelSST(r, col, xf, sst.Add(std::string_view(*cell.NarrowText()))));
            break;
        case CellModel::kInteger:
        case CellModel::kDouble: {
            // Adjacent numbers of one kind that all have an RK form share one MULRK.
            std::vector<XlsBiff::MulRK::Item> veRun;
            std::size_t e = c;
            while (e < nColumns && sheet.Cell(nRow, e).GetKind() == cell.GetKind()) {
                const auto rk = XlsBiff::EncodeRk(*NumberOf(sheet.Cell(nRow, e)));
                if (!rk) break;
                veRun.push_back({sheet.Cell(nRow, e).XfIndex(), *rk});
                ++e;
            }
            if (veRun.empty()) {
                add(XlsBiff::Number(r, col, xf, *NumberOf(cell)));
            } else if (veRun.size() == 1) {
                add(XlsBiff::RK(r, col, xf, veRun[0].rkValue));
            } else {
                XlsBiff::MulRK mulRk(r, col);
                mulRk.items = std::move(veRun);
                add(std::move(mulRk));
                c = e;
                continue;
            }
            break;
        }
        case CellModel::kFormula: {
            auto pFormula = std::make_unique<XlsBiff::Formula>(r, col, xf);
            pFormula->tokens = cell.Formula()->tokens;
            pFormula->SetNumberResult(cell.Formula()->cachedResult);
            add(std::move(pFormula));
            break;
        }
        }
        ++c;
    }
    return nBytes;
}

void BuildSheetRecords(const SheetModel& sheet, XlsBiff::Worksheet& worksheet, SstBuilder& sst)
{
    const std::size_t nRows = sheet.RowCount();
    const std::size_t nColumns = sheet.ColumnCount();
    // Markers until the first cell is seen; an empty sheet ends with zeros.
    worksheet.index.firstUsedRow = kRowMarker;
    worksheet.index.firstUnusedRow = static_cast<std::uint32_t>(nRows);
    worksheet.dimensions.firstUsedRow = kRowMarker;
    worksheet.dimensions.firstUsedColumn = kColumnMarker;
    worksheet.dimensions.lastUsedRowPlus1 = static_cast<std::uint32_t>(nRows);
    worksheet.dimensions.lastUsedColumnPlus1 = static_cast<std::uint16_t>(nColumns);

    auto& veBlocks = worksheet.cellTable.rowBlocks;
    veBlocks.resize((nRows + XlsBiff::Worksheet::kRowsPerBlock - 1) / XlsBiff::Worksheet::kRowsPerBlock);
    for (std::size_t r = 0; r < nRows; ++r) {
        auto& block = veBlocks[r / XlsBiff::Worksheet::kRowsPerBlock];
        XlsBiff::Row row;
        row.rowIndex = static_cast<std::uint16_t>(r);
        row.firstColumn = 0;
        row.lastColumnPlus1 = static_cast<std::uint16_t>(nColumns);
        if (block.rows.empty()) block.cells.reserve(XlsBiff::Worksheet::kRowsPerBlock * nColumns);
        block.rows.push_back(row);
        block.cellBytesPerRow.push_back(AddRowCells(sheet, r, block, sst));
        if (nColumns > 0 && worksheet.index.firstUsedRow == kRowMarker) {
            worksheet.index.firstUsedRow = static_cast<std::uint32_t>(r);
            worksheet.dimensions.firstUsedRow = static_cast<std::uint32_t>(r);
            worksheet.dimensions.firstUsedColumn = 0;
        }
    }
    if (worksheet.index.firstUsedRow == kRowMarker) worksheet.index.firstUsedRow = 0;
    if (worksheet.dimensions.firstUsedRow == kRowMarker) worksheet.dimensions.firstUsedRow = 0;
    if (worksheet.dimensions.firstUsedColumn == kColumnMarker) worksheet.dimensions.firstUsedColumn = 0;

    for (std::size_t r = 0; r < nRows; ++r) {
        for (std::size_t c = 0; c < nColumns; ++c) {
            const CellModel& cell = sheet.Cell(r, c);
            if (cell.MergedRows() <= 1 && cell.MergedColumns() <= 1) continue;
            if (worksheet.mergedCells.empty() ||
                worksheet.mergedCells.back().ranges.size() == XlsBiff::MergedCells::kMaxRanges)
                worksheet.mergedCells.emplace_back();
            const auto lastRow = std::min<std::size_t>(r + cell.MergedRows() - 1, SheetModel::kMaxRows - 1);
            const auto lastColumn = std::min<std::size_t>(c + cell.MergedColumns() - 1, SheetModel::kMaxColumns - 1);
            worksheet.mergedCells.back().ranges.push_back(
                {static_cast<std::uint16_t>(r), static_cast<std::uint16_t>(lastRow), static_cast<std::uint16_t>(c),
                 static_cast<std::uint16_t>(lastColumn)});
        }
    }
}

}  // namespace

void BasicExcel::CreateNew(std::size_t nSheets)
{
    m_workbook = XlsBiff::Workbook();
    m_workbook.fonts.resize(1);
    m_workbook.xfs.resize(kDefaultXfCount);
    m_workbook.styles.resize(kDefaultStyleCount);
    m_veWorksheets.clear();
    m_veSheets.clear();
    AddSheet();
    for (std::size_t i = 1; i < nSheets; ++i) AddSheet();
}

void BasicExcel::AddSheet()
{
    // The first "Sheet<n>" name not yet taken, counting from the new sheet's number.
    std::size_t nNumber = m_veSheets.size() + 1;
    auto isTaken = [&](const std::u16string& csName) {
        return std::any_of(m_workbook.boundSheets.begin(), m_workbook.boundSheets.end(),
                           [&](const XlsBiff::BoundSheet& sheet) { return sheet.name == csName; });
    };
    std::u16string csName;
    do {
        const std::string csNumber = std::to_string(nNumber++);
        csName = u"Sheet" + std::u16string(csNumber.begin(), csNumber.end());
    } while (isTaken(csName));
    XlsBiff::BoundSheet boundSheet;
    boundSheet.name = csName;
    m_workbook.boundSheets.push_back(boundSheet);
    m_veWorksheets.emplace_back();
    m_veSheets.emplace_back();
}

SheetModel* BasicExcel::SheetAt(std::size_t nSheet)
{
    return nSheet < m_veSheets.size() ? &m_veSheets[nSheet] : nullptr;
}

bool BasicExcel::SaveToFile(const std::u16string& csPath)
{
    m_csSaveError.clear();
    if (m_file.HasContainer()) m_file.CloseContainer();
    auto fail = [this](const std::string& csWhy) {
        m_file.DiscardContainer();
        m_csSaveError = m_file.ErrorText().empty() ? csWhy : m_file.ErrorText();
        return false;
    };
    if (!m_file.CreateContainer(csPath)) return fail("cannot create the file");
    const std::string csStream = "Workbook";
    if (m_file.AddStream(csStream) != 1) return fail("cannot create the workbook stream");
    const std::vector<std::uint8_t> veStream = BuildStream();
    if (veStream.empty() || m_file.WriteStream(csStream, veStream.data(), veStream.size()) != 1)
        return fail("cannot write the workbook stream");
    // The file is stored, and a full disk shows, only when the container is completed.
    if (m_file.CloseContainer()) return true;
    m_csSaveError = m_file.ErrorText();
    return false;
}

std::vector<std::uint8_t> BasicExcel::BuildStream()
{
    // One table of shared strings serves every sheet.
    SstBuilder sst(m_workbook.sst);
    std::size_t nCells = 0;
    for (const SheetModel& sheet : m_veSheets) nCells += sheet.RowCount() * sheet.ColumnCount();
    sst.Reserve(nCells);
    m_veWorksheets.resize(m_veSheets.size());
    for (std::size_t nSheet = 0; nSheet < m_veSheets.size(); ++nSheet) {
        m_veWorksheets[nSheet] = XlsBiff::Worksheet();
        XlsBiff::Worksheet& worksheet = m_veWorksheets[nSheet];
        if (nSheet > 0) worksheet.window2.options &= ~XlsBiff::Window2::kSelected;
        BuildSheetRecords(m_veSheets[nSheet], worksheet, sst);
    }

    // Stream positions follow from the record sizes: globals first, then sheet by sheet.
    std::size_t nPosition = m_workbook.RecordSize();
    for (std::size_t nSheet = 0; nSheet < m_veWorksheets.size(); ++nSheet) {
        m_workbook.boundSheets[nSheet].streamPosition = static_cast<std::uint32_t>(nPosition);
        m_veWorksheets[nSheet].ComputePositions(nPosition);
        nPosition += m_veWorksheets[nSheet].RecordSize();
    }

    std::vector<std::uint8_t> veStream(nPosition, 0);
    std::size_t nWritten = m_workbook.Write(veStream.data());
    for (const XlsBiff::Worksheet& worksheet : m_veWorksheets) nWritten += worksheet.Write(veStream.data() + nWritten);
    assert(nWritten == veStream.size());
    if (nWritten != veStream.size()) veStream.clear();
    return veStream;
}
