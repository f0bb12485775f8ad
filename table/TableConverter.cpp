#include "table/TableConverter.h"

#include "table/ClipboardText.h"
#include "table/ConversionMessages.h"
#include "table/ConvertingTableGrid.h"
#include "table/ConvertingTableParser.h"
#include "table/GridExporter.h"
#include "table/ProgressInterface.h"

#include <limits>
#include <memory>

namespace {

// Points the parser at the working layout and progress for one conversion and back afterwards,
// however the conversion ends.
class ParserSetup
{
public:
    ParserSetup(ConvertingTableParser& parser, ConvertingTableLayout* layout, ProgressInterface* progress)
        : m_parser(parser), m_layout(parser.GetLayout()), m_progress(parser.GetProgress())
    {
        m_parser.SetLayout(layout);
        m_parser.SetProgress(progress);
    }
    ParserSetup(const ParserSetup&) = delete;
    ParserSetup& operator=(const ParserSetup&) = delete;
    ~ParserSetup()
    {
        m_parser.SetLayout(m_layout);
        m_parser.SetProgress(m_progress);
    }

private:
    ConvertingTableParser& m_parser;
    ConvertingTableLayout* m_layout;
    ProgressInterface* m_progress;
};

constexpr int32_t ProgressPerPage = 100;

} // namespace

void TableConverter::SetExporter(ConversionTarget target, GridExporter* exporter)
{
    if (target >= 0 && target < ConversionTargetCount)
        m_exporters[static_cast<size_t>(target)] = exporter;
}

void TableConverter::SetError(const std::wstring& text, bool isFinal)
{
    m_errorText = text;
    m_errorIsFinal = isFinal;
}

void TableConverter::ClearError()
{
    m_errorText.clear();
    m_errorIsFinal = false;
}

bool TableConverter::Canceled() const
{
    return m_progress && m_progress->IsCanceled();
}

bool TableConverter::Convert(ConvertingTableParser& parser, const PageRangeList& pages, ConversionTarget target,
                             const std::wstring& outputFileName, bool perPageDetection)
{
    using namespace ConversionMessages;
    ClearError();
    m_notice.clear();
    const ConvertingTableLayout* given = parser.GetLayout() ? parser.GetLayout() : &m_layout;
    if (given->IsEmpty()) {
        SetError(EmptyLayout, true);
        return false;
    }
    const int32_t pageCount = CountPages(pages);
    // Clipboard text reserves the whole range for the pages; every other target gives the
    // export as much again.
    const int32_t unitsPerPage = target == TargetClipboardText ? ProgressPerPage : 2 * ProgressPerPage;
    if (pageCount < 0 || pageCount > std::numeric_limits<int32_t>::max() / unitsPerPage) {
        SetError(InvalidPageRange, false);
        return false;
    }
    if (target == TargetClipboardWord && pageCount > WordPageLimit) {
        SetError(FormatMessageText(TooManyWordPages, {std::to_wstring(WordPageLimit)}), true);
        return false;
    }
    const int32_t progressRange = pageCount * unitsPerPage;
    if (m_progress) {
        m_progress->SetRange(0, progressRange);
        if (Canceled())
            return false;
    }

    // The pages are parsed against a copy: per-page row detection rewrites the row lines, and
    // the layout given is the one the user interface shows meanwhile.
    ConvertingTableLayout working(*given);
    std::unique_ptr<ConvertingTableGrid> grid;
    {
        ParserSetup setup(parser, &working, m_progress);
        if (!ParsePages(parser, pages, pageCount, perPageDetection, grid))
            return false;
    }
    if (!grid || grid->GetRowCount() == 0) {
        SetError(NoData, true);
        return false;
    }
    return Export(*grid, target, outputFileName, progressRange);
}

bool TableConverter::ParsePages(ConvertingTableParser& parser, const PageRangeList& pages, int32_t pageCount,
                                bool perPageDetection, std::unique_ptr<ConvertingTableGrid>& grid)
{
    using namespace ConversionMessages;
    int32_t k = 0;
    for (const PageRange& range : pages) {
        for (int32_t page = range.first; page < range.end; ++page) {
            ++k;
            if (m_progress) {
                m_progress->SetPosAndText((k - 1) * ProgressPerPage,
                                         FormatMessageText(ParsingPage, {std::to_wstring(page), std::to_wstring(k),
                                                                         std::to_wstring(pageCount)}));
                if (Canceled())
                    return false;
            }
            // The parser takes the grid over; a null result means it has released it.
            grid = parser.ParsePage(page, std::move(grid), perPageDetection);
            if (!grid) {
                if (!Canceled())
                    SetError(FormatMessageText(PageParseFailed, {std::to_wstring(page)}), false);
                return false;
            }
        }
    }
    return true;
}

bool TableConverter::Export(const ConvertingTableGrid& grid, ConversionTarget target,
                            const std::wstring& outputFileName, int32_t progressRange)
{
    if (target >= 0 && target < ConversionTargetCount) {
        if (GridExporter* exporter = m_exporters[static_cast<size_t>(target)])
            return exporter->Export(*this, grid, target, outputFileName, progressRange);
    }
    if (target != TargetClipboardText) {
        SetError(ConversionMessages::TargetNotAvailable, false);
        return false;
    }
    if (m_progress)
        m_progress->SetStatusText(ConversionMessages::PreparingCopy);
    return CopyTextToClipboard(BuildTableText(grid));
}

bool TableConverter::CopyTextToClipboard(const std::wstring& text)
{
    return PutTextOnClipboard(text, m_errorText, m_errorIsFinal);
}
