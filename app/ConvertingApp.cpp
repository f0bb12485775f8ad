#include "app/ConvertingApp.h"

#include "app/AppRes.h"
#include "app/AppStrings.h"
#include "app/FileTypes.h"
#include "app/MainFrame.h"
#include "app/PageDialogs.h"
#include "app/PageListParser.h"
#include "uitoolkit/customize/KTContextMenuManager.h"

namespace
{

constexpr const wchar_t* ProgramName = L"Kest";
constexpr const wchar_t* LoadLayoutTitle = L"Load Layout File";
constexpr const wchar_t* LayoutFilter = L"Layout Files (*.layout)|*.layout|All Files (*.*)|*.*||";
constexpr int RecentLayoutCount = 8;
constexpr int GoToPageLength = 20;
constexpr const wchar_t* SettingsSection = L"Settings";
// "Convert the selected table to the currently selected format", posted to every frame by "-run".
constexpr UINT ConvertCommand = 34120;
constexpr const wchar_t* OleFailedText = L"Kest could not initialize OLE, which it needs to run.\nPlease restart "
                                         L"Windows and try again.";

} // namespace

CConvertingApp::CConvertingApp() : m_recentLayouts(0, L"Layout File List", L"File%d", RecentLayoutCount)
{
    SetLayoutShell(this);
}

CConvertingApp::~CConvertingApp()
{
    if (GetLayoutShell() == this)
        SetLayoutShell(nullptr);
    if (m_richEdit)
        ::FreeLibrary(m_richEdit);
    if (m_contextMenu)
        ::DestroyMenu(m_contextMenu);
}

bool CConvertingApp::IsTextSelectionModeOfApp()
{
    const CConvertingApp* app = dynamic_cast<CConvertingApp*>(AfxGetApp());
    return app && app->IsTextSelectionMode();
}

void CConvertingApp::SetSelectionMode(int32_t mode)
{
    m_selectionMode = mode;
    UpdateSelectionModeButton();
    RefreshMainFrame();
}

bool CConvertingApp::GetRangeOption(PageRangeList& pages) const
{
    const std::wstring& value = m_rangeOption;
    if (value.empty() || value == L"all" || value == L"current" || value == L"ask")
        return false;
    return ParsePageList(value, pages);
}

bool CConvertingApp::GetOutputOption(std::wstring& output) const
{
    output = m_outputOption;
    return !output.empty();
}

CConvertingMainFrame* CConvertingApp::MainFrame() const
{
    return dynamic_cast<CConvertingMainFrame*>(m_pMainWnd);
}

HWND CConvertingApp::GetMainWindow() const
{
    return m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
}

void CConvertingApp::SetColumnModeButton(int32_t kind)
{
    if (CConvertingMainFrame* frame = MainFrame())
        frame->SetColumnModeButton(frame, kind);
}

void CConvertingApp::UpdateSelectionModeButton()
{
    if (CConvertingMainFrame* frame = MainFrame())
        frame->UpdateSelectionModeButton();
}

void CConvertingApp::ShowZoom(HWND view, int32_t zoom)
{
    if (CConvertingMainFrame* frame = MainFrame())
        frame->ShowZoom(view, zoom);
}

bool CConvertingApp::GetZoomBoxText(std::wstring& text) const
{
    return CConvertingMainFrame::GetZoomBoxText(text);
}

void CConvertingApp::UpdateConvertButton()
{
    if (CConvertingMainFrame* frame = MainFrame())
        frame->UpdateConvertButton(frame);
}

void CConvertingApp::RefreshMainFrame()
{
    if (CConvertingMainFrame* frame = MainFrame())
        frame->RefreshAfterLayoutChange(true);
}

bool CConvertingApp::GetFindDialogRect(RECT& rect) const
{
    CConvertingMainFrame* frame = MainFrame();
    return frame && frame->GetFindDialogRect(rect);
}

void CConvertingApp::MoveFindDialogAway()
{
    if (CConvertingMainFrame* frame = MainFrame())
        frame->MoveFindDialogAway();
}

OxTextFindInterface* CConvertingApp::GetTextFind()
{
    return MainFrame();
}

int CConvertingApp::ShowMessage(HWND owner, const std::wstring& text, UINT type)
{
    // An unattended run must never wait for a hand on the keyboard: it takes the default button.
    if (m_noUI)
        return DefaultAnswer(type);
    return ::MessageBoxW(owner, text.c_str(), ProgramName, type);
}

