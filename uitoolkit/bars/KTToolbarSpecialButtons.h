#pragma once
// Small buttons that the toolkit's bars make for themselves; none is placed by the user or
// stored with a bar:
// - CCustomizeButton ends a toolbar: it lists the buttons that do not fit (a chevron) and an
//   optional customize command;
// - CKTToolbarSystemMenuButton is a maximized child's icon at the start of the menu bar and opens
//   the child's system menu;
// - CKTToolbarMenuButtonsButton is one of the maximized child's minimize, restore and close
//   buttons at the end of the menu bar.
//
// User-interface thread only. The hidden-buttons list, the parent bar, the icon and the system
// menu are borrowed.
#include "uitoolkit/bars/KTToolbarMenuButton.h"

class CKTToolBar;

class CCustomizeButton : public CKTToolbarMenuButton
{
    DECLARE_SERIAL(CCustomizeButton)
public:
    CCustomizeButton();
    CCustomizeButton(int iCustomizeCmdId, const CString& strCustomizeText);

    void CopyFrom(const CKTToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CKTImageStrip* pImages, BOOL bHorz = TRUE, BOOL bCustomizeMode = FALSE,
                BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE, BOOL bGrayDisabledButtons = TRUE) override;
    SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    BOOL CanBeStored() const override { return FALSE; }
    BOOL IsEditable() const override { return FALSE; }
    // The hidden buttons as menu items, then the customize command.
    CKTPopupMenu* CreatePopupMenu() override;
    BOOL IsEmptyMenuAllowed() const override { return TRUE; }

    int GetCustomizeCmdId() const { return m_iCustomizeCmdId; }
    const CString& GetCustomizeText() const { return m_strCustomizeText; }
    void SetCustomizeCmd(int iCmdId, const CString& strText)
    {
        m_iCustomizeCmdId = iCmdId;
        m_strCustomizeText = strText;
    }
    // Collapsed, the button takes no room; the bar decides, a parent change clears it.
    BOOL IsCollapsed() const { return m_bIsEmpty; }
    void SetCollapsed(BOOL bCollapsed) { m_bIsEmpty = bCollapsed; }
    // The bar's buttons that do not fit, in bar order (not owned).
    const CObList& GetInvisibleButtons() const { return m_lstInvisibleButtons; }
    void AddInvisibleButton(CKTToolbarButton* pButton) { m_lstInvisibleButtons.AddTail(pButton); }
    void RemoveAllInvisibleButtons() { m_lstInvisibleButtons.RemoveAll(); }
    CKTToolBar* GetParentToolbar() const { return m_pWndParentToolbar; }
    int GetExtraMargin() const { return m_iExtraMargin; }
    void SetExtraMargin(int iMargin) { m_iExtraMargin = iMargin; }

    // The items the popup shows, as new buttons the caller owns (separators trimmed at both ends).
    void BuildMenuItems(CObList& listItems, BOOL bShowImages) const;

private:
    int m_iCustomizeCmdId = 0;
    CString m_strCustomizeText;
    CKTToolBar* m_pWndParentToolbar = nullptr;
    BOOL m_bIsEmpty = FALSE;
    BOOL m_bDefaultDraw = TRUE;
    // Room around the button that its bar repaints with it (0: none).
    int m_iExtraMargin = 0;
    int m_nReserved2 = 0;
    CObList m_lstInvisibleButtons;
};

class CKTToolbarSystemMenuButton : public CKTToolbarMenuButton
{
    DECLARE_SERIAL(CKTToolbarSystemMenuButton)
public:
    CKTToolbarSystemMenuButton() = default;
    CKTToolbarSystemMenuButton(HMENU hSystemMenu, HICON hSystemIcon);

    void Serialize(CArchive&) override {}
    void CopyFrom(const CKTToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CKTImageStrip* pImages, BOOL bHorz = TRUE, BOOL bCustomizeMode = FALSE,
                BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE, BOOL bGrayDisabledButtons = TRUE) override;
    SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    BOOL CanBeStored() const override { return FALSE; }
    void OnCancelMode() override;
    // Keeps the handle only: the items come from the system menu each time it opens.
    void CreateFromMenu(HMENU hMenu) override;
    // The menu with the system menu's checked, disabled and greyed states.
    HMENU CreateMenu() const override;
    BOOL IsMenuConnectable() const override { return FALSE; }
    // Closes the active child, as a double click on a window's icon does; TRUE outside
    // customize mode.
    BOOL OnDblClick(CWnd* pWnd) override;

    HICON GetIcon() const { return m_hSysMenuIcon; }
    HMENU GetSysMenu() const { return m_hSystemMenu; }

private:
    HICON m_hSysMenuIcon = nullptr;
    HMENU m_hSystemMenu = nullptr;
};

class CKTToolbarMenuButtonsButton : public CKTToolbarButton
{
    DECLARE_SERIAL(CKTToolbarMenuButtonsButton)
public:
    CKTToolbarMenuButtonsButton() = default;
    // The system command is also the button's command, which the menu bar sends the child.
    explicit CKTToolbarMenuButtonsButton(UINT uiSysCmd) : m_uiSystemCommand(uiSysCmd)
    {
        m_nID = uiSysCmd;
        m_bLocked = TRUE;
    }

    void Serialize(CArchive&) override {}
    void CopyFrom(const CKTToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CKTImageStrip* pImages, BOOL bHorz = TRUE, BOOL bCustomizeMode = FALSE,
                BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE, BOOL bGrayDisabledButtons = TRUE) override;
    SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    BOOL CanBeStored() const override { return FALSE; }
    BOOL DrawsBorder() const override { return FALSE; }

    UINT GetSystemCommand() const { return m_uiSystemCommand; }

private:
    UINT m_uiSystemCommand = 0;
};
