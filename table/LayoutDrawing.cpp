// The layout drawn over the page: the frame and lines, the selection, handles, the text selection.
#include "table/LayoutView.h"

#include <algorithm>

namespace
{

constexpr COLORREF StrongPenColour = RGB(255, 128, 0);
constexpr COLORREF LightPenColour = RGB(255, 192, 128);
constexpr uint32_t StrongLine = 0xD0D06800;
constexpr uint32_t StrongLineFewColours = 0xD0F00000;
constexpr uint32_t StrongGap = 0x80808080;
constexpr uint32_t LightLine = 0x60603000;
constexpr uint32_t LightLineFewColours = 0x80800000;
constexpr uint32_t LightGap = 0x60606060;
constexpr int DashOn = 5;
constexpr int DashPeriod = 8;

bool UsesGdiPens()
{
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!::GetVersionExW(&version))
        return false;
#pragma GCC diagnostic pop
    return version.dwMajorVersion < 5;
}

// A 32-bit premultiplied band: 5 pixels of line, 3 of gap along its length.
class Band
{
public:
    Band(HDC dc, int width, int height, bool horizontal, uint32_t line, uint32_t gap)
    {
        if (width <= 0 || height <= 0)
            return;
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = height; // bottom-up: a vertical band counts from its bottom row
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (!m_bitmap || !bits)
            return;
        uint32_t* pixels = static_cast<uint32_t*>(bits);
        for (int row = 0; row < height; ++row)
        {
            for (int column = 0; column < width; ++column)
            {
                const int along = horizontal ? column : row;
                pixels[row * width + column] = along % DashPeriod < DashOn ? line : gap;
            }
        }
        m_width = width;
        m_height = height;
    }
    ~Band()
    {
        if (m_bitmap)
            ::DeleteObject(m_bitmap);
    }
    Band(const Band&) = delete;
    Band& operator=(const Band&) = delete;

    // Blends the band's top-left part of the given size at (x, y).
    void Blend(HDC dc, HDC memory, int x, int y, int width, int height) const
    {
        if (!m_bitmap || width <= 0 || height <= 0)
            return;
        width = std::min(width, m_width);
        height = std::min(height, m_height);
        HGDIOBJ old = ::SelectObject(memory, m_bitmap);
        BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        ::AlphaBlend(dc, x, y, width, height, memory, 0, 0, width, height, blend);
        ::SelectObject(memory, old);
    }

private:
    HBITMAP m_bitmap = nullptr;
    int m_width = 0;
    int m_height = 0;
};

} // namespace

int32_t LayoutView::LineWidthForZoom(int32_t zoom)
{
    return zoom < 100 ? 1 : zoom < 200 ? 2 : 3;
}

int32_t LayoutView::HandleSizeForZoom(int32_t zoom)
{
    return 6 * (zoom <= 100 ? 1 : zoom <= 200 ? 2 : 3);
}

void LayoutView::DrawLayout(HDC dc, const RECT& clip, bool tableMode, bool showTextSelection)
{
    const ConvertingTableLayout& layout = GetLayout();
    if (layout.IsEmpty())
    {
        if (!tableMode && showTextSelection)
            DrawTextSelection(dc, clip);
        return;
    }
    RECT table = layout.GetTableRect();
    if (!LayoutToScreen(table))
        return;
    ::SelectObject(dc, ::GetStockObject(WHITE_BRUSH));
    if (UsesGdiPens())
        DrawLinesWithPens(dc, table, clip, tableMode);
    else
        DrawLinesBlended(dc, table, clip, tableMode);
    if (!tableMode)
    {
        if (showTextSelection)
            DrawTextSelection(dc, clip);
        return;
    }
    InvertSelection(dc, clip);
    ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
    if (Shell().GetOptions().m_drawHandles)
        DrawHandles(dc, table);
}

