#pragma once
// Runs tests/oracles/check_xls.py (olefile, xlrd, ssconvert) on a written workbook.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "support/CommandOutput.h"

struct ExpectedSheet {
    std::string csName = "Sheet1";
    // A text ("" for an empty cell) or a number.
    std::vector<std::vector<std::variant<std::u16string, double>>> rows;
    std::set<std::pair<int, int>> boldCells;  // (row, column)
};

struct OracleResult {
    int nStatus = -1;
    std::string csOutput;
};

inline std::string JsonText(const std::u16string& csText)
{
    std::string csOut = "\"";
    for (char16_t c : csText) {
        if (c == u'"' || c == u'\\') {
            csOut += '\\';
            csOut += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7F) {
            csOut += static_cast<char>(c);
        } else {
            char szEscape[8];
            std::snprintf(szEscape, sizeof szEscape, "\\u%04x", static_cast<unsigned>(c));
            csOut += szEscape;
        }
    }
    return csOut + "\"";
}

inline OracleResult CheckXls(const std::filesystem::path& xlsPath, const std::vector<ExpectedSheet>& veSheets,
                             bool bSsconvert = true)
{
    const std::filesystem::path jsonPath = xlsPath.string() + ".expected.json";
    {
        std::ofstream json(jsonPath, std::ios::binary);
        json << "{\"ssconvert\": " << (bSsconvert ? "true" : "false") << ", \"sheets\": [";
        for (std::size_t s = 0; s < veSheets.size(); ++s) {
            json << (s ? "," : "") << "{\"name\": \"" << veSheets[s].csName << "\", \"bold\": [";
            std::size_t i = 0;
            for (auto [nRow, nColumn] : veSheets[s].boldCells)
                json << (i++ ? "," : "") << "[" << nRow << "," << nColumn << "]";
            json << "], \"rows\": [";
            for (std::size_t r = 0; r < veSheets[s].rows.size(); ++r) {
                json << (r ? ",\n" : "") << "[";
                const auto& row = veSheets[s].rows[r];
                for (std::size_t c = 0; c < row.size(); ++c) {
                    json << (c ? "," : "");
                    if (const auto* pText = std::get_if<std::u16string>(&row[c]))
                        json << JsonText(*pText);
                    else {
                        char szNumber[40];
                        std::snprintf(szNumber, sizeof szNumber, "%.17g", std::get<double>(row[c]));
                        json << szNumber;
                    }
                }
                json << "]";
            }
            json << "]}";
        }
        json << "]}";
    }
    const std::string csCommand = "/usr/bin/python3 " KV_SOURCE_DIR "/tests/oracles/check_xls.py '" + xlsPath.string() +
                                  "' '" + jsonPath.string() + "' 2>&1";
    OracleResult result;
    result.csOutput = CommandOutput(csCommand, &result.nStatus);
    return result;
}