int CConvertingApp::DefaultAnswer(UINT type)
{
    static const int answers[][3] = {
        {IDOK, IDOK, IDOK},      {IDOK, IDCANCEL, IDCANCEL}, {IDABORT, IDRETRY, IDIGNORE},
        {IDYES, IDNO, IDCANCEL}, {IDYES, IDNO, IDNO},        {IDRETRY, IDCANCEL, IDCANCEL},
    };
    const UINT buttons = type & MB_TYPEMASK;
    const UINT defaultButton = (type & MB_DEFMASK) >> 8;
    if (buttons >= sizeof(answers) / sizeof(answers[0]) || defaultButton > 2)
        return IDOK;
    return answers[buttons][defaultButton];
}

bool CConvertingApp::AskConversionPages(HWND owner, int32_t mode, int32_t pageCount, int32_t currentPage,
                                        ConversionPagesAnswer& answer)
{
    CConversionPagesDlg dialog(CWnd::FromHandle(owner));
    dialog.Init(mode, pageCount, currentPage);
    if (dialog.DoModal() != IDOK)
        return false;
    answer.m_convertPages = dialog.GetConvertPages();
    answer.m_dontAskAgain = dialog.m_dontAskAgain;
    answer.m_pages = dialog.m_pages;
    return true;
}

bool CConvertingApp::AskPageRange(HWND, int32_t pageCount, PageRangeList& pages)
{
    CPageRangeDlg dialog;
    dialog.m_pageCount = pageCount;
    dialog.m_pages = pages;
    if (dialog.DoModal() != IDOK)
        return false;
    pages = dialog.m_pages;
    return true;
}

bool CConvertingApp::AskPageNumber(HWND owner, const std::wstring& title, std::wstring& text)
{
    CStringDlg dialog(CWnd::FromHandle(owner));
    dialog.m_caption = title;
    dialog.m_label = L"&Page number:";
    dialog.m_numbersOnly = true;
    dialog.m_maxLength = GoToPageLength;
    if (dialog.DoModal() != IDOK)
        return false;
    text = dialog.m_text;
    return true;
}

bool CConvertingApp::AskOpenLayout(HWND owner, std::wstring& path)
{
    // The open dialog of File Open, its recent page listing the recent layouts.
    m_recentLayouts.ReadList();
    CKTFastFileOpenDialog dialog(LoadLayoutTitle, FALSE, L"layout", nullptr,
                                 OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_ENABLESIZING,
                                 LayoutFilter, CWnd::FromHandle(owner));
    dialog.SetRecentList(&m_recentLayouts);
    if (dialog.DoModal() != IDOK)
        return false;
    const std::vector<std::wstring> chosen = ChosenFiles(dialog);
    if (chosen.empty())
        return false;
    path = chosen.front();
    return !path.empty();
}

bool CConvertingApp::AskSaveFile(HWND owner, const std::wstring& filter, const std::wstring& defaultExtension,
                                 const std::wstring& proposedName, std::wstring& path)
{
    m_recentLayouts.ReadList();
    CFileDialogEx dialog(FALSE, defaultExtension.c_str(), proposedName.c_str(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         filter.c_str(), CWnd::FromHandle(owner));
    if (dialog.DoModal() != IDOK)
        return false;
    path = static_cast<LPCWSTR>(dialog.GetPathName());
    return !path.empty();
}

void CConvertingApp::AddRecentLayout(const std::wstring& path)
{
    m_recentLayouts.ReadList();
    m_recentLayouts.Add(path.c_str());
    m_recentLayouts.WriteList();
}

void CConvertingApp::ShowContextMenu(HWND owner, UINT menuId, int submenu, POINT screenPoint)
{
    CKTContextMenuManager* manager = GetContextMenuManager();
    if (!manager)
        return;
    HMENU menu = ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(menuId));
    HMENU popup = menu ? ::GetSubMenu(menu, submenu) : nullptr;
    if (!popup)
    {
        if (menu)
            ::DestroyMenu(menu);
        return;
    }
    // The owner gets the chosen command itself: the page view, or the view the preview serves.
    manager->ShowPopupMenu(popup, screenPoint.x, screenPoint.y, CWnd::FromHandle(owner), TRUE);
    // The popup borrows the handle; the one before it has closed by now.
    if (m_contextMenu)
        ::DestroyMenu(m_contextMenu);
    m_contextMenu = menu;
}

ConvertingOptions& CConvertingApp::Options()
{
    if (!m_options)
        m_options = CreateOptions();
    return *m_options;
}

std::unique_ptr<ConvertingOptions> CConvertingApp::CreateOptions()
{
    return std::make_unique<ConvertingOptions>();
}

bool CConvertingApp::ParseCommandLine(const std::vector<std::wstring>& arguments)
{
    return m_commandLine.Parse(arguments,
                               [this](const std::wstring& argument) { return OnNonOptionArgument(argument); });
}

