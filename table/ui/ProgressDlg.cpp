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
    if (worker_) {
        ::WaitForSingleObject(worker_, INFINITE);
        ::CloseHandle(worker_);
    }
}

void CProgressDlg::SetRange(int32_t low, int32_t high)
{
    {
        OxLock lock(this);
        low_ = low;
        high_ = high;
    }
    UpdateControls();
}

void CProgressDlg::SetPos(int32_t pos)
{
    {
        OxLock lock(this);
        pos_ = pos;
    }
    UpdateControls();
}

void CProgressDlg::ShowPercent(bool showNumber, bool asPercent)
{
    {
        OxLock lock(this);
        showNumber_ = showNumber;
        asPercent_ = asPercent;
    }
    UpdateControls();
}

void CProgressDlg::SetStatusText(const std::wstring& text)
{
    {
        OxLock lock(this);
        status_ = text;
    }
    UpdateControls();
}

void CProgressDlg::SetPosAndText(int32_t pos, const std::wstring& text)
{
    {
        OxLock lock(this);
        pos_ = pos;
        status_ = text;
    }
    UpdateControls();
}

void CProgressDlg::SetTitle(const std::wstring& text)
{
    {
        OxLock lock(this);
        title_ = text;
    }
    UpdateControls();
}

void CProgressDlg::AllowCancel(bool allow)
{
    {
        OxLock lock(this);
        cancelAllowed_ = allow;
    }
    UpdateControls();
}

void CProgressDlg::Step(int32_t delta)
{
    {
        OxLock lock(this);
        const int64_t moved = static_cast<int64_t>(pos_) + delta;
        pos_ = static_cast<int32_t>((std::max)(static_cast<int64_t>(low_), (std::min)(static_cast<int64_t>(high_), moved)));
    }
    UpdateControls();
}

void CProgressDlg::Hide(bool hidden)
{
    {
        OxLock lock(this);
        hidden_ = hidden;
    }
    UpdateControls();
}

int32_t CProgressDlg::GetPos()
{
    OxLock lock(this);
    return pos_;
}

std::wstring CProgressDlg::GetStatusText()
{
    OxLock lock(this);
    return status_;
}

