#pragma once
// A push button on a dialog that shows a colour and drops down a colour popup to choose another:
// with the mouse, Space or Down. A colour chosen in the popup is shown at once and reported to
// the parent as WM_COMMAND with the control id.
//
// The button owns its palette and its colours; its popup is owned by the popup's window.

#include "uitoolkit/customize/KTButton.h"
#include "uitoolkit/customize/KTColorBar.h"

class CColorPopup;

class CKTColorButton : public CKTButton, public CKTColorBarOwner
{
    DECLARE_DYNAMIC(CKTColorButton)
public:
    CKTColorButton();
    ~CKTColorButton() override;

    COLORREF GetColor() const { return m_Color; }
    // Stores the colour and repaints; no notification.
    void SetColor(COLORREF color);
    // The popup's colours from the palette (the system palette's 256 entries without one).
    void SetPalette(CPalette* pPalette);
    CPalette* GetPalette() { return &m_Palette; }
    const CArray<COLORREF, COLORREF>& GetColors() const { return m_Colors; }
    void SetColumnsNumber(int nColumns) { m_nColumns = nColumns; }
    void EnableAutomaticButton(LPCTSTR lpszLabel, COLORREF colorAutomatic, BOOL bEnable = TRUE);
    void EnableOtherButton(LPCTSTR lpszLabel, BOOL bAltColorDlg = TRUE, BOOL bEnable = TRUE);

    // Drops the popup below the button; FALSE when one is open already.
    BOOL OpenPopup();
    CColorPopup* GetPopup() const { return m_pPopup; }

    void OnColorBarChoose(COLORREF color) override;
    void OnColorBarClosed() override;
    CWnd* GetColorBarFocusWnd() const override { return const_cast<CKTColorButton*>(this); }
    CPalette* GetColorBarPalette() const override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void OnDraw(CDC* pDC, const CRect& rect, UINT uiState) override;
    void OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState) override;
    void RebuildPalette(CPalette* pPalette);

    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    UINT OnGetDlgCode();
    void OnSysColorChange();
    void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()

    COLORREF m_Color = (COLORREF)-1;
    COLORREF m_ColorAutomatic = 0;
    CArray<COLORREF, COLORREF> m_Colors;
    CPalette m_Palette;
    BOOL m_bOwnPalette = FALSE;
    int m_nColumns = 0;
    CString m_strAutoColorText;
    CString m_strOtherText;
    BOOL m_bAltColorDlg = TRUE;
    CColorPopup* m_pPopup = nullptr;
};
