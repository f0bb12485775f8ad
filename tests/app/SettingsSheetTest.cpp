// The settings sheet as a user meets it: opened by its command, its pages clicked and typed into
// with the display's mouse and keyboard, and the options and the profile read afterwards.
#include "app/AppRes.h"
#include "tests/app/AppTestSupport.h"
#include "tests/framework/input/UserInput.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <atomic>
#include <string>

namespace
{

const wchar_t* const ProfileName = L"KestSettingsTest";
const wchar_t* const ProfilePath = L"Software\\QuillMere\\KestSettingsTest";

struct WindowSearch
{
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK FindOwnWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t text[128] = {};
    GetWindowTextW(window, text, 128);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) && std::wstring(text) == search->title)
    {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// Waits on the input thread for a window of this process with the title.
HWND WaitForWindow(const wchar_t* title, DWORD milliseconds = 10000)
{
    const DWORD start = GetTickCount();
    for (;;)
    {
        WindowSearch search = {title, nullptr};
        EnumWindows(FindOwnWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found || GetTickCount() - start > milliseconds)
            return search.found;
        Sleep(20);
    }
}

POINT CentreOf(HWND window)
{
    RECT area = {};
    GetWindowRect(window, &area);
    return {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
}

HWND Page(HWND sheet)
{
    return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

// The centre of a page's tab, for a click that turns to it.
POINT TabCentre(HWND sheet, int index)
{
    HWND tabs = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
    RECT item = {};
    SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    POINT centre = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(tabs, &centre);
    return centre;
}

std::wstring TextOf(HWND window)
{
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

bool KeyExists(const std::wstring& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

std::atomic<int> g_formatTests{0};
std::atomic<UINT> g_refuse{0};

UINT RecordedFormatTest(HWND)
{
    ++g_formatTests;
    return g_refuse.exchange(0);
}

class SettingsSheetTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_savedProfile = theApp.m_pszProfileName ? theApp.m_pszProfileName : L"";
        RegDeleteTreeW(HKEY_CURRENT_USER, ProfilePath);
        ProfileNames::Set(theApp, L"QuillMere", ProfileName);
        theApp.ResetStart();
        theApp.m_formatTest = RecordedFormatTest;
        g_formatTests = 0;
        g_refuse = 0;
        CreateDirectoryW(L"screenshots", nullptr);
    }
    void TearDown() override
    {
        theApp.m_formatTest = CSettingsOutputPage::TestFormatsOnExcel;
        ProfileNames::Set(theApp, nullptr, m_savedProfile.c_str());
        RegDeleteTreeW(HKEY_CURRENT_USER, ProfilePath);
        theApp.ResetStart();
    }

    // Runs the settings command while the input plays; false when the sheet never closed.
    bool RunSettings(UserInput& input)
    {
        input.Start();
        theApp.OnSettings();
        return PumpUntil([&] { return input.Done(); }, 20000);
    }

    std::wstring m_savedProfile;
};

TEST_F(SettingsSheetTest, OkTakesEveryPageAndSavesTheProfile)
{
    HWND sheet = nullptr;
    std::wstring title, firstFocus;
    bool wizardCleared = false;
    UserInput input;
    input
        .Call([&] {
            sheet = WaitForWindow(L"Settings");
            title = TextOf(sheet);
            HWND page = Page(sheet);
            wizardCleared = IsDlgButtonChecked(page, IDC_USE_WIZARD) == BST_UNCHECKED &&
                            IsDlgButtonChecked(page, IDC_ASK_TARGET) == BST_UNCHECKED;
            GUITHREADINFO info = {};
            info.cbSize = sizeof(info);
            GetGUIThreadInfo(GetWindowThreadProcessId(sheet, nullptr), &info);
            firstFocus = std::to_wstring(GetDlgCtrlID(info.hwndFocus));
            SaveScreenArea(L"screenshots/settings-conversion.bmp", [&] {
                RECT r;
                GetWindowRect(sheet, &r);
                return r;
            }());
        })
        .ClickAt([&] { return CentreOf(GetDlgItem(Page(sheet), 1044)); })
        .Call([&] {
            // Under emulation the first click after the screenshot was once not taken: the user
            // clicks again when the choice does not show.
            const HWND radio = GetDlgItem(Page(sheet), 1044);
            for (int attempt = 0; attempt < 2; ++attempt)
            {
                for (int i = 0; i < 40 && SendMessageW(radio, BM_GETCHECK, 0, 0) != BST_CHECKED; ++i)
                    Sleep(50);
                if (SendMessageW(radio, BM_GETCHECK, 0, 0) == BST_CHECKED)
                    return;
                const POINT centre = CentreOf(radio);
                SetCursorPos(centre.x, centre.y);
                INPUT clicks[2] = {};
                clicks[0].type = clicks[1].type = INPUT_MOUSE;
                clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
                clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
                SendInput(2, clicks, sizeof(INPUT));
            }
        })
        .ClickAt([&] { return CentreOf(GetDlgItem(Page(sheet), IDC_CONVERT_RANGE)); })
        .ClickAt([&] { return TabCentre(sheet, 1); })
        .Pause(300)
        .Call([&] {
            RECT r;
            GetWindowRect(sheet, &r);
            SaveScreenArea(L"screenshots/settings-output.bmp", r);
        })
        .ClickAt([&] { return CentreOf(GetDlgItem(Page(sheet), IDC_GENERATE_FILENAME)); })
        .ClickAt([&] { return TabCentre(sheet, 2); })
        .Pause(300)
        .Call([&] {
            RECT r;
            GetWindowRect(sheet, &r);
            SaveScreenArea(L"screenshots/settings-display.bmp", r);
        })
        .ClickAt([&] { return CentreOf(GetDlgItem(Page(sheet), IDC_SHOW_HANDLES)); })
        .ClickAt([&] { return CentreOf(GetDlgItem(Page(sheet), IDC_SELECTION_DIR)); })
        .Call([&] {
            // Keys given before the list has dropped down would go to the closed box.
            const HWND combo = GetDlgItem(Page(sheet), IDC_SELECTION_DIR);
            for (int i = 0; i < 100 && !SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0); ++i)
                Sleep(50);
        })
        .Press(VK_DOWN)
        .Press(VK_DOWN)
        .Press(VK_RETURN)
        .Pause(200)
        .ClickAt([&] { return CentreOf(GetDlgItem(sheet, IDOK)); })
        .Pause(200);
    theApp.Options().m_askForFilename = true;
    // The 32-bit run's class keys may hold the stand-in spreadsheet another suite registered.
    theApp.Options().m_excelInstalled = false;
    ASSERT_TRUE(RunSettings(input));
    EXPECT_EQ(title, L"Settings");
    EXPECT_TRUE(wizardCleared);
    EXPECT_EQ(firstFocus, L"1042");
    const ConvertingOptions& options = theApp.Options();
    EXPECT_EQ(options.m_target, TargetClipboardText);
    EXPECT_EQ(options.m_convertPages, 2);
    EXPECT_FALSE(options.m_askForFilename);
    EXPECT_TRUE(options.m_drawHandles);
    EXPECT_EQ(options.m_textSelectionDir, 2);
    // Without Excel installed the formats are taken as typed.
    EXPECT_EQ(g_formatTests.load(), 0);
    EXPECT_EQ(theApp.GetProfileInt(L"Options", L"Target", -1), 2u);
    EXPECT_EQ(theApp.GetProfileInt(L"Options", L"DrawHandles", -1), 1u);
    EXPECT_EQ(theApp.GetProfileInt(L"Options", L"TextSelectionDir", -1), 2u);
}

TEST_F(SettingsSheetTest, CancelLeavesOptionsAndProfileAsTheyWere)
{
    HWND sheet = nullptr;
    UserInput input;
    input.Call([&] { sheet = WaitForWindow(L"Settings"); })
        .ClickAt([&] { return CentreOf(GetDlgItem(Page(sheet), IDC_TARGET_LAST)); })
        .ClickAt([&] { return CentreOf(GetDlgItem(Page(sheet), IDC_ASK_PAGES)); })
        .ClickAt([&] { return CentreOf(GetDlgItem(sheet, IDCANCEL)); })
        .Pause(200);
    const ConvertingOptions before = theApp.Options();
    ASSERT_TRUE(RunSettings(input));
    EXPECT_EQ(theApp.Options().m_target, before.m_target);
    EXPECT_EQ(theApp.Options().m_askConvertPages, before.m_askConvertPages);
    EXPECT_FALSE(KeyExists(std::wstring(ProfilePath) + L"\\Options"));

    // Unattended runs open no sheet at all.
    theApp.m_noUI = true;
    theApp.OnSettings();
    EXPECT_EQ(WaitForWindow(L"Settings", 300), nullptr);
    theApp.m_noUI = false;
}

TEST_F(SettingsSheetTest, FormatsAreCutAt64AndAFormatExcelRefusesKeepsTheSheetOpen)
{
    theApp.Options().m_excelInstalled = true;
    HWND sheet = nullptr;
    std::wstring message;
    int focused = 0;
    bool stillOpen = false;
    const std::wstring typed(70, L'0');
    UserInput input;
    input.Call([&] { sheet = WaitForWindow(L"Settings"); })
        .ClickAt([&] { return TabCentre(sheet, 1); })
        .Pause(300)
        .ClickAt([&] { return CentreOf(GetDlgItem(Page(sheet), IDC_EXCEL_NUMBER)); })
        .Press(VK_END)
        .Call([&] {
            for (int i = 0; i < 10; ++i)
            {
                INPUT keys[2] = {};
                keys[0].type = keys[1].type = INPUT_KEYBOARD;
                keys[0].ki.wVk = keys[1].ki.wVk = VK_BACK;
                keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
                SendInput(2, keys, sizeof(INPUT));
                Sleep(20);
            }
        })
        .Type(typed)
        .Call([&] { g_refuse = IDC_EXCEL_DATE; })
        .ClickAt([&] { return CentreOf(GetDlgItem(sheet, IDOK)); })
        .Call([&] {
            HWND box = WaitForWindow(L"Kest");
            HWND text = FindWindowExW(box, nullptr, L"Static", nullptr);
            while (text && TextOf(text).empty())
                text = FindWindowExW(box, text, L"Static", nullptr);
            message = text ? TextOf(text) : L"";
            PostMessageW(box, WM_KEYDOWN, VK_RETURN, 0);
            PostMessageW(box, WM_KEYUP, VK_RETURN, 0);
        })
        .Pause(500)
        .Call([&] {
            stillOpen = IsWindow(sheet) && IsWindowVisible(sheet);
            GUITHREADINFO info = {};
            info.cbSize = sizeof(info);
            GetGUIThreadInfo(GetWindowThreadProcessId(sheet, nullptr), &info);
            focused = GetDlgCtrlID(info.hwndFocus);
        })
        .ClickAt([&] { return CentreOf(GetDlgItem(sheet, IDOK)); })
        .Pause(300);
    ASSERT_TRUE(RunSettings(input));
    EXPECT_EQ(message, L"Invalid Excel Format in Date Format");
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(focused, IDC_EXCEL_DATE);
    EXPECT_EQ(g_formatTests.load(), 2);
    EXPECT_EQ(theApp.Options().m_excelNumber, std::wstring(64, L'0'));
    EXPECT_EQ(std::wstring(static_cast<LPCWSTR>(theApp.GetProfileString(L"Options", L"ExcelNumber"))),
              std::wstring(64, L'0'));
}

} // namespace
