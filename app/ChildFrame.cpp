#include "app/ChildFrame.h"

#include <algorithm>
#include <set>

#include "app/AppStrings.h"
#include "app/CommandLine.h"
#include "app/ConvertingApp.h"
#include "app/FileDialogs.h"
#include "app/MainFrame.h"
#include "app/OwnToolbarButtons.h"
#include "pagemodel/JobFolder.h"
#include "uitoolkit/bars/KTFrameDocking.h"
#include "uitoolkit/bars/KTToolbarEditBoxButton.h"

namespace
{

const wchar_t* const SettingsSection = L"Settings";
const wchar_t* const BarHeightEntry = L"SampleBarHeight";
const wchar_t* const BarShowEntry = L"SampleBarShow";
// The label's text until the view puts the page count in.
const wchar_t* const PageCountLabel = L"of %d pages";

CConvertingApp* ConvertingApp()
{
    return dynamic_cast<CConvertingApp*>(AfxGetApp());
}

bool NoUI()
{
    return GetLayoutShell() && GetLayoutShell()->IsNoUI();
}

int AskUser(HWND owner, const std::wstring& text, UINT type)
{
    if (LayoutShell* shell = GetLayoutShell())
        return shell->ShowMessage(owner, text, type);
    return ::MessageBoxW(owner, text.c_str(), L"Kest", type);
}

} // namespace

// --- document-less child frame ---------------------------------------------------------------

IMPLEMENT_DYNAMIC(CNoDocChildFrame, CKTMDIChildWnd)

BEGIN_MESSAGE_MAP(CNoDocChildFrame, CKTMDIChildWnd)
ON_WM_SETFOCUS()
ON_WM_SIZE()
ON_WM_MDIACTIVATE()
ON_COMMAND(CNoDocChildFrame::CloseCommand, &CNoDocChildFrame::OnCloseCommand)
END_MESSAGE_MAP()

BOOL CNoDocChildFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CKTMDIChildWnd::PreCreateWindow(cs))
        return FALSE;
    cs.style =
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE | WS_MAXIMIZE;
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    // A new frame follows the active one: maximized only when that one is. The parent named here
    // is the main frame, or its client area when a caller names that.
    CWnd* parent = CWnd::FromHandle(cs.hwndParent);
    CMDIFrameWnd* main = dynamic_cast<CMDIFrameWnd*>(parent);
    if (!main && parent)
        main = dynamic_cast<CMDIFrameWnd*>(parent->GetParent());
    if (main)
    {
        BOOL maximized = FALSE;
        if (CMDIChildWnd* active = main->MDIGetActive(&maximized))
            if (active->m_hWnd && !maximized)
                cs.style &= ~WS_MAXIMIZE;
    }
    return TRUE;
}

BOOL CNoDocChildFrame::LoadFrame(UINT resourceId, DWORD defaultStyle, CWnd* parent, CCreateContext* context)
{
    CMultiDocTemplate* docTemplate = context ? dynamic_cast<CMultiDocTemplate*>(context->m_pNewDocTemplate) : nullptr;
    if (!docTemplate)
    {
        // No window was made: the frame goes as a failed creation takes it.
        PostNcDestroy();
        return FALSE;
    }
    SetHandles(docTemplate->m_hMenuShared, docTemplate->m_hAccelTable);
    LPCTSTR windowClass = PrepareLoadFrame(resourceId);
    m_strTitle.Empty();
    CMDIFrameWnd* main = dynamic_cast<CMDIFrameWnd*>(parent);
    // A failed creation has deleted the frame.
    return Create(windowClass, L"", defaultStyle, rectDefault, main, context);
}

void CNoDocChildFrame::OnSetFocus(CWnd* old)
{
    CKTMDIChildWnd::OnSetFocus(old);
    if (HWND view = ::GetDlgItem(m_hWnd, ViewId))
        ::SetFocus(view);
}

void CNoDocChildFrame::OnSize(UINT type, int cx, int cy)
{
    CKTMDIChildWnd::OnSize(type, cx, cy);
    // Maximized, the system names the frame in the main title; otherwise the program does.
    if (CMDIFrameWnd* main = GetMDIFrame())
        main->OnUpdateFrameTitle(TRUE);
}

