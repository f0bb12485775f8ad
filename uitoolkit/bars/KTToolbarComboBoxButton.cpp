#include "uitoolkit/bars/KTToolbarComboBoxButton.h"

#include "uitoolkit/bars/KTStateVersion.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/looks/KTMenuGlyphs.h"
#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTVisualManager.h"

IMPLEMENT_SERIAL(CKTToolbarComboBoxButton, CKTToolbarButton, VERSIONABLE_SCHEMA | 1)

namespace
{
const DWORD kAlwaysStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL;

CKTToolbarComboBoxButton* AsCombo(CObject* pObject)
{
    return pObject != nullptr && pObject->IsKindOf(RUNTIME_CLASS(CKTToolbarComboBoxButton))
               ? static_cast<CKTToolbarComboBoxButton*>(pObject)
               : nullptr;
}

// Stored drop-down heights came with the toolkit's state version 4.72.
BOOL IsDropDownHeightStored()
{
    return !KTGetLoadingStateVersion().IsKnownAndBefore(4, 72);
}
} // namespace

CKTToolbarComboBoxButton::CKTToolbarComboBoxButton() = default;

CKTToolbarComboBoxButton::CKTToolbarComboBoxButton(UINT uiID, int iImage, DWORD dwStyle, int iWidth)
    : CKTToolbarButton(uiID, iImage, nullptr, FALSE, FALSE), m_dwStyle(dwStyle | kAlwaysStyle),
      m_iWidth(iWidth == 0 ? DefaultWidth : iWidth)
{
}

CKTToolbarComboBoxButton::~CKTToolbarComboBoxButton()
{
    DestroyCombo();
}

void CKTToolbarComboBoxButton::DestroyCombo()
{
    if (m_pWndCombo == nullptr)
        return;
    if (m_pWndCombo->GetSafeHwnd() != nullptr)
        m_pWndCombo->DestroyWindow();
    delete m_pWndCombo;
    m_pWndCombo = nullptr;
}

template <class Fn>
void CKTToolbarComboBoxButton::ForEachCopy(Fn fn)
{
    if (!IsSyncedWithCopies())
        return;
    CObList listButtons;
    CKTToolBar::GetCommandButtons(m_nID, listButtons);
    for (POSITION pos = listButtons.GetHeadPosition(); pos != nullptr;)
    {
        CKTToolbarComboBoxButton* pOther = AsCombo(listButtons.GetNext(pos));
        if (pOther != nullptr && pOther != this && pOther->IsSyncedWithCopies())
            fn(*pOther);
    }
}

// Items ------------------------------------------------------------------------------------------

LPCTSTR CKTToolbarComboBoxButton::GetItem(int iIndex) const
{
    const POSITION pos = m_lstItems.FindIndex(iIndex);
    return pos != nullptr ? static_cast<LPCTSTR>(m_lstItems.GetAt(pos)) : nullptr;
}

DWORD CKTToolbarComboBoxButton::GetItemData(int iIndex) const
{
    const POSITION pos = m_lstItemData.FindIndex(iIndex);
    return pos != nullptr ? m_lstItemData.GetAt(pos) : 0;
}

INT_PTR CKTToolbarComboBoxButton::AddItem(LPCTSTR lpszItem, DWORD dwData)
{
    const CString strItem = lpszItem != nullptr ? lpszItem : L"";
    if (m_strEdit.IsEmpty())
    {
        m_strEdit = strItem;
        if (IsComboLive())
        {
            m_bUpdating = TRUE;
            m_pWndCombo->SetWindowText(m_strEdit);
            m_bUpdating = FALSE;
        }
    }
    if (m_lstItems.Find(strItem) == nullptr)
    {
        m_lstItems.AddTail(strItem);
        m_lstItemData.AddTail(dwData);
    }
    if (IsComboLive())
    {
        m_bUpdating = TRUE;
        int iIndex = m_pWndCombo->FindStringExact(-1, strItem);
        if (iIndex == CB_ERR)
            iIndex = m_pWndCombo->AddString(strItem);
        if (iIndex >= 0)
        {
            m_pWndCombo->SetCurSel(iIndex);
            m_pWndCombo->SetItemData(iIndex, dwData);
        }
        m_pWndCombo->SetEditSel(-1, 0);
        m_bUpdating = FALSE;
    }
    return m_lstItems.GetCount() - 1;
}

void CKTToolbarComboBoxButton::RemoveAllItems()
{
    m_lstItems.RemoveAll();
    m_lstItemData.RemoveAll();
    m_iSelIndex = -1;
    m_strEdit.Empty();
    if (IsComboLive())
    {
        m_bUpdating = TRUE;
        m_pWndCombo->ResetContent();
        m_bUpdating = FALSE;
    }
}

