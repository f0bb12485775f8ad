#pragma once
// A property grid: named values in two columns under a hot-tracking header, grouped properties
// that expand and collapse, in-place editing of values, and colour values chosen from a colour bar
// that drops down under the value.
//
// Formatting: short integers "%d", long integers "%ld", floats "%f", doubles "%lf", texts as
// they are, Booleans "True"/"False". Home selects the first row, End the last.
//
// The list owns its properties; a property owns its sub-properties and its in-place editor. The
// file-name and font properties are in KTFileFontProp.h.

#include "framework/Afx.h"
#include "uitoolkit/customize/KTColorBar.h"
#include "uitoolkit/widgets/KTHeaderCtrl.h"

#include <vector>

// Sent to the list's owner when the user changed a property's value (wParam the list's id,
// lParam the property).
extern UINT KT_WM_PROPERTYCHANGED;
// The same message. The message and the property formats are made as the program starts; a
// program calls this once so that they are part of it even when it shows no property list.
UINT KTGetPropertyChangedMessage();

class CKTPropList;

class CKTProp : public CObject
{
    DECLARE_DYNAMIC(CKTProp)
public:
    // A group: it holds sub-properties and has no value.
    explicit CKTProp(const CString& strGroupName);
    CKTProp(const CString& strName, const COleVariant& varValue);
    ~CKTProp() override;
    CKTProp(const CKTProp&) = delete;
    CKTProp& operator=(const CKTProp&) = delete;

    BOOL AddSubItem(CKTProp* pProp);
    int GetSubItemsCount() const { return static_cast<int>(m_lstSubItems.size()); }
    CKTProp* GetSubItem(int nIndex) const;
    CKTProp* GetParent() const { return m_pParent; }
    BOOL IsGroup() const { return m_bGroup; }
    BOOL IsExpanded() const { return m_bExpanded; }
    void Expand(BOOL bExpand = TRUE);
    const CString& GetName() const { return m_strName; }
    const COleVariant& GetValue() const { return m_varValue; }
    virtual void SetValue(const COleVariant& varValue);
    // An integer: long and error values keep their type, a Boolean becomes true above 0, any other
    // type becomes long.
    void SetIntValue(long nValue);
    BOOL IsAllowEdit() const { return m_bAllowEdit; }
    void AllowEdit(BOOL bAllow = TRUE) { m_bAllowEdit = bAllow; }
    CRect GetRect() const { return m_Rect; }
    CRect GetValueRect() const { return m_rectValue; }
    CWnd* GetInPlaceEditor() const { return m_pWndInPlace; }

    virtual CString FormatProperty() const;
    // Reads the editor's text into the value; FALSE when it does not parse.
    virtual BOOL TextToVar(const CString& strText);
    virtual void OnDrawValue(CDC* pDC, CRect rect);
    // Starts editing on a press at the point (screen coordinates); FALSE when nothing opens.
    virtual BOOL OnEdit(LPPOINT lptClick);
    // Ends the in-place editor; with bSave the text becomes the value. TRUE when it changed.
    virtual BOOL OnEndEdit(BOOL bSave);
    // The expand box of a group row.
    CRect GetExpandBox() const;

    // A value may end in a button ("...") that opens a dialog for it; the in-place editor leaves
    // the button free.
    virtual BOOL HasButton() const { return FALSE; }
    // Empty without a button.
    CRect GetButtonRect() const;
    // Where the in-place editor goes: the value less its margin and its button.
    CRect GetEditorRect() const;
    // A press on the button: the dialog runs and a chosen value is taken and reported.
    virtual void OnClickButton() {}

