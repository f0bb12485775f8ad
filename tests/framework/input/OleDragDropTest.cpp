// A drag between two windows of the framework, as a user makes it with the mouse: the data
// travels as an archive in shared memory under a registered format; the target sees the format,
// its client points and the key state; Escape and a release inside the start rectangle leave
// everything as it was; Ctrl held copies; a window that dies takes its registration with it.
#include "../windows/WindowsTestSupport.h"
#include "EventSequence.h"
#include "UserInput.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const COLORREF kSourceColour = RGB(90, 140, 220);
const COLORREF kTargetColour = RGB(240, 200, 90);
const wchar_t kDraggedText[] = L"Invoice 42";
const LONG kDraggedNumber = 4711;

CLIPFORMAT TestFormat()
{
    static const CLIPFORMAT cf = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"KestTestArchive"));
    return cf;
}

class CRecordingDropTarget : public COleDropTarget
{
public:
    std::vector<std::string> m_events;
    std::vector<DWORD> m_keyStates;
    std::vector<CPoint> m_points;
    BOOL m_bFormatSeen = FALSE;
    DROPEFFECT m_dropDefault = DROPEFFECT_NONE;
    CString m_strReceived;
    LONG m_nReceived = 0;

    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pData, DWORD dwKeyState, CPoint point) override
    {
        m_bFormatSeen = pData->IsDataAvailable(TestFormat());
        return Record("enter", pWnd, dwKeyState, point);
    }
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject*, DWORD dwKeyState, CPoint point) override
    {
        return Record("over", pWnd, dwKeyState, point);
    }
    DROPEFFECT OnDropEx(CWnd*, COleDataObject*, DROPEFFECT dropDefault, DROPEFFECT, CPoint point) override
    {
        m_events.push_back("dropex");
        m_points.push_back(point);
        m_dropDefault = dropDefault;
        return static_cast<DROPEFFECT>(-1);
    }
    BOOL OnDrop(CWnd* pWnd, COleDataObject* pData, DROPEFFECT, CPoint point) override
    {
        m_events.push_back("drop");
        m_points.push_back(point);
        std::unique_ptr<CFile> file(pData->GetFileData(TestFormat()));
        if (!file)
            return FALSE;
        CArchive ar(file.get(), CArchive::load);
        ar >> m_strReceived >> m_nReceived;
        pWnd->Invalidate();
        return TRUE;
    }
    void OnDragLeave(CWnd*) override { m_events.push_back("leave"); }

private:
    DROPEFFECT Record(const char* name, CWnd* pWnd, DWORD dwKeyState, CPoint point)
    {
        EXPECT_EQ(pWnd->GetSafeHwnd(), GetRegisteredWindow());
        m_events.push_back(name);
        m_keyStates.push_back(dwKeyState);
        m_points.push_back(point);
        return (dwKeyState & MK_CONTROL) != 0 ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    }
};

// A coloured window; the source starts a drag of the test archive where it is pressed.
class CColourWnd : public CWnd
{
public:
    explicit CColourWnd(COLORREF colour) : m_colour(colour) {}

    BOOL m_bDragSource = FALSE;
    BOOL m_bDragEnded = FALSE;
    DROPEFFECT m_dropResult = static_cast<DROPEFFECT>(-1);
    COleDropSource m_dropSource;
    CString m_strShown;

protected:
    void OnPaint()
    {
        CPaintDC dc(this);
        CRect rect;
        GetClientRect(&rect);
        dc.FillSolidRect(&rect, m_colour);
        if (!m_strShown.IsEmpty())
        {
            dc.SetBkMode(TRANSPARENT);
            dc.TextOut(10, 10, m_strShown);
        }
    }
    void OnLButtonDown(UINT, CPoint point)
    {
        if (!m_bDragSource)
            return;
        CSharedFile memory;
        {
            CArchive ar(&memory, CArchive::store);
            ar << CString(kDraggedText) << kDraggedNumber;
        }
        COleDataSource source;
        source.CacheGlobalData(TestFormat(), memory.Detach());
        CRect rectStart(point.x - 10, point.y - 10, point.x + 10, point.y + 10);
        ClientToScreen(&rectStart);
        m_dropResult = source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE, &rectStart, &m_dropSource);
        m_bDragEnded = TRUE;
    }
    DECLARE_MESSAGE_MAP()

