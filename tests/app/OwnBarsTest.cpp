// The program's own toolbar buttons and unmovable bars in a toolkit frame on the test display:
// the picture button loaded, drawn, stored and read back, the label that is never pressed, the
// locked toolbar that stays put, and the locked sizing bar that is resized but never moved.
#include "app/AppRes.h"
#include "app/LockedBars.h"
#include "app/OwnToolbarButtons.h"
#include "framework/AfxMsgMap.h"
#include "tests/app/AppTestSupport.h"
#include "tests/framework/input/UserInput.h"
#include "uitoolkit/bars/KTFrameWnd.h"
#include "uitoolkit/looks/KTVisualManager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

constexpr COLORREF BubbleYellow = RGB(240, 200, 40);
constexpr UINT LabelCommand = 0;

// Draws the button into a bitmap of its size and tells whether any pixel has the colour.
bool DrawsColour(CKTToolbarButton& button, SIZE size, COLORREF colour)
{
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size.cx, size.cy);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    const RECT area = {0, 0, size.cx, size.cy};
    FillRect(memory, &area, GetSysColorBrush(COLOR_BTNFACE));
    button.OnDraw(CDC::FromHandle(memory), CRect(area), nullptr);
    bool found = false;
    for (int y = 0; y < size.cy && !found; ++y)
        for (int x = 0; x < size.cx && !found; ++x)
            found = GetPixel(memory, x, y) == colour;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return found;
}

TEST(ToolbarButtonImageTest, ThePictureIsLoadedAtItsSizeOrNotAtAll)
{
    // The colours are read as the plain look draws them: the program's own look, which any main
    // window of an earlier test leaves behind, fades a picture at rest into the face.
    CRuntimeClass* const lookBefore = CKTVisualManager::GetInstance()->GetRuntimeClass();
    ASSERT_TRUE(CKTVisualManager::SetDefaultManager(RUNTIME_CLASS(CKTVisualManager)));
    const struct
    {
        const char* name;
        UINT bitmap;
        SIZE size;
        UINT keptId;
    } cases[] = {
        {"the feedback picture", IDB_FEEDBACK, {73, 25}, IDB_FEEDBACK},
        {"no such bitmap", 49999, {73, 25}, 0},
        {"no size set", IDB_FEEDBACK, {0, 0}, 0},
        {"a size no picture of ours has", IDB_FEEDBACK, {70000, 25}, 0},
    };
    for (const auto& c : cases)
    {
        CKTToolbarButtonImage button(ID_HELP_FEEDBACK, c.bitmap, c.size);
        EXPECT_EQ(button.GetBitmapId(), c.keptId) << c.name;
        EXPECT_EQ(button.GetStrip().GetCount(), c.keptId ? 1 : 0) << c.name;
        // Without its picture the button is drawn as a plain face.
        EXPECT_EQ(DrawsColour(button, {80, 30}, BubbleYellow), c.keptId != 0) << c.name;
    }
    CKTVisualManager::SetDefaultManager(lookBefore);
}

TEST(ToolbarButtonImageTest, AStoredButtonComesBackWithThePictureAtItsSize)
{
    const struct
    {
        const char* name;
        SIZE stored;
        UINT expected;
    } cases[] = {
        {"as saved", {73, 25}, IDB_FEEDBACK},
        // A damaged record's size never sizes a strip.
        {"negative size", {-73, 25}, 0},
        {"huge size", {73, 0x7FFFFFFF}, 0},
    };
    for (const auto& c : cases)
    {
        CKTToolbarButtonImage saved(ID_HELP_FEEDBACK, IDB_FEEDBACK, {73, 25});
        saved.SetImageSize(c.stored);
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            ar << static_cast<CObject*>(&saved);
            ar.Close();
        }
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load);
        CKTToolbarButton* read = CKTToolbarButton::ReadButton(ar);
        ar.Close();
        CKTToolbarButtonImage* image = dynamic_cast<CKTToolbarButtonImage*>(read);
        ASSERT_NE(image, nullptr) << c.name;
        EXPECT_EQ(image->m_nID, static_cast<UINT>(ID_HELP_FEEDBACK)) << c.name;
        EXPECT_EQ(image->GetBitmapId(), c.expected) << c.name;
        if (c.expected)
        {
            EXPECT_EQ(image->GetImageSize(), CSize(73, 25));
            EXPECT_EQ(image->GetStrip().GetImageSize(), CSize(73, 25));
        }
        // A copy loads its own picture again.
        CKTToolbarButtonImage copy;
        copy.CopyFrom(*image);
        EXPECT_EQ(copy.GetBitmapId(), c.expected) << c.name;
        delete read;
    }
}

