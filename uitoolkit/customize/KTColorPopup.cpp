// The colour popup: a popup menu whose only content is a colour bar.
#include "uitoolkit/customize/KTColorPopup.h"

#include "uitoolkit/customize/KTColorMenuButton.h"

IMPLEMENT_DYNAMIC(CColorPopup, CKTPopupMenu)

namespace
{
const UINT kBarId = 1;
} // namespace

BEGIN_MESSAGE_MAP(CColorPopup, CKTPopupMenu)
ON_WM_CREATE()
END_MESSAGE_MAP()

CColorPopup* AsColorPopup(CWnd* pWnd)
{
    return pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CColorPopup)) ? static_cast<CColorPopup*>(pWnd) : nullptr;
}

CColorPopup::CColorPopup(const CArray<COLORREF, COLORREF>& colors, COLORREF color, LPCTSTR lpszAutoColor,
                         LPCTSTR lpszOtherColor, LPCTSTR lpszDocColors, const CList<COLORREF, COLORREF>& lstDocColors,
                         int nColumns, int nRowsDockHorz, int nColDockVert, COLORREF colorAutomatic, UINT uiCommandID,
                         CKTColorBarOwner* pOwner)
    : m_wndColorBar(colors, color, lpszAutoColor, lpszOtherColor, lpszDocColors, lstDocColors, nColumns, nRowsDockHorz,
                    nColDockVert, colorAutomatic, uiCommandID, pOwner)
{
}

CKTColorMenuButton* CColorPopup::GetParentColorButton() const
{
    return AsColorMenuButton(m_pParentBtn);
}

int CColorPopup::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKTToolBar::IsCustomizeMode() && !m_bEnabledInCustomizeMode)
        return -1;
    // The frame only: the bar below takes the place of the menu's items.
    if (CMiniFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    DWORD dwStyle = WS_CHILD | WS_VISIBLE;
    if (m_AnimationType != ANIMATION_NONE && !CKTToolBar::IsCustomizeMode())
        dwStyle &= ~WS_VISIBLE;
    if (!m_wndColorBar.Create(this, dwStyle | CBRS_ALIGN_TOP | CBRS_TOOLTIPS | CBRS_FLYBY, kBarId))
        return -1;
    // The popup draws the frame: the bar has no borders or gripper of its own.
    m_wndColorBar.SetBorders(0, 0, 0, 0);
    m_wndColorBar.SetBarStyle(m_wndColorBar.GetBarStyle() & ~(CBRS_BORDER_ANY | CBRS_GRIPPER));
    m_wndColorBar.SetWindowPos(nullptr, 0, 0, 0, 0,
                               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    m_wndColorBar.SetOwner(GetParent() != nullptr ? GetParent() : GetOwner());
    m_wndColorBar.EnableToolTips(TRUE);

    if (!ActivatePopupMenu(GetTopFrame(), this))
        return -1;
    Reposition();
    RecalcLayout();
    if (m_AnimationType != ANIMATION_NONE && !CKTToolBar::IsCustomizeMode())
        StartAnimation();
    CheckShadow();
    if (m_iShadowSize == 0 && m_AnimationType == ANIMATION_FADE)
        m_AnimSize = m_FinalSize;
    CaptureBackground();
    SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return 0;
}

CKTToolBar* CColorPopup::CreateTearOffBar(CFrameWnd* pFrame, UINT uiID, LPCTSTR lpszName)
{
    CKTColorMenuButton* pButton = GetParentColorButton();
    if (pButton == nullptr || pFrame == nullptr)
        return nullptr;
    CKTColorBar* pBar = new CKTColorBar(m_wndColorBar, pButton->m_nID);
    if (!pBar->Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY, uiID))
    {
        delete pBar;
        return nullptr;
    }
    pBar->SetWindowText(lpszName);
    pBar->SetBarStyle(pBar->GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY);
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    return pBar;
}
