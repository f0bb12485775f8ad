// The layout editor's mouse: hit test, cursors, line and edge drags, the table drawn as a band,
// clicks that select columns, rows or cells, and the context menu.
#include "table/LayoutView.h"

#include <algorithm>
#include <cstdlib>

#include "table/LayoutActions.h"

namespace
{

bool InRange(int32_t value, int32_t low, int32_t high)
{
    return value >= low && value <= high;
}

// The right edge of a column; the table's right for the last one.
int32_t ColumnRight(const ConvertingTableLayout& layout, int column)
{
    const int32_t x = layout.GetColumn(column).x;
    return x == -1 || column == layout.GetColumnCount() - 1 ? layout.GetTableRect().right : x;
}

} // namespace

LayoutView::Hit LayoutView::HitTest(int32_t x, int32_t y) const
{
    Hit hit;
    const ConvertingTableLayout& layout = GetLayout();
    if (layout.IsEmpty())
        return hit;
    const int32_t tx = ::GetSystemMetrics(SM_CXDRAG) * m_minColumnWidth / 8;
    const int32_t ty = ::GetSystemMetrics(SM_CYDRAG) * m_minRowHeight / 8;
    const RECT& r = layout.GetTableRect();
    // Every corner and edge compares its vertical distance with ty and its horizontal one with tx.
    if (std::abs(r.left - x) <= tx)
    {
        if (std::abs(r.top - y) <= ty)
            hit.m_code = HitTopLeft;
        else if (std::abs(r.bottom - y) <= ty)
            hit.m_code = HitBottomLeft;
        else if (InRange(y, r.top, r.bottom))
            hit.m_code = HitLeft;
        return hit;
    }
    if (std::abs(r.right - x) <= tx)
    {
        if (std::abs(r.top - y) <= ty)
            hit.m_code = HitTopRight;
        else if (std::abs(r.bottom - y) <= ty)
            hit.m_code = HitBottomRight;
        else if (InRange(y, r.top, r.bottom))
            hit.m_code = HitRight;
        return hit;
    }
    if (std::abs(r.top - y) <= ty)
    {
        if (InRange(x, r.left, r.right))
            hit.m_code = HitTop;
        return hit;
    }
    if (std::abs(r.bottom - y) <= ty)
    {
        if (InRange(x, r.left, r.right))
            hit.m_code = HitBottom;
        return hit;
    }
    if (x < r.left || x >= r.right || y < r.top || y >= r.bottom || !layout.HasColumns())
        return hit;

    int column = layout.GetColumnCount() - 1;
    int lineColumn = -1;
    for (int i = 0; i < layout.GetColumnCount() - 1; ++i)
    {
        const int32_t line = layout.GetColumn(i).x;
        if (lineColumn < 0 && std::abs(x - line) <= tx)
            lineColumn = i;
        if (line >= x)
        {
            column = i;
            break;
        }
    }
    int row = layout.GetRowLineCount();
    int lineRow = -1;
    for (int i = 0; i < layout.GetRowLineCount(); ++i)
    {
        const int32_t line = layout.GetRowLine(i);
        if (lineRow < 0 && std::abs(y - line) <= ty)
            lineRow = i;
        if (line >= y)
        {
            row = i;
            break;
        }
    }
    // A line counts only where it is the edge of the block left of (above) it.
    const auto blockEndsOnLine = [&layout](int c, int rr, bool onColumnLine) {
        const int line = onColumnLine ? c : rr;
        int lastColumn, lastRow;
        layout.GetCellOrigin(c, rr);
        layout.GetBlockEnd(c, rr, lastColumn, lastRow);
        return (onColumnLine ? lastColumn : lastRow) == line;
    };
    if (lineColumn >= 0 && blockEndsOnLine(lineColumn, row, true))
    {
        hit.m_code = HitLine;
        hit.m_column = lineColumn;
        hit.m_row = row;
        hit.m_onColumnLine = true;
        return hit;
    }
    if (lineRow >= 0 && blockEndsOnLine(column, lineRow, false))
    {
        hit.m_code = HitLine;
        hit.m_column = lineRow;
        hit.m_row = lineRow;
        hit.m_onColumnLine = false;
        return hit;
    }
    int c = column, rr = row;
    layout.GetCellOrigin(c, rr);
    hit.m_code = HitCell;
    hit.m_column = c;
    hit.m_row = rr;
    return hit;
}

