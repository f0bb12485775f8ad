#include "table/LayoutView.h"

#include <algorithm>

#include "table/LayoutActions.h"

namespace
{

// Stands in for the program where no shell was set: plain defaults, message boxes of the system.
class DefaultLayoutShell : public LayoutShell
{
public:
    bool IsTextSelectionMode() const override { return m_mode == 1; }
    void SetSelectionMode(int32_t mode) override { m_mode = mode; }
    bool IsAdvancedMode() const override { return m_advanced; }
    void SetAdvancedMode(bool on) override { m_advanced = on; }
    bool IsNoUI() const override { return false; }
    bool HasRangeOption() const override { return false; }
    bool GetRangeOption(PageRangeList&) const override { return false; }
    bool GetOutputOption(std::wstring&) const override { return false; }
    uint32_t GetRunFlags() const override { return 0; }
    int32_t GetExitCode() const override { return m_exitCode; }
    void SetExitCode(int32_t code) override { m_exitCode = code; }
    LayoutOptions& GetOptions() override { return m_options; }
    HWND GetMainWindow() const override { return nullptr; }
    void SetColumnModeButton(int32_t) override {}
    void UpdateSelectionModeButton() override {}
    void ShowZoom(HWND, int32_t) override {}
    bool GetZoomBoxText(std::wstring&) const override { return false; }
    void UpdateConvertButton() override {}
    void RefreshMainFrame() override {}
    bool GetFindDialogRect(RECT&) const override { return false; }
    void MoveFindDialogAway() override {}
    OxTextFindInterface* GetTextFind() override { return nullptr; }
    int ShowMessage(HWND owner, const std::wstring& text, UINT type) override
    {
        return ::MessageBoxW(owner, text.c_str(), L"Kest", type);
    }
    bool AskConversionPages(HWND, int32_t, int32_t, int32_t, ConversionPagesAnswer&) override { return false; }
    bool AskPageRange(HWND, int32_t, PageRangeList&) override { return false; }
    bool AskPageNumber(HWND, const std::wstring&, std::wstring&) override { return false; }
    bool AskOpenLayout(HWND, std::wstring&) override { return false; }
    bool AskSaveFile(HWND, const std::wstring&, const std::wstring&, const std::wstring&, std::wstring&) override
    {
        return false;
    }
    void AddRecentLayout(const std::wstring&) override {}
    void ShowContextMenu(HWND, UINT, int, POINT) override {}

private:
    int32_t m_mode = 0;
    bool m_advanced = false;
    int32_t m_exitCode = 0;
    LayoutOptions m_options;
};

constexpr const wchar_t* MergedCellsEnterQuestion =
    L"The layout contains merged cells, which are only available in Row and Cell Editing Mode.\n"
    L"Do you wish enter that mode?\nPress Yes to change modes\nPress No to split all the merged cells";
constexpr const wchar_t* MergedCellsStayQuestion =
    L"The layout contains merged cells, which are only available in Row and Cell Editing Mode.\n"
    L"Do you wish stay in that mode?\nPress Yes to stay in the mode\n"
    L"Press No to leave the Row and Cell Editing Mode and split the cells";

} // namespace

LayoutView::LayoutView()
{
    m_rowAndCellEditing = Shell().IsAdvancedMode();
}

LayoutView::~LayoutView()
{
    ReleaseSelectionRegion();
}

LayoutShell& LayoutView::Shell() const
{
    static DefaultLayoutShell fallback;
    LayoutShell* shell = GetLayoutShell();
    return shell ? *shell : fallback;
}

int32_t LayoutView::ModalResult(const std::wstring& text, UINT type)
{
    return Shell().ShowMessage(GetViewWindow(), text, type);
}

// --- the undo list ---------------------------------------------------------------------------

void LayoutView::Add(std::unique_ptr<OxAction> action)
{
    if (!action)
        return;
    OxActionList::Add(std::move(action));
    m_actionNumbers.erase(m_actionNumbers.begin(),
                          m_actionNumbers.begin() + static_cast<std::ptrdiff_t>(m_actionCurrent));
    m_actionNumbers.insert(m_actionNumbers.begin(), m_nextActionNumber++);
    m_actionCurrent = 0;
    while (m_actionNumbers.size() > GetCount())
    {
        // The oldest action is gone: the state before the list is now the state after it.
        m_baseState = m_actionNumbers.back();
        m_actionNumbers.pop_back();
    }
    OnActionsChanged();
}

bool LayoutView::Undo(ConvertingTableLayout& target)
{
    if (!OxActionList::Undo(target))
        return false;
    ++m_actionCurrent;
    OnActionsChanged();
    return true;
}

