#include "uitoolkit/bars/KTMDIChildWnd.h"

#include "framework/AfxMsgMap.h"
#include "uitoolkit/bars/KTFrameImpl.h"
#include "uitoolkit/bars/KTMDIFrameWnd.h"
#include "uitoolkit/bars/KTPopupMenu.h"

IMPLEMENT_DYNCREATE(CKTMDIChildWnd, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CKTMDIChildWnd, CMDIChildWnd)
ON_WM_CREATE()
ON_WM_MDIACTIVATE()
ON_WM_SIZE()
ON_MESSAGE(WM_SETTEXT, &CKTMDIChildWnd::OnSetText)
ON_MESSAGE(WM_SETICON, &CKTMDIChildWnd::OnSetIcon)
END_MESSAGE_MAP()

CString CKTMDIChildWnd::GetFrameText() const
{
    CString strText;
    GetWindowText(strText);
    return strText;
}

HICON CKTMDIChildWnd::GetFrameIcon() const
{
    HICON hIcon = reinterpret_cast<HICON>(::SendMessageW(m_hWnd, WM_GETICON, ICON_SMALL, 0));
    if (hIcon == nullptr)
        hIcon = reinterpret_cast<HICON>(::GetClassLongPtrW(m_hWnd, GCLP_HICONSM));
    return hIcon;
}

int CKTMDIChildWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CMDIChildWnd::OnCreate(lpcs) == -1)
        return -1;
    CMDIFrameWnd* pFrame = GetMDIFrame();
    m_pMDIFrame = pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CKTMDIFrameWnd))
                      ? static_cast<CKTMDIFrameWnd*>(pFrame)
                      : nullptr;
    return 0;
}

void CKTMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd)
{
    CMDIChildWnd::OnMDIActivate(bActivate, pActivateWnd, pDeactivateWnd);
    if (bActivate && m_pMDIFrame != nullptr)
    {
        m_pMDIFrame->GetClientArea().ActivateTab(m_hWnd);
        m_pMDIFrame->UpdateMaximizeMode();
    }
}

void CKTMDIChildWnd::OnSize(UINT nType, int cx, int cy)
{
    CMDIChildWnd::OnSize(nType, cx, cy);
    // Maximising or restoring a document window moves no frame window: the menu bar is told here.
    if (m_pMDIFrame != nullptr && (nType == SIZE_MAXIMIZED || nType == SIZE_RESTORED || nType == SIZE_MINIMIZED))
        m_pMDIFrame->UpdateMaximizeMode();
}

LRESULT CKTMDIChildWnd::OnSetText(WPARAM, LPARAM)
{
    const LRESULT lResult = Default();
    if (m_pMDIFrame != nullptr)
        m_pMDIFrame->GetClientArea().UpdateTabs(TRUE);
    return lResult;
}

LRESULT CKTMDIChildWnd::OnSetIcon(WPARAM, LPARAM)
{
    const LRESULT lResult = Default();
    if (m_pMDIFrame != nullptr)
        m_pMDIFrame->GetClientArea().UpdateTabs(FALSE);
    return lResult;
}

void CKTMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    CMDIChildWnd::OnUpdateFrameTitle(bAddToTitle);
    if (m_pMDIFrame != nullptr)
        m_pMDIFrame->GetClientArea().UpdateTabs(FALSE);
}

BOOL CKTMDIChildWnd::PreTranslateMessage(MSG* pMsg)
{
    // Keys up to 0x108 (the old last key message) stay untranslated while a menu is open.
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= 0x108 && m_pMDIFrame != nullptr)
    {
        CKTPopupMenu* pActive = CKTFrameSupport::GetActivePopupMenu();
        if (pActive != nullptr && ::IsWindow(pActive->GetSafeHwnd()))
            return FALSE;
    }
    return CMDIChildWnd::PreTranslateMessage(pMsg);
}
