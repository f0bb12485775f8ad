#include "uitoolkit/looks/KTRegistry.h"

#include <memory>
#include <set>
#include <vector>

IMPLEMENT_DYNCREATE(CKTRegistry, CObject)

namespace
{
const UINT kArchiveBufferSize = 4096;
const UINT kMemFileGrowth = 1024;
// Value and key names fit in this many characters with their terminating zero.
const DWORD kNameBufferChars = 1024;

CString WithoutTrailingBackslash(LPCTSTR lpszPath)
{
    CString path(lpszPath != nullptr ? lpszPath : L"");
    if (!path.IsEmpty() && path[path.GetLength() - 1] == L'\\')
        path = path.Left(path.GetLength() - 1);
    return path;
}

CRuntimeClass* s_pRegistryClass = nullptr;

// Deletes each object of the list once, even when a stored back-reference put it there twice.
void DeleteObjectsOf(CObList& list)
{
    std::set<CObject*> deleted;
    while (!list.IsEmpty())
    {
        CObject* pObject = list.RemoveHead();
        if (deleted.insert(pObject).second)
            delete pObject;
    }
}
} // namespace

CString GetRegistryPath(LPCTSTR lpszSection, LPCTSTR lpszPath)
{
    if (lpszPath != nullptr && lpszPath[0] != L'\0')
        return CString(lpszPath);

    CString path(L"SOFTWARE\\");
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr)
    {
        if (pApp->m_pszRegistryKey != nullptr && pApp->m_pszRegistryKey[0] != L'\0')
        {
            path += pApp->m_pszRegistryKey;
            path += L"\\";
        }
        if (pApp->m_pszProfileName != nullptr)
            path += pApp->m_pszProfileName;
    }
    path += L"\\";
    path += lpszSection != nullptr ? lpszSection : L"";
    path += L"\\";
    return path;
}

CString GetSubsectionRegistryPath(LPCTSTR lpszSection, LPCTSTR lpszPath)
{
    if (lpszPath == nullptr || lpszPath[0] == L'\0')
        return GetRegistryPath(lpszSection);
    CString path(lpszPath);
    if (path.Right(1) != L"\\")
        path += L"\\";
    path += lpszSection != nullptr ? lpszSection : L"";
    path += L"\\";
    return path;
}

CKTRegistry::CKTRegistry() = default;

CKTRegistry::CKTRegistry(BOOL bAdmin, BOOL bReadOnly) : m_bAdmin(bAdmin), m_bReadOnly(bReadOnly)
{
    m_hKey = Root();
}

CKTRegistry::~CKTRegistry()
{
    Close();
}

void CKTRegistry::ReplaceCurrentKey(HKEY hKey)
{
    // The roots are predefined handles; only keys this object opened are closed.
    if (m_hKey != nullptr && m_hKey != HKEY_CURRENT_USER && m_hKey != HKEY_LOCAL_MACHINE)
        ::RegCloseKey(m_hKey);
    m_hKey = hKey;
}

BOOL CKTRegistry::RefuseWhenReadOnly()
{
    if (!m_bReadOnly)
        return FALSE;
    m_lastResult = ERROR_ACCESS_DENIED;
    return TRUE;
}

BOOL CKTRegistry::ListValueNames(CStringArray& names)
{
    BOOL found = FALSE;
    for (DWORD index = 0;; ++index)
    {
        wchar_t name[kNameBufferChars];
        DWORD chars = kNameBufferChars;
        m_lastResult = ::RegEnumValueW(m_hKey, index, name, &chars, nullptr, nullptr, nullptr, nullptr);
        if (m_lastResult != ERROR_SUCCESS)
            break;
        names.Add(CString(name, static_cast<int>(chars)));
        found = TRUE;
    }
    return found;
}

BOOL CKTRegistry::KeyExists(LPCTSTR lpszPath)
{
    HKEY hKey = nullptr;
    m_lastResult = ::RegOpenKeyExW(m_hKey, WithoutTrailingBackslash(lpszPath), 0, Access(), &hKey);
    if (m_lastResult != ERROR_SUCCESS)
        return FALSE;
    ::RegCloseKey(hKey);
    return TRUE;
}

BOOL CKTRegistry::ValueExists(LPCTSTR lpszName)
{
    m_lastResult = ::RegQueryValueExW(m_hKey, lpszName, nullptr, &m_lastType, nullptr, &m_lastSize);
    return m_lastResult == ERROR_SUCCESS;
}

