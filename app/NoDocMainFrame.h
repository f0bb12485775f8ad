#pragma once
// The generic main frame of a multi-document program without framework documents: files dropped
// on it open through the application, closing it closes the document windows one by one (a
// window that stays open keeps the program open), and all help goes to the compiled HTML help
// file.
#include <string>

#include "uitoolkit/bars/KTMDIFrameWnd.h"

class CNoDocMainFrame : public CKTMDIFrameWnd
{
    DECLARE_DYNCREATE(CNoDocMainFrame)
public:
    // The first document window whose title is the text, compared with regard to case; null
    // when none.
    virtual CMDIChildWnd* FindChildFrame(const std::wstring& title) const;
    // The frame's menu bar; null in this layer.
    virtual CKTMenuBar* GetMenuBar() const { return nullptr; }

    void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

    // While a dialog or question of the program is open, a close (posted by another program, or
    // arriving in the dialog's loop) is refused: the code that asked still uses its windows.
    bool IsWaitingForModal() const;

    // The help context of a customize page's help: the page index plus this.
    static constexpr DWORD CustomizeHelpBase = 283136;

protected:
    void OnDropFiles(HDROP drop);
    void OnActivateApp(BOOL active, DWORD thread);
    void OnCancelMode();
    LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);
    void OnClose();
    void OnHelpCommand();
    void OnHelpTopics();
    void OnContextHelpCommand();
    LRESULT OnCustomizeHelp(WPARAM wParam, LPARAM lParam);
    LRESULT OnResetMenu(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // Ends every mode a help request interrupts: help mode, tracking, captures.
    void CancelModes();
    // The pane that holds the mouse (a drag in a view) is told to let go.
    void CancelPaneCapture();
};