    // A value chosen from a list: the in-place editor is a drop-down list of the options (a
    // Boolean offers "True" and "False" without options of its own).
    void AddOption(LPCTSTR lpszOption);
    void RemoveAllOptions() { m_lstOptions.clear(); }
    int GetOptionCount() const { return static_cast<int>(m_lstOptions.size()); }
    BOOL HasList() const;
    // The list's choice was taken (CBN_SELENDOK): the chosen option becomes the value at once.
    virtual void OnSelectCombo();
    // The list closed (CBN_CLOSEUP).
    virtual void OnCloseCombo();
    // The pointer is over the value (client point, outside the button) while this property is
    // selected: TRUE when the property set the cursor (a text value shows the text cursor).
    virtual BOOL OnSetCursor(CPoint point) const;
    // A double click on the value once editing started (client point): a value chosen from a
    // list takes the next option. TRUE when it was used.
    virtual BOOL OnDblClick(CPoint point);
    // The in-place editor asks for its colours; null leaves them to the list.
    virtual HBRUSH OnCtlColor(CDC* pDC, UINT nCtlColor);
    // The tooltip over the row at the point (client coordinates): the name over the name, the
    // value's text over the value.
    virtual CString GetTooltipText(CPoint point) const;

    inline static CString m_strFormatShort = _T("%d");
    inline static CString m_strFormatLong = _T("%ld");
    inline static CString m_strFormatFloat = _T("%f");
    inline static CString m_strFormatDouble = _T("%lf");

protected:
    friend class CKTPropList;
    void SetOwnerList(CKTPropList* pWndList);
    void Redraw();
    void DrawButton(CDC* pDC) const;
    // The in-place editor's control, not yet created.
    virtual CEdit* CreateEditor() const { return new CEdit; }
    // The drop-down list of the options as the in-place editor.
    BOOL CreateListEditor();
    // The in-place drop-down list; null while none is open.
    CComboBox* InPlaceList() const;
    // Tells the owning list that the user changed the value.
    void ReportChange();

    CString m_strName;
    COleVariant m_varValue;
    CKTPropList* m_pWndList = nullptr;
    CKTProp* m_pParent = nullptr;
    std::vector<CKTProp*> m_lstSubItems;
    CRect m_Rect;
    CRect m_rectValue;
    BOOL m_bGroup = FALSE;
    BOOL m_bExpanded = TRUE;
    BOOL m_bAllowEdit = TRUE;
    CWnd* m_pWndInPlace = nullptr;
    std::vector<CString> m_lstOptions;
};

class CKTColorProp : public CKTProp
{
    DECLARE_DYNAMIC(CKTColorProp)
public:
    CKTColorProp(const CString& strName, COLORREF color);
    ~CKTColorProp() override;

    COLORREF GetColor() const { return m_Color; }
    void SetColor(COLORREF color);
    // The colours the popup offers (20 of the default palette unless set).
    CArray<COLORREF, COLORREF> m_Colors;
    int m_nColumnsNumber = 5;

    CString FormatProperty() const override;
    BOOL TextToVar(const CString& strText) override;
    void OnDrawValue(CDC* pDC, CRect rect) override;
    BOOL OnEdit(LPPOINT lptClick) override;
    BOOL OnEndEdit(BOOL bSave) override;
    // The window of the open colour popup; null while closed.
    CWnd* GetPopup() const { return m_pPopup; }

protected:
    friend class CKTPropList;
    COLORREF m_Color;
    CWnd* m_pPopup = nullptr;
};

class CKTPropList : public CWnd, public CKTColorBarOwner
{
    DECLARE_DYNAMIC(CKTPropList)
public:
    CKTPropList();
    ~CKTPropList() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int AddProperty(CKTProp* pProp);
    void RemoveAll();
    int GetPropertyCount() const { return static_cast<int>(m_lstProps.size()); }
    CKTProp* GetProperty(int nIndex) const;
    CKTProp* GetCurSel() const { return m_pSel; }
    void SetCurSel(CKTProp* pProp, BOOL bRedraw = TRUE);
    void EnsureVisible(CKTProp* pProp);
    void ExpandAll(BOOL bExpand = TRUE);
    // The property whose row holds the point (client coordinates); null for none.
    CKTProp* HitTest(CPoint pt) const;

