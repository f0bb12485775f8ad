#include "uitoolkit/bars/KTMenuStore.h"

#include "uitoolkit/bars/KTToolBar.h"

#include <cwchar>
#include <new>
#include <stdexcept>

CKTTearOffIdTable* g_pTearOffIdTable = nullptr;

namespace
{
const UINT kStoreBuckets = 17;
const DWORD kStoreFileAttributes = FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE;

// Runs the bar's own serialisation over the file; FALSE when it throws.
BOOL SerializeBar(CKTToolBar& bar, HANDLE hFile, UINT nMode)
{
    CFile file(hFile);
    try
    {
        CArchive ar(&file, nMode, 4096);
        bar.Serialize(ar);
        ar.Close();
        return TRUE;
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (const std::exception&)
    {
    }
    return FALSE;
}
} // namespace

// Menu file store --------------------------------------------------------------------------------

CKTMenuFileStore::CKTMenuFileStore() : m_Files(10)
{
    m_Files.InitHashTable(kStoreBuckets);
}

CKTMenuFileStore::~CKTMenuFileStore()
{
    RemoveAll();
}

CKTMenuFileStore& CKTMenuFileStore::Get()
{
    static CKTMenuFileStore s_store;
    return s_store;
}

HANDLE CKTMenuFileStore::CreateStoreFile() const
{
    CString strFolder = m_strFolder;
    if (strFolder.IsEmpty())
    {
        wchar_t szFolder[MAX_PATH + 1] = {};
        const DWORD dwLength = ::GetTempPathW(MAX_PATH, szFolder);
        if (dwLength == 0 || dwLength > MAX_PATH)
            return INVALID_HANDLE_VALUE;
        strFolder = szFolder;
    }
    wchar_t szName[MAX_PATH + 1] = {};
    if (::GetTempFileNameW(strFolder, L"KT", 0, szName) == 0)
        return INVALID_HANDLE_VALUE;
    const HANDLE hFile =
        ::CreateFileW(szName, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, kStoreFileAttributes, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        ::DeleteFileW(szName); // the name the system reserved, left empty
    return hFile;
}

void CKTMenuFileStore::CloseEntry(UINT_PTR uiMenuId)
{
    HANDLE hFile = nullptr;
    if (!m_Files.Lookup(uiMenuId, hFile))
        return;
    m_Files.RemoveKey(uiMenuId);
    ::CloseHandle(hFile);
}

BOOL CKTMenuFileStore::SaveMenu(UINT_PTR uiMenuId, CKTToolBar& bar)
{
    if (bar.GetCount() == 0)
        return FALSE;
    CloseEntry(uiMenuId);
    const HANDLE hFile = CreateStoreFile();
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    if (!SerializeBar(bar, hFile, CArchive::store))
    {
        ::CloseHandle(hFile);
        return FALSE;
    }
    m_Files.SetAt(uiMenuId, hFile);
    return TRUE;
}

BOOL CKTMenuFileStore::LoadMenu(UINT_PTR uiMenuId, CKTToolBar& bar)
{
    HANDLE hFile = nullptr;
    if (!m_Files.Lookup(uiMenuId, hFile))
        return FALSE;
    if (::SetFilePointer(hFile, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return FALSE;
    return SerializeBar(bar, hFile, CArchive::load);
}

BOOL CKTMenuFileStore::RemoveMenu(UINT_PTR uiMenuId)
{
    if (!HasMenu(uiMenuId))
        return FALSE;
    CloseEntry(uiMenuId);
    return TRUE;
}

void CKTMenuFileStore::RemoveAll()
{
    for (POSITION pos = m_Files.GetStartPosition(); pos != nullptr;)
    {
        UINT_PTR uiId = 0;
        HANDLE hFile = nullptr;
        m_Files.GetNextAssoc(pos, uiId, hFile);
        ::CloseHandle(hFile);
    }
    m_Files.RemoveAll();
}

BOOL CKTMenuFileStore::HasMenu(UINT_PTR uiMenuId) const
{
    HANDLE hFile = nullptr;
    return m_Files.Lookup(uiMenuId, hFile);
}

// Tear-off ids ------------------------------------------------------------------------------------

CKTTearOffIdTable::CKTTearOffIdTable(UINT uiFirstId, UINT uiLastId) : m_uiFirstId(uiFirstId), m_uiLastId(uiLastId)
{
    if (uiFirstId == 0 || uiLastId == 0 || uiLastId < uiFirstId)
    {
        m_uiFirstId = m_uiLastId = 0;
        return;
    }
    m_UseCounts.SetSize(static_cast<INT_PTR>(uiLastId - uiFirstId) + 1);
    for (INT_PTR i = 0; i < m_UseCounts.GetSize(); i++)
        m_UseCounts[i] = 0;
}

UINT CKTTearOffIdTable::GetFreeId()
{
    for (INT_PTR i = 0; i < m_UseCounts.GetSize(); i++)
    {
        if (m_UseCounts[i] == 0)
        {
            m_UseCounts[i] = 1;
            return m_uiFirstId + static_cast<UINT>(i);
        }
    }
    return 0;
}

void CKTTearOffIdTable::AddRef(UINT uiId, BOOL bAdd)
{
    if (!InRange(uiId))
        return;
    int& nCount = m_UseCounts[static_cast<INT_PTR>(uiId - m_uiFirstId)];
    if (bAdd)
        nCount++;
    else if (nCount > 0)
        nCount--;
}

int CKTTearOffIdTable::GetUseCount(UINT uiId) const
{
    return InRange(uiId) ? m_UseCounts[static_cast<INT_PTR>(uiId - m_uiFirstId)] : 0;
}

namespace
{
CString GetItemText(HMENU hMenu, int iPos)
{
    CString strText;
    const int nLength = ::GetMenuStringW(hMenu, static_cast<UINT>(iPos), nullptr, 0, MF_BYPOSITION);
    if (nLength > 0)
    {
        ::GetMenuStringW(hMenu, static_cast<UINT>(iPos), strText.GetBuffer(nLength + 1), nLength + 1, MF_BYPOSITION);
        strText.ReleaseBuffer();
    }
    return strText;
}

void SetItemText(HMENU hMenu, int iPos, const CString& strText)
{
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<LPWSTR>(static_cast<LPCWSTR>(strText));
    ::SetMenuItemInfoW(hMenu, static_cast<UINT>(iPos), TRUE, &info);
}
} // namespace

BOOL CKTTearOffIdTable::AssignIds(HMENU hMenu)
{
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; i++)
    {
        HMENU hSubMenu = ::GetSubMenu(hMenu, i);
        if (hSubMenu == nullptr)
            continue;
        if (::GetMenuState(hMenu, static_cast<UINT>(i), MF_BYPOSITION) & MF_MENUBARBREAK)
        {
            CString strText = GetItemText(hMenu, i);
            if (strText.IsEmpty() || strText[0] != kMark)
            {
                const UINT uiId = GetFreeId();
                if (uiId == 0)
                    return FALSE;
                FormatTearOffText(uiId, strText);
                SetItemText(hMenu, i, strText);
            }
        }
        if (!AssignIds(hSubMenu))
            return FALSE;
    }
    return TRUE;
}

void CKTTearOffIdTable::AssignMenuIds(HMENU hMenu)
{
    if (hMenu != nullptr && ::IsMenu(hMenu))
        AssignIds(hMenu);
}

void CKTTearOffIdTable::FreeMenuIds(HMENU hMenu)
{
    if (hMenu == nullptr)
    {
        for (INT_PTR i = 0; i < m_UseCounts.GetSize(); i++)
            m_UseCounts[i] = 0;
        return;
    }
    if (!::IsMenu(hMenu))
        return;
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; i++)
    {
        CString strText = GetItemText(hMenu, i);
        const UINT uiId = ParseTearOffId(strText);
        if (InRange(uiId))
            m_UseCounts[static_cast<INT_PTR>(uiId - m_uiFirstId)] = 0;
        HMENU hSubMenu = ::GetSubMenu(hMenu, i);
        if (hSubMenu != nullptr)
            FreeMenuIds(hSubMenu);
    }
}

UINT CKTTearOffIdTable::ParseTearOffId(CString& strText)
{
    if (strText.IsEmpty() || strText[0] != kMark)
        return 0;
    const int iSecond = strText.Find(kMark, 1);
    if (iSecond < 0)
        return 0;
    const UINT uiId = static_cast<UINT>(wcstoul(strText.Mid(1, iSecond - 1), nullptr, 10));
    strText = strText.Mid(iSecond + 1);
    return uiId;
}

void CKTTearOffIdTable::FormatTearOffText(UINT uiId, CString& strText)
{
    CString strMarked;
    strMarked.Format(L"%c%u%c%s", kMark, uiId, kMark, static_cast<LPCWSTR>(strText));
    strText = strMarked;
}