void CNoDocChildFrame::OnMDIActivate(BOOL activate, CWnd* activated, CWnd* deactivated)
{
    CKTMDIChildWnd::OnMDIActivate(activate, activated, deactivated);
    // The last frame going leaves the plain program title.
    if (CMDIFrameWnd* main = GetMDIFrame())
        main->OnUpdateFrameTitle(activate || activated != nullptr);
}

bool CNoDocChildFrame::IsWaitingForModal() const
{
    // A view waiting in a question or dialog must not lose its window under it.
    const CNoDocMainFrame* main = dynamic_cast<const CNoDocMainFrame*>(GetMDIFrame());
    return main && main->IsWaitingForModal();
}

void CNoDocChildFrame::OnCloseCommand()
{
    PostMessage(WM_CLOSE);
}

BOOL CNoDocChildFrame::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    // The view has the first go at every command, as a frame's active view does.
    if (CWnd* view = CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, ViewId)))
        if (view->OnCmdMsg(id, code, extra, handlerInfo))
            return TRUE;
    return CKTMDIChildWnd::OnCmdMsg(id, code, extra, handlerInfo);
}

// --- table-conversion frame ------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CConvertingFrame, CNoDocChildFrame)

BEGIN_MESSAGE_MAP(CConvertingFrame, CNoDocChildFrame)
ON_WM_CREATE()
ON_WM_CLOSE()
ON_WM_SIZE()
ON_WM_MDIACTIVATE()
ON_COMMAND(CConvertingFrame::PreviewBarCommand, &CConvertingFrame::OnPreviewBar)
ON_UPDATE_COMMAND_UI(CConvertingFrame::PreviewBarCommand, &CConvertingFrame::OnUpdatePreviewBar)
END_MESSAGE_MAP()

CConvertingFrame::CConvertingFrame() = default;

CConvertingFrame::~CConvertingFrame()
{
    // The bar's window dies with the frame's; its object must not outlive its dock bar's list.
    if (m_previewBar && m_previewBar->m_hWnd)
        m_previewBar->DestroyWindow();
}

int CConvertingFrame::BarHeightFor(int percent, int frameHeight)
{
    return std::max((percent * frameHeight + 99) / 100, MinBarHeight);
}

std::unique_ptr<CConvertingSampleBar> CConvertingFrame::CreatePreviewBar()
{
    return std::make_unique<CConvertingSampleBar>();
}

int CConvertingFrame::OnCreate(LPCREATESTRUCT create)
{
    if (CNoDocChildFrame::OnCreate(create) == -1)
        return -1;
    m_previewBar = CreatePreviewBar();
    if (m_previewBar)
    {
        const std::wstring title = LoadAppString(PreviewTitleId);
        if (!m_previewBar->Create(title.c_str(), this, CSize(150, 150), TRUE, PreviewBarId,
                                  WS_CHILD | WS_VISIBLE | CBRS_BOTTOM))
        {
            m_previewBar.reset();
            return -1;
        }
    }
    if (HasPageToolbar() && !CreatePageBar())
        return -1;
    int percent = static_cast<int>(AfxGetApp()->GetProfileInt(SettingsSection, BarHeightEntry, DefaultBarPercent));
    percent = std::min(std::max(percent, 0), MaxBarPercent);
    m_frameHeight = create->cy;
    if (m_previewBar)
        SetBarHeight(BarHeightFor(percent, m_frameHeight));
    if (m_pageBar.m_hWnd)
        m_pageBar.EnableDocking(CBRS_ALIGN_BOTTOM);
    if (m_previewBar)
        m_previewBar->EnableDocking(CBRS_ALIGN_BOTTOM);
    EnableFrameDocking(this, CBRS_ALIGN_ANY);
    // The page bar first: it sits between the page and the preview.
    if (m_pageBar.m_hWnd)
        DockControlBar(&m_pageBar, AFX_IDW_DOCKBAR_BOTTOM);
    if (m_previewBar)
    {
        DockControlBar(m_previewBar.get(), AFX_IDW_DOCKBAR_BOTTOM);
        bool show = AfxGetApp()->GetProfileInt(SettingsSection, BarShowEntry, 1) == 1;
        if (const CConvertingApp* app = ConvertingApp())
        {
            if (app->m_displayFlags & CommandLine::DisplayPreviewOn)
                show = true;
            else if (app->m_displayFlags & CommandLine::DisplayPreviewOff)
                show = false;
        }
        ShowControlBar(m_previewBar.get(), show ? TRUE : FALSE, FALSE);
    }
    return 0;
}

