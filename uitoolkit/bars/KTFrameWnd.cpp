#include "uitoolkit/bars/KTFrameWnd.h"

#include "framework/AfxMsgMap.h"
#include "uitoolkit/bars/KTFrameImplPopups.h"
#include "uitoolkit/bars/KTMenuBar.h"
#include "uitoolkit/bars/KTToolBar.h"

IMPLEMENT_DYNCREATE(CKTFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CKTFrameWnd, CFrameWnd)
ON_WM_MENUCHAR()
ON_WM_ACTIVATE()
ON_WM_CLOSE()
ON_WM_DESTROY()
ON_REGISTERED_MESSAGE(KT_WM_CREATETOOLBAR, &CKTFrameWnd::OnToolbarCreateNew)
ON_REGISTERED_MESSAGE(KT_WM_DELETETOOLBAR, &CKTFrameWnd::OnToolbarDelete)
ON_COMMAND(ID_CONTEXT_HELP, &CKTFrameWnd::OnContextHelp)
END_MESSAGE_MAP()

CKTFrameWnd::CKTFrameWnd() : m_Impl(this)
{
    CKTToolBar::RegisterMessages();
}

BOOL CKTFrameWnd::OnPopupMenuOpening(CKTPopupMenu* pMenuPopup)
{
    if (!m_Impl.OnShowPopupMenu(pMenuPopup))
        return FALSE;
    return KTPopupIsTearOffCopy(pMenuPopup) || OnShowPopupMenu(pMenuPopup);
}

BOOL CKTFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_uiResourceID = nIDResource;
    m_Impl.SetResourceID(nIDResource);
    if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    m_Impl.OnLoadFrame();
    return TRUE;
}

BOOL CKTFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    switch (m_Impl.FilterMessage(pMsg))
    {
    case kFilterTaken:
        return TRUE;
    case kFilterNoTranslate:
        return FALSE;
    default:
        return CFrameWnd::PreTranslateMessage(pMsg);
    }
}

BOOL CKTFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (m_Impl.FilterCommand(wParam))
    {
    case kFilterTaken:
        return TRUE;
    case kFilterNoTranslate:
        return FALSE;
    default:
        return CFrameWnd::OnCommand(wParam, lParam);
    }
}

void CKTFrameWnd::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    if (dwData == 0 && m_bContextHelp)
    {
        OnContextHelp();
        return;
    }
    CFrameWnd::WinHelp(dwData, nCmd);
}

LRESULT CKTFrameWnd::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
{
    if (m_Impl.TranslateCharToBars(nChar))
        return MAKELRESULT(0, MNC_CLOSE) | 0xFFFF0000;
    return CFrameWnd::OnMenuChar(nChar, nFlags, pMenu);
}

void CKTFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CFrameWnd::OnActivate(nState, pWndOther, bMinimized);
    m_Impl.OnActivateFrame(nState);
}

void CKTFrameWnd::OnClose()
{
    m_Impl.OnCloseFrame();
    CFrameWnd::OnClose();
}

void CKTFrameWnd::OnDestroy()
{
    m_Impl.ReleaseAccelerators();
    CFrameWnd::OnDestroy();
}

LRESULT CKTFrameWnd::OnToolbarCreateNew(WPARAM, LPARAM lParam)
{
    return reinterpret_cast<LRESULT>(m_Impl.CreateUserToolbar(reinterpret_cast<LPCTSTR>(lParam)));
}

LRESULT CKTFrameWnd::OnToolbarDelete(WPARAM, LPARAM lParam)
{
    return m_Impl.DeleteUserToolbar(reinterpret_cast<CKTToolBar*>(lParam));
}

void CKTFrameWnd::OnContextHelp()
{
    const BOOL bWasRunning = m_bContextHelp;
    m_bContextHelp = TRUE;
    if (m_bHelpMode == HELP_INACTIVE && CanEnterHelpMode())
        CKTToolBar::SetHelpMode(TRUE);
    CFrameWnd::OnContextHelp();
    if (m_bHelpMode == HELP_INACTIVE)
        CKTToolBar::SetHelpMode(FALSE);
    m_bContextHelp = bWasRunning;
}

BOOL CKTFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    m_Impl.RestorePosition(cs);
    return CFrameWnd::PreCreateWindow(cs);
}

void CKTFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    CFrameWnd::OnUpdateFrameMenu(hMenuAlt);
    CKTMenuBar* pMenuBar = GetMenuBar();
    if (pMenuBar != nullptr && pMenuBar->GetSafeHwnd() != nullptr && pMenuBar->IsWindowVisible())
        SetMenu(nullptr);
}
