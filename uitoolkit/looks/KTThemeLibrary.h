#pragma once
// The system's visual styles, reached through the theme library loaded at run time: its entry
// points, one theme handle per theme class, and the themed push button and progress bar. Every
// handle stays empty where the library, an entry point or a theme class is missing, and callers
// then paint without themes.
//
// Each object loads the library itself and frees it, with its handles, when it ends.

#include "framework/Afx.h"

#include <uxtheme.h>

class CKTButton;

class CKTThemeLibrary
{
public:
    CKTThemeLibrary();
    virtual ~CKTThemeLibrary();
    CKTThemeLibrary(const CKTThemeLibrary&) = delete;
    CKTThemeLibrary& operator=(const CKTThemeLibrary&) = delete;

    // The owner-drawn button in its theme (pushed, hot, disabled); FALSE when the button theme is
    // not open, and the caller draws it itself.
    virtual BOOL DrawPushButton(CDC* pDC, CRect rect, CKTButton* pButton, UINT uiState);
    // The themed progress bar with its chunk and, with bShowText, the percentage; FALSE when the
    // progress theme is not open.
    virtual BOOL DrawProgress(CDC* pDC, CRect rect, int nTotal, int nCurrent, BOOL bShowText);

    // The push button of a window: state 4 when the window is disabled, 3 when pushed and
    // highlighted or the window says it is pressed, 2 when highlighted, else 1.
    BOOL DrawPushButtonWindow(CDC* pDC, CRect rect, CWnd* pWnd, BOOL bPushed, BOOL bHighlighted);
    // The push button part's state for a window with these flags.
    static int GetPushButtonState(HWND hWnd, BOOL bPushed, BOOL bHighlighted);

    void OpenThemes();
    void CloseThemes();
    COLORREF GetThemeSysColorOrDefault(HTHEME hTheme, int nColorIndex) const;
    // A colour property of a theme part; FALSE when the theme or the property is missing.
    BOOL GetThemeColorValue(HTHEME hTheme, int nPart, int nState, int nProperty, COLORREF& color) const;
    // The file of the visual style in use, without folder and extension; empty when none.
    CString GetCurrentThemeFileTitle() const;
    // TRUE when the window has a theme of its own.
    BOOL HasWindowTheme(HWND hWnd) const;
    // DrawThemeBackground; FALSE when the handle is empty.
    BOOL DrawThemed(HTHEME hTheme, CDC* pDC, int nPart, int nState, const CRect& rect) const;

    BOOL IsLibraryLoaded() const { return m_hThemeDll != nullptr; }

    // The module that the next theme library loads. Tests name a missing one to reach a system
    // without visual styles.
    static void SetModuleName(LPCTSTR lpszName) { s_strModuleName = lpszName; }
    static CString GetModuleName() { return s_strModuleName; }

    HTHEME m_hThemeToolBar = nullptr;
    HTHEME m_hThemeRebar = nullptr;
    HTHEME m_hThemeButton = nullptr;
    HTHEME m_hThemeStatusBar = nullptr;
    HTHEME m_hThemeWindow = nullptr;
    HTHEME m_hThemeComboBox = nullptr;
    HTHEME m_hThemeProgress = nullptr;
    HTHEME m_hThemeHeader = nullptr;
    HTHEME m_hThemeScrollBar = nullptr;
    HTHEME m_hThemeExplorerBar = nullptr;
    HTHEME m_hThemeTree = nullptr;
    HTHEME m_hThemeStartPanel = nullptr;
    HTHEME m_hThemeTaskBand = nullptr;
    HTHEME m_hThemeTaskBar = nullptr;

protected:
    using OpenThemeDataFn = HTHEME(WINAPI*)(HWND, LPCWSTR);
    using CloseThemeDataFn = HRESULT(WINAPI*)(HTHEME);
    using DrawThemeBackgroundFn = HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, const RECT*);
    using GetThemeColorFn = HRESULT(WINAPI*)(HTHEME, int, int, int, COLORREF*);
    using GetThemeSysColorFn = COLORREF(WINAPI*)(HTHEME, int);
    using GetCurrentThemeNameFn = HRESULT(WINAPI*)(LPWSTR, int, LPWSTR, int, LPWSTR, int);
    using GetWindowThemeFn = HTHEME(WINAPI*)(HWND);

    HMODULE m_hThemeDll = nullptr;
    OpenThemeDataFn m_pfOpenThemeData = nullptr;
    CloseThemeDataFn m_pfCloseThemeData = nullptr;
    DrawThemeBackgroundFn m_pfDrawThemeBackground = nullptr;
    GetThemeColorFn m_pfGetThemeColor = nullptr;
    GetThemeSysColorFn m_pfGetThemeSysColor = nullptr;
    GetCurrentThemeNameFn m_pfGetCurrentThemeName = nullptr;
    GetWindowThemeFn m_pfGetWindowTheme = nullptr;

private:
    static CString s_strModuleName;
};
