#include "table/ui/BitmapLayoutView.h"

#include <algorithm>

#include "table/ui/BitmapLayoutViewIds.h"
#include "table/ui/ProgressDlg.h"

using namespace BitmapLayoutViewIds;

namespace
{

constexpr const wchar_t* ConvertingTitle = L"Converting table data";

int64_t Scale(int64_t value, int64_t multiply, int64_t divide)
{
    return divide == 0 ? 0 : value * multiply / divide;
}

} // namespace

constexpr int CBitmapLayoutView::ZoomPresets[];

BEGIN_MESSAGE_MAP(CBitmapLayoutView, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_RBUTTONUP()
    ON_WM_TIMER()
    ON_WM_CAPTURECHANGED()
    ON_WM_CANCELMODE()
    ON_COMMAND(CmdZoomIn, &CBitmapLayoutView::OnZoomIn)
    ON_COMMAND(CmdZoomOut, &CBitmapLayoutView::OnZoomOut)
    ON_UPDATE_COMMAND_UI(CmdZoomIn, &CBitmapLayoutView::OnUpdateZoomIn)
    ON_UPDATE_COMMAND_UI(CmdZoomOut, &CBitmapLayoutView::OnUpdateZoomOut)
    ON_COMMAND(CmdFitWidth, &CBitmapLayoutView::OnFitWidth)
    ON_COMMAND(CmdZoomBox, &CBitmapLayoutView::OnZoomBox)
    ON_CONTROL(CBN_SELENDOK, CmdZoomBox, &CBitmapLayoutView::OnZoomBox)
    ON_CONTROL(CBN_KILLFOCUS, CmdZoomBox, &CBitmapLayoutView::OnZoomBoxFocusLost)
    ON_UPDATE_COMMAND_UI(CmdZoomBox, &CBitmapLayoutView::OnUpdateZoomBox)
    ON_UPDATE_COMMAND_UI(CmdSelectionModeButton, &CBitmapLayoutView::OnUpdateSelectionModeButton)
    ON_UPDATE_COMMAND_UI(CmdSelectionKindButton, &CBitmapLayoutView::OnUpdateColumnModeButton)
    ON_UPDATE_COMMAND_UI_RANGE(LayoutView::CmdSelectColumns, LayoutView::CmdSelectCells,
                               &CBitmapLayoutView::OnUpdateSelectionKind)
    ON_UPDATE_COMMAND_UI(LayoutView::CmdTextSelectionMode, &CBitmapLayoutView::OnUpdateTextMode)
    ON_UPDATE_COMMAND_UI(LayoutView::CmdTableEditingMode, &CBitmapLayoutView::OnUpdateTableMode)
    ON_UPDATE_COMMAND_UI(LayoutView::CmdRowAndCellEditing, &CBitmapLayoutView::OnUpdateRowAndCellEditing)
    ON_COMMAND_RANGE(CmdZoomPresetFirst, CmdZoomPresetLast, &CBitmapLayoutView::OnZoomPreset)
    ON_UPDATE_COMMAND_UI_RANGE(CmdZoomPresetFirst, CmdZoomPresetLast, &CBitmapLayoutView::OnUpdateZoomPreset)
    ON_COMMAND(CmdSplit, &CBitmapLayoutView::OnSplit)
    ON_COMMAND(CmdMerge, &CBitmapLayoutView::OnMerge)
    ON_UPDATE_COMMAND_UI(CmdSplit, &CBitmapLayoutView::OnUpdateSplit)
    ON_UPDATE_COMMAND_UI(CmdMerge, &CBitmapLayoutView::OnUpdateMerge)
    ON_COMMAND(LayoutView::CmdClearLayout, &CBitmapLayoutView::OnClearLayout)
    ON_COMMAND(LayoutView::CmdAutoColumnDetection, &CBitmapLayoutView::OnAutoColumnDetection)
    ON_UPDATE_COMMAND_UI(LayoutView::CmdAutoColumnDetection, &CBitmapLayoutView::OnUpdateAutoColumnDetection)
    ON_COMMAND_RANGE(LayoutView::CmdFormatFirst, LayoutView::CmdFormatLast, &CBitmapLayoutView::OnColumnFormatCommand)
    ON_UPDATE_COMMAND_UI_RANGE(LayoutView::CmdFormatFirst, LayoutView::CmdFormatLast,
                           &CBitmapLayoutView::OnUpdateColumnFormatCommand)
    ON_COMMAND(LayoutView::CmdRowAndCellEditing, &CBitmapLayoutView::OnRowAndCellEditingCommand)
    ON_COMMAND_RANGE(LayoutView::CmdSelectColumns, LayoutView::CmdSelectCells, &CBitmapLayoutView::OnSelectionKind)
    ON_COMMAND(LayoutView::CmdTextSelectionMode, &CBitmapLayoutView::OnTextMode)
    ON_COMMAND(LayoutView::CmdTableEditingMode, &CBitmapLayoutView::OnTableMode)
    ON_COMMAND(LayoutView::CmdConvert, &CBitmapLayoutView::OnConvertCommand)
    ON_UPDATE_COMMAND_UI(LayoutView::CmdConvert, &CBitmapLayoutView::OnUpdateConvert)
    ON_COMMAND(ID_EDIT_COPY, &CBitmapLayoutView::OnCopy)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, &CBitmapLayoutView::OnUpdateCopy)
    ON_COMMAND(ID_EDIT_UNDO, &CBitmapLayoutView::OnUndo)
    ON_COMMAND(ID_EDIT_REDO, &CBitmapLayoutView::OnRedo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, &CBitmapLayoutView::OnUpdateUndo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_REDO, &CBitmapLayoutView::OnUpdateRedo)
    ON_COMMAND(CmdFindNext, &CBitmapLayoutView::OnFindNext)
    ON_UPDATE_COMMAND_UI(CmdFindNext, &CBitmapLayoutView::OnUpdateFindNext)
    ON_COMMAND(CmdOpenLayout, &CBitmapLayoutView::OnOpenLayout)
    ON_COMMAND(CmdSaveLayout, &CBitmapLayoutView::OnSaveLayout)
    ON_UPDATE_COMMAND_UI(CmdSaveLayout, &CBitmapLayoutView::OnUpdateSaveLayout)
    ON_COMMAND(CmdNextPage, &CBitmapLayoutView::OnNextPage)
    ON_COMMAND(CmdPreviousPage, &CBitmapLayoutView::OnPreviousPage)
    ON_COMMAND(CmdFirstPage, &CBitmapLayoutView::OnFirstPage)
    ON_COMMAND(CmdLastPage, &CBitmapLayoutView::OnLastPage)
    ON_UPDATE_COMMAND_UI(CmdNextPage, &CBitmapLayoutView::OnUpdateNextPage)
    ON_UPDATE_COMMAND_UI(CmdLastPage, &CBitmapLayoutView::OnUpdateNextPage)
    ON_UPDATE_COMMAND_UI(CmdPreviousPage, &CBitmapLayoutView::OnUpdatePreviousPage)
    ON_UPDATE_COMMAND_UI(CmdFirstPage, &CBitmapLayoutView::OnUpdatePreviousPage)
    ON_COMMAND(CmdCurrentPageBox, &CBitmapLayoutView::OnCurrentPageBox)
    ON_UPDATE_COMMAND_UI(CmdPageCountLabel, &CBitmapLayoutView::OnUpdatePageCount)
    ON_COMMAND(CmdGoToPage, &CBitmapLayoutView::OnGoToPage)
    ON_UPDATE_COMMAND_UI(CmdGoToPage, &CBitmapLayoutView::OnUpdateGoToPage)
