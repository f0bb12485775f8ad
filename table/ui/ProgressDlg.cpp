#include "table/ui/ProgressDlg.h"

#include "table/ProgressThread.h"
#include "table/TableConverter.h"
#include "table/ui/AutomationMessages.h"

#include <commctrl.h>

#include <algorithm>

BEGIN_MESSAGE_MAP(CProgressDlg, CDialog)
    ON_MESSAGE(CProgressDlg::WM_UPDATE_CONTROLS, &CProgressDlg::OnUpdateControls)
    ON_WM_GETMINMAXINFO()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CProgressDlg::CProgressDlg(CWnd* parent) : CDialog(IDD, parent) {}

// The dialog closes once the job finished, while the worker may still be inside JobFinished;
// the worker must be out of this object before it goes.
CProgressDlg::~CProgressDlg()
{
    if (m_worker) {
        ::WaitForSingleObject(m_worker, INFINITE);
        ::CloseHandle(m_worker);
    }
}

void CProgressDlg::SetRange(int32_t low, int32_t high)
{
    {
        OxLock lock(this);
        m_low = low;
        m_high = high;
    }
    UpdateControls();
}

void CProgressDlg::SetPos(int32_t pos)
{
    {
        OxLock lock(this);
        m_pos = pos;
    }
    UpdateControls();
}

void CProgressDlg::ShowPercent(bool showNumber, bool asPercent)
{
    {
        OxLock lock(this);
        m_showNumber = showNumber;
        m_asPercent = asPercent;
    }
    UpdateControls();
}

void CProgressDlg::SetStatusText(const std::wstring& text)
{
    {
        OxLock lock(this);
        m_status = text;
    }
    UpdateControls();
}

void CProgressDlg::SetPosAndText(int32_t pos, const std::wstring& text)
{
    {
        OxLock lock(this);
        m_pos = pos;
        m_status = text;
    }
    UpdateControls();
}

void CProgressDlg::SetTitle(const std::wstring& text)
{
    {
        OxLock lock(this);
        m_title = text;
    }
    UpdateControls();
}

void CProgressDlg::AllowCancel(bool allow)
{
    {
        OxLock lock(this);
        m_cancelAllowed = allow;
    }
    UpdateControls();
}

void CProgressDlg::Step(int32_t delta)
{
    {
        OxLock lock(this);
        const int64_t moved = static_cast<int64_t>(m_pos) + delta;
        m_pos = static_cast<int32_t>((std::max)(static_cast<int64_t>(m_low), (std::min)(static_cast<int64_t>(m_high), moved)));
    }
    UpdateControls();
}

void CProgressDlg::Hide(bool hidden)
{
    {
        OxLock lock(this);
        m_hidden = hidden;
        m_visibilityAsked = true;
    }
    UpdateControls();
}

int32_t CProgressDlg::GetPos()
{
    OxLock lock(this);
    return m_pos;
}

std::wstring CProgressDlg::GetStatusText()
{
    OxLock lock(this);
    return m_status;
}

void CProgressDlg::JobFinished()
{
    SetFinished(true);
    const bool onDialogThread = IsDialogThread();
    const HWND window = onDialogThread ? m_hWnd : m_window.load();
    if (!window)
        return;
    if (IsCanceled()) {
        if (onDialogThread)
            OnCancel();
        else
            ::PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    UpdateControls();
    if (m_closeWhenFinished) {
        if (onDialogThread)
            EndDialog(IDOK);
        else
            ::PostMessageW(window, WM_COMMAND, IDOK, 0);
    }
}

bool CProgressDlg::SetJob(ProgressThread* job, TableConverter* converter)
{
    if (m_hWnd)
        return false;
    m_job = job;
    m_converter = converter;
    return true;
}

bool CProgressDlg::IsDialogThread() const
{
    return m_dialogThread != 0 && GetCurrentThreadId() == m_dialogThread;
}

HANDLE CProgressDlg::CreateWorkerThread(LPTHREAD_START_ROUTINE procedure, void* argument)
{
    return ::CreateThread(nullptr, 0, procedure, argument, 0, nullptr);
}

DWORD WINAPI CProgressDlg::WorkerProcedure(void* argument)
{
    auto* dialog = static_cast<CProgressDlg*>(argument);
    const int32_t result = dialog->m_job->Run(dialog->m_converter, dialog);
    dialog->JobFinished();
    return static_cast<DWORD>(result);
}

void CProgressDlg::StartThread()
{
    m_worker = CreateWorkerThread(&CProgressDlg::WorkerProcedure, this);
    if (m_worker)
        return;
    // The caller reports the failed conversion with this text; no second, empty message follows.
    if (m_converter)
        m_converter->SetError(AutomationMessages::ThreadNotCreated, true);
    SetFinished(true);
    ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
}

BOOL CProgressDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    RECT window;
    ::GetWindowRect(m_hWnd, &window);
    m_initialWidth = window.right - window.left;
    m_initialHeight = window.bottom - window.top;
    m_dialogThread = GetCurrentThreadId();
    m_window = m_hWnd;
    m_cancelButton = ::GetDlgItem(m_hWnd, IDCANCEL);
    m_progressBar = ::GetDlgItem(m_hWnd, IDC_PROGRESS_BAR);
    m_statusText = ::GetDlgItem(m_hWnd, IDC_PROGRESS_STATUS);
    m_numberField = ::GetDlgItem(m_hWnd, IDC_PROGRESS_NUMBER);
    if (m_job)
        StartThread();
    UpdateControls();
    return TRUE;
}

