// The toolbar's non-client measure: the framework bar's insets, with the shifted gripper case.
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/looks/KTBarNcPainter.h"

#include <gtest/gtest.h>

TEST(BarNcPainterTest, InsetsFollowTheBarStyleAndTheShiftedGripper)
{
    struct Case
    {
        const char* what;
        DWORD barStyle;
        BOOL windowBit;
        CRect expected;
    };
    const Case cases[] = {
        {"top, plain", CBRS_ALIGN_TOP, FALSE, CRect(6, 2, -6, -2)},
        {"top, bottom border", CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM, FALSE, CRect(6, 2, -6, -3)},
        {"top, gripper", CBRS_ALIGN_TOP | CBRS_GRIPPER, FALSE, CRect(14, 2, -6, -2)},
        {"top, gripper, window bit", CBRS_ALIGN_TOP | CBRS_GRIPPER, TRUE, CRect(7, 2, -13, -2)},
        {"bottom, gripper, window bit", CBRS_ALIGN_BOTTOM | CBRS_GRIPPER, TRUE, CRect(7, 2, -13, -2)},
        {"floating, gripper, window bit", CBRS_ALIGN_TOP | CBRS_GRIPPER | CBRS_FLOATING, TRUE, CRect(6, 2, -6, -2)},
        {"left, gripper, window bit", CBRS_ALIGN_LEFT | CBRS_GRIPPER, TRUE, CRect(2, 14, -2, -6)},
    };
    for (const Case& c : cases)
    {
        HWND hWnd = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | (c.windowBit ? WS_DLGFRAME : 0), 0, 0,
                                      200, 30, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(nullptr, hWnd);
        CKTToolBar bar;
        bar.Attach(hWnd);
        bar.m_dwStyle = c.barStyle;
        CKTBarNcPainter painter(&bar);
        EXPECT_EQ(c.expected, painter.GetInsets()) << c.what;
        CRect rect(100, 100, 300, 130);
        painter.CalcNcSize(rect);
        EXPECT_EQ(CRect(100 + c.expected.left, 100 + c.expected.top, 300 + c.expected.right, 130 + c.expected.bottom),
                  rect)
            << c.what;
        bar.Detach();
        ::DestroyWindow(hWnd);
    }
}
