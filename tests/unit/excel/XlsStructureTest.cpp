#include <gtest/gtest.h>

#include <cstdio>

#include "BiffWalker.h"
#include "ExcelFormat/BasicExcel.h"
#include "ExcelFormat/CellStyle.h"
#include "ExcelFormat/CellStyleRegistry.h"
#include "ExcelFormat/XlsBiffCellRecords.h"
#include "ExcelFormat/XlsBiffRk.h"

namespace {

enum : std::uint16_t {
    kBof = 0x0809,
    kFont = 0x0031,
    kFormat = 0x041E,
    kXf = 0x00E0,
    kStyle = 0x0293,
    kBoundSheet = 0x0085,
    kSst = 0x00FC,
    kContinue = 0x003C,
    kIndex = 0x020B,
    kDimensions = 0x0200,
    kRow = 0x0208,
    kBlank = 0x0201,
    kLabelSst = 0x00FD,
    kDbCell = 0x00D7,
    kWindow2 = 0x023E,
    kMergedCells = 0x00E5,
    kMulRk = 0x00BD,
    kRk = 0x027E,
    kNumber = 0x0203,
};

void FillText(BasicExcel& xls, std::size_t nRows, std::size_t nColumns, const std::u16string& csText = u"x")
{
    xls.CreateNew(1);
    for (std::size_t r = 0; r < nRows; ++r)
        for (std::size_t c = 0; c < nColumns; ++c) xls.SheetAt(0)->CellAt(r, c)->SetText(csText);
}

std::string Hex(const std::vector<std::uint8_t>& veBytes)
{
    std::string csHex;
    char szByte[4];
    for (std::uint8_t b : veBytes) {
        std::snprintf(szByte, sizeof szByte, "%02X ", b);
        csHex += szByte;
    }
    if (!csHex.empty()) csHex.pop_back();
    return csHex;
}

TEST(XlsStructureTest, OneBoldCellGivesTheExactRecords)
{
    BasicExcel xls;
    FillText(xls, 1, 1, u"Id");
    CellStyleRegistry registry(xls);
    CellStyle bold(registry);
    FontSpec font;
    font.weight = 700;
    bold.SetFont(font);
    xls.SheetAt(0)->CellAt(0, 0)->ApplyStyle(bold);
    const std::vector<std::uint8_t> veStream = xls.BuildStream();
    const auto veRecords = WalkBiff(veStream);

    std::vector<std::uint16_t> veCodes;
    for (const BiffRecord& record : veRecords)
        if (veCodes.empty() || record.code != veCodes.back()) veCodes.push_back(record.code);
    EXPECT_EQ(veCodes, (std::vector<std::uint16_t>{kBof, 0x003D, kFont, kXf, kStyle, kBoundSheet, kSst, 0x000A, kBof,
                                                   kIndex, kDimensions, kRow, kLabelSst, kDbCell, kWindow2, 0x000A}));
    EXPECT_EQ(CountCode(veRecords, kFont), 2u);
    EXPECT_EQ(CountCode(veRecords, kXf), 22u);
    EXPECT_EQ(CountCode(veRecords, kStyle), 6u);

    auto dataOf = [&](std::uint16_t code, std::size_t nth = 0) {
        for (const BiffRecord& record : veRecords)
            if (record.code == code && nth-- == 0) return Hex(record.data);
        return std::string("missing");
    };
    // What the readers check (texts, fonts, bold, names) is left to the oracle tests; these
    // are the parts they read past.
    EXPECT_EQ(dataOf(kBof), "00 06 05 00 A0 19 CD 07 C9 C0 00 00 06 03 00 00");
    EXPECT_EQ(dataOf(kBof, 1), "00 06 10 00 A0 19 CD 07 C9 C0 00 00 06 03 00 00");
    EXPECT_EQ(dataOf(0x003D), "78 00 78 00 1F 3B 54 24 38 00 00 00 00 00 01 00 58 02");
    EXPECT_EQ(dataOf(kStyle, 5), "00 80 00 FF");
    const std::size_t nSheetStart = FirstOf(veRecords, kBoundSheet)->U32(0);
    EXPECT_EQ(dataOf(kRow), "00 00 00 00 01 00 FF 00 00 00 00 00 00 01 00 00");
    EXPECT_EQ(dataOf(kDbCell), "22 00 00 00 00 00");  // ROW 20 + LABELSST 14 bytes back
    EXPECT_EQ(dataOf(kWindow2), "B6 06 00 00 00 00 40 00 00 00 00 00 00 00 00 00 00 00");
    const BiffRecord* pIndex = FirstOf(veRecords, kIndex);
    ASSERT_TRUE(pIndex);
    EXPECT_EQ(Hex({pIndex->data.begin(), pIndex->data.begin() + 16}),
              "00 00 00 00 00 00 00 00 01 00 00 00 00 00 00 00");
    EXPECT_EQ(pIndex->U32(16), FirstOf(veRecords, kDbCell)->offset);
    const auto itSheetBof =
        std::find_if(veRecords.begin() + 1, veRecords.end(), [](const BiffRecord& r) { return r.code == kBof; });
    ASSERT_NE(itSheetBof, veRecords.end());
    EXPECT_EQ(nSheetStart, itSheetBof->offset);
}

TEST(XlsStructureTest, RowBlocksAreFoundThroughIndexAndDbCell)
{
    // 33 rows: two blocks; cells of different sizes (a MULRK) so the offsets differ per row.
    BasicExcel xls;
    FillText(xls, 33, 2);
    xls.SheetAt(0)->CellAt(1, 2)->SetInteger(1);
    xls.SheetAt(0)->CellAt(1, 3)->SetDouble(2.5);
    xls.SheetAt(0)->CellAt(5, 2)->SetInteger(7);
    xls.SheetAt(0)->CellAt(5, 3)->SetInteger(8);
    const std::vector<std::uint8_t> veStream = xls.BuildStream();
    const auto veRecords = WalkBiff(veStream);
    ASSERT_EQ(veRecords.back().offset + 4 + veRecords.back().data.size(), veStream.size());

    const BiffRecord* pIndex = FirstOf(veRecords, kIndex);
    ASSERT_TRUE(pIndex);
    EXPECT_EQ(pIndex->U32(4), 0u);
    EXPECT_EQ(pIndex->U32(8), 33u);
    ASSERT_EQ(pIndex->data.size(), 16u + 2 * 4);
    std::vector<const BiffRecord*> veDbCells;
    for (const BiffRecord& record : veRecords)
        if (record.code == kDbCell) veDbCells.push_back(&record);
    ASSERT_EQ(veDbCells.size(), 2u);

    auto recordAt = [&](std::size_t nOffset) -> const BiffRecord* {
        for (const BiffRecord& record : veRecords)
            if (record.offset == nOffset) return &record;
        return nullptr;
    };
    std::size_t nRowsSeen = 0;
    for (std::size_t k = 0; k < 2; ++k) {
        const BiffRecord& dbCell = *veDbCells[k];
        EXPECT_EQ(pIndex->U32(16 + 4 * k), dbCell.offset) << "block " << k;
        const std::size_t nFirstRow = dbCell.offset - dbCell.U32(0);
        const BiffRecord* pRow = recordAt(nFirstRow);
        ASSERT_TRUE(pRow && pRow->code == kRow) << "block " << k;
        EXPECT_EQ(pRow->U16(0), 32 * k);
        // From the second ROW, each offset leads to the first cell of the next row.
        const std::size_t nRows = (dbCell.data.size() - 4) / 2;
        EXPECT_EQ(nRows, k == 0 ? 32u : 1u);
        std::size_t nCell = nFirstRow + 20 + dbCell.U16(4);
        for (std::size_t r = 0; r < nRows; ++r) {
            if (r > 0) nCell += dbCell.U16(4 + 2 * r);
            const BiffRecord* pCell = recordAt(nCell);
            ASSERT_TRUE(pCell) << "row " << 32 * k + r;
            EXPECT_NE(pCell->code, kRow);
            EXPECT_EQ(pCell->U16(0), 32 * k + r);
            EXPECT_EQ(pCell->U16(2), 0u);
        }
        nRowsSeen += nRows;
    }
    EXPECT_EQ(nRowsSeen, 33u);
    EXPECT_EQ(CountCode(veRecords, kMulRk), 1u);  // (7, 8); (1, 2.5) mixes kinds: two RK
    EXPECT_EQ(CountCode(veRecords, kRk), 2u);
}

TEST(XlsStructureTest, RepeatedTextsShareOneEntryAndEmptyCellsAreBlank)
{
    BasicExcel xls;
    FillText(xls, 3, 2, u"same");
    CellStyleRegistry registry(xls);
    CellStyle bold(registry);
    FontSpec font;
    font.weight = 700;
    bold.SetFont(font);
    CellModel* pEmpty = xls.SheetAt(0)->CellAt(1, 1);
    pEmpty->SetText(u"");
    pEmpty->ApplyStyle(bold);
    const auto veRecords = WalkBiff(xls.BuildStream());
    const BiffRecord* pSst = FirstOf(veRecords, kSst);
    ASSERT_TRUE(pSst);
    EXPECT_EQ(pSst->U32(0), 5u);  // every text cell
    EXPECT_EQ(pSst->U32(4), 1u);
    const BiffRecord* pBlank = FirstOf(veRecords, kBlank);
    ASSERT_TRUE(pBlank);
    EXPECT_EQ(Hex(pBlank->data), "01 00 01 00 15 00");  // row 1, column 1, the bold XF 21
}

TEST(XlsStructureTest, BoldFontAndItsCellFormatAreRegisteredOnce)
{
    BasicExcel xls;
    xls.CreateNew(1);
    CellStyleRegistry registry(xls);
    CellStyle plain(registry);
    EXPECT_EQ(plain.XfIndex(), 0u);
    EXPECT_EQ(xls.Globals().xfs.size(), 21u);

    FontSpec font;
    font.weight = 700;
    CellStyle bold(registry), boldAgain(registry);
    bold.SetFont(font);
    boldAgain.SetFont(font);
    EXPECT_EQ(bold.fontIndex, 1u);
    EXPECT_EQ(bold.XfIndex(), 21u);
    EXPECT_EQ(boldAgain.XfIndex(), 21u);
    EXPECT_EQ(xls.Globals().fonts.size(), 2u);
    ASSERT_EQ(xls.Globals().xfs.size(), 22u);
    EXPECT_EQ(xls.Globals().xfs[21].typeAndProtection, 0x0078u);

    // No font index 4: the fifth FONT record is index 5.
    std::vector<std::uint16_t> veIndexes;
    for (std::uint16_t height : {220, 240, 260, 280}) {
        font.height = height;
        veIndexes.push_back(registry.FontIndex(font));
    }
    EXPECT_EQ(veIndexes, (std::vector<std::uint16_t>{2, 3, 5, 6}));
    font.height = 260;
    EXPECT_EQ(registry.FontIndex(font), 5u);

    // Custom number formats start at 164 and are the only FORMAT records written.
    CellStyle money(registry);
    money.SetNumberFormat(u"0.000 \"m\"");
    EXPECT_EQ(money.formatIndex, 164u);
    money.SetNumberFormat(u"0.00");
    EXPECT_EQ(money.formatIndex, 2u);
    EXPECT_EQ(CountCode(WalkBiff(xls.BuildStream()), kFormat), 1u);
}

// The readers in XlsOracleTest check the split strings' texts (wide, narrow and 20,000
// characters long); this checks the record size limit they do not enforce.
TEST(XlsStructureTest, LongSharedStringTableIsSplitIntoRecordsOfTheLimit)
{
    BasicExcel xls;
    xls.CreateNew(1);
    for (int i = 0; i < 4000; ++i) {
        const std::u16string csText = u"text " + std::u16string(static_cast<std::size_t>(i % 37), u'a' + i % 26);
        xls.SheetAt(0)->CellAt(i, 0)->SetText(csText + static_cast<char16_t>(0x4E00 + i));
    }
    xls.SheetAt(0)->CellAt(0, 1)->SetText(std::u16string(20000, u'\u00E9'));
    xls.SheetAt(0)->CellAt(1, 1)->SetText(std::string(9000, 'n'));

    const std::vector<std::uint8_t> veStream = xls.BuildStream();
    const auto veRecords = WalkBiff(veStream);
    ASSERT_EQ(veRecords.back().offset + 4 + veRecords.back().data.size(), veStream.size());
    std::size_t nSst = 0;
    while (veRecords[nSst].code != kSst) ++nSst;
    std::size_t nContinues = 0;
    for (std::size_t i = nSst; i < veRecords.size() && (i == nSst || veRecords[i].code == kContinue); ++i) {
        EXPECT_LE(veRecords[i].data.size(), 8224u);
        nContinues += i > nSst;
    }
    EXPECT_GE(nContinues, 10u);
}

TEST(XlsStructureTest, OtherLongRecordsGoOnInContinueRecords)
{
    XlsBiff::Formula formula(3, 4, 0);
    formula.tokens.assign(20000, 0x17);
    std::vector<std::uint8_t> veOut(formula.RecordSize());
    ASSERT_EQ(formula.Write(veOut.data()), veOut.size());
    const auto veRecords = WalkBiff(veOut);
    std::vector<std::pair<std::uint16_t, std::size_t>> veLayout;
    for (const BiffRecord& record : veRecords) veLayout.emplace_back(record.code, record.data.size());
    EXPECT_EQ(veLayout, (decltype(veLayout){{0x0006, 8224}, {kContinue, 8224}, {kContinue, 20022 - 2 * 8224}}));
    EXPECT_EQ(veRecords[0].U16(20), 20000u);  // token count, just before the tokens
    EXPECT_EQ(veRecords[2].data.back(), 0x17);
}

TEST(XlsStructureTest, FormulaRecordsCarryTheirResultAndFollowingRecords)
{
    XlsBiff::Formula formula(1, 2, 15);
    formula.tokens = {0x1E, 0x05, 0x00};
    formula.SetTextResult(u"ok");
    auto pShared = std::make_unique<XlsBiff::ShrFmla>();
    pShared->lastRow = 3;
    pShared->tokens = {0x1E, 0x05, 0x00};
    formula.following.insert(formula.following.begin(), std::move(pShared));
    std::vector<std::uint8_t> veOut(formula.RecordSize());
    ASSERT_EQ(formula.Write(veOut.data()), veOut.size());
    const auto veRecords = WalkBiff(veOut);
    ASSERT_EQ(veRecords.size(), 3u);
    EXPECT_EQ(Hex(veRecords[0].data), "01 00 02 00 0F 00 00 00 00 00 00 00 FF FF 02 00 00 00 00 00 03 00 1E 05 00");
    EXPECT_EQ(veRecords[1].code, 0x04BC);
    EXPECT_EQ(Hex(veRecords[1].data), "00 00 03 00 00 00 00 00 03 00 1E 05 00");
    EXPECT_EQ(veRecords[2].code, 0x0207);
    EXPECT_EQ(Hex(veRecords[2].data), "02 00 00 6F 6B");

    XlsBiff::BoolErr boolErr(4, 5, 0, 0x07, true);  // #DIV/0!
    std::vector<std::uint8_t> veBool(boolErr.RecordSize());
    boolErr.Write(veBool.data());
    EXPECT_EQ(Hex(veBool), "05 02 08 00 04 00 05 00 00 00 07 01");
}

TEST(XlsStructureTest, RkFormIsUsedOnlyWhenExact)
{
    for (double value : {0.0, 1.0, -1.0, 536870911.0, -536870912.0, 0.5, -2.75, 1.23, -0.07, 1e300, 3e-300})
        if (auto rk = XlsBiff::EncodeRk(value)) {
            EXPECT_EQ(XlsBiff::DecodeRk(*rk), value) << value;
        }
    EXPECT_EQ(XlsBiff::EncodeRk(7.0), 7u << 2 | 2);
    EXPECT_EQ(XlsBiff::EncodeRk(1.23), 123u << 2 | 3);
    EXPECT_EQ(XlsBiff::EncodeRk(0.5), 0x3FE00000u);
    EXPECT_TRUE(XlsBiff::EncodeRk(536870912.0).has_value());  // too big as an integer, exact as a double
    for (double value : {1.0 / 3, 0.123456, 3.14159265358979}) EXPECT_FALSE(XlsBiff::EncodeRk(value)) << value;
}

TEST(XlsStructureTest, FurtherSheetsAreNamedInTurnAndNotSelected)
{
    BasicExcel xls;
    xls.CreateNew(3);
    ASSERT_EQ(xls.SheetCount(), 3u);
    for (std::size_t s = 0; s < 3; ++s) xls.SheetAt(s)->CellAt(0, 0)->SetText(u"s");
    xls.SheetAt(2)->CellAt(4, 2)->SetMerged(2, 3);
    const auto veRecords = WalkBiff(xls.BuildStream());
    std::vector<std::string> veNames;
    std::vector<std::uint16_t> veOptions;
    for (const BiffRecord& record : veRecords) {
        if (record.code == kBoundSheet) veNames.emplace_back(record.data.begin() + 8, record.data.end());
        if (record.code == kWindow2) veOptions.push_back(record.U16(0));
    }
    EXPECT_EQ(veNames, (std::vector<std::string>{"Sheet1", "Sheet2", "Sheet3"}));
    EXPECT_EQ(veOptions, (std::vector<std::uint16_t>{0x06B6, 0x04B6, 0x04B6}));
    const BiffRecord* pMerged = FirstOf(veRecords, kMergedCells);
    ASSERT_TRUE(pMerged);
    EXPECT_EQ(pMerged->U16(0), 1u);
    EXPECT_EQ((std::vector<std::uint16_t>{pMerged->U16(2), pMerged->U16(4), pMerged->U16(6), pMerged->U16(8)}),
              (std::vector<std::uint16_t>{4, 5, 2, 4}));
}

}  // namespace
