// A small MDI program built on the framework, opened under the test display and photographed:
// its menu, a child window with a drawn view, and a dialog over them.
#include "WindowsTestSupport.h"
#include "TestResource.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace {

const COLORREF kPaper = RGB(255, 255, 240);
const COLORREF kCellFill = RGB(200, 220, 255);

class CExampleView : public CView
{
    DECLARE_DYNCREATE(CExampleView)
public:
    void OnDraw(CDC* pDC) override
    {
        CRect rect;
        GetClientRect(&rect);
        pDC->FillSolidRect(&rect, kPaper);
        // A small table: header row and a grid of cells.
        for (int row = 0; row < 4; row++)
        {
            for (int col = 0; col < 3; col++)
            {
                CRect cell(20 + col * 90, 20 + row * 28, 20 + (col + 1) * 90, 20 + (row + 1) * 28);
                pDC->FillSolidRect(&cell, row == 0 ? RGB(120, 140, 200) : kCellFill);
                pDC->Draw3dRect(&cell, RGB(60, 60, 60), RGB(60, 60, 60));
            }
        }
        pDC->SetBkMode(TRANSPARENT);
        pDC->TextOut(26, 26, CString(L"Name"));
        pDC->TextOut(116, 26, CString(L"Amount"));
        pDC->TextOut(206, 26, CString(L"Date"));
    }
};
IMPLEMENT_DYNCREATE(CExampleView, CView)

class CExampleChildFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CExampleChildFrame)
};
IMPLEMENT_DYNCREATE(CExampleChildFrame, CMDIChildWnd)

class CExampleMainFrame : public CMDIFrameWnd
{
    DECLARE_DYNCREATE(CExampleMainFrame)
};
IMPLEMENT_DYNCREATE(CExampleMainFrame, CMDIFrameWnd)

// Writes a 24-bit bottom-up BMP of the bitmap.
bool WriteBitmapFile(const wchar_t* path, HDC hDC, HBITMAP hBitmap, int width, int height)
{
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    bmi.bmiHeader.biCompression = BI_RGB;
    int stride = ((width * 3) + 3) & ~3;
    std::vector<BYTE> bits((size_t)stride * (size_t)height);
    if (::GetDIBits(hDC, hBitmap, 0, (UINT)height, bits.data(), &bmi, DIB_RGB_COLORS) == 0)
        return false;
    BITMAPFILEHEADER bfh{};
    bfh.bfType = 0x4D42;
    bfh.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    bfh.bfSize = bfh.bfOffBits + (DWORD)bits.size();
    FILE* pFile = _wfopen(path, L"wb");
    if (pFile == nullptr)
        return false;
    bool ok = fwrite(&bfh, sizeof(bfh), 1, pFile) == 1 && fwrite(&bmi.bmiHeader, sizeof(BITMAPINFOHEADER), 1, pFile) == 1 &&
              fwrite(bits.data(), 1, bits.size(), pFile) == bits.size();
    fclose(pFile);
    return ok;
}

TEST(ExampleMdiProgramTest, OpensWithMenuChildAndDialogAndIsPhotographed)
{
    auto* pMainFrame = new CExampleMainFrame;
    ASSERT_TRUE(pMainFrame->LoadFrame(IDR_TESTMAIN));
    TestApp().m_pMainWnd = pMainFrame;
    pMainFrame->SetWindowPos(nullptr, 0, 0, 640, 480, SWP_NOZORDER);
    pMainFrame->ShowWindow(SW_SHOWNORMAL);

    CMultiDocTemplate docTemplate(IDR_TESTCHILD, nullptr, RUNTIME_CLASS(CExampleChildFrame), RUNTIME_CLASS(CExampleView));
    CFrameWnd* pChild = docTemplate.CreateNewFrame(nullptr, nullptr);
    ASSERT_NE(pChild, nullptr);
    docTemplate.InitialUpdateFrame(pChild, nullptr, TRUE);
    pChild->SetTitle(L"Printed page 1");
    pChild->OnUpdateFrameTitle(TRUE);
    pChild->SetWindowPos(nullptr, 10, 10, 360, 220, SWP_NOZORDER);

    CDialog about;
    ASSERT_TRUE(about.Create(IDD_TEST_ABOUT, pMainFrame));
    CRect rectFrame;
    pMainFrame->GetWindowRect(&rectFrame);
    about.SetWindowPos(nullptr, rectFrame.left + 300, rectFrame.top + 260, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    about.ShowWindow(SW_SHOW);
    RunMessageLoopFor(500);  // let everything paint

    // What the program shows: the child's menu on the frame, the child, the dialog.
    HMENU hMenu = ::GetMenu(pMainFrame->m_hWnd);
    ASSERT_NE(hMenu, nullptr);
    EXPECT_EQ(::GetMenuItemCount(hMenu), 3);
    EXPECT_TRUE(pChild->IsWindowVisible());
    EXPECT_TRUE(about.IsWindowVisible());

    // The photograph: the frame's area of the screen, read through the desktop window's DC.
    CWindowDC dcScreen(CWnd::GetDesktopWindow());
    CDC dcMemory;
    ASSERT_TRUE(dcMemory.CreateCompatibleDC(&dcScreen));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&dcScreen, rectFrame.Width(), rectFrame.Height()));
    CBitmap* pOldBitmap = dcMemory.SelectObject(&bitmap);
    ASSERT_TRUE(dcMemory.BitBlt(0, 0, rectFrame.Width(), rectFrame.Height(), &dcScreen, rectFrame.left, rectFrame.top, SRCCOPY));

    // The view's cells are on the picture where the view shows them.
    CWnd* pView = pChild->GetActiveView();
    ASSERT_NE(pView, nullptr);
    CPoint ptCell(20 + 45, 20 + 28 + 14);
    pView->ClientToScreen(&ptCell);
    EXPECT_EQ(dcMemory.GetPixel(ptCell.x - rectFrame.left, ptCell.y - rectFrame.top), kCellFill);

    dcMemory.SelectObject(pOldBitmap);
    EXPECT_TRUE(WriteBitmapFile(L"example_mdi_program.bmp", dcMemory, bitmap, rectFrame.Width(), rectFrame.Height()));

    about.DestroyWindow();
    pMainFrame->DestroyWindow();
    PumpAndIdle();
    TestApp().m_pMainWnd = nullptr;
}

} // namespace
