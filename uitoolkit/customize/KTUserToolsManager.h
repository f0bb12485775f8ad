#pragma once
// The user tools: an ordered list of tools, each bound to a command id of a reserved range, kept
// in the registry ("Tools" under "KTUserToolsManager"). Toolbar buttons and menu items with a
// tool's command run the tool. The program makes no manager; one made registers itself in
// g_pUserToolsManager until it goes.
//
// The manager owns its tools. User-interface thread only.

#include "framework/Afx.h"

class CKTUserTool;

class CKTUserToolsManager : public CObject
{
public:
    // uiCmdToolsDummy: the menu command whose place the tools take in the catalogue;
    // uiCmdFirst..uiCmdLast: the tools' command ids (inclusive).
    CKTUserToolsManager(UINT uiCmdToolsDummy, UINT uiCmdFirst, UINT uiCmdLast, CRuntimeClass* pToolRTC = nullptr,
                        UINT uiArgMenuID = 0, UINT uiInitDirMenuID = 0);
    ~CKTUserToolsManager() override;
    CKTUserToolsManager(const CKTUserToolsManager&) = delete;
    CKTUserToolsManager& operator=(const CKTUserToolsManager&) = delete;

    // Replaces the tools by the stored ones; FALSE (and no tools) when the key or value is
    // missing or damaged.
    BOOL LoadState(LPCTSTR lpszProfileName = nullptr);
    BOOL SaveState(LPCTSTR lpszProfileName = nullptr);

    // A new tool with the lowest free id; null when every id of the range is taken.
    CKTUserTool* CreateNewTool();
    // Deletes the tool and every toolbar button with its command; FALSE for a tool not listed.
    BOOL RemoveTool(CKTUserTool* pTool);
    BOOL MoveToolUp(CKTUserTool* pTool);
    BOOL MoveToolDown(CKTUserTool* pTool);
    // The first tool with the command; null outside the range.
    CKTUserTool* FindTool(UINT uiCmdId) const;
    BOOL InvokeTool(UINT uiCmdId);

    BOOL IsUserToolCmd(UINT uiCmdId) const { return uiCmdId >= m_uiCmdFirst && uiCmdId <= m_uiCmdLast; }
    UINT GetToolsEntryCmd() const { return m_uiCmdToolsDummy; }
    int GetMaxTools() const { return static_cast<int>(m_uiCmdLast - m_uiCmdFirst + 1); }
    const CObList& GetUserTools() const { return m_lstUserTools; }
    UINT GetArgumentsMenuID() const { return m_uiArgumentsMenuID; }
    UINT GetInitialDirMenuID() const { return m_uiInitialDirMenuID; }
    void SetFilter(LPCTSTR lpszFilter) { m_strFilter = lpszFilter != nullptr ? lpszFilter : _T(""); }
    void SetDefExt(LPCTSTR lpszDefExt) { m_strDefExt = lpszDefExt != nullptr ? lpszDefExt : _T(""); }
    const CString& GetFilter() const { return m_strFilter; }
    const CString& GetDefExt() const { return m_strDefExt; }

    inline static const LPCTSTR m_pszSection = _T("KTUserToolsManager");
    inline static const LPCTSTR m_pszValue = _T("Tools");

protected:
    void RemoveAllTools();

    CObList m_lstUserTools;
    const UINT m_uiCmdToolsDummy;
    const UINT m_uiCmdFirst;
    const UINT m_uiCmdLast;
    CRuntimeClass* m_pToolRTC;
    CString m_strFilter;
    CString m_strDefExt;
    const UINT m_uiArgumentsMenuID;
    const UINT m_uiInitialDirMenuID;
};

// The one manager while it exists, else null.
extern CKTUserToolsManager* g_pUserToolsManager;
