#pragma once
// A toolbar button that hosts a live combo box while its bar lies horizontally: item texts with
// a 32-bit value each, a selection and the text shown. On a vertical bar, in menus and in the
// customize lists it is a plain command button. Every copy with the same command (on other bars,
// or made by customizing) shows the same text and selection.
//
// User-interface thread only. The button owns its combo box; the bar owns the button.
#include "uitoolkit/bars/KTToolbarButton.h"

class CKTToolbarComboBoxButton : public CKTToolbarButton
{
    DECLARE_SERIAL(CKTToolbarComboBoxButton)
public:
    CKTToolbarComboBoxButton();
    CKTToolbarComboBoxButton(UINT uiID, int iImage, DWORD dwStyle = CBS_DROPDOWNLIST, int iWidth = 0);
    ~CKTToolbarComboBoxButton() override;

    // Width, style, selection, item texts and drop-down height, then the item values.
    void Serialize(CArchive& ar) override;
    // Also the items, style, width, selection, drop-down height and the text shown.
    void CopyFrom(const CKTToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CKTImageStrip* pImages, BOOL bHorz = TRUE, BOOL bCustomizeMode = FALSE,
                BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE, BOOL bGrayDisabledButtons = TRUE) override;
    SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    void OnMove() override;
    void OnSize(int iSize) override;
    HWND GetHwnd() override;
    BOOL CanBeStretched() const override { return TRUE; }
    BOOL NotifyCommand(int iNotifyCode) override;
    void OnGlobalSync() override;
    int DrawAsListItem(CDC* pDC, const CRect& rect, BOOL bSelected) override;
    void OnShow(BOOL bShow) override;
    void SetStyle(UINT nStyle) override;
    BOOL HasFocus() const override;

    virtual CComboBox* CreateCombo(CWnd* pWndParent, const CRect& rect);
    // One 32-bit value per item text, in list order.
    virtual void SerializeItemData(CArchive& ar);
    // Around the refresh of the item lists from a live control.
    virtual void OnBeforeItemsRebuilt() {}
    virtual void OnAfterItemsRebuilt() {}
    // Whether the button shows and sends what its copies show.
    virtual BOOL IsSyncedWithCopies() const { return TRUE; }

    // The index of the last item. A text already listed is not added again.
    INT_PTR AddItem(LPCTSTR lpszItem, DWORD dwData = 0);
    // Copies are brought to the same selection only with bNotify; no command is sent.
    BOOL SelectItem(int iIndex, BOOL bNotify = TRUE);
    // The first item equal to the text, ignoring case.
    BOOL SelectItem(LPCTSTR lpszText);
    // Selects the item with the text, else shows the text and passes it to the copies.
    void SetText(LPCTSTR lpszText);
    void RemoveAllItems();

    INT_PTR GetCount() const { return m_lstItems.GetCount(); }
    LPCTSTR GetItem(int iIndex) const;
    DWORD GetItemData(int iIndex) const;
    int GetCurSel() const { return m_iSelIndex; }
    const CString& GetText() const { return m_strEdit; }
    CComboBox* GetComboBox() const { return m_pWndCombo; }
    int GetWidth() const { return m_iWidth; }
    DWORD GetComboStyle() const { return m_dwStyle; }
    int GetDropDownHeight() const { return m_nDropDownHeight; }
    const CRect& GetComboRect() const { return m_rectCombo; }

    // The first combo button with the command on any bar (with bFocused, the one with the
    // focus); null when there is none.
    static CKTToolbarComboBoxButton* GetByCommand(UINT uiCmd, BOOL bFocused = FALSE);
    // Its text, or null.
    static LPCTSTR GetTextByCommand(UINT uiCmd, BOOL bFocused = FALSE);

    static const int DefaultWidth = 150;
    static const int DefaultDropDownHeight = 150;

private:
    void DestroyCombo();
    void FillCombo();
    void ReadItemsFromCombo();
    // The other combo buttons with this command that take part in keeping copies in step.
    template <class Fn>
    void ForEachCopy(Fn fn);
    BOOL IsComboLive() const { return m_pWndCombo->GetSafeHwnd() != nullptr; }

    DWORD m_dwStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_NOINTEGRALHEIGHT | CBS_DROPDOWNLIST;
    CComboBox* m_pWndCombo = nullptr;
    CStringList m_lstItems;
    CList<DWORD, DWORD> m_lstItemData;
    int m_iWidth = DefaultWidth;
    int m_iSelIndex = -1;
    BOOL m_bHorzLast = TRUE;
    CString m_strEdit;
    CRect m_rectCombo;
    int m_nDropDownHeight = DefaultDropDownHeight;
    // Set while the button itself changes a control, so that the control's notifications
    // echo neither to the copies nor as commands.
    BOOL m_bUpdating = FALSE;
};
