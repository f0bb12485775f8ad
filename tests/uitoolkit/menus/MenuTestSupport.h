// A small toolkit program for the popup menu tests: a frame with a bar of two menu titles that
// opens their popups as the menu bar does, and that hands keys and clicks to the open popup as
// the toolkit's frames do. Menus: File (with separators at the ends and a disabled item) and
// Edit (with a submenu two levels deep).
#pragma once

#include "framework/Afx.h"
#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/bars/KTPopupMenuBar.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"

#include <vector>

enum MenuTestCommand : UINT
{
    ID_M_NEW = 101,
    ID_M_OPEN = 102,
    ID_M_SAVE = 103,
    ID_M_EXIT = 104,
    ID_M_UNDO = 201,
    ID_M_ALPHA = 202,
    ID_M_GAMMA = 203,
    ID_M_DELTA = 204,
    ID_M_COPY = 205,
    ID_M_ACCEL = 300
};

// File: sep, &New, &Open, sep, sep, &Save (disabled), sep, E&xit, sep.
HMENU MakeFileMenu();
// Edit: &Undo, &More > (&Alpha, &Deep > (&Gamma, &Delta)), &Copy.
HMENU MakeEditMenu();
// A menu of nItems commands 1000 + i.
HMENU MakeLongMenu(int nItems);

// Stands in for the menu bar: a press on a title opens its popup; Left and Right move on.
class CMenuHostBar : public CKTToolBar
{
public:
    CMenuHostBar() = default;
    ~CMenuHostBar() override;
    void AddMenu(LPCWSTR lpszTitle, HMENU hMenu);
    BOOL OpenMenu(int iIndex);
    CKTToolbarMenuButton* GetMenuButton(int iIndex) const;
    CKTPopupMenu* GetOpenPopup() const;
    BOOL NextMenu() override;
    BOOL PrevMenu() override;

    std::vector<HMENU> m_menus;
    int m_nDeactivations = 0;
    void Deactivate() override
    {
        m_nDeactivations++;
        CKTToolBar::Deactivate();
    }

protected:
    void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};

class CMenuTestFrame : public CFrameWnd
{
public:
    std::vector<UINT> m_commands;
    std::vector<UINT> m_initMenuPopups;
    BOOL m_bSaveEnabled = FALSE;
    CMenuHostBar m_wndHost;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnCommandRange(UINT nID) { m_commands.push_back(nID); }
    void OnUpdateSave(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bSaveEnabled); }
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    DECLARE_MESSAGE_MAP()
};

// The deepest popup of the open chain, or null.
CKTPopupMenu* ActivePopup();
// Number of popup menu windows on the screen (live toolkit popups).
int CountPopupWindows();
// The items of a bar as their commands (0 for a separator).
std::vector<UINT> BarCommands(const CKTPopupMenuBar& bar);
