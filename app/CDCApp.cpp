#include "app/CDCApp.h"

#include "app/AboutDlg.h"
#include "app/AppStrings.h"
#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "app/PrinterInstaller.h"
#include "app/SettingsPages.h"
#include "app/SplashScreen.h"
#include "pagemodel/JobFolder.h"
#include "pagemodel/PathHelpers.h"
#include "pagemodel/RegistryValues.h"
#include "pagemodel/Unzipper.h"
#include "uitoolkit/widgets/KTPropList.h"

namespace
{

SystemDefaultPrinter g_systemPrinters;

} // namespace

BEGIN_MESSAGE_MAP(CCDCApp, CConvertingApp)
ON_COMMAND(CCDCApp::AccumulateCommand, &CCDCApp::ToggleAccumulate)
ON_UPDATE_COMMAND_UI(CCDCApp::AccumulateCommand, &CCDCApp::OnUpdateAccumulate)
ON_COMMAND(CCDCApp::FeedbackCommand, &CCDCApp::OpenFeedbackLink)
ON_COMMAND(CCDCApp::AboutCommand, &CCDCApp::OnAppAbout)
ON_COMMAND(CCDCApp::SettingsCommand, &CCDCApp::OnSettings)
END_MESSAGE_MAP()

std::unique_ptr<ConvertingOptions> CCDCApp::CreateOptions()
{
    return std::make_unique<CDCOptions>();
}

std::wstring CCDCApp::ReadPrintJobFolder()
{
    bool found = false;
    return ReadRegistryString(kKestSubKey, L"Temp", found);
}

CConvertingMainFrame* CCDCApp::ConvertingMainFrame() const
{
    return dynamic_cast<CConvertingMainFrame*>(m_pMainWnd);
}

bool CCDCApp::SendFileToRunningInstance(const std::wstring& path, bool printed, bool add)
{
    switch (m_sender.Send(path, printed, add))
    {
    case HandoffOutcome::Taken:
    case HandoffOutcome::Refused:
        return true;
    case HandoffOutcome::Unanswered:
        // The running copy holds the record and opens the file when it gets to it; if it never
        // does, the next start finds the job left in the job folder and opens it.
        return true;
    case HandoffOutcome::Failed:
        // The running copy did not take it: this copy keeps the file rather than lose it.
        ShowMessage(nullptr, L"Internal KEST Error number " + std::to_wstring(HandoffErrorNumber),
                    MB_OK | MB_ICONERROR);
        return false;
    case HandoffOutcome::NoRunningCopy:
    case HandoffOutcome::NotSent:
        break;
    }
    return false;
}

void CCDCApp::TellRefusedCommandLine(const std::vector<std::wstring>& arguments)
{
    if (m_startupResult != CommandLineRejected)
        return;
    std::wstring line;
    for (const std::wstring& argument : arguments)
    {
        if (argument == L"/NoUI")
            return;
        line += (line.empty() ? L"" : L" ") + argument;
    }
    std::wstring text;
    if (!m_nonOptionArgument.empty())
        text = L"Kest cannot open \"" + m_nonOptionArgument +
               L"\": its command line names work files as options.\nTo open a work file, start Kest with -input=\"" +
               m_nonOptionArgument + L"\".";
    else
        for (const auto& option : m_commandLine.m_options)
            if (option.first != L"printed" && option.first != L"-add")
            {
                text = L"Kest does not know the command-line option \"-" + option.first + L"\".";
                break;
            }
    if (text.empty())
        text = L"Kest cannot read its command line:\n" + line;
    ShowMessage(nullptr, text, MB_OK | MB_ICONERROR);
}

bool CCDCApp::HandlePrintedStartup(const std::vector<std::wstring>& arguments)
{
    if (!ProcessCommandLine(arguments))
    {
        TellRefusedCommandLine(arguments);
        return false;
    }
    if (m_printJobFolder.empty())
        m_printJobFolder = ReadPrintJobFolder();
    if (m_commandLine.Has(L"printed"))
    {
        const std::wstring value = m_commandLine.Value(L"printed");
        const std::wstring path = m_printJobFolder.empty() ? value : CombinePath(m_printJobFolder, value, true);
        if (!WaitForFile(path, m_printedWaitTimeout))
            return false;
        if (SendFileToRunningInstance(path, true, m_commandLine.Has(L"-add")))
            return false;
        m_printedPath = path;
        m_commandLine.m_inputs.clear();
    }
    std::vector<std::wstring>& inputs = m_commandLine.m_inputs;
    bool offered = false;
    while (!inputs.empty() && SendFileToRunningInstance(inputs.front(), false, false))
    {
        inputs.erase(inputs.begin());
        offered = true;
    }
    if (offered && inputs.empty())
        return false;
    if ((m_runFlags & CommandLine::RunConvert) == 0)
        CreateSplashScreen();
    return true;
}

