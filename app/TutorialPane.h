#pragma once
// The tutorial docked at the main frame's left: a browser view showing the tutorial page of the
// help file. The program switches the page's steps through its script function; the page's own
// links ("step://", "help://", "open://") become actions of the program, and any other address a
// user follows is refused. Without a usable browser the pane stays, empty, and nothing happens.
#include <string>

#include "app/FileTypes.h"
#include "framework/AfxHtmlView.h"
#include "uitoolkit/bars/KTSizingControlBar.h"

// Sent by the view to its link window before every navigation a user starts, with the address as
// second parameter; a non-zero answer lets the navigation go ahead.
constexpr UINT WM_TUTORIAL_NAVIGATE = WM_USER + 3857;

class CLoadHTMLView : public CHtmlView
{
    DECLARE_DYNCREATE(CLoadHTMLView)
public:
    // A navigation of the program itself, never forwarded to the link window.
    void NavigateProgram(const std::wstring& address);
    // Waits while the page is still loading (the last request wins); a script address ends the
    // waiting for good, as the page has then loaded once.
    void NavigateDeferred(const std::wstring& address);

    void OnBeforeNavigate2(LPCTSTR lpszURL, DWORD nFlags, LPCTSTR lpszTargetFrameName, CByteArray& baPostedData,
                           LPCTSTR lpszHeaders, BOOL* pbCancel) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    const std::wstring& GetPendingAddress() const { return m_pendingAddress; }

    // Deleted before each navigation of the program and with the view, when set.
    std::wstring m_temporaryFile;
    bool m_allowLinks = false;
    CWnd* m_linkWindow = nullptr;

    static constexpr UINT_PTR PendingTimer = 1912;
    static constexpr UINT PendingInterval = 500;

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnTimer(UINT_PTR id);
    BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    void DeleteTemporaryFile();

    std::wstring m_pendingAddress;
    bool m_programNavigation = false;
    bool m_waitForPage = true;
};

// The frame inside the pane that holds the view; it deletes itself when its window ends.
class CHTMLFrame : public CFrameWnd
{
    DECLARE_DYNCREATE(CHTMLFrame)
};

class CTutorialPane : public CKTSizingControlBar
{
    DECLARE_DYNAMIC(CTutorialPane)
public:
    // Shows the step (0-based) through the page's script.
    void ShowStep(int step);
    CLoadHTMLView* GetView() const;
    const std::wstring& GetTutorialAddress() const { return m_tutorialAddress; }

    static constexpr UINT FrameId = 185;
    // How "open://" links are opened; tests put a stand-in here.
    ShellOpenFunction m_shellOpen = ShellOpenMaximized;
    static bool ShellOpenMaximized(HWND owner, const std::wstring& target);

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnLinkNavigate(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    std::wstring m_tutorialAddress;
    CHTMLFrame* m_htmlFrame = nullptr;
};
