#pragma once
// The modal progress dialog of a conversion. It starts the conversion job on a worker thread
// when it opens, shows the job's progress and status, lets the user cancel between steps, and
// closes when the job reports that it finished. The worker reaches it only through
// ProgressInterface; window updates always happen on the dialog's own thread.
#include "framework/Afx.h"
#include "table/OxLock.h"
#include "table/ProgressInterface.h"
#include "table/ui/ProgressDlgRes.h"

#include <atomic>
#include <string>

class ProgressThread;
class TableConverter;

class CProgressDlg : public CDialog, public OxLockable, public ProgressInterface
{
public:
    enum { IDD = IDD_KEST_PROGRESS };
    // Posted by the worker; the dialog thread then updates the controls.
    static const UINT WM_UPDATE_CONTROLS = 0xDFF;

    explicit CProgressDlg(CWnd* parent = nullptr);
    ~CProgressDlg() override;

    void SetRange(int32_t low, int32_t high) override;
    void SetPos(int32_t pos) override;
    void ShowPercent(bool showNumber, bool asPercent) override;
    void SetStatusText(const std::wstring& text) override;
    void SetPosAndText(int32_t pos, const std::wstring& text) override;
    void SetTitle(const std::wstring& text) override;
    void JobFinished() override;
    void AllowCancel(bool allow) override;
    void Step(int32_t delta) override;
    void Hide(bool hidden) override;

    // Stores the job and its converter; only before the dialog has a window.
    bool SetJob(ProgressThread* job, TableConverter* converter);
    void SetCloseWhenFinished(bool close) { m_closeWhenFinished = close; }
    bool IsDialogThread() const;
    void StartThread();

    int32_t GetPos();
    std::wstring GetStatusText();

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;
    LRESULT OnUpdateControls(WPARAM, LPARAM);
    void OnGetMinMaxInfo(MINMAXINFO* info);
    void OnSize(UINT type, int cx, int cy);
    DECLARE_MESSAGE_MAP()

    // Starts the worker; null when it could not be started.
    virtual HANDLE CreateWorkerThread(LPTHREAD_START_ROUTINE procedure, void* argument);

private:
    static DWORD WINAPI WorkerProcedure(void* dialog);
    void UpdateControls();
    void ApplyControls();

    HWND m_cancelButton = nullptr;
    HWND m_progressBar = nullptr;
    HWND m_statusText = nullptr;
    HWND m_numberField = nullptr;
    HANDLE m_worker = nullptr;
    // The window as other threads address it. CWnd::m_hWnd is cleared by the dialog thread when the
    // window goes, so another thread never reads it; a handle posted to after the window went is
    // simply refused by the system.
    std::atomic<HWND> m_window{nullptr};
    DWORD m_dialogThread = 0;
    int m_initialWidth = 0;
    int m_initialHeight = 0;
    bool m_showNumber = false;
    bool m_asPercent = false;
    std::wstring m_title = L"Progress";
    std::wstring m_status;
    int32_t m_low = 0;
    int32_t m_high = 100;
    int32_t m_pos = 0;
    ProgressThread* m_job = nullptr;
    TableConverter* m_converter = nullptr;
    bool m_closeWhenFinished = false;
    bool m_cancelAllowed = true;
    bool m_hidden = false;
    bool m_visibilityAsked = false; // Hide was called since the window last followed m_hidden
};
