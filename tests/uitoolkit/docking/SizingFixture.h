// A frame with the toolkit's dock bars and sizing bars docked, floated and dragged as a user does.
#pragma once

#include "framework/Afx.h"
#include "tests/framework/input/UserInput.h"
#include "tests/framework/windows/WindowsTestSupport.h"
#include "uitoolkit/bars/KTFrameDocking.h"
#include "uitoolkit/bars/KTMiniDockFrameWnd.h"
#include "uitoolkit/bars/KTSizingControlBar.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

inline void PrintTo(const CRect& rect, std::ostream* os)
{
    *os << "(" << rect.left << "," << rect.top << ")-(" << rect.right << "," << rect.bottom << ")";
}

inline void PrintTo(const CSize& size, std::ostream* os)
{
    *os << size.cx << "x" << size.cy;
}

// A frame that records the bars' right-click messages.
class CRecordingFrame : public CFrameWnd
{
public:
    struct PopupRequest
    {
        HWND hWndBar;
        CPoint ptScreen;
    };
    std::vector<PopupRequest> m_popupRequests;
    // The commands sent to the frame.
    std::vector<UINT> m_commands;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A sizing bar that records its edge-drag calls and may refuse to be closed.
class CTestSizingBar : public CKTSizingControlBar
{
public:
    BOOL CanBeClosed() const override { return m_bCanBeClosed; }
    void StartTracking(UINT nHitTest) override;
    void StopTracking() override;
    void OnTrackInvertTracker() override;

    BOOL m_bCanBeClosed = TRUE;
    std::vector<std::string> m_calls;
};

class SizingTest : public ::testing::Test
{
public:
    void SetUp() override;
    void TearDown() override;

    // Bars "A".."F" (ids 0xE811 on), with a caption, docking allowed on every side.
    CTestSizingBar* AddBar(char cName, CSize size = CSize(150, 150));
    CTestSizingBar* Bar(char cName) const;
    CDockBar* Side(UINT nID) const;
    // The dock bar's rows: bars by letter, placeholders in lower case, "|" ending a row.
    std::string Rows(UINT nDockBarID) const;
    // The bar's window in its dock bar's client coordinates.
    CRect Place(const CControlBar* pBar) const;
    CKTMiniDockFrameWnd* FloatingFrameOf(const CControlBar* pBar) const;
    // Docks the bars named in order into one row of the side (the first opens it).
    void DockRow(UINT nDockBarID, const char* names);
    void Layout();
    void Play(UserInput& input);
    // A screen point of the window that answers the hit code (searched over the window).
    bool FindHitPoint(HWND hWnd, LRESULT nHit, POINT* pPoint) const;
    void SavePicture(const wchar_t* pszName) const;

    CRecordingFrame* m_pFrame = nullptr;
    CWnd m_wndPane;
    std::vector<std::unique_ptr<CTestSizingBar>> m_bars;
};
