// The toolbar's model without a window: loading toolbar resources, the shared command-to-image
// map, inserting, removing and replacing buttons, separators and mnemonics.
#include "tests/uitoolkit/bars/BarLayoutText.h"
#include "tests/uitoolkit/bars/ToolbarTestIds.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/customize/KTCommandManager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
class CModelToolBar : public CKTToolBar
{
public:
    using CKTToolBar::m_AcellKeys;
    using CKTToolBar::m_iImagesOffset;
    using CKTToolBar::m_ImagesLocked;
    using CKTToolBar::m_MenuImagesLockedDisabled;
};

class ToolbarModelTest : public ::testing::Test
{
protected:
    void TearDown() override { CKTCommandManager::GetInstance()->ClearAllCmdImages(); }
};
} // namespace

TEST_F(ToolbarModelTest, ResourceLoadMakesButtonsImagesAndResourceItems)
{
    CModelToolBar bar;
    ASSERT_TRUE(bar.LoadToolBar(IDR_TEST_TOOLBAR));
    EXPECT_EQ(BarIds({ID_TEST_OPEN, ID_TEST_SAVE, 0, ID_TEST_PRINT, ID_TEST_CUT}), BarLayout(bar));
    EXPECT_EQ(5, static_cast<int>(bar.GetOrigButtons().GetCount())) << "separators are resource items too";
    EXPECT_EQ(IDR_TEST_TOOLBAR, bar.GetResourceID());
    EXPECT_TRUE(bar.CanBeRestored());
    const int first = bar.m_iImagesOffset;
    ASSERT_GE(first, 0);
    // Separators take no image: the four commands have consecutive images.
    const UINT cmds[] = {ID_TEST_OPEN, ID_TEST_SAVE, ID_TEST_PRINT, ID_TEST_CUT};
    for (int i = 0; i < 4; i++)
    {
        int image = -1;
        EXPECT_TRUE(CKTToolBar::GetDefaultImage(cmds[i], image));
        EXPECT_EQ(first + i, image) << cmds[i];
        EXPECT_EQ(first + i, bar.GetButton(bar.CommandToIndex(cmds[i]))->GetImage());
    }
    EXPECT_EQ(CSize(22, 21), CKTToolBar::GetDefaultButtonSize()) << "image size plus 6";
}

TEST_F(ToolbarModelTest, SeparatorFirstIsSkippedAndTheLastLoadedBarOwnsASharedCommand)
{
    CModelToolBar first;
    ASSERT_TRUE(first.LoadToolBar(IDR_TEST_TOOLBAR));
    CModelToolBar sepFirst;
    ASSERT_TRUE(sepFirst.LoadToolBar(IDR_TEST_TOOLBAR_SEPFIRST));
    EXPECT_EQ(BarIds({ID_TEST_CUT, ID_TEST_PASTE}), BarLayout(sepFirst));
    const int cut = sepFirst.GetButton(0)->GetImage();
    EXPECT_EQ(cut + 1, sepFirst.GetButton(1)->GetImage());

    CModelToolBar second;
    ASSERT_TRUE(second.LoadToolBar(IDR_TEST_TOOLBAR2));
    int image = -1;
    ASSERT_TRUE(CKTToolBar::GetDefaultImage(ID_TEST_SAVE, image));
    EXPECT_EQ(second.m_iImagesOffset + 1, image) << "the map keeps the image of the bar loaded last";
}

TEST_F(ToolbarModelTest, MissingResourceChangesNothingAndLockedBarsKeepTheirOwnImages)
{
    CModelToolBar bar;
    bar.InsertButton(new CKTToolbarButton(ID_TEST_PASTE, -1, L"Paste"));
    EXPECT_FALSE(bar.LoadToolBar(999));
    EXPECT_EQ(BarIds({ID_TEST_PASTE}), BarLayout(bar));
    EXPECT_EQ(0u, bar.GetResourceID());

    CModelToolBar locked;
    ASSERT_TRUE(locked.LoadToolBar(IDR_TEST_TOOLBAR_LOCKED, 0, 0, TRUE, 0, IDR_TEST_TOOLBAR_LOCKED));
    EXPECT_TRUE(locked.IsLocked());
    EXPECT_EQ(5, locked.m_ImagesLocked.GetCount());
    EXPECT_EQ(5, locked.m_MenuImagesLockedDisabled.GetCount()) << "disabled menu images into its own strip";
    EXPECT_EQ(0, locked.GetButton(0)->GetImage());
    EXPECT_EQ(1, locked.GetButton(1)->GetImage());
    EXPECT_TRUE(locked.GetButton(0)->IsLocked());
}

