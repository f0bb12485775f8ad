// Temporary objects of every kind of handle map go at idle time and when their thread ends; the
// handles themselves stay, and permanent objects stay.
#include "WindowsTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

#include <malloc.h>

namespace {

std::atomic<int> g_nLiveWrappers{0};

struct CCountedWrapper
{
    CCountedWrapper() { ++g_nLiveWrappers; }
    ~CCountedWrapper() { --g_nLiveWrappers; }
    HANDLE m_handle = nullptr;
};

void SetWrapperHandle(CCountedWrapper* pWrapper, HANDLE h)
{
    pWrapper->m_handle = h;
}

// A kind of map the framework does not know: it empties through the same list.
CHandleMap<CCountedWrapper, HANDLE>& WrapperMap()
{
    return AfxGetThreadHandleMap<CCountedWrapper, HANDLE>(&SetWrapperHandle);
}

HANDLE FakeHandle(UINT_PTR n)
{
    return reinterpret_cast<HANDLE>(n);
}

TEST(HandleMapTest, IdleTimeEmptiesEveryMapOfTemporaryObjects)
{
    PumpAndIdle();
    const int nBefore = g_nLiveWrappers;
    WrapperMap().FromHandle(FakeHandle(0x10));
    WrapperMap().FromHandle(FakeHandle(0x20));
    EXPECT_EQ(WrapperMap().FromHandle(FakeHandle(0x10)), WrapperMap().LookupTemporary(FakeHandle(0x10)));
    EXPECT_EQ(g_nLiveWrappers, nBefore + 2);

    CImageList permanent;
    ASSERT_TRUE(permanent.Create(16, 16, ILC_COLOR24, 1, 1));
    HIMAGELIST hLoose = ImageList_Create(16, 16, ILC_COLOR24, 1, 1);
    ASSERT_NE(hLoose, nullptr);
    CImageList* pTemporary = CImageList::FromHandle(hLoose);
    ASSERT_NE(pTemporary, nullptr);
    EXPECT_EQ(CImageList::FromHandlePermanent(hLoose), nullptr);
    EXPECT_EQ(CImageList::FromHandlePermanent(permanent.m_hImageList), &permanent);
    EXPECT_EQ(CImageList::FromHandle(permanent.m_hImageList), &permanent);

    PumpAndIdle();
    EXPECT_EQ(g_nLiveWrappers, nBefore);
    EXPECT_EQ(WrapperMap().LookupTemporary(FakeHandle(0x10)), nullptr);
    // The temporary wrapper went without its handle; the permanent object is untouched.
    EXPECT_EQ(ImageList_GetImageCount(hLoose), 0);
    EXPECT_TRUE(ImageList_Destroy(hLoose));
    EXPECT_EQ(CImageList::FromHandlePermanent(permanent.m_hImageList), &permanent);
}

UINT MakeTemporaryWrappers(LPVOID)
{
    WrapperMap().FromHandle(FakeHandle(0x30));
    WrapperMap().FromHandle(FakeHandle(0x40));
    CWnd::FromHandle(::GetDesktopWindow());
    return 0;
}

UINT MakeTemporaryWrappersAndEndThread(LPVOID pParam)
{
    MakeTemporaryWrappers(pParam);
    AfxEndThread(0, FALSE);
    return 1;
}

// The thread's maps go with it, before the runtime frees the thread's storage; the same thread
// makes a map afresh if it needs one afterwards.
UINT DeleteMapsThenUseThemAgain(LPVOID pParam)
{
    const int nBefore = *static_cast<int*>(pParam);
    MakeTemporaryWrappers(nullptr);
    AfxDeleteThreadHandleMaps();
    if (g_nLiveWrappers != nBefore)
        return 2;
    if (WrapperMap().LookupTemporary(FakeHandle(0x30)) != nullptr)
        return 3;
    if (WrapperMap().FromHandle(FakeHandle(0x30)) == nullptr || g_nLiveWrappers != nBefore + 1)
        return 4;
    return 0;
}

TEST(HandleMapTest, ThreadEndEmptiesItsMaps)
{
    const struct
    {
        const char* m_pszName;
        AFX_THREADPROC m_pfnProc;
    } cases[] = {
        {"returns", &MakeTemporaryWrappers},
        {"AfxEndThread", &MakeTemporaryWrappersAndEndThread},
        {"deletes its maps early", &DeleteMapsThenUseThemAgain},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.m_pszName);
        int nBefore = g_nLiveWrappers;
        CWinThread* pThread =
            AfxBeginThread(c.m_pfnProc, &nBefore, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        ASSERT_NE(pThread, nullptr);
        pThread->m_bAutoDelete = FALSE;
        pThread->ResumeThread();
        ASSERT_EQ(::WaitForSingleObject(pThread->m_hThread, 5000), WAIT_OBJECT_0);
        DWORD dwExitCode = 99;
        EXPECT_TRUE(::GetExitCodeThread(pThread->m_hThread, &dwExitCode));
        EXPECT_EQ(dwExitCode, 0u);
        EXPECT_EQ(g_nLiveWrappers, nBefore);
        delete pThread;
    }
}

// Per-thread state with a destructor goes the same way as the maps.
std::atomic<int> g_nLiveThreadData{0};

struct CCountedThreadData : public CThreadData
{
    CCountedThreadData() { ++g_nLiveThreadData; }
    ~CCountedThreadData() override { --g_nLiveThreadData; }
    int m_nUses = 0;
};

// A frame with a registered drop target, both gone before the thread ends; the thread's frame list
// and drop-target table stay behind on the heap until the thread's end deletes them.
UINT MakeFrameAndDropTarget(LPVOID)
{
    AfxGetThreadData<CCountedThreadData>().m_nUses++;
    if (!AfxOleInit())
        return 2;
    UINT nResult = 0;
    {
        CFrameWnd* pFrame = new CFrameWnd;
        if (!pFrame->Create(nullptr, _T("worker frame"), WS_OVERLAPPEDWINDOW))
            nResult = 3;
        else
        {
            COleDropTarget target;
            if (!target.Register(pFrame))
                nResult = 4;
            const auto& frames = AfxGetThreadFrameList();
            if (std::find(frames.begin(), frames.end(), pFrame) == frames.end())
                nResult = 5;
            // The frame deletes itself; its dying window revokes the target.
            pFrame->DestroyWindow();
            if (target.GetRegisteredWindow() != nullptr || !AfxGetThreadFrameList().empty())
                nResult = 6;
        }
    }
    AfxOleTerm();
    return nResult;
}

UINT MakeFrameAndDropTargetAndEndThread(LPVOID pParam)
{
    const UINT nResult = MakeFrameAndDropTarget(pParam);
    AfxEndThread(nResult, FALSE);
    return 1;
}

// Deleted early, the state is made afresh on its next use and deleted again at the end.
UINT DeleteDataEarlyThenUseItAgain(LPVOID pParam)
{
    const UINT nResult = MakeFrameAndDropTarget(pParam);
    AfxGetThreadData<CCountedThreadData>().m_nUses = 5;
    AfxDeleteThreadData();
    if (g_nLiveThreadData != 0)
        return 10;
    if (AfxGetThreadData<CCountedThreadData>().m_nUses != 0 || g_nLiveThreadData != 1)
        return 11;
    return nResult != 0 ? nResult : MakeFrameAndDropTarget(pParam);
}

TEST(HandleMapTest, ThreadEndDeletesItsFrameListAndDropTargets)
{
    const struct
    {
        const char* m_pszName;
        AFX_THREADPROC m_pfnProc;
    } cases[] = {
        {"returns", &MakeFrameAndDropTarget},
        {"AfxEndThread", &MakeFrameAndDropTargetAndEndThread},
        {"deletes its state early", &DeleteDataEarlyThenUseItAgain},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.m_pszName);
        // Repeated: a thread-local object freed before its destructor ran would corrupt the heap
        // within a few rounds.
        for (int nRound = 0; nRound < 8; nRound++)
        {
            CWinThread* pThread = AfxBeginThread(c.m_pfnProc, nullptr, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
            ASSERT_NE(pThread, nullptr);
            pThread->m_bAutoDelete = FALSE;
            pThread->ResumeThread();
            ASSERT_EQ(::WaitForSingleObject(pThread->m_hThread, 10000), WAIT_OBJECT_0);
            DWORD dwExitCode = 99;
            EXPECT_TRUE(::GetExitCodeThread(pThread->m_hThread, &dwExitCode));
            EXPECT_EQ(dwExitCode, 0u) << "round " << nRound;
            EXPECT_EQ(g_nLiveThreadData, 0) << "round " << nRound;
            delete pThread;
        }
        EXPECT_EQ(_heapchk(), _HEAPOK);
    }
}

} // namespace
