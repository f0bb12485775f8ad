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

#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTVisualManager2003.h"
#include "uitoolkit/looks/KTWinXPVisualManager.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace
{
// "themes-off-" without visual styles, "8bit-" on a palette screen, else empty.
std::wstring GalleryRunTag()
{
    if (ktGlobals.m_bitsPerPixel <= 8)
        return L"8bit-";
    char mode[16] = {};
    return ::GetEnvironmentVariableA("KEST_LOOKS_THEMES", mode, sizeof(mode)) > 0 && std::string(mode) == "off"
               ? L"themes-off-"
               : L"";
}


// Every widget in one toolkit frame; the two bars dock on the right, beside the controls.
struct Gallery
{
    CKTFrameWnd* pFrame = new CKTFrameWnd;
    CKTOutlookBar shortcuts;
    CKTTasksPane tasks;
    CKTMaskEdit edit;
    CKTHeaderCtrl header;
    CKTPropList props;
    CKTEditListBox list;
    CKTColorBar palette;
    bool created = false;

    Gallery()
    {
        if (!pFrame->Create(nullptr, L"Widget gallery", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                            CRect(30, 30, 1050, 470)))
            return;
        pFrame->ShowWindow(SW_SHOW);
        HFONT hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);

        // The bars are laid out before the colour bar, which the frame's layout would dock too.
        if (!shortcuts.Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_RIGHT, AFX_IDW_TOOLBAR + 0x30, TRUE) ||
            shortcuts.AddPage(1, L"Favourites") != 0 || shortcuts.AddPage(2, L"Folders") != 1)
            return;
        for (const wchar_t* psz : {L"Inbox", L"Calendar", L"Contacts", L"Notes"})
            shortcuts.AddShortcut(1, new CKTOutlookButton(33200, -1, psz));
        if (!tasks.Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_RIGHT, AFX_IDW_TOOLBAR + 0x31, FALSE))
            return;
        tasks.SetBarSize(220);
        const int nGroup = tasks.AddGroup(0, L"Work file");
        tasks.AddTask(nGroup, L"Open a work file", 33201);
        tasks.AddTask(nGroup, L"Convert the table", 33202);
        tasks.AddTask(tasks.AddGroup(0, L"Details"), L"3 pages, 2 tables");
        pFrame->RecalcLayout();

        if (!edit.EnableMask(L" DDD  DDD LL", L"(___) ___-__") ||
            !edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 200, 32), pFrame, 501))
            return;
        edit.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(hFont));
        edit.SetValue(L"(555) 123-ab");

        if (!header.Create(WC_HEADER, nullptr, WS_CHILD | WS_VISIBLE | HDS_HORZ, CRect(10, 44, 300, 68), pFrame, 502))
            return;
        header.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(hFont));
        for (const wchar_t* psz : {L"Name", L"Size", L"Kind"})
        {
            HDITEM item{};
            item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
            item.cxy = 90;
            // The list is sorted by size.
            item.fmt = HDF_LEFT | HDF_STRING | (header.GetItemCount() == 1 ? HDF_SORTUP : 0);
            item.pszText = const_cast<wchar_t*>(psz);
            header.InsertItem(header.GetItemCount(), &item);
        }

        if (!props.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 80, 300, 380), pFrame, 503))
            return;
        CKTProp* pGroup = new CKTProp(CString(L"Page"));
        pGroup->AddSubItem(new CKTProp(L"Title", COleVariant(L"Monthly report")));
        pGroup->AddSubItem(new CKTProp(L"Columns", COleVariant(6L)));
        pGroup->AddSubItem(new CKTProp(L"Scale", COleVariant(1.5)));
        pGroup->AddSubItem(new CKTColorProp(L"Grid colour", RGB(0, 128, 255)));
        props.AddProperty(pGroup);
        CKTProp* pOutput = new CKTProp(CString(L"Output"));
        pOutput->AddSubItem(new CKTFileProp(L"Work file", L"C:\\Reports\\March.kest", TRUE, L"kest",
                                            OFN_FILEMUSTEXIST, L"Work files|*.kest||"));
        LOGFONT lf{};
        ::GetObject(hFont, sizeof(LOGFONT), &lf);
        pOutput->AddSubItem(new CKTFontProp(L"Text font", lf));
        props.AddProperty(pOutput);

        if (!list.Create(L"Tools:", WS_CHILD | WS_VISIBLE, CRect(320, 10, 630, 200), pFrame, 504))
            return;
        list.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(hFont));
        list.SetStandardButtons();
        list.AddItem(L"Notepad");
        list.AddItem(L"Calculator");

        if (!palette.CreateControl(pFrame, CRect(320, 220, 520, 380), 505))
            return;
        // No handler of the frame answers for the palette: it stays enabled.
        palette.m_bDisableControlsIfNoHandler = FALSE;
        pFrame->UpdateWindow();
        RunMessageLoopFor(300);
        created = true;
    }

    ~Gallery()
    {
        for (CWnd* pWnd : std::initializer_list<CWnd*>{&tasks, &shortcuts, &palette, &list, &props, &header, &edit})
            if (pWnd->GetSafeHwnd() != nullptr)
                pWnd->DestroyWindow();
        if (pFrame->GetSafeHwnd() != nullptr)
            pFrame->DestroyWindow();
        else
            delete pFrame;
        PumpAndIdle();
    }

    void Repaint()
    {
        pFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        RunMessageLoopFor(100);
    }
};

