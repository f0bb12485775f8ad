#include "app/TutorialPane.h"

#include <cwchar>

#include "app/HtmlHelpSeam.h"
#include "app/NoDocApp.h"
#include "framework/AfxMsgMap.h"

IMPLEMENT_DYNCREATE(CLoadHTMLView, CHtmlView)
IMPLEMENT_DYNCREATE(CHTMLFrame, CFrameWnd)
IMPLEMENT_DYNAMIC(CTutorialPane, CKTSizingControlBar)

namespace
{

const std::wstring ScriptScheme = L"javascript:";

bool StartsWith(const std::wstring& text, const std::wstring& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

// The decimal number after the prefix; 0 when there is none.
int LinkNumber(const std::wstring& address, size_t prefix)
{
    return static_cast<int>(std::wcstol(address.c_str() + prefix, nullptr, 10));
}

} // namespace

BEGIN_MESSAGE_MAP(CLoadHTMLView, CHtmlView)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_TIMER()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

int CLoadHTMLView::OnCreate(LPCREATESTRUCT lpcs)
{
    // Without a browser the view stays, empty: the pane must not take the program down with it.
    if (CHtmlView::OnCreate(lpcs) == -1 && !m_hWnd)
        return -1;
    return 0;
}

void CLoadHTMLView::OnDestroy()
{
    KillTimer(PendingTimer);
    DeleteTemporaryFile();
    CHtmlView::OnDestroy();
}

BOOL CLoadHTMLView::OnEraseBkgnd(CDC* pDC)
{
    if (GetBrowserWindow())
        return TRUE;
    CRect client;
    GetClientRect(&client);
    ::FillRect(pDC->GetSafeHdc(), &client, ::GetSysColorBrush(COLOR_WINDOW));
    return TRUE;
}

void CLoadHTMLView::DeleteTemporaryFile()
{
    if (!m_temporaryFile.empty())
        ::DeleteFileW(m_temporaryFile.c_str());
}

void CLoadHTMLView::NavigateProgram(const std::wstring& address)
{
    m_programNavigation = true;
    DeleteTemporaryFile();
    NavigateDeferred(address);
}

void CLoadHTMLView::NavigateDeferred(const std::wstring& address)
{
    if (m_waitForPage)
    {
        const READYSTATE state = GetReadyState();
        if (state != READYSTATE_UNINITIALIZED && state != READYSTATE_COMPLETE)
        {
            m_pendingAddress = address;
            SetTimer(PendingTimer, PendingInterval, nullptr);
            return;
        }
    }
    if (address.size() >= ScriptScheme.size() &&
        ::CompareStringOrdinal(address.c_str(), static_cast<int>(ScriptScheme.size()), ScriptScheme.c_str(),
                               static_cast<int>(ScriptScheme.size()), TRUE) == CSTR_EQUAL)
        m_waitForPage = false;
    Navigate2(address.c_str(), 0, nullptr, nullptr, nullptr, 0);
}

void CLoadHTMLView::OnTimer(UINT_PTR id)
{
    if (id != PendingTimer)
    {
        Default();
        return;
    }
    if (m_waitForPage && GetReadyState() != READYSTATE_COMPLETE)
        return;
    KillTimer(PendingTimer);
    if (m_pendingAddress.empty())
        return;
    const std::wstring address = m_pendingAddress;
    m_pendingAddress.clear();
    NavigateDeferred(address);
}

void CLoadHTMLView::OnBeforeNavigate2(LPCTSTR lpszURL, DWORD, LPCTSTR, CByteArray&, LPCTSTR, BOOL* pbCancel)
{
    if (m_programNavigation)
    {
        m_programNavigation = false;
        return;
    }
    bool allowed = m_allowLinks;
    if (m_linkWindow && m_linkWindow->m_hWnd &&
        ::SendMessageW(m_linkWindow->m_hWnd, WM_TUTORIAL_NAVIGATE, 0, reinterpret_cast<LPARAM>(lpszURL)) == 0)
        allowed = false;
    if (!allowed && pbCancel)
        *pbCancel = TRUE;
}

BOOL CLoadHTMLView::PreTranslateMessage(MSG* pMsg)
{
    const bool mine = pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd);
    if (mine)
    {
        // The browser shows no context menu of its own.
        if (pMsg->message == WM_RBUTTONDOWN || pMsg->message == WM_RBUTTONUP || pMsg->message == WM_RBUTTONDBLCLK)
            return TRUE;
        if ((pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN) && pMsg->wParam == VK_F10 &&
            (::GetKeyState(VK_SHIFT) & 0x8000) != 0)
            return TRUE;
    }
    return CHtmlView::PreTranslateMessage(pMsg);
}

