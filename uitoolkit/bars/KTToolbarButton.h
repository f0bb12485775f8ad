#pragma once
// A button of a toolbar as the looks see it: its command, style bits (TBBS_*), rectangle and
// labels. The toolbar work fills in the rest of its behaviour.
#include "framework/Afx.h"

class CKTToolbarButton : public CObject
{
    DECLARE_DYNAMIC(CKTToolbarButton)
public:
    CKTToolbarButton() = default;
    CKTToolbarButton(UINT uiID, int iImage, LPCTSTR lpszText = nullptr)
        : m_nID(uiID), m_iImage(iImage), m_strText(lpszText != nullptr ? lpszText : L"")
    {
    }

    // FALSE for buttons that the customize mode may not change.
    virtual BOOL IsEditable() const { return TRUE; }

    UINT m_nID = 0;
    UINT m_nStyle = 0;
    int m_iImage = -1;
    CString m_strText;
    CRect m_rect;
    BOOL m_bText = FALSE;
    BOOL m_bImage = TRUE;
    BOOL m_bUserButton = FALSE;
    // The bar that holds the button (a toolbar, menu bar or popup menu bar); borrowed.
    CWnd* m_pWndParent = nullptr;
};
