#include "uitoolkit/bars/KTOleIPFrameWnd.h"

#include "framework/AfxMsgMap.h"
#include "uitoolkit/bars/KTFrameImplPopups.h"
#include "uitoolkit/bars/KTMenuBar.h"
#include "uitoolkit/bars/KTToolBar.h"

IMPLEMENT_DYNCREATE(CKTOleIPFrameWnd, COleIPFrameWnd)

BEGIN_MESSAGE_MAP(CKTOleIPFrameWnd, COleIPFrameWnd)
ON_WM_MENUCHAR()
ON_WM_ACTIVATE()
ON_WM_CLOSE()
ON_WM_DESTROY()
ON_REGISTERED_MESSAGE(KT_WM_CREATETOOLBAR, &CKTOleIPFrameWnd::OnToolbarCreateNew)
ON_REGISTERED_MESSAGE(KT_WM_DELETETOOLBAR, &CKTOleIPFrameWnd::OnToolbarDelete)
ON_COMMAND(ID_CONTEXT_HELP, &CKTOleIPFrameWnd::OnContextHelp)
END_MESSAGE_MAP()

CKTOleIPFrameWnd::CKTOleIPFrameWnd() : m_Impl(this)
{
    CKTToolBar::RegisterMessages();
}

BOOL CKTOleIPFrameWnd::OnPopupMenuOpening(CKTPopupMenu* pMenuPopup)
{
    if (!m_Impl.OnShowPopupMenu(pMenuPopup))
        return FALSE;
    return KTPopupIsTearOffCopy(pMenuPopup) || OnShowPopupMenu(pMenuPopup);
}

BOOL CKTOleIPFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_uiResourceID = nIDResource;
    m_Impl.SetResourceID(nIDResource);
    if (!COleIPFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;

    return TRUE;
}

BOOL CKTOleIPFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    switch (m_Impl.FilterMessage(pMsg))
    {
    case kFilterTaken:
        return TRUE;
    case kFilterNoTranslate:
        return FALSE;
    default:
        return COleIPFrameWnd::PreTranslateMessage(pMsg);
    }
}

BOOL CKTOleIPFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (m_Impl.FilterCommand(wParam))
    {
    case kFilterTaken:
        return TRUE;
    case kFilterNoTranslate:
        return FALSE;
    default:
        return COleIPFrameWnd::OnCommand(wParam, lParam);
    }
}

void CKTOleIPFrameWnd::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    if (dwData == 0 && m_bContextHelp)
    {
        OnContextHelp();
        return;
    }
    COleIPFrameWnd::WinHelp(dwData, nCmd);
}

LRESULT CKTOleIPFrameWnd::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
{
    if (m_Impl.TranslateCharToBars(nChar))
        return MAKELRESULT(0, MNC_CLOSE) | 0xFFFF0000;
    return COleIPFrameWnd::OnMenuChar(nChar, nFlags, pMenu);
}

void CKTOleIPFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    COleIPFrameWnd::OnActivate(nState, pWndOther, bMinimized);
    m_Impl.OnActivateFrame(nState);
}

void CKTOleIPFrameWnd::OnClose()
{
    m_Impl.OnCloseFrame();
    COleIPFrameWnd::OnClose();
}

void CKTOleIPFrameWnd::OnDestroy()
{
    m_Impl.ReleaseAccelerators();
    COleIPFrameWnd::OnDestroy();
}

LRESULT CKTOleIPFrameWnd::OnToolbarCreateNew(WPARAM, LPARAM lParam)
{
    return reinterpret_cast<LRESULT>(m_Impl.CreateUserToolbar(reinterpret_cast<LPCTSTR>(lParam)));
}

LRESULT CKTOleIPFrameWnd::OnToolbarDelete(WPARAM, LPARAM lParam)
{
    return m_Impl.DeleteUserToolbar(reinterpret_cast<CKTToolBar*>(lParam));
}

void CKTOleIPFrameWnd::OnContextHelp()
{
    const BOOL bWasRunning = m_bContextHelp;
    m_bContextHelp = TRUE;
    if (m_bHelpMode == HELP_INACTIVE && CanEnterHelpMode())
        CKTToolBar::SetHelpMode(TRUE);
    COleIPFrameWnd::OnContextHelp();
    if (m_bHelpMode == HELP_INACTIVE)
        CKTToolBar::SetHelpMode(FALSE);
    m_bContextHelp = bWasRunning;
}

