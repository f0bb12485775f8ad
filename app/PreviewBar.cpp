#include "app/PreviewBar.h"

#include <richedit.h>

#include "app/ChildFrame.h"
#include "pagemodel/RtlText.h"
#include "table/ConvertingTableLayout.h"
#include "table/LayoutShell.h"
#include "table/LayoutView.h"
#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/bars/KTToolBar.h"

BOOL CSmartRichEditCtrl::CreateView(DWORD style, CWnd* parent, UINT id)
{
    WNDCLASSW found = {};
    LPCWSTR className = L"RichEdit20W";
    if (!::GetClassInfoW(nullptr, className, &found) && !::GetClassInfoW(AfxGetInstanceHandle(), className, &found))
    {
        AfxInitRichEdit2();
        className = RICHEDIT_CLASS;
    }
    return CWnd::Create(className, nullptr, style, CRect(0, 0, 0, 0), parent, id);
}

IMPLEMENT_DYNAMIC(CConvertingSampleBar, CKTLockedSizingControlBar)

BEGIN_MESSAGE_MAP(CConvertingSampleBar, CKTLockedSizingControlBar)
ON_WM_CREATE()
ON_WM_SIZE()
END_MESSAGE_MAP()

CConvertingSampleBar::CConvertingSampleBar() = default;
CConvertingSampleBar::~CConvertingSampleBar() = default;

std::wstring CConvertingSampleBar::ColumnName(int column)
{
    std::wstring name;
    for (int n = column; n > 0; n = (n - 1) / 26)
        name.insert(name.begin(), static_cast<wchar_t>(L'A' + (n - 1) % 26));
    return name;
}

std::wstring CConvertingSampleBar::StripMnemonics(const std::wstring& text)
{
    std::wstring plain;
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] == L'&')
        {
            if (i + 1 < text.size() && text[i + 1] == L'&')
            {
                plain += L'&';
                ++i;
            }
            continue;
        }
        plain += text[i];
    }
    return plain;
}

