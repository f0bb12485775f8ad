#pragma once
// The main window as start-up makes it on the test display, sized and in front, with the work
// files the test opens and the user's input played and waited for.
#include <string>
#include <vector>

#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "tests/app/AppTestSupport.h"
#include "tests/framework/input/UserInput.h"
#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/bars/KTPopupMenuBar.h"
#include "uitoolkit/customize/KTToolbarCustomize.h"

#include <gtest/gtest.h>

inline const std::wstring& SampleTablePath()
{
    static const std::wstring path = std::wstring(L"" KEST_SOURCE_DIR) + L"/samples/table.kest";
    return path;
}

// What a command's update handlers leave: enabled, checked, text.
class RecordedCmdUI : public CCmdUI
{
public:
    explicit RecordedCmdUI(UINT id)
    {
        m_nID = id;
        m_nIndexMax = 1;
    }
    void Enable(BOOL on = TRUE) override
    {
        m_enabled = on != FALSE;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int check = 1) override { m_checked = check; }
    void SetText(LPCTSTR text) override { m_text = text; }

    bool m_enabled = true;
    int m_checked = 0;
    std::wstring m_text;
};

// The default printer as the spooler would keep it.
class NamedPrinters : public DefaultPrinterAccess
{
public:
    std::wstring m_default;
    bool GetDefault(std::wstring& name) override
    {
        name = m_default;
        return !name.empty();
    }
    bool SetDefault(const std::wstring& name) override
    {
        m_default = name;
        return true;
    }
};

class MainFrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_savedProfile = theApp.m_pszProfileName ? theApp.m_pszProfileName : L"";
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KestMainFrameTest");
        theApp.ResetStart();
        theApp.m_company = L"KestMainFrameTest";
        theApp.m_recordMessages = true;
        m_printers.m_default = L"Office Laser";
        theApp.m_printers = &m_printers;
        ASSERT_TRUE(theApp.InitInstance());
        m_main = dynamic_cast<CMainFrame*>(theApp.m_pMainWnd);
        ASSERT_NE(m_main, nullptr);
        m_main->SetWindowPos(&CWnd::wndTop, 10, 10, 960, 720, 0);
        SetForegroundWindow(m_main->m_hWnd);
        m_main->RecalcLayout();
        PumpFor(150);
    }
    void TearDown() override
    {
        if (CKTToolbarCustomize* sheet = CKTToolbarCustomize::GetOpenSheet())
            sheet->DestroyWindow();
        CKTToolBar::SetCustomizeMode(FALSE);
        theApp.m_selectionMode = 0;
        // The documents' windows go first, through their MDI client, as the program closes them
        // before its main window: the client then takes each one's entry out of the Window menu,
        // which the document template keeps, and so shares with the next test's main window.
        if (m_main && IsWindow(m_main->m_hWnd) && m_main->m_hWndMDIClient)
            for (int i = 0; i < 64; ++i)
            {
                HWND child = ::GetWindow(m_main->m_hWndMDIClient, GW_CHILD);
                if (!child)
                    break;
                ::SendMessageW(m_main->m_hWndMDIClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0);
            }
        if (theApp.m_pMainWnd && IsWindow(theApp.m_pMainWnd->m_hWnd))
            theApp.m_pMainWnd->DestroyWindow();
        theApp.m_pMainWnd = nullptr;
        PumpFor(30);
        theApp.ExitInstance();
        ProfileNames::Set(theApp, nullptr, m_savedProfile.c_str());
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KestMainFrameTest");
        for (const std::wstring& copy : m_copies)
            DeleteFileW(copy.c_str());
        theApp.m_company = L"QuillMere";
        theApp.m_recordMessages = false;
        theApp.ResetStart();
    }

    // A copy of the sample opened in a child frame of its own.
    CChildFrame* OpenCopy(const wchar_t* name)
    {
        wchar_t folder[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, folder);
        const std::wstring path = std::wstring(folder) + name;
        EXPECT_TRUE(CopyFileW(SampleTablePath().c_str(), path.c_str(), FALSE));
        m_copies.push_back(path);
        EXPECT_TRUE(theApp.OpenDocument(path, false));
        PumpFor(100);
        return m_main->FindChildFrame(path);
    }
    void Play(UserInput& input)
    {
        input.Start();
        PumpUntil([&] { return input.Done(); }, 15000);
        PumpFor(200);
    }
    POINT ButtonCentre(CKTToolBar& bar, UINT command)
    {
        for (int i = 0; i < bar.GetCount(); ++i)
            if (bar.GetButton(i)->m_nID == command)
            {
                CRect rect;
                bar.GetItemRect(i, &rect);
                bar.ClientToScreen(&rect);
                return rect.CenterPoint();
            }
        ADD_FAILURE() << "no button " << command;
        return {0, 0};
    }
    CKTToolbarButton* FindButton(CKTToolBar& bar, UINT command)
    {
        for (int i = 0; i < bar.GetCount(); ++i)
            if (bar.GetButton(i)->m_nID == command)
                return bar.GetButton(i);
        return nullptr;
    }
    // The items of the popup menu open now, separators as "|".
    std::vector<std::wstring> OpenMenuItems()
    {
        std::vector<std::wstring> items;
        CKTPopupMenu* menu = CKTPopupMenu::GetActiveMenu();
        if (!menu)
            return items;
        CKTPopupMenuBar* bar = menu->GetMenuBar();
        for (int i = 0; i < bar->GetCount(); ++i)
            items.push_back(bar->GetButton(i)->IsSeparator() ? L"|" : std::wstring(bar->GetButton(i)->m_strText));
        return items;
    }

    CMainFrame* m_main = nullptr;
    NamedPrinters m_printers;
    std::wstring m_savedProfile;
    std::vector<std::wstring> m_copies;
};
