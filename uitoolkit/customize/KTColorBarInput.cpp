// The colour bar's window: creation, painting with its palette, the mouse and keys, command
// update, tooltips and choosing a colour.
#include "uitoolkit/customize/KTColorBar.h"

#include "uitoolkit/customize/KTColorDialog.h"
#include "uitoolkit/customize/KTColorMenuButton.h"
#include "uitoolkit/customize/KTColorPopup.h"
#include "uitoolkit/looks/KTUIGlobals.h"

namespace
{
const UINT kIdlePrompt = 0xE001;

// Records whether the command's update handler enables the bar.
class CColorBarCmdUI : public CCmdUI
{
public:
    BOOL m_bEnabled = TRUE;
    void Enable(BOOL bOn = TRUE) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int /*nCheck*/ = 1) override {}
    void SetText(LPCTSTR /*lpszText*/) override {}
};

} // namespace

BEGIN_MESSAGE_MAP(CKTColorBar, CKTPopupMenuBar)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_MOUSEMOVE()
ON_WM_MOUSELEAVE()
ON_WM_SIZE()
ON_WM_QUERYNEWPALETTE()
ON_WM_PALETTECHANGED()
END_MESSAGE_MAP()

int CKTColorBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKTToolBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    const CSize sizeImage = CKTToolBar::GetMenuImageSize();
    m_nBoxWidth = sizeImage.cx + 1;
    m_nBoxHeight = sizeImage.cy + 1;
    m_nRowHeight = m_nBoxHeight * 3 / 2;
    Rebuild();
    return 0;
}

void CKTColorBar::OnDestroy()
{
    CKTToolBar::OnDestroy();
    if (m_pOwner != nullptr)
    {
        CWnd* pFocus = m_pOwner->GetColorBarFocusWnd();
        if (pFocus != nullptr && pFocus->GetSafeHwnd() != nullptr)
            pFocus->SetFocus();
        m_pOwner->OnColorBarClosed();
    }
}

void CKTColorBar::OnSize(UINT nType, int cx, int cy)
{
    CKTToolBar::OnSize(nType, cx, cy);
    if (m_bIsControl)
        FitCellsToClient();
    else
        AdjustLocations();
}

void CKTColorBar::DoPaint(CDC* pDC)
{
    CPalette* pOldPalette = nullptr;
    CPalette* pPalette = GetDrawPalette();
    if (pPalette != nullptr)
    {
        pOldPalette = pDC->SelectPalette(pPalette, FALSE);
        pDC->RealizePalette();
    }
    CKTToolBar::DoPaint(pDC);
    if (pOldPalette != nullptr)
        pDC->SelectPalette(pOldPalette, FALSE);
}

BOOL CKTColorBar::OnQueryNewPalette()
{
    Invalidate();
    return TRUE;
}

void CKTColorBar::OnPaletteChanged(CWnd* pFocusWnd)
{
    if (pFocusWnd != this)
        Invalidate();
}

void CKTColorBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (IsCustomizeMode())
        return;
    // A press on a cell waits for its release; only presses beside the cells reach the bar.
    if (HitTest(point) >= 0)
        return;
    CKTToolBar::OnLButtonDown(nFlags, point);
}

void CKTColorBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (IsCustomizeMode())
        return;
    const int iHit = HitTest(point);
    CKTToolbarButton* pButton = GetButton(iHit);
    if (pButton != nullptr && !pButton->IsSeparator())
        m_iButtonCapture = iHit;
    CKTToolBar::OnLButtonUp(nFlags, point);
}

void CKTColorBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (IsCustomizeMode())
        return;
    CKTToolBar::OnLButtonDblClk(nFlags, point);
}

void CKTColorBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (IsCustomizeMode())
        return;
    CKTToolBar::OnMouseMove(nFlags, point);
}

void CKTColorBar::OnMouseLeave()
{
    CKTToolBar::OnMouseLeave();
    if (m_pOwner != nullptr)
    {
        const int iOld = m_iHighlighted;
        m_iHighlighted = -1;
        InvalidateButton(iOld);
        ShowCommandMessageString((UINT)-1);
    }
}

