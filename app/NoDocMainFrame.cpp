#include "app/NoDocMainFrame.h"

#include <vector>

#include "app/HtmlHelpSeam.h"
#include "app/NoDocApp.h"
#include "framework/AfxDocTemplate.h"
#include "framework/AfxMsgMap.h"
#include "uitoolkit/bars/KTToolBar.h"

IMPLEMENT_DYNCREATE(CNoDocMainFrame, CKTMDIFrameWnd)

namespace
{

constexpr UINT HelpTopicsCommand = 57667;
constexpr UINT DefaultHelpCommand = 57671;
constexpr UINT HelpCommand = 57670;
constexpr UINT ContextHelpCommand = 57669;

} // namespace

BEGIN_MESSAGE_MAP(CNoDocMainFrame, CKTMDIFrameWnd)
ON_WM_DROPFILES()
ON_WM_ACTIVATEAPP()
ON_WM_CANCELMODE()
ON_MESSAGE(WM_COMMANDHELP, &CNoDocMainFrame::OnCommandHelp)
ON_WM_CLOSE()
ON_COMMAND(HelpTopicsCommand, &CNoDocMainFrame::OnHelpTopics)
ON_COMMAND(DefaultHelpCommand, &CNoDocMainFrame::OnHelpTopics)
ON_COMMAND(HelpCommand, &CNoDocMainFrame::OnHelpCommand)
ON_COMMAND(ContextHelpCommand, &CNoDocMainFrame::OnContextHelpCommand)
ON_REGISTERED_MESSAGE(KT_WM_CUSTOMIZEHELP, &CNoDocMainFrame::OnCustomizeHelp)
ON_REGISTERED_MESSAGE(KT_WM_RESETMENU, &CNoDocMainFrame::OnResetMenu)
END_MESSAGE_MAP()

