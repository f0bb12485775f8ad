#include "uitoolkit/bars/KTDropDownToolBar.h"
#include "uitoolkit/bars/KTMenuBar.h"

#include "uitoolkit/bars/KTPopupMenuBar.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"
#include "uitoolkit/looks/KTImageStrip.h"
#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTVisualManager.h"

IMPLEMENT_SERIAL(CKTDropDownToolbarButton, CKTToolbarButton, VERSIONABLE_SCHEMA | 1)

namespace
{
CKTDropDownToolBar* FindGroupToolBar(UINT uiBarId)
{
    if (uiBarId == 0)
        return nullptr;
    const CObList& bars = CKTToolBar::GetAllToolbars();
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;)
    {
        CObject* pBar = bars.GetNext(pos);
        if (pBar->IsKindOf(RUNTIME_CLASS(CKTDropDownToolBar)))
        {
            auto* pGroup = static_cast<CKTDropDownToolBar*>(pBar);
            if (pGroup->GetSafeHwnd() != nullptr && static_cast<UINT>(pGroup->GetDlgCtrlID()) == uiBarId &&
                pGroup->GetDlgCtrlID() != CKTDropDownFrame::ToolBarId)
                return pGroup;
        }
    }
    return nullptr;
}

// Customize menu items that make no sense for a button that shows another command's image.
const UINT kCustomizeItemsGreyed[] = {16911, 16913, 16914, 16915, 16916};
} // namespace

CKTDropDownToolbarButton::CKTDropDownToolbarButton()
{
    m_bLocked = TRUE;
}

CKTDropDownToolbarButton::CKTDropDownToolbarButton(LPCTSTR lpszName, CKTDropDownToolBar* pToolBar)
    : m_pToolBar(pToolBar), m_strName(lpszName != nullptr ? lpszName : L"")
{
    m_bLocked = TRUE;
    if (m_pToolBar != nullptr && m_pToolBar->GetCount() > 0)
        SetDefaultCommand(m_pToolBar->GetItemID(0));
}

CKTDropDownToolbarButton::~CKTDropDownToolbarButton()
{
    StopTimer();
    CloseFrame();
}

void CKTDropDownToolbarButton::StopTimer()
{
    if (m_uiTimer != 0)
    {
        ::KillTimer(nullptr, m_uiTimer);
        m_uiTimer = 0;
    }
    if (m_pPressed == this)
        m_pPressed = nullptr;
}

void CKTDropDownToolbarButton::CloseFrame()
{
    CKTDropDownFrame* pFrame = m_pPopupMenu;
    if (pFrame == nullptr)
        return;
    m_pPopupMenu = nullptr;
    // The frame must not call back into this button while it goes.
    pFrame->m_pParentBtn = nullptr;
    if (pFrame->GetSafeHwnd() != nullptr)
        pFrame->DestroyWindow();
    if (m_pWndBar != nullptr && m_pWndBar->IsKindOf(RUNTIME_CLASS(CKTMenuBar)))
        static_cast<CKTMenuBar*>(m_pWndBar)->ClearDroppedButton();
}

// Current command --------------------------------------------------------------------------------

void CKTDropDownToolbarButton::SetDefaultCommand(UINT uiCmd)
{
    m_nID = uiCmd;
    m_iSelectedImage = -1;
    m_bLocalUserButton = FALSE;
    if (m_pToolBar != nullptr)
    {
        int iImage = 0;
        for (int i = 0; i < m_pToolBar->GetCount(); i++)
        {
            const CKTToolbarButton* pButton = m_pToolBar->GetButton(i);
            if (pButton->IsSeparator())
                continue;
            if (pButton->m_nID == uiCmd)
            {
                m_bLocalUserButton = pButton->m_bUserButton;
                m_iSelectedImage = m_bLocalUserButton ? pButton->m_iUserImage : iImage;
                break;
            }
            iImage++;
        }
    }
    if (m_iSelectedImage == -1)
        m_iSelectedImage = 0;
    if (m_pWndBar->GetSafeHwnd() != nullptr)
        m_pWndBar->InvalidateRect(m_rect);
}

// Press and hold -----------------------------------------------------------------------------------

