// The program's main window with a document in each look of the toolkit, for the eye; the runs
// without visual styles and on a screen of 256 colours add their own pictures.
#include "tests/app/MainFrameFixture.h"
#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTVisualManager.h"
#include "uitoolkit/looks/KTVisualManager2003.h"
#include "uitoolkit/looks/KTVisualManagerXP.h"
#include "uitoolkit/looks/KTWinXPVisualManager.h"

#include <string>
#include <vector>

namespace
{

std::wstring RunTag()
{
    if (ktGlobals.m_bitsPerPixel <= 8)
        return L"8bit-";
    char mode[16] = {};
    return GetEnvironmentVariableA("KEST_LOOKS_THEMES", mode, sizeof(mode)) > 0 && std::string(mode) == "off"
               ? L"themes-off-"
               : L"";
}

TEST_F(MainFrameTest, EachLookPaintsTheProgramsWindow)
{
    // Small enough for the screen of the 256-colour run.
    m_main->SetWindowPos(&CWnd::wndTop, 0, 0, 780, 560, 0);
    ASSERT_NE(OpenCopy(L"kest-looks.kest"), nullptr);
    const struct
    {
        CRuntimeClass* look;
        const wchar_t* name;
    } looks[] = {{RUNTIME_CLASS(CKTVisualManager), L"base"},
                 {RUNTIME_CLASS(CKTVisualManagerXP), L"xp"},
                 {RUNTIME_CLASS(CKTVisualManager2003), L"2003"},
                 {RUNTIME_CLASS(CKTWinXPVisualManager), L"themed"}};
    CRect bar;
    m_main->GetStandardBar().GetWindowRect(&bar);
    std::vector<std::vector<COLORREF>> barPixels;
    CreateDirectoryW(L"screenshots", nullptr);
    for (const auto& l : looks)
    {
        SCOPED_TRACE(l.look->m_lpszClassName);
        ASSERT_TRUE(CKTVisualManager::SetDefaultManager(l.look));
        EXPECT_TRUE(CKTVisualManager::GetInstance()->IsKindOf(l.look));
        RedrawWindow(m_main->m_hWnd, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpFor(200);
        std::vector<COLORREF> pixels;
        for (int x = bar.left; x < bar.right; x += 2)
            pixels.push_back(ScreenPixel({x, bar.CenterPoint().y}));
        barPixels.push_back(pixels);
        CRect window;
        m_main->GetWindowRect(&window);
        const std::wstring file = L"screenshots/program-look-" + RunTag() + l.name + L".bmp";
        EXPECT_TRUE(SaveScreenArea(file.c_str(), window));
    }
    CKTVisualManager::SetDefaultManager(RUNTIME_CLASS(CKTVisualManagerXP));
    // The base look fills the bars with the plain face; the XP look with its own lighter colour.
    if (ktGlobals.m_bitsPerPixel > 8)
    {
        EXPECT_NE(barPixels[0], barPixels[1]);
    }
}

} // namespace