private:
    COLORREF m_colour;
};

BEGIN_MESSAGE_MAP(CColourWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

class OleDragDropTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(AfxOleInit()); }

    void SetUp() override
    {
        ASSERT_TRUE(Create(m_source, 100, 100));
        ASSERT_TRUE(Create(m_target, 500, 100));
        m_source.m_bDragSource = TRUE;
        ASSERT_TRUE(m_dropTarget.Register(&m_target));
        RunMessageLoopFor(200);
    }
    void TearDown() override
    {
        m_source.DestroyWindow();
        m_target.DestroyWindow();
        PumpAndIdle();
    }

    static BOOL Create(CColourWnd& wnd, int x, int y)
    {
        return wnd.CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW)), L"drag test",
                            WS_POPUP | WS_BORDER | WS_VISIBLE, x, y, 300, 200, nullptr, nullptr);
    }
    static CPoint OnScreen(CWnd& wnd, int x, int y)
    {
        CPoint point(x, y);
        wnd.ClientToScreen(&point);
        return point;
    }
    void RunDrag(UserInput& input)
    {
        input.Start();
        EXPECT_TRUE(PumpUntil([&] { return input.Done() && m_source.m_bDragEnded; }, 15000));
        input.Wait();
        PumpAndIdle();
    }

    CColourWnd m_source{kSourceColour};
    CColourWnd m_target{kTargetColour};
    CRecordingDropTarget m_dropTarget;
};

struct DragCase
{
    const char* m_name;
    bool m_bCtrl;       // Ctrl held through the display from before the press to the end
    bool m_bEscape;     // Escape pressed over the target before the release
    bool m_bStayInside; // the release comes inside the start rectangle
    DROPEFFECT m_result;
    std::vector<std::string> m_sequence;
};

class OleDragCaseTest : public OleDragDropTest, public ::testing::WithParamInterface<DragCase>
{
};

