#pragma once
// Context menus in the toolkit's popup-menu style. A menu either sends its chosen command to
// its owner window (ShowPopupMenu) or, tracked, hands the command back to the caller
// (TrackPopupMenu). Menus registered by resource id and by name can be shown by id and offered
// for customization; their customized items are saved under the workspace's path.
//
// The manager owns the registered menus; a handle given to ShowPopupMenu or TrackPopupMenu
// stays the caller's. One instance, registered in g_pContextMenuManager. User-interface thread
// only; TrackPopupMenu runs a nested message loop on it.

#include "framework/Afx.h"

class CKTPopupMenu;

class CKTContextMenuManager : public CObject
{
    DECLARE_DYNAMIC(CKTContextMenuManager)
public:
    CKTContextMenuManager();
    ~CKTContextMenuManager() override;

    // Registers the menu resource under its id and under the name (the manager owns the loaded
    // menu); FALSE when the resource cannot be loaded or the id or name is taken.
    BOOL AddMenu(LPCTSTR lpszName, UINT uiMenuResId);

    // Shows the first submenu of a registered menu; x = y = -1 opens it 5 pixels right and below
    // the owner's client origin.
    BOOL ShowPopupMenuById(UINT uiMenuResId, int x, int y, CWnd* pWndOwner, BOOL bOwnMessage = FALSE,
                           BOOL bRightAlign = FALSE);
    // The new popup menu, or null when none was shown (a dialog or toolkit property page owner
    // without bOwnMessage, or a popup that could not be created). Without bOwnMessage the
    // commands go to the owner's top-level window.
    CKTPopupMenu* ShowPopupMenu(HMENU hmenuPopup, int x, int y, CWnd* pWndOwner, BOOL bOwnMessage = FALSE,
                                BOOL bRightAlign = FALSE);
    // Shows the menu and waits until it closes: the chosen command, 0 when it closed without
    // one; no command message is sent.
    UINT TrackPopupMenu(HMENU hmenuPopup, int x, int y, CWnd* pWndOwner, BOOL bRightAlign = FALSE);

    void GetMenuNames(CStringList& listOfNames) const;
    // The registered menu of that name (null when none) and, when asked, its resource id.
    HMENU GetMenuByName(LPCTSTR lpszName, UINT* puiOrigResID = nullptr) const;

    // lpszProfileName: the workspace's registry path; empty or null builds it from the section
    // "KTContextMenuManager".
    BOOL LoadState(LPCTSTR lpszProfileName = nullptr);
    BOOL SaveState(LPCTSTR lpszProfileName = nullptr);

    BOOL IsTrackMode() const { return m_bTrackMode; }

protected:
    static void OnTrackCommand(UINT uiCmd);

    CMap<UINT, UINT, HMENU, HMENU> m_Menus;
    CMap<CString, LPCTSTR, HMENU, HMENU> m_MenuNames;
    UINT m_nLastCommandID = 0;
    BOOL m_bTrackMode = FALSE;
    BOOL m_bTrackEnded = FALSE;
};

// The single context menu manager, or null.
extern CKTContextMenuManager* g_pContextMenuManager;
