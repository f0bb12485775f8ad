#include "tests/uitoolkit/looks/LookOperations.h"

#include "tests/uitoolkit/looks/LooksTestSupport.h"
#include "uitoolkit/bars/KTSizingControlBar.h"
#include "uitoolkit/bars/KTStatusBar.h"
#include "uitoolkit/bars/KTTabWnd.h"
#include "uitoolkit/bars/KTPopupMenuBar.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"
#include "uitoolkit/customize/KTButton.h"
#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTVisualManager.h"
#include "uitoolkit/widgets/KTTasksPane.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace
{
using State = CKTVisualManager::ButtonState;

// A toolkit button whose pushed and hot flags a test sets.
class CStateButton : public CKTButton
{
public:
    void SetState(BOOL bPushed, BOOL bHighlighted)
    {
        m_bPushed = bPushed;
        m_bHighlighted = bHighlighted;
    }
};

struct Fixtures
{
    CStateButton pushButton;
    CKTTabWnd tabWnd;
    CKTSizingBarButton captionButton;
    CKTToolBar toolBar;
    CKTPopupMenuBar popupBar;
    CKTStatusBar statusBar;
    CKTToolbarButton buttons[4];
    CKTToolbarMenuButton menuItem;
    CKTToolbarMenuButton menuBarButton;
    CKTTasksGroup group;
    CKTTask link;
    CKTTask note;

    Fixtures()
    {
        toolBar.m_dwStyle = CBRS_ALIGN_TOP | CBRS_BORDER_ANY | CBRS_BORDER_3D;
        popupBar.m_dwStyle = CBRS_ALIGN_TOP;
        const UINT styles[4] = {0, TBBS_CHECKED, TBBS_PRESSED, TBBS_DISABLED};
        for (int i = 0; i < 4; ++i)
        {
            buttons[i].m_nStyle = styles[i];
            buttons[i].m_pWndParent = &toolBar;
        }
        menuItem.m_pWndParent = &popupBar;
        menuBarButton.m_pWndParent = &toolBar;
        group.m_strName = L"Work file";
        group.m_rectCaption.SetRect(2, 2, 62, 20);
        link.m_strName = L"Open";
        link.m_uiCommandID = 33201;
        link.m_rect.SetRect(4, 4, 60, 20);
        note.m_strName = L"3 pages";
        note.m_rect.SetRect(4, 20, 60, 36);
    }
};

Fixtures& TheFixtures()
{
    static Fixtures fixtures;
    return fixtures;
}

std::vector<LookOperation> MakeOperations()
{
    Fixtures& f = TheFixtures();
    const CRect all(0, 0, kOperationSurfaceWidth, kOperationSurfaceHeight);
    const CRect button(4, 4, 28, 28);
    std::vector<LookOperation> ops = {
        {"toolbar background",
         [&f, all](CKTVisualManager& l, CDC& dc) { l.OnFillBarBackground(&dc, &f.toolBar, all, CRect()); }},
        {"popup menu background",
         [&f, all](CKTVisualManager& l, CDC& dc) { l.OnFillBarBackground(&dc, &f.popupBar, all, CRect()); }},
        {"status bar background",
         [&f, all](CKTVisualManager& l, CDC& dc) { l.OnFillBarBackground(&dc, &f.statusBar, all, CRect()); }},
        {"bar border",
         [&f, all](CKTVisualManager& l, CDC& dc) {
             CRect r = all;
             l.OnDrawBarBorder(&dc, &f.toolBar, r);
             dc.FillSolidRect(r, RGB(1, 2, 3));
         }},
        {"menu border", [all](CKTVisualManager& l, CDC& dc) { l.OnDrawMenuBorder(&dc, nullptr, all); }},
        {"gripper, horizontal",
         [&f](CKTVisualManager& l, CDC& dc) { l.OnDrawBarGripper(&dc, CRect(2, 2, 12, 38), TRUE, &f.toolBar); }},
        {"gripper, vertical",
         [&f](CKTVisualManager& l, CDC& dc) { l.OnDrawBarGripper(&dc, CRect(2, 2, 60, 12), FALSE, &f.toolBar); }},
        {"separator, horizontal bar",
         [&f](CKTVisualManager& l, CDC& dc) { l.OnDrawSeparator(&dc, &f.toolBar, CRect(10, 4, 18, 36), TRUE); }},
        {"separator, vertical bar",
         [&f](CKTVisualManager& l, CDC& dc) { l.OnDrawSeparator(&dc, &f.toolBar, CRect(4, 10, 60, 18), FALSE); }},
        {"separator, menu",
         [&f](CKTVisualManager& l, CDC& dc) { l.OnDrawSeparator(&dc, &f.popupBar, CRect(0, 10, 64, 18), FALSE); }},
        {"status pane",
         [](CKTVisualManager& l, CDC& dc) { l.OnDrawStatusBarPaneBorder(&dc, nullptr, CRect(2, 2, 60, 20), 0, 0); }},
        {"status pane, pop-out",
         [](CKTVisualManager& l, CDC& dc) {
             l.OnDrawStatusBarPaneBorder(&dc, nullptr, CRect(2, 2, 60, 20), 0, SBPS_POPOUT);
         }},
        {"status pane, no borders",
         [](CKTVisualManager& l, CDC& dc) {
             l.OnDrawStatusBarPaneBorder(&dc, nullptr, CRect(2, 2, 60, 20), 0, SBPS_NOBORDERS);
         }},
        {"progress, total 0",
         [](CKTVisualManager& l, CDC& dc) {
             l.OnDrawStatusBarProgress(&dc, nullptr, CRect(2, 2, 62, 20), 0, 0, RGB(10, 36, 106), (COLORREF)-1,
                                       (COLORREF)-1, TRUE);
         }},
        {"progress, 1 of 3",
         [](CKTVisualManager& l, CDC& dc) {
             l.OnDrawStatusBarProgress(&dc, nullptr, CRect(2, 2, 62, 20), 3, 1, RGB(10, 36, 106), RGB(166, 202, 240),
                                       (COLORREF)-1, TRUE);
         }},
        {"size box",
         [](CKTVisualManager& l, CDC& dc) { l.OnDrawStatusBarSizeBox(&dc, nullptr, CRect(40, 20, 56, 36)); }},
        {"tear-off caption, active",
         [](CKTVisualManager& l, CDC& dc) { l.OnDrawTearOffCaption(&dc, CRect(2, 2, 62, 12), TRUE); }},
        {"tear-off caption, inactive",
         [](CKTVisualManager& l, CDC& dc) { l.OnDrawTearOffCaption(&dc, CRect(2, 2, 62, 12), FALSE); }},
        {"rarely used items",
         [](CKTVisualManager& l, CDC& dc) { l.OnHighlightRarelyUsedMenuItems(&dc, CRect(4, 4, 60, 36)); }},
        {"show all items",
         [](CKTVisualManager& l, CDC& dc) { l.OnDrawShowAllMenuItems(&dc, CRect(4, 4, 40, 24), State(0)); }},
        {"commands list",
         [](CKTVisualManager& l, CDC& dc) {
             dc.SetTextColor(l.OnFillCommandsListBackground(&dc, CRect(0, 0, 64, 20), FALSE));
             dc.SetPixel(0, 39, dc.GetTextColor());
         }},
        {"commands list, selected",
         [](CKTVisualManager& l, CDC& dc) {
             dc.SetPixel(0, 39, l.OnFillCommandsListBackground(&dc, CRect(0, 0, 64, 20), TRUE));
         }},
        {"menu item",
         [&f](CKTVisualManager& l, CDC& dc) {
             COLORREF text = 0;
             l.OnHighlightMenuItem(&dc, &f.menuItem, CRect(2, 2, 62, 22), text);
             dc.SetPixel(0, 39, text);
         }},
        {"drop-down separator",
         [&f](CKTVisualManager& l, CDC& dc) {
             l.OnDrawDropDownSeparator(&dc, &f.menuBarButton, CRect(30, 4, 32, 28), State(2), TRUE);
         }},
        {"combo border, highlighted",
         [](CKTVisualManager& l, CDC& dc) {
             l.OnDrawComboBorder(&dc, CRect(2, 2, 62, 24), FALSE, FALSE, TRUE, nullptr);
         }},
        {"combo border, disabled",
         [](CKTVisualManager& l, CDC& dc) {
             l.OnDrawComboBorder(&dc, CRect(2, 2, 62, 24), TRUE, FALSE, FALSE, nullptr);
         }},
        {"edit border, highlighted",
         [](CKTVisualManager& l, CDC& dc) { l.OnDrawEditBorder(&dc, CRect(2, 2, 62, 24), FALSE, TRUE, nullptr); }},
    };
    // The widgets' parts.
    ops.push_back({"shortcut bar caption", [](CKTVisualManager& l, CDC& dc) {
                       COLORREF text = 0;
                       l.OnFillOutlookBarCaption(&dc, CRect(2, 2, 62, 20), text);
                       dc.SetPixel(0, 39, text);
                   }});
    for (BOOL up : {FALSE, TRUE})
        ops.push_back({std::string("header sort arrow ") + (up ? "up" : "down"), [=](CKTVisualManager& l, CDC& dc) {
                           l.OnDrawHeaderCtrlSortArrow(&dc, CRect(20, 10, 28, 16), up);
                       }});
    ops.push_back({"tasks pane background",
                   [all](CKTVisualManager& l, CDC& dc) { l.OnFillTasksPaneBackground(&dc, all); }});
    for (int c = 0; c < 4; ++c)
        ops.push_back({"tasks group caption " + std::to_string(c), [&f, c](CKTVisualManager& l, CDC& dc) {
                           f.group.m_bCollapsed = (c & 1) != 0;
                           l.OnDrawTasksGroupCaption(&dc, &f.group, (c & 2) != 0);
                           f.group.m_bCollapsed = FALSE;
                       }});
    ops.push_back({"tasks group interior, border and frame", [](CKTVisualManager& l, CDC& dc) {
                       l.OnFillTasksGroupInterior(&dc, CRect(2, 20, 62, 38));
                       l.OnDrawTasksGroupAreaBorder(&dc, CRect(2, 20, 62, 38));
                       l.OnDrawTasksGroupFrame(&dc, CRect(2, 20, 62, 38));
                   }});
    for (BOOL hot : {FALSE, TRUE})
        ops.push_back({std::string("tasks") + (hot ? ", hot" : ""), [&f, hot](CKTVisualManager& l, CDC& dc) {
                           l.OnDrawTask(&dc, &f.link, hot);
                           l.OnDrawTask(&dc, &f.note, hot);
                       }});
    for (int s = 0; s < 8; ++s)
        ops.push_back({"scroll button " + std::to_string(s), [s](CKTVisualManager& l, CDC& dc) {
                           l.OnDrawScrollButton(&dc, CRect(4, 4, 24, 20), s & 1, (s & 2) != 0, (s & 4) != 0, s == 1);
                       }});
    for (BOOL opened : {FALSE, TRUE})
        ops.push_back({std::string("expanding box") + (opened ? ", open" : ""), [opened](CKTVisualManager& l, CDC& dc) {
                           l.OnDrawExpandingBox(&dc, CRect(4, 4, 13, 13), opened, RGB(128, 128, 128));
                       }});
    const UINT commands[] = {SC_MINIMIZE, SC_RESTORE, SC_CLOSE};
    const UINT systemStyles[] = {0, TBBS_PRESSED, TBBS_DISABLED};
    for (UINT command : commands)
        for (UINT style : systemStyles)
            for (BOOL highlight : {FALSE, TRUE})
                ops.push_back({"system button " + std::to_string(command) + " style " + std::to_string(style) +
                                   (highlight ? " hot" : ""),
                               [=](CKTVisualManager& l, CDC& dc) {
                                   l.OnDrawMenuSystemButton(&dc, CRect(4, 4, 20, 20), command, style, highlight);
                               }});
    for (int combo = 0; combo < 4; ++combo)
        ops.push_back({"combo drop button " + std::to_string(combo), [=](CKTVisualManager& l, CDC& dc) {
                           l.OnDrawComboDropButton(&dc, CRect(4, 4, 20, 24), combo == 3, combo == 1, combo == 2,
                                                   nullptr);
                       }});
    for (int b = 0; b < 4; ++b)
        for (int state = 0; state < 3; ++state)
            ops.push_back({"button style " + std::to_string(f.buttons[b].m_nStyle) + " state " + std::to_string(state),
                           [&f, b, state, button](CKTVisualManager& l, CDC& dc) {
                               l.OnFillButtonInterior(&dc, &f.buttons[b], button, State(state));
                               l.OnDrawButtonBorder(&dc, &f.buttons[b], button, State(state));
                               dc.SetPixel(0, 39, l.GetToolbarButtonTextColor(&f.buttons[b], State(state)));
                           }});
    for (int state = 0; state < 3; ++state)
        ops.push_back(
            {"menu item button state " + std::to_string(state), [&f, state, button](CKTVisualManager& l, CDC& dc) {
                 l.OnFillButtonInterior(&dc, &f.menuItem, button, State(state));
                 l.OnDrawButtonBorder(&dc, &f.menuItem, button, State(state));
             }});
    ops.push_back(
        {"metrics", [](CKTVisualManager& l, CDC& dc) {
             const CSize extra = l.GetButtonExtraBorder();
             dc.SetPixel(0, 0, RGB(extra.cx, extra.cy, l.GetMenuImageMargin()));
             dc.SetPixel(1, 0,
                         RGB(l.IsOffsetPressedButton(), l.GetCustomizeButtonGlyphMargin(), l.IsLook2000Allowed()));
             dc.SetPixel(2, 0,
                         RGB(l.GetShowAllMenuItemsHeight(&dc, CSize(16, 16)), l.IsMenuFlatLook(), l.IsLook2000()));
         }});
    return ops;
}
} // namespace

