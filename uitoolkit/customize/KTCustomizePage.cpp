#include "uitoolkit/customize/KTCustomizePage.h"

#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/bars/KTToolbarButton.h"
#include "uitoolkit/customize/KTButtonDragDrop.h"
#include "uitoolkit/customize/KTCommandManager.h"
#include "uitoolkit/customize/KTToolbarCustomize.h"
#include "uitoolkit/looks/KTVisualManager.h"

IMPLEMENT_DYNAMIC(CKTCommandsListBox, CListBox)
IMPLEMENT_DYNCREATE(CKTCustomizePage, CPropertyPage)

namespace
{
const UINT IDC_KT_CATEGORY = 16601;
const UINT IDC_KT_COMMANDS = 16602;
const UINT IDC_KT_DESCRIPTION = 16603;
} // namespace

// The commands list ---------------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CKTCommandsListBox, CListBox)
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

void CKTCommandsListBox::PreSubclassWindow()
{
    CListBox::PreSubclassWindow();
    const CSize sizeImage = CKTToolBar::GetMenuImageSize();
    m_iImageWidth = sizeImage.cx + 6;
    m_iItemHeight = sizeImage.cy + 6;
    SetItemHeight(0, (UINT)m_iItemHeight);
}

CKTToolbarButton* CKTCommandsListBox::GetButton(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return nullptr;
    return reinterpret_cast<CKTToolbarButton*>(GetItemData(nIndex));
}

void CKTCommandsListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
{
    if ((int)lpMIS->itemHeight < m_iItemHeight)
        lpMIS->itemHeight = (UINT)m_iItemHeight;
}

void CKTCommandsListBox::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const CRect rect = lpDIS->rcItem;
    const int nIndex = (int)lpDIS->itemID;
    const BOOL bSelected = (lpDIS->itemState & ODS_SELECTED) != 0;
    CKTVisualManager::GetInstance()->OnFillCommandsListBackground(pDC, rect, bSelected);

    CKTToolbarButton* pButton = GetButton(nIndex);
    if (pButton != nullptr)
    {
        // The list may show the menu-path name in place of the button's own text.
        CString strShown;
        GetText(nIndex, strShown);
        const CString strOwn = pButton->m_strText;
        pButton->m_strText = strShown;
        pButton->DrawAsListItem(pDC, rect, bSelected);
        pButton->m_strText = strOwn;
    }

    if (lpDIS->itemState & ODS_FOCUS)
    {
        pDC->PatBlt(rect.left, rect.top, rect.Width(), 1, PATINVERT);
        pDC->PatBlt(rect.left, rect.bottom - 1, rect.Width(), 1, PATINVERT);
        pDC->PatBlt(rect.left, rect.top + 1, 1, rect.Height() - 2, PATINVERT);
        pDC->PatBlt(rect.right - 1, rect.top + 1, 1, rect.Height() - 2, PATINVERT);
    }
}

BOOL CKTCommandsListBox::OnEraseBkgnd(CDC* pDC)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    CKTVisualManager::GetInstance()->OnFillCommandsListBackground(pDC, rectClient);
    return TRUE;
}

void CKTCommandsListBox::OnLButtonDown(UINT nFlags, CPoint point)
{
    CListBox::OnLButtonDown(nFlags, point);
    const int nIndex = GetCurSel();
    CKTToolbarButton* pButton = GetButton(nIndex);
    CRect rectItem;
    if (pButton == nullptr || GetItemRect(nIndex, &rectItem) == LB_ERR || !rectItem.PtInRect(point))
        return;

    // The list's own mouse tracking ends before the drag loop takes the mouse.
    SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    COleDataSource source;
    pButton->SetDragFromCollection(TRUE);
    const BOOL bPrepared = pButton->PrepareDrag(source);
    pButton->SetDragFromCollection(FALSE);
    if (!bPrepared)
        return;

    // The drag cursors are made from raw data, which the system's cursor loading cannot read.
    CKTToolbarDropSource& dropSource = CKTToolbarDropSource::GetInstance();
    dropSource.LoadCursors();
    if (HCURSOR hCursor = dropSource.GetCursorFor(DROPEFFECT_NONE))
        ::SetCursor(hCursor);
    ClientToScreen(&rectItem);
    source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE, &rectItem, &dropSource);
}

