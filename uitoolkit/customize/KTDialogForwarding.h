#pragma once
// What every toolkit dialog kind (the dialog, the property page and the property sheet) hands to
// its popup-menu helper, written once: the message filter before the framework translates a
// message, the command filter before it routes a command, and the activation that keeps the
// caption drawn active while the dialog's own popup menu is the active window.
//
// TBase is the framework class the dialog kind builds on. Each kind lists the handlers in its own
// message map with KT_DIALOG_FORWARDING_MESSAGES. User-interface thread only.

#include "uitoolkit/customize/KTDialogMenuHelper.h"

#include <utility>

class CKTPopupMenu;

template <class TBase>
class CKTDialogForwarding : public TBase
{
public:
    template <class... Args>
    explicit CKTDialogForwarding(Args&&... args) : TBase(std::forward<Args>(args)...), m_Menu(this)
    {
    }

    // Called by a popup menu opened for this dialog (itself) and when it closes (null).
    void SetActiveMenu(CKTPopupMenu* pMenu) { m_Menu.SetActiveMenu(pMenu); }
    CKTDialogMenuHelper& GetMenuHelper() { return m_Menu; }

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (m_Menu.FilterMessage(pMsg))
            return TRUE;
        return TBase::PreTranslateMessage(pMsg);
    }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (m_Menu.FilterCommand(wParam, lParam))
            return TRUE;
        return TBase::OnCommand(wParam, lParam);
    }
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
    {
        m_Menu.OnActivate(nState, pWndOther);
        TBase::OnActivate(nState, pWndOther, bMinimized);
    }
    BOOL OnNcActivate(BOOL bActive) { return m_Menu.OnNcActivate(bActive); }

    CKTDialogMenuHelper m_Menu;
};

// The messages every toolkit dialog kind hands to CKTDialogForwarding.
#define KT_DIALOG_FORWARDING_MESSAGES(theClass)                                                                        \
    ON_WM_ACTIVATE()                                                                                                   \
    ON_WM_NCACTIVATE()
