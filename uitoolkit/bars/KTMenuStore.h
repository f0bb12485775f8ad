#pragma once
// Two process-wide services of the menu classes.
//
// CKTMenuFileStore keeps the customised content of menus while the program runs: a bar's buttons
// are serialised into a temporary file per menu id (in practice a menu handle value, kept whole:
// on 64-bit two handles may share their low half), so that a menu shown again can be rebuilt from
// its customised form. The files are created
// delete-on-close: closing a handle deletes its file, and an entry leaves the map in the same
// step, so that no stale handle value (which the system may hand out again) is ever used.
//
// CKTTearOffIdTable hands out control-bar ids for menus that can be torn off and writes each id
// into the text of its menu item ("\x01<id>\x01<text>"), so that the id survives in any menu
// handle built from that text. The toolkit uses the table only while g_pTearOffIdTable is set.
//
// User-interface thread only. The store owns its file handles; the table owns its counts.
#include "framework/Afx.h"

class CKTToolBar;

class CKTMenuFileStore
{
public:
    CKTMenuFileStore();
    ~CKTMenuFileStore();
    CKTMenuFileStore(const CKTMenuFileStore&) = delete;
    CKTMenuFileStore& operator=(const CKTMenuFileStore&) = delete;

    // Stores the bar's buttons under the id. FALSE for a bar without buttons, when the file
    // cannot be created or when the bar's serialisation fails; the id then holds nothing.
    BOOL SaveMenu(UINT_PTR uiMenuId, CKTToolBar& bar);
    // Loads the bar from the file stored under the id; FALSE when nothing is stored, the file
    // cannot be rewound or its content cannot be read.
    BOOL LoadMenu(UINT_PTR uiMenuId, CKTToolBar& bar);
    BOOL RemoveMenu(UINT_PTR uiMenuId);
    void RemoveAll();

    BOOL HasMenu(UINT_PTR uiMenuId) const;
    INT_PTR GetCount() const { return m_Files.GetCount(); }
    // The id of a menu handle.
    static UINT_PTR MenuId(HMENU hMenu) { return reinterpret_cast<UINT_PTR>(hMenu); }

    // The folder new files go to; empty: the system's temporary folder. A test seam.
    CString m_strFolder;

    static CKTMenuFileStore& Get();

private:
    HANDLE CreateStoreFile() const;
    void CloseEntry(UINT_PTR uiMenuId);

    CMap<UINT_PTR, UINT_PTR, HANDLE, HANDLE> m_Files;
};

class CKTTearOffIdTable
{
public:
    CKTTearOffIdTable(UINT uiFirstId, UINT uiLastId);
    CKTTearOffIdTable(const CKTTearOffIdTable&) = delete;
    CKTTearOffIdTable& operator=(const CKTTearOffIdTable&) = delete;

    // The first unused id of the range, now used once; 0 when the range is unset, empty or full.
    UINT GetFreeId();
    void AddRef(UINT uiId, BOOL bAdd = TRUE);
    int GetUseCount(UINT uiId) const;
    // Marks the text of every submenu item with the menu-bar-break bit with a free id,
    // recursively; stops at once when no id is free.
    void AssignMenuIds(HMENU hMenu);
    // Frees the ids carried by the menu's texts (recursively), or every id without a menu.
    void FreeMenuIds(HMENU hMenu);

    // The id at the start of the text, which is cut to what follows the second mark; 0 (text
    // unchanged) without both marks.
    static UINT ParseTearOffId(CString& strText);
    static void FormatTearOffText(UINT uiId, CString& strText);

    static constexpr wchar_t kMark = 0x01;

private:
    BOOL InRange(UINT uiId) const { return m_uiFirstId != 0 && uiId >= m_uiFirstId && uiId <= m_uiLastId; }
    BOOL AssignIds(HMENU hMenu);

    UINT m_uiFirstId;
    UINT m_uiLastId;
    CArray<int, int> m_UseCounts;
};

// Set by the workspace when tear-off menus are enabled; null otherwise (as in this program).
extern CKTTearOffIdTable* g_pTearOffIdTable;