BOOL CKTRegistry::CreateKey(LPCTSTR lpszPath)
{
    if (RefuseWhenReadOnly())
        return FALSE;
    HKEY hKey = nullptr;
    m_lastResult = ::RegCreateKeyExW(m_hKey, WithoutTrailingBackslash(lpszPath), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                     KEY_ALL_ACCESS, nullptr, &hKey, nullptr);
    if (m_lastResult != ERROR_SUCCESS)
        return FALSE;
    ReplaceCurrentKey(hKey);
    return TRUE;
}

BOOL CKTRegistry::Open(LPCTSTR lpszPath)
{
    m_strKeyPath = WithoutTrailingBackslash(lpszPath);
    HKEY hKey = nullptr;
    m_lastResult = ::RegOpenKeyExW(m_hKey, m_strKeyPath, 0, Access(), &hKey);
    if (m_lastResult != ERROR_SUCCESS)
        return FALSE;
    ReplaceCurrentKey(hKey);
    return TRUE;
}

void CKTRegistry::Close()
{
    ReplaceCurrentKey(nullptr);
}

BOOL CKTRegistry::DeleteValue(LPCTSTR lpszName)
{
    m_lastResult = ::RegDeleteValueW(m_hKey, lpszName);
    return m_lastResult == ERROR_SUCCESS;
}

BOOL CKTRegistry::DeleteKey(LPCTSTR lpszPath, BOOL bAdmin)
{
    if (RefuseWhenReadOnly())
        return FALSE;
    const CString path = WithoutTrailingBackslash(lpszPath);
    // An empty path would open the root itself and empty the whole hive.
    if (path.IsEmpty())
    {
        m_lastResult = ERROR_INVALID_PARAMETER;
        return FALSE;
    }
    HKEY hRoot = bAdmin ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    HKEY hKey = nullptr;
    m_lastResult = ::RegOpenKeyExW(hRoot, path, 0, KEY_ALL_ACCESS, &hKey);
    if (m_lastResult != ERROR_SUCCESS)
        return FALSE;

    // Index 0 again after every removal: the loop ends when no sub-key is left.
    for (;;)
    {
        wchar_t name[kNameBufferChars];
        DWORD chars = kNameBufferChars;
        LONG enumResult = ::RegEnumKeyExW(hKey, 0, name, &chars, nullptr, nullptr, nullptr, nullptr);
        if (enumResult == ERROR_NO_MORE_ITEMS)
            break;
        if (enumResult != ERROR_SUCCESS || !DeleteKey(path + L"\\" + CString(name, static_cast<int>(chars)), bAdmin))
        {
            if (enumResult != ERROR_SUCCESS)
                m_lastResult = enumResult;
            ::RegCloseKey(hKey);
            return FALSE;
        }
    }
    ::RegCloseKey(hKey);
    m_lastResult = ::RegDeleteKeyW(hRoot, path);
    return m_lastResult == ERROR_SUCCESS;
}

BOOL CKTRegistry::Write(LPCTSTR lpszName, LPBYTE pData, UINT nBytes)
{
    if (RefuseWhenReadOnly())
        return FALSE;
    m_lastType = REG_BINARY;
    m_lastSize = nBytes;
    m_lastResult = ::RegSetValueExW(m_hKey, lpszName, 0, REG_BINARY, pData, nBytes);
    return m_lastResult == ERROR_SUCCESS;
}

BOOL CKTRegistry::WriteArchived(LPCTSTR lpszName, CObject* pObject, BOOL bWithClass)
{
    if (RefuseWhenReadOnly())
        return FALSE;
    try
    {
        CMemFile file(kMemFileGrowth);
        {
            CArchive ar(&file, CArchive::store, kArchiveBufferSize);
            if (bWithClass)
                ar << pObject;
            else
                pObject->Serialize(ar);
            ar.Close();
        }
        const UINT nBytes = static_cast<UINT>(file.GetLength());
        BYTE* pData = file.Detach();
        const BOOL written = Write(lpszName, pData, nBytes);
        free(pData);
        return written;
    }
    catch (CException* e)
    {
        e->Delete();
        return FALSE;
    }
}

BOOL CKTRegistry::Write(LPCTSTR lpszName, CObject* pObject)
{
    return WriteArchived(lpszName, pObject, TRUE);
}

