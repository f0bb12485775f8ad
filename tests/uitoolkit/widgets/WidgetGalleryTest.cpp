// The gallery: every widget of the toolkit that the program never creates, shown together in a
// toolkit frame, with a picture of each to look at.
#include "tests/uitoolkit/colors/ColorTestSupport.h"
#include "uitoolkit/bars/KTFrameWnd.h"
#include "uitoolkit/customize/KTColorBar.h"
#include "uitoolkit/customize/KTEditListBox.h"
#include "uitoolkit/widgets/KTHeaderCtrl.h"
#include "uitoolkit/widgets/KTMaskEdit.h"
#include "uitoolkit/widgets/KTPropList.h"

#include <gtest/gtest.h>

namespace
{

TEST(WidgetGallery, EveryWidgetShowsInAToolkitFrame)
{
    auto* pFrame = new CKTFrameWnd;
    ASSERT_TRUE(
        pFrame->Create(nullptr, L"Widget gallery", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CRect(30, 30, 690, 470)));
    pFrame->ShowWindow(SW_SHOW);
    HFONT hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);

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

    palette.DestroyWindow();
    list.DestroyWindow();
    props.DestroyWindow();
    header.DestroyWindow();
    edit.DestroyWindow();
    pFrame->DestroyWindow();
    PumpAndIdle();
}

} // namespace
