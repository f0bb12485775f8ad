#pragma once
// The keyboard shortcuts of the main frame and of every multi-document template: saved in the
// registry as the system's accelerator records ("%sKTKeyboard-%d", value "Accelerators", table 0
// for the main frame, else the template's resource id), restored at start, reset to the resource
// tables and replaced at run time.
//
// One instance exists only when the application customizes keyboards; the static operations
// (shortcut text for tooltips, the taken-key test of customize mode, the mnemonic character and
// the clean-up) work without it. They keep a copy of the last table read for the main frame and
// for a child frame, copied afresh whenever the frame's table handle changes.
//
// User-interface thread only.

#include "framework/Afx.h"

class CDocTemplate;
class CMultiDocTemplate;

class CKTKeyboardManager : public CObject
{
    DECLARE_DYNAMIC(CKTKeyboardManager)
public:
    // Registers itself as the global keyboard manager.
    CKTKeyboardManager();
    ~CKTKeyboardManager() override;

    // lpszProfileName: the workspace's registry path (ending in a backslash); empty or null
    // builds it from the section "KTKeyboardManager". pDefaultFrame null: the application's main
    // window when it is a frame. A table that is not stored, or whose stored value cannot make a
    // table, keeps the table in use.
    BOOL LoadState(LPCTSTR lpszProfileName = nullptr, CFrameWnd* pDefaultFrame = nullptr);
    BOOL SaveState(LPCTSTR lpszProfileName = nullptr, CFrameWnd* pDefaultFrame = nullptr);
    // Every table back to the one in the application's resources.
    void ResetAll();

    // Installs a table made of the entries for the template, else for the frame (null: the main
    // window). FALSE, and the old table kept, when the table cannot be made or installed.
    BOOL UpdateAccelTable(CMultiDocTemplate* pTemplate, LPACCEL lpAccel, int nSize, CFrameWnd* pDefaultFrame = nullptr);
    // Installs hAccelNew and destroys the table it replaces. FALSE when nothing had a table
    // before: the holder then keeps having none, and hAccelNew stays the caller's.
    BOOL UpdateAccelTable(CMultiDocTemplate* pTemplate, HACCEL hAccelNew, CFrameWnd* pDefaultFrame = nullptr);

    // One stored table; entries for forbidden commands come back with command 0.
    BOOL LoadAccelTable(LPCTSTR lpszProfileName, UINT uiResId, HACCEL& hAccel);
    BOOL SaveAccelTable(LPCTSTR lpszProfileName, UINT uiResId, HACCEL hAccel);

    // The text of the first shortcut of the command in the frame's default table; FALSE and an
    // empty text when there is none. bIsDefaultFrame chooses the main-frame copy of the table.
    static BOOL FindDefaultAccelerator(UINT uiCmd, CString& str, CFrameWnd* pWndFrame, BOOL bIsDefaultFrame);
    // TRUE when an entry has exactly this key and exactly these flags.
    static BOOL IsKeyInAccelTable(WORD wKey, BYTE fVirt, CFrameWnd* pWndFrame, BOOL bIsDefaultFrame);
    // The character that toolbar mnemonics are matched against.
    static UINT TranslateCharToUpper(UINT nChar);
    // Frees both table copies.
    static void CleanUp();

    // The key under which table uiResId is stored.
    static CString TableKey(LPCTSTR lpszProfileName, UINT uiResId);
};

// The single keyboard manager, or null.
extern CKTKeyboardManager* g_pKeyboardManager;
