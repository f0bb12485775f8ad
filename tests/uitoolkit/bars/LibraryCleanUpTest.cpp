// The toolkit's clean-up at exit: the toolbars' shared images, image map and usage counter, the
// command images and the menu-sound thread all let go, and the look is destroyed.
#include "tests/uitoolkit/bars/ToolbarTestIds.h"
#include "uitoolkit/bars/KTMenuSound.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/customize/KTCmdUsageCount.h"
#include "uitoolkit/customize/KTCommandManager.h"
#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTVisualManager.h"

#include <gtest/gtest.h>

namespace
{
BOOL WINAPI SilentSound(LPCWSTR, HMODULE, DWORD)
{
    return TRUE;
}
} // namespace

TEST(LibraryCleanUpTest, TheToolkitLetsGoOfItsSharedStateAtExit)
{
    {
        CKTToolBar bar;
        ASSERT_TRUE(bar.LoadToolBar(IDR_TEST_TOOLBAR));
    }
    ASSERT_GT(CKTToolBar::GetImages()->GetCount(), 0);
    ASSERT_FALSE(CKTToolBar::GetDefaultImages().IsEmpty());
    // Bars clicked by the suite's earlier tests have counted commands already.
    const auto nCountedBefore = CKTToolBar::GetUsageCount().GetTotal();
    CKTToolBar::GetUsageCount().AddCmd(ID_TEST_OPEN);
    ASSERT_EQ(nCountedBefore + 1, CKTToolBar::GetUsageCount().GetTotal());
    CKTCommandManager::GetInstance()->SetCmdImage(ID_TEST_SAVE, 3, FALSE);
    CKTMenuSound& sound = CKTMenuSound::Get();
    sound.m_pfnPlay = &SilentSound;
    sound.Play(CKTMenuSound::SOUND_POPUP);
    ASSERT_TRUE(sound.HasThread());
    CKTVisualManager::GetInstance();

    CleanUpUILibrary();

    EXPECT_EQ(0, CKTToolBar::GetImages()->GetCount());
    EXPECT_TRUE(CKTToolBar::GetDefaultImages().IsEmpty());
    EXPECT_EQ(-1, CKTCommandManager::GetInstance()->GetCmdImage(ID_TEST_SAVE, FALSE));
    EXPECT_FALSE(sound.HasThread()) << "the sound thread ended at the clean-up, not at the static destructor";
    EXPECT_EQ(CKTMenuSound::SOUND_END, sound.GetRequest());
    sound.Play(CKTMenuSound::SOUND_COMMAND);
    EXPECT_FALSE(sound.HasThread()) << "and stays ended";
    EXPECT_EQ(nullptr, CKTVisualManager::GetCurrent());
    EXPECT_EQ(0u, CKTToolBar::GetUsageCount().GetTotal()) << "the old counter went with the images";

    // The test program goes on: its fonts come back.
    ktGlobals.UpdateFonts();
}
