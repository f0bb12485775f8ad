// CMiniFrameWnd: a frame with a small caption, for floating palettes and bars.
#pragma once

#include "framework/AfxFrame.h"

// A frame with a small caption (floating palettes and bars).
#define MFS_SYNCACTIVE  0x00000100L
#define MFS_4THICKFRAME 0x00000200L
#define MFS_THICKFRAME  0x00000400L
#define MFS_MOVEFRAME   0x00000800L
#define MFS_BLOCKSYSMENU 0x00001000L

class CMiniFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMiniFrameWnd)
public:
    CMiniFrameWnd() = default;
    BOOL Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd = nullptr, UINT nID = 0);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd = nullptr, UINT nID = 0);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // Grows a client rectangle to the window rectangle of a mini frame with the given styles
    // (MFS_ bits included), as drag outlines and resizes measure it.
    static void PASCAL CalcBorders(LPRECT lpClientRect, DWORD dwStyle = WS_THICKFRAME | WS_CAPTION,
                                   DWORD dwExStyle = 0);

protected:
    BOOL OnNcActivate(BOOL bActive);
    LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
