// The mouse manager's maps and their registry state.
#include "uitoolkit/customize/KTMouseManager.h"

#include "uitoolkit/customize/KTMousePage.h"
#include "uitoolkit/looks/KTRegistry.h"

#include <memory>

IMPLEMENT_SERIAL(CKTMouseManager, CObject, 1)

CKTMouseManager* g_pMouseManager = nullptr;

namespace
{
// A stored entry: the view id and the command, four bytes each.
const ULONGLONG kEntryBytes = 8;
} // namespace

CKTMouseManager::CKTMouseManager()
{
    g_pMouseManager = this;
    CKTMousePage::RegisterWithSheet();
}

CKTMouseManager::~CKTMouseManager()
{
    if (g_pMouseManager == this)
        g_pMouseManager = nullptr;
}

UINT CKTMouseManager::GetViewDblClickCommand(int iViewId) const
{
    UINT uiCmd = 0;
    return m_ViewsToCommands.Lookup(iViewId, uiCmd) ? uiCmd : 0;
}

void CKTMouseManager::SetCommandForDblClick(int iViewId, UINT uiCmd)
{
    if (uiCmd == 0)
        m_ViewsToCommands.RemoveKey(iViewId);
    else
        m_ViewsToCommands.SetAt(iViewId, uiCmd);
}

void CKTMouseManager::GetViewNames(CStringList& listOfNames) const
{
    listOfNames.RemoveAll();
    for (POSITION pos = m_ViewsNames.GetStartPosition(); pos != nullptr;)
    {
        CString strName;
        int iId = 0;
        m_ViewsNames.GetNextAssoc(pos, strName, iId);
        listOfNames.AddTail(strName);
    }
}

int CKTMouseManager::GetViewIdByName(LPCTSTR lpszName) const
{
    int iId = -1;
    return lpszName != nullptr && m_ViewsNames.Lookup(lpszName, iId) ? iId : -1;
}

UINT CKTMouseManager::GetViewIconId(int iViewId) const
{
    UINT uiIcon = 0;
    return m_ViewsToIcons.Lookup(iViewId, uiIcon) ? uiIcon : 0;
}

void CKTMouseManager::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring())
    {
        ar << static_cast<int>(m_ViewsToCommands.GetCount());
        for (POSITION pos = m_ViewsToCommands.GetStartPosition(); pos != nullptr;)
        {
            int iViewId = 0;
            UINT uiCmd = 0;
            m_ViewsToCommands.GetNextAssoc(pos, iViewId, uiCmd);
            ar << iViewId << uiCmd;
        }
        return;
    }
    int nCount = 0;
    ar >> nCount;
    // A damaged count must not drive the reading: each entry takes eight bytes of what is left.
    if (nCount < 0 || static_cast<ULONGLONG>(nCount) * kEntryBytes > ar.GetRemainingLoadBytes())
        AfxThrowArchiveException(CArchiveException::badIndex);
    CMap<int, int, UINT, UINT> loaded;
    for (int i = 0; i < nCount; i++)
    {
        int iViewId = 0;
        UINT uiCmd = 0;
        ar >> iViewId >> uiCmd;
        loaded.SetAt(iViewId, uiCmd);
    }
    m_ViewsToCommands.RemoveAll();
    for (POSITION pos = loaded.GetStartPosition(); pos != nullptr;)
    {
        int iViewId = 0;
        UINT uiCmd = 0;
        loaded.GetNextAssoc(pos, iViewId, uiCmd);
        m_ViewsToCommands.SetAt(iViewId, uiCmd);
    }
}

BOOL CKTMouseManager::LoadState(LPCTSTR lpszProfileName)
{
    CKTRegistry reg(FALSE, TRUE);
    if (!reg.Open(GetSubsectionRegistryPath(m_pszSection, lpszProfileName)))
        return FALSE;
    BYTE* pData = nullptr;
    UINT nBytes = 0;
    if (!reg.Read(m_pszValue, &pData, &nBytes) || pData == nullptr)
        return FALSE;
    std::unique_ptr<BYTE[]> data(pData);
    try
    {
        CMemFile file(data.get(), nBytes);
        CArchive ar(&file, CArchive::load);
        Serialize(ar);
    }
    catch (CException* e)
    {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

BOOL CKTMouseManager::SaveState(LPCTSTR lpszProfileName)
{
    CMemFile file;
    try
    {
        CArchive ar(&file, CArchive::store);
        Serialize(ar);
        ar.Close();
    }
    catch (CException* e)
    {
        e->Delete();
        return FALSE;
    }
    const UINT nBytes = static_cast<UINT>(file.GetLength());
    BYTE* pData = file.Detach();
    std::unique_ptr<BYTE, decltype(&free)> data(pData, &free);
    CKTRegistry reg(FALSE, FALSE);
    if (!reg.CreateKey(GetSubsectionRegistryPath(m_pszSection, lpszProfileName)))
        return FALSE;
    return reg.Write(m_pszValue, data.get(), nBytes);
}
