#include "table/ui/WordExporter.h"

#include "table/ConversionMessages.h"
#include "table/ProgressInterface.h"
#include "table/SpreadsheetText.h"
#include "table/TableConverter.h"
#include "table/ui/AutomationMessages.h"
#include "table/ui/AutomationSupport.h"
#include "table/ui/ComApartment.h"
#include "table/ui/ExportGrid.h"
#include "table/ui/WordAutomation.h"

#include <algorithm>
#include <cwctype>

namespace {

struct Word97Family
{
    using Document = Word97::WordDocument;
    using Table = Word97::WordTable;
    using Selection = Word97::WordSelection;
    using Font = Word97::WordFont;
    static constexpr bool newer = false;
};

struct Word2000Family
{
    using Document = Word2000::WordDocument;
    using Table = Word2000::WordTable;
    using Selection = Word2000::WordSelection;
    using Font = Word2000::WordFont;
    static constexpr bool newer = true;
};

const long kLeftToRight = 1;
const long kFitToContents = 1;
const long kLargestWordSize = 1638;

void CloseUnsaved(Word97::WordDocument& document)
{
    COleVariant saveChanges(static_cast<short>(FALSE), VT_BOOL);
    COleVariant format = OmittedArgument();
    COleVariant route = OmittedArgument();
    document.Close(&saveChanges, &format, &route);
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

// Word makes a paragraph of a CR and another of the LF after it, so CR LF would leave a blank
// line: every line break becomes one line break of Word's own (VT) inside the cell's paragraph.
std::wstring WithWordLineBreaks(const std::wstring& text)
{
    std::wstring out = WithSpreadsheetLineBreaks(text);
    std::replace(out.begin(), out.end(), L'\n', L'\v');
    return out;
}

// The words as a cell shows them, without white space after the last one (the text written
// without keeping the formatting is trimmed the same way).
std::vector<ExportWord> WordsToType(const ConvertingTableCell& cell)
{
    std::vector<ExportWord> words = CellDisplayWords(cell);
    while (!words.empty()) {
        ExportWord& last = words.back();
        last.spaceFollows = false;
        while (!last.text.empty() && std::iswspace(last.text.back()))
            last.text.pop_back();
        if (!last.text.empty())
            break;
        words.pop_back();
    }
    for (ExportWord& w : words)
        w.text = WithWordLineBreaks(w.text);
    return words;
}

template <class Family> void TypeWord(WordApplication& word, const ExportWord& w)
{
    typename Family::Selection selection(word.GetSelection());
    typename Family::Font font(selection.GetFont());
    const long size = WholePoints(w.size, kLargestWordSize);
    if constexpr (Family::newer) {
        font.SetColor(static_cast<long>(w.color & 0xFFFFFF));
        if (size) {
            font.SetSize(static_cast<float>(size));
            font.SetSizeBi(static_cast<float>(size));
        }
    } else if (size) {
        font.SetSize(static_cast<float>(size));
    }
    selection.TypeText(w.text.c_str());
    if (w.spaceFollows)
        selection.TypeText(_T(" "));
}

} // namespace

bool WordExporter::Export(TableConverter& converter, const ConvertingTableGrid& grid, ConversionTarget,
                          const std::wstring&, int32_t progressRange)
{
    if (GridFlaggedColumns(grid) > AutomationMessages::WordColumnLimit) {
        converter.SetError(FormatMessageText(AutomationMessages::TooManyWordColumns,
                                             {std::to_wstring(AutomationMessages::WordColumnLimit)}),
                           true);
        return false;
    }
    ComApartment com;
    WordApplication word;
    try {
        if (!word.Open()) {
            converter.SetError(AutomationMessages::WordLoadFailed, false);
            word.Release();
            return false;
        }
        bool written = false;
        try {
            written = word.IsWord97() ? WriteTable<Word97Family>(converter, grid, word, progressRange)
                                      : WriteTable<Word2000Family>(converter, grid, word, progressRange);
        } catch (...) {
            // Any failure, the framework's or another, must not leave a hidden Word running.
            IgnoringFailure([&] { word.Quit(); });
            throw;
        }
        word.Quit();
        word.Release();
        return written;
    } catch (CException* e) {
        const std::wstring text = ExceptionText(e);
        e->Delete();
        converter.SetError(FormatMessageText(AutomationMessages::WordException, {text}), false);
        IgnoringFailure([&] { word.Quit(); });
        word.Release();
        return false;
    }
}

template <class Family>
bool WordExporter::WriteTable(TableConverter& converter, const ConvertingTableGrid& grid, WordApplication& word,
                              int32_t progressRange)
{
    if (ProgressInterface* progress = converter.GetProgress())
        progress->SetStatusText(AutomationMessages::WritingWord);
    Word97::WordDocuments documents(word.GetDocuments());
    COleVariant templateName = OmittedArgument();
    COleVariant newTemplate = OmittedArgument();
    typename Family::Document document(documents.Add(&templateName, &newTemplate));
    try {
        if constexpr (Family::newer) {
            Word2000::WordParagraphs paragraphs(document.GetParagraphs());
            paragraphs.SetReadingOrder(kLeftToRight);
        }
        Word97::WordSelection insertion(word.GetSelection());
        Word97::WordRange range(insertion.GetRange());
        Word97::WordTables tables(document.GetTables());
        typename Family::Table table(
            tables.Add(range.m_lpDispatch, GridRowCount(grid), GridFlaggedColumns(grid)));

        bool mergeNeeded = false;
        if (!FillCells<Family>(converter, grid, word, table, progressRange, mergeNeeded)) {
            CloseUnsaved(document);
            return false;
        }
        if (mergeNeeded)
            MergeBlocks<Family>(grid, word, document, table);
        if constexpr (Family::newer)
            table.AutoFitBehavior(kFitToContents);
        document.Select();
        typename Family::Selection selection(word.GetSelection());
        selection.Copy();
    } catch (...) {
        IgnoringFailure([&] { CloseUnsaved(document); });
        throw;
    }
    CloseUnsaved(document);
    return true;
}

template <class Family>
bool WordExporter::FillCells(TableConverter& converter, const ConvertingTableGrid& grid, WordApplication& word,
                             typename Family::Table& table, int32_t progressRange, bool& mergeNeeded)
{
    ProgressInterface* progress = converter.GetProgress();
    const int rowCount = GridRowCount(grid);
    const int32_t half = progressRange / 2;
    for (int row = 0; row < rowCount; ++row) {
        for (int column = 0; column < GridCellCount(grid, row); ++column) {
            const ConvertingTableCell& gridCell = GridCell(grid, row, column);
            if (!CellHasWords(gridCell))
                continue;
            Word97::WordCell cell(table.GetCell(row + 1, column + 1));
            cell.Select();
            if (!m_options.keepFormatting) {
                typename Family::Selection selection(word.GetSelection());
                selection.SetText(WithWordLineBreaks(CellText(grid, gridCell)).c_str());
            } else {
                for (const ExportWord& w : WordsToType(gridCell))
                    TypeWord<Family>(word, w);
            }
            if constexpr (Family::newer) {
                if (CellHasRtl(gridCell)) {
                    cell.Select();
                    typename Family::Selection selection(word.GetSelection());
                    selection.SetRightToLeftParagraph();
                }
            }
            if (m_options.mergeCells && CellSpan(gridCell) != 0)
                mergeNeeded = true;
        }
        if (progress) {
            // 64-bit: half x rows passes 32 bits on long conversions.
            progress->SetPos(static_cast<int32_t>(half + static_cast<int64_t>(half) * (row + 1) / rowCount));
            if (progress->IsCanceled())
                return false;
        }
    }
    return true;
}

// From the last row to the first and the last cell to the first, so that a merge never moves a
// cell still to be visited.
template <class Family>
void WordExporter::MergeBlocks(const ConvertingTableGrid& grid, WordApplication& word,
                               typename Family::Document& document, typename Family::Table& table)
{
    for (int row = GridRowCount(grid) - 1; row >= 0; --row) {
        for (int column = GridCellCount(grid, row) - 1; column >= 0; --column) {
            const ConvertingTableCell& gridCell = GridCell(grid, row, column);
            const int32_t span = CellSpan(gridCell);
            if (!CellHasWords(gridCell) || span == 0)
                continue;
            // A block may reach below the last row that holds words; the table ends there.
            const int lastRow = (std::min)(row + (span >> 16), GridRowCount(grid) - 1);
            const int lastColumn = (std::min)(column + (span & 0xFFFF), GridFlaggedColumns(grid) - 1);
            if (lastRow == row && lastColumn == column)
                continue;
            Word97::WordCell first(table.GetCell(row + 1, column + 1));
            Word97::WordRange firstRange(first.GetRange());
            Word97::WordCell last(table.GetCell(lastRow + 1, lastColumn + 1));
            Word97::WordRange lastRange(last.GetRange());
            COleVariant start(firstRange.GetStart());
            COleVariant end(lastRange.GetEnd());
            Word97::WordRange block(document.GetRange(&start, &end));
            block.Select();
            typename Family::Selection selection(word.GetSelection());
            Word97::WordCells cells(selection.GetCells());
            cells.Merge();
        }
    }
}
