#pragma once
// The customize sheet's last page: check boxes that switch class-wide options of the toolbars,
// menus and look at once (screen tips and the shortcut keys in them, large icons, the 2000 look,
// personalized menus), and a button that erases the command usage record.

#include "framework/Afx.h"

class CKTOptionsPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CKTOptionsPage)
public:
    enum
    {
        IDD = 16137
    };

    // bIsMenuBarExist: the customized frame has a menu bar (personalized menus apply).
    explicit CKTOptionsPage(BOOL bIsMenuBarExist = FALSE);

protected:
    BOOL OnInitDialog() override;

    void OnShowTooltips();
    void OnShowShortcutKeys();
    void OnRecentlyUsedMenus();
    void OnShowAllMenusAfterDelay();
    void OnLargeIcons();
    void OnLook2000();
    void OnResetUsageData();
    void OnVisualizations() {}
    DECLARE_MESSAGE_MAP()

    // The check box's state into the value.
    void ReadCheck(UINT nID, BOOL& bValue);
    void HideAndDisable(UINT nID);

    BOOL m_bShowTooltips;
    BOOL m_bShowShortcutKeys;
    BOOL m_bRecentlyUsedMenus;
    BOOL m_bShowAllMenusAfterDelay;
    BOOL m_bLargeIcons;
    BOOL m_bLook2000;
    BOOL m_bIsMenuBarExist;
};