TEST_F(ToolbarModelTest, InsertRemoveAndSeparatorCases)
{
    CModelToolBar bar;
    EXPECT_EQ(-1, bar.InsertSeparator()) << "empty bar";
    EXPECT_EQ(0, bar.InsertButton(new CKTToolbarButton(ID_TEST_OPEN, -1, L"Open")));
    EXPECT_EQ(-1, bar.InsertSeparator(0)) << "never first";
    EXPECT_EQ(1, bar.InsertSeparator());
    EXPECT_EQ(2, bar.InsertButton(new CKTToolbarButton(ID_TEST_SAVE, -1, L"Save")));
    EXPECT_EQ(3, bar.InsertSeparator());
    EXPECT_EQ(4, bar.InsertButton(new CKTToolbarButton(ID_TEST_PRINT, -1, L"Print")));
    EXPECT_EQ(BarIds({ID_TEST_OPEN, 0, ID_TEST_SAVE, 0, ID_TEST_PRINT}), BarLayout(bar));

    CKTToolbarButton* pStray = new CKTToolbarButton(ID_TEST_CUT, -1, L"Cut");
    EXPECT_EQ(-1, bar.InsertButton(pStray, 7));
    EXPECT_EQ(-1, bar.InsertButton(pStray, -2));
    EXPECT_EQ(0, bar.InsertButton(pStray, 0)) << "the caller kept the button and can insert it";

    CKTToolBar::AddForbiddenCommand(ID_TEST_NOTEXT);
    CKTToolbarButton forbidden(ID_TEST_NOTEXT, -1, L"No");
    EXPECT_EQ(-1, bar.InsertButton(forbidden));
    ASSERT_TRUE(bar.RemoveButton(0));

    // The only button between two separators: one separator stays.
    EXPECT_TRUE(bar.RemoveButton(2));
    EXPECT_EQ(BarIds({ID_TEST_OPEN, 0, ID_TEST_PRINT}), BarLayout(bar));
    // The last non-separator: no trailing separator.
    EXPECT_TRUE(bar.RemoveButton(2));
    EXPECT_EQ(BarIds({ID_TEST_OPEN}), BarLayout(bar));
    EXPECT_FALSE(bar.RemoveButton(5));
    EXPECT_FALSE(bar.RemoveButton(-1));
}

TEST_F(ToolbarModelTest, TheCustomizeButtonStaysLast)
{
    CModelToolBar bar;
    bar.InsertButton(new CKTToolbarButton(ID_TEST_OPEN, -1, L"Open"));
    CKTToolbarButton* pChevron = new CKTToolbarButton;
    bar.InsertButton(pChevron);
    bar.m_pCustomizeBtn = pChevron;
    EXPECT_EQ(1, bar.InsertButton(new CKTToolbarButton(ID_TEST_SAVE, -1, L"Save")));
    EXPECT_EQ(pChevron, bar.GetButton(2));
    EXPECT_FALSE(bar.RemoveButton(2)) << "the customize button is never removed";
    EXPECT_EQ(3, bar.GetCount());
}

TEST_F(ToolbarModelTest, ReplaceCountsAndLeavesTheOldButtonWhenNoCopyCanBeMade)
{
    CModelToolBar bar;
    bar.InsertButton(new CKTToolbarButton(ID_TEST_OPEN, -1, L"Open"));
    bar.InsertButton(new CKTToolbarButton(ID_TEST_CUT, -1, L"Cut"));
    bar.InsertButton(new CKTToolbarButton(ID_TEST_OPEN, -1, L"Open"));
    CKTToolbarButton replacement(ID_TEST_PASTE, -1, L"Paste");
    EXPECT_EQ(1, bar.ReplaceButton(ID_TEST_OPEN, replacement));
    EXPECT_EQ(BarIds({ID_TEST_PASTE, ID_TEST_CUT, ID_TEST_OPEN}), BarLayout(bar));
    EXPECT_EQ(bar.GetButton(0)->m_pWndParent, &bar);
    CKTToolbarButton more(ID_TEST_SAVE, -1, L"Save");
    bar.InsertButton(new CKTToolbarButton(ID_TEST_OPEN, -1, L"Open"));
    EXPECT_EQ(2, bar.ReplaceButton(ID_TEST_OPEN, more, TRUE));
    EXPECT_EQ(BarIds({ID_TEST_PASTE, ID_TEST_CUT, ID_TEST_SAVE, ID_TEST_SAVE}), BarLayout(bar));
    EXPECT_EQ(0, bar.ReplaceButton(ID_TEST_PRINT, more, TRUE));

    CKTToolBar::AddForbiddenCommand(ID_TEST_NOTEXT);
    CKTToolbarButton forbidden(ID_TEST_NOTEXT, -1, L"No");
    EXPECT_EQ(0, bar.ReplaceButton(ID_TEST_CUT, forbidden));
    EXPECT_EQ(BarIds({ID_TEST_PASTE, ID_TEST_CUT, ID_TEST_SAVE, ID_TEST_SAVE}), BarLayout(bar)) << "old button kept";
}