END_MESSAGE_MAP()

CBitmapLayoutView::CBitmapLayoutView()
{
    SetMinimumSizes(10, 10);
}

CBitmapLayoutView::~CBitmapLayoutView()
{
    // The undo list's actions go with the view.
    OxActionList::Clear();
}

BOOL CBitmapLayoutView::Create(CWnd* parent, const RECT& rect, UINT id)
{
    LPCTSTR windowClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorW(nullptr, IDC_ARROW),
                                              ::GetSysColorBrush(COLOR_APPWORKSPACE));
    return CWnd::CreateEx(WS_EX_CLIENTEDGE, windowClass, L"", WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, rect,
                          parent, id);
}

// --- mapping ---------------------------------------------------------------------------------

POINT CBitmapLayoutView::GetPageOrigin() const
{
    RECT client = {0, 0, 0, 0};
    if (m_hWnd)
        ::GetClientRect(m_hWnd, &client);
    const int64_t width = Scale(m_pageWidth, GetZoom(), m_maxZoom);
    const int64_t height = Scale(m_pageHeight, GetZoom(), m_maxZoom);
    POINT origin;
    origin.x = width < client.right ? static_cast<LONG>((client.right - width) / 2) : -m_scrollX;
    origin.y = height < client.bottom ? static_cast<LONG>((client.bottom - height) / 2) : -m_scrollY;
    return origin;
}

