#include "uitoolkit/customize/KTEditListBox.h"

#include "uitoolkit/customize/KTButton.h"
#include "uitoolkit/customize/KTKeyHelper.h"
#include "uitoolkit/looks/KTUIGlobals.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CKTEditListBase, CStatic)
IMPLEMENT_DYNAMIC(CKTEditListBox, CKTEditListBase)

namespace
{
const UINT kListId = 1;
const UINT kFirstButtonId = 100;

BYTE CurrentModifiers()
{
    BYTE fFlags = 0;
    if (::GetKeyState(VK_CONTROL) & 0x8000)
        fFlags |= FCONTROL;
    if (::GetKeyState(VK_MENU) & 0x8000)
        fFlags |= FALT;
    if (::GetKeyState(VK_SHIFT) & 0x8000)
        fFlags |= FSHIFT;
    return fFlags;
}
} // namespace

// The list view of the editable list: it hands its clicks and keys to the list first.
class CKTEditListCtrl : public CListCtrl
{
public:
    explicit CKTEditListCtrl(CKTEditListBox* pOwner) : m_pOwner(pOwner) {}

protected:
    void OnLButtonDown(UINT /*nFlags*/, CPoint point)
    {
        m_pOwner->OnListButtonDown(point);
        Default();
    }
    void OnLButtonUp(UINT /*nFlags*/, CPoint point)
    {
        Default();
        m_pOwner->OnListButtonUp(point);
    }
    void OnKeyDown(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
    {
        if (!m_pOwner->HandleListKey(static_cast<WORD>(nChar)))
            Default();
    }
    void OnSysKeyDown(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
    {
        if (!m_pOwner->HandleListKey(static_cast<WORD>(nChar)))
            Default();
    }
    DECLARE_MESSAGE_MAP()

    CKTEditListBox* m_pOwner;
};

BEGIN_MESSAGE_MAP(CKTEditListCtrl, CListCtrl)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_KEYDOWN()
ON_WM_SYSKEYDOWN()
END_MESSAGE_MAP()

// The label editor ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CKTEditListEdit, CEdit)
ON_WM_NCCALCSIZE()
ON_WM_NCPAINT()
ON_WM_NCHITTEST()
ON_WM_NCLBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_CANCELMODE()
END_MESSAGE_MAP()

void CKTEditListEdit::EnableBrowseButton(BOOL bEnable, CKTEditListBase* pOwner)
{
    m_bBrowse = bEnable;
    m_pOwner = pOwner;
    if (m_hWnd != nullptr)
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CRect CKTEditListEdit::GetBrowseButtonRect() const
{
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    return CRect(rectWindow.right - kBrowseWidth, rectWindow.top, rectWindow.right, rectWindow.bottom);
}

void CKTEditListEdit::OnNcCalcSize(BOOL /*bCalcValidRects*/, NCCALCSIZE_PARAMS* lpncsp)
{
    Default();
    if (m_bBrowse)
        lpncsp->rgrc[0].right -= kBrowseWidth;
}

void CKTEditListEdit::DrawBrowseButton(CDC* pDC, BOOL bPressed)
{
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    CRect rect(rectWindow.Width() - kBrowseWidth, 0, rectWindow.Width(), rectWindow.Height());
    pDC->FillRect(rect, &ktGlobals.m_brushFace);
    pDC->DrawEdge(rect, bPressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(ktGlobals.m_colorText);
    CFont* pOldFont = pDC->SelectObject(&ktGlobals.m_fontText);
    if (bPressed)
        rect.OffsetRect(1, 1);
    pDC->DrawText(_T("..."), 3, rect, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    pDC->SelectObject(pOldFont);
}

void CKTEditListEdit::OnNcPaint()
{
    Default();
    if (!m_bBrowse)
        return;
    CWindowDC dc(this);
    DrawBrowseButton(&dc, m_bPressed);
}

LRESULT CKTEditListEdit::OnNcHitTest(CPoint point)
{
    if (m_bBrowse && GetBrowseButtonRect().PtInRect(point))
        return HTCAPTION;
    return Default();
}

void CKTEditListEdit::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (!m_bBrowse || nHitTest != HTCAPTION || !GetBrowseButtonRect().PtInRect(point))
    {
        Default();
        return;
    }
    SetCapture();
    m_bCaptured = TRUE;
    m_bPressed = TRUE;
    SendMessage(WM_NCPAINT);
}

void CKTEditListEdit::OnMouseMove(UINT /*nFlags*/, CPoint point)
{
    if (!m_bCaptured)
    {
        Default();
        return;
    }
    ClientToScreen(&point);
    const BOOL bPressed = GetBrowseButtonRect().PtInRect(point);
    if (bPressed != m_bPressed)
    {
        m_bPressed = bPressed;
        SendMessage(WM_NCPAINT);
    }
}

void CKTEditListEdit::OnLButtonUp(UINT /*nFlags*/, CPoint point)
{
    if (!m_bCaptured)
    {
        Default();
        return;
    }
    ::ReleaseCapture();
    m_bCaptured = FALSE;
    m_bPressed = FALSE;
    SendMessage(WM_NCPAINT);
    ClientToScreen(&point);
    if (GetBrowseButtonRect().PtInRect(point) && m_pOwner != nullptr)
        m_pOwner->OnBrowse();
}

void CKTEditListEdit::OnCancelMode()
{
    Default();
    if (m_bCaptured)
    {
        ::ReleaseCapture();
        m_bCaptured = FALSE;
        m_bPressed = FALSE;
        SendMessage(WM_NCPAINT);
    }
}

// The base --------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CKTEditListBase, CStatic)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_ENABLE()
ON_MESSAGE(WM_SETFONT, &CKTEditListBase::OnSetFont)
ON_MESSAGE(WM_GETFONT, &CKTEditListBase::OnGetFont)
END_MESSAGE_MAP()

CKTEditListBase::CKTEditListBase() = default;

CKTEditListBase::~CKTEditListBase() = default;

CString CKTEditListBase::FormatKey(WORD wKey, BYTE fVirt)
{
    ACCEL accel{};
    accel.fVirt = static_cast<BYTE>(FVIRTKEY | fVirt);
    accel.key = wKey;
    CKTKeyHelper helper(&accel);
    CString str;
    helper.Format(str);
    return str;
}

CKTButton* CKTEditListBase::GetButton(int iButton) const
{
    return iButton >= 0 && iButton < GetButtonsCount() ? m_Buttons[static_cast<size_t>(iButton)].get() : nullptr;
}

int CKTEditListBase::GetButtonNum(UINT uiID) const
{
    for (size_t i = 0; i < m_ButtonIds.size(); i++)
    {
        if (static_cast<UINT>(m_ButtonIds[i]) == uiID)
            return static_cast<int>(i);
    }
    return -1;
}

BOOL CKTEditListBase::SetStandardButtons(UINT uiBtns)
{
    if (GetSafeHwnd() == nullptr)
        return FALSE;
    struct Standard
    {
        UINT uiBit, uiImage, uiText;
        WORD wKey;
        BYTE fVirt;
        int nId;
    };
    static const Standard standard[] = {
        {BUTTON_NEW, 16929, 16017, VK_INSERT, 0, kIdNew},
        {BUTTON_DELETE, 16930, 16020, VK_DELETE, 0, kIdDelete},
        {BUTTON_UP, 16931, 16021, VK_UP, FALT, kIdUp},
        {BUTTON_DOWN, 16932, 16022, VK_DOWN, FALT, kIdDown},
    };
    for (const Standard& s : standard)
    {
        if ((uiBtns & s.uiBit) == 0)
            continue;
        CString strTooltip;
        strTooltip.LoadString(s.uiText);
        if (!AddButton(s.uiImage, strTooltip, s.wKey, s.fVirt, static_cast<UINT>(s.nId)))
            return FALSE;
    }
    m_uiStandardBtns |= uiBtns;
    return TRUE;
}

BOOL CKTEditListBase::AddButton(UINT uiImageId, LPCTSTR lpszTooltip, WORD wKeyAccelerator, BYTE fVirt, UINT uiButtonID)
{
    if (GetSafeHwnd() == nullptr)
        return FALSE;
    auto pButton = std::make_unique<CKTButton>();
    const UINT nCtrlId = kFirstButtonId + static_cast<UINT>(m_Buttons.size());
    if (!pButton->Create(_T(""), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 0, 0), this, nCtrlId))
        return FALSE;
    pButton->SetImage(uiImageId);
    pButton->m_nFlatStyle = m_bFlatButtons ? CKTButton::BUTTONSTYLE_FLAT : CKTButton::BUTTONSTYLE_SEMIFLAT;
    pButton->m_bDrawFocus = FALSE;
    if (lpszTooltip != nullptr && *lpszTooltip != 0)
    {
        CString strTooltip = lpszTooltip;
        if (wKeyAccelerator != 0)
            strTooltip += _T(" (") + FormatKey(wKeyAccelerator, fVirt) + _T(")");
        pButton->SetTooltip(strTooltip);
    }
    if (m_Buttons.empty())
    {
        const CSize sizeImage = pButton->GetImageSize();
        m_sizeButton = sizeImage.cx > 0 ? sizeImage + CSize(6, 6) : CSize(22, 22);
    }
    m_Buttons.push_back(std::move(pButton));
    m_lstKeys.push_back(wKeyAccelerator == 0 ? 0 : MAKELONG(wKeyAccelerator, fVirt));
    m_ButtonIds.push_back(static_cast<int>(uiButtonID));
    AdjustLayout();
    return TRUE;
}

void CKTEditListBase::EnableFlatButtons(BOOL bFlat)
{
    m_bFlatButtons = bFlat;
    for (auto& pButton : m_Buttons)
        pButton->m_nFlatStyle = bFlat ? CKTButton::BUTTONSTYLE_FLAT : CKTButton::BUTTONSTYLE_SEMIFLAT;
}

void CKTEditListBase::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    ModifyStyle(0, SS_NOTIFY | WS_CLIPCHILDREN);
    CreateList();
    AdjustLayout();
}

int CKTEditListBase::OnCreate(LPCREATESTRUCT /*lpCreateStruct*/)
{
    if (Default() == -1)
        return -1;
    CreateList();
    AdjustLayout();
    return 0;
}

void CKTEditListBase::AdjustLayout()
{
    if (GetSafeHwnd() == nullptr)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);

    CClientDC dc(this);
    CFont* pOldFont = dc.SelectObject(m_font.GetSafeHandle() != nullptr ? &m_font : &ktGlobals.m_fontText);
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    dc.SelectObject(pOldFont);
    const int nCaption = std::max(static_cast<int>(m_sizeButton.cy), static_cast<int>(tm.tmHeight) * 4 / 3);

    m_rectCaption = rectClient;
    m_rectCaption.bottom = m_rectCaption.top + nCaption;
    m_rectList = rectClient;
    m_rectList.top = m_rectCaption.bottom;

    // The last button added stands rightmost, one pixel inside the edge.
    int x = m_rectCaption.right - 1 - m_sizeButton.cx;
    for (auto it = m_Buttons.rbegin(); it != m_Buttons.rend(); ++it)
    {
        (*it)->SetWindowPos(nullptr, x, m_rectCaption.top + 1, m_sizeButton.cx, nCaption - 2,
                            SWP_NOZORDER | SWP_NOACTIVATE);
        x -= m_sizeButton.cx;
    }
    CWnd* pList = CWnd::FromHandle(GetListHwnd());
    if (pList != nullptr && pList->GetSafeHwnd() != nullptr)
    {
        pList->SetWindowPos(nullptr, m_rectList.left, m_rectList.top, m_rectList.Width(), m_rectList.Height(),
                            SWP_NOZORDER | SWP_NOACTIVATE);
        AdjustListLayout();
    }
    InvalidateRect(m_rectCaption);
}

void CKTEditListBase::OnSize(UINT /*nType*/, int /*cx*/, int /*cy*/)
{
    Default();
    AdjustLayout();
}

BOOL CKTEditListBase::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

void CKTEditListBase::OnPaint()
{
    CPaintDC dc(this);
    CString strText;
    GetWindowText(strText);
    OnDrawCaption(&dc, m_rectCaption, strText);
}

void CKTEditListBase::OnDrawCaption(CDC* pDC, CRect rect, const CString& strText)
{
    pDC->FillRect(rect, &ktGlobals.m_brushFace);
    CFont* pOldFont = pDC->SelectObject(m_font.GetSafeHandle() != nullptr ? &m_font : &ktGlobals.m_fontText);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(IsWindowEnabled() ? ktGlobals.m_colorText : ktGlobals.m_colorGrayText);
    rect.left += 4;
    rect.right -= GetButtonsCount() * m_sizeButton.cx + 2;
    // The text is the static's own, with its mnemonic ("&Menu contents:"): drawn as a static
    // draws it, the letter underlined and no "&" shown.
    pDC->DrawText(strText, -1, rect, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS);
    pDC->SelectObject(pOldFont);
}

void CKTEditListBase::OnEnable(BOOL bEnable)
{
    Default();
    for (auto& pButton : m_Buttons)
        pButton->EnableWindow(bEnable);
    if (GetListHwnd() != nullptr)
        ::EnableWindow(GetListHwnd(), bEnable);
    InvalidateRect(m_rectCaption);
    UpdateWindow();
}

LRESULT CKTEditListBase::OnSetFont(WPARAM wParam, LPARAM lParam)
{
    m_font.DeleteObject();
    LOGFONT lf{};
    if (wParam != 0 && ::GetObject(reinterpret_cast<HFONT>(wParam), sizeof(LOGFONT), &lf) != 0)
        m_font.CreateFontIndirect(&lf);
    if (GetListHwnd() != nullptr)
        ::SendMessage(GetListHwnd(), WM_SETFONT, wParam, lParam);
    AdjustLayout();
    return 0;
}

LRESULT CKTEditListBase::OnGetFont(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    return reinterpret_cast<LRESULT>(m_font.GetSafeHandle());
}

void CKTEditListBase::EnableButtons(BOOL bEnable)
{
    for (auto& pButton : m_Buttons)
        pButton->EnableWindow(bEnable);
}

BOOL CKTEditListBase::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    for (size_t i = 0; i < m_Buttons.size(); i++)
    {
        if (m_Buttons[i]->GetSafeHwnd() == hWndCtrl && hWndCtrl != nullptr)
        {
            if (HIWORD(wParam) == BN_CLICKED)
            {
                if (GetListHwnd() != nullptr)
                    ::SetFocus(GetListHwnd());
                OnClickButton(static_cast<int>(i));
            }
            return TRUE;
        }
    }
    return CStatic::OnCommand(wParam, lParam);
}

