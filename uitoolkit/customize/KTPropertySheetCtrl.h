#pragma once
// A property sheet that lives as a child control of a dialog: its tab control fills the sheet and
// every page fills the tab's display area. It deletes itself on destruction only when asked to.
#include "framework/Afx.h"

class CPropertySheetCtrl : public CPropertySheet
{
    DECLARE_DYNAMIC(CPropertySheetCtrl)
public:
    CPropertySheetCtrl() = default;

    BOOL m_bAutoDelete = FALSE;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Stretches the tab control over the client area and the created pages over the tab's room.
    void LayoutPages();

protected:
    BOOL OnInitDialog() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void PostNcDestroy() override;
    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