template <class LineFn>
void LayoutView::WalkCellLines(const RECT& table, const RECT& clip, bool tableMode, LineFn line)
{
    const ConvertingTableLayout& layout = GetLayout();
    const RECT& pageTable = layout.GetTableRect();
    const bool rowLines = (tableMode && Shell().IsAdvancedMode()) || Shell().GetOptions().m_drawRowAlways;
    const bool lightRows = tableMode && !Shell().IsAdvancedMode();
    for (int c = 0; c < layout.GetColumnCount(); ++c)
    {
        for (int r = 0; r <= layout.GetRowLineCount(); ++r)
        {
            RECT block;
            if (!layout.GetMergedCellRect(c, r, block))
                continue;
            if (block.bottom <= pageTable.top || block.top >= pageTable.bottom)
                continue;
            if (!LayoutToScreen(block))
                continue;
            if (block.right < clip.left || block.left > clip.right || block.bottom < clip.top ||
                block.top > clip.bottom)
                continue;
            if (block.right != table.right)
            {
                const int y0 = std::max({table.top, block.top, clip.top});
                const int y1 = std::min({table.bottom, block.bottom, clip.bottom});
                line(true, block.right, y0, y1, false);
            }
            if (rowLines && block.bottom < table.bottom)
            {
                const int x0 = std::max(clip.left, block.left);
                const int x1 = std::min(clip.right, block.right);
                line(false, block.bottom, x0, x1, lightRows);
            }
        }
    }
}

void LayoutView::DrawLinesWithPens(HDC dc, const RECT& table, const RECT& clip, bool tableMode)
{
    const int width = LineWidthForZoom(m_zoom);
    const int saved = ::SaveDC(dc);
    HPEN strong = ::CreatePen(PS_SOLID, width, StrongPenColour);
    HPEN light = ::CreatePen(PS_SOLID, width, LightPenColour);
    HPEN frame = tableMode ? strong : light;
    ::SelectObject(dc, frame);
    ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
    ::Rectangle(dc, table.left, table.top, table.right, table.bottom);
    WalkCellLines(table, clip, tableMode, [&](bool vertical, int at, int from, int to, bool lightLine) {
        ::SelectObject(dc, lightLine ? light : frame);
        if (vertical)
        {
            ::MoveToEx(dc, at, from, nullptr);
            ::LineTo(dc, at, to);
        }
        else
        {
            ::MoveToEx(dc, from, at, nullptr);
            ::LineTo(dc, to, at);
        }
    });
    ::RestoreDC(dc, saved);
    ::DeleteObject(strong);
    ::DeleteObject(light);
}

void LayoutView::DrawLinesBlended(HDC dc, const RECT& table, const RECT& clip, bool tableMode)
{
    const int width = LineWidthForZoom(m_zoom);
    const bool fewColours = ::GetDeviceCaps(dc, BITSPIXEL) <= 8;
    const uint32_t strong = fewColours ? StrongLineFewColours : StrongLine;
    const uint32_t light = fewColours ? LightLineFewColours : LightLine;
    const uint32_t mainLine = tableMode ? strong : light;
    const uint32_t mainGap = tableMode ? StrongGap : LightGap;
    const int tableWidth = table.right - table.left;
    const int tableHeight = table.bottom - table.top;
    HDC memory = ::CreateCompatibleDC(dc);
    if (!memory)
        return;
    {
        Band horizontal(dc, tableWidth, width, true, mainLine, mainGap);
        Band horizontalLight(dc, tableMode ? tableWidth : 0, width, true, light, LightGap);
        Band vertical(dc, width, tableHeight, false, mainLine, mainGap);
        horizontal.Blend(dc, memory, table.left, table.top, tableWidth, width);
        horizontal.Blend(dc, memory, table.left, table.bottom - width, tableWidth, width);
        if (tableHeight > 2 * width)
        {
            vertical.Blend(dc, memory, table.left, table.top + width, width, tableHeight - 2 * width);
            vertical.Blend(dc, memory, table.right - width, table.top + width, width, tableHeight - 2 * width);
        }
        WalkCellLines(table, clip, tableMode, [&](bool isVertical, int at, int from, int to, bool lightLine) {
            if (isVertical)
                vertical.Blend(dc, memory, at, from, width, to - from);
            else
                (lightLine ? horizontalLight : horizontal).Blend(dc, memory, from, at, to - from, width);
        });
    }
    ::DeleteDC(memory);
}