bool CCDCApp::OpenPrintedJob()
{
    if (m_printedPath.empty())
        return true;
    if (!FileExists(m_printedPath))
        return false;
    return OpenOrAddWorkFile(m_printedPath, true, m_commandLine.Has(L"-add"));
}

bool CCDCApp::IsWorkFile(const std::wstring& path)
{
    CUnzipper archive;
    return archive.Open(path.c_str()) && archive.GotoFile("Pages.dat", true);
}

bool CCDCApp::IsWorkFile(const std::wstring& path, bool&)
{
    if (IsWorkFile(path))
        return true;
    // The message that follows must not hide behind the topmost picture.
    DestroySplashScreen(true);
    return false;
}

void CCDCApp::CreateSplashScreen()
{
    if (!m_splashEnabled || m_splash)
        return;
    // A failed creation has deleted the splash; start-up goes on without the picture.
    CSplashScreen* splash = new CSplashScreen;
    if (!splash->Create())
        return;
    m_splash = splash;
    splash->SetOwnerSlot(&m_splash);
}

void CCDCApp::DestroySplashScreen(bool posted)
{
    CSplashScreen* splash = m_splash;
    if (!splash)
        return;
    m_splash = nullptr;
    splash->SetOwnerSlot(nullptr);
    if (posted)
        ::PostMessageW(splash->m_hWnd, WM_CLOSE, 0, 0);
    else
        splash->DestroyWindow();
}

void CCDCApp::GetDocumentType(std::wstring& extension, std::wstring& description) const
{
    extension = L"kest";
    description = L"Quillmere Tabulist";
}

CFrameWnd* CCDCApp::CreateMainFrame()
{
    return new CMainFrame;
}

void CCDCApp::OnAfterLoadState()
{
    if (CConvertingMainFrame* main = ConvertingMainFrame())
        main->RestorePopupButtons();
}

DefaultPrinterAccess& CCDCApp::Printers()
{
    return m_printers ? *m_printers : g_systemPrinters;
}

bool CCDCApp::RunInstallerSwitches(const std::vector<std::wstring>& arguments)
{
    const InstallerSwitch which = ScanInstallerSwitches(arguments);
    if (which.m_kind == InstallerSwitch::None)
        return false;
    SystemSpooler system;
    InstallerRun run;
    run.m_showError = [this](const std::wstring& text) { ShowMessage(nullptr, text, MB_OK | MB_ICONERROR); };
    const int32_t code = run.Run(which, GetModulePath(), m_spooler ? *m_spooler : system);
    // An unattended installer sees the failure in the exit code; a shown one sees the box as well.
    m_resultOverride = code;
    if (which.m_quiet)
        m_startupResult = code;
    return true;
}

BOOL CCDCApp::InitInstance()
{
    // The toolkit registers its property-change message as the program starts; this reference
    // links that registration into the program.
    KTGetPropertyChangedMessage();
    if (RunInstallerSwitches(GetStartupArguments()))
        return FALSE;
    if (!GetDocTemplate())
        AddDocTemplate(new CMultiDocTemplate(ChildResourceId, RUNTIME_CLASS(CDocument), RUNTIME_CLASS(CChildFrame),
                                             RUNTIME_CLASS(CView)));
    if (!CConvertingApp::InitInstance())
    {
        DestroySplashScreen(false);
        return FALSE;
    }
    // The documents' windows just shown may have put the main window above the picture.
    KeepSplashOnTop();
    if (!OpenPrintedJob())
        return FALSE;
    if (!IsNoUI() && (m_runFlags & CommandLine::RunConvert) == 0)
        RecoverLeftJobs();
    m_defaultPrinter.SwitchToKest(Printers());
    // Without a document the tutorial starts at its first step, widened over the empty window.
    CMainFrame* main = dynamic_cast<CMainFrame*>(m_pMainWnd);
    if (!IsNoUI() && main && !main->HasChildFrames())
        main->UpdateTutorialStep(false);
    if (!IsNoUI() && m_splash && m_splash->m_hWnd)
        m_splash->StartCloseTimer();
    return TRUE;
}

bool CCDCApp::OpenDocument(const std::wstring& path, bool addToRecent)
{
    const bool opened = CConvertingApp::OpenDocument(path, addToRecent);
    // The tutorial follows the document that is now the active one.
    if (CMainFrame* main = dynamic_cast<CMainFrame*>(m_pMainWnd); main && opened)
        main->UpdateTutorialStep(false);
    // A document opened during start-up must not bring the main window above the picture.
    KeepSplashOnTop();
    return opened;
}