LPCWSTR LayoutView::CursorForHit(const Hit& hit, bool dragging) const
{
    switch (hit.m_code)
    {
    case HitLeft:
    case HitRight:
        return IDC_SIZEWE;
    case HitTop:
    case HitBottom:
        return IDC_SIZENS;
    case HitTopLeft:
    case HitBottomRight:
        return IDC_SIZENWSE;
    case HitTopRight:
    case HitBottomLeft:
        return IDC_SIZENESW;
    case HitLine:
        if (hit.m_onColumnLine)
            return IDC_SIZEWE;
        if (dragging || (m_rowAndCellEditing && !Shell().IsTextSelectionMode()))
            return IDC_SIZENS;
        return nullptr;
    case HitForbidden:
        return IDC_NO;
    default:
        return nullptr;
    }
}

void LayoutView::SetCursorForHit(const Hit& hit, bool dragging)
{
    if (LPCWSTR cursor = CursorForHit(hit, dragging))
        ::SetCursor(::LoadCursorW(nullptr, cursor));
}

void LayoutView::OnLButtonDown(int32_t x, int32_t y, int32_t modifiers)
{
    if (Shell().IsTextSelectionMode())
    {
        TextSelectionPress(x, y);
        return;
    }
    const Hit hit = HitTest(x, y);
    if (hit.m_code == HitCell)
    {
        SelectInTable(hit, modifiers);
        return;
    }
    if (hit.m_code != HitNone)
        StartDrag(hit, x, y);
}

int32_t LayoutView::SelectionItemFor(const Hit& hit) const
{
    switch (m_selectionKind)
    {
    case SelectColumns:
        return hit.m_column;
    case SelectRows:
        return hit.m_row;
    default:
        return ConvertingTableLayout::MakeCellId(hit.m_column, hit.m_row);
    }
}

void LayoutView::SelectInTable(const Hit& hit, int32_t modifiers)
{
    const int32_t item = SelectionItemFor(hit);
    if ((modifiers & ModCtrl) != 0)
    {
        if (!m_selection.erase(item))
            m_selection.insert(item);
        m_lastSelected = item;
    }
    else if ((modifiers & ModShift) != 0 && m_lastSelected >= 0)
    {
        m_selection.clear();
        if (m_selectionKind == SelectCells)
        {
            const ConvertingTableLayout& layout = GetLayout();
            const int c0 = std::min(ConvertingTableLayout::IdColumn(m_lastSelected), hit.m_column);
            const int c1 = std::max(ConvertingTableLayout::IdColumn(m_lastSelected), hit.m_column);
            const int r0 = std::min(ConvertingTableLayout::IdRow(m_lastSelected), hit.m_row);
            const int r1 = std::max(ConvertingTableLayout::IdRow(m_lastSelected), hit.m_row);
            for (int r = r0; r <= r1; ++r)
                for (int c = c0; c <= c1; ++c)
                    m_selection.insert(layout.GetCellId(c, r));
        }
        else
        {
            for (int32_t i = std::min(m_lastSelected, item); i <= std::max(m_lastSelected, item); ++i)
                m_selection.insert(i);
        }
    }
    else
    {
        m_selection.clear();
        m_selection.insert(item);
        m_lastSelected = item;
    }
    InvalidateLayoutRect(nullptr);
    UpdatePreview();
}

void LayoutView::StartDrag(const Hit& hit, int32_t x, int32_t y)
{
    const ConvertingTableLayout& layout = GetLayout();
    const RECT& table = layout.GetTableRect();
    RECT limits = {0, 0, 0, 0};
    if (hit.m_code == HitLine)
    {
        if (hit.m_onColumnLine)
        {
            const int c = hit.m_column;
            const RECT left = layout.GetColumnExtent(c);
            limits = {left.left + m_minColumnWidth, table.top, ColumnRight(layout, c + 1) - m_minColumnWidth,
                      table.bottom};
            m_dragStartPosition = layout.GetColumn(c).x;
        }
        else
        {
            if (!m_rowAndCellEditing || Shell().IsTextSelectionMode())
                return;
            const int r = hit.m_row;
            limits = {table.left, layout.GetRowExtent(r).top + m_minRowHeight, table.right,
                      layout.GetRowExtent(r + 1).bottom - m_minRowHeight};
            m_dragStartPosition = layout.GetRowLine(r);
        }
    }
    else
        limits = EdgeDragLimits(hit.m_code);
    if (limits.left >= limits.right || limits.top >= limits.bottom)
        return;
    if (hit.m_code == HitLine)
    {
        // A line may come up to exactly the minimum from its neighbours.
        limits.right += 1;
        limits.bottom += 1;
        if (!hit.m_onColumnLine)
            GetLayout().SetAutoRowDetection(false);
        m_autoColumnDetection = false;
    }
    m_dragLimits = limits;
    m_dragCode = hit.m_code;
    m_dragIndex = hit.m_column;
    m_dragRowLine = hit.m_code == HitLine && !hit.m_onColumnLine;
    SetCursorForHit(hit, true);
    m_dragStartLayout = layout;
    (void)x;
    (void)y;
    BeginCapture();
}

