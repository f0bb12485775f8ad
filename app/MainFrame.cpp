#include "app/MainFrame.h"

#include "app/ChildFrame.h"
#include "app/PrintedFileHandoff.h"

IMPLEMENT_DYNAMIC(CConvertingMainFrame, CMDIFrameWnd)
IMPLEMENT_DYNCREATE(CMainFrame, CConvertingMainFrame)

BEGIN_MESSAGE_MAP(CConvertingMainFrame, CMDIFrameWnd)
ON_WM_COPYDATA()
END_MESSAGE_MAP()

void CConvertingMainFrame::SetColumnModeButton(CWnd*, int32_t kind)
{
    m_columnModeButtons.push_back(kind);
}

void CConvertingMainFrame::UpdateConvertButton(CWnd*)
{
    ++m_convertButtonUpdates;
}

void CConvertingMainFrame::RefreshAfterLayoutChange(bool)
{
    ++m_refreshes;
}

bool CConvertingMainFrame::GetFindDialogRect(RECT&) const
{
    return false;
}

BOOL CConvertingMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CMDIFrameWnd::PreCreateWindow(cs))
        return FALSE;
    // The framework's frame class under the name a starting copy looks for.
    WNDCLASSW windowClass = {};
    if (!::GetClassInfoW(AfxGetInstanceHandle(), MainFrameClassName, &windowClass))
    {
        if (!::GetClassInfoW(AfxGetInstanceHandle(), cs.lpszClass, &windowClass) &&
            !::GetClassInfoW(nullptr, cs.lpszClass, &windowClass))
            return FALSE;
        windowClass.hInstance = AfxGetInstanceHandle();
        windowClass.lpszClassName = MainFrameClassName;
        if (!AfxRegisterClass(&windowClass))
            return FALSE;
    }
    cs.lpszClass = MainFrameClassName;
    return TRUE;
}

void CConvertingMainFrame::RefreshChildFrames()
{
    if (!m_hWndMDIClient)
        return;
    for (HWND child = ::GetWindow(m_hWndMDIClient, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        ::RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CConvertingMainFrame::PostToChildFrames(UINT command)
{
    if (!m_hWndMDIClient)
        return;
    for (HWND child = ::GetWindow(m_hWndMDIClient, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (dynamic_cast<CConvertingFrame*>(CWnd::FromHandlePermanent(child)))
            ::PostMessageW(child, WM_COMMAND, command, 0);
}

CChildFrame* CConvertingMainFrame::FindChildFrame(const std::wstring& path) const
{
    if (!m_hWndMDIClient || path.empty())
        return nullptr;
    for (HWND child = ::GetWindow(m_hWndMDIClient, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    {
        CChildFrame* frame = dynamic_cast<CChildFrame*>(CWnd::FromHandlePermanent(child));
        if (!frame)
            continue;
        const std::wstring& shown = frame->GetDocumentPath();
        if (::CompareStringOrdinal(shown.c_str(), static_cast<int>(shown.size()), path.c_str(),
                                   static_cast<int>(path.size()), TRUE) == CSTR_EQUAL)
            return frame;
    }
    return nullptr;
}

void CConvertingMainFrame::OnChildFrameDestroyed(CChildFrame* frame)
{
    if (m_printTarget == frame)
        m_printTarget = nullptr;
}

BOOL CConvertingMainFrame::OnCopyData(CWnd* sender, COPYDATASTRUCT* data)
{
    bool handled = false;
    PrintJobReceiver* receiver = dynamic_cast<PrintJobReceiver*>(AfxGetApp());
    if (receiver)
    {
        const LRESULT answer = AnswerCopyData(m_hWnd, data, *receiver, handled);
        if (handled)
            return static_cast<BOOL>(answer);
    }
    return CMDIFrameWnd::OnCopyData(sender, data);
}