int CConvertingSampleBar::OnCreate(LPCREATESTRUCT create)
{
    if (CKTLockedSizingControlBar::OnCreate(create) == -1)
        return -1;
    const bool textMode = GetLayoutShell() && GetLayoutShell()->IsTextSelectionMode();
    const DWORD gridStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | LVS_REPORT | (textMode ? 0 : WS_VISIBLE);
    if (!m_gridView.Create(gridStyle, CRect(0, 0, 0, 0), this, textMode ? HiddenViewId : ShownViewId))
        return -1;
    m_gridView.SetExtendedStyle(m_gridView.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    const DWORD textStyle = WS_CHILD | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL |
                            (textMode ? WS_VISIBLE : 0);
    if (!m_textView.CreateView(textStyle, this, textMode ? ShownViewId : HiddenViewId))
        return -1;
    m_textView.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    m_textView.SetReadOnly(TRUE);
    // A target line width instead of the window's: long lines stay whole and scroll.
    m_textView.SetTargetDevice(nullptr, 1);
    return 0;
}

void CConvertingSampleBar::OnSize(UINT type, int cx, int cy)
{
    CKTLockedSizingControlBar::OnSize(type, cx, cy);
    if (CWnd* shown = GetDlgItem(ShownViewId))
    {
        CRect client;
        GetClientRect(&client);
        shown->MoveWindow(&client);
    }
}

void CConvertingSampleBar::ShowView(CWnd& view)
{
    if (!view.m_hWnd || view.GetDlgCtrlID() == static_cast<int>(ShownViewId))
        return;
    CWnd& other = &view == &m_gridView ? static_cast<CWnd&>(m_textView) : static_cast<CWnd&>(m_gridView);
    const int formerId = view.GetDlgCtrlID();
    CRect rect;
    other.GetWindowRect(&rect);
    ScreenToClient(&rect);
    // The two views swap ids through a free one: ids of siblings must stay apart at every step.
    other.SetDlgCtrlID(0);
    view.SetDlgCtrlID(ShownViewId);
    view.MoveWindow(&rect);
    view.ShowWindow(SW_SHOW);
    other.ShowWindow(SW_HIDE);
    other.SetDlgCtrlID(formerId);
}

void CConvertingSampleBar::SetPreviewTable(std::unique_ptr<ConvertingTableGrid> grid,
                                           const ConvertingTableLayout* layout, const std::set<int32_t>& selected,
                                           int32_t selectionKind)
{
    if (grid.get() != m_grid.get())
        m_grid = std::move(grid);
    else
        grid.release();
    m_layout = layout;
    m_selected = selected;
    m_selectionKind = selectionKind;
    m_textShown = false;
    if (!m_hWnd || !IsWindowVisible())
        return;
    FillGrid();
}

void CConvertingSampleBar::ReadFormatNames()
{
    CMenu menu;
    if (!menu.LoadMenu(FormatMenuId))
        return;
    CMenu* popup = menu.GetSubMenu(0);
    if (!popup)
        return;
    for (int format = 0; format < static_cast<int>(m_formatNames.size()); ++format)
    {
        wchar_t text[128] = {};
        if (::GetMenuStringW(popup->m_hMenu, FirstFormatCommand + format, text, 127, MF_BYCOMMAND) > 0)
            m_formatNames[format] = StripMnemonics(text);
    }
}

void CConvertingSampleBar::FillGrid()
{
    if (!m_gridView.m_hWnd)
        return;
    ShowView(m_gridView);
    // A grid without rows still shows its columns: a layout that converts no column shows the
    // row-number column alone.
    if (!m_grid || !m_layout)
    {
        m_gridView.DeleteAllItems();
        while (m_gridView.DeleteColumn(0))
            ;
        m_columnMap.assign(1, -1);
        return;
    }
    m_columnMap.assign(1, -1);
    for (int column = 0; column < m_layout->GetColumnCount(); ++column)
        if (m_layout->GetColumn(column).flag == 1)
            m_columnMap.push_back(column);
    CHeaderCtrl* header = m_gridView.GetHeaderCtrl();
    int columns = header ? header->GetItemCount() : 0;
    if (columns == 0)
    {
        m_gridView.InsertColumn(0, L"", LVCFMT_CENTER, 20);
        columns = 1;
    }
    for (; columns < static_cast<int>(m_columnMap.size()); ++columns)
        m_gridView.InsertColumn(columns, L"", LVCFMT_LEFT, 100);
    for (; columns > static_cast<int>(m_columnMap.size()); --columns)
        m_gridView.DeleteColumn(columns - 1);

    ReadFormatNames();
    for (int column = 1; column <= m_grid->GetColumnCount() && column < columns; ++column)
    {
        const int32_t format = ConvertedCellFormat(m_grid->GetColumnFormat(column - 1));
        std::wstring title = ColumnName(column) + L" [" + m_formatNames[format] + L"]";
        LVCOLUMNW heading = {};
        heading.mask = LVCF_TEXT;
        heading.pszText = &title[0];
        m_gridView.SendMessage(LVM_SETCOLUMNW, column, reinterpret_cast<LPARAM>(&heading));
    }

    const int rows = m_grid->GetRowCount();
    for (int item = m_gridView.GetItemCount(); item > rows; --item)
        m_gridView.DeleteItem(item - 1);
    for (int row = 0; row < rows; ++row)
    {
        const std::wstring number = std::to_wstring(row + 1);
        if (row >= m_gridView.GetItemCount())
            m_gridView.InsertItem(row, number.c_str());
        else
            m_gridView.SetItemText(row, 0, number.c_str());
        m_gridView.SetItemData(row, static_cast<DWORD_PTR>(row));
        for (int cell = 0; cell < m_grid->GetColumnCount() && cell + 1 < columns; ++cell)
        {
            const std::wstring text = m_grid->GetCellText(cell, row, false);
            m_gridView.SetItemText(row, cell + 1, text.c_str());
        }
    }
    m_gridView.Invalidate();
}

void CConvertingSampleBar::SetPreviewText(const std::wstring& text)
{
    m_grid.reset();
    m_text = text;
    m_textShown = true;
    if (!m_textView.m_hWnd)
        return;
    ShowView(m_textView);
    ::SetWindowTextW(m_textView.m_hWnd, text.c_str());
    m_textView.SetSel(0, -1);
    CHARFORMAT2 background = {};
    background.dwMask = CFM_BACKCOLOR;
    background.dwEffects = CFE_AUTOBACKCOLOR;
    m_textView.SetSelectionCharFormat(background);
    PARAFORMAT2 paragraph = {};
    paragraph.dwMask = PFM_ALIGNMENT | PFM_RTLPARA;
    const bool rightToLeft = HasRtlText(text);
    paragraph.wAlignment = rightToLeft ? PFA_RIGHT : PFA_LEFT;
    paragraph.wEffects = rightToLeft ? PFE_RTLPARA : 0;
    m_textView.SetParaFormat(paragraph);
    m_textView.SetSel(0, 0);
}

void CConvertingSampleBar::ShowContent()
{
    if (GetLayoutShell() && GetLayoutShell()->IsTextSelectionMode())
    {
        ShowView(m_textView);
        if (LayoutView* view = GetLayoutView())
            view->UpdatePreview();
        return;
    }
    FillGrid();
}

bool CConvertingSampleBar::IsCellSelected(int row, int viewColumn) const
{
    if (viewColumn <= 0 || viewColumn >= static_cast<int>(m_columnMap.size()))
        return false;
    const int32_t layoutColumn = m_columnMap[viewColumn];
    switch (m_selectionKind)
    {
    case 0:
        return m_selected.count(layoutColumn) != 0;
    case 1:
        return m_selected.count(row) != 0;
    case 2: {
        int32_t block = m_layout ? m_layout->GetCellId(layoutColumn, row) : -1;
        if (block < 0)
            block = ConvertingTableLayout::MakeCellId(layoutColumn, row);
        return m_selected.count(block) != 0;
    }
    default:
        return false;
    }
}

LRESULT CConvertingSampleBar::OnCustomDraw(NMLVCUSTOMDRAW* draw)
{
    if (!m_gridView.IsWindowVisible())
        return CDRF_DODEFAULT;
    switch (draw->nmcd.dwDrawStage)
    {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        const int row = static_cast<int>(draw->nmcd.lItemlParam);
        if (draw->iSubItem == 0)
        {
            draw->clrTextBk = ::GetSysColor(COLOR_BTNFACE);
            draw->clrText = ::GetSysColor(COLOR_BTNTEXT);
        }
        else if (IsCellSelected(row, draw->iSubItem))
        {
            draw->clrTextBk = ::GetSysColor(COLOR_HIGHLIGHT);
            draw->clrText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
        }
        else
        {
            draw->clrTextBk = ::GetSysColor(COLOR_WINDOW);
            draw->clrText = ::GetSysColor(COLOR_WINDOWTEXT);
        }
        // The list's own selection never shows: the bar paints the layout editor's.
        draw->nmcd.uItemState &= ~(CDIS_SELECTED | CDIS_FOCUS);
        return CDRF_NEWFONT;
    }
    default:
        return CDRF_DODEFAULT;
    }
}