void CALLBACK CKTDropDownToolbarButton::OnPressTimer(HWND, UINT, UINT_PTR idEvent, DWORD)
{
    CKTDropDownToolbarButton* pButton = m_pPressed;
    if (pButton == nullptr || pButton->m_uiTimer != idEvent)
    {
        ::KillTimer(nullptr, idEvent);
        return;
    }
    // A press that ended away from the button (the bar has let the mouse go) drops nothing.
    CWnd* pBar = pButton->m_pWndBar;
    if (pBar->GetSafeHwnd() == nullptr || ::GetCapture() != pBar->GetSafeHwnd())
    {
        pButton->StopTimer();
        return;
    }
    pButton->OnClick(pBar, FALSE);
}

BOOL CKTDropDownToolbarButton::OnClick(CWnd* pWnd, BOOL bDelay)
{
    if (m_uiTimer == 0)
    {
        if (m_pPressed != nullptr && m_pPressed != this)
            m_pPressed->StopTimer();
        // A thread timer: its id cannot clash with the ids of the bar's own timers.
        m_uiTimer = ::SetTimer(nullptr, 0, PressAndHoldMs, &CKTDropDownToolbarButton::OnPressTimer);
        if (m_uiTimer != 0)
            m_pPressed = this;
        return FALSE;
    }
    StopTimer();
    if (m_pPopupMenu != nullptr)
        CloseFrame();
    else if (!bDelay || !(m_pWndBar != nullptr && m_pWndBar->IsKindOf(RUNTIME_CLASS(CKTPopupMenuBar))) ||
             CKTToolBar::IsCustomizeMode())
    {
        if (DropDown(pWnd) && m_pWndBar != nullptr && m_pWndBar->IsKindOf(RUNTIME_CLASS(CKTMenuBar)))
            static_cast<CKTMenuBar*>(m_pWndBar)->SetDroppedButton(this);
    }
    if (m_pWndBar->GetSafeHwnd() != nullptr)
        m_pWndBar->InvalidateRect(m_rect);
    return FALSE;
}

BOOL CKTDropDownToolbarButton::OnClickUp()
{
    if (m_uiTimer != 0)
    {
        StopTimer();
        return FALSE;
    }
    CloseFrame();
    return TRUE;
}

BOOL CKTDropDownToolbarButton::DropDown(CWnd* pWnd)
{
    if (m_pToolBar == nullptr || m_pPopupMenu != nullptr)
        return FALSE;
    if (pWnd == nullptr)
        pWnd = m_pWndBar;
    if (pWnd->GetSafeHwnd() == nullptr)
        return FALSE;
    CRect rect = m_rect;
    pWnd->ClientToScreen(&rect);
    const BOOL bVertBar = pWnd->IsKindOf(RUNTIME_CLASS(CControlBar)) &&
                          (static_cast<CControlBar*>(pWnd)->GetBarStyle() & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) == 0;
    const CPoint point = bVertBar ? CPoint(rect.right + 1, rect.top) : CPoint(rect.left - 1, rect.bottom);

    auto* pFrame = new CKTDropDownFrame;
    pFrame->m_pParentBtn = this;
    m_pPopupMenu = pFrame;
    if (!pFrame->Create(pWnd, point.x, point.y, m_pToolBar))
    {
        // A frame whose window was never made is deleted here; one that failed in creation
        // has deleted itself and cleared the pointer.
        if (m_pPopupMenu == pFrame && pFrame->GetSafeHwnd() == nullptr)
            delete pFrame;
        m_pPopupMenu = nullptr;
        return FALSE;
    }
    return TRUE;
}

// Bars and copies ------------------------------------------------------------------------------------

void CKTDropDownToolbarButton::OnChangeParentWnd(CWnd* pWndParent)
{
    CKTToolbarButton::OnChangeParentWnd(pWndParent);
    m_pWndBar = pWndParent;
    m_bText = FALSE;
    m_strText.Empty();
    m_bUserButton = FALSE;
}

void CKTDropDownToolbarButton::OnCancelMode()
{
    if (m_pWndBar->GetSafeHwnd() != nullptr)
    {
        m_pWndBar->InvalidateRect(m_rect);
        m_pWndBar->UpdateWindow();
    }
}

