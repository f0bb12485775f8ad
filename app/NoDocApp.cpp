#include "app/NoDocApp.h"

#include <cstdlib>
#include <ctime>

#include "app/AppStrings.h"
#include "app/CommandLine.h"
#include "app/FileDialogs.h"
#include "app/FileTypes.h"
#include "app/HtmlHelpSeam.h"
#include "app/NoDocMainFrame.h"
#include "table/ui/NoDocFileLoader.h"
#include "uitoolkit/bars/KTFrameImpl.h"
#include "uitoolkit/looks/KTUIGlobals.h"

namespace
{

constexpr UINT RecentFileCount = 8;
// "Open Kest File"
constexpr UINT OpenTitleId = 2100;
constexpr const wchar_t* UIVersionEntry = L"UIVersion";
// "The file %s is not a valid Kest file"
constexpr UINT NotAWorkFileId = 2101;

// The help file is a compiled HTML help file beside the program.
std::wstring CompiledHelpPath(const std::wstring& path)
{
    const size_t dot = path.find_last_of(L'.');
    const size_t slash = path.find_last_of(L"\\/");
    if (dot == std::wstring::npos || (slash != std::wstring::npos && slash > dot))
        return path;
    if (::CompareStringOrdinal(path.c_str() + dot, -1, L".HLP", -1, TRUE) != CSTR_EQUAL)
        return path;
    return path.substr(0, dot) + L".chm";
}

bool IsTabled(DWORD id, const DWORD* ids)
{
    for (const DWORD* pair = ids; pair[0] != 0; pair += 2)
        if (pair[0] == id)
            return true;
    return false;
}

// The visible control at the point whose id the table names (pairs ended by a zero id), below
// parent; the smallest one where several overlap (a group box around its controls).
void FindTabledControl(HWND parent, POINT point, const DWORD* ids, HWND& found, LONGLONG& foundArea)
{
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    {
        RECT rect;
        if (!::IsWindowVisible(child) || !::GetWindowRect(child, &rect) || !::PtInRect(&rect, point))
            continue;
        const LONGLONG area = static_cast<LONGLONG>(rect.right - rect.left) * (rect.bottom - rect.top);
        if (IsTabled(static_cast<DWORD>(::GetDlgCtrlID(child)), ids) && (!found || area < foundArea))
        {
            found = child;
            foundArea = area;
        }
        FindTabledControl(child, point, ids, found, foundArea);
    }
}

DWORD HelpIdOf(HWND control, const DWORD* ids)
{
    const DWORD id = static_cast<DWORD>(::GetDlgCtrlID(control));
    for (const DWORD* pair = ids; pair[0] != 0; pair += 2)
        if (pair[0] == id)
            return pair[1];
    return 0;
}

} // namespace

BEGIN_MESSAGE_MAP(CNoDocApp, CWinApp)
ON_COMMAND(CNoDocApp::FileOpenCommand, &CNoDocApp::OnFileOpen)
ON_COMMAND_RANGE(CNoDocApp::FirstRecentFileCommand, CNoDocApp::LastRecentFileCommand, &CNoDocApp::OnOpenRecentFile)
END_MESSAGE_MAP()

std::vector<std::wstring> CNoDocApp::AskFilesToOpen()
{
    std::wstring extension, description;
    GetDocumentType(extension, description);
    const std::wstring filter = description + L" (*." + extension + L")|*." + extension + L"|All Files (*.*)|*.*||";
    const std::wstring title = LoadAppString(OpenTitleId);
    CKTFastFileOpenDialog dialog(title.c_str(), FALSE, nullptr, nullptr,
                                 OFN_ALLOWMULTISELECT | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY |
                                     OFN_ENABLESIZING,
                                 filter.c_str(), m_pMainWnd);
    std::vector<wchar_t> names(32768, L'\0');
    dialog.m_ofn.lpstrFile = names.data();
    dialog.m_ofn.nMaxFile = static_cast<DWORD>(names.size());
    std::vector<std::wstring> files;
    if (dialog.DoModal() != IDOK)
        return files;
    return ChosenFiles(dialog);
}

std::vector<std::wstring> CNoDocApp::ChosenFiles(const CKTFileDialog& dialog)
{
    std::vector<std::wstring> files;
    // The page that ended the dialog says where the answer is: a recent entry, or the names
    // picked in the system's file list.
    if (dialog.GetPage() == CKTFileDialog::PAGE_RECENT)
    {
        const std::wstring recent = static_cast<LPCWSTR>(dialog.GetRecentFilePath());
        if (!recent.empty())
            files.push_back(recent);
        return files;
    }
    if (dialog.GetPage() != CKTFileDialog::PAGE_EXISTING)
        return files;
    for (POSITION position = dialog.GetStartPosition(); position;)
        files.push_back(static_cast<LPCWSTR>(dialog.GetNextPathName(position)));
    return files;
}

