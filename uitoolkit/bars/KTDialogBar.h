#pragma once
// A sizing bar whose content is a dialog template with its controls: it docks, floats and shows
// its caption and edges like every sizing bar. Not sizable, it keeps the template's size as a
// plain dialog bar does; sizable, the sizing bar's rows and edges decide.
#include "uitoolkit/bars/KTSizingControlBar.h"

class CKTDialogBar : public CKTSizingControlBar
{
    DECLARE_SERIAL(CKTDialogBar)
public:
    CKTDialogBar();
    ~CKTDialogBar() override;

    // The bar window is the dialog of the template (a child of pParentWnd); FALSE when the
    // template cannot be found or the dialog cannot be made.
    virtual BOOL Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, BOOL bHasGripper, LPCTSTR lpszTemplateName,
                        UINT nStyle, UINT nID);
    BOOL Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, BOOL bHasGripper, UINT nIDTemplate, UINT nStyle, UINT nID)
    {
        return Create(lpszWindowName, pParentWnd, bHasGripper, MAKEINTRESOURCE(nIDTemplate), nStyle, nID);
    }

    void SetSizable(BOOL bSizable) { m_bAllowSizing = bSizable; }
    BOOL IsSizable() const { return m_bAllowSizing; }
    CSize GetTemplateSize() const { return m_sizeDefault; }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    BOOL IsNcPaintClipped() const override { return FALSE; }
    // The framework's OLE-control information for the dialog being made; kept for its controls.
    virtual BOOL SetOccDialogInfo(void* pOccDialogInfo);

protected:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    BOOL OnEraseBkgnd(CDC* pDC);
    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CSize m_sizeDefault{0, 0};
    BOOL m_bAllowSizing = FALSE;
    void* m_pOccDialogInfo = nullptr;
    LPCTSTR m_lpszTemplateName = nullptr; // a resource number, or m_strTemplateName
    CString m_strTemplateName;
};
