// The shell's side of the page views: the page-list parser, the page and text dialogs answered
// through their windows, the options' defaults, and a child frame with its view inside a main
// frame.
#include "app/ChildFrame.h"
#include "app/ConvertingApp.h"
#include "app/MainFrame.h"
#include "app/PageDialogs.h"
#include "app/PageListParser.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/DialogUser.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

TestApp theApp;

void PumpFor(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    do
    {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

namespace
{

const std::wstring SampleTable = std::wstring(L"" KEST_SOURCE_DIR) + L"/samples/table.kest";

void Pump(DWORD milliseconds = 50)
{
    const DWORD start = GetTickCount();
    do
    {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

TEST(PageListParserTest, ListsAsTypedAndAsShown)
{
    struct Case
    {
        const wchar_t* text;
        bool ok;
        PageRangeList pages;
        const wchar_t* shown;
    } cases[] = {
        {L"1-3,5", true, {{1, 4}, {5, 6}}, L"1-3, 5"},
        {L"5-3", true, {{3, 6}}, L"3-5"},
        {L"1,2", true, {{1, 3}}, L"1-2"},
        {L" 7 , 1 - 2 ", true, {{1, 3}, {7, 8}}, L"1-2, 7"},
        {L"4,4", true, {{4, 5}}, L"4"},
        {L"2-6,3", true, {{2, 7}}, L"2-6"},
        {L"9,1-3,4", true, {{1, 5}, {9, 10}}, L"1-4, 9"},
        {L"1,,2", false, {}, L""},
        {L"1-", false, {}, L""},
        {L"-1", false, {}, L""},
        {L"1,", false, {}, L""},
        {L"1a", false, {}, L""},
        {L"1;2", false, {}, L""},
        {L"", false, {}, L""},
        {L"99999999999", false, {}, L""},
        {L",,", false, {}, L""},
        {L"123456789012", false, {}, L""},
        {L"4294967297", false, {}, L""},
    };
    for (const Case& c : cases)
    {
        PageRangeList pages;
        EXPECT_EQ(ParsePageList(c.text, pages), c.ok) << c.text;
        ASSERT_EQ(pages.size(), c.pages.size()) << c.text;
        for (size_t i = 0; i < pages.size(); ++i)
        {
            EXPECT_EQ(pages[i].first, c.pages[i].first) << c.text;
            EXPECT_EQ(pages[i].end, c.pages[i].end) << c.text;
        }
        EXPECT_EQ(FormatPageList(pages), c.shown) << c.text;
    }
}

TEST(PageDialogsTest, PagesDialogChecksTheListBeforeClosing)
{
    std::wstring firstMessage, secondMessage, shownList, countText;
    CConversionPagesDlg dialog;
    dialog.Init(2, 5, 3);
    DialogUser user({
        {L"Select Pages to Convert",
         [&](HWND d) {
             shownList = TextOf(GetDlgItem(d, 2104));
             countText = TextOf(GetDlgItem(d, 2105));
             Type(d, 2104, L"1;2");
             Click(d, IDOK);
         }},
        {L"Kest", AnswerMessage(firstMessage)},
        {L"Select Pages to Convert",
         [&](HWND d) {
             Type(d, 2104, L"0-2");
             Click(d, IDOK);
         }},
        {L"Kest", AnswerMessage(secondMessage)},
        {L"Select Pages to Convert",
         [&](HWND d) {
             Type(d, 2104, L"5-4");
             Click(d, 2106);
             Click(d, IDOK);
         }},
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_FALSE(user.Missed());
    EXPECT_EQ(shownList, L"3");
    EXPECT_EQ(countText, L"(max. 5)");
    EXPECT_EQ(firstMessage, L"Please enter only numeric ranges and page numbers, separated by commas");
    EXPECT_EQ(secondMessage, L"The page numbers that you entered are incorrect.\nPage numbers and ranges are only "
                             L"allowed from 1 up to 5, which is the last page.");
    EXPECT_EQ(dialog.GetConvertPages(), 2);
    EXPECT_TRUE(dialog.m_dontAskAgain);
    ASSERT_EQ(dialog.m_pages.size(), 1u);
    EXPECT_EQ(dialog.m_pages[0].first, 4);
    EXPECT_EQ(dialog.m_pages[0].end, 6);
}

TEST(PageDialogsTest, CurrentPageOnlyAcceptsAnyTextInTheDisabledEdit)
{
    bool editEnabled = true;
    CConversionPagesDlg dialog;
    dialog.Init(0, 5, 2);
    DialogUser user({{L"Select Pages to Convert", [&](HWND d) {
                          editEnabled = IsWindowEnabled(GetDlgItem(d, 2104)) != FALSE;
                          Type(d, 2104, L"nonsense");
                          Click(d, IDOK);
                      }}});
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_FALSE(user.Missed());
    EXPECT_FALSE(editEnabled);
    EXPECT_EQ(dialog.GetConvertPages(), 0);
}

TEST(PageDialogsTest, RangeDialogShowsTheListAgainInOrder)
{
    std::wstring shown, count;
    CPageRangeDlg first;
    first.m_pageCount = 7;
    first.m_pages = {{1, 2}};
    DialogUser typing({{L"Select page range", [&](HWND d) {
                            count = TextOf(GetDlgItem(d, 2105));
                            Type(d, 2104, L"3-1");
                            Click(d, IDOK);
                        }}});
    ASSERT_EQ(first.DoModal(), IDOK);
    EXPECT_FALSE(typing.Missed());
    EXPECT_EQ(count, L"There are 7 pages in the document.");
    CPageRangeDlg again;
    again.m_pageCount = 7;
    again.m_pages = first.m_pages;
    DialogUser reading({{L"Select page range", [&](HWND d) {
                             shown = TextOf(GetDlgItem(d, 2104));
                             Click(d, IDCANCEL);
                         }}});
    EXPECT_EQ(again.DoModal(), IDCANCEL);
    EXPECT_FALSE(reading.Missed());
    EXPECT_EQ(shown, L"1-3");
}

TEST(PageDialogsTest, StringDialogStaysOpenOnBlankText)
{
    CStringDlg dialog;
    dialog.m_caption = L"Go to page";
    dialog.m_numbersOnly = true;
    dialog.m_maxLength = 20;
    dialog.m_helpContext = 0x20123;
    LONG_PTR style = 0;
    LRESULT helpContext = 0;
    bool stillOpen = false;
    DialogUser user({{L"Go to page", [&](HWND d) {
                          style = GetWindowLongPtrW(GetDlgItem(d, 20002), GWL_STYLE);
                          helpContext = SendMessageW(d, 0x0366, 0, 0);
                          Type(d, 20002, L"   ");
                          Click(d, IDOK);
                          Sleep(100);
                          stillOpen = IsWindow(d) && IsWindowVisible(d);
                          Type(d, 20002, L" 12 ");
                          Click(d, IDOK);
                      }}});
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_FALSE(user.Missed());
    EXPECT_TRUE(stillOpen);
    EXPECT_NE(style & ES_NUMBER, 0);
    EXPECT_EQ(helpContext, 0x20123);
    EXPECT_EQ(dialog.m_text, L"12");
}

TEST(ConvertingAppTest, OptionsDefaultsAndCommandLineReaders)
{
    ConvertingOptions options;
    EXPECT_EQ(options.m_excelNumber, L"0.0000");
    EXPECT_EQ(options.m_excelCurrency, L"[$$-409]#,##0.00_);[Red]([$$-409]#,##0.00)");
    EXPECT_EQ(options.m_excelDate, L"mm/dd/yy");
    EXPECT_EQ(options.m_excelTime, L"hh:mm");
    EXPECT_TRUE(options.m_askConvertPages);
    EXPECT_TRUE(options.m_wordKeepFormatting);
    EXPECT_FALSE(options.m_drawHandles);
    EXPECT_FALSE(options.m_drawRowAlways);
    EXPECT_EQ(options.m_textSelectionDir, 0);
    EXPECT_FALSE(ConvertingOptions::IsClassRegistered(L"Kest.NoSuchApplication"));

    struct Case
    {
        const wchar_t* range;
        bool has, ok;
    } cases[] = {
        {L"", false, false}, {L"all", true, false}, {L"ask", true, false}, {L"2-4", true, true}, {L"x", true, false}};
    for (const Case& c : cases)
    {
        theApp.m_rangeOption = c.range;
        PageRangeList pages;
        EXPECT_EQ(theApp.HasRangeOption(), c.has) << c.range;
        EXPECT_EQ(theApp.GetRangeOption(pages), c.ok) << c.range;
    }
    theApp.m_rangeOption.clear();
    std::wstring output;
    EXPECT_FALSE(theApp.GetOutputOption(output));
    EXPECT_EQ(GetLayoutShell(), &theApp);
}

TEST(ConvertingAppTest, UnattendedRunsTakeTheDefaultButtonWithoutABox)
{
    struct Case
    {
        UINT type;
        int answer;
    } cases[] = {
        {MB_OK | MB_ICONERROR, IDOK},
        {MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, IDNO},
        {MB_YESNO | MB_ICONQUESTION, IDYES},
        {MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON3, IDCANCEL},
        {MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
    };
    theApp.m_noUI = true;
    for (const Case& c : cases)
        EXPECT_EQ(theApp.ShowMessage(nullptr, L"Unattended", c.type), c.answer) << c.type;
    theApp.m_noUI = false;
}

TEST(ConvertingAppTest, TheNinthLayoutFilePushesTheOldestOut)
{
    for (int i = 1; i <= 9; ++i)
        theApp.AddRecentLayout(L"C:\\Layouts\\table" + std::to_wstring(i) + L".layout");
    CRecentFileList& recent = theApp.GetRecentLayouts();
    recent.ReadList();
    ASSERT_EQ(recent.GetSize(), 8);
    EXPECT_EQ(std::wstring(static_cast<LPCWSTR>(recent[0])), L"C:\\Layouts\\table9.layout");
    EXPECT_EQ(std::wstring(static_cast<LPCWSTR>(recent[7])), L"C:\\Layouts\\table2.layout");
    // The list lives in the profile under its own section.
    EXPECT_EQ(std::wstring(static_cast<LPCWSTR>(theApp.GetProfileString(L"Layout File List", L"File1"))),
              L"C:\\Layouts\\table9.layout");
}

// Counts the refreshes the view asks of the main frame.
class RefreshCountingFrame : public CConvertingMainFrame
{
public:
    void RefreshAfterLayoutChange(bool flag) override
    {
        ++m_refreshes;
        CConvertingMainFrame::RefreshAfterLayoutChange(flag);
    }
    int m_refreshes = 0;
};

class ChildFrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_main = new RefreshCountingFrame;
        ASSERT_TRUE(m_main->Create(nullptr, L"Kest", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 800, 600)));
        theApp.m_pMainWnd = m_main;
        wchar_t folder[MAX_PATH];
        GetTempPathW(MAX_PATH, folder);
        m_copy = std::wstring(folder) + L"kest-child-frame.kest";
        ASSERT_TRUE(CopyFileW(SampleTable.c_str(), m_copy.c_str(), FALSE));
        m_child = new CChildFrame;
        ASSERT_TRUE(m_child->CreateWithView(m_main, L"Job"));
        m_child->SetDocumentPath(m_copy);
        ASSERT_TRUE(m_child->GetView().LoadFile(m_copy));
        Pump();
    }
    void TearDown() override
    {
        m_main->DestroyWindow();
        theApp.m_pMainWnd = nullptr;
        Pump();
        DeleteFileW(m_copy.c_str());
    }

    RefreshCountingFrame* m_main = nullptr;
    CChildFrame* m_child = nullptr;
    std::wstring m_copy;
};

TEST_F(ChildFrameTest, TitleCarriesTheModifiedMarkAndThePageBoxFollows)
{
    CChildView& view = m_child->GetView();
    const std::wstring title = L"kest-child-frame.kest - [" + m_copy + L"]";
    EXPECT_EQ(TextOf(m_child->m_hWnd), title);
    EXPECT_EQ(m_child->GetCurrentPage(), 1);
    EXPECT_EQ(view.GetDlgCtrlID(), 59648);
    view.ClearLayout();
    EXPECT_EQ(TextOf(m_child->m_hWnd), title + L"*");
    ASSERT_TRUE(view.UndoLayout());
    EXPECT_EQ(TextOf(m_child->m_hWnd), title);
    EXPECT_GT(m_main->m_refreshes, 0);
    EXPECT_EQ(view.SuggestedName(), L"kest-child-frame");
    // Commands reach the view through the frame.
    m_child->SendMessage(WM_COMMAND, LayoutView::CmdClearLayout);
    EXPECT_TRUE(view.GetLayout().IsEmpty());
    EXPECT_TRUE(m_child->IsModified());
}

TEST_F(ChildFrameTest, GoToPageOutsideTheDocumentTellsTheRange)
{
    std::wstring message;
    m_child->SetCurrentPage(99);
    DialogUser user({{L"Kest", AnswerMessage(message)}});
    m_child->SendMessage(WM_COMMAND, 34125);
    EXPECT_FALSE(user.Missed());
    EXPECT_EQ(message, L"The page numbers that you entered are incorrect.\nPage numbers and ranges are only "
                       L"allowed from 1 up to " +
                           std::to_wstring(m_child->GetView().GetPageCount()) + L", which is the last page.");
    EXPECT_EQ(m_child->GetCurrentPage(), 1);
}

} // namespace