int CNoDocApp::ShowMessage(HWND owner, const std::wstring& text, UINT type)
{
    return ::MessageBoxW(owner, text.c_str(), m_pszAppName ? m_pszAppName : L"", type);
}

bool CNoDocApp::OpenDocument(const std::wstring& path, bool addToRecent)
{
    CWaitCursor wait;
    m_openRefused = false;
    CNoDocMainFrame* main = dynamic_cast<CNoDocMainFrame*>(m_pMainWnd);
    if (!main || !main->m_hWndMDIClient)
        return false;
    if (CMDIChildWnd* shown = main->FindChildFrame(path))
    {
        ::SendMessageW(main->m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(shown->m_hWnd), 0);
        return true;
    }
    CString format;
    if (!format.LoadString(NotAWorkFileId))
        format = L"The file %s is not a valid file";
    CString refusal;
    refusal.Format(format, path.c_str());
    bool showError = true;
    if (!IsWorkFile(path, showError))
    {
        if (showError)
        {
            ShowMessage(main->m_hWnd, static_cast<LPCWSTR>(refusal), MB_OK | MB_ICONERROR);
            m_openRefused = true;
        }
        return false;
    }
    CDocTemplate* docTemplate = GetDocTemplate();
    // A frame that fails to load has deleted itself.
    CFrameWnd* frame = docTemplate ? docTemplate->CreateNewFrame(nullptr, nullptr) : nullptr;
    if (!frame)
        return false;
    const HWND window = frame->m_hWnd;
    frame->SetTitle(path.c_str());
    docTemplate->InitialUpdateFrame(frame, nullptr, TRUE);
    NoDocFileLoader* view =
        dynamic_cast<NoDocFileLoader*>(CWnd::FromHandlePermanent(::GetDlgItem(window, AFX_IDW_PANE_FIRST)));
    if (!view)
    {
        frame->DestroyWindow();
        return false;
    }
    if (!view->LoadFile(path, 0))
    {
        ::SendMessageW(window, WM_CLOSE, 0, 0);
        // A frame that kept itself open on its close would show nothing.
        if (::IsWindow(window))
            ::DestroyWindow(window);
        ShowMessage(main->m_hWnd, static_cast<LPCWSTR>(refusal), MB_OK | MB_ICONERROR);
        m_openRefused = true;
        return false;
    }
    if (addToRecent)
        AddToRecentFileList(path.c_str());
    return true;
}

void CNoDocApp::OnFileOpen()
{
    if (!IsUIEnabled())
        return;
    for (const std::wstring& file : AskFilesToOpen())
        OpenDocument(file, true);
}

void CNoDocApp::OnOpenRecentFile(UINT id)
{
    if (!IsUIEnabled() || !m_pRecentFileList)
        return;
    const int index = static_cast<int>(id - FirstRecentFileCommand);
    if (index >= m_pRecentFileList->GetSize())
        return;
    const std::wstring path = static_cast<LPCWSTR>((*m_pRecentFileList)[index]);
    if (path.empty())
        return;
    if (!OpenDocument(path, true))
        m_pRecentFileList->Remove(index);
}

bool CNoDocApp::RegisterFileType()
{
    std::wstring extension, description, command;
    GetDocumentType(extension, description);
    if (!GetShellOpenCommand(command))
        return false;
    return ::RegisterFileType(extension, GetModulePath(), command);
}

bool CNoDocApp::GetShellOpenCommand(std::wstring& command) const
{
    return ::GetShellOpenCommand(GetModulePath(), false, command);
}

CDocTemplate* CNoDocApp::GetDocTemplate() const
{
    POSITION position = GetFirstDocTemplatePosition();
    return position ? GetNextDocTemplate(position) : nullptr;
}

std::vector<std::wstring> CNoDocApp::GetStartupArguments() const
{
    return GetProgramArguments();
}

void CNoDocApp::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    if (CNoDocMainFrame* frame = dynamic_cast<CNoDocMainFrame*>(m_pMainWnd))
        frame->WinHelp(dwData, nCmd);
    else
        CWinApp::WinHelp(dwData, nCmd);
}