bool LayoutView::Redo(ConvertingTableLayout& target)
{
    if (!OxActionList::Redo(target))
        return false;
    --m_actionCurrent;
    OnActionsChanged();
    return true;
}

void LayoutView::ClearActions()
{
    OxActionList::Clear();
    m_actionNumbers.clear();
    m_actionCurrent = 0;
    m_baseState = m_nextActionNumber++;
    OnActionsChanged();
}

bool LayoutView::UndoLayout()
{
    InvalidateLayoutRect(nullptr);
    m_selection.clear();
    const bool done = Undo(GetLayout());
    InvalidateLayoutRect(nullptr);
    UpdatePreview();
    return done;
}

bool LayoutView::RedoLayout()
{
    InvalidateLayoutRect(nullptr);
    m_selection.clear();
    const bool done = Redo(GetLayout());
    InvalidateLayoutRect(nullptr);
    UpdatePreview();
    return done;
}

uint64_t LayoutView::GetActionState() const
{
    return m_actionCurrent < m_actionNumbers.size() ? m_actionNumbers[m_actionCurrent] : m_baseState;
}

void LayoutView::RecordChange(const ConvertingTableLayout& before)
{
    Add(std::make_unique<LayoutChange>(before, GetLayout()));
}

// --- modes and selection ---------------------------------------------------------------------

void LayoutView::SetMinimumSizes(int32_t width, int32_t height)
{
    m_minColumnWidth = width;
    m_minRowHeight = height;
}