void CKTEditListBase::OnClickButton(int iButton)
{
    if (iButton < 0 || iButton >= static_cast<int>(m_ButtonIds.size()))
        return;
    switch (m_ButtonIds[static_cast<size_t>(iButton)])
    {
    case kIdNew:
        CreateNewItem();
        break;
    case kIdDelete: {
        const int iSel = GetSelItem();
        if (iSel >= 0 && OnBeforeRemoveItem(iSel))
            RemoveItem(iSel);
        break;
    }
    case kIdUp:
        MoveItem(TRUE);
        break;
    case kIdDown:
        MoveItem(FALSE);
        break;
    default:
        break;
    }
}

void CKTEditListBase::MoveItem(BOOL bUp)
{
    const int iSel = GetSelItem();
    if (iSel < 0 || (bUp && iSel == 0) || (!bUp && iSel == GetCount() - 1))
        return;
    CWnd* pList = CWnd::FromHandle(GetListHwnd());
    pList->SetRedraw(FALSE);
    const CString strText = GetItemText(iSel);
    const DWORD_PTR dwData = GetItemData(iSel);
    // A move takes the item out and puts it back: that is no deletion.
    m_bIsActualDelete = FALSE;
    RemoveItem(iSel);
    m_bIsActualDelete = TRUE;
    const int iNew = AddItem(strText, dwData, bUp ? iSel - 1 : iSel + 1);
    SelectItem(iNew);
    pList->SetRedraw(TRUE);
    pList->Invalidate();
    if (bUp)
        OnAfterMoveItemUp(iNew);
    else
        OnAfterMoveItemDown(iNew);
}

