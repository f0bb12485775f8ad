#include "framework/AfxControls.h"

#include "framework/AfxMsgMap.h"
#include "framework/AfxGdi.h"

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CCheckListBox, CListBox)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)

namespace {

void ReadItemText(HWND hWnd, UINT msgLen, UINT msgText, int nIndex, CString& rString)
{
    int nLen = (int)::SendMessage(hWnd, msgLen, (WPARAM)nIndex, 0);
    if (nLen < 0)
    {
        rString.Empty();
        return;
    }
    ::SendMessage(hWnd, msgText, (WPARAM)nIndex, (LPARAM)rString.GetBufferSetLength(nLen));
    rString.ReleaseBuffer();
}

// The owner-draw messages a list or combo box hands to its object.
template <class TControl>
BOOL OwnerDrawChildNotify(TControl* pControl, UINT message, LPARAM lParam, LRESULT* pResult)
{
    switch (message)
    {
    case WM_DRAWITEM:
        pControl->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        return TRUE;
    case WM_MEASUREITEM:
        pControl->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        return TRUE;
    case WM_COMPAREITEM:
        if (pResult != nullptr)
            *pResult = pControl->CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
        return TRUE;
    case WM_DELETEITEM:
        pControl->DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

void CStatic::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    return TRUE;
}

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    return TRUE;
}

void CListBox::GetText(int nIndex, CString& rString) const
{
    ReadItemText(m_hWnd, LB_GETTEXTLEN, LB_GETTEXT, nIndex, rString);
}

UINT CListBox::ItemFromPoint(CPoint pt, BOOL& bOutside) const
{
    DWORD dw = (DWORD)::SendMessage(m_hWnd, LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y));
    bOutside = HIWORD(dw) != 0;
    return LOWORD(dw);
}

void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CListBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CListBox::DeleteItem(LPDELETEITEMSTRUCT) {}

void CListBox::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    DWORD dwStyle = GetStyle();
    if ((dwStyle & LBS_OWNERDRAWFIXED) == 0 || (dwStyle & LBS_OWNERDRAWVARIABLE) != 0)
        return;
    MEASUREITEMSTRUCT mis{};
    mis.CtlType = ODT_LISTBOX;
    mis.CtlID = (UINT)GetDlgCtrlID();
    mis.itemHeight = (UINT)GetItemHeight(0);
    UINT nOldHeight = mis.itemHeight;
    MeasureItem(&mis);
    if (mis.itemHeight != nOldHeight && mis.itemHeight != 0)
        SetItemHeight(0, mis.itemHeight);
}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (OwnerDrawChildNotify(this, message, lParam, pResult))
        return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    ReadItemText(m_hWnd, CB_GETLBTEXTLEN, CB_GETLBTEXT, nIndex, rString);
}

void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CComboBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CComboBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (OwnerDrawChildNotify(this, message, lParam, pResult))
        return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

// CCheckListBox -------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CCheckListBox, CListBox)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_KEYDOWN()
    ON_MESSAGE(LB_RESETCONTENT, &CCheckListBox::OnLBResetContent)
END_MESSAGE_MAP()

BOOL CCheckListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    // Owner-drawn with strings, so that the check boxes can be drawn beside the text.
    dwStyle &= ~LBS_OWNERDRAWVARIABLE;
    dwStyle |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
    return CListBox::Create(dwStyle, rect, pParentWnd, nID);
}

int CCheckListBox::CheckBoxSize() const
{
    return ::GetSystemMetrics(SM_CYMENUCHECK) + 2;
}

void CCheckListBox::PreSubclassWindow()
{
    CListBox::PreSubclassWindow();
    int nHeight = CheckBoxSize() + 2;
    if ((GetStyle() & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0 && GetItemHeight(0) < nHeight)
        SetItemHeight(0, (UINT)nHeight);
}

void CCheckListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    UINT nHeight = (UINT)CheckBoxSize() + 2;
    if (lpMeasureItemStruct->itemHeight < nHeight)
        lpMeasureItemStruct->itemHeight = nHeight;
}

CCheckListBox::CheckData* CCheckListBox::DataOf(int nIndex) const
{
    LRESULT lData = ::SendMessage(m_hWnd, LB_GETITEMDATA, (WPARAM)nIndex, 0);
    if (lData == LB_ERR || lData == 0)
        return nullptr;
    return reinterpret_cast<CheckData*>(lData);
}

CCheckListBox::CheckData* CCheckListBox::EnsureData(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return nullptr;
    CheckData* pData = DataOf(nIndex);
    if (pData == nullptr)
    {
        pData = new CheckData;
        ::SendMessage(m_hWnd, LB_SETITEMDATA, (WPARAM)nIndex, reinterpret_cast<LPARAM>(pData));
    }
    return pData;
}

void CCheckListBox::DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct)
{
    delete reinterpret_cast<CheckData*>(lpDeleteItemStruct->itemData);
}

LRESULT CCheckListBox::OnLBResetContent(WPARAM, LPARAM)
{
    // Owner-drawn list boxes with strings still send WM_DELETEITEM; free what is left anyway.
    for (int i = 0; i < GetCount(); i++)
    {
        CheckData* pData = DataOf(i);
        ::SendMessage(m_hWnd, LB_SETITEMDATA, (WPARAM)i, 0);
        delete pData;
    }
    return Default();
}

void CCheckListBox::SetCheck(int nIndex, int nCheck)
{
    CheckData* pData = EnsureData(nIndex);
    if (pData == nullptr)
        return;
    pData->nCheck = nCheck;
    InvalidateCheck(nIndex);
}

