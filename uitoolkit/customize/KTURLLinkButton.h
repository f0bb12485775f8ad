#pragma once
// A hyperlink drawn as underlined text: a click (or Enter released) opens its URL through the
// shell, or its caption when no URL is set. It shows the hand cursor and turns blue under the
// pointer.

#include "uitoolkit/customize/KTButton.h"

class CKTURLLinkButton : public CKTButton
{
    DECLARE_DYNCREATE(CKTURLLinkButton)
public:
    // Opens a target with the shell; answers FALSE when the shell could not. Replaceable so that
    // a caller (a test) sees the target without starting a program.
    using ShellOpenFunc = BOOL (*)(LPCTSTR lpszTarget, int nShowCmd);

    CKTURLLinkButton();

    // A null text empties it.
    void SetURL(LPCTSTR lpszURL);
    const CString& GetURL() const { return m_strURL; }

    // Fits the window to the underlined caption (the base size when the button has an image);
    // the flags keep it centred on those axes within the place it had.
    virtual CSize SizeToContent(BOOL bVCenter = FALSE, BOOL bHCenter = FALSE);

    // The previous opener is returned; null restores the shell's.
    static ShellOpenFunc SetShellOpenFunc(ShellOpenFunc pfnOpen);

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void OnDraw(CDC* pDC, const CRect& rect, UINT uiState) override;
    void OnDrawFocusRect(CDC* pDC, const CRect& rectClient) override;

    BOOL OnClicked();
    void OpenLink();
    DECLARE_MESSAGE_MAP()

    CString m_strURL;
    CString m_strURLPrefix;

private:
    static BOOL ShellOpen(LPCTSTR lpszTarget, int nShowCmd);
    static ShellOpenFunc s_pfnShellOpen;
};
