#pragma once
// The button that holds a submenu: a title of the menu bar, an item of a popup menu (a command, a
// separator or a cascading submenu), or a toolbar button that drops a menu, optionally split into
// a command part and an arrow part. It turns a menu handle into a tree of buttons and back,
// measures and draws itself in each place and opens its popup menu.
//
// User-interface thread only. The button owns its sub-items; its open popup window destroys
// itself and clears the button's pointer, the button only forgets it.
#include "uitoolkit/bars/KTToolbarButton.h"

class CKTPopupMenu;

class CKTToolbarMenuButton : public CKTToolbarButton
{
    DECLARE_SERIAL(CKTToolbarMenuButton)
public:
    CKTToolbarMenuButton();
    CKTToolbarMenuButton(UINT uiID, HMENU hMenu, int iImage, LPCTSTR lpszText = nullptr, BOOL bUserButton = FALSE);
    ~CKTToolbarMenuButton() override;

    // Opens the popup below, beside or next to the button; FALSE when one is open already or
    // it cannot be made. pWnd defaults to the bar that holds the button.
    virtual BOOL OpenPopupMenu(CWnd* pWnd = nullptr);
    // Replaces the sub-items by the menu's items; a handle that is no menu leaves none.
    virtual void CreateFromMenu(HMENU hMenu);
    // A new popup menu handle of the sub-items (the caller owns it); null on failure or for a
    // plain command button without items.
    virtual HMENU CreateMenu() const;
    virtual CKTPopupMenu* CreatePopupMenu();
    // Whether the popup opens although CreateMenu gave no menu.
    virtual BOOL IsEmptyMenuAllowed() const { return FALSE; }
    // TRUE for ordinary menu buttons: the XP look leaves the menu border open toward them.
    virtual BOOL IsMenuConnectable() const { return TRUE; }
    virtual BOOL IsExclusive() const { return FALSE; }
    virtual BOOL IsTearOffMenu() const { return m_uiTearOffBarID != 0; }
    virtual void SetTearOff(UINT uiBarID);

    // Base fields, the tear-off id when the state holds one, then the sub-items.
    void Serialize(CArchive& ar) override;
    // Also the default, menu-only and radio flags, the tear-off id and deep copies of the items.
    void CopyFrom(const CKTToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CKTImageStrip* pImages, BOOL bHorz = TRUE, BOOL bCustomizeMode = FALSE,
                BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE, BOOL bGrayDisabledButtons = TRUE) override;
    SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    BOOL DrawsBorder() const override { return FALSE; }
    void OnCancelMode() override;
    int DrawAsListItem(CDC* pDC, const CRect& rect, BOOL bSelected) override;
    BOOL IsDroppedDown() const override { return m_pPopupMenu != nullptr; }
    BOOL CancelOpenItems() override;
    // An item dragged out of an open menu and dropped on a bar closes the menus it came from.
    void OnAfterDrop() override;
    // Help mode on the button: the menu opens, so that the user picks the item to ask about.
    BOOL OnContextHelp(CWnd* pWnd) override { return OnClick(pWnd, FALSE); }
    void ResetImageToDefault() override;
    BOOL CompareWith(const CKTToolbarButton& other) const override;
    void SetRadio() override;

    const CObList& GetCommands() const { return m_listCommands; }
    BOOL IsDrawDownArrow() const { return m_bDrawDownArrow; }
    BOOL IsDefault() const { return m_bDefault; }
    BOOL IsClickedOnMenu() const { return m_bClickedOnMenu; }
    BOOL IsRadio() const { return m_bIsRadio; }
    UINT GetTearOffBarID() const { return m_uiTearOffBarID; }
    // A command other than 0 (separator) and -1 (submenu).
    BOOL IsRealCommand() const { return m_nID != 0 && m_nID != (UINT)-1; }
    // A real command with the arrow beside it: the click runs the command, the arrow opens.
    BOOL IsSplitButton() const { return m_bDrawDownArrow && IsRealCommand() && !m_bMenuOnly; }
    void SetMenuOnly(BOOL bMenuOnly) { m_bMenuOnly = bMenuOnly; }
    BOOL IsMenuOnly() const { return m_bMenuOnly; }
    void SetDefault(BOOL bDefault) { m_bDefault = bDefault; }
    // Deletes the sub-items.
    void RemoveAllCommands();

    // For the popup menu bar's layout: half the menu image width plus 3, and the glyph width.
    static void GetMenuLayoutMeasures(int& iImageOffset, int& iGlyphWidth);

    // Style bit of an item that starts a new menu column.
    static const UINT MenuBreakStyle = 0x20000000;

    // The menu the button was made from (borrowed; the sub-items are what counts).
    HMENU m_hMenu = nullptr;
    // The open popup menu, null while closed; owned by its window.
    CKTPopupMenu* m_pPopupMenu = nullptr;
    BOOL m_bMenuMode = FALSE;
    // The popup bar has scheduled the closing of this item's submenu.
    BOOL m_bToBeClosed = FALSE;

protected:
    void DrawMenuItem(CDC* pDC, const CRect& rect, CKTImageStrip* pImages, BOOL bCustomizeMode, BOOL bHighlight,
                      BOOL bGrayDisabledButtons);
    // In a menu: the text up to its tab, then the command's current shortcut.
    void UpdateShortcutText();
    // The arrow part of a split button in the bar's client coordinates.
    CRect GetArrowRect() const;
    BOOL IsOnMenuBar() const;
    BOOL IsOnPopupMenuBar() const;

    CObList m_listCommands;
    BOOL m_bDrawDownArrow = FALSE;
    BOOL m_bDefault = FALSE;
    BOOL m_bClickedOnMenu = FALSE;
    BOOL m_bMenuOnly = FALSE;
    UINT m_uiTearOffBarID = 0;
    BOOL m_bIsRadio = FALSE;
};

// The last item of a personalized popup menu: expands the menu to all its items.
class CKTShowAllButton : public CKTToolbarMenuButton
{
    DECLARE_DYNAMIC(CKTShowAllButton)
public:
    void OnDraw(CDC* pDC, const CRect& rect, CKTImageStrip* pImages, BOOL bHorz = TRUE, BOOL bCustomizeMode = FALSE,
                BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE, BOOL bGrayDisabledButtons = TRUE) override;
    SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    // In a popup menu: at once, or with bDelay after the menu delay when that option is on.
    BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
    BOOL OnToolHitTest(const CWnd* pWnd, TOOLINFO* pTI) override;
    BOOL OpenPopupMenu(CWnd* pWnd = nullptr) override;
};
