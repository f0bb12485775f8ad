// The property grid's properties: values, their text, drawing and in-place editors, and the colour
// property's drop-down colour bar.
#include "uitoolkit/widgets/KTPropList.h"

#include "uitoolkit/looks/KTUIGlobals.h"

#include <algorithm>
#include <cwchar>

IMPLEMENT_DYNAMIC(CKTProp, CObject)
IMPLEMENT_DYNAMIC(CKTColorProp, CKTProp)

UINT KT_WM_PROPERTYCHANGED = ::RegisterWindowMessage(_T("KTM_PROPERTYCHANGED"));

UINT KTGetPropertyChangedMessage()
{
    return KT_WM_PROPERTYCHANGED;
}

namespace
{
// The rows a property's drop-down list shows below its value.
const int kListRows = 8;

// The window a colour property drops down: it holds the colour bar and goes when the bar asks
// it to close.
class CKTColorPopupWnd : public CWnd
{
public:
    explicit CKTColorPopupWnd(CKTColorBar* pBar) : m_pBar(pBar) {}
    ~CKTColorPopupWnd() override { delete m_pBar; }
    CKTColorBar* m_pBar;

protected:
    void OnClose() { DestroyWindow(); }
    void PostNcDestroy() override { delete this; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CKTColorPopupWnd, CWnd)
ON_WM_CLOSE()
END_MESSAGE_MAP()

} // namespace

CKTProp::CKTProp(const CString& strGroupName) : m_strName(strGroupName), m_bGroup(TRUE), m_bAllowEdit(FALSE) {}

CKTProp::CKTProp(const CString& strName, const COleVariant& varValue) : m_strName(strName), m_varValue(varValue) {}

CKTProp::~CKTProp()
{
    if (m_pWndInPlace != nullptr)
    {
        m_pWndInPlace->DestroyWindow();
        delete m_pWndInPlace;
    }
    for (CKTProp* pProp : m_lstSubItems)
        delete pProp;
}

BOOL CKTProp::AddSubItem(CKTProp* pProp)
{
    if (pProp == nullptr || !m_bGroup)
        return FALSE;
    pProp->m_pParent = this;
    pProp->SetOwnerList(m_pWndList);
    m_lstSubItems.push_back(pProp);
    if (m_pWndList != nullptr)
        m_pWndList->AdjustLayout();
    return TRUE;
}

CKTProp* CKTProp::GetSubItem(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetSubItemsCount() ? m_lstSubItems[static_cast<size_t>(nIndex)] : nullptr;
}

void CKTProp::SetOwnerList(CKTPropList* pWndList)
{
    m_pWndList = pWndList;
    for (CKTProp* pProp : m_lstSubItems)
        pProp->SetOwnerList(pWndList);
}

void CKTProp::Expand(BOOL bExpand)
{
    if (!m_bGroup || m_bExpanded == bExpand)
        return;
    m_bExpanded = bExpand;
    if (m_pWndList != nullptr && m_pWndList->GetSafeHwnd() != nullptr)
    {
        m_pWndList->AdjustLayout();
        CRect rect = m_pWndList->GetListRect();
        rect.top = m_Rect.top;
        m_pWndList->RedrawWindow(rect, nullptr, RDW_INVALIDATE | RDW_ERASE);
    }
}

void CKTProp::Redraw()
{
    if (m_pWndList == nullptr || m_pWndList->GetSafeHwnd() == nullptr)
        return;
    CRect rect = m_rectValue;
    rect.DeflateRect(0, 1);
    m_pWndList->InvalidateRect(rect);
    m_pWndList->UpdateWindow();
}

void CKTProp::SetValue(const COleVariant& varValue)
{
    m_varValue = varValue;
    Redraw();
    if (m_pWndInPlace != nullptr)
        m_pWndInPlace->SetWindowText(FormatProperty());
}

void CKTProp::SetIntValue(long nValue)
{
    switch (m_varValue.vt)
    {
    case VT_I4:
    case VT_ERROR:
        m_varValue.lVal = nValue;
        break;
    case VT_BOOL:
        m_varValue.boolVal = nValue > 0 ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    default:
        m_varValue.Clear();
        m_varValue.vt = VT_I4;
        m_varValue.lVal = nValue;
        break;
    }
    Redraw();
    if (m_pWndInPlace != nullptr)
        m_pWndInPlace->SetWindowText(FormatProperty());
}

CString CKTProp::FormatProperty() const
{
    CString str;
    switch (m_varValue.vt)
    {
    case VT_I2:
        str.Format(m_strFormatShort, static_cast<int>(m_varValue.iVal));
        break;
    case VT_I4:
    case VT_ERROR:
        str.Format(m_strFormatLong, m_varValue.lVal);
        break;
    case VT_R4:
        str.Format(m_strFormatFloat, static_cast<double>(m_varValue.fltVal));
        break;
    case VT_R8:
        str.Format(m_strFormatDouble, m_varValue.dblVal);
        break;
    case VT_BSTR:
        str = m_varValue.bstrVal != nullptr ? m_varValue.bstrVal : L"";
        break;
    case VT_BOOL:
        str = m_varValue.boolVal != VARIANT_FALSE ? _T("True") : _T("False");
        break;
    default:
        break;
    }
    return str;
}

BOOL CKTProp::TextToVar(const CString& strText)
{
    const wchar_t* psz = strText;
    wchar_t* pEnd = nullptr;
    switch (m_varValue.vt)
    {
    case VT_I2:
    case VT_I4:
    case VT_ERROR: {
        const long nValue = std::wcstol(psz, &pEnd, 10);
        if (pEnd == psz || *pEnd != 0)
            return FALSE;
        if (m_varValue.vt == VT_I2)
            m_varValue.iVal = static_cast<short>(nValue);
        else
            m_varValue.lVal = nValue;
        return TRUE;
    }
    case VT_R4:
    case VT_R8: {
        const double dblValue = std::wcstod(psz, &pEnd);
        if (pEnd == psz || *pEnd != 0)
            return FALSE;
        if (m_varValue.vt == VT_R4)
            m_varValue.fltVal = static_cast<float>(dblValue);
        else
            m_varValue.dblVal = dblValue;
        return TRUE;
    }
    case VT_BOOL:
        if (strText.CompareNoCase(_T("True")) == 0)
            m_varValue.boolVal = VARIANT_TRUE;
        else if (strText.CompareNoCase(_T("False")) == 0)
            m_varValue.boolVal = VARIANT_FALSE;
        else
            return FALSE;
        return TRUE;
    case VT_BSTR:
        m_varValue = strText;
        return TRUE;
    default:
        return FALSE;
    }
}

CRect CKTProp::GetButtonRect() const
{
    if (!HasButton() || m_rectValue.IsRectEmpty())
        return CRect();
    CRect rect = m_rectValue;
    rect.left = std::max(rect.left, rect.right - rect.Height());
    return rect;
}

CRect CKTProp::GetEditorRect() const
{
    CRect rect = m_rectValue;
    rect.DeflateRect(3, 1, 0, 1);
    if (HasButton())
        rect.right = std::max(rect.left, GetButtonRect().left);
    return rect;
}

void CKTProp::DrawButton(CDC* pDC) const
{
    CRect rect = GetButtonRect();
    if (rect.IsRectEmpty())
        return;
    rect.DeflateRect(0, 0, 0, 1);
    pDC->FillSolidRect(rect, ktGlobals.m_colorFace);
    pDC->Draw3dRect(rect, ktGlobals.m_colorHighlight, ktGlobals.m_colorShadow);
    pDC->SetTextColor(ktGlobals.m_colorText);
    pDC->DrawText(_T("..."), -1, rect, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
}

void CKTProp::ReportChange()
{
    if (m_pWndList != nullptr)
        m_pWndList->OnPropertyChanged(this);
}

CRect CKTProp::GetExpandBox() const
{
    const int nBox = std::min(9, m_Rect.Height() - 4);
    const int x = m_Rect.left + 4;
    const int y = m_Rect.top + (m_Rect.Height() - nBox) / 2;
    return CRect(x, y, x + nBox, y + nBox);
}

void CKTProp::OnDrawValue(CDC* pDC, CRect rect)
{
    if (HasButton())
    {
        DrawButton(pDC);
        rect.right = GetButtonRect().left;
    }
    rect.DeflateRect(4, 0);
    pDC->DrawText(FormatProperty(), -1, rect, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void CKTProp::AddOption(LPCTSTR lpszOption)
{
    if (lpszOption != nullptr)
        m_lstOptions.emplace_back(lpszOption);
}

BOOL CKTProp::HasList() const
{
    return !m_lstOptions.empty() || m_varValue.vt == VT_BOOL;
}

BOOL CKTProp::CreateListEditor()
{
    std::vector<CString> options = m_lstOptions;
    if (options.empty())
        options = {_T("True"), _T("False")};
    CRect rect = GetEditorRect();
    rect.bottom = rect.top + rect.Height() * (kListRows + 1);
    CComboBox* pCombo = new CComboBox;
    if (!pCombo->Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, rect, m_pWndList,
                        CKTPropList::InPlaceComboId))
    {
        delete pCombo;
        return FALSE;
    }
    pCombo->SendMessage(WM_SETFONT, m_pWndList->SendMessage(WM_GETFONT));
    const CString strValue = FormatProperty();
    for (const CString& strOption : options)
    {
        const int nIndex = pCombo->AddString(strOption);
        if (strOption == strValue)
            pCombo->SetCurSel(nIndex);
    }
    pCombo->SetFocus();
    m_pWndInPlace = pCombo;
    return TRUE;
}

CComboBox* CKTProp::InPlaceList() const
{
    return m_pWndInPlace != nullptr && m_pWndInPlace->IsKindOf(RUNTIME_CLASS(CComboBox))
               ? static_cast<CComboBox*>(m_pWndInPlace)
               : nullptr;
}

void CKTProp::OnSelectCombo()
{
    CComboBox* pCombo = InPlaceList();
    const int nIndex = pCombo != nullptr ? pCombo->GetCurSel() : CB_ERR;
    if (nIndex == CB_ERR)
        return;
    CString strText;
    pCombo->GetLBText(nIndex, strText);
    const COleVariant varOld = m_varValue;
    if (!TextToVar(strText))
    {
        m_varValue = varOld;
        return;
    }
    if (!(m_varValue == varOld))
    {
        Redraw();
        ReportChange();
    }
}

void CKTProp::OnCloseCombo()
{
    // The list no longer covers the rows below: they show again.
    if (m_pWndList != nullptr && m_pWndList->GetSafeHwnd() != nullptr)
        m_pWndList->UpdateWindow();
}

BOOL CKTProp::OnSetCursor(CPoint /*point*/) const
{
    if (!m_bAllowEdit || m_bGroup || HasList())
        return FALSE;
    ::SetCursor(::LoadCursor(nullptr, IDC_IBEAM));
    return TRUE;
}

BOOL CKTProp::OnDblClick(CPoint /*point*/)
{
    CComboBox* pCombo = InPlaceList();
    if (pCombo == nullptr || pCombo->GetCount() <= 0)
        return FALSE;
    pCombo->SetCurSel((pCombo->GetCurSel() + 1) % pCombo->GetCount());
    OnSelectCombo();
    return TRUE;
}

HBRUSH CKTProp::OnCtlColor(CDC* /*pDC*/, UINT /*nCtlColor*/)
{
    return nullptr;
}

CString CKTProp::GetTooltipText(CPoint point) const
{
    if (!m_bGroup && m_rectValue.PtInRect(point))
        return FormatProperty();
    return m_strName;
}

BOOL CKTProp::OnEdit(LPPOINT /*lptClick*/)
{
    if (!m_bAllowEdit || m_bGroup || m_pWndList == nullptr || m_pWndInPlace != nullptr)
        return FALSE;
    if (HasList())
        return CreateListEditor();
    CEdit* pEdit = CreateEditor();
    if (!pEdit->Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, GetEditorRect(), m_pWndList, CKTPropList::InPlaceEditId))
    {
        delete pEdit;
        return FALSE;
    }
    pEdit->SendMessage(WM_SETFONT, m_pWndList->SendMessage(WM_GETFONT));
    pEdit->SetWindowText(FormatProperty());
    pEdit->SetSel(0, -1);
    pEdit->SetFocus();
    m_pWndInPlace = pEdit;
    return TRUE;
}

BOOL CKTProp::OnEndEdit(BOOL bSave)
{
    if (m_pWndInPlace == nullptr)
        return FALSE;
    BOOL bChanged = FALSE;
    if (bSave)
    {
        CString strText;
        m_pWndInPlace->GetWindowText(strText);
        const COleVariant varOld = m_varValue;
        if (TextToVar(strText))
            bChanged = !(m_varValue == varOld);
        else
            m_varValue = varOld;
    }
    CWnd* pWnd = m_pWndInPlace;
    m_pWndInPlace = nullptr;
    pWnd->DestroyWindow();
    delete pWnd;
    Redraw();
    return bChanged;
}

// Colour property --------------------------------------------------------------------------------

CKTColorProp::CKTColorProp(const CString& strName, COLORREF color)
    : CKTProp(strName, COleVariant(static_cast<long>(color))), m_Color(color)
{
    PALETTEENTRY entries[20]{};
    const UINT nCount = ::GetPaletteEntries((HPALETTE)::GetStockObject(DEFAULT_PALETTE), 0, 20, entries);
    for (UINT i = 0; i < nCount; i++)
        m_Colors.Add(RGB(entries[i].peRed, entries[i].peGreen, entries[i].peBlue));
}

CKTColorProp::~CKTColorProp()
{
    if (m_pPopup != nullptr && ::IsWindow(m_pPopup->GetSafeHwnd()))
        m_pPopup->DestroyWindow();
}

void CKTColorProp::SetColor(COLORREF color)
{
    m_Color = color;
    m_varValue = static_cast<long>(color);
    Redraw();
}

CString CKTColorProp::FormatProperty() const
{
    if (m_Color == (COLORREF)-1)
        return CString();
    CString str;
    str.Format(_T("%02X%02X%02X"), GetRValue(m_Color), GetGValue(m_Color), GetBValue(m_Color));
    return str;
}

BOOL CKTColorProp::TextToVar(const CString& strText)
{
    if (strText.GetLength() != 6)
        return FALSE;
    wchar_t* pEnd = nullptr;
    const unsigned long nValue = std::wcstoul(strText, &pEnd, 16);
    if (pEnd == nullptr || *pEnd != 0)
        return FALSE;
    SetColor(RGB((nValue >> 16) & 0xFF, (nValue >> 8) & 0xFF, nValue & 0xFF));
    return TRUE;
}

void CKTColorProp::OnDrawValue(CDC* pDC, CRect rect)
{
    CRect rectColor = rect;
    rectColor.DeflateRect(2, 2);
    rectColor.right = rectColor.left + rectColor.Height();
    if (m_Color != (COLORREF)-1)
    {
        CBrush br(m_Color);
        pDC->FillRect(rectColor, &br);
    }
    pDC->Draw3dRect(rectColor, RGB(0, 0, 0), RGB(0, 0, 0));
    rect.left = rectColor.right + 2;
    CKTProp::OnDrawValue(pDC, rect);
}

BOOL CKTColorProp::OnEdit(LPPOINT /*lptClick*/)
{
    if (!m_bAllowEdit || m_pWndList == nullptr || m_pPopup != nullptr)
        return FALSE;
    CList<COLORREF, COLORREF> none;
    CKTColorBar* pBar = new CKTColorBar(m_Colors, m_Color, nullptr, nullptr, nullptr, none, m_nColumnsNumber, -1, -1,
                                        (COLORREF)-1, 0, m_pWndList);
    CKTColorPopupWnd* pPopup = new CKTColorPopupWnd(pBar);
    CRect rectValue = m_rectValue;
    m_pWndList->ClientToScreen(&rectValue);
    if (!pPopup->CreateEx(
            WS_EX_TOOLWINDOW, AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW)), nullptr, WS_POPUP | WS_BORDER,
            CRect(rectValue.left, rectValue.bottom, rectValue.left + 10, rectValue.bottom + 10), m_pWndList, 0))
    {
        delete pPopup;
        return FALSE;
    }
    if (!pBar->Create(pPopup, WS_CHILD | WS_VISIBLE | CBRS_TOP, 1))
    {
        pPopup->DestroyWindow();
        return FALSE;
    }
    pBar->SetBarStyle(pBar->GetBarStyle() & ~(CBRS_BORDER_ANY | CBRS_GRIPPER));
    pBar->SetOwner(m_pWndList);
    const CSize size = pBar->CalcSize(FALSE);
    CRect rectBorder(0, 0, size.cx, size.cy);
    ::AdjustWindowRectEx(&rectBorder, WS_POPUP | WS_BORDER, FALSE, WS_EX_TOOLWINDOW);
    pPopup->SetWindowPos(&CWnd::wndTop, rectValue.left, rectValue.bottom, rectBorder.Width(), rectBorder.Height(),
                         SWP_NOACTIVATE | SWP_SHOWWINDOW);
    pBar->SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    pBar->AdjustLocations();
    m_pPopup = pPopup;
    return TRUE;
}

BOOL CKTColorProp::OnEndEdit(BOOL /*bSave*/)
{
    if (m_pPopup != nullptr && ::IsWindow(m_pPopup->GetSafeHwnd()))
        m_pPopup->SendMessage(WM_CLOSE);
    m_pPopup = nullptr;
    return FALSE;
}