TEST(WidgetGallery, EveryWidgetShowsInAToolkitFrame)
{
    Gallery g;
    ASSERT_TRUE(g.created);
    EXPECT_TRUE(g.edit.IsWindowVisible() && g.header.IsWindowVisible() && g.props.IsWindowVisible() &&
                g.list.IsWindowVisible() && g.palette.IsWindowVisible());
    EXPECT_TRUE(g.palette.IsEnabled());
    EXPECT_TRUE(SaveWindowShot(g.pFrame, L"GalleryFrame.bmp"));
    EXPECT_TRUE(SaveWindowShot(&g.edit, L"GalleryMaskEdit.bmp"));
    EXPECT_TRUE(SaveWindowShot(&g.header, L"GalleryHeader.bmp"));
    EXPECT_TRUE(SaveWindowShot(&g.props, L"GalleryPropList.bmp"));
    EXPECT_TRUE(SaveWindowShot(&g.list, L"GalleryEditList.bmp"));
    EXPECT_TRUE(SaveWindowShot(&g.palette, L"GalleryColorBar.bmp"));
    EXPECT_TRUE(g.shortcuts.IsWindowVisible() && g.tasks.IsWindowVisible());
    EXPECT_TRUE(SaveWindowShot(&g.shortcuts, L"GalleryOutlookBar.bmp"));
    EXPECT_TRUE(SaveWindowShot(&g.tasks, L"GalleryTasksPane.bmp"));
}

// A look that notes which of the widgets' parts it was asked to paint.
class CNotingLook : public CKTVisualManagerXP
{
public:
    std::set<std::string> m_parts;

    void OnFillOutlookBarCaption(CDC* pDC, CRect rect, COLORREF& clrText) override
    {
        m_parts.insert("shortcut bar caption");
        CKTVisualManagerXP::OnFillOutlookBarCaption(pDC, rect, clrText);
    }
    void OnDrawHeaderCtrlSortArrow(CDC* pDC, CRect rect, BOOL bIsUp) override
    {
        m_parts.insert(bIsUp ? "sort arrow up" : "sort arrow down");
        CKTVisualManagerXP::OnDrawHeaderCtrlSortArrow(pDC, rect, bIsUp);
    }
    void OnFillTasksPaneBackground(CDC* pDC, CRect rect) override
    {
        m_parts.insert("tasks pane background");
        CKTVisualManagerXP::OnFillTasksPaneBackground(pDC, rect);
    }
    void OnDrawTasksGroupCaption(CDC* pDC, const CKTTasksGroup* pGroup, BOOL bIsHighlighted) override
    {
        m_parts.insert("group caption");
        CKTVisualManagerXP::OnDrawTasksGroupCaption(pDC, pGroup, bIsHighlighted);
    }
    void OnFillTasksGroupInterior(CDC* pDC, CRect rect) override
    {
        m_parts.insert("group interior");
        CKTVisualManagerXP::OnFillTasksGroupInterior(pDC, rect);
    }
    void OnDrawTasksGroupAreaBorder(CDC* pDC, CRect rect) override
    {
        m_parts.insert("group border");
        CKTVisualManagerXP::OnDrawTasksGroupAreaBorder(pDC, rect);
    }
    void OnDrawTask(CDC* pDC, const CKTTask* pTask, BOOL bIsHighlighted) override
    {
        m_parts.insert("task");
        CKTVisualManagerXP::OnDrawTask(pDC, pTask, bIsHighlighted);
    }
    void OnDrawExpandingBox(CDC* pDC, CRect rect, BOOL bIsOpened, COLORREF colorBox) override
    {
        m_parts.insert("expanding box");
        CKTVisualManagerXP::OnDrawExpandingBox(pDC, rect, bIsOpened, colorBox);
    }
};

TEST(WidgetGallery, TheWidgetsPaintTheirPartsThroughTheLook)
{
    Gallery g;
    ASSERT_TRUE(g.created);
    CKTVisualManager::SetDefaultManager(nullptr);
    CKTVisualManager::DestroyInstance();
    {
        CNotingLook look;
        ASSERT_EQ(&look, CKTVisualManager::GetInstance());
        g.Repaint();
        for (const char* part : {"sort arrow up", "tasks pane background", "group caption", "group interior",
                                 "group border", "task", "expanding box"})
            EXPECT_EQ(1u, look.m_parts.count(part)) << part;
    }
    CKTVisualManager::SetDefaultManager(RUNTIME_CLASS(CKTVisualManagerXP));
}

// The gallery in each look, for the eye; the runs without visual styles and on a palette screen
// add their own pictures.
TEST(WidgetGallery, EachLookPaintsTheGallery)
{
    Gallery g;
    ASSERT_TRUE(g.created);
    const struct
    {
        CRuntimeClass* pClass;
        const wchar_t* name;
    } looks[] = {{RUNTIME_CLASS(CKTVisualManager), L"base"},
                 {RUNTIME_CLASS(CKTVisualManagerXP), L"xp"},
                 {RUNTIME_CLASS(CKTVisualManager2003), L"2003"},
                 {RUNTIME_CLASS(CKTWinXPVisualManager), L"themed"}};
    for (const auto& look : looks)
    {
        ASSERT_TRUE(CKTVisualManager::SetDefaultManager(look.pClass));
        g.Repaint();
        EXPECT_TRUE(CKTVisualManager::GetInstance()->IsKindOf(look.pClass));
        const std::wstring file = L"GalleryLook-" + GalleryRunTag() + look.name + L".bmp";
        EXPECT_TRUE(SaveWindowShot(g.pFrame, file.c_str())) << look.pClass->m_lpszClassName;
    }
    CKTVisualManager::SetDefaultManager(RUNTIME_CLASS(CKTVisualManagerXP));
}

} // namespace