BOOL CKTRegistry::Write(LPCTSTR lpszName, CObject& object)
{
    return WriteArchived(lpszName, &object, FALSE);
}

BOOL CKTRegistry::Write(LPCTSTR lpszName, CObList& list)
{
    return Write(lpszName, static_cast<CObject&>(list));
}

BOOL CKTRegistry::Write(LPCTSTR lpszName, CByteArray& values)
{
    return Write(lpszName, static_cast<CObject&>(values));
}

BOOL CKTRegistry::Write(LPCTSTR lpszName, CDWordArray& values)
{
    return Write(lpszName, static_cast<CObject&>(values));
}

BOOL CKTRegistry::Write(LPCTSTR lpszName, CStringArray& values)
{
    return Write(lpszName, static_cast<CObject&>(values));
}

BOOL CKTRegistry::Write(LPCTSTR lpszName, CStringList& values)
{
    return Write(lpszName, static_cast<CObject&>(values));
}

BOOL CKTRegistry::Write(LPCTSTR lpszName, const CPoint& point)
{
    CDWordArray values;
    values.Add(static_cast<DWORD>(point.x));
    values.Add(static_cast<DWORD>(point.y));
    values.Add(0);
    values.Add(0);
    values.Add(0);
    return Write(lpszName, values);
}

BOOL CKTRegistry::Write(LPCTSTR lpszName, const CRect& rect)
{
    if (RefuseWhenReadOnly())
        return FALSE;
    LONG data[4] = {rect.left, rect.top, rect.right, rect.bottom};
    return Write(lpszName, reinterpret_cast<LPBYTE>(data), sizeof(data));
}

BOOL CKTRegistry::Write(LPCTSTR lpszName, CWordArray& values)
{
    if (RefuseWhenReadOnly())
        return FALSE;
    const DWORD count = static_cast<DWORD>(values.GetSize());
    std::vector<BYTE> data(sizeof(DWORD) + count * sizeof(WORD));
    memcpy(data.data(), &count, sizeof(count));
    if (count > 0)
        memcpy(data.data() + sizeof(count), values.GetData(), count * sizeof(WORD));
    return Write(lpszName, data.data(), static_cast<UINT>(data.size()));
}

BOOL CKTRegistry::Write(LPCTSTR lpszName, LPCTSTR lpszValue)
{
    if (RefuseWhenReadOnly())
        return FALSE;
    const CString value(lpszValue != nullptr ? lpszValue : L"");
    m_lastType = REG_SZ;
    m_lastSize = value.GetLength() + 1;
    m_lastResult = ::RegSetValueExW(m_hKey, lpszName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.GetString()),
                                    (value.GetLength() + 1) * sizeof(wchar_t));
    return m_lastResult == ERROR_SUCCESS;
}

BOOL CKTRegistry::Write(LPCTSTR lpszName, DWORD dwValue)
{
    if (RefuseWhenReadOnly())
        return FALSE;
    m_lastType = REG_DWORD;
    m_lastSize = sizeof(DWORD);
    m_lastResult =
        ::RegSetValueExW(m_hKey, lpszName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue), sizeof(dwValue));
    return m_lastResult == ERROR_SUCCESS;
}

BOOL CKTRegistry::Write(LPCTSTR lpszName, int nValue)
{
    return Write(lpszName, static_cast<DWORD>(nValue));
}

BOOL CKTRegistry::Read(LPCTSTR lpszName, BYTE** ppData, UINT* pBytes)
{
    if (ppData == nullptr || pBytes == nullptr)
        return FALSE;
    *ppData = nullptr;
    *pBytes = 0;
    DWORD size = 0;
    m_lastResult = ::RegQueryValueExW(m_hKey, lpszName, nullptr, &m_lastType, nullptr, &size);
    if (m_lastResult != ERROR_SUCCESS)
        return FALSE;
    // One spare byte so that an empty value still gets a block of its own.
    std::unique_ptr<BYTE[]> data(new (std::nothrow) BYTE[size + 1]);
    if (!data)
    {
        m_lastResult = ERROR_NOT_ENOUGH_MEMORY;
        return FALSE;
    }
    m_lastResult = ::RegQueryValueExW(m_hKey, lpszName, nullptr, &m_lastType, data.get(), &size);
    if (m_lastResult != ERROR_SUCCESS)
        return FALSE;
    m_lastSize = size;
    *ppData = data.release();
    *pBytes = size;
    return TRUE;
}

