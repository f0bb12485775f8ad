#pragma once
// What the colour-control tests share: playing user input while this thread runs its messages,
// screen points of windows, and a top-level window that hosts the controls.
#include "framework/Afx.h"
#include "tests/framework/input/UserInput.h"
#include "tests/framework/windows/WindowsTestSupport.h"

#include <vector>

// Plays the queued input on its own thread while this thread dispatches messages.
void Play(UserInput& input);
// The screen point of a client point of the window.
POINT ScreenPoint(CWnd* pWnd, CPoint ptClient);
// Counts the pixels of a screen rectangle that have the colour.
int CountScreenPixels(const RECT& rect, COLORREF color);
// Makes the folder for the screenshots and saves the window's screen area under the name.
bool SaveWindowShot(CWnd* pWnd, const wchar_t* pszName);

// A plain visible top-level window that records the WM_COMMAND notifications of its children.
class CHostWnd : public CWnd
{
public:
    struct Notice
    {
        UINT nID;
        UINT nCode;
    };
    std::vector<Notice> m_notices;

    BOOL Make(const CRect& rect);
    int Count(UINT nID, UINT nCode) const;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};

// Colour channels within a tolerance.
bool NearColor(COLORREF a, COLORREF b, int nTolerance);
