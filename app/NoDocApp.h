#pragma once
// The generic layer of a multi-document program without framework documents: its windows show
// files opened by path. It runs the common part of start-up (profile, settings, main frame) and of
// the exit, and asks the layers above for what is theirs through its virtual operations.
#include <cstdint>
#include <string>
#include <vector>

#include "framework/Afx.h"
#include "uitoolkit/bars/KTWorkspace.h"

class CKTFileDialog;

class CNoDocApp : public CWinApp, public CKTWorkspace
{
public:
    // Toolbars notice a changed resource and start again from it.
    CNoDocApp() : CKTWorkspace(TRUE) {}
    ~CNoDocApp() override = default;

    // Activates the child frame that shows path already; else, when IsWorkFile agrees, makes a
    // frame through the document template and has its view load the file. A file that cannot be
    // opened is named to the user ("The file %s is not a valid Kest file").
    virtual bool OpenDocument(const std::wstring& path, bool addToRecent);
    // The profile section of the settings and of the saved user-interface state.
    virtual std::wstring GetSettingsSection() const { return L"Settings"; }
    // Saved user-interface state of another version is discarded at start-up.
    virtual int GetUIVersion() const { return 1; }
    // May the user open files (the open commands and the recent files).
    virtual bool IsUIEnabled() const { return true; }
    virtual void GetDocumentType(std::wstring& extension, std::wstring& description) const = 0;
    // Is the main window shown (and updated, and open to dropped files).
    virtual bool IsMainWindowShown() const { return true; }
    // Ties the work-file extension to this program under the classes root.
    virtual bool RegisterFileType();
    virtual bool GetShellOpenCommand(std::wstring& command) const;
    // False for a file this program cannot open; showError false: the caller shows no message.
    virtual bool IsWorkFile(const std::wstring& path, bool& showError) = 0;
    // The template of the child frames; null when none is registered.
    virtual CDocTemplate* GetDocTemplate() const;
    virtual CFrameWnd* CreateMainFrame() = 0;
    virtual UINT GetMainResourceId() const = 0;
    virtual void LoadSettings() {}
    // The program's own numbers in the settings section, which it shares with the saved
    // user-interface state: discarding that state keeps them.
    virtual std::vector<std::wstring> GetProgramSettingNames() const { return {}; }
    virtual bool CanStart() { return true; }
    // Called once start-up has shown the main window.
    virtual void OnMainWindowShown() {}
    // The start-up hook that reads the command line; false ends start-up.
    virtual bool ProcessCommandLine() { return true; }

    // The arguments after the program's name.
    virtual std::vector<std::wstring> GetStartupArguments() const;
    // The company under which the profile lives in the registry.
    virtual std::wstring GetRegistryCompany() const { return L"QuillMere"; }

    // Discards saved user-interface state of another version, records this version, then loads
    // the toolkit's state.
    BOOL LoadState(LPCTSTR sectionName = nullptr, CKTFrameSupport* frame = nullptr) override;

    // Help asked of the application (dialogs, the customize sheet) goes to the main frame, which
    // shows it from the compiled HTML help file.
    void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT) override;
    // Right-click help of a dialog's controls (pairs of control and help id, ended by a zero id):
    // for a control of the table under the last message position, the menu "What's This?"; when
    // it is chosen, that control's pop-up text of the help file.
    void OnContextHelp(CWnd* pWnd, const DWORD* dwHelpIDArray) override;

    BOOL InitInstance() override;
    // The framework's exit (which saves the recent files), or the result override when it is set.
    int ExitInstance() override;

    // A message box of the program, owned by the window.
    virtual int ShowMessage(HWND owner, const std::wstring& text, UINT type);

    // Set by an installer run: becomes the exit code, and start-up stops once settings are read.
    int32_t m_resultOverride = 0;
    // From the machine-wide "SetupExeName"; carried by web links only.
    int32_t m_setupNumber = 0;

    bool SettingsLoaded() const { return m_settingsLoaded; }

    // File Open: every file picked in the open dialog, in order.
    void OnFileOpen();
    // A recent-file entry; one that cannot be opened leaves the list.
    void OnOpenRecentFile(UINT id);
    // The files picked in the open dialog; empty when it was cancelled.
    virtual std::vector<std::wstring> AskFilesToOpen();
    // What an open dialog that ended with OK chose, by the page that ended it.
    static std::vector<std::wstring> ChosenFiles(const CKTFileDialog& dialog);

    static constexpr UINT FileOpenCommand = 57601;
    static constexpr UINT FirstRecentFileCommand = 57616;
    static constexpr UINT LastRecentFileCommand = 57631;
    static constexpr UINT WhatsThisMenu = 2001;
    static constexpr UINT WhatsThisCommand = 34001;

protected:
    // Settings and recent files are written back only by a copy that read them: the defaults of a
    // copy that ended early never overwrite the user's.
    bool m_settingsLoaded = false;
    // Set by OpenDocument when it told the user that the file could not be opened.
    bool m_openRefused = false;

    DECLARE_MESSAGE_MAP()
};
