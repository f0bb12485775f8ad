#include "framework/AfxFrame.h"

#include "framework/AfxMsgMap.h"
#include "framework/AfxWinApp.h"

void CFrameWnd::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr)
        pApp->WinHelp(dwData, nCmd);
}

LRESULT CFrameWnd::OnHelpHitTest(WPARAM, LPARAM)
{
    return m_nIDHelp != 0 ? HID_BASE_RESOURCE + m_nIDHelp : 0;
}

LRESULT CFrameWnd::OnCommandHelp(WPARAM, LPARAM lParam)
{
    if (lParam == 0)
    {
        if (IsTracking())
            lParam = HID_BASE_COMMAND + m_nIDTracking;
        else
            lParam = HID_BASE_RESOURCE + m_nIDHelp;
    }
    if (lParam == 0)
        return FALSE;
    WinHelp((DWORD_PTR)lParam);
    return TRUE;
}

void CFrameWnd::OnHelp()
{
    if (!SendMessage(WM_COMMANDHELP))
        SendMessage(WM_COMMAND, ID_DEFAULT_HELP);
}

// The help commands go through the frame's own WinHelp, which programs override.
void CFrameWnd::OnHelpFinder()
{
    WinHelp(0, HELP_FINDER);
}

void CFrameWnd::OnHelpIndex()
{
    WinHelp(0, HELP_INDEX);
}

void CFrameWnd::OnHelpUsing()
{
    WinHelp(0, HELP_HELPONHELP);
}

void CFrameWnd::OnUpdateContextHelp(CCmdUI* pCmdUI)
{
    if (AfxGetMainWnd() == this)
        pCmdUI->SetCheck(m_bHelpMode != HELP_INACTIVE);
    else
        pCmdUI->ContinueRouting();
}

void CFrameWnd::ExitHelpMode()
{
    if (m_bHelpMode == HELP_INACTIVE)
        return;
    m_bHelpMode = HELP_INACTIVE;
    PostMessage(WM_EXITHELPMODE);
    SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
}

void CFrameWnd::OnContextHelp()
{
    // The help loop: the next click chooses the window whose help is shown; Escape ends it.
    if (m_bHelpMode != HELP_INACTIVE || !CanEnterHelpMode())
        return;
    m_bHelpMode = HELP_ENTERING;
    SendMessage(WM_SETMESSAGESTRING, AFX_IDS_HELPMODEMESSAGE);
    m_bHelpMode = HELP_ACTIVE;
    ::SetCapture(m_hWnd);
    HCURSOR hcurOld = ::SetCursor(::LoadCursor(nullptr, IDC_HELP));
    DWORD_PTR dwContext = 0;
    MSG msg;
    while (m_bHelpMode == HELP_ACTIVE && ::GetCapture() == m_hWnd)
    {
        if (!::GetMessage(&msg, nullptr, 0, 0))
        {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)
            break;
        if (msg.message == WM_LBUTTONDOWN || msg.message == WM_NCLBUTTONDOWN)
        {
            // The innermost window with an answer decides: a positive context ends the mode with
            // its help; -1 ("no help here", or help the window gave itself) keeps the mode on.
            LRESULT lContext = 0;
            for (HWND hWnd = ::WindowFromPoint(msg.pt); hWnd != nullptr && lContext == 0; hWnd = ::GetParent(hWnd))
            {
                POINT ptClient = msg.pt;
                ::ScreenToClient(hWnd, &ptClient);
                lContext = ::SendMessage(hWnd, WM_HELPHITTEST, 0, MAKELPARAM(ptClient.x, ptClient.y));
            }
            if (lContext > 0)
            {
                dwContext = static_cast<DWORD_PTR>(lContext);
                break;
            }
            continue;
        }
        if (msg.message == WM_COMMAND || msg.message == WM_SYSCOMMAND)
        {
            ::DispatchMessage(&msg);
            continue;
        }
        if (msg.message == WM_PAINT || msg.message == WM_TIMER || msg.message == WM_EXITHELPMODE)
            ::DispatchMessage(&msg);
    }
    ::SetCursor(hcurOld);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    ExitHelpMode();
    if (dwContext != 0)
        WinHelp(dwContext);
}
