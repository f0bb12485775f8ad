#include "uitoolkit/widgets/KTPropList.h"

#include "uitoolkit/looks/KTDrawHelper.h"
#include "uitoolkit/looks/KTUIGlobals.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CKTPropList, CWnd)

namespace
{
const UINT kHeaderId = 1;
} // namespace

BEGIN_MESSAGE_MAP(CKTPropList, CWnd)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_CANCELMODE()
ON_WM_RBUTTONDOWN()
ON_WM_KILLFOCUS()
ON_WM_GETDLGCODE()
ON_WM_VSCROLL()
ON_WM_MOUSEWHEEL()
ON_WM_LBUTTONDBLCLK()
ON_WM_SETCURSOR()
ON_WM_KEYDOWN()
ON_WM_CHAR()
ON_WM_SETFOCUS()
ON_WM_DESTROY()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_SETTINGCHANGE()
ON_WM_SYSCOLORCHANGE()
ON_WM_CTLCOLOR()
ON_WM_NCCALCSIZE()
ON_WM_NCPAINT()
ON_WM_STYLECHANGED()
ON_CBN_SELENDOK(CKTPropList::InPlaceComboId, &CKTPropList::OnSelectCombo)
ON_CBN_CLOSEUP(CKTPropList::InPlaceComboId, &CKTPropList::OnCloseCombo)
ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, &CKTPropList::OnNeedTipText)
ON_MESSAGE(WM_SETFONT, &CKTPropList::OnSetFont)
ON_MESSAGE(WM_GETFONT, &CKTPropList::OnGetFont)
END_MESSAGE_MAP()

CKTPropList::CKTPropList() = default;

CKTPropList::~CKTPropList()
{
    RemoveAll();
}

BOOL CKTPropList::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW)), nullptr,
                          dwStyle | WS_CLIPCHILDREN, rect, pParentWnd, nID);
}

int CKTPropList::OnCreate(LPCREATESTRUCT /*lpCreateStruct*/)
{
    if (Default() == -1)
        return -1;
    Init();
    return 0;
}

void CKTPropList::Init()
{
    m_wndHeader.Create(WC_HEADER, nullptr, WS_CHILD | WS_VISIBLE | HDS_HORZ, CRect(0, 0, 0, 0), this, kHeaderId);
    const wchar_t* names[] = {L"Property", L"Value"};
    for (int i = 0; i < 2; i++)
    {
        HDITEM item{};
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        item.cxy = 100;
        item.fmt = HDF_LEFT | HDF_STRING;
        item.pszText = const_cast<wchar_t*>(names[i]);
        m_wndHeader.InsertItem(i, &item);
    }
    OnSetFont(0, FALSE);
    EnableToolTips();
    CRect rectClient;
    GetClientRect(&rectClient);
    m_nLeftColumnWidth = rectClient.Width() / 2;
    AdjustLayout();
}

LRESULT CKTPropList::OnSetFont(WPARAM wParam, LPARAM lParam)
{
    m_hFont = reinterpret_cast<HFONT>(wParam);
    HFONT hFont = m_hFont != nullptr ? m_hFont : (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    LOGFONT lf{};
    ::GetObject(hFont, sizeof(LOGFONT), &lf);
    lf.lfWeight = FW_BOLD;
    m_fontBold.DeleteObject();
    m_fontBold.CreateFontIndirect(&lf);
    if (m_wndHeader.GetSafeHwnd() != nullptr)
        m_wndHeader.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(hFont));
    CClientDC dc(this);
    HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), hFont);
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    ::SelectObject(dc.GetSafeHdc(), hOld);
    m_nRowHeight = tm.tmHeight + 4;
    m_nHeaderHeight = m_nRowHeight + 4;
    AdjustLayout();
    if (lParam != 0)
        Invalidate();
    return 0;
}

LRESULT CKTPropList::OnGetFont(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    return reinterpret_cast<LRESULT>(m_hFont != nullptr ? m_hFont : (HFONT)::GetStockObject(DEFAULT_GUI_FONT));
}