BOOL CKTColorBar::PreTranslateMessage(MSG* pMsg)
{
    if (m_pOwner != nullptr)
    {
        BOOL bClose = FALSE;
        switch (pMsg->message)
        {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCMBUTTONDOWN: {
            CRect rectBar;
            GetWindowRect(&rectBar);
            POINT pt = {(int)(short)LOWORD(pMsg->lParam), (int)(short)HIWORD(pMsg->lParam)};
            if (pMsg->message < WM_NCLBUTTONDOWN || pMsg->message > WM_NCMBUTTONDOWN)
                ::ClientToScreen(pMsg->hwnd, &pt);
            bClose = !rectBar.PtInRect(pt);
            break;
        }
        case WM_CONTEXTMENU:
        case WM_SYSKEYDOWN:
            bClose = TRUE;
            break;
        case WM_KEYDOWN:
            bClose = pMsg->wParam == VK_ESCAPE;
            break;
        default:
            break;
        }
        if (bClose)
        {
            ClosePopup();
            return TRUE;
        }
    }
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN && AsColorButton(GetButton(m_iHighlighted)) != nullptr)
        return OnKey(VK_RETURN);
    return CKTToolBar::PreTranslateMessage(pMsg);
}

BOOL CKTColorBar::OnKey(UINT nChar)
{
    if (nChar != VK_RETURN)
        return CKTPopupMenuBar::OnKey(nChar);
    // The menu's own Enter would close the popup without a colour.
    CColorButton* pHot = AsColorButton(GetButton(m_iHighlighted));
    if (pHot != nullptr && (pHot->m_nStyle & TBBS_DISABLED) == 0)
    {
        ShowCommandMessageString((UINT)-1);
        ChooseCell(pHot);
    }
    return TRUE;
}

void CKTColorBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    if (m_nCommandID == 0 || m_nCommandID == (UINT)-1 || pTarget == nullptr)
        return;
    CColorBarCmdUI state;
    state.m_pOther = this;
    state.m_nID = m_nCommandID;
    state.DoUpdate(pTarget, bDisableIfNoHndler && m_bDisableControlsIfNoHandler);
    const BOOL bEnabled = state.m_bEnableChanged ? state.m_bEnabled : TRUE;
    if (bEnabled == m_bIsEnabled)
        return;
    m_bIsEnabled = bEnabled;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
    {
        CKTToolbarButton* pButton = static_cast<CKTToolbarButton*>(m_Buttons.GetNext(pos));
        pButton->SetStyle(bEnabled ? (pButton->m_nStyle & ~TBBS_DISABLED) : (pButton->m_nStyle | TBBS_DISABLED));
    }
    Invalidate();
}

void CKTColorBar::ShowCommandMessageString(UINT uiCmdId)
{
    CWnd* pOwner = GetOwner();
    if (pOwner == nullptr || pOwner->GetSafeHwnd() == nullptr)
        return;
    const UINT nID = (uiCmdId == (UINT)-1 || m_nCommandID == (UINT)-1) ? kIdlePrompt : m_nCommandID;
    pOwner->SendMessage(WM_SETMESSAGESTRING, nID);
}

INT_PTR CKTColorBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    if (!m_bShowTooltips)
        return -1;
    const int iHit = const_cast<CKTColorBar*>(this)->HitTest(point);
    CColorButton* pButton = AsColorButton(GetButton(iHit));
    if (pButton == nullptr)
        return -1;
    const CString strText = pButton->GetTooltipText();
    if (strText.IsEmpty())
        return -1;
    if (pTI != nullptr)
    {
        pTI->hwnd = m_hWnd;
        pTI->uId = static_cast<UINT_PTR>(iHit + 1);
        pTI->rect = pButton->m_rect;
        pTI->uFlags &= ~TTF_IDISHWND;
        pTI->lpszText = _wcsdup(strText);
    }
    return iHit + 1;
}