POINT CBitmapLayoutView::PageToWindow(POINT page) const
{
    const POINT origin = GetPageOrigin();
    return {static_cast<LONG>(Scale(page.x, GetZoom(), m_maxZoom) + origin.x),
            static_cast<LONG>(Scale(page.y, GetZoom(), m_maxZoom) + origin.y)};
}

POINT CBitmapLayoutView::WindowToPage(POINT client) const
{
    const POINT origin = GetPageOrigin();
    return {static_cast<LONG>(Scale(client.x - origin.x, m_maxZoom, GetZoom())),
            static_cast<LONG>(Scale(client.y - origin.y, m_maxZoom, GetZoom()))};
}

bool CBitmapLayoutView::LayoutToScreen(RECT& rect)
{
    if (GetZoom() == 0)
    {
        rect = {0, 0, 0, 0};
        return true;
    }
    const POINT topLeft = PageToWindow({rect.left, rect.top});
    const POINT bottomRight = PageToWindow({rect.right, rect.bottom});
    rect = {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    return true;
}

RECT CBitmapLayoutView::GetPageRect()
{
    return {0, 0, m_pageWidth, m_pageHeight};
}

void CBitmapLayoutView::SetPageSize(int32_t width, int32_t height)
{
    m_pageWidth = width;
    m_pageHeight = height;
}

void CBitmapLayoutView::SetMaxZoomFor(uint32_t pageResolution, int screenResolution)
{
    // 64 bits: a resolution near the top of its 32-bit range must not wrap; never below 1.
    const int64_t zoom = screenResolution > 0 ? static_cast<int64_t>(pageResolution) * 100 / screenResolution : 100;
    m_maxZoom = static_cast<int32_t>(std::max<int64_t>(1, std::min<int64_t>(zoom, INT32_MAX / 100)));
}

// --- zoom and scrolling ----------------------------------------------------------------------

void CBitmapLayoutView::SetZoom(int32_t percent, bool fitWidth)
{
    RECT client = {0, 0, 0, 0};
    if (m_hWnd)
        ::GetClientRect(m_hWnd, &client);
    const POINT centre = WindowToPage({client.right / 2, client.bottom / 2});
    SetZoomField(std::max(1, std::min(percent, m_maxZoom)));
    m_fitWidth = fitWidth;
    UpdateScrollBars();
    const int64_t width = Scale(m_pageWidth, GetZoom(), m_maxZoom);
    const int64_t height = Scale(m_pageHeight, GetZoom(), m_maxZoom);
    int x = m_scrollX, y = m_scrollY;
    if (width > client.right)
        x = static_cast<int>(Scale(centre.x, GetZoom(), m_maxZoom) - client.right / 2);
    if (height > client.bottom)
        y = static_cast<int>(Scale(centre.y, GetZoom(), m_maxZoom) - client.bottom / 2);
    ScrollTo(x, y);
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
    Shell().ShowZoom(m_hWnd, GetZoom());
}

void CBitmapLayoutView::FitWidth()
{
    RECT client;
    if (!m_hWnd || m_pageWidth <= 0)
        return;
    ::GetClientRect(m_hWnd, &client);
    // The page line at the top of the window stays there, so the top of the page stays in view.
    const int32_t top = WindowToPage({0, 0}).y;
    // Rounded up: a whole percent short of the width would leave bands on both sides.
    const int64_t zoom = (static_cast<int64_t>(client.right) * m_maxZoom + m_pageWidth - 1) / m_pageWidth;
    SetZoom(static_cast<int32_t>(std::min<int64_t>(zoom, INT32_MAX)), true);
    ScrollTo(0, static_cast<int>(Scale(std::max(0, top), GetZoom(), m_maxZoom)));
}

int32_t CBitmapLayoutView::ParseZoomText(const std::wstring& text)
{
    size_t at = text.find_first_not_of(L' ');
    int64_t value = 0;
    size_t digits = 0;
    for (; at < text.size() && text[at] >= L'0' && text[at] <= L'9'; ++at, ++digits)
    {
        value = value * 10 + (text[at] - L'0');
        if (value > INT32_MAX)
            return 0;
    }
    while (at < text.size() && text[at] == L' ')
        ++at;
    if (at < text.size() && text[at] == L'%')
        ++at;
    while (at < text.size() && text[at] == L' ')
        ++at;
    return digits > 0 && at == text.size() ? static_cast<int32_t>(value) : 0;
}

void CBitmapLayoutView::UpdateScrollBars()
{
    if (!m_hWnd)
        return;
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const int width = static_cast<int>(Scale(m_pageWidth, GetZoom(), m_maxZoom));
    const int height = static_cast<int>(Scale(m_pageHeight, GetZoom(), m_maxZoom));
    m_scrollX = width <= client.right ? 0 : std::min<int>(m_scrollX, width - client.right + 1);
    m_scrollY = height <= client.bottom ? 0 : std::min<int>(m_scrollY, height - client.bottom + 1);
    SCROLLINFO info = {
        sizeof(info), SIF_ALL | SIF_DISABLENOSCROLL, 0, width, static_cast<UINT>(client.right), m_scrollX, 0};
    ::SetScrollInfo(m_hWnd, SB_HORZ, &info, TRUE);
    info = {sizeof(info), SIF_ALL | SIF_DISABLENOSCROLL, 0, height, static_cast<UINT>(client.bottom), m_scrollY, 0};
    ::SetScrollInfo(m_hWnd, SB_VERT, &info, TRUE);
}

void CBitmapLayoutView::ScrollTo(int x, int y)
{
    if (!m_hWnd)
        return;
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const int width = static_cast<int>(Scale(m_pageWidth, GetZoom(), m_maxZoom));
    const int height = static_cast<int>(Scale(m_pageHeight, GetZoom(), m_maxZoom));
    x = std::max(0, std::min(x, std::max<int>(0, width - client.right + 1)));
    y = std::max(0, std::min(y, std::max<int>(0, height - client.bottom + 1)));
    if (width <= client.right)
        x = 0;
    if (height <= client.bottom)
        y = 0;
    const int dx = m_scrollX - x;
    const int dy = m_scrollY - y;
    if (dx == 0 && dy == 0)
        return;
    m_scrollX = x;
    m_scrollY = y;
    ::SetScrollPos(m_hWnd, SB_HORZ, x, TRUE);
    ::SetScrollPos(m_hWnd, SB_VERT, y, TRUE);
    ::ScrollWindowEx(m_hWnd, dx, dy, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE | SW_ERASE);
}

void CBitmapLayoutView::ScrollBy(int dx, int dy)
{
    ScrollTo(m_scrollX + dx, m_scrollY + dy);
}

void CBitmapLayoutView::OnHScroll(UINT code, UINT position, CScrollBar*)
{
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    switch (code)
    {
    case SB_LINELEFT:
        ScrollBy(-LineStep, 0);
        break;
    case SB_LINERIGHT:
        ScrollBy(LineStep, 0);
        break;
    case SB_PAGELEFT:
        ScrollBy(-client.right, 0);
        break;
    case SB_PAGERIGHT:
        ScrollBy(client.right, 0);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        ScrollTo(static_cast<int>(position), m_scrollY);
        break;
    case SB_LEFT:
        ScrollTo(0, m_scrollY);
        break;
    case SB_RIGHT:
        ScrollTo(m_pageWidth, m_scrollY);
        break;
    default:
        break;
    }
}

void CBitmapLayoutView::OnVScroll(UINT code, UINT position, CScrollBar*)
{
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    switch (code)
    {
    case SB_LINEUP:
        ScrollBy(0, -LineStep);
        break;
    case SB_LINEDOWN:
        ScrollBy(0, LineStep);
        break;
    case SB_PAGEUP:
        ScrollBy(0, -client.bottom);
        break;
    case SB_PAGEDOWN:
        ScrollBy(0, client.bottom);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        ScrollTo(m_scrollX, static_cast<int>(position));
        break;
    case SB_TOP:
        ScrollTo(m_scrollX, 0);
        break;
    case SB_BOTTOM:
        ScrollTo(m_scrollX, m_pageHeight);
        break;
    default:
        break;
    }
}

void CBitmapLayoutView::OnSize(UINT, int, int)
{
    if (m_pageWidth <= 0)
        return;
    if (m_fitWidth)
        FitWidth();
    UpdateScrollBars();
}

void CBitmapLayoutView::AutoScroll(int32_t x, int32_t y)
{
    const POINT client = PageToWindow({x, y});
    RECT area;
    ::GetClientRect(m_hWnd, &area);
    const int dx = client.x < area.left ? -LineStep : client.x >= area.right ? LineStep : 0;
    const int dy = client.y < area.top ? -LineStep : client.y >= area.bottom ? LineStep : 0;
    if (dx != 0 || dy != 0)
        ScrollBy(dx, dy);
}

// --- painting --------------------------------------------------------------------------------

BOOL CBitmapLayoutView::OnEraseBkgnd(CDC* dc)
{
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const POINT origin = GetPageOrigin();
    const RECT page = {origin.x, origin.y, origin.x + static_cast<LONG>(Scale(m_pageWidth, GetZoom(), m_maxZoom)),
                       origin.y + static_cast<LONG>(Scale(m_pageHeight, GetZoom(), m_maxZoom))};
    HBRUSH brush = ::GetSysColorBrush(COLOR_APPWORKSPACE);
    const RECT bands[] = {{client.left, client.top, client.right, page.top},
                          {client.left, page.top, page.left, page.bottom},
                          {page.right, page.top, client.right, page.bottom},
                          {client.left, page.bottom, client.right, client.bottom}};
    for (const RECT& band : bands)
    {
        if (band.right > band.left && band.bottom > band.top)
            ::FillRect(dc->GetSafeHdc(), &band, brush);
    }
    return TRUE;
}

void CBitmapLayoutView::OnPaint()
{
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    const POINT origin = GetPageOrigin();
    const RECT page = {origin.x, origin.y, origin.x + static_cast<LONG>(Scale(m_pageWidth, GetZoom(), m_maxZoom)),
                       origin.y + static_cast<LONG>(Scale(m_pageHeight, GetZoom(), m_maxZoom))};
    const int saved = ::SaveDC(dc);
    ::IntersectClipRect(dc, page.left, page.top, page.right, page.bottom);
    DrawPage(dc, page);
    if (m_drawingBand)
    {
        RECT band = {std::min(m_bandStart.x, m_bandCurrent.x), std::min(m_bandStart.y, m_bandCurrent.y),
                     std::max(m_bandStart.x, m_bandCurrent.x), std::max(m_bandStart.y, m_bandCurrent.y)};
        const POINT a = PageToWindow({band.left, band.top});
        const POINT b = PageToWindow({band.right, band.bottom});
        band = {a.x, a.y, b.x, b.y};
        ::InvertRect(dc, &band);
    }
    else
    {
        const bool textMode = Shell().IsTextSelectionMode();
        if (!GetLayout().IsEmpty() || (textMode && HasTextSelection()))
        {
            const int layoutState = ::SaveDC(dc);
            DrawLayout(dc, paint.rcPaint, !textMode, textMode && HasTextSelection() && !IsBusy());
            ::RestoreDC(dc, layoutState);
        }
    }
    ::RestoreDC(dc, saved);
    ::EndPaint(m_hWnd, &paint);
}

void CBitmapLayoutView::InvalidateLayoutRect(const RECT* rect)
{
    if (!m_hWnd)
        return;
    RECT area = rect ? *rect : GetLayout().GetTableRect();
    if (!rect && GetLayout().IsEmpty())
        return;
    LayoutToScreen(area);
    ::InflateRect(&area, InvalidateMargin, InvalidateMargin);
    ::InvalidateRect(m_hWnd, &area, FALSE);
}

void CBitmapLayoutView::InvalidateSelection(HRGN other)
{
    if (!m_hWnd)
        return;
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    if (GetSelectionRegion())
        ::CombineRgn(region, GetSelectionRegion(), nullptr, RGN_COPY);
    if (other)
        ::CombineRgn(region, region, other, RGN_OR);
    ::InvalidateRgn(m_hWnd, region, FALSE);
    ::DeleteObject(region);
}

void CBitmapLayoutView::Redraw()
{
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CBitmapLayoutView::Invalidate(bool erase)
{
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, erase ? TRUE : FALSE);
}

void CBitmapLayoutView::OnSelectionChanged()
{
    HRGN region = GetSelectionRegion();
    if (!region || !m_hWnd)
        return;
    RECT box, client;
    ::GetRgnBox(region, &box);
    ::GetClientRect(m_hWnd, &client);
    int dx = 0, dy = 0;
    if (box.left < client.left)
        dx = box.left - client.left;
    else if (box.right > client.right)
        dx = std::min(box.right - client.right, box.left - client.left);
    if (box.top < client.top)
        dy = box.top - client.top;
    else if (box.bottom > client.bottom)
        dy = std::min(box.bottom - client.bottom, box.top - client.top);
    ScrollBy(dx, dy);
    ::GetRgnBox(GetSelectionRegion(), &box);
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&box), 2);
    RECT dialog, overlap;
    if (Shell().GetFindDialogRect(dialog) && ::IntersectRect(&overlap, &dialog, &box))
        Shell().MoveFindDialogAway();
}