BOOL CConvertingSampleBar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->hwndFrom == m_gridView.m_hWnd)
    {
        if (header->code == NM_CUSTOMDRAW)
        {
            *result = OnCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
            return TRUE;
        }
        if (header->code == LVN_COLUMNCLICK)
        {
            OnColumnClick(reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem);
            *result = 0;
            return TRUE;
        }
    }
    return CKTLockedSizingControlBar::OnNotify(wParam, lParam, result);
}

LayoutView* CConvertingSampleBar::GetLayoutView() const
{
    for (CWnd* parent = GetParent(); parent; parent = parent->GetParent())
        if (CConvertingFrame* frame = dynamic_cast<CConvertingFrame*>(parent))
            return frame->GetLayoutView();
    return nullptr;
}

HWND CConvertingSampleBar::GetCommandWindow() const
{
    LayoutView* view = GetLayoutView();
    CWnd* window = dynamic_cast<CWnd*>(view);
    return window ? window->m_hWnd : nullptr;
}

void CConvertingSampleBar::HandOverSelection()
{
    if (LayoutView* view = GetLayoutView())
        view->SetSelection(std::vector<int32_t>(m_selected.begin(), m_selected.end()));
    if (m_gridView.m_hWnd)
        m_gridView.Invalidate();
}

void CConvertingSampleBar::OnColumnClick(int viewColumn)
{
    if (m_selectionKind != 0 || !m_gridView.IsWindowVisible() || viewColumn <= 0 ||
        viewColumn >= static_cast<int>(m_columnMap.size()))
        return;
    const int32_t column = m_columnMap[viewColumn];
    if (::GetKeyState(VK_CONTROL) < 0)
    {
        if (!m_selected.erase(column))
            m_selected.insert(column);
    }
    else
        m_selected = {column};
    HandOverSelection();
}

