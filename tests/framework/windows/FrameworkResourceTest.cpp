// The framework's own resources, as a program that includes its resource script gets them: the
// status-bar prompts and the two split cursors, drawn where their hot spots say.
#include "WindowsTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(FrameworkResourceTest, PromptsLoadByTheirIds)
{
    const struct
    {
        UINT m_nID;
        const wchar_t* m_text;
    } cases[] = {{AFX_IDS_IDLEMESSAGE, L"Ready"},
                 {AFX_IDS_HELPMODEMESSAGE, L"Select an object on which to get Help"},
                 {ID_COMMAND_FROM_SC(SC_SIZE), L"Change the window size"},
                 {ID_COMMAND_FROM_SC(SC_CLOSE), L"Close the active window and offer to save its work"},
                 {ID_COMMAND_FROM_SC(SC_RESTORE), L"Restore the window to its normal size"},
                 {AFX_IDS_MDICHILD, L"Activate this window"},
                 {AFX_IDS_ALLFILTER, L"All Files (*.*)"}};
    for (const auto& prompt : cases)
    {
        CString text;
        EXPECT_TRUE(text.LoadString(prompt.m_nID)) << prompt.m_nID;
        EXPECT_EQ(text, CString(prompt.m_text)) << prompt.m_nID;
    }
}

// Draws the cursor on white and answers the colour at a point of the picture.
COLORREF CursorPixel(HCURSOR hCursor, int x, int y)
{
    HDC hScreen = ::GetDC(nullptr);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 32, 32);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    RECT rect = {0, 0, 32, 32};
    ::FillRect(hDC, &rect, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::DrawIconEx(hDC, 0, 0, hCursor, 32, 32, 0, nullptr, DI_NORMAL);
    COLORREF colour = ::GetPixel(hDC, x, y);
    ::SelectObject(hDC, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hDC);
    ::ReleaseDC(nullptr, hScreen);
    return colour;
}

TEST(FrameworkResourceTest, SplitCursorsShowTwoBarsAcrossTheirDirection)
{
    HCURSOR hHorizontal = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(AFX_IDC_HSPLITBAR));
    HCURSOR hVertical = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(AFX_IDC_VSPLITBAR));
    ASSERT_NE(hHorizontal, nullptr);
    ASSERT_NE(hVertical, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(hHorizontal, &info));
    EXPECT_EQ(info.xHotspot, 15u);
    EXPECT_EQ(info.yHotspot, 15u);
    ::DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr)
        ::DeleteObject(info.hbmColor);

    // Left and right of the hot spot: upright bars for a horizontal move, none above it.
    EXPECT_EQ(CursorPixel(hHorizontal, 13, 8), RGB(0, 0, 0));
    EXPECT_EQ(CursorPixel(hHorizontal, 17, 22), RGB(0, 0, 0));
    EXPECT_EQ(CursorPixel(hHorizontal, 15, 2), RGB(255, 255, 255));
    // The vertical one is the same turned: lying bars above and below the hot spot.
    EXPECT_EQ(CursorPixel(hVertical, 8, 13), RGB(0, 0, 0));
    EXPECT_EQ(CursorPixel(hVertical, 22, 17), RGB(0, 0, 0));
    EXPECT_EQ(CursorPixel(hVertical, 2, 15), RGB(255, 255, 255));
}

} // namespace