BOOL CKTToolbarComboBoxButton::SelectItem(int iIndex, BOOL bNotify)
{
    if (iIndex < 0 || iIndex >= m_lstItems.GetCount())
        return FALSE;
    m_iSelIndex = iIndex;
    m_strEdit = GetItem(iIndex);
    if (!IsComboLive() || m_pWndCombo->GetCurSel() == iIndex)
        return TRUE;
    m_bUpdating = TRUE;
    m_pWndCombo->SetCurSel(iIndex);
    m_bUpdating = FALSE;
    if (bNotify)
        NotifyCommand(CBN_SELENDOK);
    return TRUE;
}

BOOL CKTToolbarComboBoxButton::SelectItem(LPCTSTR lpszText)
{
    if (lpszText == nullptr)
        return FALSE;
    int i = 0;
    for (POSITION pos = m_lstItems.GetHeadPosition(); pos != nullptr; i++)
    {
        if (m_lstItems.GetNext(pos).CompareNoCase(lpszText) == 0)
            return SelectItem(i, TRUE);
    }
    return FALSE;
}

void CKTToolbarComboBoxButton::SetText(LPCTSTR lpszText)
{
    const CString strText = lpszText != nullptr ? lpszText : L"";
    if (SelectItem(strText))
        return;
    m_strEdit = strText;
    if (!IsComboLive())
        return;
    CString strShown;
    m_pWndCombo->GetWindowText(strShown);
    if (strShown.CompareNoCase(strText) == 0)
        return;
    m_bUpdating = TRUE;
    m_pWndCombo->SetWindowText(strText);
    m_bUpdating = FALSE;
    NotifyCommand(CBN_EDITCHANGE);
}

// Copies ------------------------------------------------------------------------------------------

CKTToolbarComboBoxButton* CKTToolbarComboBoxButton::GetByCommand(UINT uiCmd, BOOL bFocused)
{
    CObList listButtons;
    CKTToolBar::GetCommandButtons(uiCmd, listButtons);
    for (POSITION pos = listButtons.GetHeadPosition(); pos != nullptr;)
    {
        CKTToolbarComboBoxButton* pCombo = AsCombo(listButtons.GetNext(pos));
        if (pCombo != nullptr && (!bFocused || pCombo->HasFocus()))
            return pCombo;
    }
    return nullptr;
}

LPCTSTR CKTToolbarComboBoxButton::GetTextByCommand(UINT uiCmd, BOOL bFocused)
{
    const CKTToolbarComboBoxButton* pCombo = GetByCommand(uiCmd, bFocused);
    return pCombo != nullptr ? static_cast<LPCTSTR>(pCombo->m_strEdit) : nullptr;
}

void CKTToolbarComboBoxButton::CopyFrom(const CKTToolbarButton& src)
{
    CKTToolbarButton::CopyFrom(src);
    if (!src.IsKindOf(RUNTIME_CLASS(CKTToolbarComboBoxButton)) || &src == this)
        return;
    const auto& other = static_cast<const CKTToolbarComboBoxButton&>(src);
    m_lstItems.RemoveAll();
    m_lstItems.AddTail(const_cast<CStringList*>(&other.m_lstItems));
    m_lstItemData.RemoveAll();
    for (POSITION pos = other.m_lstItemData.GetHeadPosition(); pos != nullptr;)
        m_lstItemData.AddTail(other.m_lstItemData.GetNext(pos));
    m_dwStyle = other.m_dwStyle;
    m_iWidth = other.m_iWidth;
    m_iSelIndex = other.m_iSelIndex;
    m_nDropDownHeight = other.m_nDropDownHeight;
    // A copy shows what its source shows, typed text included.
    m_strEdit = other.m_strEdit;
    if (IsComboLive())
        FillCombo();
}

void CKTToolbarComboBoxButton::OnGlobalSync()
{
    CObList listButtons;
    CKTToolBar::GetCommandButtons(m_nID, listButtons);
    for (POSITION pos = listButtons.GetHeadPosition(); pos != nullptr;)
    {
        CKTToolbarComboBoxButton* pOther = AsCombo(listButtons.GetNext(pos));
        if (pOther != nullptr && pOther != this)
        {
            CopyFrom(*pOther);
            return;
        }
    }
}

// The control ----------------------------------------------------------------------------------------

