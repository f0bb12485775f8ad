#pragma once
// Converts a table layout over chosen pages into one cell grid and hands it to its target.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "table/ConversionTarget.h"
#include "table/ConvertingTableLayout.h"
#include "table/PageRangeList.h"

class ConvertingTableGrid;
class ConvertingTableParser;
class GridExporter;
class ProgressInterface;

class TableConverter
{
public:
    TableConverter() = default;
    TableConverter(const TableConverter&) = delete;
    TableConverter& operator=(const TableConverter&) = delete;

    ConvertingTableLayout& GetLayout() { return m_layout; }
    const ConvertingTableLayout& GetLayout() const { return m_layout; }

    // Set only while a conversion runs.
    void SetProgress(ProgressInterface* progress) { m_progress = progress; }
    ProgressInterface* GetProgress() const { return m_progress; }

    // Borrowed; null removes it. The clipboard text target works without one.
    void SetExporter(ConversionTarget target, GridExporter* exporter);

    // Parses every page of the list into one grid by the parser's layout (the converter's own
    // layout when the parser has none) and writes the grid to the target. The layout itself is
    // never changed: the pages are parsed against a copy. False on failure, with the error text
    // and its final flag telling why; after a cancel the error text is empty.
    bool Convert(ConvertingTableParser& parser, const PageRangeList& pages, ConversionTarget target,
                 const std::wstring& outputFileName, bool perPageDetection);

    // True when the clipboard holds the text; else the error is set.
    bool CopyTextToClipboard(const std::wstring& text);

    const std::wstring& GetErrorText() const { return m_errorText; }
    // True when the error text is a whole message; false when it is a detail to show inside the
    // general conversion error (ConversionErrorMessage).
    bool IsErrorFinal() const { return m_errorIsFinal; }
    void SetError(const std::wstring& text, bool isFinal);
    void ClearError();

    // What the user is told once after a conversion that worked but had to change the data
    // (cells cut to what the target holds); empty otherwise. Cleared when a conversion starts.
    const std::wstring& GetNotice() const { return m_notice; }
    void SetNotice(const std::wstring& text) { m_notice = text; }

private:
    bool Canceled() const;
    bool ParsePages(ConvertingTableParser& parser, const PageRangeList& pages, int32_t pageCount,
                    bool perPageDetection, std::unique_ptr<ConvertingTableGrid>& grid);
    bool Export(const ConvertingTableGrid& grid, ConversionTarget target, const std::wstring& outputFileName,
                int32_t progressRange);

    ConvertingTableLayout m_layout;
    std::wstring m_errorText;
    bool m_errorIsFinal = false;
    std::wstring m_notice;
    ProgressInterface* m_progress = nullptr;
    std::array<GridExporter*, ConversionTargetCount> m_exporters{};
};
