#pragma once
// A large shortcut button of the shortcut bar: its image above its text, centred, on the bar's
// dark background. It belongs to one page of the bar and can be dropped only on a shortcut bar.

#include "uitoolkit/bars/KTToolbarButton.h"

class CKTOutlookButton : public CKTToolbarButton
{
    DECLARE_SERIAL(CKTOutlookButton)
public:
    CKTOutlookButton();
    CKTOutlookButton(UINT uiID, int iImage, LPCTSTR lpszText, UINT uiPageID = 0);

    // The base button's data, then the page id when the saved state is from version 4.71 on
    // (an older state leaves it 0).
    void Serialize(CArchive& ar) override;
    void CopyFrom(const CKTToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CKTImageStrip* pImages, BOOL bHorz = TRUE, BOOL bCustomizeMode = FALSE,
                BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE, BOOL bGrayDisabledButtons = TRUE) override;
    SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    BOOL CanBeDropped(CKTToolBar* pToolbar) override;

    // The page of the bar that shows the button.
    UINT m_uiPageID = 0;
    // Measured by OnCalculateSize: the image's and the text's extent.
    int m_nImageHeight = 0;
    int m_nTextHeight = 0;
};
