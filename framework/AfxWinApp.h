// CWinApp: the application object. The window-free half (names, profile, recent files) is here;
// the window half adds the thread, the message pump and the instance hooks.
#pragma once

#include "framework/AfxCmdTarget.h"
#include "framework/AfxThread.h"
#include "framework/AfxDocTemplate.h"
#include "framework/AfxDocument.h"
#include "framework/AfxString.h"

class CRecentFileList;

class CWinApp : public CWinThread
{
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;

    // Fills in the instance, executable, application, help and profile names (from WinMain).
    void SetCurrentHandles();

    // From now on the profile lives in HKEY_CURRENT_USER\Software\<key>\<application name>.
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);

    // Opens (creating when needed) Software\<key>\<profile>; NULL without a registry key.
    HKEY GetAppRegistryKey();
    // Opens (creating when needed) the section's key; backslashes in the section make subkeys.
    HKEY GetSectionKey(LPCTSTR lpszSection);

    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr);
    // A NULL entry deletes the section, a NULL value deletes the entry.
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    // The caller frees *ppData with delete[]; FALSE (and NULL, 0) when the value is missing.
    BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);

    // Creates the recent-file list ("Recent File List", "File%d") and reads it.
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    void SaveStdProfileSettings();
    virtual void AddToRecentFileList(LPCTSTR lpszPathName);

    LPCTSTR m_pszAppName = nullptr;
    LPCTSTR m_pszExeName = nullptr;
    LPCTSTR m_pszHelpFilePath = nullptr;
    LPCTSTR m_pszRegistryKey = nullptr;
    LPCTSTR m_pszProfileName = nullptr;
    HINSTANCE m_hInstance = nullptr;
    CRecentFileList* m_pRecentFileList = nullptr;

    // ---- window half: members added by the window engineer go below this line ----
    LPTSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    DWORD_PTR m_dwPromptContext = 0;  // help context of the message box on show
    BOOL m_bHelpMode = FALSE;
    CDocTemplateList m_templateList;  // owns the document templates
    CDocManager* m_pDocManager = nullptr;  // the templates as a document manager, from the first one on

    BOOL InitInstance() override;
    // Saves the recent-file list and the other standard settings.
    int ExitInstance() override;
    BOOL OnIdle(LONG lCount) override;
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);
    virtual void DoWaitCursor(int nCode);  // 1 begin, -1 end, 0 restore
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);
    virtual BOOL SaveAllModified();
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    // The system draws its controls in three dimensions itself: nothing to switch on.
    BOOL Enable3dControls() { return TRUE; }
    BOOL Enable3dControlsStatic() { return TRUE; }
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadIcon(LPCTSTR lpszResourceName) const;
    HICON LoadStandardIcon(LPCTSTR lpszIconName) const;
    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadCursor(LPCTSTR lpszResourceName) const;
    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const;
    HCURSOR LoadOEMCursor(UINT nIDCursor) const;

    void OnAppExit();
    void OnHelp();
    void OnHelpIndex();
    void OnHelpFinder();
    void OnHelpUsing();
    DECLARE_MESSAGE_MAP()

private:
    CDocManager m_docManager{m_templateList};

public:
    // ---- end of window half ----

protected:
    // Replaces one of the owned name strings (they are allocated with _tcsdup and freed here).
    static void ReplaceName(LPCTSTR& member, LPCTSTR value);
};

CWinApp* AFXAPI AfxGetApp();
LPCTSTR AFXAPI AfxGetAppName();
