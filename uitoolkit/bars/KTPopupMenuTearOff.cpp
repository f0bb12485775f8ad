// Tearing a popup menu off: dragged off its caption, a menu whose button carries a tear-off id
// becomes a floating toolbar of its items, which the frame may refuse and otherwise keeps with
// its tear-off bars. The caption offers its tip and looks pressed while the tip is up.
#include "uitoolkit/bars/KTPopupMenu.h"

#include "framework/AfxDockContext.h"
#include "uitoolkit/bars/KTMenuStore.h"
#include "uitoolkit/bars/KTMiniDockFrameWnd.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"
#include "uitoolkit/looks/KTUIGlobals.h"

BOOL CKTPopupMenu::TearOffAt(CPoint /*point*/)
{
    // Menus carry tear-off ids only while the tear-off table exists.
    if (m_pParentBtn == nullptr || m_pParentBtn->GetTearOffBarID() == 0)
        return FALSE;
    CFrameWnd* pFrame = GetTopFrame();
    if (pFrame == nullptr)
        return FALSE;
    const UINT uiBarId = m_pParentBtn->GetTearOffBarID();
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);

    CControlBar* pBar = pFrame->GetControlBar(uiBarId);
    BOOL bCreated = FALSE;
    if (pBar == nullptr)
    {
        CString strName = m_pParentBtn->m_strText;
        strName.Remove(L'&');
        pBar = CreateTearOffBar(pFrame, uiBarId, strName);
        if (pBar == nullptr)
            return FALSE;
        bCreated = TRUE;
    }
    else
    {
        pFrame->FloatControlBar(pBar, ptCursor, CBRS_ALIGN_TOP);
        pFrame->ShowControlBar(pBar, TRUE, FALSE);
    }

    if (m_pfnFrameTearOffAccepted != nullptr && !m_pfnFrameTearOffAccepted(pFrame, this, pBar))
    {
        if (bCreated)
        {
            pBar->DestroyWindow();
            delete pBar;
        }
        return FALSE;
    }
    pBar->SetOwner(pFrame);
    pFrame->FloatControlBar(pBar, ptCursor, CBRS_ALIGN_TOP);
    pFrame->RecalcLayout();
    // Torn off with the button held, the bar's floating frame follows the mouse from here.
    if (::GetKeyState(VK_LBUTTON) < 0)
    {
        auto* pMiniFrame = dynamic_cast<CKTMiniDockFrameWnd*>(pBar->GetParentFrame());
        if (pMiniFrame == nullptr)
        {
            if (pBar->m_pDockContext != nullptr)
                pBar->m_pDockContext->StartDrag(ptCursor);
            return TRUE;
        }
        // The menu may be gone by the time the drag ends: only its window handle is used after.
        const HWND hWndMenu = m_hWnd;
        if (!pMiniFrame->StartTearOff(pBar))
            return FALSE; // cancelled: the bar is gone with its frame
        // Posted: this menu is still inside its own mouse handler.
        if (::IsWindow(hWndMenu))
            ::PostMessageW(hWndMenu, WM_CLOSE, 0, 0);
    }
    return TRUE;
}

