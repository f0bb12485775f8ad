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
    void OnShow(BOOL bShow) override;
    void SetStyle(UINT nStyle) override;

    virtual CEdit* CreateEdit(CWnd* pWndParent, const CRect& rect);
    virtual void SetContents(const CString& strText);

    CEdit* GetEditBox() const { return m_pWndEdit; }
    const CString& GetContents() const { return m_strContents; }
    int GetWidth() const { return m_iWidth; }
    DWORD GetEditStyle() const { return m_dwStyle; }
    BOOL IsHot() const { return m_bHot; }
    void SetHot(BOOL bHot);

    static const int DefaultWidth = 150;

private:
    void DestroyEdit();

    DWORD m_dwStyle = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
    CEdit* m_pWndEdit = nullptr;
    CString m_strContents;
    BOOL m_bChangingText = FALSE;
    int m_iWidth = DefaultWidth;
    BOOL m_bHorzLast = TRUE;
    BOOL m_bHot = FALSE;
};