bool CConvertingFrame::CreatePageBar()
{
    const DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_FIXED;
    if (!m_pageBar.CreateEx(this, TBSTYLE_FLAT, style, CRect(1, 1, 1, 1), PageBarId))
        return false;
    m_pageBar.SetBarStyle(m_pageBar.GetBarStyle() & ~CBRS_GRIPPER);
    if (!m_pageBar.LoadToolBar(PageBarResourceId, 0, 0, TRUE))
        return false;
    const CKTPageBoxButton box(CurrentPageCommand, ES_NUMBER | ES_AUTOHSCROLL, PageBoxWidth);
    const CKTLabelButton label(PageCountLabel, PageCountCommand);
    return m_pageBar.ReplaceButton(CurrentPageCommand, box) == 1 &&
           m_pageBar.ReplaceButton(PageCountCommand, label) == 1;
}

CKTPageBoxButton* CConvertingFrame::GetPageBox() const
{
    if (!m_pageBar.m_hWnd)
        return nullptr;
    CKTToolbarButton* button = m_pageBar.GetButton(m_pageBar.CommandToIndex(CurrentPageCommand));
    return button && button->IsKindOf(RUNTIME_CLASS(CKTPageBoxButton)) ? static_cast<CKTPageBoxButton*>(button)
                                                                       : nullptr;
}

int32_t CConvertingFrame::GetCurrentPage() const
{
    const CKTPageBoxButton* box = GetPageBox();
    if (!box)
        return m_currentPage;
    CString text = box->GetContents();
    if (CEdit* edit = box->GetEditBox(); edit && edit->m_hWnd)
        edit->GetWindowText(text);
    text.Trim();
    if (text.IsEmpty())
        return 0;
    int64_t page = 0;
    for (int i = 0; i < text.GetLength(); ++i)
    {
        const wchar_t c = text[i];
        if (c < L'0' || c > L'9')
            return 0;
        page = page * 10 + (c - L'0');
        // Beyond any page count: no page, as a word would be.
        if (page > INT32_MAX)
            return 0;
    }
    return static_cast<int32_t>(page);
}

void CConvertingFrame::SetCurrentPage(int32_t page)
{
    m_currentPage = page;
    if (CKTPageBoxButton* box = GetPageBox())
        box->ShowPage(std::to_wstring(page).c_str());
}

BOOL CConvertingFrame::PreTranslateMessage(MSG* msg)
{
    // Enter in the page box goes to the typed page; the box's own notices only copy its text.
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN)
        if (const CKTPageBoxButton* box = GetPageBox();
            box && box->GetEditBox() && msg->hwnd == box->GetEditBox()->m_hWnd)
        {
            SendMessage(WM_COMMAND, CurrentPageCommand);
            return TRUE;
        }
    return CNoDocChildFrame::PreTranslateMessage(msg);
}

void CConvertingFrame::RecalcLayout(BOOL notify)
{
    CNoDocChildFrame::RecalcLayout(notify);
    CentrePageBar();
}

