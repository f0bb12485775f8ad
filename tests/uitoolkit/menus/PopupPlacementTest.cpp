// Where popup menus go, through the placement calculation with given work areas, and the menu
// show delay as it is read from the registry.
#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/bars/KTPopupMenuBar.h"
#include "uitoolkit/bars/KTPopupMenuPlacement.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
KTPopupPlacementInput Input(RECT work, POINT location, SIZE size)
{
    KTPopupPlacementInput in;
    in.rectWork = work;
    in.ptLocation = location;
    in.size = size;
    return in;
}
} // namespace

TEST(PopupPlacementTest, Table)
{
    const RECT screen = {0, 0, 1024, 768};
    // A task bar at the top: the work area starts at 40.
    const RECT topTaskBar = {0, 40, 1024, 768};
    // A monitor below the primary one.
    const RECT lowerMonitor = {0, 768, 1280, 1792};
    struct Case
    {
        const char* name;
        KTPopupPlacementInput in;
        POINT pt;
        LONG cy;
        int direction;
        BOOL scrollable;
    };
    std::vector<Case> cases;
    {
        KTPopupPlacementInput in = Input(screen, {100, 30}, {120, 200});
        in.bHasParentButton = TRUE;
        in.rectParentButton = {100, 8, 140, 30};
        in.nDropDirection = 1;
        cases.push_back({"fits below its button", in, {100, 30}, 200, 1, FALSE});
    }
    {
        KTPopupPlacementInput in = Input(screen, {100, 700}, {120, 200});
        in.bHasParentButton = TRUE;
        in.rectParentButton = {100, 678, 140, 700};
        in.nDropDirection = 1;
        cases.push_back({"bottom of the screen: above the button", in, {100, 478}, 200, 2, FALSE});
    }
    {
        // Room above the button counts from the work area's top: 300 - 280 = 20 < 40.
        KTPopupPlacementInput in = Input(topTaskBar, {100, 322}, {120, 600});
        in.bHasParentButton = TRUE;
        in.rectParentButton = {100, 300, 140, 322};
        in.nDropDirection = 1;
        cases.push_back({"task bar at the top: not over the task bar", in, {100, 322}, 446, 1, TRUE});
    }
    {
        // 700 - 680 = 20 is above 0 but inside the task bar: opening "above" would push the
        // popup down over its own button.
        KTPopupPlacementInput in = Input(topTaskBar, {100, 722}, {120, 680});
        in.bHasParentButton = TRUE;
        in.rectParentButton = {100, 700, 140, 722};
        in.nDropDirection = 1;
        cases.push_back({"task bar at the top: never over its own button", in, {100, 40}, 660, 0, TRUE});
    }
    {
        KTPopupPlacementInput in = Input(topTaskBar, {100, 700}, {120, 300});
        in.bHasParentButton = TRUE;
        in.rectParentButton = {100, 678, 140, 700};
        in.nDropDirection = 1;
        cases.push_back({"task bar at the top: room above", in, {100, 378}, 300, 2, FALSE});
    }
    {
        // The button near the top of a lower monitor: above it lies the other monitor, not this
        // work area; the popup stays below and scrolls.
        KTPopupPlacementInput in = Input(lowerMonitor, {200, 822}, {150, 1100});
        in.bHasParentButton = TRUE;
        in.rectParentButton = {200, 800, 240, 822};
        in.nDropDirection = 1;
        cases.push_back({"monitor below the primary", in, {200, 822}, 970, 1, TRUE});
    }
    {
        KTPopupPlacementInput in = Input(lowerMonitor, {200, 1700}, {150, 1100});
        in.bHasParentButton = TRUE;
        in.rectParentButton = {200, 1678, 240, 1700};
        in.nDropDirection = 1;
        cases.push_back({"lower monitor, more room above", in, {200, 768}, 910, 0, TRUE});
    }
    {
        KTPopupPlacementInput in = Input(screen, {950, 30}, {120, 200});
        in.bHasParentButton = TRUE;
        in.rectParentButton = {950, 8, 990, 30};
        in.nDropDirection = 1;
        cases.push_back({"right edge: moves in", in, {1024 - 120 - 1, 30}, 200, 0, FALSE});
    }
    {
        KTPopupPlacementInput in = Input(screen, {961, 100}, {150, 200});
        in.bHasParentPopup = TRUE;
        in.rectParentPopup = {800, 80, 962, 300};
        in.nParentRowHeight = 22;
        in.nDropDirection = 3;
        cases.push_back({"submenu at the right edge opens left of its parent", in, {650, 100}, 200, 4, FALSE});
    }
    {
        KTPopupPlacementInput in = Input(screen, {400, 700}, {150, 200});
        in.bHasParentPopup = TRUE;
        in.rectParentPopup = {250, 500, 401, 760};
        in.nParentRowHeight = 22;
        in.nDropDirection = 3;
        cases.push_back({"submenu low on the screen: bottom lines up with its item", in, {400, 526}, 200, 3, FALSE});
    }
    {
        KTPopupPlacementInput in = Input(screen, {1000, 100}, {150, 200});
        in.bHasParentButton = TRUE;
        in.rectParentButton = {980, 100, 1024, 122};
        in.bOnVerticalMenuBar = TRUE;
        in.rectMenuBar = {980, 0, 1024, 768};
        in.nDropDirection = 3;
        cases.push_back({"menu bar docked at the right: opens to its left", in, {830, 100}, 200, 4, FALSE});
    }
    {
        // Right to left the location is the popup's right edge, and submenus open to the left.
        KTPopupPlacementInput in = Input(screen, {299, 100}, {150, 200});
        in.bRightToLeft = TRUE;
        in.bHasParentPopup = TRUE;
        in.rectParentPopup = {300, 80, 462, 300};
        in.nParentRowHeight = 22;
        in.nDropDirection = 4;
        cases.push_back({"right to left: submenu opens left of its parent", in, {299, 100}, 200, 4, FALSE});
    }
    {
        KTPopupPlacementInput in = Input(screen, {61, 100}, {150, 200});
        in.bRightToLeft = TRUE;
        in.bHasParentPopup = TRUE;
        in.rectParentPopup = {62, 80, 224, 300};
        in.nParentRowHeight = 22;
        in.nDropDirection = 4;
        cases.push_back(
            {"right to left: submenu at the left edge opens right of its parent", in, {374, 100}, 200, 3, FALSE});
    }
    {
        KTPopupPlacementInput in = Input(screen, {60, 30}, {120, 200});
        in.bRightToLeft = TRUE;
        in.bHasParentButton = TRUE;
        in.rectParentButton = {20, 8, 60, 30};
        in.nDropDirection = 1;
        cases.push_back({"right to left: left edge: moves in", in, {120 + 1, 30}, 200, 0, FALSE});
    }
    {
        KTPopupPlacementInput in = Input(screen, {10, 10}, {200, 2000});
        cases.push_back({"context menu taller than the screen", in, {10, 0}, 768, 0, TRUE});
    }
    {
        KTPopupPlacementInput in = Input(screen, {-50, 900}, {100, 100});
        cases.push_back({"off-screen location is clamped first", in, {0, 668}, 100, 0, FALSE});
    }
    for (const Case& c : cases)
    {
        const KTPopupPlacement out = KTCalcPopupPlacement(c.in);
        EXPECT_EQ(c.pt.x, out.pt.x) << c.name;
        EXPECT_EQ(c.pt.y, out.pt.y) << c.name;
        EXPECT_EQ(c.cy, out.size.cy) << c.name;
        EXPECT_EQ(c.direction, out.nDropDirection) << c.name;
        EXPECT_EQ(c.scrollable, out.bScrollable) << c.name;
        EXPECT_GE(out.pt.y, c.in.rectWork.top) << c.name;
        EXPECT_LE(out.pt.y + out.size.cy, c.in.rectWork.bottom) << c.name;
        const LONG xLeft = c.in.bRightToLeft ? out.pt.x - out.size.cx : out.pt.x;
        EXPECT_GE(xLeft, c.in.rectWork.left) << c.name;
        EXPECT_LE(xLeft + out.size.cx, c.in.rectWork.right) << c.name;
        if (c.in.bHasParentButton && !c.in.bOnVerticalMenuBar)
        {
            EXPECT_TRUE(out.pt.y >= c.in.rectParentButton.bottom || out.pt.y + out.size.cy <= c.in.rectParentButton.top)
                << c.name << ": the popup leaves its button free";
        }
    }
}