IMPLEMENT_DYNCREATE(CKTOleDocIPFrameWnd, COleDocIPFrameWnd)

BEGIN_MESSAGE_MAP(CKTOleDocIPFrameWnd, COleDocIPFrameWnd)
ON_WM_MENUCHAR()
ON_WM_ACTIVATE()
ON_WM_CLOSE()
ON_WM_DESTROY()
ON_REGISTERED_MESSAGE(KT_WM_CREATETOOLBAR, &CKTOleDocIPFrameWnd::OnToolbarCreateNew)
ON_REGISTERED_MESSAGE(KT_WM_DELETETOOLBAR, &CKTOleDocIPFrameWnd::OnToolbarDelete)
ON_COMMAND(ID_CONTEXT_HELP, &CKTOleDocIPFrameWnd::OnContextHelp)
END_MESSAGE_MAP()

CKTOleDocIPFrameWnd::CKTOleDocIPFrameWnd() : m_Impl(this)
{
    CKTToolBar::RegisterMessages();
}

BOOL CKTOleDocIPFrameWnd::OnPopupMenuOpening(CKTPopupMenu* pMenuPopup)
{
    if (!m_Impl.OnShowPopupMenu(pMenuPopup))
        return FALSE;
    return KTPopupIsTearOffCopy(pMenuPopup) || OnShowPopupMenu(pMenuPopup);
}

BOOL CKTOleDocIPFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_uiResourceID = nIDResource;
    m_Impl.SetResourceID(nIDResource);
    if (!COleDocIPFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;

    return TRUE;
}

BOOL CKTOleDocIPFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    switch (m_Impl.FilterMessage(pMsg))
    {
    case kFilterTaken:
        return TRUE;
    case kFilterNoTranslate:
        return FALSE;
    default:
        return COleDocIPFrameWnd::PreTranslateMessage(pMsg);
    }
}

BOOL CKTOleDocIPFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (m_Impl.FilterCommand(wParam))
    {
    case kFilterTaken:
        return TRUE;
    case kFilterNoTranslate:
        return FALSE;
    default:
        return COleDocIPFrameWnd::OnCommand(wParam, lParam);
    }
}

void CKTOleDocIPFrameWnd::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    if (dwData == 0 && m_bContextHelp)
    {
        OnContextHelp();
        return;
    }
    COleDocIPFrameWnd::WinHelp(dwData, nCmd);
}

LRESULT CKTOleDocIPFrameWnd::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
{
    if (m_Impl.TranslateCharToBars(nChar))
        return MAKELRESULT(0, MNC_CLOSE) | 0xFFFF0000;
    return COleDocIPFrameWnd::OnMenuChar(nChar, nFlags, pMenu);
}

void CKTOleDocIPFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    COleDocIPFrameWnd::OnActivate(nState, pWndOther, bMinimized);
    m_Impl.OnActivateFrame(nState);
}

void CKTOleDocIPFrameWnd::OnClose()
{
    m_Impl.OnCloseFrame();
    COleDocIPFrameWnd::OnClose();
}

void CKTOleDocIPFrameWnd::OnDestroy()
{
    m_Impl.ReleaseAccelerators();
    COleDocIPFrameWnd::OnDestroy();
}

LRESULT CKTOleDocIPFrameWnd::OnToolbarCreateNew(WPARAM, LPARAM lParam)
{
    return reinterpret_cast<LRESULT>(m_Impl.CreateUserToolbar(reinterpret_cast<LPCTSTR>(lParam)));
}

LRESULT CKTOleDocIPFrameWnd::OnToolbarDelete(WPARAM, LPARAM lParam)
{
    return m_Impl.DeleteUserToolbar(reinterpret_cast<CKTToolBar*>(lParam));
}

void CKTOleDocIPFrameWnd::OnContextHelp()
{
    const BOOL bWasRunning = m_bContextHelp;
    m_bContextHelp = TRUE;
    if (m_bHelpMode == HELP_INACTIVE && CanEnterHelpMode())
        CKTToolBar::SetHelpMode(TRUE);
    COleDocIPFrameWnd::OnContextHelp();
    if (m_bHelpMode == HELP_INACTIVE)
        CKTToolBar::SetHelpMode(FALSE);
    m_bContextHelp = bWasRunning;
}