RECT LayoutView::EdgeDragLimits(int32_t code)
{
    const ConvertingTableLayout& layout = GetLayout();
    const RECT& table = layout.GetTableRect();
    const RECT page = GetPageRect();
    RECT limits = page;
    // With automatic detection the lines are found anew; otherwise an edge stays clear of them.
    const bool keepLines = !m_autoColumnDetection;
    int32_t innerLeft = table.right, innerRight = table.left;
    if (keepLines && layout.GetColumnCount() > 1)
    {
        innerLeft = layout.GetColumn(0).x;
        innerRight = layout.GetColumn(layout.GetColumnCount() - 2).x;
    }
    int32_t innerTop = table.bottom, innerBottom = table.top;
    if (layout.GetRowLineCount() > 0)
    {
        innerTop = layout.GetRowLine(0);
        innerBottom = layout.GetRowLine(layout.GetRowLineCount() - 1);
    }
    const bool left = code == HitLeft || code == HitTopLeft || code == HitBottomLeft;
    const bool right = code == HitRight || code == HitTopRight || code == HitBottomRight;
    const bool top = code == HitTop || code == HitTopLeft || code == HitTopRight;
    const bool bottom = code == HitBottom || code == HitBottomLeft || code == HitBottomRight;
    if (left)
        limits.right = std::min<int32_t>(table.right - m_minColumnWidth, innerLeft - m_minColumnWidth) + 1;
    if (right)
        limits.left = std::max<int32_t>(table.left + m_minColumnWidth, innerRight + m_minColumnWidth);
    if (top)
        limits.bottom = std::min<int32_t>(table.bottom - m_minRowHeight, innerTop - m_minRowHeight) + 1;
    if (bottom)
        limits.top = std::max<int32_t>(table.top + m_minRowHeight, innerBottom + m_minRowHeight);
    // The right and bottom ends are inclusive; a point on the page's edge still counts.
    if (!left)
        limits.right += 1;
    if (!top)
        limits.bottom += 1;
    return limits;
}

void LayoutView::OnMouseMove(int32_t x, int32_t y, int32_t modifiers)
{
    (void)modifiers;
    if (Shell().IsTextSelectionMode())
    {
        ::SetCursor(::LoadCursorW(nullptr, IDC_IBEAM));
        if (m_textSelectionDrag)
            TextSelectionMove(x, y);
        return;
    }
    if (GetLayout().IsEmpty())
        return;
    if (m_dragCode == HitNone)
    {
        SetCursorForHit(HitTest(x, y), false);
        return;
    }
    DragStep(x, y);
}

void LayoutView::DragStep(int32_t x, int32_t y)
{
    if (m_dragCode != HitLine)
    {
        EdgeDragStep(x, y);
        return;
    }
    if (x < m_dragLimits.left || x >= m_dragLimits.right || y < m_dragLimits.top || y >= m_dragLimits.bottom)
        return;
    ConvertingTableLayout& layout = GetLayout();
    InvalidateLayoutRect(nullptr);
    if (m_dragRowLine)
        layout.SetRowLine(m_dragIndex, y);
    else
        layout.SetColumnX(m_dragIndex, x);
    InvalidateLayoutRect(nullptr);
}

