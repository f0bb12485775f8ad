#include "framework/AfxRecentFileList.h"

#include "framework/AfxWinApp.h"

#include <vector>

namespace {

// Index of the first character of the file name (after the last separator).
int FileNameStart(const CString& path)
{
    for (int i = path.GetLength() - 1; i >= 0; --i) {
        wchar_t c = path[i];
        if (c == L'\\' || c == L'/' || c == L':')
            return i + 1;
    }
    return 0;
}

CString FullPath(LPCTSTR path)
{
    std::vector<wchar_t> buffer(MAX_PATH);
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD length = GetFullPathNameW(path, static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
        if (length == 0)
            return CString(path);
        if (length < buffer.size())
            return CString(buffer.data(), static_cast<int>(length));
        buffer.resize(length + 1);
    }
    return CString(path);
}

} // namespace

CString AFXAPI AfxAbbreviateName(const CString& path, int cchMax, BOOL bAtLeastName)
{
    const int fullLength = path.GetLength();
    if (cchMax >= fullLength)
        return path;
    const int nameStart = FileNameStart(path);
    const CString fileName = path.Mid(nameStart);
    if (cchMax < fileName.GetLength())
        return bAtLeastName ? fileName : CString();

    // The volume part stays: "C:\first" or "\\server\share". Paths of another shape have
    // no volume to keep and show the name alone.
    int volumeEnd;
    if (fullLength >= 3 && path[1] == L':' && path[2] == L'\\')
        volumeEnd = 2;
    else if (fullLength >= 2 && path[0] == L'\\' && path[1] == L'\\')
        volumeEnd = path.Find(L'\\', 2);
    else
        return fileName;
    if (volumeEnd < 0 || volumeEnd >= nameStart)
        return fileName;
    // Keep one directory (or the share) when there is one besides the file name.
    if (nameStart - 1 > volumeEnd) {
        int next = path.Find(L'\\', volumeEnd + 1);
        if (next < 0 || next >= nameStart)
            return fileName;
        volumeEnd = next;
    }
    if (cchMax < volumeEnd + 5 + fileName.GetLength())
        return fileName;

    // Drop leading directories after the volume until "<volume>\...<tail>" fits; the tail
    // always starts at a backslash, the last candidate being the one before the file name.
    int tail = volumeEnd;
    while (volumeEnd + 4 + (fullLength - tail) > cchMax) {
        int next = path.Find(L'\\', tail + 1);
        if (next < 0 || next >= nameStart)
            return fileName;
        tail = next;
    }
    return path.Left(volumeEnd) + _T("\\...") + path.Mid(tail);
}

CRecentFileList::CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                                 int nMaxDispLen)
    : m_strSectionName(lpszSection), m_strEntryFormat(lpszEntryFormat), m_nStart(nStart),
      m_nSize(nSize > 0 ? nSize : 0), m_nMaxDisplayLength(nMaxDispLen),
      m_names(static_cast<size_t>(m_nSize))
{
    m_arrNames = m_names.empty() ? nullptr : m_names.data();
}

CString& CRecentFileList::operator[](int nIndex)
{
    if (nIndex < 0 || nIndex >= m_nSize) {
        m_outOfRange.Empty();
        return m_outOfRange;
    }
    return m_arrNames[nIndex];
}

void CRecentFileList::Add(LPCTSTR lpszPathName)
{
    if (lpszPathName == nullptr || *lpszPathName == 0 || m_nSize == 0)
        return;
    CString path = FullPath(lpszPathName);
    // The last entry falls off anyway, so it is not searched.
    int index = 0;
    while (index < m_nSize - 1 && lstrcmpiW(m_arrNames[index], path) != 0)
        ++index;
    for (; index > 0; --index)
        m_arrNames[index] = m_arrNames[index - 1];
    m_arrNames[0] = path;
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_nSize)
        return;
    m_arrNames[nIndex].Empty();
    for (int i = nIndex; i < m_nSize - 1; ++i)
        m_arrNames[i] = m_arrNames[i + 1];
    m_arrNames[m_nSize - 1].Empty();
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                     BOOL bAtLeastName) const
{
    if (nIndex < 0 || nIndex >= m_nSize || m_arrNames[nIndex].IsEmpty())
        return FALSE;
    const CString& path = m_arrNames[nIndex];
    const int nameStart = FileNameStart(path);
    // In the current directory: the name alone.
    if (lpszCurDir != nullptr && nCurDir > 0 && nameStart > 0 && nCurDir == nameStart - 1 &&
        path.Left(nCurDir).CompareNoCase(CString(lpszCurDir, nCurDir)) == 0) {
        strName = path.Mid(nameStart);
        return TRUE;
    }
    if (m_nMaxDisplayLength == -1)
        strName = path.Mid(nameStart);
    else
        strName = AfxAbbreviateName(path, m_nMaxDisplayLength, bAtLeastName);
    return TRUE;
}

void CRecentFileList::ReadList()
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return;
    for (int i = 0; i < m_nSize; ++i) {
        CString entry;
        entry.Format(m_strEntryFormat, i + 1);
        m_arrNames[i] = app->GetProfileString(m_strSectionName, entry, _T(""));
    }
}

void CRecentFileList::WriteList()
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return;
    // The section is written afresh so that removed entries do not come back.
    app->WriteProfileString(m_strSectionName, nullptr, nullptr);
    for (int i = 0; i < m_nSize; ++i) {
        if (m_arrNames[i].IsEmpty())
            continue;
        CString entry;
        entry.Format(m_strEntryFormat, i + 1);
        app->WriteProfileString(m_strSectionName, entry, m_arrNames[i]);
    }
}
