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

class CChildFrame;

class CCDCApp : public CConvertingApp, public PrintJobReceiver
{
public:
    std::unique_ptr<ConvertingOptions> CreateOptions() override;
    CDCOptions& DCOptions() { return static_cast<CDCOptions&>(Options()); }
    // Only "printed" and "-add" are taken here, besides the input files.
    int32_t ValidateCommandLine() override { return m_commandLine.ValidatePrinted(); }

    // The start-up hook: reads the command line, waits for a printed job and offers it (or else
    // the input files) to a running copy. False ends start-up: a rejected command line, a job that
    // never appeared, or everything taken by the running copy.
    bool HandlePrintedStartup(const std::vector<std::wstring>& arguments);
    // Opens the printed job this copy kept; false ends start-up.
    bool OpenPrintedJob();

    bool OpenOrAddWorkFile(const std::wstring& path, bool printed, bool add) override;
    // Activates the frame that shows path already, or opens it in a new one.
    bool OpenDocument(const std::wstring& path, bool addToRecent);
    // A zip archive holding "Pages.dat".
    static bool IsWorkFile(const std::wstring& path);

    // Restores the default printer, then the settings are saved.
    int ExitInstance() override;

    // The accumulate command: flips the switch and saves the options at once.
    void ToggleAccumulate();
    // The feedback command: the feedback link, opened by the shell.
    void OpenFeedbackLink();

    // The folder of print jobs ("Temp"), read from the machine-wide product key.
    static std::wstring ReadPrintJobFolder();

    std::wstring m_printedPath;
    // Only files in this folder are print jobs: appended, deleted, or deleted with their frame.
    std::wstring m_printJobFolder;
    HandoffSender m_sender;
    DWORD m_printedWaitTimeout = 60000;
    int32_t m_setupNumber = 0;
    // Switched to "Kest Printer" at the end of start-up, restored at exit.
    DefaultPrinterSwitch m_defaultPrinter;
    ShellOpenFunction m_shellOpen = ShellOpenDefault;

    static constexpr UINT AccumulateCommand = 32835;
    static constexpr UINT FeedbackCommand = 32837;

protected:
    CConvertingMainFrame* ConvertingMainFrame() const;
    // Tries to hand a file to a running copy; true when that copy took it or refused it itself.
    bool Offer(const std::wstring& path, bool printed, bool add);
    void BringToFront();
    void OnUpdateAccumulate(CCmdUI* ui);
    DECLARE_MESSAGE_MAP()
};
