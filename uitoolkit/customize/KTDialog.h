#pragma once
// A dialog that can host toolkit popup menus (see CKTDialogMenuHelper). The program creates
// none; the context menu manager recognises it as an owner that takes its menu's commands only
// when asked to.

#include "uitoolkit/customize/KTDialogMenuHelper.h"

class CKTPopupMenu;

class CKTDialog : public CDialog
{
    DECLARE_DYNAMIC(CKTDialog)
public:
    CKTDialog();
    explicit CKTDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    void SetActiveMenu(CKTPopupMenu* pMenu) { m_Menu.SetActiveMenu(pMenu); }
    CKTDialogMenuHelper& GetMenuHelper() { return m_Menu; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    BOOL OnNcActivate(BOOL bActive);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

    CKTDialogMenuHelper m_Menu;
};
