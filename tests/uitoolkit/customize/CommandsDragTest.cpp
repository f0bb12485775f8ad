// A command dragged from the customize sheet's Commands page with the display's mouse, as the
// user adds a button: dropped on a toolbar (with Ctrl held or not) it becomes a new button there;
// dropped off the bars it lands nowhere. Either way the catalogue and the list keep the command.
#include "tests/uitoolkit/customize/CustomizeTestIds.h"
#include "tests/uitoolkit/customize/CustomizeTestSupport.h"
#include "tests/uitoolkit/customize/SheetTestFrame.h"
#include "framework/AfxOle.h"
#include "uitoolkit/bars/KTToolbarButton.h"
#include "uitoolkit/customize/KTButtonDragDrop.h"
#include "uitoolkit/customize/KTCommandManager.h"
#include "uitoolkit/customize/KTCustomizePage.h"
#include "uitoolkit/customize/KTToolbarCustomize.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
const UINT IDC_COMMANDS = 16602;

std::vector<UINT> BarIds(const CKTToolBar& bar)
{
    std::vector<UINT> ids;
    for (int i = 0; i < bar.GetCount(); ++i)
        ids.push_back(bar.GetButton(i)->m_nID);
    return ids;
}

std::vector<UINT> CatalogueIds(const CObList* pList)
{
    std::vector<UINT> ids;
    for (POSITION pos = pList != nullptr ? pList->GetHeadPosition() : nullptr; pos != nullptr;)
        ids.push_back(static_cast<const CKTToolbarButton*>(pList->GetNext(pos))->m_nID);
    return ids;
}

std::vector<std::wstring> ListTexts(CListBox& list)
{
    std::vector<std::wstring> texts;
    for (int i = 0; i < list.GetCount(); ++i)
    {
        CString str;
        list.GetText(i, str);
        texts.push_back((LPCTSTR)str);
    }
    return texts;
}

class CommandsDragTest : public SheetTest
{
protected:
    // The bars register their drop targets only where OLE runs.
    static void SetUpTestSuite() { ASSERT_TRUE(AfxOleInit()); }

    void TearDown() override
    {
        SheetTest::TearDown();
        CKTCommandManager::GetInstance()->ClearAllCmdImages();
    }

    static CPoint OnScreen(CWnd* pWnd, CPoint point)
    {
        pWnd->ClientToScreen(&point);
        return point;
    }
};

enum class Target
{
    StandardBarBeforeOpen,
    FrameClientArea
};

struct DragCase
{
    const char* what;
    Target target;
    bool bCtrl;
    std::vector<UINT> standardAfter;
    bool bOverBar;
};