// --- mouse -----------------------------------------------------------------------------------

int32_t CBitmapLayoutView::Modifiers(UINT flags) const
{
    return ((flags & MK_SHIFT) ? ModShift : 0) | ((flags & MK_CONTROL) ? ModCtrl : 0);
}

void CBitmapLayoutView::BeginCapture()
{
    ::SetCapture(m_hWnd);
    ::SetTimer(m_hWnd, AutoScrollTimer, AutoScrollInterval, nullptr);
}

void CBitmapLayoutView::OnLButtonDown(UINT flags, CPoint point)
{
    if (IsBusy())
        return;
    ::SetFocus(m_hWnd);
    const POINT page = WindowToPage(point);
    if (!Shell().IsTextSelectionMode() && GetLayout().IsEmpty())
    {
        m_bandStart = m_bandCurrent = page;
        m_drawingBand = true;
        ::SetCapture(m_hWnd);
        ::SetTimer(m_hWnd, AutoScrollTimer, AutoScrollInterval, nullptr);
        return;
    }
    LayoutView::OnLButtonDown(page.x, page.y, Modifiers(flags));
}

void CBitmapLayoutView::OnMouseMove(UINT flags, CPoint point)
{
    if (IsBusy())
        return;
    const POINT page = WindowToPage(point);
    if (m_drawingBand)
    {
        if (page.x != m_bandCurrent.x || page.y != m_bandCurrent.y)
        {
            auto invalidateBand = [this]() {
                RECT band = {std::min(m_bandStart.x, m_bandCurrent.x), std::min(m_bandStart.y, m_bandCurrent.y),
                             std::max(m_bandStart.x, m_bandCurrent.x), std::max(m_bandStart.y, m_bandCurrent.y)};
                LayoutToScreen(band);
                ::InflateRect(&band, 1, 1);
                ::InvalidateRect(m_hWnd, &band, FALSE);
            };
            invalidateBand();
            m_bandCurrent = page;
            invalidateBand();
        }
        AutoScroll(page.x, page.y);
        return;
    }
    LayoutView::OnMouseMove(page.x, page.y, Modifiers(flags));
}

