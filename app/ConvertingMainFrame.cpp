#include "app/ConvertingMainFrame.h"

#include "app/ConvertingApp.h"
#include "app/PrintedFileHandoff.h"
#include "framework/AfxCommDlg.h"
#include "framework/AfxMsgMap.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/bars/KTToolbarComboBoxButton.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"
#include "uitoolkit/customize/KTCommandManager.h"

IMPLEMENT_DYNAMIC(CConvertingMainFrame, CNoDocMainFrame)

namespace
{

const UINT FindReplaceMessage = CFindReplaceDialog::GetFindReplaceMessage();

ConvertingOptions* AppOptions()
{
    CConvertingApp* app = dynamic_cast<CConvertingApp*>(AfxGetApp());
    return app ? &app->Options() : nullptr;
}

int CommandImage(UINT command)
{
    return CKTCommandManager::GetInstance()->GetCmdImage(command, FALSE);
}

// The part of the command's string after its first line break.
bool LoadTooltip(UINT stringId, CString& text)
{
    CString full;
    if (!full.LoadString(stringId))
        return false;
    const int newline = full.Find(L'\n');
    text = newline < 0 ? full : full.Mid(newline + 1);
    return true;
}

} // namespace

BEGIN_MESSAGE_MAP(CConvertingMainFrame, CNoDocMainFrame)
ON_WM_COPYDATA()
ON_COMMAND(CConvertingMainFrame::FindCommand, &CConvertingMainFrame::OnFind)
ON_UPDATE_COMMAND_UI(CConvertingMainFrame::FindCommand, &CConvertingMainFrame::OnUpdateFind)
ON_REGISTERED_MESSAGE(FindReplaceMessage, &CConvertingMainFrame::OnFindReplace)
ON_MESSAGE(CConvertingMainFrame::WM_MENDTITLE, &CConvertingMainFrame::OnMendTitle)
END_MESSAGE_MAP()

void CConvertingMainFrame::SetButtonImage(UINT command, int image)
{
    CObList buttons;
    CKTToolBar::GetCommandButtons(command, buttons);
    for (POSITION position = buttons.GetHeadPosition(); position;)
    {
        CKTToolbarButton* button = static_cast<CKTToolbarButton*>(buttons.GetNext(position));
        button->SetImage(image);
        if (button->m_pWndParent && button->m_pWndParent->m_hWnd)
            button->m_pWndParent->Invalidate();
    }
}

void CConvertingMainFrame::RestorePopupButtons()
{
    for (UINT command : {SelectionModeCommand, ColumnModeCommand})
    {
        CObList buttons;
        CKTToolBar::GetCommandButtons(command, buttons);
        for (POSITION position = buttons.GetHeadPosition(); position;)
            if (CKTToolbarMenuButton* menu = dynamic_cast<CKTToolbarMenuButton*>(buttons.GetNext(position)))
                menu->SetMenuOnly(TRUE);
    }
}

void CConvertingMainFrame::RefreshAfterLayoutChange(bool) {}

void CConvertingMainFrame::UpdateConvertButton(CWnd*)
{
    const ConvertingOptions* options = AppOptions();
    const UINT target = options ? options->GetTargetCommand() : 0;
    if (target != 0)
        SetButtonImage(ConvertCommand, CommandImage(target));
}

void CConvertingMainFrame::UpdateSelectionModeButton()
{
    const int image =
        CommandImage(CConvertingApp::IsTextSelectionModeOfApp() ? TextSelectionCommand : TableEditingCommand);
    CKTCommandManager::GetInstance()->SetCmdImage(SelectionModeCommand, image, FALSE);
    SetButtonImage(SelectionModeCommand, image);
}

void CConvertingMainFrame::SetColumnModeButton(CWnd*, int32_t kind)
{
    if (kind < 0 || kind > 2)
        return;
    const int image = CommandImage(ColumnsCommand + static_cast<UINT>(kind));
    CKTCommandManager::GetInstance()->SetCmdImage(ColumnModeCommand, image, FALSE);
    SetButtonImage(ColumnModeCommand, image);
}