void CConvertingFrame::CentrePageBar()
{
    CWnd* dockBar = m_pageBar.m_hWnd ? m_pageBar.GetParent() : nullptr;
    if (!dockBar || m_pageBar.IsFloating())
        return;
    CRect client, bar;
    GetClientRect(&client);
    m_pageBar.GetWindowRect(&bar);
    dockBar->ScreenToClient(&bar);
    CPoint left(std::max(0, (client.Width() - bar.Width()) / 2), 0);
    ClientToScreen(&left);
    dockBar->ScreenToClient(&left);
    if (left.x != bar.left)
        m_pageBar.SetWindowPos(nullptr, left.x, bar.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CConvertingFrame::SetBarHeight(int height)
{
    if (!m_previewBar)
        return;
    CSize size = m_previewBar->GetHorzSize();
    size.cy = height;
    m_previewBar->SetHorzSize(size);
}

void CConvertingFrame::SaveBarHeight()
{
    if (m_frameHeight == 0 || !m_previewBar)
        return;
    const int percent = m_previewBar->GetHorzSize().cy * 100 / m_frameHeight;
    AfxGetApp()->WriteProfileInt(SettingsSection, BarHeightEntry, percent);
}

void CConvertingFrame::OnSize(UINT type, int cx, int cy)
{
    CNoDocChildFrame::OnSize(type, cx, cy);
    if (m_previewBar && m_previewBar->m_hWnd && cy > 0 && m_frameHeight > 0 && cy != m_frameHeight)
    {
        const int percent = m_previewBar->GetHorzSize().cy * 100 / m_frameHeight;
        SetBarHeight(BarHeightFor(percent, cy));
        RecalcLayout();
    }
    m_frameHeight = cy;
}

void CConvertingFrame::OnMDIActivate(BOOL activate, CWnd* activated, CWnd* deactivated)
{
    CNoDocChildFrame::OnMDIActivate(activate, activated, deactivated);
    // The main frame's mode buttons, zoom box and this frame's preview show this view from now.
    if (activate)
        if (LayoutView* view = GetLayoutView())
            view->OnActivateView();
}

void CConvertingFrame::OnClose()
{
    if (IsWaitingForModal())
        return;
    CConvertingApp* app = ConvertingApp();
    LayoutView* view = GetLayoutView();
    if (app && view && (app->m_runFlags & CommandLine::RunConvert) != 0)
    {
        if (app->IsTextSelectionMode())
            app->SetSelectionMode(0);
        if (!view->CanClose())
            return;
    }
    if (m_previewBar && m_previewBar->m_hWnd)
    {
        const bool visible = m_previewBar->IsWindowVisible() != FALSE;
        AfxGetApp()->WriteProfileInt(SettingsSection, BarShowEntry, visible ? 1 : 0);
        if (visible && !IsIconic())
            SaveBarHeight();
    }
    CNoDocChildFrame::OnClose();
}

void CConvertingFrame::OnPreviewBar()
{
    if (!m_previewBar || !m_previewBar->m_hWnd)
        return;
    const bool show = !m_previewBar->IsWindowVisible();
    ShowControlBar(m_previewBar.get(), show ? TRUE : FALSE, FALSE);
    if (show)
        m_previewBar->ShowContent();
}

void CConvertingFrame::OnUpdatePreviewBar(CCmdUI* ui)
{
    const bool exists = m_previewBar && m_previewBar->m_hWnd;
    ui->Enable(exists ? TRUE : FALSE);
    ui->SetCheck(exists && m_previewBar->IsWindowVisible() ? 1 : 0);
}

void CConvertingFrame::UpdateTablePreview(std::unique_ptr<ConvertingTableGrid> grid)
{
    if (!m_previewBar || !m_previewBar->m_hWnd)
        return;
    LayoutView* view = GetLayoutView();
    static const std::set<int32_t> none;
    m_previewBar->SetPreviewTable(std::move(grid), view ? &view->GetLayout() : nullptr,
                                  view ? view->GetSelection() : none, view ? view->GetSelectionKind() : 0);
}

void CConvertingFrame::UpdateTextPreview(const std::wstring& text)
{
    if (m_previewBar && m_previewBar->m_hWnd)
        m_previewBar->SetPreviewText(text);
}

bool CConvertingFrame::Find(const OxTextFindInterface& search)
{
    LayoutView* view = GetLayoutView();
    if (!view)
        return false;
    view->FindTyped(search);
    return true;
}

void CConvertingFrame::Refresh()
{
    if (CWnd* view = CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, ViewId)))
        view->Invalidate();
    if (LayoutView* view = GetLayoutView())
        view->UpdatePreview();
    if (m_previewBar)
        m_previewBar->OnRefresh();
}

