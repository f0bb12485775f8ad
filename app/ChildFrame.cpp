#include "app/ChildFrame.h"

#include "app/MainFrame.h"

IMPLEMENT_DYNAMIC(CConvertingFrame, CMDIChildWnd)
IMPLEMENT_DYNCREATE(CChildFrame, CConvertingFrame)

void CConvertingFrame::UpdateTablePreview(std::unique_ptr<ConvertingTableGrid> grid)
{
    m_lastGrid = std::move(grid);
    ++m_tablePreviews;
}

void CConvertingFrame::UpdateTextPreview(const std::wstring& text)
{
    m_lastText = text;
}

void CConvertingFrame::SetModified(bool modified)
{
    if (modified == m_modified)
        return;
    m_modified = modified;
    UpdateTitle();
}

void CConvertingFrame::SetDocumentName(const std::wstring& name)
{
    m_documentName = name;
    UpdateTitle();
}

std::wstring CConvertingFrame::GetDocumentName() const
{
    const size_t slash = m_documentName.find_last_of(L"\\/");
    return slash == std::wstring::npos ? m_documentName : m_documentName.substr(slash + 1);
}

void CConvertingFrame::UpdateTitle()
{
    std::wstring title = GetDocumentName();
    if (m_modified)
        title += L" *";
    if (m_hWnd)
        ::SetWindowTextW(m_hWnd, title.c_str());
}

BEGIN_MESSAGE_MAP(CChildFrame, CConvertingFrame)
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_WM_DESTROY()
END_MESSAGE_MAP()

BOOL CChildFrame::CreateWithView(CMDIFrameWnd* mainFrame, const std::wstring& title)
{
    if (!Create(nullptr, title.c_str(), WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, rectDefault, mainFrame))
        return FALSE;
    m_view.SetFrame(this);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    return m_view.Create(this, client, CChildView::ViewId);
}

void CChildFrame::OnSize(UINT type, int cx, int cy)
{
    CConvertingFrame::OnSize(type, cx, cy);
    if (m_view.m_hWnd)
        ::MoveWindow(m_view.m_hWnd, 0, 0, cx, cy, TRUE);
}

void CChildFrame::OnSetFocus(CWnd*)
{
    if (m_view.m_hWnd)
        ::SetFocus(m_view.m_hWnd);
}

BOOL CChildFrame::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    // The view has the first go at every command, as a frame's active view does.
    if (m_view.m_hWnd && m_view.OnCmdMsg(id, code, extra, handlerInfo))
        return TRUE;
    return CConvertingFrame::OnCmdMsg(id, code, extra, handlerInfo);
}

void CChildFrame::OnDestroy()
{
    // The main frame must not keep this frame as its print target a moment longer: a hand-off
    // arriving before any posted notice would reach a freed frame.
    if (CConvertingMainFrame* main = dynamic_cast<CConvertingMainFrame*>(GetMDIFrame()))
        main->OnChildFrameDestroyed(this);
    CConvertingFrame::OnDestroy();
}
