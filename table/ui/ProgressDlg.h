#pragma once
// The modal progress dialog of a conversion. It starts the conversion job on a worker thread
// when it opens, shows the job's progress and status, lets the user cancel between steps, and
// closes when the job reports that it finished. The worker reaches it only through
// ProgressInterface; window updates always happen on the dialog's own thread.
#include "framework/Afx.h"
#include "table/OxLock.h"
#include "table/ProgressInterface.h"
#include "table/ui/ProgressDlgRes.h"

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
    void SetCloseWhenFinished(bool close) { closeWhenFinished_ = close; }
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

    HWND cancelButton_ = nullptr;
    HWND progressBar_ = nullptr;
    HWND statusText_ = nullptr;
    HWND numberField_ = nullptr;
    HANDLE worker_ = nullptr;
    DWORD dialogThread_ = 0;
    int initialWidth_ = 0;
    int initialHeight_ = 0;
    bool showNumber_ = false;
    bool asPercent_ = false;
    std::wstring title_ = L"Progress";
    std::wstring status_;
    int32_t low_ = 0;
    int32_t high_ = 100;
    int32_t pos_ = 0;
    ProgressThread* job_ = nullptr;
    TableConverter* converter_ = nullptr;
    bool closeWhenFinished_ = false;
    bool cancelAllowed_ = true;
    bool hidden_ = false;
};
