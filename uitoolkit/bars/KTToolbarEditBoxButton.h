#pragma once
#include "uitoolkit/bars/KTToolbarButton.h"

class CKTToolbarEditBoxButton;

// The hosted edit: points back to its button so focus and mouse make the button hot.
class CKTToolbarEditCtrl : public CEdit
{
public:
    explicit CKTToolbarEditCtrl(CKTToolbarEditBoxButton& button) : m_button(button) {}

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CKTToolbarEditBoxButton& m_button;
    BOOL m_bTracked = FALSE;
};

class CKTToolbarEditBoxButton : public CKTToolbarButton
{
    DECLARE_SERIAL(CKTToolbarEditBoxButton)
public:
    CKTToolbarEditBoxButton();
    CKTToolbarEditBoxButton(UINT uiID, int iImage, DWORD dwStyle = ES_AUTOHSCROLL, int iWidth = 0);
    ~CKTToolbarEditBoxButton() override;

    void Serialize(CArchive& ar) override;
    void CopyFrom(const CKTToolbarButton& src) override;
    SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    void OnMove() override;
    void OnSize(int iSize) override;
    HWND GetHwnd() override;
    BOOL CanBeStretched() const override { return TRUE; }
    BOOL NotifyCommand(int iNotifyCode) override;
    void OnGlobalSync() override;
    HBRUSH OnCtlColor(CDC* pDC, UINT nCtlColor) override;
    BOOL DrawsBorder() const override;
    // Without a visible box the ordinary button; with one, the box's border through the look
    // (greyed when disabled, or in customize mode when not editable) and the label under it.
    void OnDraw(CDC* pDC, const CRect& rect, CKTImageStrip* pImages, BOOL bHorz = TRUE, BOOL bCustomizeMode = FALSE,
                BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE, BOOL bGrayDisabledButtons = TRUE) override;
    // The list item with a pictured edit field at its right end; answers the whole width.
    int DrawAsListItem(CDC* pDC, const CRect& rect, BOOL bSelected) override;
    void OnShow(BOOL bShow) override;
    // With a label under the box: as wide as the label where that is wider, and down to its end.
    CRect GetInvalidateRect() const override;
    void SetStyle(UINT nStyle) override;

    virtual CEdit* CreateEdit(CWnd* pWndParent, const CRect& rect);
    virtual void SetContents(const CString& strText);
    // The box's window rectangle in its bar's client coordinates, one pixel larger each way.
    virtual void GetEditBorder(CRect& rectBorder);

    CEdit* GetEditBox() const { return m_pWndEdit; }
    const CString& GetContents() const { return m_strContents; }
    int GetWidth() const { return m_iWidth; }
    DWORD GetEditStyle() const { return m_dwStyle; }
    BOOL IsHot() const { return m_bHot; }
    void SetHot(BOOL bHot);

    static const int DefaultWidth = 150;
    // Process-wide: the boxes get a flat frame in the look's highlight colour while hot (off
    // until a program turns it on).
    inline static BOOL m_bFlat = FALSE;

private:
    void DestroyEdit();
    BOOL HasVisibleEdit() const;
    // A label shows under the box: text labels on a horizontal bar, and a text.
    BOOL HasLabelBelow() const { return m_bTextBelow && m_bHorzLast && !m_strText.IsEmpty(); }

    DWORD m_dwStyle = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
    CEdit* m_pWndEdit = nullptr;
    CString m_strContents;
    BOOL m_bChangingText = FALSE;
    int m_iWidth = DefaultWidth;
    BOOL m_bHorzLast = TRUE;
    BOOL m_bHot = FALSE;
};