void CProgressDlg::JobFinished()
{
    SetFinished(true);
    if (!m_hWnd)
        return;
    if (IsCanceled()) {
        if (IsDialogThread())
            OnCancel();
        else
            ::PostMessageW(m_hWnd, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    UpdateControls();
    if (closeWhenFinished_) {
        if (IsDialogThread())
            EndDialog(IDOK);
        else
            ::PostMessageW(m_hWnd, WM_COMMAND, IDOK, 0);
    }
}

bool CProgressDlg::SetJob(ProgressThread* job, TableConverter* converter)
{
    if (m_hWnd)
        return false;
    job_ = job;
    converter_ = converter;
    return true;
}

bool CProgressDlg::IsDialogThread() const
{
    return dialogThread_ != 0 && GetCurrentThreadId() == dialogThread_;
}

HANDLE CProgressDlg::CreateWorkerThread(LPTHREAD_START_ROUTINE procedure, void* argument)
{
    return ::CreateThread(nullptr, 0, procedure, argument, 0, nullptr);
}

DWORD WINAPI CProgressDlg::WorkerProcedure(void* argument)
{
    auto* dialog = static_cast<CProgressDlg*>(argument);
    const int32_t result = dialog->job_->Run(dialog->converter_, dialog);
    dialog->JobFinished();
    return static_cast<DWORD>(result);
}

void CProgressDlg::StartThread()
{
    worker_ = CreateWorkerThread(&CProgressDlg::WorkerProcedure, this);
    if (worker_)
        return;
    // The caller reports the failed conversion with this text; no second, empty message follows.
    if (converter_)
        converter_->SetError(AutomationMessages::ThreadNotCreated, true);
    SetFinished(true);
    ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
}

BOOL CProgressDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    RECT window;
    ::GetWindowRect(m_hWnd, &window);
    initialWidth_ = window.right - window.left;
    initialHeight_ = window.bottom - window.top;
    dialogThread_ = GetCurrentThreadId();
    cancelButton_ = ::GetDlgItem(m_hWnd, IDCANCEL);
    progressBar_ = ::GetDlgItem(m_hWnd, IDC_PROGRESS_BAR);
    statusText_ = ::GetDlgItem(m_hWnd, IDC_PROGRESS_STATUS);
    numberField_ = ::GetDlgItem(m_hWnd, IDC_PROGRESS_NUMBER);
    if (job_)
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
    if (cancelButton_) {
        ::EnableWindow(cancelButton_, FALSE);
        ::SetWindowTextW(cancelButton_, L"Canceling");
    }
}

LRESULT CProgressDlg::OnUpdateControls(WPARAM, LPARAM)
{
    ApplyControls();
    return 0;
}

void CProgressDlg::UpdateControls()
{
    if (!m_hWnd)
        return;
    if (!IsDialogThread()) {
        ::PostMessageW(m_hWnd, WM_UPDATE_CONTROLS, 0, 0);
        return;
    }
    ApplyControls();
}

void CProgressDlg::ApplyControls()
{
    OxLock lock(this);
    if (numberField_) {
        if (!showNumber_) {
            ::ShowWindow(numberField_, SW_HIDE);
        } else {
            // 64-bit: (pos - low) x 100 leaves 32 bits for ranges beyond 21 million.
            const int64_t span = static_cast<int64_t>(high_) - low_;
            const int64_t number =
                !asPercent_ ? pos_ : span == 0 ? 0 : (static_cast<int64_t>(pos_) - low_) * 100 / span;
            wchar_t text[32];
            swprintf(text, 32, asPercent_ ? L"%lld%%" : L"%lld", static_cast<long long>(number));
            ::SetWindowTextW(numberField_, text);
            ::ShowWindow(numberField_, SW_SHOW);
        }
    }
    if (progressBar_) {
        ::SendMessageW(progressBar_, PBM_SETRANGE32, static_cast<WPARAM>(low_), static_cast<LPARAM>(high_));
        ::SendMessageW(progressBar_, PBM_SETPOS, static_cast<WPARAM>(pos_), 0);
    }
    ::SetWindowTextW(m_hWnd, title_.c_str());
    if (statusText_)
        ::SetWindowTextW(statusText_, status_.c_str());
    if (cancelButton_) {
        if (IsFinished() && !IsCanceled()) {
            ::SetWindowTextW(cancelButton_, L"Close");
            ::EnableWindow(cancelButton_, TRUE);
        } else if (::IsWindowEnabled(cancelButton_) && !cancelAllowed_) {
            ::EnableWindow(cancelButton_, FALSE);
        }
    }
    const bool visible = ::IsWindowVisible(m_hWnd) != FALSE;
    if (hidden_ == visible)
        ::ShowWindow(m_hWnd, hidden_ ? SW_HIDE : SW_SHOW);
}

// Only the width can change, and never below the first size.
void CProgressDlg::OnGetMinMaxInfo(MINMAXINFO* info)
{
    CDialog::OnGetMinMaxInfo(info);
    if (initialWidth_ > 0) {
        info->ptMinTrackSize.x = initialWidth_;
        info->ptMinTrackSize.y = initialHeight_;
        info->ptMaxTrackSize.y = initialHeight_;
    }
}

void CProgressDlg::OnSize(UINT type, int cx, int cy)
{
    CDialog::OnSize(type, cx, cy);
    if (cx == 0 || cy == 0 || !statusText_)
        return;
    auto clientRect = [this](HWND control) {
        RECT r;
        ::GetWindowRect(control, &r);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    const int right = cx - clientRect(statusText_).left;
    for (HWND control : {statusText_, progressBar_, numberField_}) {
        if (!control)
            continue;
        const RECT r = clientRect(control);
        ::MoveWindow(control, r.left, r.top, (std::max)(0, static_cast<int>(right - r.left)), r.bottom - r.top, TRUE);
    }
    if (cancelButton_) {
        const RECT r = clientRect(cancelButton_);
        const int width = r.right - r.left;
        ::MoveWindow(cancelButton_, (cx - width) / 2, r.top, width, r.bottom - r.top, TRUE);
    }
}
