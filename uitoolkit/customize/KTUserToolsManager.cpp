// The user tools' list: ids, order, registry state and the toolbars' buttons of removed tools.
#include "uitoolkit/customize/KTUserToolsManager.h"

#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/customize/KTToolsPage.h"
#include "uitoolkit/customize/KTUserTool.h"
#include "uitoolkit/looks/KTRegistry.h"

#include <vector>

CKTUserToolsManager* g_pUserToolsManager = nullptr;

namespace
{
CKTUserTool* AsTool(CObject* pObject)
{
    return pObject != nullptr && pObject->IsKindOf(RUNTIME_CLASS(CKTUserTool)) ? static_cast<CKTUserTool*>(pObject)
                                                                               : nullptr;
}
} // namespace

CKTUserToolsManager::CKTUserToolsManager(UINT uiCmdToolsDummy, UINT uiCmdFirst, UINT uiCmdLast, CRuntimeClass* pToolRTC,
                                         UINT uiArgMenuID, UINT uiInitDirMenuID)
    : m_uiCmdToolsDummy(uiCmdToolsDummy), m_uiCmdFirst(uiCmdFirst), m_uiCmdLast(uiCmdLast),
      m_pToolRTC(pToolRTC != nullptr ? pToolRTC : RUNTIME_CLASS(CKTUserTool)), m_uiArgumentsMenuID(uiArgMenuID),
      m_uiInitialDirMenuID(uiInitDirMenuID)
{
    ASSERT(m_uiCmdFirst <= m_uiCmdLast);
    ASSERT(m_pToolRTC->IsDerivedFrom(RUNTIME_CLASS(CKTUserTool)));
    g_pUserToolsManager = this;
    CKTToolsPage::RegisterWithSheet();
}

CKTUserToolsManager::~CKTUserToolsManager()
{
    RemoveAllTools();
    if (g_pUserToolsManager == this)
        g_pUserToolsManager = nullptr;
}

void CKTUserToolsManager::RemoveAllTools()
{
    while (!m_lstUserTools.IsEmpty())
        delete m_lstUserTools.RemoveHead();
}

BOOL CKTUserToolsManager::LoadState(LPCTSTR lpszProfileName)
{
    RemoveAllTools();
    CKTRegistry reg(FALSE, TRUE);
    if (!reg.Open(GetSubsectionRegistryPath(m_pszSection, lpszProfileName)))
        return FALSE;
    if (!reg.Read(m_pszValue, m_lstUserTools))
    {
        RemoveAllTools();
        return FALSE;
    }
    // Only tools belong in the list: anything else stored there is a damaged value.
    for (POSITION pos = m_lstUserTools.GetHeadPosition(); pos != nullptr;)
    {
        if (AsTool(m_lstUserTools.GetNext(pos)) == nullptr)
        {
            RemoveAllTools();
            return FALSE;
        }
    }
    return TRUE;
}

BOOL CKTUserToolsManager::SaveState(LPCTSTR lpszProfileName)
{
    CKTRegistry reg(FALSE, FALSE);
    if (!reg.CreateKey(GetSubsectionRegistryPath(m_pszSection, lpszProfileName)))
        return FALSE;
    return reg.Write(m_pszValue, m_lstUserTools);
}

CKTUserTool* CKTUserToolsManager::CreateNewTool()
{
    if (m_lstUserTools.GetCount() >= GetMaxTools())
        return nullptr;
    std::vector<bool> used(static_cast<size_t>(GetMaxTools()), false);
    for (POSITION pos = m_lstUserTools.GetHeadPosition(); pos != nullptr;)
    {
        const CKTUserTool* pTool = AsTool(m_lstUserTools.GetNext(pos));
        if (pTool != nullptr && IsUserToolCmd(pTool->m_uiCmdId))
            used[pTool->m_uiCmdId - m_uiCmdFirst] = true;
    }
    for (size_t i = 0; i < used.size(); i++)
    {
        if (used[i])
            continue;
        CKTUserTool* pTool = AsTool(m_pToolRTC->CreateObject());
        if (pTool == nullptr)
            return nullptr;
        pTool->m_uiCmdId = m_uiCmdFirst + static_cast<UINT>(i);
        m_lstUserTools.AddTail(pTool);
        return pTool;
    }
    return nullptr;
}

BOOL CKTUserToolsManager::RemoveTool(CKTUserTool* pTool)
{
    POSITION pos = pTool != nullptr ? m_lstUserTools.Find(pTool) : nullptr;
    if (pos == nullptr)
        return FALSE;
    m_lstUserTools.RemoveAt(pos);
    const UINT uiCmd = pTool->m_uiCmdId;
    delete pTool;

    const CObList& bars = CKTToolBar::GetAllToolbars();
    for (POSITION posBar = bars.GetHeadPosition(); posBar != nullptr;)
    {
        CKTToolBar* pBar = static_cast<CKTToolBar*>(bars.GetNext(posBar));
        BOOL bRemoved = FALSE;
        for (int i = pBar->GetCount() - 1; i >= 0; i--)
        {
            CKTToolbarButton* pButton = pBar->GetButton(i);
            if (pButton != nullptr && pButton->m_nID == uiCmd)
            {
                pBar->RemoveButton(i);
                bRemoved = TRUE;
            }
        }
        if (bRemoved && pBar->GetSafeHwnd() != nullptr)
            pBar->AdjustLayout();
    }
    return TRUE;
}

BOOL CKTUserToolsManager::MoveToolUp(CKTUserTool* pTool)
{
    POSITION pos = pTool != nullptr ? m_lstUserTools.Find(pTool) : nullptr;
    if (pos == nullptr)
        return FALSE;
    POSITION posPrev = pos;
    m_lstUserTools.GetPrev(posPrev);
    if (posPrev == nullptr)
        return FALSE;
    m_lstUserTools.RemoveAt(pos);
    m_lstUserTools.InsertBefore(posPrev, pTool);
    return TRUE;
}

BOOL CKTUserToolsManager::MoveToolDown(CKTUserTool* pTool)
{
    POSITION pos = pTool != nullptr ? m_lstUserTools.Find(pTool) : nullptr;
    if (pos == nullptr)
        return FALSE;
    POSITION posNext = pos;
    m_lstUserTools.GetNext(posNext);
    if (posNext == nullptr)
        return FALSE;
    m_lstUserTools.RemoveAt(pos);
    m_lstUserTools.InsertAfter(posNext, pTool);
    return TRUE;
}

CKTUserTool* CKTUserToolsManager::FindTool(UINT uiCmdId) const
{
    if (!IsUserToolCmd(uiCmdId))
        return nullptr;
    for (POSITION pos = m_lstUserTools.GetHeadPosition(); pos != nullptr;)
    {
        CKTUserTool* pTool = AsTool(m_lstUserTools.GetNext(pos));
        if (pTool != nullptr && pTool->m_uiCmdId == uiCmdId)
            return pTool;
    }
    return nullptr;
}

BOOL CKTUserToolsManager::InvokeTool(UINT uiCmdId)
{
    CKTUserTool* pTool = FindTool(uiCmdId);
    return pTool != nullptr && pTool->Invoke();
}