int32_t CConvertingFrame::GetColumnMode() const
{
    const LayoutView* view = GetLayoutView();
    return view ? view->GetSelectionKind() : 0;
}

bool CConvertingFrame::AskOutputFileName(const std::wstring& proposed, std::wstring& chosen)
{
    CFileDialogEx dialog(FALSE, L"xls", proposed.c_str(),
                         OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_ENABLESIZING | OFN_HIDEREADONLY,
                         L"Excel Files (*.xls)|*.xls|All Files (*.*)|*.*||", this);
    if (dialog.DoModal() != IDOK)
        return false;
    chosen = static_cast<LPCWSTR>(dialog.GetPathName());
    return true;
}

std::wstring CConvertingFrame::GetOutputFileName()
{
    std::wstring name = m_documentPath;
    const size_t dot = name.rfind(L'.');
    const size_t slash = name.find_last_of(L"\\/");
    if (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash))
        name.erase(dot);
    LayoutShell* shell = GetLayoutShell();
    if (!name.empty())
    {
        if (shell && shell->GetOptions().m_target != TargetExcelFile)
            return std::wstring();
        name += L".xls";
        if (NoUI())
            return name;
    }
    else if (NoUI())
        return std::wstring();
    const bool askName = ConvertingApp() && ConvertingApp()->Options().m_askForFilename;
    if (!askName && !name.empty())
    {
        const DWORD attributes = ::GetFileAttributesW(name.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return name;
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        {
            wchar_t text[1024] = {};
            const std::wstring format = LoadAppString(OverwriteQuestionId);
            _snwprintf_s(text, _countof(text), _TRUNCATE, format.c_str(), name.c_str());
            const int answer = AskUser(m_hWnd, text, MB_YESNOCANCEL | MB_ICONQUESTION);
            if (answer == IDYES)
                return name;
            if (answer != IDNO)
                return std::wstring();
        }
    }
    std::wstring chosen;
    return AskOutputFileName(name, chosen) ? chosen : std::wstring();
}

// --- printed-page frame ----------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CChildFrame, CConvertingFrame)

BEGIN_MESSAGE_MAP(CChildFrame, CConvertingFrame)
ON_WM_CREATE()
ON_WM_CLOSE()
ON_WM_MDIACTIVATE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

BOOL CChildFrame::CreateWithView(CMDIFrameWnd* mainFrame, const std::wstring& title)
{
    m_view.SetFrame(this);
    return Create(nullptr, title.c_str(), WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, rectDefault, mainFrame);
}

LayoutView* CChildFrame::GetLayoutView() const
{
    return m_view.m_hWnd ? const_cast<CChildView*>(&m_view) : nullptr;
}

int CChildFrame::OnCreate(LPCREATESTRUCT create)
{
    // The frame embeds its view: the template's view class must not make a second one.
    CCreateContext* context = static_cast<CCreateContext*>(create->lpCreateParams);
    if ((create->dwExStyle & WS_EX_MDICHILD) != 0 && create->lpCreateParams)
        context = reinterpret_cast<CCreateContext*>(static_cast<MDICREATESTRUCT*>(create->lpCreateParams)->lParam);
    if (context)
        context->m_pNewViewClass = nullptr;
    m_view.SetFrame(this);
    if (CConvertingFrame::OnCreate(create) == -1)
        return -1;
    if (!m_view.Create(this, CRect(0, 0, 0, 0), ViewId))
        return -1;
    RecalcLayout();
    return 0;
}

void CChildFrame::OnClose()
{
    if (IsWaitingForModal())
        return;
    if (m_modified && !m_printed)
    {
        const int answer = AskUser(m_hWnd, LoadAppString(SaveQuestionId), MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDCANCEL)
            return;
        if (answer == IDYES && !m_view.SaveDocument())
            return;
    }
    CConvertingFrame::OnClose();
}

void CChildFrame::OnMDIActivate(BOOL activate, CWnd* activated, CWnd* deactivated)
{
    CConvertingFrame::OnMDIActivate(activate, activated, deactivated);
    if (!activate)
        if (CWnd* main = AfxGetMainWnd())
            main->PostMessage(WM_CHILDFRAME_DEACTIVATED);
}