void LayoutView::EdgeDragStep(int32_t x, int32_t y)
{
    ConvertingTableLayout& layout = GetLayout();
    InvalidateLayoutRect(nullptr);
    if (x < m_dragLimits.left || x >= m_dragLimits.right || y < m_dragLimits.top || y >= m_dragLimits.bottom)
    {
        layout = m_dragStartLayout;
        InvalidateLayoutRect(nullptr);
        return;
    }
    RECT table = layout.GetTableRect();
    switch (m_dragCode)
    {
    case HitLeft:
        table.left = x;
        break;
    case HitRight:
        table.right = x;
        break;
    case HitTop:
        table.top = y;
        break;
    case HitBottom:
        table.bottom = y;
        break;
    case HitTopLeft:
        table.left = x;
        table.top = y;
        break;
    case HitTopRight:
        table.right = x;
        table.top = y;
        break;
    case HitBottomLeft:
        table.left = x;
        table.bottom = y;
        break;
    case HitBottomRight:
        table.right = x;
        table.bottom = y;
        break;
    default:
        break;
    }
    layout.SetTableRect(table);
    if (m_autoColumnDetection)
        DetectColumns(true, nullptr);
    InvalidateLayoutRect(nullptr);
}

void LayoutView::OnLButtonUp(int32_t x, int32_t y, int32_t modifiers)
{
    (void)modifiers;
    if (m_textSelectionDrag)
    {
        m_textSelectionDrag = false;
        UpdatePreview();
        return;
    }
    if (m_dragCode == HitNone)
        return;
    DragStep(x, y);
    EndDrag();
}

void LayoutView::EndDrag()
{
    const int32_t code = m_dragCode;
    m_dragCode = HitNone;
    ConvertingTableLayout& layout = GetLayout();
    if (code == HitLine)
    {
        const int32_t position = m_dragRowLine ? layout.GetRowLine(m_dragIndex) : layout.GetColumn(m_dragIndex).x;
        if (!m_dragRowLine && !m_autoColumnDetection && layout.GetAutoRowDetection())
        {
            // The rows found anew drop the merged cells: only the whole change undoes that.
            DetectRows();
            if (layout != m_dragStartLayout)
                Add(std::make_unique<LayoutChange>(m_dragStartLayout, layout));
            InvalidateLayoutRect(nullptr);
        }
        else if (position != m_dragStartPosition)
            Add(std::make_unique<LineMove>(m_dragIndex, position - m_dragStartPosition,
                                           m_dragRowLine ? LineMove::RowLine : LineMove::ColumnLine));
    }
    else if (layout != m_dragStartLayout)
        Add(std::make_unique<LayoutChange>(m_dragStartLayout, layout));
    // Only the view's own capture: one another window of this thread took must stay with it.
    HWND view = GetViewWindow();
    if (view && ::GetCapture() == view)
        ::ReleaseCapture();
    UpdatePreview();
}

void LayoutView::OnCaptureLost()
{
    if (m_textSelectionDrag)
    {
        m_textSelectionDrag = false;
        UpdatePreview();
    }
    if (m_dragCode != HitNone)
        EndDrag();
}

void LayoutView::CreateTableFromBand(bool noWords)
{
    (void)noWords;
    m_selection.clear();
    ConvertingTableLayout& layout = GetLayout();
    const RECT band = layout.GetTableRect();
    bool made = false;
    if (band.right - band.left >= m_minColumnWidth && band.bottom - band.top >= m_minRowHeight &&
        DetectColumns(false, nullptr))
    {
        UpdatePreview();
        m_autoColumnDetection = false;
        InvalidateLayoutRect(nullptr);
        made = true;
    }
    if (!made)
        layout.Clear();
    if (!layout.IsEmpty())
        Add(std::make_unique<LayoutChange>(ConvertingTableLayout(), layout));
}

void LayoutView::OnContextMenu(int32_t x, int32_t y, POINT point)
{
    if (Shell().IsTextSelectionMode())
    {
        ShowContextMenu(MenuCopyText, point);
        return;
    }
    if (GetLayout().IsEmpty())
        return;
    const Hit hit = HitTest(x, y);
    const UINT menu = m_selectionKind == SelectColumns ? MenuColumns : MenuRowsAndCells;
    if (hit.m_code == HitCell)
    {
        const int32_t item = SelectionItemFor(hit);
        if (m_selection.count(item) == 0)
        {
            m_selection.clear();
            m_selection.insert(item);
            m_lastSelected = item;
            InvalidateLayoutRect(nullptr);
        }
    }
    ShowContextMenu(menu, point);
}
