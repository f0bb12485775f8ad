#pragma once
// A list whose item labels the user edits in place, under a caption strip with small buttons
// (New, Delete, Move Item Up, Move Item Down, and any a derived list adds). Placed over a static
// frame of a dialog; derived lists react to the notifications (OnAfterAddItem and the others).
//
// The control owns its caption buttons, its list view and its caption font.

#include "framework/Afx.h"

#include <memory>
#include <vector>

class CKTButton;
class CKTEditListBase;

// The label editor of the list while an item is renamed; it may show a browse button at its
// right edge.
class CKTEditListEdit : public CEdit
{
public:
    void EnableBrowseButton(BOOL bEnable, CKTEditListBase* pOwner);
    BOOL IsBrowseButtonEnabled() const { return m_bBrowse; }
    CRect GetBrowseButtonRect() const; // window coordinates

    inline static const int kBrowseWidth = 20;

protected:
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    void OnNcPaint();
    LRESULT OnNcHitTest(CPoint point);
    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnCancelMode();
    DECLARE_MESSAGE_MAP()

    void DrawBrowseButton(CDC* pDC, BOOL bPressed);

    BOOL m_bBrowse = FALSE;
    BOOL m_bPressed = FALSE;
    BOOL m_bCaptured = FALSE;
    CKTEditListBase* m_pOwner = nullptr;
};

class CKTEditListBase : public CStatic
{
    DECLARE_DYNAMIC(CKTEditListBase)
public:
    enum StandardButton
    {
        BUTTON_NEW = 0x1,
        BUTTON_DELETE = 0x2,
        BUTTON_UP = 0x4,
        BUTTON_DOWN = 0x8
    };
    inline static const int kIdNew = -11;
    inline static const int kIdDelete = -12;
    inline static const int kIdUp = -13;
    inline static const int kIdDown = -14;

    CKTEditListBase();
    ~CKTEditListBase() override;

    // Only once the window exists: adds the buttons of the mask in the order New, Delete, Up, Down.
    BOOL SetStandardButtons(UINT uiBtns = BUTTON_NEW | BUTTON_DELETE | BUTTON_UP | BUTTON_DOWN);
    // A caption button with the bitmap; with a tooltip and a key the tooltip names the key.
    // nModifiers: FSHIFT, FCONTROL, FALT.
    BOOL AddButton(UINT uiImageId, LPCTSTR lpszTooltip = nullptr, WORD wKeyAccelerator = 0, BYTE fVirt = 0,
                   UINT uiButtonID = 0);
    int GetButtonsCount() const { return static_cast<int>(m_Buttons.size()); }
    CKTButton* GetButton(int iButton) const;
    int GetButtonNum(UINT uiID) const;
    UINT GetStandardButtons() const { return m_uiStandardBtns; }
    CRect GetCaptionRect() const { return m_rectCaption; }
    CRect GetListRect() const { return m_rectList; }
    void EnableFlatButtons(BOOL bFlat);

    virtual int AddItem(const CString& strIext, DWORD_PTR dwData = 0, int iIndex = -1) = 0;
    virtual BOOL RemoveItem(int iIndex) = 0;
    virtual int GetCount() const = 0;
    virtual int GetSelItem() const = 0;
    virtual BOOL SelectItem(int iItem) = 0;
    virtual CString GetItemText(int iIndex) const = 0;
    virtual BOOL SetItemText(int iIndex, const CString& strText) = 0;
    virtual DWORD_PTR GetItemData(int iIndex) const = 0;
    virtual BOOL SetItemData(int iIndex, DWORD_PTR dwData) = 0;
    virtual BOOL EditItem(int iIndex) = 0;

    virtual void OnClickButton(int iButton);
    // TRUE when the key did something.
    virtual BOOL OnKey(WORD wKey, BYTE fFlags);
    virtual void OnEndEditLabel(LPCTSTR lpszLabel);
    virtual int OnGetImage(LV_ITEM* /*pItem*/) { return -1; }
    virtual void OnSelectionChanged() {}
    virtual BOOL OnBeforeRemoveItem(int /*iItem*/) { return TRUE; }
    virtual void OnAfterAddItem(int /*iItem*/) {}
    virtual void OnAfterRenameItem(int /*iItem*/) {}
    virtual void OnAfterMoveItemUp(int /*iItem*/) {}
    virtual void OnAfterMoveItemDown(int /*iItem*/) {}
    virtual void OnDrawCaption(CDC* pDC, CRect rect, const CString& strText);
    virtual void OnBrowse() {}
    virtual void CreateNewItem();
    virtual HWND GetListHwnd() const = 0;

    // The list's keys: a button's key acts as a click on it, anything else goes to OnKey.
    BOOL HandleListKey(WORD wKey);
    // The key text of a button's tooltip, as the keyboard names it.
    static CString FormatKey(WORD wKey, BYTE fVirt);

protected:
    virtual void CreateList() {}
    virtual void AdjustListLayout() {}
    void AdjustLayout();
    void EnableButtons(BOOL bEnable);
    void MoveItem(BOOL bUp);

    void PreSubclassWindow() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnEnable(BOOL bEnable);
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    std::vector<std::unique_ptr<CKTButton>> m_Buttons;
    std::vector<DWORD> m_lstKeys;
    std::vector<int> m_ButtonIds;
    UINT m_uiStandardBtns = 0;
    CSize m_sizeButton = CSize(0, 0);
    CRect m_rectCaption;
    CRect m_rectList;
    CFont m_font;
    BOOL m_bNewItem = FALSE;
    BOOL m_bIsActualDelete = TRUE;
    BOOL m_bBrowseButton = FALSE;
    BOOL m_bFlatButtons = TRUE;
    BOOL m_bInitialized = FALSE;
};

class CKTEditListCtrl;

class CKTEditListBox : public CKTEditListBase
{
    DECLARE_DYNAMIC(CKTEditListBox)
public:
    CKTEditListBox();
    ~CKTEditListBox() override;

    int AddItem(const CString& strIext, DWORD_PTR dwData = 0, int iIndex = -1) override;
    BOOL RemoveItem(int iIndex) override;
    int GetCount() const override;
    int GetSelItem() const override;
    BOOL SelectItem(int iItem) override;
    CString GetItemText(int iIndex) const override;
    BOOL SetItemText(int iIndex, const CString& strText) override;
    DWORD_PTR GetItemData(int iIndex) const override;
    BOOL SetItemData(int iIndex, DWORD_PTR dwData) override;
    BOOL EditItem(int iIndex) override;
    HWND GetListHwnd() const override;

    // Whether the label editor shows its browse button.
    void EnableBrowseButton(BOOL bEnable = TRUE) { m_bBrowseButton = bEnable; }
    CKTEditListEdit& GetEditWnd() { return m_wndEdit; }
    CListCtrl* GetListCtrl() const;

    // The list view's clicks: a second click on the selected item renames it.
    void OnListButtonDown(CPoint point);
    void OnListButtonUp(CPoint point);

protected:
    void CreateList() override;
    void AdjustListLayout() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    std::unique_ptr<CKTEditListCtrl> m_pWndList;
    CKTEditListEdit m_wndEdit;
    int m_iPressedItem = -1;
};
