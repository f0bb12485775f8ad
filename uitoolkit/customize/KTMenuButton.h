#pragma once
// A push button with an arrow that drops down a menu below it (or beside it, with the right
// arrow). A chosen command is kept as the menu result and reported to the parent as the
// button's click; a menu closed without a choice reports nothing. The menu is borrowed.

#include "uitoolkit/customize/KTButton.h"

class CKTMenuButton : public CKTButton
{
    DECLARE_DYNCREATE(CKTMenuButton)
public:
    CKTMenuButton();

    // The command chosen in the last menu; 0 when it was closed without a choice.
    int GetMenuResult() const { return m_nMenuResult; }
    BOOL IsMenuActive() const { return m_bMenuIsActive; }

    // The base size widened by the arrow glyph.
    CSize SizeToContent(BOOL bCalcOnly = FALSE) override;

    BOOL m_bRightArrow = FALSE;
    HMENU m_hMenu = nullptr;
    BOOL m_bStayPressed = FALSE;
    // The system's menu tracking rather than the toolkit's popup menus.
    BOOL m_bOSMenu = TRUE;
    BOOL m_bRightAlignMenu = FALSE;

protected:
    virtual void OnShowMenu();
    void OnDraw(CDC* pDC, const CRect& rect, UINT uiState) override;

    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnLButtonDown(UINT nFlags, CPoint point);
    UINT OnGetDlgCode();
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()

    // TRUE while the menu holds the button down: its own button-up and focus loss are the menu's.
    BOOL IsHeldByMenu() const { return m_bStayPressed && m_bMenuIsActive && m_bPushed; }

    int m_nMenuResult = 0;
    BOOL m_bMenuIsActive = FALSE;

private:
    static int GlyphWidth();
};