void CChildFrame::OnDestroy()
{
    // The main frame must not keep this frame as its print target a moment longer: a hand-off
    // arriving before the posted notice would reach a freed frame.
    CConvertingMainFrame* main = dynamic_cast<CConvertingMainFrame*>(GetMDIFrame());
    if (main)
    {
        main->OnChildFrameDestroyed(this);
        main->PostMessage(WM_CHILDFRAME_DESTROYED);
    }
    CConvertingFrame::OnDestroy();
}

void CChildFrame::PostNcDestroy()
{
    // A print job's file is a temporary file: it goes with its frame, once the view let go of it.
    const std::wstring job = m_printed ? m_documentPath : std::wstring();
    m_view.GetWorkFile().Close();
    if (!job.empty())
    {
        ::DeleteFileW(job.c_str());
        // Temporary archives that killed writes left beside it go with the job.
        const size_t slash = job.find_last_of(L"\\/");
        if (slash != std::wstring::npos)
            RemoveUnusedTemporaryFiles(job.substr(0, slash));
    }
    CConvertingFrame::PostNcDestroy();
}

BOOL CChildFrame::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    // Save As must reach the frame after the view saved: the frame's path and print state follow.
    if (id == SaveAsCommand && code == CN_COMMAND && !extra && !handlerInfo && m_view.m_hWnd)
    {
        SaveAs();
        return TRUE;
    }
    return CConvertingFrame::OnCmdMsg(id, code, extra, handlerInfo);
}

bool CChildFrame::SaveAs()
{
    if (!m_view.SaveDocumentAs())
        return false;
    const std::wstring saved = m_view.GetWorkFile().GetFileName();
    if (m_printed)
    {
        // The job's copy was saved as the user's document: it is no temporary file any more, no
        // further job joins it, and closing it must not delete what the user just saved.
        const std::wstring job = m_documentPath;
        m_printed = false;
        if (CConvertingMainFrame* main = dynamic_cast<CConvertingMainFrame*>(GetMDIFrame()))
            if (main->GetPrintTarget() == this)
                main->SetPrintTarget(nullptr);
        if (::CompareStringOrdinal(job.c_str(), -1, saved.c_str(), -1, TRUE) != CSTR_EQUAL)
            ::DeleteFileW(job.c_str());
    }
    SetDocumentPath(saved);
    return true;
}

std::wstring CChildFrame::GetOutputFileName()
{
    if (!m_printed)
        return CConvertingFrame::GetOutputFileName();
    // A job's file lies in the job folder under a made-up name: the user picks the output.
    std::wstring path;
    path.swap(m_documentPath);
    const std::wstring name = CConvertingFrame::GetOutputFileName();
    m_documentPath.swap(path);
    return name;
}

void CChildFrame::SetDocumentPath(const std::wstring& path)
{
    CConvertingFrame::SetDocumentPath(path);
    UpdateTitle();
}

void CChildFrame::SetModified(bool modified)
{
    if (modified == m_modified)
        return;
    m_modified = modified;
    if (!m_printed)
        UpdateTitle();
}

void CChildFrame::SetDocumentName(const std::wstring& name)
{
    const size_t slash = name.find_last_of(L"\\/");
    m_documentName = slash == std::wstring::npos ? name : name.substr(slash + 1);
    UpdateTitle();
}

void CChildFrame::SetPrinted(bool printed)
{
    m_printed = printed;
    UpdateTitle();
}

void CChildFrame::UpdateTitle()
{
    std::wstring title = m_documentName;
    if (!m_printed)
    {
        title += L" - [" + m_documentPath + L"]";
        if (m_modified)
            title += L"*";
    }
    // The framework's own title updates show the same text.
    SetTitle(title.c_str());
    if (m_hWnd)
    {
        ::SetWindowTextW(m_hWnd, title.c_str());
        if (CFrameWnd* main = GetMDIFrame())
            main->OnUpdateFrameTitle(TRUE);
    }
}