int CKTPropList::AddProperty(CKTProp* pProp)
{
    if (pProp == nullptr)
        return -1;
    pProp->SetOwnerList(this);
    m_lstProps.push_back(pProp);
    AdjustLayout();
    return static_cast<int>(m_lstProps.size()) - 1;
}

void CKTPropList::RemoveAll()
{
    m_pSel = nullptr;
    m_lstAlphaProps.clear();
    for (CKTProp* pProp : m_lstProps)
        delete pProp;
    m_lstProps.clear();
}

CKTProp* CKTPropList::GetProperty(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetPropertyCount() ? m_lstProps[static_cast<size_t>(nIndex)] : nullptr;
}

void CKTPropList::GetVisibleProps(std::vector<CKTProp*>& props) const
{
    props.clear();
    if (m_bAlphabeticMode)
    {
        props = m_lstAlphaProps;
        return;
    }
    std::vector<const CKTProp*> stack;
    for (auto it = m_lstProps.rbegin(); it != m_lstProps.rend(); ++it)
        stack.push_back(*it);
    while (!stack.empty())
    {
        const CKTProp* pProp = stack.back();
        stack.pop_back();
        props.push_back(const_cast<CKTProp*>(pProp));
        if (pProp->IsGroup() && pProp->IsExpanded())
        {
            for (int i = pProp->GetSubItemsCount() - 1; i >= 0; i--)
                stack.push_back(pProp->GetSubItem(i));
        }
    }
}

int CKTPropList::RowsPerPage() const
{
    return m_nRowHeight > 0 ? std::max(1, static_cast<int>(m_rectList.Height()) / m_nRowHeight) : 1;
}

void CKTPropList::GetDividerLimits(int& nTop, int& nBottom) const
{
    CRect rectClient;
    GetClientRect(&rectClient);
    nTop = rectClient.top + m_nHeaderHeight + m_nRowHeight;
    nBottom = rectClient.bottom - m_nRowHeight;
}