void LayoutView::CheckMergedCellsMode()
{
    LayoutShell& shell = Shell();
    shell.SetColumnModeButton(m_selectionKind);
    if (!shell.IsAdvancedMode() && !shell.IsNoUI() && GetLayout().HasMergedCells())
    {
        if (ModalResult(MergedCellsEnterQuestion, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES)
            shell.SetAdvancedMode(true);
        else
            GetLayout().ResetIds();
    }
    SetRowAndCellEditing(shell.IsAdvancedMode());
}

void LayoutView::OnActivateView()
{
    Shell().SetColumnModeButton(m_selectionKind);
    Shell().UpdateSelectionModeButton();
    UpdatePreview();
}

void LayoutView::OnTextSelectionMode()
{
    if (Shell().IsTextSelectionMode())
        return;
    Shell().SetSelectionMode(1);
    ClearTextSelection();
    InvalidateLayoutRect(nullptr);
    UpdatePreview();
}

void LayoutView::OnTableEditingMode()
{
    if (!Shell().IsTextSelectionMode())
        return;
    ClearTextSelection();
    InvalidateLayoutRect(nullptr);
    Shell().SetSelectionMode(0);
    UpdatePreview();
}

bool LayoutView::OnRowAndCellEditing()
{
    LayoutShell& shell = Shell();
    if (shell.IsTextSelectionMode())
        return false;
    if (shell.IsAdvancedMode() && GetLayout().HasMergedCells())
    {
        if (ModalResult(MergedCellsStayQuestion, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDNO)
            return true;
        InvalidateLayoutRect(nullptr);
        GetLayout().ResetIds();
    }
    shell.SetAdvancedMode(!shell.IsAdvancedMode());
    SetRowAndCellEditing(shell.IsAdvancedMode());
    return true;
}

void LayoutView::OnSelectionMode(UINT command)
{
    if (Shell().IsTextSelectionMode() || !m_rowAndCellEditing)
        return;
    if (command < CmdSelectColumns || command > CmdSelectCells)
        return;
    m_selectionKind = static_cast<int32_t>(command - CmdSelectColumns);
    Shell().SetColumnModeButton(m_selectionKind);
    m_selection.clear();
    m_lastSelected = -1;
    InvalidateLayoutRect(nullptr);
    // The preview's presses select by the new kind, and its old selection goes.
    UpdatePreview();
}

void LayoutView::SetRowAndCellEditing(bool on)
{
    m_selection.clear();
    m_lastSelected = -1;
    if (!on)
    {
        m_selectionKind = SelectColumns;
        Shell().SetColumnModeButton(SelectColumns);
    }
    m_rowAndCellEditing = on;
    InvalidateLayoutRect(nullptr);
    UpdatePreview();
}

void LayoutView::OnColumnFormat(UINT command)
{
    if (command >= CmdFormatFirst && command <= CmdFormatLast)
        SetSelectionFormat(static_cast<int32_t>(command - CmdFormatFirst));
}

void LayoutView::SetSelectionFormat(int32_t format)
{
    if (m_selectionKind != SelectColumns || m_selection.empty())
        return;
    ConvertingTableLayout& layout = GetLayout();
    std::map<int32_t, int32_t> oldFormats;
    for (int32_t column : m_selection)
    {
        if (column < 0 || column >= layout.GetColumnCount())
            continue;
        oldFormats[column] = layout.GetColumn(column).format;
        layout.GetColumn(column).format = format;
    }
    if (oldFormats.empty())
        return;
    Add(std::make_unique<ColumnFormat>(std::move(oldFormats), format));
    UpdatePreview();
}

void LayoutView::UpdateColumnFormatUI(int32_t format, bool& enabled, bool& checked) const
{
    enabled = !Shell().IsTextSelectionMode() && m_selectionKind == SelectColumns && !m_selection.empty();
    checked = enabled;
    for (int32_t column : m_selection)
    {
        if (column >= GetLayout().GetColumnCount() || GetLayout().GetColumn(column).format != format)
            checked = false;
    }
}

void LayoutView::SetSelection(const std::vector<int32_t>& ids)
{
    const ConvertingTableLayout& layout = GetLayout();
    if (layout.IsEmpty())
        return;
    m_selection.clear();
    for (int32_t id : ids)
    {
        if (m_selectionKind == SelectCells)
        {
            int column = ConvertingTableLayout::IdColumn(id);
            int row = ConvertingTableLayout::IdRow(id);
            if (layout.GetCellId(column, row) < 0)
                continue;
            layout.GetCellOrigin(column, row);
            m_selection.insert(ConvertingTableLayout::MakeCellId(column, row));
        }
        else
            m_selection.insert(id);
    }
    InvalidateLayoutRect(nullptr);
    UpdatePreview();
}

// --- layout commands -------------------------------------------------------------------------

void LayoutView::ClearLayout()
{
    InvalidateLayoutRect(nullptr);
    const ConvertingTableLayout before = GetLayout();
    GetLayout().Clear();
    m_selection.clear();
    RecordChange(before);
    UpdatePreview();
}

void LayoutView::SetAutoColumnDetection(bool on)
{
    m_autoColumnDetection = on;
    if (!on)
        return;
    m_selection.clear();
    ConvertingTableLayout& layout = GetLayout();
    layout.SetAutoRowDetection(true);
    if (layout.IsEmpty())
        return;
    const ConvertingTableLayout before = layout;
    InvalidateLayoutRect(nullptr);
    if (DetectColumns(true, nullptr))
    {
        UpdatePreview();
        InvalidateLayoutRect(nullptr);
    }
    else
        layout.Clear();
    RecordChange(before);
}

bool LayoutView::RangeIsSelectedRun() const
{
    if (m_selection.size() < 2)
        return false;
    return *m_selection.rbegin() - *m_selection.begin() + 1 == static_cast<int32_t>(m_selection.size());
}

bool LayoutView::CellsFillRectangle(int32_t& c0, int32_t& r0, int32_t& c1, int32_t& r1) const
{
    const ConvertingTableLayout& layout = GetLayout();
    c0 = r0 = INT32_MAX;
    c1 = r1 = -1;
    for (int32_t id : m_selection)
    {
        int column = ConvertingTableLayout::IdColumn(id);
        int row = ConvertingTableLayout::IdRow(id);
        int lastColumn = column, lastRow = row;
        layout.GetBlockEnd(column, row, lastColumn, lastRow);
        c0 = std::min(c0, column);
        r0 = std::min(r0, row);
        c1 = std::max(c1, lastColumn);
        r1 = std::max(r1, lastRow);
    }
    if (c1 < 0)
        return false;
    // Every cell of the rectangle must belong to a selected block.
    for (int row = r0; row <= r1; ++row)
    {
        for (int column = c0; column <= c1; ++column)
        {
            const int32_t id = layout.GetCellId(column, row);
            if (id < 0 || m_selection.count(id) == 0)
                return false;
        }
    }
    return true;
}

bool LayoutView::CanMerge() const
{
    if (Shell().IsTextSelectionMode() || m_selection.size() < 2)
        return false;
    if (m_selectionKind != SelectCells)
        return RangeIsSelectedRun();
    int32_t c0, r0, c1, r1;
    return CellsFillRectangle(c0, r0, c1, r1);
}

bool LayoutView::CanSplit() const
{
    if (Shell().IsTextSelectionMode() || m_selection.size() != 1)
        return false;
    const ConvertingTableLayout& layout = GetLayout();
    const int32_t item = *m_selection.begin();
    switch (m_selectionKind)
    {
    case SelectColumns: {
        if (item < 0 || item >= layout.GetColumnCount())
            return false;
        const RECT extent = layout.GetColumnExtent(item);
        return extent.right - extent.left >= 2 * m_minColumnWidth;
    }
    case SelectRows: {
        if (item < 0 || item >= layout.GetRowCount())
            return false;
        const RECT extent = layout.GetRowExtent(item);
        return extent.bottom - extent.top >= 2 * m_minRowHeight;
    }
    default:
        return layout.IsMergedOrigin(ConvertingTableLayout::IdColumn(item), ConvertingTableLayout::IdRow(item));
    }
}

bool LayoutView::Merge()
{
    if (!CanMerge())
        return false;
    int32_t first = *m_selection.begin();
    int32_t last = *m_selection.rbegin();
    if (m_selectionKind == SelectCells)
    {
        int32_t c0, r0, c1, r1;
        CellsFillRectangle(c0, r0, c1, r1);
        first = ConvertingTableLayout::MakeCellId(c0, r0);
        last = ConvertingTableLayout::MakeCellId(c1, r1);
    }
    auto action = std::make_unique<MergeSplit>(first, last, m_selectionKind, true);
    const ConvertingTableLayout before = GetLayout();
    InvalidateLayoutRect(nullptr);
    if (!action->Redo(GetLayout()))
        return false;
    m_selection.clear();
    m_selection.insert(first);
    m_autoColumnDetection = false;
    if (m_selectionKind != SelectColumns && GetLayout().GetAutoRowDetection())
    {
        // The merge also stops the row detection; only the whole change brings that back on Undo.
        GetLayout().SetAutoRowDetection(false);
        RecordChange(before);
    }
    else
        Add(std::move(action));
    InvalidateLayoutRect(nullptr);
    UpdatePreview();
    return true;
}

bool LayoutView::Split()
{
    if (!CanSplit())
        return false;
    ConvertingTableLayout& layout = GetLayout();
    const int32_t item = *m_selection.begin();
    int32_t last = item + 1;
    std::unique_ptr<MergeSplit> action;
    if (m_selectionKind == SelectColumns)
    {
        const RECT extent = layout.GetColumnExtent(item);
        if (extent.right - extent.left < 2 * m_minColumnWidth)
            return false;
        // The split puts a line in the middle of the column; the new right column keeps its edge.
        ConvertingTableLayout before = layout;
        ConvertingTableColumn left = layout.GetColumn(item);
        left.x = (extent.left + extent.right) / 2;
        InvalidateLayoutRect(nullptr);
        if (!layout.InsertColumn(item, left))
            return false;
        // Recorded as the whole change: the split command's saved values would narrow nothing
        // here, and a LayoutChange undoes to exactly the layout before.
        m_selection.insert(item + 1);
        m_autoColumnDetection = false;
        Add(std::make_unique<LayoutChange>(before, layout));
        InvalidateLayoutRect(nullptr);
        UpdatePreview();
        return true;
    }
    if (m_selectionKind == SelectRows)
    {
        const RECT extent = layout.GetRowExtent(item);
        if (extent.bottom - extent.top < 2 * m_minRowHeight)
            return false;
        ConvertingTableLayout before = layout;
        InvalidateLayoutRect(nullptr);
        if (!layout.InsertRowLine(item, (extent.top + extent.bottom) / 2))
            return false;
        layout.SetAutoRowDetection(false);
        m_selection.insert(item + 1);
        m_autoColumnDetection = false;
        Add(std::make_unique<LayoutChange>(before, layout));
        InvalidateLayoutRect(nullptr);
        UpdatePreview();
        return true;
    }
    int column = ConvertingTableLayout::IdColumn(item);
    int row = ConvertingTableLayout::IdRow(item);
    int lastColumn = column, lastRow = row;
    layout.GetBlockEnd(column, row, lastColumn, lastRow);
    last = ConvertingTableLayout::MakeCellId(lastColumn, lastRow);
    action = std::make_unique<MergeSplit>(item, last, SelectCells, false);
    InvalidateLayoutRect(nullptr);
    if (!action->Redo(layout))
        return false;
    Add(std::move(action));
    for (int r = row; r <= lastRow; ++r)
        for (int c = column; c <= lastColumn; ++c)
            m_selection.insert(ConvertingTableLayout::MakeCellId(c, r));
    m_autoColumnDetection = false;
    InvalidateLayoutRect(nullptr);
    UpdatePreview();
    return true;
}

void LayoutView::FitLayoutToPage()
{
    // One fitting for the editor and the stored layouts, so that what it leaves saves unchanged.
    GetLayout().FitToPage(GetPageRect(), m_minColumnWidth, m_minRowHeight);
}