void CConvertingMainFrame::FillZoomComboButton(CKTToolbarComboBoxButton& button)
{
    static const wchar_t* const zooms[] = {L"25%", L"50%", L"75%", L"100%", L"150%", L"200%", L"500%"};
    UINT command = FirstZoomCommand;
    for (const wchar_t* zoom : zooms)
        button.AddItem(zoom, command++);
    button.m_strText = L"Zoom Box";
}

void CConvertingMainFrame::ShowZoom(HWND view, int32_t zoom)
{
    // A view in a frame behind the active one keeps its zoom to itself.
    if (CMDIChildWnd* active = m_hWndMDIClient ? MDIGetActive() : nullptr)
        if (view && active->m_hWnd && !::IsChild(active->m_hWnd, view))
            return;
    CString text;
    text.Format(L"%d%%", zoom);
    CObList buttons;
    CKTToolBar::GetCommandButtons(ZoomBoxCommand, buttons);
    for (POSITION position = buttons.GetHeadPosition(); position;)
        if (CKTToolbarComboBoxButton* box = dynamic_cast<CKTToolbarComboBoxButton*>(buttons.GetNext(position)))
            box->SetText(text);
}

bool CConvertingMainFrame::GetZoomBoxText(std::wstring& text)
{
    const LPCTSTR shown = CKTToolbarComboBoxButton::GetTextByCommand(ZoomBoxCommand);
    if (!shown)
        return false;
    text = shown;
    return true;
}

BOOL CConvertingMainFrame::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN)
    {
        // The key reaches the box's edit, a child of the combo box.
        const HWND combo = ::GetParent(msg->hwnd);
        CObList buttons;
        CKTToolBar::GetCommandButtons(ZoomBoxCommand, buttons);
        for (POSITION position = buttons.GetHeadPosition(); position;)
        {
            CKTToolbarComboBoxButton* box = dynamic_cast<CKTToolbarComboBoxButton*>(buttons.GetNext(position));
            const HWND boxWindow = box && box->GetComboBox() ? box->GetComboBox()->m_hWnd : nullptr;
            if (boxWindow && (msg->hwnd == boxWindow || combo == boxWindow))
            {
                CString typed;
                box->GetComboBox()->GetWindowText(typed);
                box->SetText(typed);
                SendMessage(WM_COMMAND, ZoomBoxCommand);
                return TRUE;
            }
        }
    }
    return CNoDocMainFrame::PreTranslateMessage(msg);
}

BOOL CConvertingMainFrame::GetToolbarButtonToolTipText(CKTToolbarButton* pButton, CString& strTTText)
{
    if (!pButton)
        return FALSE;
    UINT stringId = 0;
    switch (pButton->m_nID)
    {
    case SelectionModeCommand:
        stringId = CConvertingApp::IsTextSelectionModeOfApp() ? TextSelectionCommand : TableEditingCommand;
        break;
    case ColumnModeCommand: {
        int32_t kind = 0;
        if (CChildFrame* frame = GetActiveChildFrame())
            kind = frame->GetColumnMode();
        stringId = ColumnsCommand + static_cast<UINT>(kind >= 0 && kind <= 2 ? kind : 0);
        break;
    }
    case ConvertCommand: {
        const ConvertingOptions* options = AppOptions();
        stringId = options ? options->GetTargetCommand() : 0;
        break;
    }
    default:
        return FALSE;
    }
    return stringId != 0 && LoadTooltip(stringId, strTTText);
}