CKTColorMenuButton* CKTColorBar::GetPopupColorButton() const
{
    CColorPopup* pPopup = AsColorPopup(GetParent());
    return pPopup != nullptr ? pPopup->GetParentColorButton() : nullptr;
}

void CKTColorBar::ClosePopup()
{
    CWnd* pParent = GetParent();
    if (pParent == nullptr)
        return;
    // The popup (a colour popup, or the window a control dropped down) deletes the bar with it:
    // it goes once this bar's handlers are done, and is out of sight until then.
    pParent->ShowWindow(SW_HIDE);
    pParent->PostMessage(WM_CLOSE);
}

BOOL CKTColorBar::OpenColorDialog(COLORREF colorDefault, COLORREF& colorRes)
{
    if (CKTColorMenuButton* pButton = GetPopupColorButton())
        return pButton->OpenColorDialog(colorDefault, colorRes);
    if (m_bStdColorDlg)
    {
        CColorDialog dlg(colorDefault, CC_FULLOPEN | CC_ANYCOLOR, GetParent());
        if (dlg.DoModal() != IDOK)
            return FALSE;
        colorRes = dlg.GetColor();
        return TRUE;
    }
    CKTColorDialog dlg(colorDefault, 0, GetParent());
    if (dlg.DoModal() != IDOK)
        return FALSE;
    colorRes = dlg.GetColor();
    return TRUE;
}

BOOL CKTColorBar::OnSendCommand(const CKTToolbarButton* pButton)
{
    CColorButton* pColor = AsColorButton(const_cast<CKTToolbarButton*>(pButton));
    if (pColor == nullptr)
        return FALSE;
    ChooseCell(pColor);
    return TRUE;
}

BOOL CKTColorBar::ChooseCell(CColorButton* pButton)
{
    if (pButton == nullptr || pButton->m_bIsLabel)
        return FALSE;
    COLORREF color = (COLORREF)-1;
    CKTColorMenuButton* pMenuButton = GetPopupColorButton();
    const BOOL bInPopup = m_pOwner != nullptr || AsColorPopup(GetParent()) != nullptr;
    if (pButton->m_bIsOther)
    {
        if (bInPopup)
            GetParent()->ShowWindow(SW_HIDE);
        const COLORREF colorStart = m_ColorSelected == (COLORREF)-1 ? m_ColorAutomatic : m_ColorSelected;
        if (!OpenColorDialog(colorStart, color))
        {
            if (bInPopup)
                ClosePopup();
            return FALSE;
        }
    }
    else if (!pButton->m_bIsAutomatic)
    {
        color = pButton->m_Color;
    }

    if (pMenuButton != nullptr)
    {
        const UINT uiCmd = pMenuButton->m_nID;
        pMenuButton->SetColor(color, TRUE);
        CWnd* pTarget = GetCommandTarget();
        if (pTarget != nullptr && pTarget->GetSafeHwnd() != nullptr && uiCmd != 0)
            pTarget->PostMessage(WM_COMMAND, uiCmd, 0);
        ClosePopup();
        return TRUE;
    }
    if (m_pOwner != nullptr)
    {
        m_pOwner->OnColorBarChoose(color);
        ClosePopup();
        return TRUE;
    }

    // A palette on a dialog or a torn-off bar: the colour menu buttons of the same command show
    // the colour too, and so do the other bars of that command.
    SetColor(color);
    CKTColorMenuButton::SyncColorButtons(m_nCommandID, color);
    SyncColorBars(m_nCommandID, color, this);
    CWnd* pOwner = GetOwner();
    if (pOwner != nullptr && pOwner->GetSafeHwnd() != nullptr)
        pOwner->SendMessage(WM_COMMAND, m_nCommandID);
    CWnd* pFrame = GetTopLevelFrame();
    if (pFrame == nullptr)
        pFrame = AfxGetMainWnd();
    if (pFrame != nullptr && pFrame->GetSafeHwnd() != nullptr && !m_bIsControl)
        pFrame->SetFocus();
    return TRUE;
}
