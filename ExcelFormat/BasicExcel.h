#pragma once
// An Excel 97-2003 (BIFF8) workbook built in memory and saved as one "Workbook" stream.
#include <cstdint>
#include <string>
#include <vector>

#include "ExcelFormat/SheetModel.h"
#include "ExcelFormat/XlsBiffWorkbook.h"
#include "ExcelFormat/XlsBiffWorksheet.h"
#include "ExcelFormat/XlsStore.h"

class BasicExcel {
public:
    BasicExcel() = default;

    // A new workbook of nSheets sheets: the default font, 21 XF and 6 STYLE records, and
    // sheets named "Sheet1", "Sheet2"...
    void CreateNew(std::size_t nSheets);
    SheetModel* SheetAt(std::size_t nSheet);
    std::size_t SheetCount() const { return m_veSheets.size(); }

    // False when the file or its stream cannot be created or written; the model is kept
    // either way, and a failed save leaves no file behind.
    bool SaveToFile(const std::u16string& csPath);
    // Why the last save failed; empty after a successful one.
    const std::string& SaveError() const { return m_csSaveError; }

    // The complete "Workbook" stream, as SaveToFile stores it.
    std::vector<std::uint8_t> BuildStream();

    XlsBiff::Workbook& Globals() { return m_workbook; }

private:
    void AddSheet();

    XlsStore::StorageFile m_file;
    std::string m_csSaveError;
    XlsBiff::Workbook m_workbook;
    std::vector<XlsBiff::Worksheet> m_veWorksheets;
    std::vector<SheetModel> m_veSheets;
};