void CKTDropDownToolbarButton::CopyFrom(const CKTToolbarButton& src)
{
    // The copy is the same button: command, style and flags come along with the group.
    CKTToolbarButton::CopyFrom(src);
    if (!src.IsKindOf(RUNTIME_CLASS(CKTDropDownToolbarButton)) || &src == this)
        return;
    const auto& other = static_cast<const CKTDropDownToolbarButton&>(src);
    m_pToolBar = other.m_pToolBar;
    m_strName = other.m_strName;
    m_iSelectedImage = other.m_iSelectedImage;
    m_bLocalUserButton = other.m_bLocalUserButton;
    m_dwReserved = 0;
}

void CKTDropDownToolbarButton::Serialize(CArchive& ar)
{
    CKTToolbarButton::Serialize(ar);
    if (ar.IsStoring())
    {
        const DWORD dwBarId = m_pToolBar->GetSafeHwnd() != nullptr ? static_cast<DWORD>(m_pToolBar->GetDlgCtrlID()) : 0;
        ar << dwBarId << m_strName << static_cast<LONG>(m_iSelectedImage);
        return;
    }
    DWORD dwBarId = 0;
    CString strName;
    LONG iImage = 0;
    ar >> dwBarId >> strName >> iImage;
    m_pToolBar = FindGroupToolBar(dwBarId);
    m_strName = strName;
    m_iSelectedImage = iImage;
    if (m_pToolBar != nullptr)
        SetDefaultCommand(m_nID);
}

BOOL CKTDropDownToolbarButton::ExportToMenuButton(CKTToolbarMenuButton& menuButton) const
{
    if (!CKTToolbarButton::ExportToMenuButton(menuButton) || m_pToolBar == nullptr)
        return FALSE;
    HMENU hMenu = ::CreatePopupMenu();
    if (hMenu == nullptr)
        return FALSE;
    for (int i = 0; i < m_pToolBar->GetCount(); i++)
    {
        const CKTToolbarButton* pButton = m_pToolBar->GetButton(i);
        if (pButton->IsSeparator())
            ::AppendMenuW(hMenu, MF_SEPARATOR, 0, nullptr);
        else if (pButton->m_nID != 0 && pButton->m_nID != (UINT)-1)
        {
            CString strText = pButton->m_strText;
            if (strText.IsEmpty())
                CKTToolbarButton::LoadCommandText(pButton->m_nID, strText);
            ::AppendMenuW(hMenu, MF_STRING, pButton->m_nID, strText);
        }
    }
    menuButton.m_nID = 0;
    menuButton.m_strText = m_strName;
    menuButton.SetImage(-1);
    menuButton.m_bImage = FALSE;
    menuButton.CreateFromMenu(hMenu);
    // The menu button took copies of the items.
    ::DestroyMenu(hMenu);
    return TRUE;
}

BOOL CKTDropDownToolbarButton::OnCustomizeMenu(CMenu* pPopup)
{
    if (pPopup != nullptr)
        for (UINT uiCmd : kCustomizeItemsGreyed)
            pPopup->EnableMenuItem(uiCmd, MF_BYCOMMAND | MF_GRAYED);
    return TRUE;
}

int CKTDropDownToolbarButton::DrawAsListItem(CDC* pDC, const CRect& rect, BOOL bSelected)
{
    const CString strText = m_strText;
    m_strText = m_strName;
    const int iWidth = CKTToolbarButton::DrawAsListItem(pDC, rect, bSelected);
    m_strText = strText;
    return iWidth;
}

void CKTDropDownToolbarButton::SetImage(int iImage)
{
    const BOOL bImage = m_bImage;
    const BOOL bText = m_bText;
    CKTToolbarButton::SetImage(iImage);
    m_bImage = bImage;
    m_bText = bText;
}

BOOL CKTDropDownToolbarButton::IsExtraSize() const
{
    return m_bDrawCurrentImage ? FALSE : CKTToolbarButton::IsExtraSize();
}

// Size and drawing ---------------------------------------------------------------------------------

SIZE CKTDropDownToolbarButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz)
{
    if (m_nID == 0 && m_pToolBar != nullptr && m_pToolBar->GetCount() > 0)
        SetDefaultCommand(m_pToolBar->GetItemID(0));
    const BOOL bImage = m_bImage;
    const BOOL bText = m_bText;
    const int iImage = m_iImage;
    m_bImage = TRUE;
    m_bText = FALSE;
    m_iImage = m_iSelectedImage;
    const BOOL bUser = m_bUserButton;
    m_bUserButton = FALSE;
    CSize size = CKTToolbarButton::OnCalculateSize(pDC, sizeDefault, bHorz);
    m_bUserButton = bUser;
    m_iImage = iImage;
    m_bText = bText;
    m_bImage = bImage;
    size.cx += CKTToolBar::IsLargeIcons() ? 9 : 4;
    return size;
}