void CBitmapLayoutView::OnLButtonUp(UINT flags, CPoint point)
{
    if (IsBusy())
        return;
    const POINT page = WindowToPage(point);
    if (m_drawingBand)
    {
        m_drawingBand = false;
        ::ReleaseCapture();
        ::KillTimer(m_hWnd, AutoScrollTimer);
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
        RECT band = {std::min(m_bandStart.x, m_bandCurrent.x), std::min(m_bandStart.y, m_bandCurrent.y),
                     std::max(m_bandStart.x, m_bandCurrent.x), std::max(m_bandStart.y, m_bandCurrent.y)};
        ::IntersectRect(&band, &band, &static_cast<const RECT&>(GetPageRect()));
        GetLayout().SetTableRect(band);
        CreateTableFromBand(false);
        return;
    }
    // The editor ends its drag at this point first: releasing the capture before would end it
    // where the last move left it.
    LayoutView::OnLButtonUp(page.x, page.y, Modifiers(flags));
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    ::KillTimer(m_hWnd, AutoScrollTimer);
}

void CBitmapLayoutView::OnRButtonUp(UINT flags, CPoint point)
{
    (void)flags;
    if (IsBusy())
        return;
    if (::GetFocus() != m_hWnd)
        ::SetFocus(m_hWnd);
    const POINT page = WindowToPage(point);
    POINT screen = point;
    ::ClientToScreen(m_hWnd, &screen);
    LayoutView::OnContextMenu(page.x, page.y, screen);
}

