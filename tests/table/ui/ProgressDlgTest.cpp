// The progress dialog under a real window system: a worker job reporting to it, cancel between
// rows, the close on finish, and a worker thread that could not be started.
#include "table/ProgressThread.h"
#include "table/TableConverter.h"
#include "table/ui/ProgressDlg.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace {

std::wstring TextOf(HWND window)
{
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

// Polls until the condition holds, at most two seconds.
bool Eventually(const std::function<bool()>& condition)
{
    for (int i = 0; i < 200; ++i) {
        if (condition())
            return true;
        Sleep(10);
    }
    return condition();
}

class Signal
{
public:
    Signal() : m_event(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~Signal() { CloseHandle(m_event); }
    Signal(const Signal&) = delete;
    Signal& operator=(const Signal&) = delete;
    void Set() { SetEvent(m_event); }
    bool Wait(DWORD ms = 5000) { return WaitForSingleObject(m_event, ms) == WAIT_OBJECT_0; }

private:
    HANDLE m_event;
};

// Rows of work; at pauseAtRow it tells the test and waits for the test's go-ahead.
class RowJob : public ProgressThread
{
public:
    int rows = 4;
    int pauseAtRow = -1;
    std::atomic<int> rowsDone{0};
    std::atomic<DWORD> workerThread{0};
    Signal paused, resume;

protected:
    bool RunJob(TableConverter&, ProgressInterface* progress) override
    {
        workerThread = GetCurrentThreadId();
        progress->SetRange(0, rows * 10);
        for (int row = 0; row < rows; ++row) {
            progress->SetPosAndText((row + 1) * 10, L"Row " + std::to_wstring(row + 1));
            rowsDone = row + 1;
            if (row == pauseAtRow) {
                paused.Set();
                resume.Wait();
            }
            if (progress->IsCanceled())
                return false;
        }
        return true;
    }
};

struct DialogControls {
    HWND dialog, button, number, status;
    explicit DialogControls(HWND d)
        : dialog(d), button(GetDlgItem(d, IDCANCEL)), number(GetDlgItem(d, IDC_PROGRESS_NUMBER)),
          status(GetDlgItem(d, IDC_PROGRESS_STATUS))
    {
    }
};

} // namespace

TEST(ProgressDialog, JobThatFinishesClosesTheDialog)
{
    TableConverter converter;
    RowJob job;
    CProgressDlg dialog;
    dialog.SetTitle(L"Converting table data");
    dialog.SetCloseWhenFinished(true);
    dialog.ShowPercent(true, true);
    ASSERT_TRUE(dialog.SetJob(&job, &converter));
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(job.Succeeded());
    EXPECT_EQ(job.rowsDone, 4);
    EXPECT_NE(job.workerThread, GetCurrentThreadId()) << "the job runs on the worker";
    EXPECT_TRUE(dialog.IsFinished());
    EXPECT_FALSE(dialog.IsCanceled());
    EXPECT_EQ(dialog.GetPos(), 40);
    EXPECT_EQ(dialog.GetStatusText(), L"Row 4");
}

TEST(ProgressDialog, CancelStopsTheJobBetweenRows)
{
    TableConverter converter;
    RowJob job;
    job.rows = 10;
    job.pauseAtRow = 2;
    CProgressDlg dialog;
    dialog.SetCloseWhenFinished(true);
    dialog.ShowPercent(true, true);
    ASSERT_TRUE(dialog.SetJob(&job, &converter));
    std::wstring buttonAfterClick, numberShown, statusShown;
    bool buttonEnabled = true;
    std::thread user([&] {
        if (!job.paused.Wait())
            return;
        DialogControls c(dialog.m_hWnd);
        Eventually([&] { return TextOf(c.number) == L"30%"; });
        numberShown = TextOf(c.number);
        statusShown = TextOf(c.status);
        SendMessageW(c.button, BM_CLICK, 0, 0);
        buttonAfterClick = TextOf(c.button);
        buttonEnabled = IsWindowEnabled(c.button) != FALSE;
        job.resume.Set();
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    user.join();
    EXPECT_EQ(numberShown, L"30%");
    EXPECT_EQ(statusShown, L"Row 3");
    EXPECT_EQ(buttonAfterClick, L"Canceling");
    EXPECT_FALSE(buttonEnabled);
    EXPECT_TRUE(dialog.IsCanceled());
    EXPECT_EQ(job.rowsDone, 3) << "the job stops at the next row";
    EXPECT_FALSE(job.Succeeded());
}

TEST(ProgressDialog, DisplayFollowsRangePositionAndFinishWithoutAutoClose)
{
    TableConverter converter;
    RowJob job;
    job.rows = 2;
    job.pauseAtRow = 1;
    CProgressDlg dialog;
    ASSERT_TRUE(dialog.SetJob(&job, &converter));
    std::wstring emptyRangeNumber, wideRangeNumber, positionNumber, finishedButton, title;
    bool numberHidden = false, closeEnabled = false;
    std::thread user([&] {
        if (!job.paused.Wait())
            return;
        DialogControls c(dialog.m_hWnd);
        numberHidden = Eventually([&] { return !IsWindowVisible(c.number); });
        dialog.ShowPercent(true, true);
        dialog.SetRange(5, 5);
        Eventually([&] { return TextOf(c.number) == L"0%"; });
        emptyRangeNumber = TextOf(c.number);
        // A range too wide for (pos - low) x 100 in 32 bits.
        dialog.SetRange(0, 2000000000);
        dialog.SetPos(1000000000);
        Eventually([&] { return TextOf(c.number) == L"50%"; });
        wideRangeNumber = TextOf(c.number);
        dialog.ShowPercent(true, false);
        dialog.SetRange(0, 400);
        dialog.SetPos(250);
        Eventually([&] { return TextOf(c.number) == L"250"; });
        positionNumber = TextOf(c.number);
        dialog.SetTitle(L"Converting table data");
        Eventually([&] { return TextOf(c.dialog) == L"Converting table data"; });
        title = TextOf(c.dialog);
        job.resume.Set();
        Eventually([&] { return TextOf(c.button) == L"Close"; });
        finishedButton = TextOf(c.button);
        closeEnabled = IsWindowEnabled(c.button) != FALSE;
        SendMessageW(c.button, BM_CLICK, 0, 0);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    user.join();
    EXPECT_TRUE(numberHidden) << "the number field is hidden until asked for";
    EXPECT_EQ(emptyRangeNumber, L"0%");
    EXPECT_EQ(wideRangeNumber, L"50%");
    EXPECT_EQ(positionNumber, L"250");
    EXPECT_EQ(title, L"Converting table data");
    EXPECT_EQ(finishedButton, L"Close");
    EXPECT_TRUE(closeEnabled);
    EXPECT_TRUE(job.Succeeded());
    EXPECT_FALSE(dialog.IsCanceled());
}

// Only Hide shows or hides the dialog; a progress update leaves its visibility alone.
TEST(ProgressDialog, OnlyHideChangesWhetherTheDialogIsShown)
{
    TableConverter converter;
    RowJob job;
    job.rows = 2;
    job.pauseAtRow = 0;
    CProgressDlg dialog;
    dialog.ShowPercent(true, false);
    ASSERT_TRUE(dialog.SetJob(&job, &converter));
    bool shownAtStart = false, hiddenAfterUpdate = false, shownByHide = false, hiddenByHide = false,
         stillHidden = false;
    std::thread user([&] {
        if (!job.paused.Wait())
            return;
        DialogControls c(dialog.m_hWnd);
        shownAtStart = Eventually([&] { return IsWindowVisible(c.dialog) != FALSE; });
        ShowWindow(c.dialog, SW_HIDE); // hidden by someone else
        dialog.SetPos(7);
        Eventually([&] { return TextOf(c.number) == L"7"; });
        hiddenAfterUpdate = !IsWindowVisible(c.dialog);
        dialog.Hide(false);
        shownByHide = Eventually([&] { return IsWindowVisible(c.dialog) != FALSE; });
        dialog.Hide(true);
        hiddenByHide = Eventually([&] { return !IsWindowVisible(c.dialog); });
        dialog.SetPos(8);
        Eventually([&] { return TextOf(c.number) == L"8"; });
        stillHidden = !IsWindowVisible(c.dialog);
        dialog.Hide(false);
        job.resume.Set();
        Eventually([&] { return TextOf(c.button) == L"Close"; });
        SendMessageW(c.button, BM_CLICK, 0, 0);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    user.join();
    EXPECT_TRUE(shownAtStart);
    EXPECT_TRUE(hiddenAfterUpdate) << "an update showed the dialog again";
    EXPECT_TRUE(shownByHide);
    EXPECT_TRUE(hiddenByHide);
    EXPECT_TRUE(stillHidden) << "an update showed the dialog again";
}

namespace {

class DialogWithoutThreads : public CProgressDlg
{
protected:
    HANDLE CreateWorkerThread(LPTHREAD_START_ROUTINE, void*) override { return nullptr; }
};

struct BoxSearch {
    const wchar_t* text;
    HWND found;
};

BOOL CALLBACK FindChildWithText(HWND child, LPARAM param)
{
    auto* search = reinterpret_cast<BoxSearch*>(param);
    if (TextOf(child) == search->text) {
        search->found = GetAncestor(child, GA_ROOT);
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK SearchTopWindow(HWND top, LPARAM param)
{
    DWORD process = 0;
    GetWindowThreadProcessId(top, &process);
    if (process == GetCurrentProcessId())
        EnumChildWindows(top, FindChildWithText, param);
    return reinterpret_cast<BoxSearch*>(param)->found ? FALSE : TRUE;
}

// Closes a message box of this process that shows the text, and says whether there was one.
bool CloseMessageBoxShowing(const wchar_t* text)
{
    BoxSearch search{text, nullptr};
    EnumWindows(SearchTopWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found)
        PostMessageW(search.found, WM_COMMAND, IDOK, 0);
    return search.found != nullptr;
}

} // namespace

// One clear message through the converter's error, and no box of the dialog's own before it.
TEST(ProgressDialog, WorkerThatCannotStartGivesOneMessage)
{
    TableConverter converter;
    RowJob job;
    DialogWithoutThreads dialog;
    ASSERT_TRUE(dialog.SetJob(&job, &converter));
    std::atomic<bool> done{false};
    std::atomic<bool> boxShown{false};
    std::thread watchdog([&] {
        while (!done) {
            if (CloseMessageBoxShowing(L"Could not create thread"))
                boxShown = true;
            Sleep(20);
        }
    });
    const INT_PTR result = dialog.DoModal();
    done = true;
    watchdog.join();
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_FALSE(boxShown);
    EXPECT_EQ(converter.GetErrorText(), L"Could not create thread");
    EXPECT_TRUE(converter.IsErrorFinal());
    EXPECT_FALSE(dialog.IsCanceled());
    EXPECT_EQ(job.rowsDone, 0);
    EXPECT_FALSE(job.Succeeded());
}

namespace {

// Lingers in JobFinished after the dialog was told to close.
class SlowFinishDialog : public CProgressDlg
{
public:
    HANDLE worker = nullptr;
    ~SlowFinishDialog() override {}
    void JobFinished() override
    {
        CProgressDlg::JobFinished();
        Sleep(300);
    }

protected:
    HANDLE CreateWorkerThread(LPTHREAD_START_ROUTINE procedure, void* argument) override
    {
        HANDLE thread = CProgressDlg::CreateWorkerThread(procedure, argument);
        DuplicateHandle(GetCurrentProcess(), thread, GetCurrentProcess(), &worker, 0, FALSE, DUPLICATE_SAME_ACCESS);
        return thread;
    }
};

} // namespace

TEST(ProgressDialog, WorkerIsOutOfTheDialogBeforeItGoes)
{
    TableConverter converter;
    RowJob job;
    HANDLE worker = nullptr;
    {
        SlowFinishDialog dialog;
        dialog.SetCloseWhenFinished(true);
        ASSERT_TRUE(dialog.SetJob(&job, &converter));
        EXPECT_EQ(dialog.DoModal(), IDOK);
        worker = dialog.worker;
    }
    ASSERT_NE(worker, nullptr);
    EXPECT_EQ(WaitForSingleObject(worker, 0), WAIT_OBJECT_0);
    CloseHandle(worker);
}
