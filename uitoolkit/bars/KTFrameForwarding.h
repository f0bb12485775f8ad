#pragma once
// What every toolkit frame kind (multi-document, single-document and the two in-place frames)
// hands to its frame support, written once: the toolkit's frame hooks, the filter that runs
// before the framework translates a message or routes a command, context help with the toolbars
// in help mode, the bars' mnemonics for WM_MENUCHAR, user toolbars created and deleted on the
// toolkit's request, and the frame support told of activation and closing.
//
// TBase is the framework frame that the toolkit frame builds on. Each frame kind lists the
// handlers in its own message map with KT_FRAME_FORWARDING_MESSAGES.
//
// User-interface thread only. The frame owns its frame support.

#include "framework/AfxFrame.h"
#include "uitoolkit/bars/KTFrameImpl.h"
#include "uitoolkit/bars/KTFrameImplPopups.h"
#include "uitoolkit/bars/KTMenuBar.h"
#include "uitoolkit/bars/KTToolBar.h"

template <class TBase>
class CKTFrameForwarding : public TBase, public CKTFrameHooks
{
public:
    CKTFrameForwarding() : m_Impl(this) { CKTToolBar::RegisterMessages(); }

    CKTFrameSupport& GetFrameSupport() override { return m_Impl; }
    // The frame support's say first, then (unless the popup is a torn-off copy) the frame's.
    BOOL OnPopupMenuOpening(CKTPopupMenu* pMenuPopup) override
    {
        if (!m_Impl.OnShowPopupMenu(pMenuPopup))
            return FALSE;
        return KTPopupIsTearOffCopy(pMenuPopup) || OnShowPopupMenu(pMenuPopup);
    }
    CKTMenuBar* GetMenuBar() const { return m_Impl.GetMenuBar(); }
    BOOL IsContextHelpRunning() const { return m_bContextHelp; }

    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override
    {
        m_Impl.SetResourceID(nIDResource);
        if (!TBase::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
            return FALSE;
        if (m_bLoadsSavedState)
            m_Impl.OnLoadFrame();
        return TRUE;
    }

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        switch (m_Impl.FilterMessage(pMsg))
        {
        case kFilterTaken:
            return TRUE;
        case kFilterNoTranslate:
            return FALSE;
        default:
            return TBase::PreTranslateMessage(pMsg);
        }
    }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        switch (m_Impl.FilterCommand(wParam, lParam))
        {
        case kFilterTaken:
            return TRUE;
        case kFilterNoTranslate:
            return FALSE;
        default:
            return TBase::OnCommand(wParam, lParam);
        }
    }

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (TBase::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
        // The framework greys a menu item without a handler before the menu shows; a user tool's
        // item runs through OnCommand instead.
        return CKTFrameSupport::UpdateUserToolCommand(nID, nCode, pExtra, pHandlerInfo);
    }

    // A help request with context 0 from inside context help runs context help again instead.
    void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT) override
    {
        if (dwData == 0 && m_bContextHelp)
        {
            OnContextHelp();
            return;
        }
        TBase::WinHelp(dwData, nCmd);
    }

protected:
    LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
    {
        // The bars took the character: the system's menu loop ends without a beep.
        if (m_Impl.TranslateCharToBars(nChar))
            return static_cast<LRESULT>(0xFFFF0002);
        return TBase::OnMenuChar(nChar, nFlags, pMenu);
    }
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
    {
        TBase::OnActivate(nState, pWndOther, bMinimized);
        m_Impl.OnActivateFrame(nState);
    }
    void OnClose()
    {
        m_Impl.OnCloseFrame();
        TBase::OnClose();
    }
    void OnDestroy()
    {
        m_Impl.ReleaseAccelerators();
        TBase::OnDestroy();
    }
    LRESULT OnToolbarCreateNew(WPARAM, LPARAM lParam)
    {
        return reinterpret_cast<LRESULT>(m_Impl.CreateUserToolbar(reinterpret_cast<LPCTSTR>(lParam)));
    }
    LRESULT OnToolbarDelete(WPARAM, LPARAM lParam)
    {
        return m_Impl.DeleteUserToolbar(reinterpret_cast<CKTToolBar*>(lParam));
    }
    void OnContextHelp()
    {
        // Run again from inside the loop (WinHelp with context 0), the outer loop keeps its flag.
        const BOOL bWasRunning = m_bContextHelp;
        m_bContextHelp = TRUE;
        if (this->m_bHelpMode == CFrameWnd::HELP_INACTIVE && this->CanEnterHelpMode())
            CKTToolBar::SetHelpMode(TRUE);
        TBase::OnContextHelp();
        if (this->m_bHelpMode == CFrameWnd::HELP_INACTIVE)
            CKTToolBar::SetHelpMode(FALSE);
        m_bContextHelp = bWasRunning;
    }
    // The removal of the window's own menu while the menu bar shows; bKeep leaves it.
    void HideOwnMenuForMenuBar(BOOL bKeep)
    {
        CKTMenuBar* pMenuBar = GetMenuBar();
        if (!bKeep && pMenuBar != nullptr && pMenuBar->GetSafeHwnd() != nullptr && pMenuBar->IsWindowVisible())
            this->SetMenu(nullptr);
    }

    CKTFrameSupport m_Impl;
    BOOL m_bContextHelp = FALSE;
    // The saved user-interface state is loaded after the frame: main windows do, in-place frames
    // do not.
    BOOL m_bLoadsSavedState = TRUE;
};

// The messages every toolkit frame kind hands to CKTFrameForwarding.
#define KT_FRAME_FORWARDING_MESSAGES(theClass)                                                                         \
    ON_WM_MENUCHAR()                                                                                                   \
    ON_WM_ACTIVATE()                                                                                                   \
    ON_WM_CLOSE()                                                                                                      \
    ON_WM_DESTROY()                                                                                                    \
    ON_REGISTERED_MESSAGE(KT_WM_CREATETOOLBAR, &theClass::OnToolbarCreateNew)                                          \
    ON_REGISTERED_MESSAGE(KT_WM_DELETETOOLBAR, &theClass::OnToolbarDelete)                                             \
    ON_COMMAND(ID_CONTEXT_HELP, &theClass::OnContextHelp)
