#include "app/FileDialogs.h"

#include <shellapi.h>

CFileDialogEx::CFileDialogEx(BOOL openFileDialog, LPCTSTR defaultExtension, LPCTSTR fileName, DWORD flags,
                             LPCTSTR filter, CWnd* parent)
    : CFileDialog(openFileDialog, defaultExtension, fileName, flags, filter, parent)
{
}

DWORD CFileDialogEx::RecordSizeFor(const OSVERSIONINFOW& version)
{
    const bool newer = version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion >= 5;
    return newer ? static_cast<DWORD>(sizeof(OPENFILENAMEW)) : static_cast<DWORD>(OPENFILENAME_SIZE_VERSION_400W);
}

DWORD CFileDialogEx::RecordSizeForThisSystem()
{
    OSVERSIONINFOEXW extended = {};
    extended.dwOSVersionInfoSize = sizeof(extended);
    if (::GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&extended)))
        return RecordSizeFor(*reinterpret_cast<const OSVERSIONINFOW*>(&extended));
    OSVERSIONINFOW plain = {};
    plain.dwOSVersionInfoSize = sizeof(plain);
    if (::GetVersionExW(&plain))
        return RecordSizeFor(plain);
    return OPENFILENAME_SIZE_VERSION_400W;
}

INT_PTR CFileDialogEx::DoModal()
{
    // The framework's record is the full one; only the size it announces changes.
    m_ofn.lStructSize = RecordSizeForThisSystem();
    const INT_PTR result = CFileDialog::DoModal();
    m_ofn.lStructSize = sizeof(OPENFILENAMEW);
    return result == IDOK ? IDOK : IDCANCEL;
}

void CFileDialogEx::OnInitDone()
{
    CFileDialog::OnInitDone();
    // The hook's window is a child of the dialog itself.
    if (CWnd* dialog = CWnd::FromHandle(::GetParent(m_hWnd)))
        dialog->CenterWindow(AfxGetMainWnd());
}

CKTFastFileOpenDialog::CKTFastFileOpenDialog(LPCTSTR title, BOOL newPage, LPCTSTR defaultExtension, LPCTSTR fileName,
                                             DWORD flags, LPCTSTR filter, CWnd* parent)
    : CKTFileDialog(title, newPage, defaultExtension, fileName, flags, filter, parent, FALSE)
{
}

RecentFileRow CKTFastFileOpenDialog::SplitRecentPath(const std::wstring& path)
{
    const size_t slash = path.rfind(L'\\');
    if (slash == std::wstring::npos)
        return {path, std::wstring()};
    return {path.substr(slash + 1), path.substr(0, slash)};
}

HICON CKTFastFileOpenDialog::SmallIconByAttributes(const std::wstring& name)
{
    const std::wstring probe = L"C:\\" + name;
    SHFILEINFOW info = {};
    if (!::SHGetFileInfoW(probe.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                          SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES))
        return nullptr;
    return info.hIcon;
}

void CKTFastFileOpenDialog::OnInitDone()
{
    CKTFileDialog::OnInitDone();
    if (!m_wndRecentList.m_hWnd)
        return;
    CRecentFileList* recent = m_recentList ? m_recentList : AfxGetApp() ? AfxGetApp()->m_pRecentFileList : nullptr;
    if (!recent)
        return;
    CClientDC dc(&m_wndRecentList);
    CFont* font = m_wndRecentList.GetFont();
    HGDIOBJ oldFont = font ? dc.SelectObject(font->GetSafeHandle()) : nullptr;
    for (int i = 0; i < recent->GetSize(); ++i)
    {
        const std::wstring path = static_cast<LPCWSTR>((*recent)[i]);
        if (path.empty())
            continue;
        const RecentFileRow row = SplitRecentPath(path);
        int image = -1;
        if (HICON icon = SmallIconByAttributes(row.m_name))
        {
            image = m_imagesRecent.Add(icon);
            ::DestroyIcon(icon);
        }
        const int item = m_wndRecentList.InsertItem(m_wndRecentList.GetItemCount(), row.m_name.c_str(), image);
        m_wndRecentList.SetItemText(item, 1, row.m_folder.c_str());
        m_wndRecentList.SetItemData(item, static_cast<DWORD_PTR>(m_arrRecentPaths.Add(path.c_str())));
        const int width = dc.GetTextExtent(row.m_folder.c_str()).cx + 20;
        if (width > m_wndRecentList.GetColumnWidth(1))
            m_wndRecentList.SetColumnWidth(1, width);
    }
    if (oldFont)
        dc.SelectObject(oldFont);
}