BOOL CKTRegistry::ReadBytes(LPCTSTR lpszName, std::unique_ptr<BYTE[]>& data, UINT& nBytes)
{
    BYTE* pData = nullptr;
    nBytes = 0;
    const BOOL read = Read(lpszName, &pData, &nBytes);
    data.reset(pData);
    return read;
}

BOOL CKTRegistry::RefuseData()
{
    m_lastResult = ERROR_INVALID_DATA;
    return FALSE;
}

BOOL CKTRegistry::ReadArchive(LPCTSTR lpszName, const std::function<void(CArchive&)>& load)
{
    std::unique_ptr<BYTE[]> data;
    UINT nBytes = 0;
    if (!ReadBytes(lpszName, data, nBytes))
        return FALSE;
    try
    {
        CMemFile file(data.get(), nBytes);
        CArchive ar(&file, CArchive::load, kArchiveBufferSize);
        load(ar);
        ar.Close();
        return TRUE;
    }
    catch (CException* e)
    {
        e->Delete();
        return RefuseData();
    }
}

BOOL CKTRegistry::LoadArchived(LPCTSTR lpszName, CObject& target)
{
    return ReadArchive(lpszName, [&target](CArchive& ar) { target.Serialize(ar); });
}

BOOL CKTRegistry::Read(LPCTSTR lpszName, CObject*& pObject)
{
    CObject* pLoaded = nullptr;
    if (!ReadArchive(lpszName, [&pLoaded](CArchive& ar) { ar >> pLoaded; }))
        return FALSE;
    pObject = pLoaded;
    return TRUE;
}

BOOL CKTRegistry::Read(LPCTSTR lpszName, CObject& object)
{
    // A damaged value must not leave the caller's object half loaded: where the class can make
    // an instance, the value is tried on that first.
    CRuntimeClass* pClass = object.GetRuntimeClass();
    if (pClass->m_pfnCreateObject != nullptr)
    {
        std::unique_ptr<CObject> trial(pClass->CreateObject());
        if (trial && !LoadArchived(lpszName, *trial))
            return FALSE;
    }
    return LoadArchived(lpszName, object);
}

BOOL CKTRegistry::Read(LPCTSTR lpszName, CObList& list)
{
    CObList loaded;
    if (!LoadArchived(lpszName, loaded))
    {
        DeleteObjectsOf(loaded);
        return FALSE;
    }
    DeleteObjectsOf(list);
    while (!loaded.IsEmpty())
        list.AddTail(loaded.RemoveHead());
    return TRUE;
}

BOOL CKTRegistry::Read(LPCTSTR lpszName, CStringList& values)
{
    CStringList loaded;
    if (!LoadArchived(lpszName, loaded))
        return FALSE;
    values.RemoveAll();
    values.AddTail(&loaded);
    return TRUE;
}

template <class Array>
BOOL CKTRegistry::ReadArray(LPCTSTR lpszName, Array& values)
{
    Array loaded;
    if (!LoadArchived(lpszName, loaded))
        return FALSE;
    values.Copy(loaded);
    return TRUE;
}

BOOL CKTRegistry::Read(LPCTSTR lpszName, CByteArray& values)
{
    return ReadArray(lpszName, values);
}

BOOL CKTRegistry::Read(LPCTSTR lpszName, CDWordArray& values)
{
    return ReadArray(lpszName, values);
}

BOOL CKTRegistry::Read(LPCTSTR lpszName, CStringArray& values)
{
    return ReadArray(lpszName, values);
}

BOOL CKTRegistry::Read(LPCTSTR lpszName, CWordArray& values)
{
    std::unique_ptr<BYTE[]> data;
    UINT nBytes = 0;
    if (!ReadBytes(lpszName, data, nBytes))
        return FALSE;
    DWORD count = 0;
    // The stored count is believed only as far as the value holds elements for it.
    if (nBytes < sizeof(count))
        return RefuseData();
    memcpy(&count, data.get(), sizeof(count));
    if (count > (nBytes - sizeof(count)) / sizeof(WORD))
        return RefuseData();
    values.RemoveAll();
    values.SetSize(count);
    if (count > 0)
        memcpy(values.GetData(), data.get() + sizeof(count), count * sizeof(WORD));
    return TRUE;
}