TEST_P(OleDragCaseTest, DragFromSourceToTarget)
{
    const DragCase& dragCase = GetParam();
    const CPoint ptPress = OnScreen(m_source, 150, 100);
    const CPoint ptRelease = OnScreen(m_target, 120, 80);

    UserInput input;
    input.MoveTo(ptPress);
    if (dragCase.m_bCtrl)
        input.DisplayKey("ctrl", true);
    input.LeftDown();
    if (dragCase.m_bStayInside)
        input.Glide(ptPress, CPoint(ptPress.x + 5, ptPress.y + 3), 3);
    else
        input.Glide(ptPress, ptRelease, 16).Pause(300).MoveTo(CPoint(ptRelease.x + 1, ptRelease.y)).MoveTo(ptRelease);
    if (dragCase.m_bEscape)
        input.Key(VK_ESCAPE, true).Key(VK_ESCAPE, false).Pause(200);
    input.LeftUp();
    if (dragCase.m_bCtrl)
        input.DisplayKey("ctrl", false);
    RunDrag(input);

    EXPECT_EQ(m_source.m_dropResult, dragCase.m_result);
    EXPECT_EQ(m_source.m_dropSource.m_bDragStarted, dragCase.m_bStayInside ? FALSE : TRUE);
    EXPECT_TRUE(MatchesSequence(m_dropTarget.m_events, dragCase.m_sequence)) << JoinSequence(m_dropTarget.m_events);
    if (dragCase.m_bStayInside)
        return;

    EXPECT_TRUE(m_dropTarget.m_bFormatSeen);
    ASSERT_FALSE(m_dropTarget.m_keyStates.empty());
    const DWORD dwExpectedKeys = MK_LBUTTON | (dragCase.m_bCtrl ? MK_CONTROL : 0);
    EXPECT_EQ(m_dropTarget.m_keyStates.back(), dwExpectedKeys);
    // The last point the target saw is the release point in its own client coordinates.
    const CPoint ptLast = m_dropTarget.m_points.back();
    EXPECT_LE(abs(ptLast.x - 120), 1);
    EXPECT_LE(abs(ptLast.y - 80), 1);
    if (dragCase.m_result != DROPEFFECT_NONE)
    {
        EXPECT_EQ(m_dropTarget.m_dropDefault, dragCase.m_result);
        EXPECT_EQ(m_dropTarget.m_strReceived, CString(kDraggedText));
        EXPECT_EQ(m_dropTarget.m_nReceived, kDraggedNumber);
    }
    else
    {
        EXPECT_TRUE(m_dropTarget.m_strReceived.IsEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OleDragCaseTest,
    ::testing::Values(DragCase{"Move", false, false, false, DROPEFFECT_MOVE, {"enter", "over*", "dropex", "drop"}},
                      DragCase{"CtrlCopies", true, false, false, DROPEFFECT_COPY, {"enter", "over*", "dropex", "drop"}},
                      DragCase{"EscapeCancels", false, true, false, DROPEFFECT_NONE, {"enter", "over*", "leave"}},
                      DragCase{"ReleaseInsideStartsNothing", false, false, true, DROPEFFECT_NONE, {}}),
    [](const ::testing::TestParamInfo<DragCase>& info) { return std::string(info.param.m_name); });

TEST_F(OleDragDropTest, DroppedDataIsShownWhereItLanded)
{
    const CPoint ptPress = OnScreen(m_source, 40, 40);
    const CPoint ptRelease = OnScreen(m_target, 60, 60);
    UserInput input;
    input.MoveTo(ptPress).LeftDown().Glide(ptPress, ptRelease, 16).Pause(300).MoveTo(ptRelease).LeftUp();
    RunDrag(input);
    ASSERT_EQ(m_source.m_dropResult, DROPEFFECT_MOVE);

    m_target.m_strShown = m_dropTarget.m_strReceived;
    m_target.RedrawWindow();
    RunMessageLoopFor(200);
    CRect rectBoth(100, 100, 800, 300);
    EXPECT_TRUE(SaveScreenArea(L"ole_drag_drop.bmp", rectBoth));
    EXPECT_EQ(ScreenPixel(OnScreen(m_target, 250, 150)), kTargetColour);
    EXPECT_EQ(ScreenPixel(OnScreen(m_source, 250, 150)), kSourceColour);
}

TEST_F(OleDragDropTest, DestroyedWindowEndsItsRegistration)
{
    auto pTarget = std::make_unique<CRecordingDropTarget>();
    CColourWnd doomed(kTargetColour);
    ASSERT_TRUE(Create(doomed, 500, 400));
    ASSERT_TRUE(pTarget->Register(&doomed));
    HWND hWndDoomed = doomed.m_hWnd;
    // OLE keeps the registration as a property of the window while it lasts.
    EXPECT_NE(::GetPropW(hWndDoomed, L"OleDropTargetInterface"), nullptr);
    doomed.DestroyWindow();
    EXPECT_EQ(pTarget->GetRegisteredWindow(), nullptr);
    // The same target serves another window at once, and goes without touching the dead one.
    EXPECT_TRUE(pTarget->Register(&m_source));
    EXPECT_EQ(pTarget->GetRegisteredWindow(), m_source.m_hWnd);
    pTarget.reset();
    EXPECT_EQ(::GetPropW(m_source.m_hWnd, L"OleDropTargetInterface"), nullptr);
    // A registration on a window that OLE already serves fails and changes nothing.
    CRecordingDropTarget second;
    EXPECT_FALSE(second.Register(&m_target));
    EXPECT_EQ(second.GetRegisteredWindow(), nullptr);
}

TEST_F(OleDragDropTest, DataSourceOnClipboardOutlivesItsObject)
{
    {
        CSharedFile memory;
        {
            CArchive ar(&memory, CArchive::store);
            ar << CString(kDraggedText) << kDraggedNumber;
        }
        COleDataSource source;
        source.CacheGlobalData(TestFormat(), memory.Detach());
        ASSERT_TRUE(source.SetClipboard());
    }
    COleDataObject data;
    ASSERT_TRUE(data.AttachClipboard());
    EXPECT_TRUE(data.IsDataAvailable(TestFormat()));
    EXPECT_FALSE(data.IsDataAvailable(CF_TEXT));
    EXPECT_EQ(data.GetGlobalData(CF_TEXT), nullptr);
    std::unique_ptr<CFile> file(data.GetFileData(TestFormat()));
    ASSERT_TRUE(file);
    CArchive ar(file.get(), CArchive::load);
    CString text;
    LONG number = 0;
    ar >> text >> number;
    EXPECT_EQ(text, CString(kDraggedText));
    EXPECT_EQ(number, kDraggedNumber);
    ::OleSetClipboard(nullptr);
}

} // namespace
