#pragma once
// This product's application layer: print jobs handed over by the driver and by further copies,
// the accumulate switch and the checks of work files. The start-up chain calls these steps.
#include <memory>
#include <string>
#include <vector>

#include "app/ConvertingApp.h"
#include "app/DefaultPrinter.h"
#include "app/FileTypes.h"
#include "app/PrintedFileHandoff.h"
#include "app/SettingsPages.h"
#include "app/Spooler.h"

class CChildFrame;
class CSplashScreen;

class CCDCApp : public CConvertingApp, public PrintJobReceiver
{
public:
    std::unique_ptr<ConvertingOptions> CreateOptions() override;
    CDCOptions& DCOptions() { return static_cast<CDCOptions&>(Options()); }
    // Only "printed" and "-add" are taken here, besides the input files.
    int32_t ValidateCommandLine() override { return m_commandLine.ValidatePrinted(); }

    // The installer switches, the child frames' template, the common start-up, then the printed
    // job, the default-printer switch and the splash screen's timer.
    BOOL InitInstance() override;
    // The start-up hook of this product: the printed job's hand-off.
    bool ProcessCommandLine() override { return HandlePrintedStartup(GetStartupArguments()); }
    using CConvertingApp::ProcessCommandLine;
    int GetUIVersion() const override { return 4; }
    void GetDocumentType(std::wstring& extension, std::wstring& description) const override;
    CFrameWnd* CreateMainFrame() override;
    // Once the saved interface state is in, the menu buttons of the frame are menus again.
    void OnAfterLoadState() override;
    UINT GetMainResourceId() const override { return MainResourceId; }

    // The start-up hook: reads the command line, waits for a printed job and offers it (or else
    // the input files) to a running copy. False ends start-up: a rejected command line, a job that
    // never appeared, or everything taken by the running copy.
    bool HandlePrintedStartup(const std::vector<std::wstring>& arguments);
    // Opens the printed job this copy kept; false ends start-up.
    bool OpenPrintedJob();

    bool OpenOrAddWorkFile(const std::wstring& path, bool printed, bool add) override;
    // The common open, then the tutorial's step of the document shown.
    bool OpenDocument(const std::wstring& path, bool addToRecent) override;
    // A zip archive holding "Pages.dat".
    bool IsWorkFile(const std::wstring& path, bool& showError) override;
    static bool IsWorkFile(const std::wstring& path);

    // Restores the default printer, then the settings are saved.
    int ExitInstance() override;
    // The picture stays above the main window until its timer ends.
    void OnMainWindowShown() override;
    // A question or message of start-up must not hide behind the topmost picture: it goes first.
    int ShowMessage(HWND owner, const std::wstring& text, UINT type) override;
    int DoMessageBox(LPCTSTR prompt, UINT type, UINT promptId) override;

    // The accumulate command: flips the switch and saves the options at once.
    void ToggleAccumulate();
    // The feedback command: the feedback link, opened by the shell.
    void OpenFeedbackLink();
    void OnAppAbout();
    // The settings sheet over a working copy of the options; OK takes it over and saves it.
    void OnSettings();

    // The folder of print jobs ("Temp"), read from the machine-wide product key.
    static std::wstring ReadPrintJobFolder();

    std::wstring m_printedPath;
    // Only files in this folder are print jobs: appended, deleted, or deleted with their frame.
    std::wstring m_printJobFolder;
    // Shown from the hand-off until start-up has finished; the window deletes itself and clears
    // this pointer when it goes.
    CSplashScreen* m_splash = nullptr;
    // Tests that run start-up steps without a display of their own turn the picture off.
    bool m_splashEnabled = true;
    HandoffSender m_sender;
    DWORD m_printedWaitTimeout = 60000;
    // Switched to "Kest Printer" at the end of start-up, restored at exit.
    DefaultPrinterSwitch m_defaultPrinter;
    // The system's printers unless a test puts a stand-in here.
    DefaultPrinterAccess* m_printers = nullptr;
    // The system's spooler for the installer switches unless a test puts a stand-in here.
    Spooler* m_spooler = nullptr;
    ShellOpenFunction m_shellOpen = ShellOpenDefault;
    // How the settings sheet tries Excel number formats; tests put a stand-in here.
    CSettingsOutputPage::FormatTest m_formatTest = CSettingsOutputPage::TestFormatsOnExcel;

    static constexpr UINT AccumulateCommand = 32835;
    static constexpr UINT FeedbackCommand = 32837;
    static constexpr UINT AboutCommand = 57664;
    static constexpr UINT SettingsCommand = 32834;
    static constexpr UINT MainResourceId = 128;
    static constexpr UINT ChildResourceId = 129;

protected:
    CConvertingMainFrame* ConvertingMainFrame() const;
    DefaultPrinterAccess& Printers();
    // The installer switches: false when there is none; else the installer ran and its code is
    // the result override.
    bool RunInstallerSwitches(const std::vector<std::wstring>& arguments);
    // A refused command line is named to the user, who would otherwise see the program do
    // nothing at all; "/NoUI" keeps it quiet.
    void TellRefusedCommandLine(const std::vector<std::wstring>& arguments);
    void CreateSplashScreen();
    // The picture back above the windows start-up has shown.
    void KeepSplashOnTop();
    // Closes the picture at once (a failed start) or by a posted close (a file that was no work file).
    void DestroySplashScreen(bool posted);
    // Tries to hand a file to a running copy; true when that copy took it or refused it itself.
    bool SendFileToRunningInstance(const std::wstring& path, bool printed, bool add);
    void BringToFront();
    void OnUpdateAccumulate(CCmdUI* ui);
    // Print jobs that a copy which is no longer running left in the job folder: complete ones open
    // again as printed jobs, the rest and unused temporary archives are removed.
    void RecoverLeftJobs();
    DECLARE_MESSAGE_MAP()
};
