#include "uitoolkit/customize/KTCommandManager.h"

#include "uitoolkit/looks/KTRegistry.h"

namespace
{
const wchar_t kRegEntry[] = L"CommandsWithoutImages";

BOOL IsImageCommand(UINT uiCmd)
{
    return uiCmd != 0 && uiCmd != (UINT)-1;
}
} // namespace

CKTCommandManager::CKTCommandManager() = default;

CKTCommandManager* CKTCommandManager::GetInstance()
{
    // Built on first use, which static initialisers of other files may also be.
    static CKTCommandManager s_manager;
    return &s_manager;
}

int CKTCommandManager::GetCmdImage(UINT uiCmd, BOOL bUserImage) const
{
    int iImage = -1;
    if (!(bUserImage ? m_CommandIndexUser : m_CommandIndex).Lookup(uiCmd, iImage))
        return -1;
    return iImage;
}

void CKTCommandManager::SetCmdImage(UINT uiCmd, int iImage, BOOL bUserImage)
{
    if (!IsImageCommand(uiCmd))
        return;
    int iExisting = -1;
    if (bUserImage)
    {
        if (!m_CommandIndex.Lookup(uiCmd, iExisting))
            m_CommandIndexUser.SetAt(uiCmd, iImage);
    }
    else
    {
        if (!m_CommandIndexUser.Lookup(uiCmd, iExisting))
            m_CommandIndex.SetAt(uiCmd, iImage);
    }
}

void CKTCommandManager::ClearUserCmdImage(UINT uiCmd)
{
    m_CommandIndexUser.RemoveKey(uiCmd);
    if (m_CommandIndexUser.IsEmpty())
        m_CommandIndexUser.RemoveAll();
}

void CKTCommandManager::ClearAllCmdImages()
{
    m_CommandIndex.RemoveAll();
    m_CommandIndexUser.RemoveAll();
    m_lstCommandsWithoutImages.RemoveAll();
}

void CKTCommandManager::EnableMenuItemImage(UINT uiCmd, BOOL bEnable)
{
    POSITION pos = m_lstCommandsWithoutImages.Find(uiCmd);
    if (bEnable)
    {
        if (pos != nullptr)
            m_lstCommandsWithoutImages.RemoveAt(pos);
    }
    else if (pos == nullptr)
    {
        m_lstCommandsWithoutImages.AddTail(uiCmd);
    }
}

BOOL CKTCommandManager::IsMenuItemWithoutImage(UINT uiCmd) const
{
    return m_lstCommandsWithoutImages.Find(uiCmd) != nullptr;
}

CString CKTCommandManager::ManagerKey(LPCTSTR lpszProfileName)
{
    CString key;
    key.Format(L"%sKTCommandManager", (LPCTSTR)GetRegistryPath(L"KTToolBars", lpszProfileName));
    return key;
}

BOOL CKTCommandManager::LoadState(LPCTSTR lpszProfileName)
{
    CKTRegistryFactory factory;
    CKTRegistry& reg = factory.Create(FALSE, TRUE);
    if (!reg.Open(ManagerKey(lpszProfileName)))
        return FALSE;

    // The registry hands the value over whole or not at all; only then does the list change.
    CDWordArray stored;
    if (!reg.Read(kRegEntry, stored))
        return FALSE;
    for (INT_PTR i = 0; i < stored.GetSize(); ++i)
    {
        if (m_lstCommandsWithoutImages.Find(stored[i]) == nullptr)
            m_lstCommandsWithoutImages.AddTail(stored[i]);
    }
    return TRUE;
}

BOOL CKTCommandManager::SaveState(LPCTSTR lpszProfileName)
{
    CKTRegistryFactory factory;
    CKTRegistry& reg = factory.Create(FALSE, FALSE);
    if (!reg.CreateKey(ManagerKey(lpszProfileName)))
        return FALSE;

    CDWordArray list;
    for (POSITION pos = m_lstCommandsWithoutImages.GetHeadPosition(); pos != nullptr;)
        list.Add(m_lstCommandsWithoutImages.GetNext(pos));
    return reg.Write(kRegEntry, list);
}

int GetCommandImage(UINT uiCmd, BOOL bUserImage)
{
    return CKTCommandManager::GetInstance()->GetCmdImage(uiCmd, bUserImage);
}
