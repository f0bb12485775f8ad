#pragma once
// Per kind of view, the command that a double click in that view runs, chosen on the customize
// sheet's Mouse page and kept in the registry ("Mouse" under "KTMouseManager"). The program makes
// no manager; one made registers itself in g_pMouseManager until it goes.
//
// User-interface thread only.

#include "framework/Afx.h"

class CKTMouseManager : public CObject
{
    DECLARE_SERIAL(CKTMouseManager)
public:
    CKTMouseManager();
    ~CKTMouseManager() override;
    CKTMouseManager(const CKTMouseManager&) = delete;
    CKTMouseManager& operator=(const CKTMouseManager&) = delete;

    // The command of the view, 0 when none.
    UINT GetViewDblClickCommand(int iViewId) const;
    // Command 0 removes the view's entry.
    void SetCommandForDblClick(int iViewId, UINT uiCmd);
    // Empties the list, then adds the names of the views.
    void GetViewNames(CStringList& listOfNames) const;
    // -1 for a name that is no view's.
    int GetViewIdByName(LPCTSTR lpszName) const;
    // The view's icon resource, 0 for none.
    UINT GetViewIconId(int iViewId) const;

    // FALSE, the commands as they were, when the key or value is missing or damaged.
    BOOL LoadState(LPCTSTR lpszProfileName = nullptr);
    BOOL SaveState(LPCTSTR lpszProfileName = nullptr);

    // The entry count, then each view id and command (32-bit each). A load replaces the entries
    // only when the whole map was read.
    void Serialize(CArchive& ar) override;

    inline static const LPCTSTR m_pszSection = _T("KTMouseManager");
    inline static const LPCTSTR m_pszValue = _T("Mouse");

protected:
    CMap<CString, LPCTSTR, int, int> m_ViewsNames;
    CMap<int, int, UINT, UINT> m_ViewsToCommands;
    CMap<int, int, UINT, UINT> m_ViewsToIcons;
};

// The one manager while it exists, else null.
extern CKTMouseManager* g_pMouseManager;