// A toolkit frame that records the commands its bars send.
class CRecordingFrame : public CKTFrameWnd
{
public:
    std::vector<UINT> m_commands;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        m_commands.push_back(LOWORD(wParam));
        return CKTFrameWnd::OnCommand(wParam, lParam);
    }
};

class LockedBarsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_frame = new CRecordingFrame;
        ASSERT_TRUE(m_frame->Create(nullptr, L"Locked bars", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 640, 460),
                                    nullptr, nullptr, WS_EX_TOPMOST));
        m_frame->EnableDocking(CBRS_ALIGN_ANY);
        ASSERT_TRUE(m_locked.CreateEx(m_frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER,
                                      CRect(1, 1, 1, 1), 59501));
        ToolbarImageResources images;
        images.m_uiHotResID = IDB_TABLE;
        ASSERT_TRUE(m_locked.LoadToolBarEx(IDR_TABLE_BAR, images, TRUE));
        m_locked.InsertButton(CKTLabelButton(L"Pa&ge && more"));
        m_locked.EnableDocking(CBRS_ALIGN_ANY);
        m_frame->DockControlBar(&m_locked);
        ASSERT_TRUE(
            m_sizing.Create(L"Preview", m_frame, CSize(200, 120), TRUE, 59502, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM));
        m_sizing.EnableDocking(CBRS_ALIGN_ANY);
        m_frame->DockControlBar(&m_sizing, AFX_IDW_DOCKBAR_BOTTOM);
        m_frame->RecalcLayout();
        SetForegroundWindow(m_frame->m_hWnd);
        PumpFor(150);
    }
    void TearDown() override
    {
        if (IsWindow(m_frame->m_hWnd))
            m_frame->DestroyWindow();
        PumpFor(50);
    }
    void Play(UserInput& input)
    {
        input.Start();
        PumpUntil([&] { return input.Done(); }, 15000);
        PumpFor(150);
    }
    POINT Screen(CWnd& window, POINT client)
    {
        ClientToScreen(window.m_hWnd, &client);
        return client;
    }
    RECT WindowOf(CWnd& window)
    {
        RECT rect = {};
        GetWindowRect(window.m_hWnd, &rect);
        return rect;
    }

    CRecordingFrame* m_frame = nullptr;
    CKTLockedToolBar m_locked;
    CKTLockedSizingControlBar m_sizing;
};