CMDIChildWnd* CNoDocMainFrame::FindChildFrame(const std::wstring& title) const
{
    if (!m_hWndMDIClient)
        return nullptr;
    for (HWND child = ::GetWindow(m_hWndMDIClient, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    {
        CMDIChildWnd* frame = dynamic_cast<CMDIChildWnd*>(CWnd::FromHandlePermanent(child));
        if (frame && std::wstring(static_cast<LPCWSTR>(frame->GetTitle())) == title)
            return frame;
    }
    return nullptr;
}

void CNoDocMainFrame::OnDropFiles(HDROP drop)
{
    SetActiveWindow();
    CNoDocApp* app = dynamic_cast<CNoDocApp*>(AfxGetApp());
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    std::vector<std::wstring> paths;
    for (UINT i = 0; i < count; ++i)
    {
        // Each path at its own length: none is ever cut short.
        const UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
        if (length == 0)
            continue;
        std::wstring path(length + 1, L'\0');
        const UINT copied = ::DragQueryFileW(drop, i, path.data(), length + 1);
        path.resize(copied);
        paths.push_back(path);
    }
    ::DragFinish(drop);
    for (const std::wstring& path : paths)
        if (app)
            app->OpenDocument(path, true);
}

LRESULT CNoDocMainFrame::OnCommandHelp(WPARAM wParam, LPARAM lParam)
{
    if (lParam == 0 && !IsTracking())
    {
        WinHelp(0, HELP_CONTENTS);
        return TRUE;
    }
    return CKTMDIFrameWnd::OnCommandHelp(wParam, lParam);
}

void CNoDocMainFrame::OnClose()
{
    if (IsWaitingForModal())
        return;
    // A document window that is still there after its close (the user kept it) keeps the program.
    while (CMDIChildWnd* active = MDIGetActive())
    {
        const HWND window = active->m_hWnd;
        ::SendMessageW(window, WM_CLOSE, 0, 0);
        if (::IsWindow(window))
            return;
    }
    CKTMDIFrameWnd::OnClose();
}

void CNoDocMainFrame::OnActivateApp(BOOL active, DWORD thread)
{
    CKTMDIFrameWnd::OnActivateApp(active, thread);
    // Another program took the user away (Alt+Tab, a click on its window): a drag in one of
    // this window's panes ends there, as when a window of this program takes the mouse.
    if (!active)
        CancelPaneCapture();
}

void CNoDocMainFrame::OnCancelMode()
{
    CKTMDIFrameWnd::OnCancelMode();
    CancelPaneCapture();
}

void CNoDocMainFrame::CancelPaneCapture()
{
    const HWND capture = ::GetCapture();
    if (capture && capture != m_hWnd && ::IsChild(m_hWnd, capture))
        ::SendMessageW(capture, WM_CANCELMODE, 0, 0);
}

bool CNoDocMainFrame::IsWaitingForModal() const
{
    // A modal dialog or question disables its owner; the code that opened it waits in its loop
    // and goes on with its windows when it returns.
    return m_hWnd && !::IsWindowEnabled(m_hWnd);
}

void CNoDocMainFrame::OnHelpCommand()
{
    CFrameWnd::OnHelp();
}

void CNoDocMainFrame::OnHelpTopics()
{
    CFrameWnd::OnHelpFinder();
}

void CNoDocMainFrame::OnContextHelpCommand()
{
    CKTMDIFrameWnd::OnContextHelp();
}

LRESULT CNoDocMainFrame::OnCustomizeHelp(WPARAM wParam, LPARAM)
{
    HtmlHelpSeam::Show(m_hWnd, HtmlHelpSeam::ApplicationHelpFile(), HelpDisplayContext,
                       static_cast<DWORD_PTR>(wParam) + CustomizeHelpBase);
    return 0;
}

LRESULT CNoDocMainFrame::OnResetMenu(WPARAM wParam, LPARAM)
{
    if (!CKTToolBar::IsCustomizeMode() || !m_hWndMDIClient)
        return 0;
    CWinApp* app = AfxGetApp();
    for (POSITION position = app ? app->GetFirstDocTemplatePosition() : nullptr; position;)
    {
        CMultiDocTemplate* docTemplate = dynamic_cast<CMultiDocTemplate*>(app->GetNextDocTemplate(position));
        if (!docTemplate || docTemplate->m_nIDResource != static_cast<UINT>(wParam))
            continue;
        for (HWND child = ::GetWindow(m_hWndMDIClient, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
            if (CMDIChildWnd* frame = dynamic_cast<CMDIChildWnd*>(CWnd::FromHandlePermanent(child)))
                frame->SetHandles(docTemplate->m_hMenuShared, docTemplate->m_hAccelTable);
        break;
    }
    return 0;
}

void CNoDocMainFrame::CancelModes()
{
    ExitHelpMode();
    SendMessage(WM_CANCELMODE);
    SendMessageToDescendants(WM_CANCELMODE, 0, 0, TRUE, TRUE);
    CWnd* top = GetTopLevelParent();
    if (top && top != this)
    {
        top->SendMessage(WM_CANCELMODE);
        top->SendMessageToDescendants(WM_CANCELMODE, 0, 0, TRUE, TRUE);
    }
    if (HWND capture = ::GetCapture())
        ::SendMessageW(capture, WM_CANCELMODE, 0, 0);
}

void CNoDocMainFrame::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    if (dwData == 0 && IsContextHelpRunning())
    {
        OnContextHelp();
        return;
    }
    CWaitCursor wait;
    CancelModes();
    const std::wstring file = HtmlHelpSeam::ApplicationHelpFile();
    switch (nCmd)
    {
    case HELP_CONTEXT:
        HtmlHelpSeam::Show(m_hWnd, file, HelpDisplayContext, dwData);
        break;
    case HELP_CONTENTS:
    case HELP_FINDER:
        HtmlHelpSeam::Show(m_hWnd, file, HelpDisplayTopic, 0);
        break;
    case HELP_CONTEXTPOPUP: {
        const DWORD position = ::GetMessagePos();
        const POINT point = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
        HWND under = ::WindowFromPoint(point);
        // F1 asks for the control that has the focus, wherever the pointer rests.
        if (!under || ::GetDlgCtrlID(under) == 0)
            under = ::GetFocus();
        const int id = under ? ::GetDlgCtrlID(under) : 0;
        if (id == 0)
            break;
        DWORD pairs[4] = {static_cast<DWORD>(id), static_cast<DWORD>(dwData), 0, 0};
        HtmlHelpSeam::Show(under, file + HelpPopupTextFile, HelpContextPopup, reinterpret_cast<DWORD_PTR>(pairs));
        break;
    }
    default:
        break;
    }
}

void CNoDocMainFrame::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    BOOL maximized = FALSE;
    CMDIChildWnd* active = MDIGetActive(&maximized);
    if (bAddToTitle && active && !maximized)
    {
        CString name;
        active->GetWindowText(name);
        UpdateFrameTitleForDocument(name);
        return;
    }
    UpdateFrameTitleForDocument(nullptr);
}
