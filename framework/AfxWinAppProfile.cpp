// The window-free half of CWinApp: names, the profile (registry or private profile file)
// and the standard recent-file list.
#include "framework/AfxWinApp.h"

#include "framework/AfxRecentFileList.h"

#include <cstdlib>
#include <vector>

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

namespace {

CWinApp* g_app = nullptr;

// Closes a registry key when it goes out of scope.
class RegKey
{
public:
    explicit RegKey(HKEY key = nullptr) : m_key(key) {}
    ~RegKey()
    {
        if (m_key != nullptr)
            RegCloseKey(m_key);
    }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    HKEY get() const { return m_key; }
    HKEY* out() { return &m_key; }
    HKEY release()
    {
        HKEY key = m_key;
        m_key = nullptr;
        return key;
    }

private:
    HKEY m_key;
};

HKEY CreateSubKey(HKEY parent, LPCTSTR name)
{
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExW(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr, &key,
                        &disposition) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

// Reads a value of the given type whole; FALSE when it is missing, of another type, or keeps changing.
bool QueryValue(HKEY key, LPCTSTR name, DWORD wantedType, std::vector<BYTE>& data)
{
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != wantedType)
            return false;
        data.resize(size);
        LONG result = RegQueryValueExW(key, name, nullptr, &type, size > 0 ? data.data() : nullptr, &size);
        if (result == ERROR_MORE_DATA)
            continue;  // the value grew in between: ask again
        if (result != ERROR_SUCCESS || type != wantedType)
            return false;
        data.resize(size);
        return true;
    }
    return false;
}

// The private profile file stores binary values as two letters 'A'..'P' per byte, low nibble first.
CString EncodeBinary(const BYTE* data, UINT bytes)
{
    CString text;
    for (UINT i = 0; i < bytes; ++i) {
        text += static_cast<wchar_t>(L'A' + (data[i] & 0x0F));
        text += static_cast<wchar_t>(L'A' + ((data[i] >> 4) & 0x0F));
    }
    return text;
}

bool DecodeBinary(const CString& text, std::vector<BYTE>& data)
{
    if (text.GetLength() % 2 != 0)
        return false;
    data.clear();
    for (int i = 0; i < text.GetLength(); i += 2) {
        wchar_t low = text[i], high = text[i + 1];
        if (low < L'A' || low > L'P' || high < L'A' || high > L'P')
            return false;
        data.push_back(static_cast<BYTE>(((high - L'A') << 4) | (low - L'A')));
    }
    return true;
}

} // namespace

CWinApp* AFXAPI AfxGetApp()
{
    return g_app;
}

LPCTSTR AFXAPI AfxGetAppName()
{
    return g_app != nullptr ? g_app->m_pszAppName : _T("");
}

CWinApp::CWinApp(LPCTSTR lpszAppName)
{
    g_app = this;
    if (lpszAppName != nullptr)
        ReplaceName(m_pszAppName, lpszAppName);
    SetCurrentHandles();
}

CWinApp::~CWinApp()
{
    delete m_pRecentFileList;
    for (LPCTSTR* name : {&m_pszAppName, &m_pszExeName, &m_pszHelpFilePath, &m_pszRegistryKey, &m_pszProfileName})
        ReplaceName(*name, nullptr);
    if (g_app == this)
        g_app = nullptr;
}

void CWinApp::ReplaceName(LPCTSTR& member, LPCTSTR value)
{
    std::free(const_cast<LPTSTR>(member));
    member = value != nullptr ? _tcsdup(value) : nullptr;
}

void CWinApp::SetCurrentHandles()
{
    m_hInstance = AfxGetInstanceHandle();

    std::vector<wchar_t> module(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameW(m_hInstance, module.data(), static_cast<DWORD>(module.size()));
        if (length == 0) {
            module[0] = 0;
            break;
        }
        if (length < module.size())
            break;
        module.resize(module.size() * 2);
    }
    CString path(module.data());
    CString withoutExtension = path;
    int slash = path.ReverseFind(L'\\');
    int dot = path.ReverseFind(L'.');
    if (dot > slash)
        withoutExtension = path.Left(dot);
    CString exeName = withoutExtension.Mid(slash + 1);

    if (m_pszExeName == nullptr)
        ReplaceName(m_pszExeName, exeName);
    if (m_pszAppName == nullptr) {
        // The application title of the string table, else the executable's name.
        CString title;
        const UINT idsAppTitle = 0xE000;
        ReplaceName(m_pszAppName, title.LoadString(idsAppTitle) ? title : exeName);
    }
    if (m_pszHelpFilePath == nullptr)
        ReplaceName(m_pszHelpFilePath, withoutExtension + _T(".HLP"));
    if (m_pszProfileName == nullptr)
        ReplaceName(m_pszProfileName, withoutExtension + _T(".INI"));
}

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    ReplaceName(m_pszRegistryKey, lpszRegistryKey);
    ReplaceName(m_pszProfileName, m_pszAppName);
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString key;
    key.LoadString(nIDRegistryKey);
    SetRegistryKey(key);
}