// The page -------------------------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CKTCustomizePage, CPropertyPage)
ON_LBN_SELCHANGE(IDC_KT_CATEGORY, &CKTCustomizePage::OnSelchangeCategory)
ON_LBN_SELCHANGE(IDC_KT_COMMANDS, &CKTCustomizePage::OnSelchangeCommands)
END_MESSAGE_MAP()

CKTCustomizePage::CKTCustomizePage() : CPropertyPage(IDD) {}

CKTToolbarCustomize* CKTCustomizePage::GetSheet() const
{
    CWnd* pParent = GetParent();
    return pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CKTToolbarCustomize))
               ? static_cast<CKTToolbarCustomize*>(pParent)
               : nullptr;
}

BOOL CKTCustomizePage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_wndCategory.SubclassDlgItem(IDC_KT_CATEGORY, this);
    m_wndCommandsList.SubclassDlgItem(IDC_KT_COMMANDS, this);
    if (CKTToolbarCustomize* pSheet = GetSheet())
        pSheet->FillCategoryList(m_wndCategory, TRUE);
    if (m_wndCategory.GetCount() > 0)
    {
        m_wndCategory.SetCurSel(0);
        OnSelchangeCategory();
    }
    return TRUE;
}

void CKTCustomizePage::OnSelchangeCategory()
{
    const int nCategory = m_wndCategory.GetCurSel();
    if (nCategory < 0)
        return;
    const CObList* pButtons = static_cast<const CObList*>(m_wndCategory.GetItemDataPtr(nCategory));
    CString strCategory;
    m_wndCategory.GetText(nCategory, strCategory);

    CWaitCursor wait;
    m_wndCommandsList.SetRedraw(FALSE);
    m_wndCommandsList.ResetContent();
    const BOOL bAllCommands = strCategory == m_strAllCategory;
    m_pSelButton = nullptr;

    for (POSITION pos = pButtons != nullptr ? pButtons->GetHeadPosition() : nullptr; pos != nullptr;)
    {
        CKTToolbarButton* pButton = static_cast<CKTToolbarButton*>(pButtons->GetNext(pos));
        pButton->m_bUserButton =
            pButton->m_nID != (UINT)-1 && CKTCommandManager::GetInstance()->GetCmdImage(pButton->m_nID, FALSE) == -1;

        CString strText = pButton->m_strText;
        if (!pButton->m_strMenuPath.IsEmpty() &&
            (bAllCommands || CKTToolbarCustomize::CountButtonsWithText(pButton->m_strText, pButtons) > 1))
            strText = pButton->m_strMenuPath;

        int nIndex = -1;
        if (bAllCommands)
        {
            // Sorted by UTF-16 code units, case counting.
            int nInsert = 0;
            for (; nInsert < m_wndCommandsList.GetCount(); ++nInsert)
            {
                CString strItem;
                m_wndCommandsList.GetText(nInsert, strItem);
                if (wcscmp(strItem, strText) > 0)
                    break;
            }
            nIndex = m_wndCommandsList.InsertString(nInsert, strText);
        }
        else
        {
            nIndex = m_wndCommandsList.AddString(strText);
        }
        if (nIndex >= 0)
            m_wndCommandsList.SetItemData(nIndex, reinterpret_cast<DWORD_PTR>(pButton));
    }

    m_wndCommandsList.SetRedraw(TRUE);
    m_wndCommandsList.Invalidate();
    UpdateDescription();
}

void CKTCustomizePage::OnSelchangeCommands()
{
    m_pSelButton = m_wndCommandsList.GetButton(m_wndCommandsList.GetCurSel());
    UpdateDescription();
}

void CKTCustomizePage::UpdateDescription()
{
    m_strDescription.Empty();
    if (m_pSelButton != nullptr)
    {
        if (m_pSelButton->m_nID == 0)
        {
            m_strDescription = m_pSelButton->m_strText;
        }
        else
        {
            CKTToolbarCustomize* pSheet = GetSheet();
            CFrameWnd* pFrame = pSheet != nullptr ? pSheet->GetParentFrame() : nullptr;
            if (pFrame != nullptr)
                pFrame->GetMessageString(m_pSelButton->m_nID, m_strDescription);
        }
    }
    SetDlgItemText(IDC_KT_DESCRIPTION, m_strDescription);
}