void CConvertingMainFrame::OnUpdateFrameTitle(BOOL addToTitle)
{
    BOOL maximized = FALSE;
    CMDIChildWnd* active = m_hWndMDIClient ? MDIGetActive(&maximized) : nullptr;
    CString name;
    if (addToTitle && active)
    {
        if (CConvertingFrame* frame = dynamic_cast<CConvertingFrame*>(active))
            name = frame->GetDocumentName().c_str();
        if (name.IsEmpty())
            active->GetWindowText(name);
    }
    if (!active || !maximized)
    {
        UpdateFrameTitleForDocument(name.IsEmpty() ? nullptr : static_cast<LPCTSTR>(name));
        return;
    }
    // Maximized, the system puts the document window's whole title, brackets and path, in
    // brackets after the program's name. The title names the document as it does otherwise; the
    // system's own later updates start from the program's name alone, and are mended once the
    // message that made them has been handled.
    const CString text = name.IsEmpty() ? m_strTitle : name + L" - " + m_strTitle;
    CString current;
    GetWindowText(current);
    if (current == text)
        return;
    ::DefFrameProcW(m_hWnd, m_hWndMDIClient, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(static_cast<LPCWSTR>(m_strTitle)));
    ::DefWindowProcW(m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(static_cast<LPCWSTR>(text)));
    PostMessage(WM_MENDTITLE);
}

LRESULT CConvertingMainFrame::OnMendTitle(WPARAM, LPARAM)
{
    OnUpdateFrameTitle(TRUE);
    return 0;
}

CChildFrame* CConvertingMainFrame::GetActiveChildFrame() const
{
    return m_hWndMDIClient ? dynamic_cast<CChildFrame*>(MDIGetActive()) : nullptr;
}

void CConvertingMainFrame::OnUpdateFind(CCmdUI* ui)
{
    ui->Enable(CConvertingApp::IsTextSelectionModeOfApp() && GetActiveChildFrame() != nullptr);
}

void CConvertingMainFrame::OnFind()
{
    if (m_findDialog)
    {
        m_findDialog->SetActiveWindow();
        m_findDialog->BringWindowToTop();
        return;
    }
    CFindReplaceDialog* dialog = new CFindReplaceDialog;
    const DWORD flags = (m_searchDown ? FR_DOWN : 0) | (m_matchCase ? FR_MATCHCASE : 0) | FR_HIDEWHOLEWORD;
    if (!dialog->Create(TRUE, m_findText.c_str(), nullptr, flags, this))
        return; // the failed creation has deleted the dialog
    m_findDialog = dialog;
}

LRESULT CConvertingMainFrame::OnFindReplace(WPARAM, LPARAM lParam)
{
    CFindReplaceDialog* dialog = CFindReplaceDialog::GetNotifier(lParam);
    if (!dialog)
        return 0;
    if (dialog->IsTerminating())
    {
        if (dialog == m_findDialog)
            m_findDialog = nullptr;
        return 0;
    }
    CConvertingFrame* frame = m_hWndMDIClient ? dynamic_cast<CConvertingFrame*>(MDIGetActive()) : nullptr;
    if (!dialog->FindNext() || !frame)
        return 0;
    m_findText = static_cast<LPCWSTR>(dialog->GetFindString());
    m_searchDown = dialog->SearchDown() != FALSE;
    m_matchCase = dialog->MatchCase() != FALSE;
    frame->Find(*this);
    return 0;
}

bool CConvertingMainFrame::GetFindDialogRect(RECT& rect) const
{
    if (!m_findDialog || !m_findDialog->m_hWnd)
        return false;
    return ::GetWindowRect(m_findDialog->m_hWnd, &rect) != FALSE;
}

void CConvertingMainFrame::MoveFindDialogAway()
{
    RECT dialog = {};
    if (!GetFindDialogRect(dialog))
        return;
    RECT desktop = {};
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    const POINT centre = {(desktop.left + desktop.right) / 2, (desktop.top + desktop.bottom) / 2};
    int left = dialog.left;
    int top = dialog.top;
    if (::PtInRect(&dialog, centre))
        top += dialog.bottom - dialog.top;
    else
        left = desktop.right - dialog.right;
    ::SetWindowPos(m_findDialog->m_hWnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CConvertingMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CNoDocMainFrame::PreCreateWindow(cs))
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
        if (CConvertingFrame* frame = dynamic_cast<CConvertingFrame*>(CWnd::FromHandlePermanent(child)))
            frame->Refresh();
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
    return CNoDocMainFrame::OnCopyData(sender, data);
}
