#include "table/ui/ExcelExporter.h"

#include "table/ConversionMessages.h"
#include "table/ProgressInterface.h"
#include "table/SetAsideFile.h"
#include "table/SpreadsheetText.h"
#include "table/TableConverter.h"
#include "table/ui/AutomationMessages.h"
#include "table/ui/AutomationSupport.h"
#include "table/ui/CellTextRuns.h"
#include "table/ui/ComApartment.h"
#include "table/ui/ExcelAutomation.h"
#include "table/ui/ExportGrid.h"

#include <cwchar>

namespace {

const long kOneWorksheetTemplate = -4167;
const long kAlignTop = -4160;
const long kRightToLeft = -5004;
const long kExclusiveAccess = 2;
const int kFirstSheetRow = 4;
const long kLargestExcelSize = 409;

COleVariant Text(const std::wstring& text)
{
    return COleVariant(text.c_str());
}

COleVariant False()
{
    return COleVariant(static_cast<short>(FALSE), VT_BOOL);
}

void CloseUnsaved(ExcelWorkbook& book)
{
    book.Close(False(), OmittedArgument(), OmittedArgument());
}

// Runs a clean-up step whose own failure must not hide the failure being handled.
template <class Step> void IgnoringFailure(Step step)
{
    try {
        step();
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
}

} // namespace

void SaveWorkbookReplacing(ExcelWorkbook& book, const std::wstring& path, std::wstring& keptAs)
{
    keptAs.clear();
    // Where the old file cannot be moved, the save meets it and fails: it stays as it is.
    SetAsideFile old(path);
    try {
        book.SaveAs(Text(path), OmittedArgument(), OmittedArgument(), OmittedArgument(), OmittedArgument(), False(),
                    kExclusiveAccess, OmittedArgument(), False(), OmittedArgument(), OmittedArgument());
    } catch (...) {
        if (!old.Restore())
            keptAs = old.SetAsidePath();
        throw;
    }
    old.Discard();
}

bool ExcelExporter::Export(TableConverter& converter, const ConvertingTableGrid& grid, ConversionTarget target,
                           const std::wstring& outputFileName, int32_t progressRange)
{
    ComApartment com;
    ExcelApplication app;
    if (!app.CreateDispatch(_T("Excel.Application"))) {
        converter.SetError(AutomationMessages::ExcelLoadFailed, true);
        return false;
    }
    std::wstring keptAs;
    m_cutCells.clear();
    try {
        ExcelWorkbooks books(app.GetWorkbooks());
        ExcelWorkbook book(books.Add(COleVariant(kOneWorksheetTemplate)));
        try {
            if (!Fill(converter, grid, target, outputFileName, progressRange, app, book, keptAs))
                return false;
            converter.SetNotice(CutCellsNotice(m_cutCells));
            return true;
        } catch (...) {
            // Excel stays hidden for the clipboard: a workbook left open there would keep it
            // running unseen, whatever the failure.
            if (target == TargetClipboardExcel)
                IgnoringFailure([&] { CloseUnsaved(book); });
            throw;
        }
    } catch (CException* e) {
        const std::wstring text = ExceptionText(e);
        e->Delete();
        std::wstring error = FormatMessageText(AutomationMessages::ExcelException, {text});
        if (!keptAs.empty())
            error += L"\n" + FormatMessageText(AutomationMessages::OldFileKeptAs, {keptAs});
        converter.SetError(error, false);
        return false;
    }
}

bool ExcelExporter::Fill(TableConverter& converter, const ConvertingTableGrid& grid, ConversionTarget target,
                         const std::wstring& outputFileName, int32_t progressRange, ExcelApplication& app,
                         ExcelWorkbook& book, std::wstring& keptAs)
{
    ProgressInterface* progress = converter.GetProgress();
    book.Activate();
    ExcelWorksheets sheets(book.GetWorksheets());
    ExcelWorksheet sheet(sheets.GetItem(COleVariant(1L)));
    if (progress)
        progress->SetStatusText(AutomationMessages::WritingExcel);

    if (!WriteRows(converter, grid, book, sheet, progressRange))
        return false;

    ExcelRange used(sheet.GetUsedRange());
    ExcelRange columns(used.GetColumns());
    columns.AutoFit();
    switch (target) {
    case TargetExcelFile:
        if (progress)
            progress->SetStatusText(AutomationMessages::SavingExcelFile);
        SaveWorkbookReplacing(book, outputFileName, keptAs);
        app.SetVisible(TRUE);
        return true;
    case TargetClipboardExcel:
        if (progress)
            progress->SetStatusText(AutomationMessages::CopyingExcel);
        used.Copy(OmittedArgument());
        CloseUnsaved(book);
        return true;
    default:
        app.SetVisible(TRUE);
        return true;
    }
}

bool ExcelExporter::WriteRows(TableConverter& converter, const ConvertingTableGrid& grid, ExcelWorkbook& book,
                              ExcelWorksheet& sheet, int32_t progressRange)
{
    ProgressInterface* progress = converter.GetProgress();
    const int rowCount = GridRowCount(grid);
    const int32_t half = progressRange / 2;
    for (int row = 0; row < rowCount; ++row) {
        for (int column = 0; column < GridCellCount(grid, row); ++column) {
            const ConvertingTableCell& cell = GridCell(grid, row, column);
            if (CellHasWords(cell))
                WriteCell(grid, cell, sheet, kFirstSheetRow + row, column + 1);
        }
        if (progress) {
            // 64-bit: row x half passes 32 bits on long conversions.
            progress->SetPos(static_cast<int32_t>(half + static_cast<int64_t>(row) * half / rowCount));
            if (progress->IsCanceled()) {
                CloseUnsaved(book);
                return false;
            }
        }
    }
    return true;
}

const std::wstring* ExcelExporter::NumberFormatFor(const ConvertingTableCell& cell, const std::wstring& text) const
{
    static const std::wstring textFormat = L"@";
    // Excel makes a formula of a text that starts with "=", "+", "-" or "@" and is no number: a
    // changed value, and a printed page must never put a formula into a workbook.
    if (LooksLikeFormula(text))
        return &textFormat;
    const std::wstring* format = nullptr;
    switch (CellFormatOf(cell)) {
    case CellFormatText: return &textFormat;
    case CellFormatNumber: format = &m_options.numberFormat; break;
    case CellFormatCurrency: format = &m_options.currencyFormat; break;
    case CellFormatDate: format = &m_options.dateFormat; break;
    case CellFormatTime: format = &m_options.timeFormat; break;
    default: break;
    }
    // Under General Excel keeps 15 digits of a number and rounds the rest away unseen (card
    // numbers, account ids): such a text stays text.
    const bool general = !format || format->empty() || _wcsicmp(format->c_str(), L"General") == 0;
    if (general && HasMoreDigitsThanKept(text))
        return &textFormat;
    return format;
}

void ExcelExporter::WriteCell(const ConvertingTableGrid& grid, const ConvertingTableCell& cell,
                              ExcelWorksheet& sheet, int row, int column)
{
    const std::wstring name = GetExcelCellName(row, column);
    ExcelRange range(sheet.GetRange(Text(name), Text(name)));
    // A line break is one LF in a cell; the rest of a text longer than a cell holds is dropped
    // and the user told afterwards.
    std::wstring text = WithSpreadsheetLineBreaks(CellText(grid, cell));
    if (CutToCellLimit(text))
        m_cutCells.push_back(name);
    if (const std::wstring* format = NumberFormatFor(cell, text))
        range.SetNumberFormat(Text(*format));
    range.SetFormula(Text(text));
    if (m_options.keepFormatting)
        KeepFormatting(cell, text, range);
    if (CellHasRtl(cell))
        range.SetReadingOrder(kRightToLeft);
    const int32_t span = CellSpan(cell);
    if (m_options.mergeCells && span != 0) {
        const std::wstring last = GetExcelCellName(row + (span >> 16), column + (span & 0xFFFF));
        ExcelRange block(sheet.GetRange(Text(name), Text(last)));
        block.Merge(False());
        block.SetVerticalAlignment(COleVariant(kAlignTop));
    }
}

void ExcelExporter::KeepFormatting(const ConvertingTableCell& cell, const std::wstring& written, ExcelRange& range)
{
    const std::vector<ExportWord> words = CellWords(cell);
    std::vector<std::pair<std::wstring, bool>> texts;
    for (const ExportWord& word : words)
        texts.emplace_back(word.text, word.spaceFollows);
    for (const CellTextRun& run : FindCellTextRuns(texts, written)) {
        const ExportWord& word = words[run.word];
        ExcelRange characters(range.GetCharacters(COleVariant(static_cast<long>(run.start)),
                                                  COleVariant(static_cast<long>(run.length))));
        ExcelFont font(characters.GetFont());
        font.SetColor(COleVariant(static_cast<long>(word.color & 0xFFFFFF)));
        if (const long size = WholePoints(word.size, kLargestExcelSize))
            font.SetSize(COleVariant(size));
    }
}