    int GetRowHeight() const { return m_nRowHeight; }
    int GetLeftColumnWidth() const { return m_nLeftColumnWidth; }
    void SetLeftColumnWidth(int nWidth);
    int GetScrollPos() const { return m_nVertScrollOffset; }
    CRect GetListRect() const { return m_rectList; }
    CKTHeaderCtrl& GetHeaderCtrl() { return m_wndHeader; }
    // The description area at the bottom and its height.
    void EnableDescriptionArea(BOOL bEnable = TRUE);
    int GetDescriptionHeight() const { return m_nDescrHeight; }
    // The limits of the description divider: one row under the header, one row above the bottom.
    void GetDividerLimits(int& nTop, int& nBottom) const;
    // The group row background: the face colour at 94 percent on deep screens, else the shadow;
    // of the bar colours in the flat look, of the button colours otherwise.
    COLORREF GetGroupBackColor() const;
    // The alternative flat look.
    void SetFlatLook(BOOL bFlat = TRUE);
    BOOL IsFlatLook() const { return m_bFlatLook; }
    // The alphabetical view: every property that is not a group, sorted by name, without groups.
    void SetAlphabeticMode(BOOL bAlphabetic = TRUE);
    BOOL IsAlphabeticMode() const { return m_bAlphabeticMode; }

    // Called by a colour property's popup.
    void UpdateColor(COLORREF color);
    void CloseColorPopup();

    virtual void OnPropertyChanged(CKTProp* pProp) const;
    virtual BOOL EditItem(CKTProp* pProp, LPPOINT lptClick = nullptr);
    virtual BOOL EndEditItem(BOOL bUpdateData = TRUE);
    void AdjustLayout();

    void OnColorBarChoose(COLORREF color) override { UpdateColor(color); }
    void OnColorBarClosed() override { CloseColorPopup(); }
    CWnd* GetColorBarFocusWnd() const override { return const_cast<CKTPropList*>(this); }

    BOOL PreTranslateMessage(MSG* pMsg) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

    // The in-place editor of a property and the drop-down list of one with options.
    enum
    {
        InPlaceEditId = 2,
        InPlaceComboId = 3
    };

protected:
    void Init();
    // The shown properties in row order (expanded groups with their sub-properties).
    void GetVisibleProps(std::vector<CKTProp*>& props) const;
    void RebuildAlphaList();
    void SetScrollPos(int nPos);
    void Scroll(int nRows) { SetScrollPos(m_nVertScrollOffset + nRows); }
    int RowsPerPage() const;
    void DrawProp(CDC* pDC, CKTProp* pProp);
    void InvertTrackLine();

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnCancelMode();
    void OnKillFocus(CWnd* pNewWnd);
    void OnSetFocus(CWnd* pOldWnd);
    UINT OnGetDlgCode();
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnDestroy();
    void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    void OnSysColorChange();
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    void OnNcPaint();
    void OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
    void OnSelectCombo();
    void OnCloseCombo();
    BOOL OnNeedTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    // The header's divider dragged (HDN_TRACK): the name column follows within the list.
    BOOL OnHeaderTrack(NMHEADER* pHeader);
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    DECLARE_MESSAGE_MAP()

    std::vector<CKTProp*> m_lstProps;
    // Every property that is not a group, by name; rebuilt with the layout.
    std::vector<CKTProp*> m_lstAlphaProps;
    BOOL m_bAlphabeticMode = FALSE;
    BOOL m_bFlatLook = FALSE;
    CString m_strTipText;
    CKTProp* m_pSel = nullptr;
    BOOL m_bFocused = FALSE;
    CKTHeaderCtrl m_wndHeader;
    int m_nLeftColumnWidth = 0;
    int m_nRowHeight = 0;
    int m_nHeaderHeight = 0;
    int m_nVertScrollOffset = 0;
    int m_nVertScrollTotal = 0;
    BOOL m_bDescriptionArea = FALSE;
    int m_nDescrHeight = 0;
    CRect m_rectList;
    HFONT m_hFont = nullptr;
    CFont m_fontBold;
    BOOL m_bTracking = FALSE;      // the name/value divider
    BOOL m_bTrackingDescr = FALSE; // the description divider
    CRect m_rectTrackDescr;
    BOOL m_bInUpdate = FALSE;
};