void CProgressDlg::OnCancel()
{
    if (IsFinished()) {
        CDialog::OnCancel();
        return;
    }
    SetCanceled(true);
    if (m_cancelButton) {
        ::EnableWindow(m_cancelButton, FALSE);
        ::SetWindowTextW(m_cancelButton, L"Canceling");
    }
}

LRESULT CProgressDlg::OnUpdateControls(WPARAM, LPARAM)
{
    ApplyControls();
    return 0;
}

void CProgressDlg::UpdateControls()
{
    if (!IsDialogThread()) {
        if (const HWND window = m_window.load())
            ::PostMessageW(window, WM_UPDATE_CONTROLS, 0, 0);
        return;
    }
    if (m_hWnd)
        ApplyControls();
}

void CProgressDlg::ApplyControls()
{
    OxLock lock(this);
    if (m_numberField) {
        if (!m_showNumber) {
            ::ShowWindow(m_numberField, SW_HIDE);
        } else {
            // 64-bit: (pos - low) x 100 leaves 32 bits for ranges beyond 21 million.
            const int64_t span = static_cast<int64_t>(m_high) - m_low;
            const int64_t number =
                !m_asPercent ? m_pos : span == 0 ? 0 : (static_cast<int64_t>(m_pos) - m_low) * 100 / span;
            wchar_t text[32];
            swprintf(text, 32, m_asPercent ? L"%lld%%" : L"%lld", static_cast<long long>(number));
            ::SetWindowTextW(m_numberField, text);
            ::ShowWindow(m_numberField, SW_SHOW);
        }
    }
    if (m_progressBar) {
        ::SendMessageW(m_progressBar, PBM_SETRANGE32, static_cast<WPARAM>(m_low), static_cast<LPARAM>(m_high));
        ::SendMessageW(m_progressBar, PBM_SETPOS, static_cast<WPARAM>(m_pos), 0);
    }
    ::SetWindowTextW(m_hWnd, m_title.c_str());
    if (m_statusText)
        ::SetWindowTextW(m_statusText, m_status.c_str());
    if (m_cancelButton) {
        if (IsFinished() && !IsCanceled()) {
            ::SetWindowTextW(m_cancelButton, L"Close");
            ::EnableWindow(m_cancelButton, TRUE);
        } else if (::IsWindowEnabled(m_cancelButton) && !m_cancelAllowed) {
            ::EnableWindow(m_cancelButton, FALSE);
        }
    }
    // Only Hide shows or hides the window: an update must not show a dialog that was hidden
    // some other way, or before the dialog loop showed it.
    if (m_visibilityAsked) {
        m_visibilityAsked = false;
        ::ShowWindow(m_hWnd, m_hidden ? SW_HIDE : SW_SHOW);
    }
}

// Only the width can change, and never below the first size.
void CProgressDlg::OnGetMinMaxInfo(MINMAXINFO* info)
{
    CDialog::OnGetMinMaxInfo(info);
    if (m_initialWidth > 0) {
        info->ptMinTrackSize.x = m_initialWidth;
        info->ptMinTrackSize.y = m_initialHeight;
        info->ptMaxTrackSize.y = m_initialHeight;
    }
}

void CProgressDlg::OnSize(UINT type, int cx, int cy)
{
    CDialog::OnSize(type, cx, cy);
    if (cx == 0 || cy == 0 || !m_statusText)
        return;
    auto clientRect = [this](HWND control) {
        RECT r;
        ::GetWindowRect(control, &r);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    const int right = cx - clientRect(m_statusText).left;
    for (HWND control : {m_statusText, m_progressBar, m_numberField}) {
        if (!control)
            continue;
        const RECT r = clientRect(control);
        ::MoveWindow(control, r.left, r.top, (std::max)(0, static_cast<int>(right - r.left)), r.bottom - r.top, TRUE);
    }
    if (m_cancelButton) {
        const RECT r = clientRect(m_cancelButton);
        const int width = r.right - r.left;
        ::MoveWindow(m_cancelButton, (cx - width) / 2, r.top, width, r.bottom - r.top, TRUE);
    }
}