void CKTPropList::EnableDescriptionArea(BOOL bEnable)
{
    m_bDescriptionArea = bEnable;
    if (bEnable && m_nDescrHeight <= 0)
        m_nDescrHeight = 3 * m_nRowHeight;
    AdjustLayout();
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

void CKTPropList::SetLeftColumnWidth(int nWidth)
{
    m_nLeftColumnWidth = std::max(0, std::min(nWidth, static_cast<int>(m_rectList.Width())));
    AdjustLayout();
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

void CKTPropList::RebuildAlphaList()
{
    m_lstAlphaProps.clear();
    std::vector<CKTProp*> stack(m_lstProps.rbegin(), m_lstProps.rend());
    while (!stack.empty())
    {
        CKTProp* pProp = stack.back();
        stack.pop_back();
        if (!pProp->IsGroup())
            m_lstAlphaProps.push_back(pProp);
        for (int i = pProp->GetSubItemsCount() - 1; i >= 0; i--)
            stack.push_back(pProp->GetSubItem(i));
    }
    std::stable_sort(m_lstAlphaProps.begin(), m_lstAlphaProps.end(), [](const CKTProp* a, const CKTProp* b) {
        const int nOrder = a->GetName().CompareNoCase(b->GetName());
        return nOrder != 0 ? nOrder < 0 : a->GetName().Compare(b->GetName()) < 0;
    });
}

void CKTPropList::SetAlphabeticMode(BOOL bAlphabetic)
{
    if (m_bAlphabeticMode == bAlphabetic)
        return;
    EndEditItem(TRUE);
    m_bAlphabeticMode = bAlphabetic;
    m_nVertScrollOffset = 0;
    AdjustLayout();
    if (m_pSel != nullptr)
        EnsureVisible(m_pSel);
    if (GetSafeHwnd() != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CKTPropList::SetFlatLook(BOOL bFlat)
{
    m_bFlatLook = bFlat;
    if (GetSafeHwnd() != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
}

void CKTPropList::AdjustLayout()
{
    RebuildAlphaList();
    if (GetSafeHwnd() == nullptr || m_nRowHeight <= 0)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    m_rectList = rectClient;
    m_rectList.top += m_nHeaderHeight;
    if (m_bDescriptionArea)
        m_rectList.bottom = std::max(m_rectList.top, rectClient.bottom - m_nDescrHeight);

    std::vector<CKTProp*> props;
    GetVisibleProps(props);
    m_nVertScrollTotal = static_cast<int>(props.size());
    const int nMaxScroll = std::max(0, m_nVertScrollTotal - RowsPerPage());
    m_nVertScrollOffset = std::min(m_nVertScrollOffset, nMaxScroll);

    SCROLLINFO si{sizeof(SCROLLINFO),
                  SIF_ALL | SIF_DISABLENOSCROLL,
                  0,
                  std::max(0, m_nVertScrollTotal - 1),
                  static_cast<UINT>(RowsPerPage()),
                  m_nVertScrollOffset,
                  0};
    ::SetScrollInfo(m_hWnd, SB_VERT, &si, TRUE);
    GetClientRect(&rectClient);
    m_rectList.right = rectClient.right;
    m_nLeftColumnWidth = std::min(m_nLeftColumnWidth, static_cast<int>(m_rectList.Width()));

    if (m_wndHeader.GetSafeHwnd() != nullptr)
    {
        m_bInUpdate = TRUE;
        m_wndHeader.SetWindowPos(nullptr, rectClient.left, rectClient.top, rectClient.Width(), m_nHeaderHeight,
                                 SWP_NOZORDER | SWP_NOACTIVATE);
        HDITEM item{};
        item.mask = HDI_WIDTH;
        item.cxy = m_nLeftColumnWidth;
        m_wndHeader.SetItem(0, &item);
        item.cxy = rectClient.Width() - m_nLeftColumnWidth;
        m_wndHeader.SetItem(1, &item);
        m_bInUpdate = FALSE;
    }

    // Hidden properties (in collapsed groups) keep empty rectangles.
    std::vector<CKTProp*> all;
    std::vector<const CKTProp*> stack(m_lstProps.begin(), m_lstProps.end());
    while (!stack.empty())
    {
        CKTProp* pProp = const_cast<CKTProp*>(stack.back());
        stack.pop_back();
        pProp->m_Rect.SetRectEmpty();
        pProp->m_rectValue.SetRectEmpty();
        for (int i = 0; i < pProp->GetSubItemsCount(); i++)
            stack.push_back(pProp->GetSubItem(i));
    }
    int y = m_rectList.top - m_nVertScrollOffset * m_nRowHeight;
    for (CKTProp* pProp : props)
    {
        pProp->m_Rect = CRect(m_rectList.left, y, m_rectList.right, y + m_nRowHeight);
        if (!pProp->IsGroup())
            pProp->m_rectValue = CRect(m_rectList.left + m_nLeftColumnWidth, y, m_rectList.right, y + m_nRowHeight);
        y += m_nRowHeight;
    }
    if (m_pSel != nullptr && m_pSel->m_pWndInPlace != nullptr)
    {
        m_pSel->m_pWndInPlace->MoveWindow(m_pSel->GetEditorRect());
    }
}

COLORREF CKTPropList::GetGroupBackColor() const
{
    const COLORREF clrFace = m_bFlatLook ? ktGlobals.m_colorBarFace : ktGlobals.m_colorFace;
    if (ktGlobals.m_bitsPerPixel > 8)
        return CKTDrawHelper::PixelAlpha(clrFace, 94);
    return m_bFlatLook ? ktGlobals.m_colorBarShadow : ktGlobals.m_colorShadow;
}

CKTProp* CKTPropList::HitTest(CPoint pt) const
{
    if (!m_rectList.PtInRect(pt))
        return nullptr;
    std::vector<CKTProp*> props;
    GetVisibleProps(props);
    for (CKTProp* pProp : props)
    {
        if (pProp->m_Rect.PtInRect(pt))
            return pProp;
    }
    return nullptr;
}

void CKTPropList::SetScrollPos(int nPos)
{
    const int nMax = std::max(0, m_nVertScrollTotal - RowsPerPage());
    nPos = std::max(0, std::min(nPos, nMax));
    if (nPos == m_nVertScrollOffset)
        return;
    EndEditItem(TRUE);
    m_nVertScrollOffset = nPos;
    AdjustLayout();
    Invalidate();
}

void CKTPropList::EnsureVisible(CKTProp* pProp)
{
    std::vector<CKTProp*> props;
    GetVisibleProps(props);
    const auto it = std::find(props.begin(), props.end(), pProp);
    if (it == props.end())
        return;
    const int nRow = static_cast<int>(it - props.begin());
    if (nRow < m_nVertScrollOffset)
        SetScrollPos(nRow);
    else if (nRow >= m_nVertScrollOffset + RowsPerPage())
        SetScrollPos(nRow - RowsPerPage() + 1);
}

void CKTPropList::SetCurSel(CKTProp* pProp, BOOL bRedraw)
{
    if (pProp == m_pSel)
        return;
    CKTProp* pOld = m_pSel;
    if (pOld != nullptr)
        EndEditItem(TRUE);
    m_pSel = pProp;
    if (bRedraw && GetSafeHwnd() != nullptr)
    {
        if (pOld != nullptr)
            InvalidateRect(pOld->m_Rect);
        if (pProp != nullptr)
            InvalidateRect(pProp->m_Rect);
        UpdateWindow();
    }
}

void CKTPropList::ExpandAll(BOOL bExpand)
{
    std::vector<CKTProp*> stack(m_lstProps.begin(), m_lstProps.end());
    while (!stack.empty())
    {
        CKTProp* pProp = stack.back();
        stack.pop_back();
        pProp->m_bExpanded = bExpand;
        for (int i = 0; i < pProp->GetSubItemsCount(); i++)
            stack.push_back(pProp->GetSubItem(i));
    }
    AdjustLayout();
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

void CKTPropList::OnPropertyChanged(CKTProp* pProp) const
{
    CWnd* pOwner = GetOwner();
    if (pOwner != nullptr && pOwner->GetSafeHwnd() != nullptr)
        pOwner->SendMessage(KT_WM_PROPERTYCHANGED, GetDlgCtrlID(), reinterpret_cast<LPARAM>(pProp));
}

BOOL CKTPropList::EditItem(CKTProp* pProp, LPPOINT lptClick)
{
    if (pProp == nullptr || !pProp->IsAllowEdit())
        return FALSE;
    if (pProp != m_pSel)
        SetCurSel(pProp);
    EnsureVisible(pProp);
    return pProp->OnEdit(lptClick);
}

BOOL CKTPropList::EndEditItem(BOOL bUpdateData)
{
    if (m_pSel == nullptr)
        return FALSE;
    CKTProp* pProp = m_pSel;
    if (pProp->OnEndEdit(bUpdateData))
        OnPropertyChanged(pProp);
    return TRUE;
}

void CKTPropList::UpdateColor(COLORREF color)
{
    CKTColorProp* pColorProp = m_pSel != nullptr && m_pSel->IsKindOf(RUNTIME_CLASS(CKTColorProp))
                                   ? static_cast<CKTColorProp*>(m_pSel)
                                   : nullptr;
    if (pColorProp == nullptr)
        return;
    const BOOL bChanged = pColorProp->GetColor() != color;
    pColorProp->SetColor(color);
    if (bChanged)
        OnPropertyChanged(pColorProp);
}

void CKTPropList::CloseColorPopup()
{
    CKTColorProp* pColorProp = m_pSel != nullptr && m_pSel->IsKindOf(RUNTIME_CLASS(CKTColorProp))
                                   ? static_cast<CKTColorProp*>(m_pSel)
                                   : nullptr;
    if (pColorProp == nullptr)
        return;
    pColorProp->m_pPopup = nullptr;
    pColorProp->Redraw();
    if (pColorProp->m_pWndInPlace != nullptr)
        pColorProp->m_pWndInPlace->SetFocus();
}

void CKTPropList::OnDestroy()
{
    EndEditItem(FALSE);
    RemoveAll();
    Default();
}
