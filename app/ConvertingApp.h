#pragma once
// The table-conversion layer of the application: its modes, the command line of unattended runs,
// the options and the dialogs the page views ask for, and its part of start-up and exit.
#include <memory>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/ConvertingOptions.h"
#include "app/FileDialogs.h"
#include "app/NoDocApp.h"
#include "framework/Afx.h"
#include "table/LayoutShell.h"

class CConvertingMainFrame;

class CConvertingApp : public CNoDocApp, public LayoutShell
{
public:
    CConvertingApp();
    ~CConvertingApp() override;

    // The running application's text-selection mode; false when none runs.
    static bool IsTextSelectionModeOfApp();

    bool IsTextSelectionMode() const override { return m_selectionMode == 1; }
    void SetSelectionMode(int32_t mode) override;
    bool IsAdvancedMode() const override { return m_advancedMode; }
    void SetAdvancedMode(bool on) override { m_advancedMode = on; }
    bool IsNoUI() const override { return m_noUI; }
    bool HasRangeOption() const override { return !m_rangeOption.empty(); }
    bool GetRangeOption(PageRangeList& pages) const override;
    bool GetOutputOption(std::wstring& output) const override;
    uint32_t GetRunFlags() const override { return m_runFlags; }
    int32_t GetExitCode() const override { return m_exitCode; }
    void SetExitCode(int32_t code) override { m_exitCode = code; }
    LayoutOptions& GetOptions() override { return Options(); }

    // The options record, made by CreateOptions on first use.
    ConvertingOptions& Options();
    virtual std::unique_ptr<ConvertingOptions> CreateOptions();

    // Parses and checks the arguments after the program's name; false ends start-up, with the
    // code in m_startupResult.
    bool ProcessCommandLine() override { return ProcessCommandLine(GetStartupArguments()); }
    bool ProcessCommandLine(const std::vector<std::wstring>& arguments);
    // Reads the arguments into the option map and the input list.
    virtual bool ParseCommandLine(const std::vector<std::wstring>& arguments);
    // An argument that is no option ends the parse with this answer: this program takes none.
    virtual bool OnNonOptionArgument(const std::wstring& argument)
    {
        m_nonOptionArgument = argument;
        return false;
    }
    virtual int32_t ValidateCommandLine() { return m_commandLine.ValidateGeneral(); }
    // The command line's format and range override the stored options for this run.
    void ApplyCommandLineOptions();
    // Reads the options and "Settings" from the profile, then applies the command line.
    void LoadSettings() override;
    // The modes and the preview bar's size and visibility.
    std::vector<std::wstring> GetProgramSettingNames() const override
    {
        return {L"SelectionMode", L"AdvancedMode", L"SampleBarHeight", L"SampleBarShow"};
    }
    // Writes them back; a copy that ended before LoadSettings writes nothing, so its defaults
    // never overwrite the user's profile.
    void SaveSettings();

    // Files may be opened and the main window is shown, except in unattended runs.
    bool IsUIEnabled() const override { return !IsNoUI(); }
    bool IsMainWindowShown() const override { return !IsNoUI(); }
    bool GetShellOpenCommand(std::wstring& command) const override;

    // OLE, the common start-up, the rich edit library, then the input files and the run flag.
    BOOL InitInstance() override;
    // Saves the settings and the recent files, unless the copy ended before loading them.
    int ExitInstance() override;
    // Unattended runs answer every framework message box with Cancel, unseen.
    int DoMessageBox(LPCTSTR prompt, UINT type, UINT promptId) override;

    HWND GetMainWindow() const override;
    void SetColumnModeButton(int32_t kind) override;
    void UpdateSelectionModeButton() override;
    void ShowZoom(HWND view, int32_t zoom) override;
    bool GetZoomBoxText(std::wstring& text) const override;
    void UpdateConvertButton() override;
    void RefreshMainFrame() override;
    bool GetFindDialogRect(RECT& rect) const override;
    void MoveFindDialogAway() override;
    OxTextFindInterface* GetTextFind() override;

    int ShowMessage(HWND owner, const std::wstring& text, UINT type) override;
    bool AskConversionPages(HWND owner, int32_t mode, int32_t pageCount, int32_t currentPage,
                            ConversionPagesAnswer& answer) override;
    bool AskPageRange(HWND owner, int32_t pageCount, PageRangeList& pages) override;
    bool AskPageNumber(HWND owner, const std::wstring& title, std::wstring& text) override;
    bool AskOpenLayout(HWND owner, std::wstring& path) override;
    bool AskSaveFile(HWND owner, const std::wstring& filter, const std::wstring& defaultExtension,
                     const std::wstring& proposedName, std::wstring& path) override;
    void AddRecentLayout(const std::wstring& path) override;
    void ShowContextMenu(HWND owner, UINT menuId, int submenu, POINT screenPoint) override;

    CRecentFileList& GetRecentLayouts() { return m_recentLayouts; }
    // The answer of a message box of that type whose default button is pressed.
    static int DefaultAnswer(UINT type);

    int32_t m_selectionMode = 0; // 0 table editing, 1 text selection
    bool m_advancedMode = false;
    bool m_noUI = false;
    std::wstring m_rangeOption;  // the command line's "range" value; empty when none
    std::wstring m_outputOption; // the command line's "output" value
    uint32_t m_runFlags = 0;
    int32_t m_exitCode = 0;
    uint32_t m_displayFlags = 0;
    CommandLine m_commandLine;
    int32_t m_startupResult = 0;
    // The argument without an option that ended the last parse; empty when none did.
    std::wstring m_nonOptionArgument;

private:
    CConvertingMainFrame* MainFrame() const;

    CRecentFileList m_recentLayouts;
    // The menu of the last context menu: its popup may still be open and reads its submenus.
    HMENU m_contextMenu = nullptr;
    std::unique_ptr<ConvertingOptions> m_options;
    HMODULE m_richEdit = nullptr;
};