int CCheckListBox::GetCheck(int nIndex) const
{
    CheckData* pData = DataOf(nIndex);
    return pData != nullptr ? pData->nCheck : 0;
}

void CCheckListBox::Enable(int nIndex, BOOL bEnabled)
{
    CheckData* pData = EnsureData(nIndex);
    if (pData == nullptr)
        return;
    pData->bEnabled = bEnabled;
    InvalidateCheck(nIndex);
}

BOOL CCheckListBox::IsEnabled(int nIndex) const
{
    CheckData* pData = DataOf(nIndex);
    return pData == nullptr || pData->bEnabled;
}

DWORD_PTR CCheckListBox::GetItemData(int nIndex) const
{
    CheckData* pData = DataOf(nIndex);
    return pData != nullptr ? pData->dwUserData : 0;
}

int CCheckListBox::SetItemData(int nIndex, DWORD_PTR dwItemData)
{
    CheckData* pData = EnsureData(nIndex);
    if (pData == nullptr)
        return LB_ERR;
    pData->dwUserData = dwItemData;
    return 0;
}

void CCheckListBox::InvalidateCheck(int nIndex)
{
    CRect rect;
    if (GetItemRect(nIndex, &rect) != LB_ERR)
        InvalidateRect(&rect, FALSE);
}

CRect CCheckListBox::OnGetCheckPosition(CRect, CRect rectCheckBox)
{
    return rectCheckBox;
}

void CCheckListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if ((int)lpDrawItemStruct->itemID < 0)
        return;
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    CRect rectItem(lpDrawItemStruct->rcItem);
    int nIndex = (int)lpDrawItemStruct->itemID;
    int nBox = CheckBoxSize();
    CRect rectCheck(rectItem.left + 1, rectItem.top + (rectItem.Height() - nBox) / 2 + 1, rectItem.left + nBox - 1,
                    rectItem.top + (rectItem.Height() - nBox) / 2 + nBox - 1);
    rectCheck = OnGetCheckPosition(rectItem, rectCheck);
    pDC->FillSolidRect(CRect(rectItem.left, rectItem.top, rectItem.left + nBox, rectItem.bottom), ::GetSysColor(COLOR_WINDOW));
    UINT nState = DFCS_BUTTONCHECK;
    int nCheck = GetCheck(nIndex);
    if (nCheck == 1)
        nState |= DFCS_CHECKED;
    else if (nCheck == 2)
        nState |= DFCS_CHECKED | DFCS_BUTTON3STATE;
    if (!IsEnabled(nIndex))
        nState |= DFCS_INACTIVE;
    pDC->DrawFrameControl(&rectCheck, DFC_BUTTON, nState);

    CRect rectText(rectItem.left + nBox + 2, rectItem.top, rectItem.right, rectItem.bottom);
    BOOL bSelected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    pDC->FillSolidRect(rectText, ::GetSysColor(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    COLORREF crText = ::GetSysColor(!IsEnabled(nIndex) ? COLOR_GRAYTEXT : bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    CString text;
    GetText(nIndex, text);
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    COLORREF crOld = pDC->SetTextColor(crText);
    pDC->DrawText(text, &rectText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    pDC->SetTextColor(crOld);
    pDC->SetBkMode(nOldMode);
    if ((lpDrawItemStruct->itemState & ODS_FOCUS) != 0)
        pDC->DrawFocusRect(&rectText);
}

void CCheckListBox::ToggleAndNotify(int nIndex)
{
    if (!IsEnabled(nIndex))
        return;
    int nCheck = GetCheck(nIndex);
    if (m_nStyle == BS_AUTO3STATE || m_nStyle == BS_3STATE)
        nCheck = (nCheck + 1) % 3;
    else
        nCheck = nCheck == 1 ? 0 : 1;
    SetCheck(nIndex, nCheck);
    CWnd* pParent = GetParent();
    if (pParent != nullptr)
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CLBN_CHKCHANGE), reinterpret_cast<LPARAM>(m_hWnd));
}

void CCheckListBox::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();
    BOOL bOutside = TRUE;
    int nIndex = (int)ItemFromPoint(point, bOutside);
    if (!bOutside && point.x < CheckBoxSize())
    {
        // The clicked item is selected before the parent hears of the check change.
        if ((GetStyle() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0)
        {
            if ((nFlags & (MK_CONTROL | MK_SHIFT)) == 0)
                SelItemRange(FALSE, 0, GetCount() - 1);
            SetSel(nIndex, TRUE);
            SetCaretIndex(nIndex);
        }
        else
            SetCurSel(nIndex);
        CWnd* pParent = GetParent();
        if (pParent != nullptr)
            pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), LBN_SELCHANGE), reinterpret_cast<LPARAM>(m_hWnd));
        ToggleAndNotify(nIndex);
        return;
    }
    Default();
}

void CCheckListBox::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    BOOL bOutside = TRUE;
    ItemFromPoint(point, bOutside);
    if (!bOutside && point.x < CheckBoxSize())
    {
        OnLButtonDown(nFlags, point);
        return;
    }
    Default();
}

void CCheckListBox::OnKeyDown(UINT nChar, UINT, UINT)
{
    if (nChar == VK_SPACE)
    {
        int nIndex = GetCaretIndex();
        if (nIndex != LB_ERR)
        {
            ToggleAndNotify(nIndex);
            return;
        }
    }
    Default();
}
