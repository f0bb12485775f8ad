// A framework frame with plain bars of fixed sizes, docked and floated as a program does.
#pragma once

#include "framework/Afx.h"
#include "framework/AfxDockBar.h"
#include "framework/AfxDockContext.h"
#include "framework/AfxDockState.h"
#include "framework/AfxMiniDockFrameWnd.h"

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

// A bar of one fixed size along its row (m_nLength) and across it (m_nThickness), filled with its
// colour so that pictures show where it is.
class CPlainBar : public CControlBar
{
public:
    CPlainBar(int nLength, int nThickness, COLORREF colour)
        : m_nLength(nLength), m_nThickness(nThickness), m_colour(colour)
    {
    }

    BOOL Create(CFrameWnd* pFrame, UINT nID, const wchar_t* pszName);
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void DoPaint(CDC* pDC) override;

    int m_nLength;
    int m_nThickness;
    COLORREF m_colour;
};

// The frame under test: a pane that takes what the bars leave, docking on every side, and one
// plain bar per letter (A = id 0xE811 and so on).
class DockingTest : public ::testing::Test
{
public:
    void SetUp() override;
    void TearDown() override;

    // Bars named "A".."F" of the given sizes, docking allowed on every side.
    CPlainBar* AddBar(char cName, int nLength = 120, int nThickness = 26);
    CPlainBar* Bar(char cName) const;
    CDockBar* Side(UINT nID) const;
    // The dock bar's rows as text: bars by letter, placeholders in lower case, "|" ending a row.
    std::string Rows(UINT nDockBarID) const;
    std::string Rows(const CDockBar* pDockBar) const;
    // The bar's window in the client coordinates of its dock bar.
    CRect PlaceInDockBar(const CControlBar* pBar) const;
    CRect PaneRect() const;
    // The floating frames the bars are in now.
    std::vector<CMiniDockFrameWnd*> FloatingFrames() const;
    // Saves the frame and floating windows as a picture in the build folder.
    void SavePicture(const wchar_t* pszName) const;

    CFrameWnd* m_pFrame = nullptr;
    CWnd m_wndPane;
    std::vector<std::unique_ptr<CPlainBar>> m_bars;
};