CComboBox* CKTToolbarComboBoxButton::CreateCombo(CWnd* pWndParent, const CRect& rect)
{
    auto* pCombo = new CComboBox;
    // The style comes from stored data too: the control is always a child of the bar.
    if (!pCombo->Create((m_dwStyle | WS_CHILD) & ~WS_POPUP, rect, pWndParent, m_nID))
    {
        delete pCombo;
        return nullptr;
    }
    return pCombo;
}

void CKTToolbarComboBoxButton::FillCombo()
{
    m_bUpdating = TRUE;
    m_pWndCombo->ResetContent();
    POSITION posData = m_lstItemData.GetHeadPosition();
    for (POSITION pos = m_lstItems.GetHeadPosition(); pos != nullptr;)
    {
        const int iIndex = m_pWndCombo->AddString(m_lstItems.GetNext(pos));
        const DWORD dwData = posData != nullptr ? m_lstItemData.GetNext(posData) : 0;
        if (iIndex >= 0)
            m_pWndCombo->SetItemData(iIndex, dwData);
    }
    m_pWndCombo->SetCurSel(m_iSelIndex);
    if (m_iSelIndex < 0 && (m_dwStyle & 0x3) != CBS_DROPDOWNLIST)
        m_pWndCombo->SetWindowText(m_strEdit);
    m_bUpdating = FALSE;
}

void CKTToolbarComboBoxButton::ReadItemsFromCombo()
{
    OnBeforeItemsRebuilt();
    m_lstItems.RemoveAll();
    m_lstItemData.RemoveAll();
    const int nCount = m_pWndCombo->GetCount();
    for (int i = 0; i < nCount; i++)
    {
        CString strItem;
        m_pWndCombo->GetLBText(i, strItem);
        m_lstItems.AddTail(strItem);
        m_lstItemData.AddTail(static_cast<DWORD>(m_pWndCombo->GetItemData(i)));
    }
    OnAfterItemsRebuilt();
}

void CKTToolbarComboBoxButton::OnChangeParentWnd(CWnd* pWndParent)
{
    CKTToolbarButton::OnChangeParentWnd(pWndParent);
    if (IsComboLive())
    {
        if (m_pWndCombo->GetParent() == pWndParent)
            return;
        DestroyCombo();
    }
    else
        DestroyCombo();
    if (pWndParent->GetSafeHwnd() == nullptr)
        return;

    CRect rect = m_rect;
    rect.InflateRect(-2, 0);
    rect.bottom = rect.top + m_nDropDownHeight;
    m_pWndCombo = CreateCombo(pWndParent, rect);
    if (m_pWndCombo == nullptr)
        return;
    m_pWndCombo->EnableWindow(!CKTToolBar::IsCustomizeMode() && (m_nStyle & TBBS_DISABLED) == 0);
    m_pWndCombo->SetFont(&ktGlobals.m_fontText);

    if (m_pWndCombo->GetCount() == 0)
        FillCombo();
    else
    {
        ReadItemsFromCombo();
        m_iSelIndex = m_pWndCombo->GetCurSel();
    }
    const LPCTSTR lpszSelected = GetItem(m_iSelIndex);
    if (lpszSelected != nullptr)
    {
        m_strEdit = lpszSelected;
        m_bUpdating = TRUE;
        m_pWndCombo->SetWindowText(m_strEdit);
        m_bUpdating = FALSE;
    }
    OnMove();
}

void CKTToolbarComboBoxButton::OnMove()
{
    if (!IsComboLive() || m_rect.IsRectEmpty())
        return;
    CRect rect = m_rect;
    if (m_bExtraSize)
    {
        const CSize sizeExtra = CKTVisualManager::GetInstance()->GetButtonExtraBorder();
        rect.DeflateRect(sizeExtra.cx / 2, sizeExtra.cy / 2);
    }
    m_pWndCombo->SetWindowPos(nullptr, rect.left + 1, rect.top, rect.Width() - 2, m_nDropDownHeight,
                              SWP_NOZORDER | SWP_NOACTIVATE);
    m_pWndCombo->SetEditSel(-1, 0);
    m_pWndCombo->GetWindowRect(&m_rectCombo);
    if (CWnd* pParent = m_pWndCombo->GetParent())
        pParent->ScreenToClient(&m_rectCombo);
}

void CKTToolbarComboBoxButton::OnSize(int iSize)
{
    m_iWidth = iSize;
    m_rect.right = m_rect.left + m_iWidth;
    OnMove();
}

HWND CKTToolbarComboBoxButton::GetHwnd()
{
    return m_pWndCombo->GetSafeHwnd();
}

BOOL CKTToolbarComboBoxButton::HasFocus() const
{
    if (!IsComboLive())
        return FALSE;
    if (m_pWndCombo->GetDroppedState())
        return TRUE;
    return CKTToolbarButton::HasFocus();
}