void CNoDocApp::OnContextHelp(CWnd* pWnd, const DWORD* dwHelpIDArray)
{
    if (!dwHelpIDArray)
        return;
    const DWORD position = ::GetMessagePos();
    const POINT point = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    HWND root = pWnd && pWnd->GetSafeHwnd() ? ::GetAncestor(pWnd->GetSafeHwnd(), GA_ROOT) : nullptr;
    if (!root)
        root = ::GetAncestor(::WindowFromPoint(point), GA_ROOT);
    HWND control = nullptr;
    LONGLONG area = 0;
    if (root)
        FindTabledControl(root, point, dwHelpIDArray, control, area);
    if (!control)
        return;
    HMENU menu = ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(WhatsThisMenu));
    if (!menu)
        return;
    const UINT chosen = static_cast<UINT>(
        ::TrackPopupMenu(::GetSubMenu(menu, 0), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, point.x,
                         point.y, 0, root, nullptr));
    ::DestroyMenu(menu);
    if (chosen != WhatsThisCommand || !::IsWindow(control))
        return;
    DWORD pairs[4] = {static_cast<DWORD>(::GetDlgCtrlID(control)), HelpIdOf(control, dwHelpIDArray), 0, 0};
    HtmlHelpSeam::Show(control, HtmlHelpSeam::ApplicationHelpFile() + HelpPopupTextFile, HelpContextPopup,
                       reinterpret_cast<DWORD_PTR>(pairs));
}

BOOL CNoDocApp::LoadState(LPCTSTR sectionName, CKTFrameSupport* frame)
{
    if (sectionName)
        SetRegistryBase(sectionName);
    // The workspace's section is the profile's section of that name.
    const CString section = GetRegistryBase();
    const int stored = static_cast<int>(GetProfileInt(section, UIVersionEntry, 0));
    if (stored != GetUIVersion())
    {
        // Toolbars and menus saved by another version of the user interface would not fit this one;
        // the program's own settings in the same section stay.
        std::vector<std::pair<std::wstring, UINT>> kept;
        for (const std::wstring& name : GetProgramSettingNames())
        {
            const UINT absent = 0x80000000u;
            const UINT value = GetProfileInt(section, name.c_str(), static_cast<int>(absent));
            if (value != absent)
                kept.emplace_back(name, value);
        }
        CleanState();
        for (const auto& [name, value] : kept)
            WriteProfileInt(section, name.c_str(), static_cast<int>(value));
        WriteProfileInt(section, UIVersionEntry, GetUIVersion());
    }
    return CKTWorkspace::LoadState(nullptr, frame);
}

BOOL CNoDocApp::InitInstance()
{
    if (m_pszHelpFilePath)
        ReplaceName(m_pszHelpFilePath, CompiledHelpPath(m_pszHelpFilePath).c_str());
    // Present on every system this program runs on; looked up as the multi-monitor code expects.
    if (HMODULE user = ::GetModuleHandleW(L"USER32"))
        (void)::GetProcAddress(user, "GetMonitorInfoA");
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    m_setupNumber = ReadSetupNumber();
    if (!CanStart())
        return FALSE;
    Enable3dControlsStatic();
    if (!ProcessCommandLine())
        return FALSE;

    SetRegistryKey(GetRegistryCompany().c_str());
    SetRegistryBase(GetSettingsSection().c_str());
    InitKeyboardManager();
    LoadStdProfileSettings(RecentFileCount);
    LoadSettings();
    m_settingsLoaded = true;
    if (m_resultOverride != 0)
        return FALSE;

    CFrameWnd* frame = CreateMainFrame();
    if (!frame)
        return FALSE;
    m_pMainWnd = frame;
    if (!frame->LoadFrame(GetMainResourceId(), WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE))
    {
        // The failed load has deleted the frame.
        m_pMainWnd = nullptr;
        return FALSE;
    }
    // A toolkit frame loads the saved interface state itself while it is loaded.
    if (!KTGetFrameSupport(frame))
        LoadState();
    const bool shown = IsMainWindowShown();
    if (!shown)
        m_nCmdShow = SW_HIDE;
    frame->ShowWindow(m_nCmdShow);
    if (shown)
    {
        frame->UpdateWindow();
        frame->DragAcceptFiles(TRUE);
        OnMainWindowShown();
    }
    return TRUE;
}

int CNoDocApp::ExitInstance()
{
    CleanUpUILibrary();
    // A copy that ended before it read its profile saves no recent files over the user's.
    const int result = m_settingsLoaded ? CWinApp::ExitInstance() : 0;
    return m_resultOverride != 0 ? m_resultOverride : result;
}