void CBitmapLayoutView::OnTimer(UINT_PTR id)
{
    if (id != AutoScrollTimer)
        return;
    if (::GetCapture() != m_hWnd)
    {
        ::KillTimer(m_hWnd, AutoScrollTimer);
        return;
    }
    POINT cursor;
    ::GetCursorPos(&cursor);
    ::ScreenToClient(m_hWnd, &cursor);
    UINT flags = 0;
    if (::GetKeyState(VK_SHIFT) < 0)
        flags |= MK_SHIFT;
    if (::GetKeyState(VK_CONTROL) < 0)
        flags |= MK_CONTROL;
    OnMouseMove(flags, CPoint(cursor.x, cursor.y));
}

void CBitmapLayoutView::OnCaptureChanged(CWnd* newCapture)
{
    CWnd::OnCaptureChanged(newCapture);
    if (newCapture && newCapture->m_hWnd == m_hWnd)
        return;
    ::KillTimer(m_hWnd, AutoScrollTimer);
    CancelBand();
    OnCaptureLost();
}

void CBitmapLayoutView::OnCancelMode()
{
    CWnd::OnCancelMode();
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    ::KillTimer(m_hWnd, AutoScrollTimer);
    CancelBand();
    OnCaptureLost();
}

void CBitmapLayoutView::CancelBand()
{
    if (!m_drawingBand)
        return;
    m_drawingBand = false;
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CBitmapLayoutView::ShowContextMenu(UINT menuId, POINT point)
{
    Shell().ShowContextMenu(m_hWnd, menuId, GetContextSubmenuIndex(menuId), point);
}

std::wstring CBitmapLayoutView::GetDocumentName()
{
    std::wstring name;
    if (m_frame)
        m_frame->GetOutputFileName(name);
    return name;
}

void CBitmapLayoutView::CheckMergedCellsMode()
{
    Shell().ShowZoom(m_hWnd, GetZoom());
    LayoutView::CheckMergedCellsMode();
    Redraw();
    if (m_frame)
        m_frame->SetCurrentPage(GetCurrentPageNumber());
}

void CBitmapLayoutView::OnActivateView()
{
    LayoutView::OnActivateView();
    Shell().ShowZoom(m_hWnd, GetZoom());
}

bool CBitmapLayoutView::RunJob(ConversionJob& job, bool showProgress)
{
    if (!showProgress)
        return LayoutView::RunJob(job, false);
    CProgressDlg dialog(this);
    dialog.SetTitle(ConvertingTitle);
    dialog.SetCloseWhenFinished(true);
    dialog.ShowPercent(true, true);
    dialog.SetJob(&job, this);
    dialog.DoModal();
    return !dialog.IsCanceled();
}