TEST(PopupPlacementTest, FlipTurnsTheAnimationAround)
{
    KTPopupPlacementInput in = Input({0, 0, 1024, 768}, {961, 100}, {150, 200});
    in.bHasParentPopup = TRUE;
    in.rectParentPopup = {800, 80, 962, 300};
    in.nAnimationType = 1; // unfold
    KTPopupPlacement out = KTCalcPopupPlacement(in);
    EXPECT_FALSE(out.bAnimateFromLeft);
    EXPECT_TRUE(out.bAnimateFromTop);
    in.nAnimationType = 3; // fade
    out = KTCalcPopupPlacement(in);
    EXPECT_FALSE(out.bAnimateFromLeft);
    EXPECT_FALSE(out.bAnimateFromTop);
}

TEST(MenuShowDelayTest, ParsedValues)
{
    const struct
    {
        const wchar_t* value;
        int delay;
    } cases[] = {
        {nullptr, 500},
        {L"400", 400},
        {L"10000", 5000},
        {L"5000", 5000},
        {L"0", 0},
        {L"-5", 0},
        {L"abc", 500},
        {L"", 500},
        {L" 250 ", 250},
        {L"12x", 500},
        {L"99999999999999999999", 5000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.delay, CKTPopupMenuBar::ParseMenuShowDelay(c.value)) << (c.value ? c.value : L"(missing)");
}

TEST(MenuShowDelayTest, ReadFromTheUsersDesktopSettings)
{
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0,
                                               KEY_READ | KEY_WRITE, nullptr, &hKey, nullptr));
    wchar_t szOld[64] = {};
    DWORD cbOld = sizeof(szOld);
    const bool bHadValue = ::RegQueryValueExW(hKey, L"MenuShowDelay", nullptr, nullptr, reinterpret_cast<BYTE*>(szOld),
                                              &cbOld) == ERROR_SUCCESS;
    const struct
    {
        const wchar_t* value;
        int delay;
    } cases[] = {{L"10000", 5000}, {L"-5", 0}, {L"abc", 500}, {nullptr, 500}, {L"120", 120}};
    for (const auto& c : cases)
    {
        if (c.value == nullptr)
            ::RegDeleteValueW(hKey, L"MenuShowDelay");
        else
            ::RegSetValueExW(hKey, L"MenuShowDelay", 0, REG_SZ, reinterpret_cast<const BYTE*>(c.value),
                             static_cast<DWORD>((wcslen(c.value) + 1) * sizeof(wchar_t)));
        CKTPopupMenuBar::ResetMenuShowDelay();
        EXPECT_EQ(c.delay, CKTPopupMenuBar::GetMenuShowDelay()) << (c.value ? c.value : L"(missing)");
    }
    if (bHadValue)
        ::RegSetValueExW(hKey, L"MenuShowDelay", 0, REG_SZ, reinterpret_cast<const BYTE*>(szOld), cbOld);
    ::RegCloseKey(hKey);
    CKTPopupMenuBar::ResetMenuShowDelay();
}

TEST(PopupAnimationTest, LateTicksCatchUp)
{
    const struct
    {
        DWORD elapsed;
        int steps;
    } cases[] = {{30, 1}, {44, 1}, {46, 2}, {95, 3}, {0, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(c.steps, CKTPopupMenu::AnimationSteps(c.elapsed)) << c.elapsed;
}
