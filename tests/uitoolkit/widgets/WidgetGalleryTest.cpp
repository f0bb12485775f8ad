// The gallery: every widget of the toolkit that the program never creates, shown together in a
// toolkit frame, with a picture of each to look at.
#include "tests/uitoolkit/colors/ColorTestSupport.h"
#include "uitoolkit/bars/KTFrameWnd.h"
#include "uitoolkit/customize/KTColorBar.h"
#include "uitoolkit/customize/KTEditListBox.h"
#include "uitoolkit/widgets/KTFileFontProp.h"
#include "uitoolkit/widgets/KTHeaderCtrl.h"
#include "uitoolkit/widgets/KTMaskEdit.h"
#include "uitoolkit/widgets/KTOutlookBar.h"
#include "uitoolkit/widgets/KTOutlookButton.h"
#include "uitoolkit/widgets/KTPropList.h"
#include "uitoolkit/widgets/KTTasksPane.h"

#include <gtest/gtest.h>

namespace
{

TEST(WidgetGallery, EveryWidgetShowsInAToolkitFrame)
{
    auto* pFrame = new CKTFrameWnd;
    ASSERT_TRUE(
        pFrame->Create(nullptr, L"Widget gallery", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CRect(30, 30, 1050, 470)));
    pFrame->ShowWindow(SW_SHOW);
    HFONT hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);

    // The two bars dock on the right, beside the controls (laid out before the colour bar, which
    // the frame's layout would dock as well).
    CKTOutlookBar shortcuts;
    ASSERT_TRUE(shortcuts.Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_RIGHT, AFX_IDW_TOOLBAR + 0x30, TRUE));
    ASSERT_EQ(0, shortcuts.AddPage(1, L"Favourites"));
    ASSERT_EQ(1, shortcuts.AddPage(2, L"Folders"));
    for (const wchar_t* psz : {L"Inbox", L"Calendar", L"Contacts", L"Notes"})
        shortcuts.AddShortcut(1, new CKTOutlookButton(33200, -1, psz));
    CKTTasksPane tasks;
    ASSERT_TRUE(tasks.Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_RIGHT, AFX_IDW_TOOLBAR + 0x31, FALSE));
    tasks.SetBarSize(220);
    const int nGroup = tasks.AddGroup(0, L"Work file");
    tasks.AddTask(nGroup, L"Open a work file", 33201);
    tasks.AddTask(nGroup, L"Convert the table", 33202);
    tasks.AddTask(tasks.AddGroup(0, L"Details"), L"3 pages, 2 tables");
    pFrame->RecalcLayout();

    CKTMaskEdit edit;
    ASSERT_TRUE(edit.EnableMask(L" DDD  DDD LL", L"(___) ___-__"));
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 200, 32), pFrame, 501));
    edit.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(hFont));
    ASSERT_TRUE(edit.SetValue(L"(555) 123-ab"));

    CKTHeaderCtrl header;
    ASSERT_TRUE(
        header.Create(WC_HEADER, nullptr, WS_CHILD | WS_VISIBLE | HDS_HORZ, CRect(10, 44, 300, 68), pFrame, 502));
    header.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(hFont));
    for (const wchar_t* psz : {L"Name", L"Size", L"Kind"})
    {
        HDITEM item{};
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        item.cxy = 90;
        item.fmt = HDF_LEFT | HDF_STRING;
        item.pszText = const_cast<wchar_t*>(psz);
        header.InsertItem(header.GetItemCount(), &item);
    }

    CKTPropList props;
    ASSERT_TRUE(props.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 80, 300, 380), pFrame, 503));
    CKTProp* pGroup = new CKTProp(CString(L"Page"));
    pGroup->AddSubItem(new CKTProp(L"Title", COleVariant(L"Monthly report")));
    pGroup->AddSubItem(new CKTProp(L"Columns", COleVariant(6L)));
    pGroup->AddSubItem(new CKTProp(L"Scale", COleVariant(1.5)));
    pGroup->AddSubItem(new CKTColorProp(L"Grid colour", RGB(0, 128, 255)));
    props.AddProperty(pGroup);
    CKTProp* pOutput = new CKTProp(CString(L"Output"));
    pOutput->AddSubItem(new CKTFileProp(L"Work file", L"C:\\Reports\\March.kest", TRUE, L"kest", OFN_FILEMUSTEXIST,
                                        L"Work files|*.kest||"));
    LOGFONT lf{};
    ::GetObject(hFont, sizeof(LOGFONT), &lf);
    pOutput->AddSubItem(new CKTFontProp(L"Text font", lf));
    props.AddProperty(pOutput);

    CKTEditListBox list;
    ASSERT_TRUE(list.Create(L"Tools:", WS_CHILD | WS_VISIBLE, CRect(320, 10, 630, 200), pFrame, 504));
    list.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(hFont));
    ASSERT_TRUE(list.SetStandardButtons());
    list.AddItem(L"Notepad");
    list.AddItem(L"Calculator");

    CKTColorBar palette;
    ASSERT_TRUE(palette.CreateControl(pFrame, CRect(320, 220, 520, 380), 505));
    // No handler of the frame answers for the palette: it stays enabled.
    palette.m_bDisableControlsIfNoHandler = FALSE;

    pFrame->UpdateWindow();
    RunMessageLoopFor(300);
    EXPECT_TRUE(edit.IsWindowVisible() && header.IsWindowVisible() && props.IsWindowVisible() &&
                list.IsWindowVisible() && palette.IsWindowVisible());
    EXPECT_TRUE(palette.IsEnabled());
    EXPECT_TRUE(SaveWindowShot(pFrame, L"GalleryFrame.bmp"));
    EXPECT_TRUE(SaveWindowShot(&edit, L"GalleryMaskEdit.bmp"));
    EXPECT_TRUE(SaveWindowShot(&header, L"GalleryHeader.bmp"));
    EXPECT_TRUE(SaveWindowShot(&props, L"GalleryPropList.bmp"));
    EXPECT_TRUE(SaveWindowShot(&list, L"GalleryEditList.bmp"));
    EXPECT_TRUE(SaveWindowShot(&palette, L"GalleryColorBar.bmp"));
    EXPECT_TRUE(shortcuts.IsWindowVisible() && tasks.IsWindowVisible());
    EXPECT_TRUE(SaveWindowShot(&shortcuts, L"GalleryOutlookBar.bmp"));
    EXPECT_TRUE(SaveWindowShot(&tasks, L"GalleryTasksPane.bmp"));

    tasks.DestroyWindow();
    shortcuts.DestroyWindow();
    palette.DestroyWindow();
    list.DestroyWindow();
    props.DestroyWindow();
    header.DestroyWindow();
    edit.DestroyWindow();
    pFrame->DestroyWindow();
    PumpAndIdle();
}

} // namespace