BOOL CKTEditListBase::HandleListKey(WORD wKey)
{
    const BYTE fFlags = CurrentModifiers();
    for (size_t i = 0; i < m_lstKeys.size(); i++)
    {
        const DWORD dwKey = m_lstKeys[i];
        if (dwKey != 0 && LOWORD(dwKey) == wKey && static_cast<BYTE>(HIWORD(dwKey)) == fFlags)
        {
            if (m_Buttons[i]->IsWindowEnabled())
                OnClickButton(static_cast<int>(i));
            return TRUE;
        }
    }
    return OnKey(wKey, fFlags);
}

BOOL CKTEditListBase::OnKey(WORD wKey, BYTE fFlags)
{
    if (fFlags != 0 || (wKey != VK_SPACE && wKey != VK_F2))
        return FALSE;
    const int iSel = GetSelItem();
    if (iSel < 0)
        return FALSE;
    EditItem(iSel);
    return TRUE;
}

void CKTEditListBase::CreateNewItem()
{
    const int iItem = AddItem(_T(""));
    if (iItem < 0)
        return;
    m_bNewItem = TRUE;
    SelectItem(iItem);
    EditItem(iItem);
}

void CKTEditListBase::OnEndEditLabel(LPCTSTR lpszLabel)
{
    const int iSel = GetSelItem();
    const CString strLabel = lpszLabel != nullptr ? lpszLabel : _T("");
    if (iSel >= 0)
    {
        if (strLabel.IsEmpty())
        {
            if (m_bNewItem)
                RemoveItem(iSel);
        }
        else
        {
            SetItemText(iSel, strLabel);
            if (m_bNewItem)
                OnAfterAddItem(iSel);
            else
                OnAfterRenameItem(iSel);
        }
    }
    m_bNewItem = FALSE;
}

