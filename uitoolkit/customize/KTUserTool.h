#pragma once
// One user tool: an outside program that the user added as a command, with its menu text,
// arguments and initial folder, bound to a command id of the user tools' range. Running it asks
// the shell to open the program; its small icon comes from the shell.
//
// The tool owns its icon unless that is the default icon, which all tools share.

#include "framework/Afx.h"

class CKTUserTool : public CObject
{
    DECLARE_SERIAL(CKTUserTool)
public:
    CKTUserTool();
    ~CKTUserTool() override;

    // Menu text, program path, arguments, initial folder, then the command id.
    void Serialize(CArchive& ar) override;
    // Opens the program through the shell; FALSE for an empty path or when the shell fails.
    virtual BOOL Invoke();
    // Stores the path and loads its icon when the path changed (case counts).
    void SetCommand(LPCTSTR lpszCmd);
    const CString& GetCommand() const { return m_strCommand; }
    HICON GetIcon() const { return m_hIcon; }
    // The icon centred in the rectangle at small-icon size.
    void DrawToolIcon(CDC* pDC, const CRect& rectImage);
    // The icon on the button face as a bitmap on the clipboard; a message and FALSE on failure.
    BOOL CopyIconToClipboard();

    // The shell's execute operation; tests put a recorder in its place.
    using ShellExecuteFn = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
    static ShellExecuteFn m_pfnShellExecute;
    // The shared default icon, loaded on first use.
    static HICON GetDefaultIcon();

    CString m_strLabel;
    CString m_strArguments;
    CString m_strInitialDirectory;
    UINT m_uiCmdId = 0;

protected:
    virtual HICON LoadIcon();
    virtual HICON LoadDefaultIcon();
    virtual void DeleteIcon();

    CString m_strCommand;
    HICON m_hIcon = nullptr;
};