TEST_F(ToolbarModelTest, MnemonicsSkipDoubledAmpersands)
{
    CModelToolBar bar;
    const struct
    {
        const wchar_t* text;
        wchar_t key; // 0: none
    } cases[] = {{L"R&&D &Tools", L'T'}, {L"&open", L'O'}, {L"Fish && Chips", 0}, {L"End&", 0}, {L"&&&x", L'X'}};
    for (const auto& c : cases)
    {
        bar.RemoveAllButtons();
        CKTToolbarButton* p = new CKTToolbarButton(ID_TEST_OPEN, -1, c.text);
        p->m_bText = TRUE;
        bar.InsertButton(p);
        CKTToolbarButton* pFound = nullptr;
        const std::wstring text(c.text);
        const std::string label(text.begin(), text.end());
        if (c.key == 0)
            EXPECT_EQ(0, static_cast<int>(bar.m_AcellKeys.GetCount())) << label;
        else
        {
            EXPECT_TRUE(bar.m_AcellKeys.Lookup(c.key, pFound)) << label;
            EXPECT_EQ(p, pFound);
        }
    }
    CKTToolbarButton* pHidden = new CKTToolbarButton(ID_TEST_CUT, 0, L"&Cut");
    pHidden->m_bText = FALSE;
    pHidden->m_bImage = TRUE;
    bar.RemoveAllButtons();
    bar.InsertButton(pHidden);
    EXPECT_EQ(0, static_cast<int>(bar.m_AcellKeys.GetCount())) << "a button that shows no text has no mnemonic";
}

TEST_F(ToolbarModelTest, LargeIconsDoubleTheSizesOfBarsThatFollowThem)
{
    CKTToolBar::SetSizes(CSize(23, 22), CSize(16, 15));
    CModelToolBar follows;
    CModelToolBar keeps;
    keeps.EnableLargeIcons(FALSE);
    CKTToolBar::SetLargeIcons(TRUE);
    EXPECT_EQ(CSize(46, 44), CKTToolBar::GetCurrentButtonSize());
    EXPECT_EQ(CSize(32, 30), CKTToolBar::GetCurrentImageSize());
    EXPECT_EQ(CSize(46, 44), follows.GetButtonSize());
    EXPECT_EQ(CSize(23, 22), keeps.GetButtonSize());
    CKTToolBar::SetLargeIcons(FALSE);
    EXPECT_EQ(CSize(23, 22), follows.GetButtonSize());
}

TEST_F(ToolbarModelTest, RarelyUsedCommandsNeedABasicList)
{
    EXPECT_FALSE(CKTToolBar::IsCommandRarelyUsed(ID_TEST_OPEN)) << "no basic list";
    CKTToolBar::AddBasicCommand(ID_TEST_OPEN);
    CKTToolBar::AddBasicCommand(ID_TEST_OPEN);
    EXPECT_FALSE(CKTToolBar::IsCommandRarelyUsed(ID_TEST_OPEN)) << "basic";
    EXPECT_TRUE(CKTToolBar::IsCommandRarelyUsed(ID_TEST_SAVE));
    EXPECT_FALSE(CKTToolBar::IsCommandRarelyUsed(0xE110));
    EXPECT_FALSE(CKTToolBar::IsCommandRarelyUsed(0xF000));
    EXPECT_FALSE(CKTToolBar::IsCommandRarelyUsed(0xFF00));
    CKTToolBar::SetBasicCommands(CList<UINT, UINT>());
}