bool CConvertingSampleBar::IdOfCell(int row, int viewColumn, int32_t& id) const
{
    if (viewColumn < 0 || viewColumn >= static_cast<int>(m_columnMap.size()))
        return false;
    const int32_t column = m_columnMap[viewColumn];
    switch (m_selectionKind)
    {
    case 0:
        id = column;
        return column >= 0;
    case 1:
        id = row;
        return true;
    case 2:
        if (column < 0)
            return false;
        // A merged block is selected by its top-left cell, as the page draws it.
        id = m_layout ? m_layout->GetCellId(column, row) : -1;
        if (id < 0)
            id = ConvertingTableLayout::MakeCellId(column, row);
        return true;
    default:
        return false;
    }
}

bool CConvertingSampleBar::HandleGridMouse(MSG* msg)
{
    HWND header = m_gridView.GetHeaderCtrl() ? m_gridView.GetHeaderCtrl()->m_hWnd : nullptr;
    const bool onHeader = msg->hwnd == header && header;
    if (msg->hwnd != m_gridView.m_hWnd && !onHeader)
        return false;
    const UINT message = msg->message;
    if (message != WM_LBUTTONDOWN && message != WM_RBUTTONDOWN && message != WM_RBUTTONUP)
        return false;
    if (onHeader && message == WM_LBUTTONDOWN)
        return false;
    POINT point = {static_cast<short>(LOWORD(msg->lParam)), static_cast<short>(HIWORD(msg->lParam))};
    if (onHeader)
        ::MapWindowPoints(header, m_gridView.m_hWnd, &point, 1);
    LVHITTESTINFO hit = {};
    hit.pt = point;
    const int item = m_gridView.SubItemHitTest(&hit);
    const int row = item >= 0 ? static_cast<int>(m_gridView.GetItemData(item)) : -1;
    const bool onColumn = row >= 0 && hit.iSubItem > 0 && hit.iSubItem < static_cast<int>(m_columnMap.size());
    if (message == WM_RBUTTONUP)
    {
        // The formats are for columns the user had selected: a right click that only now
        // selected its column shows no menu.
        const bool wasSelected = m_rightPressOnSelected;
        m_rightPressOnSelected = false;
        if (onColumn && wasSelected && m_selected.count(m_columnMap[hit.iSubItem]) != 0 && GetLayoutShell())
        {
            POINT screen = point;
            ::ClientToScreen(m_gridView.m_hWnd, &screen);
            GetLayoutShell()->ShowContextMenu(GetCommandWindow(), FormatMenuId, 0, screen);
        }
        return true;
    }
    if (message == WM_RBUTTONDOWN)
        m_rightPressOnSelected = onColumn && m_selected.count(m_columnMap[hit.iSubItem]) != 0;
    int32_t id = 0;
    if (row >= 0 && IdOfCell(row, hit.iSubItem, id))
    {
        const bool present = m_selected.count(id) != 0;
        if (message == WM_RBUTTONDOWN)
        {
            if (!present)
                m_selected = {id};
        }
        else if (::GetKeyState(VK_CONTROL) < 0)
        {
            if (present)
                m_selected.erase(id);
            else
                m_selected.insert(id);
        }
        else
            m_selected = {id};
        HandOverSelection();
    }
    LeaveMenusAndToolbars();
    return true;
}

void CConvertingSampleBar::LeaveMenusAndToolbars()
{
    // The bar takes the press before the frame would see it, so it ends what a press elsewhere
    // ends: an open menu, and the keyboard's stay on a toolbar.
    if (CKTToolBar::IsCustomizeMode())
        return;
    CKTPopupMenu* menu = CKTPopupMenu::GetActiveMenu();
    if (menu && ::IsWindow(menu->GetSafeHwnd()))
        menu->SendMessage(WM_CLOSE);
    CWnd* focus = CWnd::GetFocus();
    CWnd* main = AfxGetMainWnd();
    if (focus && main && focus->IsKindOf(RUNTIME_CLASS(CKTToolBar)))
        main->SetFocus();
}

BOOL CConvertingSampleBar::PreTranslateMessage(MSG* msg)
{
    if (HandleGridMouse(msg))
        return TRUE;
    return CKTLockedSizingControlBar::PreTranslateMessage(msg);
}