HKEY CWinApp::GetAppRegistryKey()
{
    if (m_pszRegistryKey == nullptr || m_pszProfileName == nullptr)
        return nullptr;
    RegKey software;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, _T("Software"), 0, KEY_READ | KEY_WRITE, software.out()) != ERROR_SUCCESS)
        return nullptr;
    RegKey company(CreateSubKey(software.get(), m_pszRegistryKey));
    if (company.get() == nullptr)
        return nullptr;
    return CreateSubKey(company.get(), m_pszProfileName);
}

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection)
{
    if (lpszSection == nullptr)
        return nullptr;
    RegKey app(GetAppRegistryKey());
    if (app.get() == nullptr)
        return nullptr;
    return CreateSubKey(app.get(), lpszSection);
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    if (m_pszRegistryKey == nullptr)
        return GetPrivateProfileIntW(lpszSection, lpszEntry, nDefault, m_pszProfileName);
    RegKey section(GetSectionKey(lpszSection));
    std::vector<BYTE> data;
    if (section.get() == nullptr || !QueryValue(section.get(), lpszEntry, REG_DWORD, data) ||
        data.size() != sizeof(DWORD))
        return static_cast<UINT>(nDefault);
    DWORD value;
    memcpy(&value, data.data(), sizeof(value));
    return value;
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    if (m_pszRegistryKey == nullptr) {
        CString text;
        text.Format(_T("%d"), nValue);
        return WritePrivateProfileStringW(lpszSection, lpszEntry, text, m_pszProfileName);
    }
    RegKey section(GetSectionKey(lpszSection));
    if (section.get() == nullptr)
        return FALSE;
    DWORD value = static_cast<DWORD>(nValue);
    return RegSetValueExW(section.get(), lpszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                          sizeof(value)) == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    if (m_pszRegistryKey == nullptr) {
        std::vector<wchar_t> buffer(4096);
        for (;;) {
            DWORD length = GetPrivateProfileStringW(lpszSection, lpszEntry, lpszDefault != nullptr ? lpszDefault : L"",
                                                    buffer.data(), static_cast<DWORD>(buffer.size()),
                                                    m_pszProfileName);
            if (length < buffer.size() - 2 || buffer.size() >= 1 << 20)
                return CString(buffer.data(), static_cast<int>(std::min<size_t>(length, buffer.size() - 1)));
            buffer.resize(buffer.size() * 4);
        }
    }
    RegKey section(GetSectionKey(lpszSection));
    std::vector<BYTE> data;
    if (section.get() == nullptr || !QueryValue(section.get(), lpszEntry, REG_SZ, data))
        return CString(lpszDefault);
    // The stored text need not be terminated; it ends at its first zero or at the end of the data.
    const wchar_t* text = reinterpret_cast<const wchar_t*>(data.data());
    size_t count = data.size() / sizeof(wchar_t);
    size_t length = 0;
    while (length < count && text[length] != 0)
        ++length;
    return CString(text, static_cast<int>(length));
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    if (m_pszRegistryKey == nullptr)
        return WritePrivateProfileStringW(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
    if (lpszSection == nullptr)
        return FALSE;
    if (lpszEntry == nullptr) {
        RegKey app(GetAppRegistryKey());
        if (app.get() == nullptr)
            return FALSE;
        // A section with subsections goes as a whole.
        LONG result = RegDeleteTreeW(app.get(), lpszSection);
        return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
    }
    RegKey section(GetSectionKey(lpszSection));
    if (section.get() == nullptr)
        return FALSE;
    if (lpszValue == nullptr) {
        LONG result = RegDeleteValueW(section.get(), lpszEntry);
        return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
    }
    DWORD bytes = static_cast<DWORD>((wcslen(lpszValue) + 1) * sizeof(wchar_t));
    return RegSetValueExW(section.get(), lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue), bytes) ==
           ERROR_SUCCESS;
}

BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    if (ppData == nullptr || pBytes == nullptr)
        return FALSE;
    *ppData = nullptr;
    *pBytes = 0;
    std::vector<BYTE> data;
    if (m_pszRegistryKey == nullptr) {
        CString text = GetProfileString(lpszSection, lpszEntry, nullptr);
        if (text.IsEmpty() || !DecodeBinary(text, data))
            return FALSE;
    } else {
        RegKey section(GetSectionKey(lpszSection));
        if (section.get() == nullptr || !QueryValue(section.get(), lpszEntry, REG_BINARY, data))
            return FALSE;
    }
    *ppData = new BYTE[data.size() > 0 ? data.size() : 1];
    if (!data.empty())
        memcpy(*ppData, data.data(), data.size());
    *pBytes = static_cast<UINT>(data.size());
    return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    if (pData == nullptr && nBytes != 0)
        return FALSE;
    if (m_pszRegistryKey == nullptr)
        return WriteProfileString(lpszSection, lpszEntry, EncodeBinary(pData, nBytes));
    RegKey section(GetSectionKey(lpszSection));
    if (section.get() == nullptr)
        return FALSE;
    return RegSetValueExW(section.get(), lpszEntry, 0, REG_BINARY, pData, nBytes) == ERROR_SUCCESS;
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    if (nMaxMRU == 0)
        return;
    delete m_pRecentFileList;
    m_pRecentFileList = new CRecentFileList(0, _T("Recent File List"), _T("File%d"), static_cast<int>(nMaxMRU));
    m_pRecentFileList->ReadList();
}

void CWinApp::SaveStdProfileSettings()
{
    if (m_pRecentFileList != nullptr)
        m_pRecentFileList->WriteList();
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName)
{
    if (m_pRecentFileList != nullptr)
        m_pRecentFileList->Add(lpszPathName);
}
