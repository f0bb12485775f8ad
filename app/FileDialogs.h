#pragma once
// The program's file dialogs: the framework's common dialog run with the larger parameter record
// of newer systems (which shows the places bar), and the toolkit's open dialog whose recent
// files are listed without touching them.
#include <string>

#include "framework/Afx.h"
#include "uitoolkit/customize/KTFileDialog.h"

class CFileDialogEx : public CFileDialog
{
public:
    CFileDialogEx(BOOL openFileDialog, LPCTSTR defaultExtension = nullptr, LPCTSTR fileName = nullptr,
                  DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR filter = nullptr,
                  CWnd* parent = nullptr);

    // IDOK, or IDCANCEL for anything else.
    INT_PTR DoModal() override;
    // The dialog opens centred over the main window.
    void OnInitDone() override;

    // The record size the dialog is run with on a system of that version: the larger one from
    // Windows NT 5.0 on, the older one before.
    static DWORD RecordSizeFor(const OSVERSIONINFOW& version);
    static DWORD RecordSizeForThisSystem();
};

// One entry of the recent-file list as the open dialog shows it.
struct RecentFileRow
{
    std::wstring m_name;
    std::wstring m_folder;
};

class CKTFastFileOpenDialog : public CKTFileDialog
{
public:
    CKTFastFileOpenDialog(LPCTSTR title, BOOL newPage = TRUE, LPCTSTR defaultExtension = nullptr,
                          LPCTSTR fileName = nullptr, DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                          LPCTSTR filter = nullptr, CWnd* parent = nullptr);

    // Before DoModal: the recent page lists this list instead of the application's recent files.
    void SetRecentList(CRecentFileList* list) { m_recentList = list; }

    // Split at the last backslash; a path without one is all name, with no folder.
    static RecentFileRow SplitRecentPath(const std::wstring& path);
    // The shell's small icon for a file of that name, asked by its extension alone: the file and
    // its drive are never touched, so entries on unreachable drives cost nothing. Null when none.
    static HICON SmallIconByAttributes(const std::wstring& name);

protected:
    void OnInitDone() override;

private:
    CRecentFileList* m_recentList = nullptr;
};
