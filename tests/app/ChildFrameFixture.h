#pragma once
// What the child-frame tests share: a main frame on the test display with a copy of the sample
// work file, frames opened as the application opens them, and a pump that pre-translates.
#include "app/ChildFrame.h"
#include "app/ConvertingApp.h"
#include "app/MainFrame.h"
#include "tests/app/AppTestSupport.h"
#include "tests/table/ui/PageViewFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Messages go through the pre-translation of their windows, as the program's own loop does.
inline void PumpTranslated(DWORD milliseconds = 100)
{
    const DWORD start = GetTickCount();
    do
    {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            if (!AfxPreTranslateMessage(&msg))
            {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

inline std::wstring TempPath(const wchar_t* name)
{
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

inline bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The save dialog stands aside: the test says what the user picks.
class AnsweringChildFrame : public CChildFrame
{
public:
    bool AskOutputFileName(const std::wstring& proposed, std::wstring& chosen) override
    {
        m_proposals.push_back(proposed);
        if (m_choice.empty())
            return false;
        chosen = m_choice;
        return true;
    }

    std::vector<std::wstring> m_proposals;
    std::wstring m_choice;
};

class ChildFramesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AfxInitRichEdit2();
        theApp.ResetStart();
        theApp.WriteProfileInt(L"Settings", L"SampleBarHeight", 30);
        theApp.WriteProfileInt(L"Settings", L"SampleBarShow", 1);
        m_main = new CConvertingMainFrame;
        ASSERT_TRUE(m_main->Create(nullptr, L"Kest", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 900, 700)));
        theApp.m_pMainWnd = m_main;
        SetForegroundWindow(m_main->m_hWnd);
        m_copy = TempPath(L"kest-child-frames.kest");
        ASSERT_TRUE(CopyFileW(SampleTable.c_str(), m_copy.c_str(), FALSE));
    }
    void TearDown() override
    {
        if (m_main && m_main->m_hWnd)
            m_main->DestroyWindow();
        theApp.m_pMainWnd = nullptr;
        Pump();
        DeleteFileW(m_copy.c_str());
        theApp.WriteProfileInt(L"Settings", L"SampleBarHeight", 30);
        theApp.WriteProfileInt(L"Settings", L"SampleBarShow", 1);
    }

    // A frame showing the file at path, opened as the application opens one.
    AnsweringChildFrame* Open(const std::wstring& path, bool printed = false)
    {
        auto* frame = new AnsweringChildFrame;
        EXPECT_TRUE(frame->CreateWithView(m_main, path));
        frame->SetDocumentPath(path);
        EXPECT_TRUE(frame->GetView().LoadFile(path));
        if (printed)
        {
            frame->SetPrinted(true);
            m_main->SetPrintTarget(frame);
        }
        m_main->MDIActivate(frame);
        PumpTranslated();
        return frame;
    }

    // The frame with columns detected on its page.
    AnsweringChildFrame* OpenWithColumns()
    {
        AnsweringChildFrame* frame = Open(m_copy);
        frame->SendMessage(WM_COMMAND, LayoutView::CmdAutoColumnDetection);
        PumpTranslated();
        return frame;
    }

    static int Percent(CChildFrame* frame)
    {
        return frame->GetPreviewBar()->GetHorzSize().cy * 100 / frame->GetFrameHeight();
    }

    CConvertingMainFrame* m_main = nullptr;
    std::wstring m_copy;
};
