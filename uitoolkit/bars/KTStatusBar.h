#pragma once
// The toolkit's status bar and caption bar as the looks see them.
#include "framework/Afx.h"

class CKTStatusBar : public CControlBar
{
    DECLARE_DYNAMIC(CKTStatusBar)
};

class CKTCaptionBar : public CControlBar
{
    DECLARE_DYNAMIC(CKTCaptionBar)
public:
    // The bar's own background, -1: the looks choose.
    COLORREF m_clrBarBackground = (COLORREF)-1;
};