BOOL CKTRegistry::Read(LPCTSTR lpszName, CRect& rect)
{
    std::unique_ptr<BYTE[]> data;
    UINT nBytes = 0;
    if (!ReadBytes(lpszName, data, nBytes))
        return FALSE;
    LONG sides[4];
    if (nBytes < sizeof(sides))
        return RefuseData();
    memcpy(sides, data.get(), sizeof(sides));
    rect.SetRect(sides[0], sides[1], sides[2], sides[3]);
    return TRUE;
}

BOOL CKTRegistry::Read(LPCTSTR lpszName, CPoint& point)
{
    DWORD type = 0;
    m_lastResult = ::RegQueryValueExW(m_hKey, lpszName, nullptr, &type, nullptr, nullptr);
    if (m_lastResult != ERROR_SUCCESS)
        return FALSE;
    if (type != REG_BINARY)
        return RefuseData();
    CDWordArray values;
    if (!LoadArchived(lpszName, values))
        return FALSE;
    if (values.GetSize() < 2)
        return RefuseData();
    point.x = static_cast<LONG>(values[0]);
    point.y = static_cast<LONG>(values[1]);
    return TRUE;
}

BOOL CKTRegistry::Read(LPCTSTR lpszName, CString& value)
{
    std::unique_ptr<BYTE[]> data;
    UINT nBytes = 0;
    if (!ReadBytes(lpszName, data, nBytes))
    {
        value.Empty();
        return FALSE;
    }
    const int maxChars = static_cast<int>(nBytes / sizeof(wchar_t));
    std::vector<wchar_t> chars(static_cast<size_t>(maxChars) + 1, L'\0');
    if (maxChars > 0)
        memcpy(chars.data(), data.get(), maxChars * sizeof(wchar_t));
    value = chars.data();
    m_lastSize = value.GetLength() + 1;
    return TRUE;
}

BOOL CKTRegistry::Read(LPCTSTR lpszName, DWORD& dwValue)
{
    DWORD stored = 0;
    DWORD size = sizeof(stored);
    m_lastResult = ::RegQueryValueExW(m_hKey, lpszName, nullptr, &m_lastType, reinterpret_cast<BYTE*>(&stored), &size);
    if (m_lastResult != ERROR_SUCCESS)
        return FALSE;
    m_lastSize = size;
    // Fewer bytes than a number are a damaged value, not a small number.
    if (size != sizeof(stored))
        return FALSE;
    dwValue = stored;
    return TRUE;
}

BOOL CKTRegistry::Read(LPCTSTR lpszName, int& nValue)
{
    DWORD stored = 0;
    if (!Read(lpszName, stored))
        return FALSE;
    nValue = static_cast<int>(stored);
    return TRUE;
}

BOOL CKTRegistry::ListSubKeyNames(CStringArray& names)
{
    BOOL found = FALSE;
    for (DWORD index = 0;; ++index)
    {
        wchar_t name[kNameBufferChars];
        DWORD chars = kNameBufferChars;
        m_lastResult = ::RegEnumKeyExW(m_hKey, index, name, &chars, nullptr, nullptr, nullptr, nullptr);
        if (m_lastResult != ERROR_SUCCESS)
            break;
        names.Add(CString(name, static_cast<int>(chars)));
        found = TRUE;
    }
    return found;
}

CKTRegistryFactory::~CKTRegistryFactory()
{
    delete m_pRegistry;
}

CKTRegistry& CKTRegistryFactory::Create(BOOL bAdmin, BOOL bReadOnly)
{
    if (m_pRegistry != nullptr)
        return *m_pRegistry;
    if (s_pRegistryClass != nullptr)
    {
        CObject* pObject = s_pRegistryClass->CreateObject();
        m_pRegistry = dynamic_cast<CKTRegistry*>(pObject);
        if (m_pRegistry == nullptr)
            delete pObject;
    }
    if (m_pRegistry == nullptr)
        m_pRegistry = new CKTRegistry;
    m_pRegistry->m_bReadOnly = bReadOnly;
    m_pRegistry->m_bAdmin = bAdmin;
    m_pRegistry->m_hKey = m_pRegistry->Root();
    m_pRegistry->m_dwUserData = m_dwUserData;
    return *m_pRegistry;
}

BOOL CKTRegistryFactory::SetRegistryClass(CRuntimeClass* pClass)
{
    if (pClass != nullptr && !pClass->IsDerivedFrom(RUNTIME_CLASS(CKTRegistry)))
        return FALSE;
    s_pRegistryClass = pClass;
    return TRUE;
}