// The list view --------------------------------------------------------------------------------

CKTEditListBox::CKTEditListBox() = default;

CKTEditListBox::~CKTEditListBox() = default;

CListCtrl* CKTEditListBox::GetListCtrl() const
{
    return m_pWndList.get();
}

HWND CKTEditListBox::GetListHwnd() const
{
    return m_pWndList != nullptr ? m_pWndList->GetSafeHwnd() : nullptr;
}

void CKTEditListBox::CreateList()
{
    if (m_pWndList != nullptr && m_pWndList->GetSafeHwnd() != nullptr)
        return;
    m_pWndList = std::make_unique<CKTEditListCtrl>(this);
    const DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL |
                          LVS_SHOWSELALWAYS | LVS_EDITLABELS;
    if (!m_pWndList->CreateEx(WS_EX_CLIENTEDGE, WC_LISTVIEW, nullptr, dwStyle, CRect(0, 0, 0, 0), this, kListId))
    {
        m_pWndList.reset();
        return;
    }
    m_pWndList->SetExtendedStyle(LVS_EX_FULLROWSELECT);
    m_pWndList->InsertColumn(0, _T(""), LVCFMT_LEFT, 100);
}

void CKTEditListBox::AdjustListLayout()
{
    if (m_pWndList == nullptr || m_pWndList->GetSafeHwnd() == nullptr)
        return;
    CRect rect;
    m_pWndList->GetClientRect(&rect);
    const int cx = m_rectList.Width() - 2 * ::GetSystemMetrics(SM_CXEDGE) - ::GetSystemMetrics(SM_CXVSCROLL);
    m_pWndList->SetColumnWidth(0, std::max(cx, 0));
}

