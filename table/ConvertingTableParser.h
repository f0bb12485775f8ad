#pragma once
// Places the words of a page into the cells of a table layout and appends them, as new rows,
// to a cell grid. A word that crosses column lines is cut by the share of its width that falls
// into each cell.
#include <memory>

#include "table/ConvertingTableGrid.h"
#include "table/WordGeometry.h"

class ConvertingTableLayout;
class ProgressInterface;

class ConvertingTableParser
{
public:
    ConvertingTableParser() = default;
    ConvertingTableParser(const ConvertingTableParser&) = delete;
    ConvertingTableParser& operator=(const ConvertingTableParser&) = delete;
    virtual ~ConvertingTableParser() = default;

    // The layout to parse by; per-page row detection changes its row lines.
    void SetLayout(ConvertingTableLayout* layout) { m_layout = layout; }
    void SetProgress(ProgressInterface* progress) { m_progress = progress; }
    ConvertingTableLayout* GetLayout() const { return m_layout; }
    ProgressInterface* GetProgress() const { return m_progress; }

    // Parses page (1-based) into the grid (a new one when none is given) and hands the grid
    // back; null when the page could not be parsed or the user cancelled, the grid then being
    // gone. The base parser knows no pages.
    virtual std::unique_ptr<ConvertingTableGrid> ParsePage(int page, std::unique_ptr<ConvertingTableGrid> grid,
                                                           bool perPageDetection);

    // Parses words in reading order into the grid (a new one for the layout when none is given),
    // detecting the row lines from these words first when detectRows. Null after a cancel,
    // which the progress interface is asked about at every tenth word.
    std::unique_ptr<ConvertingTableGrid> ParseWords(const WordList& words, std::unique_ptr<ConvertingTableGrid> grid,
                                                    bool detectRows);

private:
    ProgressInterface* m_progress = nullptr;
    ConvertingTableLayout* m_layout = nullptr;
};