void CKTToolbarComboBoxButton::OnShow(BOOL bShow)
{
    if (!IsComboLive())
        return;
    if (bShow && m_bHorzLast)
    {
        OnMove();
        m_pWndCombo->ShowWindow(SW_SHOWNOACTIVATE);
    }
    else
        m_pWndCombo->ShowWindow(SW_HIDE);
}

void CKTToolbarComboBoxButton::SetStyle(UINT nStyle)
{
    m_nStyle = nStyle;
    if (!IsComboLive())
        return;
    const BOOL bEnable = CKTToolBar::IsCustomizeMode() ? IsEditable() : (nStyle & TBBS_DISABLED) == 0;
    m_pWndCombo->EnableWindow(bEnable);
}

BOOL CKTToolbarComboBoxButton::OnClick(CWnd* pWnd, BOOL bDelay)
{
    if (IsComboLive() && m_bHorzLast)
        return TRUE;
    return CKTToolbarButton::OnClick(pWnd, bDelay);
}

BOOL CKTToolbarComboBoxButton::NotifyCommand(int iNotifyCode)
{
    if (!IsComboLive())
        return FALSE;
    switch (iNotifyCode)
    {
    case CBN_SELCHANGE:
    case CBN_KILLFOCUS:
    case CBN_EDITUPDATE:
        return !m_bUpdating;
    case CBN_EDITCHANGE:
        if (m_bUpdating)
            return FALSE;
        m_pWndCombo->GetWindowText(m_strEdit);
        ForEachCopy([this](CKTToolbarComboBoxButton& other) {
            other.m_strEdit = m_strEdit;
            if (other.IsComboLive())
            {
                other.m_bUpdating = TRUE;
                other.m_pWndCombo->SetWindowText(m_strEdit);
                other.m_bUpdating = FALSE;
            }
        });
        return TRUE;
    case CBN_SELENDOK: {
        m_iSelIndex = m_pWndCombo->GetCurSel();
        const LPCTSTR lpszSelected = GetItem(m_iSelIndex);
        if (lpszSelected != nullptr)
        {
            m_strEdit = lpszSelected;
            const int iIndex = m_iSelIndex;
            ForEachCopy([iIndex](CKTToolbarComboBoxButton& other) { other.SelectItem(iIndex, FALSE); });
        }
        return TRUE;
    }
    default:
        return FALSE;
    }
}

// Layout and drawing ------------------------------------------------------------------------------

SIZE CKTToolbarComboBoxButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz)
{
    m_bHorzLast = bHorz;
    if (!bHorz)
    {
        if (IsComboLive() && m_pWndCombo->IsWindowVisible())
            m_pWndCombo->ShowWindow(SW_HIDE);
        return CKTToolbarButton::OnCalculateSize(pDC, sizeDefault, bHorz);
    }
    int iHeight = sizeDefault.cy;
    if (IsComboLive())
    {
        if (!m_bHidden)
            m_pWndCombo->ShowWindow(SW_SHOWNOACTIVATE);
        CRect rectWindow;
        m_pWndCombo->GetWindowRect(&rectWindow);
        iHeight = rectWindow.Height();
    }
    m_sizeText = CSize(0, 0);
    if (m_bTextBelow && !m_strText.IsEmpty() && pDC != nullptr)
    {
        CRect rectText(0, 0, m_iWidth, sizeDefault.cy);
        pDC->DrawText(m_strText, &rectText, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
        m_sizeText = rectText.Size();
        iHeight += m_sizeText.cy;
    }
    return CSize(m_iWidth, iHeight);
}

void CKTToolbarComboBoxButton::OnDraw(CDC* pDC, const CRect& rect, CKTImageStrip* pImages, BOOL bHorz,
                                      BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder, BOOL bGrayDisabledButtons)
{
    if (!IsComboLive() || !bHorz)
    {
        CKTToolbarButton::OnDraw(pDC, rect, pImages, bHorz, bCustomizeMode, bHighlight, bDrawBorder,
                                 bGrayDisabledButtons);
        return;
    }
    // The control draws itself; only a label below it is the button's.
    if (!m_bTextBelow || m_strText.IsEmpty())
        return;
    const BOOL bDisabled = (m_nStyle & TBBS_DISABLED) != 0;
    const COLORREF clrOld = pDC->SetTextColor(bDisabled ? ktGlobals.m_colorGrayText : ktGlobals.m_colorBarText);
    const int iOldMode = pDC->SetBkMode(TRANSPARENT);
    CRect rectText = rect;
    rectText.top = std::max<int>(rect.top, m_rectCombo.bottom);
    pDC->DrawText(m_strText, &rectText, DT_CENTER | DT_WORDBREAK);
    pDC->SetBkMode(iOldMode);
    pDC->SetTextColor(clrOld);
}

int CKTToolbarComboBoxButton::DrawAsListItem(CDC* pDC, const CRect& rect, BOOL bSelected)
{
    // The pictured combo field starts after what the image and text took.
    const int iUsed = CKTToolbarButton::DrawAsListItem(pDC, rect, bSelected) + 10;

    CRect rectField = rect;
    rectField.left = rectField.right - std::max(20, static_cast<int>(rect.Width()) - iUsed);
    rectField.DeflateRect(2, 3);
    pDC->FillSolidRect(rectField, ktGlobals.m_colorWindow);
    pDC->Draw3dRect(rectField, ktGlobals.m_colorShadow, ktGlobals.m_colorHighlight);
    CRect rectInner = rectField;
    rectInner.DeflateRect(1, 1);
    pDC->Draw3dRect(rectInner, ktGlobals.m_colorShadow, ktGlobals.m_colorHighlight);
    rectInner.DeflateRect(1, 1);

    CRect rectBox = rectInner;
    rectBox.left = rectBox.right - rectBox.Height();
    pDC->FillSolidRect(rectBox, ktGlobals.m_colorFace);
    pDC->Draw3dRect(rectBox, ktGlobals.m_colorHighlight, ktGlobals.m_colorShadow);
    CKTMenuGlyphs::Initialize();
    const CSize sizeGlyph = CKTMenuGlyphs::GetImageSize();
    CKTMenuGlyphs::Draw(pDC, CKTMenuGlyphs::IdArrowDown,
                        CPoint(rectBox.left + (rectBox.Width() - sizeGlyph.cx) / 2,
                               rectBox.top + (rectBox.Height() - sizeGlyph.cy) / 2));
    return rect.Width();
}

// Storage -------------------------------------------------------------------------------------------

void CKTToolbarComboBoxButton::SerializeItemData(CArchive& ar)
{
    if (ar.IsStoring())
    {
        POSITION posData = m_lstItemData.GetHeadPosition();
        for (INT_PTR i = 0; i < m_lstItems.GetCount(); i++)
            ar << (posData != nullptr ? m_lstItemData.GetNext(posData) : DWORD(0));
        return;
    }
    // The texts were read first; every value is read before any is kept.
    CList<DWORD, DWORD> lstData;
    for (INT_PTR i = 0; i < m_lstItems.GetCount(); i++)
    {
        DWORD dwData = 0;
        ar >> dwData;
        lstData.AddTail(dwData);
    }
    m_lstItemData.RemoveAll();
    for (POSITION pos = lstData.GetHeadPosition(); pos != nullptr;)
        m_lstItemData.AddTail(lstData.GetNext(pos));
}

void CKTToolbarComboBoxButton::Serialize(CArchive& ar)
{
    CKTToolbarButton::Serialize(ar);
    if (ar.IsStoring())
    {
        if (IsComboLive())
            ReadItemsFromCombo();
        ar << static_cast<LONG>(m_iWidth) << m_dwStyle << static_cast<LONG>(m_iSelIndex);
        m_lstItems.Serialize(ar);
        // Always written, whatever the version of the state that was loaded.
        ar << static_cast<LONG>(m_nDropDownHeight);
        SerializeItemData(ar);
        return;
    }

    LONG iWidth = 0;
    DWORD dwStyle = 0;
    LONG iSel = -1;
    ar >> iWidth >> dwStyle >> iSel;
    CStringList lstItems;
    lstItems.Serialize(ar);
    LONG nDropDownHeight = m_nDropDownHeight;
    if (IsDropDownHeightStored())
        ar >> nDropDownHeight;

    // The values follow the texts; until they are read the button keeps its old items.
    CStringList lstOldItems;
    lstOldItems.AddTail(&m_lstItems);
    m_lstItems.RemoveAll();
    m_lstItems.AddTail(&lstItems);
    try
    {
        SerializeItemData(ar);
    }
    catch (...)
    {
        m_lstItems.RemoveAll();
        m_lstItems.AddTail(&lstOldItems);
        throw;
    }
    m_iWidth = iWidth;
    m_rect.right = m_rect.left + m_iWidth;
    m_dwStyle = dwStyle;
    m_nDropDownHeight = nDropDownHeight;
    m_iSelIndex = -1;
    if (IsComboLive())
        FillCombo();
    SelectItem(iSel, TRUE);
}