int CKTEditListBox::AddItem(const CString& strText, DWORD_PTR dwData, int iIndex)
{
    if (m_pWndList == nullptr)
        return -1;
    if (iIndex < 0)
        iIndex = m_pWndList->GetItemCount();
    LVITEM item{};
    item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
    item.iItem = iIndex;
    item.pszText = const_cast<LPTSTR>(static_cast<LPCTSTR>(strText));
    item.lParam = static_cast<LPARAM>(dwData);
    item.iImage = I_IMAGECALLBACK;
    return m_pWndList->InsertItem(&item);
}

BOOL CKTEditListBox::RemoveItem(int iIndex)
{
    return m_pWndList != nullptr && m_pWndList->DeleteItem(iIndex);
}

int CKTEditListBox::GetCount() const
{
    return m_pWndList != nullptr ? m_pWndList->GetItemCount() : 0;
}

int CKTEditListBox::GetSelItem() const
{
    return m_pWndList != nullptr ? m_pWndList->GetNextItem(-1, LVNI_SELECTED) : -1;
}

BOOL CKTEditListBox::SelectItem(int iItem)
{
    if (m_pWndList == nullptr || iItem < 0 || iItem >= GetCount())
        return FALSE;
    m_pWndList->SetItemState(iItem, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_pWndList->EnsureVisible(iItem, FALSE);
    return TRUE;
}

CString CKTEditListBox::GetItemText(int iIndex) const
{
    return m_pWndList != nullptr ? m_pWndList->GetItemText(iIndex, 0) : CString();
}

BOOL CKTEditListBox::SetItemText(int iIndex, const CString& strText)
{
    return m_pWndList != nullptr && m_pWndList->SetItemText(iIndex, 0, strText);
}

DWORD_PTR CKTEditListBox::GetItemData(int iIndex) const
{
    return m_pWndList != nullptr ? m_pWndList->GetItemData(iIndex) : 0;
}

BOOL CKTEditListBox::SetItemData(int iIndex, DWORD_PTR dwData)
{
    return m_pWndList != nullptr && m_pWndList->SetItemData(iIndex, dwData);
}

BOOL CKTEditListBox::EditItem(int iIndex)
{
    if (m_pWndList == nullptr || iIndex < 0 || iIndex >= GetCount())
        return FALSE;
    m_pWndList->SetFocus();
    CEdit* pEdit = m_pWndList->EditLabel(iIndex);
    return pEdit != nullptr;
}

void CKTEditListBox::OnListButtonDown(CPoint point)
{
    m_iPressedItem = -1;
    if (m_pWndList->GetEditControl() != nullptr)
        return;
    const int iHit = m_pWndList->HitTest(point);
    if (iHit >= 0 && iHit == GetSelItem())
        m_iPressedItem = iHit;
}

void CKTEditListBox::OnListButtonUp(CPoint point)
{
    const int iPressed = m_iPressedItem;
    m_iPressedItem = -1;
    if (iPressed >= 0 && m_pWndList->HitTest(point) == iPressed && m_pWndList->GetEditControl() == nullptr)
        EditItem(iPressed);
}

BOOL CKTEditListBox::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* pHdr = reinterpret_cast<const NMHDR*>(lParam);
    if (pHdr == nullptr || m_pWndList == nullptr || pHdr->hwndFrom != m_pWndList->GetSafeHwnd())
        return CKTEditListBase::OnNotify(wParam, lParam, pResult);
    switch (pHdr->code)
    {
    case LVN_BEGINLABELEDIT: {
        CEdit* pEdit = m_pWndList->GetEditControl();
        if (pEdit != nullptr && m_wndEdit.GetSafeHwnd() == nullptr)
        {
            m_wndEdit.SubclassWindow(pEdit->GetSafeHwnd());
            m_wndEdit.EnableBrowseButton(m_bBrowseButton, this);
            // The editor ends inside the list, clear of its scroll bar.
            CRect rectEdit, rectClient;
            m_wndEdit.GetWindowRect(&rectEdit);
            m_pWndList->ScreenToClient(&rectEdit);
            m_pWndList->GetClientRect(&rectClient);
            const int nRight = rectClient.right - ::GetSystemMetrics(SM_CXVSCROLL);
            if (rectEdit.right > nRight && nRight > rectEdit.left)
                m_wndEdit.SetWindowPos(nullptr, 0, 0, nRight - rectEdit.left, rectEdit.Height(),
                                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        EnableButtons(FALSE);
        *pResult = FALSE;
        return TRUE;
    }
    case LVN_ENDLABELEDIT: {
        const NMLVDISPINFO* pInfo = reinterpret_cast<const NMLVDISPINFO*>(lParam);
        if (m_wndEdit.GetSafeHwnd() != nullptr)
            m_wndEdit.UnsubclassWindow();
        EnableButtons(TRUE);
        // The list view never stores the label itself: OnEndEditLabel decides.
        OnEndEditLabel(pInfo->item.pszText != nullptr ? pInfo->item.pszText : _T(""));
        *pResult = FALSE;
        return TRUE;
    }
    case LVN_ITEMCHANGED: {
        const NMLISTVIEW* pInfo = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if ((pInfo->uChanged & LVIF_STATE) != 0 && ((pInfo->uOldState ^ pInfo->uNewState) & LVIS_SELECTED) != 0)
            OnSelectionChanged();
        *pResult = 0;
        return TRUE;
    }
    case LVN_GETDISPINFO: {
        NMLVDISPINFO* pInfo = reinterpret_cast<NMLVDISPINFO*>(lParam);
        if ((pInfo->item.mask & LVIF_IMAGE) != 0)
            pInfo->item.iImage = OnGetImage(&pInfo->item);
        *pResult = 0;
        return TRUE;
    }
    case NM_DBLCLK: {
        const NMITEMACTIVATE* pInfo = reinterpret_cast<const NMITEMACTIVATE*>(lParam);
        const int iHit = m_pWndList->HitTest(pInfo->ptAction);
        if (iHit >= 0)
            EditItem(iHit);
        else if ((m_uiStandardBtns & BUTTON_NEW) != 0)
            CreateNewItem();
        *pResult = 0;
        return TRUE;
    }
    default:
        return CKTEditListBase::OnNotify(wParam, lParam, pResult);
    }
}