void LayoutView::InvertSelection(HDC dc, const RECT& clip)
{
    const ConvertingTableLayout& layout = GetLayout();
    for (int32_t item : m_selection)
    {
        std::vector<std::pair<int, int>> cells;
        if (m_selectionKind == SelectColumns)
        {
            if (item < 0 || item >= layout.GetColumnCount())
                continue;
            for (int r = 0; r < layout.GetRowCount(); ++r)
                cells.emplace_back(item, r);
        }
        else if (m_selectionKind == SelectRows)
        {
            if (item < 0 || item >= layout.GetRowCount())
                continue;
            for (int c = 0; c < layout.GetColumnCount(); ++c)
                cells.emplace_back(c, item);
        }
        else
            cells.emplace_back(ConvertingTableLayout::IdColumn(item), ConvertingTableLayout::IdRow(item));
        for (const auto& cell : cells)
        {
            RECT block;
            if (!layout.IsOrigin(cell.first, cell.second) || !layout.GetMergedCellRect(cell.first, cell.second, block))
                continue;
            if (!LayoutToScreen(block))
                continue;
            RECT shown;
            if (::IntersectRect(&shown, &block, &clip))
                ::InvertRect(dc, &shown);
        }
    }
}

void LayoutView::DrawHandles(HDC dc, const RECT& table)
{
    const ConvertingTableLayout& layout = GetLayout();
    const int size = HandleSizeForZoom(m_zoom);
    auto handle = [&](int x, int y) {
        const int left = x - size / 2;
        const int top = y - size / 2;
        ::Rectangle(dc, left, top, left + size, top + size);
    };
    handle((table.left + table.right) / 2, table.top);
    handle((table.left + table.right) / 2, table.bottom);
    handle(table.left, (table.top + table.bottom) / 2);
    if (!layout.HasColumns())
        return;
    const RECT& pageTable = layout.GetTableRect();
    const int32_t centreX = (pageTable.left + pageTable.right) / 2;
    const int32_t centreY = (pageTable.top + pageTable.bottom) / 2;
    const int rowLines = layout.GetRowLineCount();
    const int columns = layout.GetColumnCount();
    auto endsAt = [&](int c, int r, bool columnEnd, int index) {
        int oc = c, orow = r;
        layout.GetCellOrigin(oc, orow);
        int lastColumn, lastRow;
        layout.GetBlockEnd(oc, orow, lastColumn, lastRow);
        return columnEnd ? lastColumn == index : lastRow == index;
    };
    const int m = layout.RowAt(centreX, centreY);
    for (int c = 0; c < columns; ++c)
    {
        RECT at;
        bool found = false;
        if (endsAt(c, m, true, c))
        {
            at = layout.GetColumnExtent(c);
            if (LayoutToScreen(at))
            {
                handle(at.right, (table.top + table.bottom) / 2);
                continue;
            }
        }
        for (int k = 1; !found && k <= std::max(m, rowLines - m); ++k)
        {
            for (int row : {m - k, m + k})
            {
                if (row < 0 || row > rowLines || !endsAt(c, row, true, c))
                    continue;
                at = layout.GetCellRect(c, row);
                if (LayoutToScreen(at))
                    handle(at.right, (at.top + at.bottom) / 2);
                found = true;
                break;
            }
        }
    }
    if (Shell().IsTextSelectionMode() || !Shell().IsAdvancedMode())
        return;
    const int n = layout.ColumnAt(centreX, centreY);
    // A table of no width or height has no column under its centre: no row handles then.
    if (n < 0)
        return;
    for (int r = 0; r <= rowLines; ++r)
    {
        RECT at;
        bool found = false;
        if (endsAt(n, r, false, r))
        {
            at = layout.GetRowExtent(r);
            if (LayoutToScreen(at))
            {
                handle((table.left + table.right) / 2, at.bottom);
                continue;
            }
        }
        for (int k = 1; !found && k <= std::max(n, columns - 1 - n); ++k)
        {
            for (int column : {n - k, n + k})
            {
                if (column < 0 || column >= columns || !endsAt(column, r, false, r))
                    continue;
                at = layout.GetCellRect(column, r);
                if (LayoutToScreen(at))
                    handle((at.left + at.right) / 2, at.bottom);
                found = true;
                break;
            }
        }
    }
}

void LayoutView::DrawTextSelection(HDC dc, const RECT& clip)
{
    if (!UpdateSelectionRegion())
    {
        Invalidate(false);
        return;
    }
    if (!m_selectionRegion)
        return;
    HRGN shown = ::CreateRectRgnIndirect(&clip);
    ::CombineRgn(shown, shown, m_selectionRegion, RGN_AND);
    ::InvertRgn(dc, shown);
    ::DeleteObject(shown);
}