BEGIN_MESSAGE_MAP(CTutorialPane, CKTSizingControlBar)
ON_WM_CREATE()
ON_WM_SIZE()
ON_MESSAGE(WM_TUTORIAL_NAVIGATE, &CTutorialPane::OnLinkNavigate)
END_MESSAGE_MAP()

bool CTutorialPane::ShellOpenMaximized(HWND owner, const std::wstring& target)
{
    return reinterpret_cast<INT_PTR>(
               ::ShellExecuteW(owner, L"open", target.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED)) > 32;
}

int CTutorialPane::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CKTSizingControlBar::OnCreate(lpcs) == -1)
        return -1;
    m_tutorialAddress = L"mk:@MSITStore:" + HtmlHelpSeam::ApplicationHelpFile() + L"::/tutorial/Tutorial.htm";
    CHTMLFrame* frame = new CHTMLFrame;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CLoadHTMLView);
    if (!frame->Create(nullptr, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CRect(0, 0, 0, 0), this,
                       nullptr, 0, &context))
        return -1; // the failed creation has deleted the frame
    frame->SetDlgCtrlID(FrameId);
    m_htmlFrame = frame;
    if (CLoadHTMLView* view = GetView())
    {
        view->m_linkWindow = this;
        view->m_allowLinks = true;
        view->NavigateProgram(m_tutorialAddress);
    }
    return 0;
}

CLoadHTMLView* CTutorialPane::GetView() const
{
    if (!m_htmlFrame || !m_htmlFrame->m_hWnd)
        return nullptr;
    return dynamic_cast<CLoadHTMLView*>(
        CWnd::FromHandlePermanent(::GetDlgItem(m_htmlFrame->m_hWnd, AFX_IDW_PANE_FIRST)));
}

void CTutorialPane::OnSize(UINT nType, int cx, int cy)
{
    CKTSizingControlBar::OnSize(nType, cx, cy);
    if (m_htmlFrame && m_htmlFrame->m_hWnd)
        m_htmlFrame->MoveWindow(0, 0, cx, cy);
}

void CTutorialPane::ShowStep(int step)
{
    CLoadHTMLView* view = GetView();
    if (!view)
        return;
    wchar_t script[64];
    std::swprintf(script, 64, L"javascript:SetCurrentStep('Step%d');", step + 1);
    view->NavigateProgram(script);
}

LRESULT CTutorialPane::OnLinkNavigate(WPARAM, LPARAM lParam)
{
    const wchar_t* text = reinterpret_cast<const wchar_t*>(lParam);
    if (!text)
        return 0;
    const std::wstring address = text;
    static const std::wstring open = L"open://", help = L"help://", step = L"step://";
    if (StartsWith(address, open))
    {
        const CNoDocApp* app = dynamic_cast<CNoDocApp*>(AfxGetApp());
        m_shellOpen(m_hWnd, GetWebLinkUrl(app ? app->m_setupNumber : 0, LinkNumber(address, open.size())));
        return 0;
    }
    if (StartsWith(address, help))
    {
        const int topic = LinkNumber(address, help.size());
        const std::wstring file = HtmlHelpSeam::ApplicationHelpFile();
        if (topic == 0)
            HtmlHelpSeam::Show(m_hWnd, file, HelpDisplayTopic, 0);
        else
            HtmlHelpSeam::Show(m_hWnd, file, HelpDisplayContext, static_cast<DWORD_PTR>(topic));
        return 0;
    }
    if (StartsWith(address, step))
    {
        const int number = LinkNumber(address, step.size());
        if (number >= 1 && number <= 10)
            ShowStep(number - 1);
        return 0;
    }
    if (StartsWith(address, L"mk:@MSITStore:") || StartsWith(address, ScriptScheme))
        return 1;
    return 0;
}
