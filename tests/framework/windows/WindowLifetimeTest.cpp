// Window objects: creation through the hook, the handle map, and objects that end themselves.
#include "WindowsTestSupport.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>

namespace {

// Records the messages it sees and can delete itself while handling one.
class CSelfEndingWnd : public CWnd
{
public:
    explicit CSelfEndingWnd(bool* pbDeleted) : m_pbDeleted(pbDeleted) {}
    ~CSelfEndingWnd() override { *m_pbDeleted = true; }

    std::vector<UINT> m_messages;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        m_messages.push_back(message);
        return CWnd::WindowProc(message, wParam, lParam);
    }

protected:
    // A click deletes the object (which destroys its window) from inside its own handler.
    void OnLButtonDown(UINT, CPoint) { delete this; }
    // Closing destroys the window; PostNcDestroy then deletes the object.
    void OnClose() { DestroyWindow(); }
    void PostNcDestroy() override { delete this; }

    bool* m_pbDeleted;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfEndingWnd, CWnd)
    ON_WM_LBUTTONDOWN()
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CSelfEndingWnd* CreateSelfEnding(bool* pbDeleted)
{
    auto* pWnd = new CSelfEndingWnd(pbDeleted);
    if (!pWnd->CreateEx(0, AfxRegisterWndClass(0), L"self-ending", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100,
                        nullptr, nullptr))
        return nullptr;
    return pWnd;
}

TEST(WindowLifetimeTest, ObjectSeesTheWindowsMessagesFromTheFirstOne)
{
    bool bDeleted = false;
    CSelfEndingWnd* pWnd = CreateSelfEnding(&bDeleted);
    ASSERT_NE(pWnd, nullptr);
    ASSERT_FALSE(pWnd->m_messages.empty());
    // The creation hook attaches the object before the window gets anything.
    EXPECT_EQ(pWnd->m_messages.front(), (UINT)WM_GETMINMAXINFO);
    EXPECT_NE(std::find(pWnd->m_messages.begin(), pWnd->m_messages.end(), (UINT)WM_NCCREATE), pWnd->m_messages.end());
    EXPECT_EQ(CWnd::FromHandlePermanent(pWnd->m_hWnd), pWnd);
    EXPECT_EQ(CWnd::FromHandle(pWnd->m_hWnd), pWnd);
    pWnd->SendMessage(WM_CLOSE);
    EXPECT_TRUE(bDeleted);
}

TEST(WindowLifetimeTest, WindowDeletingItselfInsideItsHandlerIsDestroyedAndForgotten)
{
    struct Case
    {
        const char* name;
        UINT message;
        bool bPosted;
    };
    const Case cases[] = {
        {"delete this on a sent click", WM_LBUTTONDOWN, false},
        {"delete this on a posted click", WM_LBUTTONDOWN, true},
        {"DestroyWindow on close, deleted in PostNcDestroy", WM_CLOSE, false},
    };
    for (const Case& c : cases)
    {
        bool bDeleted = false;
        CSelfEndingWnd* pWnd = CreateSelfEnding(&bDeleted);
        ASSERT_NE(pWnd, nullptr) << c.name;
        HWND hWnd = pWnd->m_hWnd;
        if (c.bPosted)
        {
            ::PostMessage(hWnd, c.message, MK_LBUTTON, MAKELPARAM(5, 5));
            PumpAndIdle();
        }
        else
            ::SendMessage(hWnd, c.message, MK_LBUTTON, MAKELPARAM(5, 5));
        EXPECT_TRUE(bDeleted) << c.name;
        EXPECT_FALSE(::IsWindow(hWnd)) << c.name;
        EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr) << c.name;
    }
}

// Counts the ends it is told of; refuses its creation where the case says.
template <class Base>
class CFailingCreation : public Base
{
public:
    enum Refusal { InCreate, InPreCreate, NoSuchClass };
    explicit CFailingCreation(Refusal refusal) : m_refusal(refusal) {}
    int m_ends = 0;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override
    {
        if (m_refusal == InPreCreate)
            return FALSE;
        const BOOL result = Base::PreCreateWindow(cs);
        if (m_refusal == NoSuchClass)
            cs.lpszClass = L"KestNoSuchWindowClass";
        return result;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_CREATE && m_refusal == InCreate)
            return -1;
        return Base::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override { ++m_ends; }

    Refusal m_refusal;
};

// Creators of windows that delete themselves rely on this: whichever way a creation fails, the
// object is told once in PostNcDestroy, so it is gone and nobody deletes it a second time.
TEST(WindowLifetimeTest, EveryFailedCreationEndsInPostNcDestroyOnce)
{
    using Plain = CFailingCreation<CWnd>;
    using Frame = CFailingCreation<CFrameWnd>;
    using Child = CFailingCreation<CMDIChildWnd>;
    for (auto refusal : {Plain::InCreate, Plain::InPreCreate, Plain::NoSuchClass})
    {
        Plain plain(refusal);
        EXPECT_FALSE(plain.CreateEx(0, AfxRegisterWndClass(0), L"plain", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr,
                                    nullptr));
        EXPECT_EQ(plain.m_ends, 1) << "window, refusal " << refusal;
        EXPECT_EQ(plain.m_hWnd, nullptr);

        Frame frame(static_cast<Frame::Refusal>(refusal));
        EXPECT_FALSE(frame.Create(nullptr, L"frame"));
        EXPECT_EQ(frame.m_ends, 1) << "frame, refusal " << refusal;
    }
    // A child frame without a client area to live in never gets a window.
    CMDIFrameWnd noClient;
    Child child(Child::InCreate);
    EXPECT_FALSE(child.Create(nullptr, L"child", WS_CHILD | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, &noClient));
    EXPECT_EQ(child.m_ends, 1);
}