bool CConvertingApp::ProcessCommandLine(const std::vector<std::wstring>& arguments)
{
    m_nonOptionArgument.clear();
    if (!ParseCommandLine(arguments))
    {
        m_startupResult = CommandLineRejected;
        return false;
    }
    m_startupResult = ValidateCommandLine();
    m_displayFlags = m_commandLine.m_displayFlags;
    m_runFlags = m_commandLine.m_runFlags;
    m_noUI = m_commandLine.IsNoUI();
    m_rangeOption = m_commandLine.Value(L"range");
    m_outputOption = m_commandLine.Value(L"output");
    return m_startupResult == CommandLineAccepted;
}

void CConvertingApp::ApplyCommandLineOptions()
{
    static const wchar_t* const formats[] = {L"excel", L"excelfile", L"clipboard", L"excelclipboard", L"wordclipboard"};
    ConvertingOptions& options = Options();
    if (m_commandLine.Has(L"format"))
    {
        const std::wstring format = m_commandLine.Value(L"format");
        for (int32_t i = 0; i < ConversionTargetCount; ++i)
            if (format == formats[i])
                options.m_target = static_cast<ConversionTarget>(i);
    }
    if (m_commandLine.Has(L"range"))
    {
        const std::wstring range = m_commandLine.Value(L"range");
        if (range == L"all")
            options.m_convertPages = 1;
        else if (range == L"current")
            options.m_convertPages = 0;
        else if (range != L"ask")
            options.m_convertPages = 2;
        else if (IsNoUI())
            m_startupResult = RangeAskWithoutUI;
        else
            options.m_convertPages = 2;
    }
}

void CConvertingApp::LoadSettings()
{
    Options().Load(*this);
    const int32_t mode = static_cast<int32_t>(GetProfileInt(SettingsSection, L"SelectionMode", 0));
    if (mode == 2)
    {
        m_selectionMode = 0;
        m_advancedMode = true;
    }
    else
    {
        m_selectionMode = mode == 1 ? 1 : 0;
        m_advancedMode = GetProfileInt(SettingsSection, L"AdvancedMode", 0) == 1;
    }
    ApplyCommandLineOptions();
    m_settingsLoaded = true;
}

void CConvertingApp::SaveSettings()
{
    if (!m_settingsLoaded)
        return;
    Options().Save(*this);
    WriteProfileInt(SettingsSection, L"SelectionMode", m_selectionMode);
    WriteProfileInt(SettingsSection, L"AdvancedMode", m_advancedMode ? 1 : 0);
}

int CConvertingApp::ExitInstance()
{
    SaveSettings();
    return CNoDocApp::ExitInstance();
}

int CConvertingApp::DoMessageBox(LPCTSTR prompt, UINT type, UINT promptId)
{
    if (IsNoUI())
        return IDCANCEL;
    return CNoDocApp::DoMessageBox(prompt, type, promptId);
}

bool CConvertingApp::GetShellOpenCommand(std::wstring& command) const
{
    return ::GetShellOpenCommand(GetModulePath(), true, command);
}

BOOL CConvertingApp::InitInstance()
{
    Options();
    if (!AfxOleInit())
    {
        ShowMessage(nullptr, OleFailedText, MB_OK | MB_ICONERROR);
        return FALSE;
    }
    if (!CNoDocApp::InitInstance())
        return FALSE;
    if (!IsNoUI())
    {
        m_richEdit = ::LoadLibraryW(L"RICHED20.DLL");
        if (!m_richEdit)
        {
            ShowMessage(nullptr, LoadAppString(IDS_RICHEDIT_FAILED), MB_OK | MB_ICONERROR);
            return FALSE;
        }
    }
    CConvertingMainFrame* frame = MainFrame();
    if (frame && IsMainWindowShown())
    {
        frame->UpdateConvertButton(frame);
        frame->UpdateSelectionModeButton();
    }
    if (frame && !IsNoUI())
        frame->OnUIReady();

    const std::vector<std::wstring>& inputs = m_commandLine.m_inputs;
    bool opened = false;
    if (!inputs.empty())
    {
        if (IsNoUI() && inputs.size() >= 2)
        {
            m_startupResult = TooManyInputsWithoutUI;
            return FALSE;
        }
        for (const std::wstring& input : inputs)
            opened = OpenDocument(input, true) || opened;
    }
    if (IsNoUI() && !opened)
    {
        m_startupResult = NothingOpenedWithoutUI;
        return FALSE;
    }
    if ((m_runFlags & CommandLine::RunConvert) != 0)
    {
        if (m_selectionMode == 1)
            SetSelectionMode(0);
        if (frame)
            frame->PostToChildFrames(ConvertCommand);
    }
    return TRUE;
}