bool CCDCApp::OpenOrAddWorkFile(const std::wstring& path, bool printed, bool add)
{
    CConvertingMainFrame* main = ConvertingMainFrame();
    if (!main)
        return false;
    // Any process may send the record: only a file in the print-job folder is treated as a job
    // (appended and deleted, or deleted with its frame). A user's file always opens as itself.
    printed = printed && IsInFolder(path, m_printJobFolder);
    if (printed && (add || DCOptions().m_accumulate))
    {
        CChildFrame* target = main->GetPrintTarget();
        if (target && target->GetView().AddPrintedFile(path))
        {
            FLASHWINFO flash = {sizeof(flash), main->m_hWnd, FLASHW_ALL, 3, 0};
            ::FlashWindowEx(&flash);
            return true;
        }
    }
    if (!OpenDocument(path, !printed))
    {
        // A job that is no valid work file never will be: once the user was told, it leaves the
        // job folder instead of coming back at every start.
        if (printed && m_openRefused)
            ::DeleteFileW(path.c_str());
        return false;
    }
    if (!printed)
        return true;
    if (CChildFrame* frame = main->FindChildFrame(path))
    {
        frame->SetPrinted(true);
        main->SetPrintTarget(frame);
    }
    BringToFront();
    return true;
}

void CCDCApp::RecoverLeftJobs()
{
    CConvertingMainFrame* main = ConvertingMainFrame();
    if (!main || m_printJobFolder.empty())
        return;
    RemoveUnusedTemporaryFiles(m_printJobFolder);
    // A job nobody holds open was handed to a copy that ended without closing it (the driver
    // renames a job into place only once it is whole): the user never saw it closed.
    for (const std::wstring& path : FindUnusedWorkFiles(m_printJobFolder))
    {
        if (main->FindChildFrame(path))
            continue;
        if (!IsWorkFile(path))
        {
            ::DeleteFileW(path.c_str());
            continue;
        }
        if (!OpenDocument(path, false))
        {
            if (m_openRefused)
                ::DeleteFileW(path.c_str());
            continue;
        }
        CChildFrame* frame = main->FindChildFrame(path);
        if (!frame)
            continue;
        frame->SetPrinted(true);
        if (!main->GetPrintTarget())
            main->SetPrintTarget(frame);
    }
}

void CCDCApp::BringToFront()
{
    CWnd* main = m_pMainWnd;
    if (!main || !main->m_hWnd || ::GetForegroundWindow() == main->m_hWnd)
        return;
    if (::IsIconic(main->m_hWnd))
        ::ShowWindow(main->m_hWnd, SW_RESTORE);
    DWORD lockTimeout = 0;
    const bool read = ::SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &lockTimeout, 0) != FALSE;
    if (read)
        ::SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
    ::SetForegroundWindow(main->m_hWnd);
    if (read)
        ::SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0,
                                reinterpret_cast<void*>(static_cast<ULONG_PTR>(lockTimeout)),
                                SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
}

void CCDCApp::ToggleAccumulate()
{
    CDCOptions& options = DCOptions();
    options.m_accumulate = !options.m_accumulate;
    options.Save(*this);
}

void CCDCApp::OnUpdateAccumulate(CCmdUI* ui)
{
    ui->SetCheck(DCOptions().m_accumulate ? 1 : 0);
}

void CCDCApp::OpenFeedbackLink()
{
    m_shellOpen(m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr, GetWebLinkUrl(m_setupNumber, FeedbackLinkId));
}

void CCDCApp::OnAppAbout()
{
    CAboutDlg about(m_pMainWnd);
    about.DoModal();
}

void CCDCApp::OnSettings()
{
    if (IsNoUI())
        return;
    CDCOptions working;
    working.CopyFrom(DCOptions());
    if (RunSettingsSheet(working, m_pMainWnd, m_formatTest) != IDOK)
        return;
    DCOptions().CopyFrom(working);
    DCOptions().Save(*this);
    if (CConvertingMainFrame* main = ConvertingMainFrame())
    {
        main->UpdateConvertButton(main);
        main->RefreshChildFrames();
    }
}

void CCDCApp::OnMainWindowShown()
{
    KeepSplashOnTop();
}

void CCDCApp::KeepSplashOnTop()
{
    if (m_splash)
        m_splash->KeepOnTop();
}

int CCDCApp::ShowMessage(HWND owner, const std::wstring& text, UINT type)
{
    DestroySplashScreen(false);
    return CConvertingApp::ShowMessage(owner, text, type);
}

int CCDCApp::DoMessageBox(LPCTSTR prompt, UINT type, UINT promptId)
{
    DestroySplashScreen(false);
    return CConvertingApp::DoMessageBox(prompt, type, promptId);
}

int CCDCApp::ExitInstance()
{
    DestroySplashScreen(false);
    m_defaultPrinter.Restore(Printers());
    return CConvertingApp::ExitInstance();
}