TEST_F(LockedBarsTest, TheLockedToolbarIsNotListedNotDraggedAndItsLabelNeverPressed)
{
    EXPECT_FALSE(m_locked.AllowShowOnList());
    const int label = m_locked.GetCount() - 1;
    CKTToolbarButton* button = m_locked.GetButton(label);
    ASSERT_NE(dynamic_cast<CKTLabelButton*>(button), nullptr);
    button->SetStyle(0);
    EXPECT_NE(button->m_nStyle & TBBS_DISABLED, 0u);

    CRect labelRect;
    m_locked.GetItemRect(label, &labelRect);
    const RECT before = WindowOf(m_locked);
    UserInput input;
    const POINT grip = Screen(m_locked, {3, labelRect.CenterPoint().y});
    input.MoveTo(Screen(m_locked, labelRect.CenterPoint()))
        .LeftDown()
        .LeftUp()
        .Glide(Screen(m_locked, labelRect.CenterPoint()), grip)
        .LeftDown()
        .Glide(grip, {grip.x + 150, grip.y + 200})
        .LeftUp()
        .MoveTo(grip)
        .LeftDown()
        .LeftUp()
        .LeftDown()
        .LeftUp();
    Play(input);
    EXPECT_TRUE(m_frame->m_commands.empty());
    EXPECT_FALSE(m_locked.IsFloating());
    EXPECT_EQ(WindowOf(m_locked).left, before.left);
    EXPECT_EQ(WindowOf(m_locked).top, before.top);

    // The label is drawn in the bar's text colour, not greyed.
    RedrawWindow(m_locked.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpFor(100);
    m_locked.GetItemRect(label, &labelRect);
    bool dark = false, grey = false;
    for (int y = labelRect.top; y < labelRect.bottom; ++y)
        for (int x = labelRect.left; x < labelRect.right; ++x)
        {
            const COLORREF pixel = ScreenPixel(Screen(m_locked, {x, y}));
            dark = dark || pixel == GetSysColor(COLOR_BTNTEXT);
            grey = grey || pixel == GetSysColor(COLOR_GRAYTEXT);
        }
    EXPECT_TRUE(dark);
    EXPECT_FALSE(grey);
    CreateDirectoryW(L"screenshots", nullptr);
    EXPECT_TRUE(SaveScreenArea(L"screenshots/locked-bars.bmp", WindowOf(*m_frame)));
}

TEST_F(LockedBarsTest, ImageAndLabelButtonsComeBackWithASavedToolbar)
{
    const wchar_t profile[] = L"Software\\KestTests\\OwnButtons\\";
    constexpr UINT SavedId = 59503;
    ToolbarImageResources images;
    images.m_uiHotResID = IDB_TABLE;
    CKTToolBar saved, loaded;
    for (CKTToolBar* bar : {&saved, &loaded})
    {
        ASSERT_TRUE(bar->CreateEx(m_frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(1, 1, 1, 1),
                                  bar == &saved ? SavedId : SavedId + 1));
        ASSERT_TRUE(bar->LoadToolBarEx(IDR_TABLE_BAR, images));
    }
    saved.InsertButton(CKTToolbarButtonImage(ID_HELP_FEEDBACK, IDB_FEEDBACK, {73, 25}));
    saved.InsertButton(CKTLabelButton(L"of 3 Pages"));
    ASSERT_TRUE(saved.SaveState(profile));
    ASSERT_TRUE(loaded.LoadState(profile, SavedId));
    ASSERT_EQ(loaded.GetCount(), saved.GetCount());

    const auto* image = dynamic_cast<CKTToolbarButtonImage*>(loaded.GetButton(loaded.GetCount() - 2));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->m_nID, static_cast<UINT>(ID_HELP_FEEDBACK));
    EXPECT_EQ(image->GetBitmapId(), static_cast<UINT>(IDB_FEEDBACK));
    EXPECT_EQ(image->GetImageSize(), CSize(73, 25));
    EXPECT_EQ(image->GetStrip().GetCount(), 1);
    const auto* label = dynamic_cast<CKTLabelButton*>(loaded.GetButton(loaded.GetCount() - 1));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(std::wstring(label->m_strText), L"of 3 Pages");
    EXPECT_NE(label->m_nStyle & TBBS_DISABLED, 0u);
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KestTests\\OwnButtons");
}

TEST_F(LockedBarsTest, TheLockedSizingBarIsResizedAtItsTopEdgeButNeverMovedOrClosed)
{
    EXPECT_FALSE(m_sizing.CanBeClosed());
    const RECT before = WindowOf(m_sizing);
    const CRect edge = m_sizing.GetEdgeRect(HTTOP);
    ASSERT_FALSE(edge.IsRectEmpty());
    const POINT top = {before.left + edge.CenterPoint().x, before.top + edge.CenterPoint().y};
    UserInput resize;
    resize.MoveTo(top).LeftDown().Glide(top, {top.x, top.y - 40}).LeftUp();
    Play(resize);
    m_frame->RecalcLayout();
    PumpFor(100);
    const RECT resized = WindowOf(m_sizing);
    EXPECT_LT(resized.top, before.top - 20);
    EXPECT_EQ(resized.bottom, before.bottom);

    // The caption and its double click leave the bar where it is.
    const POINT caption = {resized.left + 60, resized.top + 10};
    UserInput move;
    move.MoveTo(caption).LeftDown().Glide(caption, {caption.x + 100, caption.y - 150}).LeftUp().LeftDown().LeftUp();
    move.LeftDown().LeftUp();
    Play(move);
    EXPECT_FALSE(m_sizing.IsFloating());
    EXPECT_EQ(WindowOf(m_sizing).top, resized.top);

    // Floated by the program, it shows no close button.
    m_frame->FloatControlBar(&m_sizing, CPoint(200, 200));
    PumpFor(100);
    EXPECT_TRUE(m_sizing.GetButton(CKTSizingControlBar::kCloseButton).m_bHidden);
}

} // namespace