TEST(WindowLifetimeTest, TemporaryObjectsOfForeignWindowsLiveUntilIdleTime)
{
    HWND hWnd = ::CreateWindowEx(0, L"STATIC", L"foreign", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hWnd, nullptr);
    CWnd* pTemp = CWnd::FromHandle(hWnd);
    ASSERT_NE(pTemp, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    EXPECT_EQ(CWnd::FromHandle(hWnd), pTemp) << "the same temporary object until idle time";
    CString text;
    pTemp->GetWindowText(text);
    EXPECT_EQ(text, CString(L"foreign"));
    TestApp().OnIdle(1);  // frees the temporary objects, not their windows
    EXPECT_TRUE(::IsWindow(hWnd));
    ::DestroyWindow(hWnd);
}

TEST(WindowLifetimeTest, SubclassedControlGetsItsProcedureBackWhenDetached)
{
    HWND hWnd = ::CreateWindowEx(0, L"BUTTON", L"b", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hWnd, nullptr);
    WNDPROC original = reinterpret_cast<WNDPROC>(::GetWindowLongPtr(hWnd, GWLP_WNDPROC));
    {
        CWnd wnd;
        ASSERT_TRUE(wnd.SubclassWindow(hWnd));
        EXPECT_EQ(::SendMessage(hWnd, WM_QUERYAFXWNDPROC, 0, 0), 1);
        EXPECT_EQ(wnd.UnsubclassWindow(), hWnd);
    }
    EXPECT_TRUE(::IsWindow(hWnd)) << "an unsubclassed window survives its former object";
    EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtr(hWnd, GWLP_WNDPROC)), original);
    ::DestroyWindow(hWnd);
}

// What the clean-up entries saw: the window, whether its handle still worked and whether the
// object still owned it.
struct CleanupSeen
{
    std::string entry;
    HWND hWnd;
    bool bHandleAlive;
    bool bStillPermanent;
};
std::vector<CleanupSeen> g_cleanupsSeen;

void AFXAPI RecordFirstCleanup(CWnd* pWnd)
{
    g_cleanupsSeen.push_back({"first", pWnd->m_hWnd, ::IsWindow(pWnd->m_hWnd) != FALSE,
                              CWnd::FromHandlePermanent(pWnd->m_hWnd) == pWnd});
}

void AFXAPI RecordSecondCleanup(CWnd* pWnd)
{
    g_cleanupsSeen.push_back({"second", pWnd->m_hWnd, ::IsWindow(pWnd->m_hWnd) != FALSE,
                              CWnd::FromHandlePermanent(pWnd->m_hWnd) == pWnd});
}

TEST(WindowLifetimeTest, EveryCleanupEntryRunsOnceInOrderForEachDyingWindowWhileItsHandleIsValid)
{
    AfxAddWndCleanup(&RecordFirstCleanup);
    AfxAddWndCleanup(&RecordSecondCleanup);
    AfxAddWndCleanup(&RecordFirstCleanup);  // a second add of the same entry changes nothing
    AfxAddWndCleanup(nullptr);

    bool bDeleted = false;
    CSelfEndingWnd* pParent = CreateSelfEnding(&bDeleted);
    ASSERT_NE(pParent, nullptr);
    CWnd child;
    ASSERT_TRUE(child.Create(nullptr, L"child", WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 20), pParent, 1));
    const HWND hParent = pParent->m_hWnd;
    const HWND hChild = child.m_hWnd;

    g_cleanupsSeen.clear();
    pParent->SendMessage(WM_CLOSE);
    ASSERT_TRUE(bDeleted);

    // The parent's WM_NCDESTROY reaches the children first, so the child's entries come first.
    struct Expected
    {
        const char* entry;
        HWND hWnd;
    };
    const Expected expected[] = {{"first", hChild}, {"second", hChild}, {"first", hParent}, {"second", hParent}};
    ASSERT_EQ(g_cleanupsSeen.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i)
    {
        EXPECT_EQ(g_cleanupsSeen[i].entry, expected[i].entry) << i;
        EXPECT_EQ(g_cleanupsSeen[i].hWnd, expected[i].hWnd) << i;
        EXPECT_TRUE(g_cleanupsSeen[i].bHandleAlive) << i;
        EXPECT_TRUE(g_cleanupsSeen[i].bStillPermanent) << i;
    }
    EXPECT_EQ(child.m_hWnd, nullptr) << "the child's object let go of its handle after the entries";
}

} // namespace

namespace {

// Answers the help request F1 sends, as a window that shows its own help does.
class CHelpAnsweringWnd : public CWnd
{
public:
    int m_nHelpContextSeen = -1;

protected:
    BOOL OnHelpInfo(HELPINFO* pInfo)
    {
        m_nHelpContextSeen = (int)pInfo->dwContextId;
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHelpAnsweringWnd, CWnd)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

} // namespace

TEST(WindowLifetimeTest, HelpRequestReachesTheHelpInfoHandler)
{
    CHelpAnsweringWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), L"help", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr, nullptr));
    HELPINFO info = {};
    info.cbSize = sizeof(info);
    info.iContextType = HELPINFO_WINDOW;
    info.hItemHandle = wnd.m_hWnd;
    info.dwContextId = 77;
    EXPECT_EQ(TRUE, (BOOL)wnd.SendMessage(WM_HELP, 0, (LPARAM)&info));
    EXPECT_EQ(77, wnd.m_nHelpContextSeen);
    wnd.DestroyWindow();
}