CKTToolBar* CKTPopupMenu::CreateTearOffBar(CFrameWnd* pFrame, UINT uiId, LPCTSTR lpszName)
{
    auto* pBar = new CKTToolBar;
    const DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_HIDE_INPLACE;
    if (!pBar->Create(pFrame, dwStyle, uiId))
    {
        delete pBar;
        return nullptr;
    }
    const int nCount = m_hMenu != nullptr && ::IsMenu(m_hMenu) ? ::GetMenuItemCount(m_hMenu) : 0;
    for (int i = 0; i < nCount; i++)
    {
        const UINT uiCmd = ::GetMenuItemID(m_hMenu, i);
        HMENU hSub = ::GetSubMenu(m_hMenu, i);
        if (uiCmd == 0 && hSub == nullptr)
        {
            if (i < nCount - 1)
                pBar->InsertSeparator();
            continue;
        }
        CString strText;
        const int nLength = ::GetMenuStringW(m_hMenu, static_cast<UINT>(i), nullptr, 0, MF_BYPOSITION);
        if (nLength > 0)
        {
            ::GetMenuStringW(m_hMenu, static_cast<UINT>(i), strText.GetBuffer(nLength + 1), nLength + 1, MF_BYPOSITION);
            strText.ReleaseBuffer();
        }
        const int iTab = strText.Find(L'\t');
        if (iTab >= 0)
            strText = strText.Left(iTab);
        CKTToolbarButton* pButton = nullptr;
        if (hSub != nullptr)
        {
            const UINT uiTearOff = CKTTearOffIdTable::ParseTearOffId(strText);
            auto* pMenuButton = new CKTToolbarMenuButton((UINT)-1, hSub, -1, strText);
            // The bar outlives this popup and its menu: the button keeps the items, not the handle.
            pMenuButton->m_hMenu = nullptr;
            pMenuButton->SetTearOff(uiTearOff);
            pButton = pMenuButton;
        }
        else
        {
            // Commands that stand for something of the moment do not go onto a bar.
            if ((uiCmd >= ID_FILE_MRU_FIRST && uiCmd <= ID_FILE_MRU_FIRST + 15) ||
                (uiCmd >= 0xF000 && uiCmd < 0xF1F0) || (uiCmd >= 0xE210 && uiCmd <= 0xE21F) || uiCmd >= 0xFF00)
                continue;
            int iImage = -1;
            CKTToolBar::GetDefaultImage(uiCmd, iImage);
            pButton = new CKTToolbarButton(uiCmd, iImage, strText);
        }
        if (pButton->GetImage() < 0)
            pButton->m_bText = TRUE;
        if (pBar->InsertButton(pButton) < 0)
            delete pButton;
    }
    pBar->SetWindowText(lpszName);
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    return pBar;
}

void CKTPopupMenu::OfferTearOffTip()
{
    // String 16028 of the toolkit's resources.
    static const wchar_t kTearOffTip[] = L"Drag to make this menu float";
    const UINT_PTR kTipId = 1;
    if (m_wndTearOffTip.GetSafeHwnd() == nullptr)
    {
        // A menu never takes the activation: its tip shows over an inactive window.
        if (!m_wndTearOffTip.Create(this, TTS_ALWAYSTIP))
            return;
        m_wndTearOffTip.AddTool(this, kTearOffTip, &m_rectTearOffCaption, kTipId);
    }
    m_wndTearOffTip.Activate(TRUE);
    if (ktGlobals.m_tipMaxWidth != -1)
        m_wndTearOffTip.SetMaxTipWidth(ktGlobals.m_tipMaxWidth);
    m_wndTearOffTip.SetToolRect(this, kTipId, &m_rectTearOffCaption);
}

BOOL CKTPopupMenu::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* pHeader = reinterpret_cast<const NMHDR*>(lParam);
    if (pHeader != nullptr && m_wndTearOffTip.GetSafeHwnd() != nullptr &&
        pHeader->hwndFrom == m_wndTearOffTip.GetSafeHwnd() && (pHeader->code == TTN_SHOW || pHeader->code == TTN_POP))
    {
        // While its tip is up the caption looks pressed: it invites the drag the tip offers. A
        // caption the mouse holds stays pressed.
        const BOOL bPressed = pHeader->code == TTN_SHOW || m_bTearOffTracking;
        if (m_bIsTearOffCaptionActive != bPressed)
        {
            m_bIsTearOffCaptionActive = bPressed;
            InvalidateRect(&m_rectTearOffCaption);
        }
        *pResult = 0; // the tip places itself
        return TRUE;
    }
    return CMiniFrameWnd::OnNotify(wParam, lParam, pResult);
}
