// Print jobs handed from a starting copy to a running one: the record's checks, the answers, the
// receiving main frame with its print target, and a second real process.
#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "app/PageDialogs.h"
#include "app/PrintedFileHandoff.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/WorkFileBuilder.h"
#include "tests/table/ui/PageViewFixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

namespace
{

std::wstring TempFolder(const wchar_t* name)
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + name;
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void WriteJob(const std::wstring& path, uint32_t resolution, int pages = 1)
{
    WorkFileBuilder builder(resolution, L"Report");
    for (int i = 0; i < pages; ++i)
    {
        CDCPage& page = builder.AddPage();
        AddFontItem(page, L"Arial", 10);
        AddEvenText(page, 100, 100, 130, L"Total 12", 10);
        builder.SetImage(builder.PageCount(), BlankBitmapFile(850 * resolution / 100, 1100 * resolution / 100, 1));
    }
    ASSERT_TRUE(builder.Write(path));
}

TEST(HandoffRecordTest, UntrustedRecordsAreCheckedBeforeAnythingOpens)
{
    PrintedFileHandoff good;
    ASSERT_TRUE(BuildHandoff(L"C:\\Jobs\\Job1.kest", true, false, good));
    PrintedFileHandoff unterminated = good;
    for (wchar_t& c : unterminated.m_path)
        c = L'a';
    PrintedFileHandoff badFlag = good;
    badFlag.m_printed = 2;
    PrintedFileHandoff badAdd = good;
    badAdd.m_add = 0xff;
    PrintedFileHandoff empty = good;
    empty.m_path[0] = 0;
    BYTE longer[sizeof(PrintedFileHandoff) + 1] = {};
    std::memcpy(longer, &good, sizeof(good));

    struct Case
    {
        const char* name;
        const void* data;
        DWORD size;
        LRESULT answer;
    } cases[] = {
        {"good", &good, sizeof(good), 0},
        {"unterminated", &unterminated, sizeof(unterminated), HandoffNotTaken},
        {"printed flag 2", &badFlag, sizeof(badFlag), HandoffNotTaken},
        {"add flag 255", &badAdd, sizeof(badAdd), HandoffNotTaken},
        {"empty path", &empty, sizeof(empty), HandoffNotTaken},
        {"one byte short", &good, sizeof(good) - 1, HandoffBadSize},
        {"one byte long", longer, sizeof(longer), HandoffBadSize},
        {"no block", nullptr, sizeof(good), HandoffBadSize},
    };
    for (const Case& c : cases)
    {
        COPYDATASTRUCT data = {PrintedFileHandoff::Identifier, c.size, const_cast<void*>(c.data)};
        HandoffRequest request;
        EXPECT_EQ(ReadHandoff(data, request), c.answer) << c.name;
        if (c.answer == 0)
        {
            EXPECT_EQ(request.m_path, L"C:\\Jobs\\Job1.kest");
            EXPECT_TRUE(request.m_printed);
            EXPECT_FALSE(request.m_add);
        }
    }

    // The longest path that fits leaves room for its zero; one more is not sent at all.
    EXPECT_TRUE(BuildHandoff(std::wstring(259, L'x'), false, false, good));
    EXPECT_FALSE(BuildHandoff(std::wstring(260, L'x'), false, false, good));
    HandoffSender sender;
    sender.m_className = L"KestNoSuchWindowClass";
    EXPECT_EQ(sender.Send(std::wstring(260, L'x'), true, false), HandoffOutcome::NotSent);
    EXPECT_EQ(sender.Send(L"C:\\a.kest", true, false), HandoffOutcome::NoRunningCopy);

    EXPECT_TRUE(IsInFolder(L"C:\\Jobs\\Job1.kest", L"c:\\jobs"));
    EXPECT_TRUE(IsInFolder(L"C:/Jobs/Job1.kest", L"C:\\Jobs\\"));
    EXPECT_FALSE(IsInFolder(L"C:\\Jobs\\Old\\Job1.kest", L"C:\\Jobs"));
    EXPECT_FALSE(IsInFolder(L"C:\\JobsX\\Job1.kest", L"C:\\Jobs"));
    EXPECT_FALSE(IsInFolder(L"C:\\Jobs\\..\\Job1.kest", L"C:\\Jobs"));
    EXPECT_FALSE(IsInFolder(L"C:\\Jobs\\Job1.kest", L""));
}

// A running copy: the main frame under its class name, with the application as the receiver.
class HandoffTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        theApp.ResetStart();
        theApp.m_recordMessages = true;
        m_jobs = TempFolder(L"KestHandoffJobs");
        m_user = TempFolder(L"KestHandoffUser");
        theApp.m_printJobFolder = m_jobs;
        m_main = new CConvertingMainFrame;
        ASSERT_TRUE(m_main->Create(nullptr, L"Kest", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 800, 600)));
        theApp.m_pMainWnd = m_main;
        wchar_t className[64] = {};
        GetClassNameW(m_main->m_hWnd, className, 64);
        ASSERT_STREQ(className, MainFrameClassName);
        m_sender.m_busyRetryDelay = 100;
    }
    void TearDown() override
    {
        theApp.m_pMainWnd = nullptr;
        if (m_main && m_main->m_hWnd)
            m_main->DestroyWindow();
        PumpFor(20);
        theApp.m_recordMessages = false;
        theApp.ResetStart();
        theApp.m_printJobFolder.clear();
    }

    // Sends from another thread, as a second copy would, while this thread runs the receiver.
    HandoffOutcome SendAndPump(const std::wstring& path, bool printed, bool add)
    {
        std::atomic<bool> done{false};
        HandoffOutcome outcome = HandoffOutcome::Failed;
        std::thread sender([&] {
            outcome = m_sender.Send(path, printed, add);
            done = true;
        });
        EXPECT_TRUE(PumpUntil([&] { return done.load(); }));
        sender.join();
        return outcome;
    }

    int FrameCount() const
    {
        int count = 0;
        for (HWND child = GetWindow(m_main->m_hWndMDIClient, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (dynamic_cast<CChildFrame*>(CWnd::FromHandlePermanent(child)))
                ++count;
        return count;
    }

    std::wstring m_jobs, m_user;
    CConvertingMainFrame* m_main = nullptr;
    HandoffSender m_sender;
};

TEST_F(HandoffTest, JobsOpenOrAccumulateAndOnlyJobsAreDeleted)
{
    const std::wstring first = m_jobs + L"\\Job1.kest";
    const std::wstring second = m_jobs + L"\\Job2.kest";
    const std::wstring otherResolution = m_jobs + L"\\Job3.kest";
    const std::wstring input = m_user + L"\\Mine.kest";
    const std::wstring outside = m_user + L"\\NotAJob.kest";
    WriteJob(first, 144);
    WriteJob(second, 144, 2);
    WriteJob(otherResolution, 300);
    WriteJob(input, 144);
    WriteJob(outside, 144);

    // The first job opens, is marked printed and becomes the print target.
    EXPECT_EQ(SendAndPump(first, true, false), HandoffOutcome::Taken);
    ASSERT_EQ(FrameCount(), 1) << (theApp.m_messages.empty() ? L"" : theApp.m_messages[0]).size();
    CChildFrame* target = m_main->GetPrintTarget();
    ASSERT_NE(target, nullptr);
    EXPECT_TRUE(target->IsPrintedJob());
    EXPECT_EQ(target->GetDocumentPath(), first);

    // With accumulate on, the next job is appended and its file deleted.
    theApp.DCOptions().m_accumulate = true;
    EXPECT_EQ(SendAndPump(second, true, false), HandoffOutcome::Taken);
    EXPECT_EQ(FrameCount(), 1);
    EXPECT_EQ(target->GetView().GetPageCount(), 3);
    EXPECT_FALSE(Exists(second));

    // Pages of another resolution cannot join: a new document and a new print target.
    EXPECT_EQ(SendAndPump(otherResolution, true, false), HandoffOutcome::Taken);
    EXPECT_EQ(FrameCount(), 2);
    EXPECT_TRUE(Exists(otherResolution));
    EXPECT_EQ(m_main->GetPrintTarget(), m_main->FindChildFrame(otherResolution));

    // A user's file named with -input opens as itself, even in accumulate mode, and stays.
    EXPECT_EQ(SendAndPump(input, false, false), HandoffOutcome::Taken);
    EXPECT_EQ(FrameCount(), 3);
    EXPECT_TRUE(Exists(input));
    CChildFrame* mine = m_main->FindChildFrame(input);
    ASSERT_NE(mine, nullptr);
    EXPECT_FALSE(mine->IsPrintedJob());

    // A "printed" path from outside the job folder is no job: not appended, not deleted.
    EXPECT_EQ(SendAndPump(outside, true, true), HandoffOutcome::Taken);
    EXPECT_EQ(FrameCount(), 4);
    EXPECT_TRUE(Exists(outside));
    CChildFrame* notJob = m_main->FindChildFrame(outside);
    ASSERT_NE(notJob, nullptr);
    EXPECT_FALSE(notJob->IsPrintedJob());
    EXPECT_EQ(m_main->GetPrintTarget(), m_main->FindChildFrame(otherResolution));

    // The same file again activates its frame rather than opening it twice.
    EXPECT_EQ(SendAndPump(input, false, false), HandoffOutcome::Taken);
    EXPECT_EQ(FrameCount(), 4);
    EXPECT_TRUE(theApp.m_messages.empty());

    // A file that is no work file is refused after the user was told.
    const std::wstring text = m_user + L"\\Note.kest";
    HANDLE file = CreateFileW(text.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(file);
    EXPECT_EQ(SendAndPump(text, false, false), HandoffOutcome::Refused);
    EXPECT_EQ(theApp.m_messages, std::vector<std::wstring>{L"The file " + text + L" is not a valid Kest file"});
    EXPECT_EQ(FrameCount(), 4);
    EXPECT_TRUE(Exists(text));

    // A print job that cannot open never will: once the user was told, it leaves the job folder.
    const std::wstring damaged = m_jobs + L"\\Damaged.kest";
    ASSERT_TRUE(CopyFileW(text.c_str(), damaged.c_str(), FALSE));
    theApp.m_messages.clear();
    EXPECT_EQ(SendAndPump(damaged, true, false), HandoffOutcome::Refused);
    EXPECT_EQ(theApp.m_messages, std::vector<std::wstring>{L"The file " + damaged + L" is not a valid Kest file"});
    EXPECT_FALSE(Exists(damaged));
    EXPECT_EQ(FrameCount(), 4);

    m_main->DestroyWindow();
    m_main = nullptr;
    for (const std::wstring& path : {first, otherResolution, input, outside, text})
        DeleteFileW(path.c_str());
}

TEST_F(HandoffTest, UnterminatedRecordFromAnotherThreadOpensNothing)
{
    PrintedFileHandoff record;
    ASSERT_TRUE(BuildHandoff(m_jobs + L"\\Job1.kest", true, false, record));
    for (wchar_t& c : record.m_path)
        c = L'b';
    std::atomic<bool> done{false};
    DWORD_PTR answer = 0;
    std::thread sender([&] {
        COPYDATASTRUCT data = {PrintedFileHandoff::Identifier, sizeof(record), &record};
        SendMessageTimeoutW(FindWindowW(MainFrameClassName, nullptr), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                            SMTO_NORMAL, 20000, &answer);
        done = true;
    });
    EXPECT_TRUE(PumpUntil([&] { return done.load(); }));
    sender.join();
    EXPECT_EQ(answer, static_cast<DWORD_PTR>(HandoffNotTaken));
    EXPECT_EQ(FrameCount(), 0);
}

TEST_F(HandoffTest, BusyWhileAModalDialogIsOpenThenTaken)
{
    const std::wstring job = m_jobs + L"\\Busy.kest";
    WriteJob(job, 144);
    std::atomic<bool> done{false};
    HandoffOutcome outcome = HandoffOutcome::Failed;
    std::thread sender([&] {
        outcome = m_sender.Send(job, true, false);
        done = true;
    });
    // A user closes the dialog after the sender was told twice to wait.
    std::thread user([&] {
        for (int i = 0; i < 400 && m_sender.m_busyRounds < 2; ++i)
            Sleep(50);
        HWND dialog = nullptr;
        for (int i = 0; i < 100 && !dialog; ++i, Sleep(50))
            dialog = FindWindowW(L"#32770", L"Busy test");
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    CStringDlg dialog(m_main);
    dialog.m_caption = L"Busy test";
    dialog.DoModal();
    user.join();
    EXPECT_TRUE(PumpUntil([&] { return done.load(); }));
    sender.join();
    EXPECT_GE(m_sender.m_busyRounds, 2);
    EXPECT_EQ(outcome, HandoffOutcome::Taken);
    EXPECT_EQ(FrameCount(), 1);
    m_main->DestroyWindow();
    m_main = nullptr;
    DeleteFileW(job.c_str());
}

TEST_F(HandoffTest, APrintTargetClosedJustBeforeAJobIsForgottenAtOnce)
{
    const std::wstring first = m_jobs + L"\\Closed1.kest";
    const std::wstring second = m_jobs + L"\\Closed2.kest";
    WriteJob(first, 144);
    WriteJob(second, 144);
    theApp.DCOptions().m_accumulate = true;
    ASSERT_EQ(SendAndPump(first, true, false), HandoffOutcome::Taken);
    CChildFrame* target = m_main->GetPrintTarget();
    ASSERT_NE(target, nullptr);
    // No message is pumped between the close and the next job.
    target->DestroyWindow();
    EXPECT_EQ(m_main->GetPrintTarget(), nullptr);
    EXPECT_TRUE(theApp.OpenOrAddWorkFile(second, true, false));
    EXPECT_EQ(FrameCount(), 1);
    EXPECT_TRUE(Exists(second));
    EXPECT_EQ(m_main->GetPrintTarget(), m_main->FindChildFrame(second));
    m_main->DestroyWindow();
    m_main = nullptr;
    DeleteFileW(first.c_str());
    DeleteFileW(second.c_str());
}

// ---- the starting copy's side against receivers that answer oddly ----

const wchar_t* const ReceiverClass = L"KestTestReceiver";
std::atomic<int> g_answerIndex{0};
std::vector<LRESULT> g_answers;
DWORD g_receiverDelay = 0;

LRESULT CALLBACK ReceiverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_COPYDATA)
        return DefWindowProcW(window, message, wParam, lParam);
    const int index = g_answerIndex++;
    Sleep(g_receiverDelay);
    return g_answers[std::min<size_t>(static_cast<size_t>(index), g_answers.size() - 1)];
}

// A window of another thread answering from a list (the last answer repeats).
class OddReceiver
{
public:
    OddReceiver(std::vector<LRESULT> answers, DWORD delay)
    {
        g_answers = std::move(answers);
        g_answerIndex = 0;
        g_receiverDelay = delay;
        m_thread = std::thread([this] {
            WNDCLASSW windowClass = {};
            windowClass.lpfnWndProc = ReceiverProc;
            windowClass.hInstance = GetModuleHandleW(nullptr);
            windowClass.lpszClassName = ReceiverClass;
            RegisterClassW(&windowClass);
            m_threadId = GetCurrentThreadId();
            m_window = CreateWindowW(ReceiverClass, L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
            m_ready = true;
            MSG msg;
            while (GetMessageW(&msg, nullptr, 0, 0) > 0)
                DispatchMessageW(&msg);
            DestroyWindow(m_window);
        });
        while (!m_ready)
            Sleep(10);
    }
    ~OddReceiver()
    {
        PostThreadMessageW(m_threadId, WM_QUIT, 0, 0);
        m_thread.join();
    }

private:
    std::thread m_thread;
    std::atomic<bool> m_ready{false};
    HWND m_window = nullptr;
    DWORD m_threadId = 0;
};

TEST(HandoffStartupTest, OnlyTakenOrRefusedJobsEndTheStartingCopy)
{
    const std::wstring jobs = TempFolder(L"KestStartupJobs");
    const std::wstring job = jobs + L"\\Job.kest";
    WriteJob(job, 144);
    struct Case
    {
        const char* name;
        std::vector<LRESULT> answers;
        DWORD delay;
        bool continues; // this copy keeps the job
        bool told;      // "Internal KEST Error number 2057"
    } cases[] = {
        {"taken", {200}, 0, false, false},
        {"refused", {201}, 0, false, false},
        {"busy then taken", {203, 203, 200}, 0, false, false},
        {"bad size", {202}, 0, true, true},
        {"unknown answer", {555}, 0, true, true},
        {"busy then unknown", {203, 0}, 0, true, true},
        // It may still take the job: showing it here too would put one job in two copies.
        {"receiver slower than the wait", {200}, 3000, false, false},
    };
    for (const Case& c : cases)
    {
        OddReceiver receiver(c.answers, c.delay);
        theApp.ResetStart();
        theApp.m_recordMessages = true;
        theApp.m_printJobFolder = jobs;
        theApp.m_sender.m_className = ReceiverClass;
        theApp.m_sender.m_busyRetryDelay = 50;
        theApp.m_sender.m_answerTimeout = 1000;
        const bool continues = theApp.HandlePrintedStartup({L"-printed=Job.kest", L"-input=C:\\other.kest"});
        EXPECT_EQ(continues, c.continues) << c.name;
        EXPECT_EQ(theApp.m_printedPath, c.continues ? job : L"") << c.name;
        if (c.continues)
        {
            EXPECT_TRUE(theApp.m_commandLine.m_inputs.empty()) << c.name;
        }
        const std::vector<std::wstring> told = {L"Internal KEST Error number 2057"};
        EXPECT_EQ(theApp.m_messages, c.told ? told : std::vector<std::wstring>{}) << c.name;
        EXPECT_EQ(g_answerIndex.load(), static_cast<int>(c.answers.size())) << c.name;
    }

    // Input files without a job: the copy ends when the running one took them all.
    {
        OddReceiver receiver({200}, 0);
        theApp.ResetStart();
        EXPECT_FALSE(theApp.HandlePrintedStartup({L"-input=C:\\a.kest", L"-input=C:\\b.kest"}));
        EXPECT_EQ(g_answerIndex.load(), 2);
    }
    // A job that never appears ends the copy quietly.
    theApp.ResetStart();
    theApp.m_printedWaitTimeout = 300;
    EXPECT_FALSE(theApp.HandlePrintedStartup({L"-printed=Missing.kest"}));
    EXPECT_TRUE(theApp.m_messages.empty());
    // No running copy: this one keeps everything.
    theApp.ResetStart();
    theApp.m_sender.m_className = L"KestNoSuchWindowClass";
    EXPECT_TRUE(theApp.HandlePrintedStartup({L"-input=C:\\a.kest"}));
    EXPECT_EQ(theApp.m_commandLine.m_inputs, std::vector<std::wstring>{L"C:\\a.kest"});
    EXPECT_FALSE(theApp.HandlePrintedStartup({L"-noui"}));
    EXPECT_EQ(theApp.m_startupResult, 3);

    theApp.m_sender = HandoffSender();
    theApp.m_printedWaitTimeout = 60000;
    theApp.m_recordMessages = false;
    theApp.m_printJobFolder.clear();
    theApp.ResetStart();
    DeleteFileW(job.c_str());
}

// ---- two processes ----

TEST_F(HandoffTest, ASecondCopyHandsItsJobToTheRunningOne)
{
    wchar_t childJob[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"KEST_HANDOFF_CHILD", childJob, MAX_PATH) > 0)
        GTEST_SKIP() << "the child process runs the other test";
    const std::wstring job = m_jobs + L"\\Process.kest";
    WriteJob(job, 144);
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    SetEnvironmentVariableW(L"KEST_HANDOFF_CHILD", job.c_str());
    std::wstring command = L"\"" + std::wstring(exe) + L"\" --gtest_filter=HandoffChildTest.*";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    const BOOL started =
        CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
    SetEnvironmentVariableW(L"KEST_HANDOFF_CHILD", nullptr);
    ASSERT_TRUE(started);
    // The receiver runs while the child starts, sends and ends.
    const bool ended = PumpUntil([&] { return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; }, 240000);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    ASSERT_TRUE(ended);
    EXPECT_EQ(code, 0u);
    ASSERT_EQ(FrameCount(), 1);
    EXPECT_EQ(m_main->GetPrintTarget(), m_main->FindChildFrame(job));

    // The screen as the user sees it after the hand-off, kept for a person to look at.
    PumpFor(300);
    CChildFrame* frame = m_main->FindChildFrame(job);
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(IsWindowVisible(frame->m_hWnd));
    RedrawWindow(m_main->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpFor(100);
    CreateDirectoryW(L"screenshots", nullptr);
    Screenshot shot(m_main->m_hWnd);
    EXPECT_TRUE(shot.Save("screenshots/handoff-main-frame.bmp"));
    m_main->DestroyWindow();
    m_main = nullptr;
    DeleteFileW(job.c_str());
}

TEST(HandoffChildTest, SendsItsJobAndEnds)
{
    wchar_t job[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"KEST_HANDOFF_CHILD", job, MAX_PATH) == 0)
        GTEST_SKIP() << "runs only as the second copy";
    theApp.ResetStart();
    theApp.m_recordMessages = true;
    // The driver's command line; the job's absolute path wins over any "Temp".
    EXPECT_FALSE(theApp.HandlePrintedStartup({std::wstring(L"-printed=") + job}));
    EXPECT_TRUE(theApp.m_printedPath.empty());
    EXPECT_TRUE(theApp.m_messages.empty());
}

} // namespace
