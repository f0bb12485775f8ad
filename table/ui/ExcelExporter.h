#pragma once
// Writes a conversion's cell grid into a new Excel workbook through automation: left open
// (Excel sheet), saved under the output file name (Excel file), or copied to the clipboard.
#include "table/GridExporter.h"

#include <string>
#include <vector>

class ExcelApplication;
class ExcelRange;
class ExcelWorkbook;
class ExcelWorksheet;
class ConvertingTableCell;

struct ExcelExportOptions
{
    bool keepFormatting = false;
    bool mergeCells = false;
    std::wstring numberFormat;
    std::wstring currencyFormat;
    std::wstring dateFormat;
    std::wstring timeFormat;
};

class ExcelExporter : public GridExporter
{
public:
    explicit ExcelExporter(const ExcelExportOptions& options) : m_options(options) {}

    // Targets Excel sheet, Excel file and clipboard as Excel sheet.
    bool Export(TableConverter& converter, const ConvertingTableGrid& grid, ConversionTarget target,
                const std::wstring& outputFileName, int32_t progressRange) override;

private:
    // Everything after the workbook was made; false after a cancel. Raises what automation raises.
    bool Fill(TableConverter& converter, const ConvertingTableGrid& grid, ConversionTarget target,
              const std::wstring& outputFileName, int32_t progressRange, ExcelApplication& app, ExcelWorkbook& book,
              std::wstring& keptAs);
    // False after a cancel (the workbook then is closed unsaved).
    bool WriteRows(TableConverter& converter, const ConvertingTableGrid& grid, ExcelWorkbook& book,
                   ExcelWorksheet& sheet, int32_t progressRange);
    void WriteCell(const ConvertingTableGrid& grid, const ConvertingTableCell& cell, ExcelWorksheet& sheet, int row,
                   int column);
    void KeepFormatting(const ConvertingTableCell& cell, const std::wstring& written, ExcelRange& range);
    const std::wstring* NumberFormatFor(const ConvertingTableCell& cell, const std::wstring& text) const;

    ExcelExportOptions m_options;
    std::vector<std::wstring> m_cutCells; // the names of the cells cut to the cell limit
};

// Saves the workbook under path without losing a file already there when the save fails: the old
// file is set aside under a temporary name in the same folder and goes only once the save
// succeeded; a failed save puts it back. Raises what SaveAs raises; when the old file could not be
// put back, keptAs names the file that holds it (empty otherwise).
void SaveWorkbookReplacing(ExcelWorkbook& book, const std::wstring& path, std::wstring& keptAs);