TEST_F(CommandsDragTest, ACommandDraggedFromTheListLandsOnABarAndStaysInTheCatalogue)
{
    const DragCase cases[] = {
        {"onto a bar",
         Target::StandardBarBeforeOpen,
         false,
         {ID_SHEET_NEW, ID_SHEET_SAVE_FILE, ID_SHEET_OPEN, ID_SHEET_COPY},
         true},
        {"onto a bar with Ctrl",
         Target::StandardBarBeforeOpen,
         true,
         {ID_SHEET_NEW, ID_SHEET_SAVE_FILE, ID_SHEET_OPEN, ID_SHEET_COPY},
         true},
        {"off the bars", Target::FrameClientArea, false, {ID_SHEET_NEW, ID_SHEET_OPEN, ID_SHEET_COPY}, false},
    };
    for (const DragCase& c : cases)
    {
        SCOPED_TRACE(c.what);
        ASSERT_NE(nullptr, OpenSheet());
        m_wndStandard.RestoreResourceState();
        ASSERT_EQ((std::vector<UINT>{ID_SHEET_NEW, ID_SHEET_OPEN, ID_SHEET_COPY}), BarIds(m_wndStandard));
        const std::vector<UINT> format = BarIds(m_wndFormat);
        CKTCustomizePage* pPage = m_pSheet->GetCommandsPage();
        CListBox* pCommands = static_cast<CListBox*>(PageItem(pPage, IDC_COMMANDS));
        // The File category is shown first: New, Save, Open.
        ASSERT_EQ((std::vector<std::wstring>{L"New", L"Save", L"Open"}), ListTexts(*pCommands));
        const std::vector<UINT> fileBefore = CatalogueIds(m_pSheet->GetCategoryButtons(L"File"));
        const std::vector<UINT> allBefore =
            CatalogueIds(m_pSheet->GetCategoryButtons(m_pSheet->GetAllCommandsCategory()));

        CRect rectSave;
        pCommands->GetItemRect(1, &rectSave);
        const CPoint ptFrom = OnScreen(pCommands, rectSave.CenterPoint());
        CPoint ptTo;
        if (c.target == Target::StandardBarBeforeOpen)
        {
            CRect rectOpen;
            m_wndStandard.GetItemRect(1, &rectOpen);
            ptTo = OnScreen(&m_wndStandard, CPoint(rectOpen.left + 3, rectOpen.CenterPoint().y));
        }
        else
        {
            CRect rectClient;
            ::GetClientRect(m_pFrame->m_hWndMDIClient, &rectClient);
            ptTo = rectClient.CenterPoint();
            ::ClientToScreen(m_pFrame->m_hWndMDIClient, &ptTo);
        }

        BOOL bOutsideWhileOver = -1;
        HCURSOR hCursorAtPress = nullptr;
        UserInput input;
        input.MoveTo(ptFrom).Pause(100);
        if (c.bCtrl)
            input.DisplayKey("ctrl", true);
        // Pressed but not yet moved off the item: the drag shows its no-drop cursor.
        input.LeftDown().Pause(200).Call([&] {
            CURSORINFO info = {};
            info.cbSize = sizeof(info);
            if (::GetCursorInfo(&info))
                hCursorAtPress = info.hCursor;
        });
        input.Glide(ptFrom, ptTo, 20).Pause(300).MoveTo(CPoint(ptTo.x + 1, ptTo.y)).MoveTo(ptTo).Pause(200);
        input.Call([&] { bOutsideWhileOver = CKTToolbarDropSource::GetInstance().m_bDragOutsideToolbars; });
        input.LeftUp();
        if (c.bCtrl)
            input.DisplayKey("ctrl", false);
        input.Pause(150);
        Play(input);
        Settle();

        EXPECT_NE(nullptr, hCursorAtPress);
        EXPECT_EQ(CKTToolbarDropSource::GetInstance().GetCursorFor(DROPEFFECT_NONE), hCursorAtPress);
        EXPECT_EQ(c.standardAfter, BarIds(m_wndStandard));
        EXPECT_EQ(format, BarIds(m_wndFormat));
        EXPECT_EQ(c.bOverBar ? FALSE : TRUE, bOutsideWhileOver);
        if (c.bOverBar)
        {
            // A button of the bar's own, not the catalogue's.
            const CKTToolbarButton* pDropped = m_wndStandard.GetButton(1);
            EXPECT_NE(static_cast<const void*>(pDropped), pCommands->GetItemDataPtr(1));
            EXPECT_EQ(CString(L"Save"), pDropped->m_strText);
        }
        EXPECT_EQ((std::vector<std::wstring>{L"New", L"Save", L"Open"}), ListTexts(*pCommands));
        EXPECT_EQ(fileBefore, CatalogueIds(m_pSheet->GetCategoryButtons(L"File")));
        EXPECT_EQ(allBefore, CatalogueIds(m_pSheet->GetCategoryButtons(m_pSheet->GetAllCommandsCategory())));
        if (c.target == Target::StandardBarBeforeOpen && !c.bCtrl)
            SaveScreenshot(L"customize-dragged-from-commands.bmp");
        CloseSheet();
    }
}

TEST_F(CommandsDragTest, APressBelowTheLastCommandStartsNoDrag)
{
    ASSERT_NE(nullptr, OpenSheet());
    CListBox* pCommands = static_cast<CListBox*>(PageItem(m_pSheet->GetCommandsPage(), IDC_COMMANDS));
    CRect rectLast;
    pCommands->GetItemRect(pCommands->GetCount() - 1, &rectLast);
    CRect rectClient;
    pCommands->GetClientRect(&rectClient);
    ASSERT_LT(rectLast.bottom + 10, rectClient.bottom);
    const CPoint ptFrom = OnScreen(pCommands, CPoint(rectLast.CenterPoint().x, rectLast.bottom + 8));
    CRect rectOpen;
    m_wndStandard.GetItemRect(1, &rectOpen);
    const CPoint ptTo = OnScreen(&m_wndStandard, CPoint(rectOpen.left + 3, rectOpen.CenterPoint().y));
    const std::vector<UINT> before = BarIds(m_wndStandard);

    UserInput input;
    input.MoveTo(ptFrom).Pause(100).LeftDown().Glide(ptFrom, ptTo, 20).Pause(200).LeftUp().Pause(150);
    Play(input);
    Settle();
    EXPECT_EQ(before, BarIds(m_wndStandard));
}

} // namespace