void CKTDropDownToolbarButton::OnDraw(CDC* pDC, const CRect& rect, CKTImageStrip* /*pImages*/, BOOL bHorz,
                                      BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder, BOOL bGrayDisabledButtons)
{
    FillInterior(pDC, rect, bHighlight);
    const BOOL bLarge = CKTToolBar::IsLargeIcons();

    if (m_pToolBar != nullptr)
    {
        CKTImageStrip* pStrip = nullptr;
        CRect rectImage = rect;
        if (m_bLocalUserButton)
        {
            pStrip = CKTToolBar::GetUserImages();
            if (pStrip != nullptr)
                pStrip->SetTransparentColor(ktGlobals.m_colorFace);
        }
        else
        {
            pStrip = m_pToolBar->GetGroupImages();
            rectImage.right -= bLarge ? 8 : 4;
        }
        if (pStrip != nullptr)
        {
            CSize sizeImage = m_pToolBar->GetGroupImageSize();
            if (sizeImage.cx <= 0 || sizeImage.cy <= 0)
                sizeImage = CKTToolBar::GetDefaultImageSize();
            if (bLarge)
                sizeImage = CSize(sizeImage.cx * 2, sizeImage.cy * 2);
            CKTDrawState ds;
            if (pStrip->PrepareDrawImage(ds, sizeImage))
            {
                const int iImage = m_iImage;
                const int iUserImage = m_iUserImage;
                const BOOL bUser = m_bUserButton;
                const BOOL bImage = m_bImage;
                const BOOL bText = m_bText;
                const BOOL bDisableFill = m_bDisableFill;
                m_bUserButton = m_bLocalUserButton;
                (m_bUserButton ? m_iUserImage : m_iImage) = m_iSelectedImage;
                m_bImage = TRUE;
                m_bText = FALSE;
                m_bDisableFill = TRUE;
                m_bDrawCurrentImage = TRUE;
                CKTToolbarButton::OnDraw(pDC, rectImage, pStrip, bHorz, bCustomizeMode, bHighlight, FALSE,
                                         bGrayDisabledButtons);
                m_bDrawCurrentImage = FALSE;
                m_bDisableFill = bDisableFill;
                m_bText = bText;
                m_bImage = bImage;
                m_bUserButton = bUser;
                m_iUserImage = iUserImage;
                m_iImage = iImage;
                pStrip->EndDrawImage(ds);
            }
        }
    }

    // The drop-down mark in the corner.
    const int a = bLarge ? 14 : 7;
    const int b = bLarge ? 7 : 4;
    const int p = (m_nStyle & TBBS_PRESSED) ? 1 : 0;
    const POINT triangle[3] = {{rect.right - a + p - 1, rect.bottom - b + p + 1},
                               {rect.right - b + p + 1, rect.bottom - b + p + 1},
                               {rect.right - b + p + 1, rect.bottom - a + p - 1}};
    CBrush* pOldBrush = pDC->SelectObject(&ktGlobals.m_brushDarkShadow);
    CPen* pOldPen = static_cast<CPen*>(pDC->SelectStockObject(NULL_PEN));
    pDC->Polygon(triangle, 3);
    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldBrush);

    if (bCustomizeMode || !bDrawBorder || !DrawsBorder())
        return;
    CKTVisualManager* pLook = CKTVisualManager::GetInstance();
    if (m_pPopupMenu != nullptr || (m_nStyle & (TBBS_CHECKED | TBBS_PRESSED)))
        pLook->OnDrawButtonBorder(pDC, this, rect,
                                  m_nID != 0 && m_nID != (UINT)-1 ? CKTVisualManager::ButtonsIsPressed
                                                                  : CKTVisualManager::ButtonsIsHighlighted);
    else if (bHighlight && !(m_nStyle & (TBBS_CHECKED | TBBS_DISABLED | TBBS_INDETERMINATE)))
        pLook->OnDrawButtonBorder(pDC, this, rect, CKTVisualManager::ButtonsIsHighlighted);
}