const std::vector<LookOperation>& LookOperations()
{
    static const std::vector<LookOperation> operations = MakeOperations();
    return operations;
}

void ExpectSamePixels(CKTVisualManager& expected, CKTVisualManager& actual, const char* what)
{
    for (const LookOperation& op : LookOperations())
    {
        DibSurface a(kOperationSurfaceWidth, kOperationSurfaceHeight, RGB(0, 128, 128));
        DibSurface b(kOperationSurfaceWidth, kOperationSurfaceHeight, RGB(0, 128, 128));
        op.paint(expected, a.Dc());
        op.paint(actual, b.Dc());
        bool same = true;
        for (int y = 0; y < kOperationSurfaceHeight && same; ++y)
            for (int x = 0; x < kOperationSurfaceWidth && same; ++x)
                if (a.Pixel(x, y) != b.Pixel(x, y))
                {
                    ADD_FAILURE() << what << ": " << op.name << " differs at (" << x << ", " << y
                                  << "): " << ColorText(a.Pixel(x, y)) << " expected, " << ColorText(b.Pixel(x, y));
                    same = false;
                }
    }
}

bool IsThemesOffRun()
{
    char mode[16] = {};
    return ::GetEnvironmentVariableA("KEST_LOOKS_THEMES", mode, sizeof(mode)) > 0 && strcmp(mode, "off") == 0;
}

std::wstring RunTag()
{
    if (ktGlobals.m_bitsPerPixel <= 8)
        return L"8bit-";
    return IsThemesOffRun() ? L"themes-off-" : L"";
}
