#pragma once
// The toolkit's one record of shared look data: system colours (a plain set and a "bar" set that
// the looks may repaint), the brushes and fonts made from them, the screen's colour depth, the
// text heights and the theme library's handle. Built at static initialisation, before the
// application runs; read and written by the user-interface thread only (nothing here is locked).
//
// A brush or font that GDI refuses stays empty (null handle); its users treat it as absent.

#include "framework/Afx.h"

// The font faces the toolkit asks for.
extern const wchar_t* const KT_FONT_TAHOMA;
extern const wchar_t* const KT_FONT_SANS_SERIF;
extern const wchar_t* const KT_FONT_ARIAL;
extern const wchar_t* const KT_FONT_MARLETT;

class CKTUIGlobals
{
public:
    CKTUIGlobals();
    ~CKTUIGlobals();
    CKTUIGlobals(const CKTUIGlobals&) = delete;
    CKTUIGlobals& operator=(const CKTUIGlobals&) = delete;

    // Re-reads every system colour, rebuilds the brushes and the halftone brush for the
    // current colour depth, and drops the menu glyphs so that they reload in the new colours.
    void UpdateSysColors();
    // Rebuilds the seven fonts from the system's menu and status fonts, and the text heights.
    void UpdateFonts();

    // Paints into pDC the part of pWnd's parent that lies under pWnd: the theme library's parent
    // background when it draws, else the parent's WM_ERASEBKGND with the origin moved. pRect
    // (pWnd's client coordinates) limits the painting; the clip is removed again afterwards.
    BOOL DrawParentBackground(CWnd* pWnd, CDC* pDC, const RECT* pRect = nullptr);

    // Stops the menu-sound thread, frees the halftone brush, the first six fonts and the theme
    // library.
    void CleanUp();

    // A new 8 x 8 checker of the face and highlight colours (the halftone of palette screens).
    // The caller owns the bitmap; null when GDI refuses it.
    HBITMAP CreateDitherBitmap(HDC hDC) const;

    // The theme library, loaded on first need; null when it is missing.
    HMODULE GetThemeModule();

    // The module name that GetThemeModule loads. Tests point it at a missing module to reach
    // the paths of a system without visual styles; a loaded library is freed.
    void SetThemeLibraryName(LPCTSTR lpszName);

    // The face of the text font for a menu font of this character set and face: "Tahoma" when
    // the screen has it, else "MS Sans Serif", for the Western and symbol character sets;
    // the menu font's own face for every other character set.
    static CString ChooseTextFace(BYTE menuCharSet, LPCTSTR lpszMenuFace, HDC hScreenDC);

    HBRUSH m_sysBrushHighlight = nullptr;
    HBRUSH m_sysBrushShadow = nullptr;
    HBRUSH m_sysBrushWindow = nullptr;

    COLORREF m_colorFace = 0;
    COLORREF m_colorShadow = 0;
    COLORREF m_colorHighlight = 0;
    COLORREF m_colorText = 0;
    COLORREF m_colorFrame = 0;
    COLORREF m_colorDarkShadow = 0;
    COLORREF m_colorLight = 0;
    COLORREF m_colorGrayText = 0;
    COLORREF m_colorSelection = 0;
    COLORREF m_colorSelectionText = 0;
    COLORREF m_colorHotText = 0;
    COLORREF m_colorWindow = 0;
    COLORREF m_colorBarFace = 0;
    COLORREF m_colorBarShadow = 0;
    COLORREF m_colorBarHighlight = 0;
    COLORREF m_colorBarDarkShadow = 0;
    COLORREF m_colorBarLight = 0;
    COLORREF m_colorBarText = 0;
    COLORREF m_colorBarWindow = 0;
    COLORREF m_colorWindowText = 0;
    COLORREF m_colorCaptionText = 0;
    COLORREF m_colorMenuText = 0;
    COLORREF m_colorActiveCaption = 0;
    COLORREF m_colorInactiveCaption = 0;
    COLORREF m_colorInactiveCaptionText = 0;
    COLORREF m_colorActiveBorder = 0;
    COLORREF m_colorInactiveBorder = 0;

    CBrush m_brushFace;
    CBrush m_brushSelection;
    CBrush m_brushHalftone;
    CBrush m_brushDarkShadow;
    CBrush m_brushActiveCaption;
    CBrush m_brushInactiveCaption;
    CBrush m_brushWindow;
    CBrush m_brushBarFace;

    // Loaded on first use by the parts that need them, kept for the process.
    HCURSOR m_hcurStretch = nullptr;
    HCURSOR m_hcurStretchVert = nullptr;
    HCURSOR m_hcurHand = nullptr;
    HCURSOR m_hcurMove = nullptr;

    CFont m_fontText;
    CFont m_fontStatusStyle;
    CFont m_fontBold;
    CFont m_fontUnderline;
    CFont m_fontRotated270;
    CFont m_fontRotated90;
    CFont m_fontSymbols;

    BOOL m_isOldNT = FALSE;
    BOOL m_isWin9x = FALSE;
    int m_bitsPerPixel = 0;
    int m_tipMaxWidth = -1;
    int m_textHeight = 0;
    int m_textHeightRotated = 0;
    HMODULE m_themeModule = nullptr;

private:
    void RebuildBrushes();

    CString m_strThemeLibrary;
};

extern CKTUIGlobals ktGlobals;

// The toolkit's clean-up at exit, before the framework's own.
void CleanUpUILibrary();
