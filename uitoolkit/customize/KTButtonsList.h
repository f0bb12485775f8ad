#pragma once
// The grid of button images in the Button Appearance dialog: an owner-drawn button control that
// lays out toolbar buttons in rows, draws them from one image strip, scrolls by whole rows with
// its own scroll bar, and lets the user pick one with the mouse or the arrow keys. A change of
// the selection reaches the parent as WM_COMMAND with the control's id and code 0.
//
// User-interface thread only. The buttons and the strip are borrowed: the dialog that fills the
// list owns its buttons; the list owns its scroll bar.

#include "framework/Afx.h"

class CKTToolbarButton;
class CKTImageStrip;

class CKTButtonsList : public CButton
{
    DECLARE_DYNAMIC(CKTButtonsList)
public:
    CKTButtonsList();
    ~CKTButtonsList() override;
    CKTButtonsList(const CKTButtonsList&) = delete;
    CKTButtonsList& operator=(const CKTButtonsList&) = delete;

    // Removes every button and starts again at the top with the strip (null: none).
    void SetImages(CKTImageStrip* pImages);
    CKTImageStrip* GetImages() const { return m_pImages; }
    void AddButton(CKTToolbarButton* pButton);
    void RemoveButtons();
    int GetCount() const { return static_cast<int>(m_Buttons.GetCount()); }
    CKTToolbarButton* GetButton(int iIndex) const;

    void SelectButton(CKTToolbarButton* pButton);
    void SelectButton(int iIndex);
    // Selects the first button whose image is the index (-1 clears the selection); FALSE when
    // no button has it.
    BOOL SelectImage(int iImage);
    CKTToolbarButton* GetSelectedButton() const { return m_pSelButton; }
    // The button under a client point, taking the scroll position into account; null when none.
    CKTToolbarButton* HitTest(CPoint point) const;

    int GetScrollOffset() const { return m_iScrollOffset; }
    int GetScrollTotal() const { return m_iScrollTotal; }
    int GetRowHeight() const { return m_sizeButton.cy + kRowGap; }
    CScrollBar& GetScrollBar() { return m_wndScrollBar; }
    // The buttons placed again; the list does it itself before its first paint and on resizing.
    void RebuildLocations();

    static const int kRowGap = 5;

protected:
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    void PreSubclassWindow() override;
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    UINT OnGetDlgCode();
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    void OnSize(UINT nType, int cx, int cy);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnEnable(BOOL bEnable);
    void OnSysColorChange();
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

    void ScrollTo(int iOffset);
    void EnsureVisible(CKTToolbarButton* pButton);
    void InvalidateButton(CKTToolbarButton* pButton);
    // The area the buttons use: the client area less the scroll bar.
    CRect GetButtonsArea() const;
    int IndexOf(const CKTToolbarButton* pButton) const;

    CObList m_Buttons;
    CKTImageStrip* m_pImages = nullptr;
    CSize m_sizeButton = CSize(0, 0);
    BOOL m_bInited = FALSE;
    BOOL m_bHasFocus = FALSE;
    CKTToolbarButton* m_pSelButton = nullptr;
    int m_iScrollOffset = 0;
    int m_iScrollTotal = 0;
    int m_iScrollPage = 0;
    CScrollBar m_wndScrollBar;
};
