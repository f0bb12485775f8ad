#pragma once
// A zoomable, scrollable window showing one page image with the table layout over it. It maps
// between page units (the pixels of the page image) and window pixels, hands the mouse to the
// layout editor in page units, scrolls while a drag is held outside, and carries the view's
// commands. What page is shown and where its words come from is the subclass's.
#include "framework/Afx.h"
#include "table/LayoutView.h"

// A CCmdUI that passes everything on and remembers whether the command ended up enabled.
class CEnableCmdUI : public CCmdUI
{
public:
    explicit CEnableCmdUI(CCmdUI* wrapped) : m_wrapped(wrapped) { m_nID = wrapped->m_nID; }
    void Enable(BOOL on = TRUE) override
    {
        m_enabled = on != FALSE;
        m_wrapped->Enable(on);
    }
    void SetCheck(int check = 1) override { m_wrapped->SetCheck(check); }
    void SetRadio(BOOL on = TRUE) override { m_wrapped->SetRadio(on); }
    void SetText(LPCTSTR text) override { m_wrapped->SetText(text); }
    bool IsEnabled() const { return m_enabled; }

private:
    CCmdUI* m_wrapped;
    bool m_enabled = true;
};

class CBitmapLayoutView : public CWnd, public LayoutView
{
public:
    static constexpr UINT_PTR AutoScrollTimer = 65298;
    static constexpr UINT AutoScrollInterval = 300;
    static constexpr int LineStep = 10;
    static constexpr int InvalidateMargin = 21;
    static constexpr int ZoomPresets[] = {25, 50, 75, 100, 150, 200, 500};

    CBitmapLayoutView();
    ~CBitmapLayoutView() override;

    BOOL Create(CWnd* parent, const RECT& rect, UINT id);
    void SetFrame(LayoutFrame* frame) { m_frame = frame; }

    // --- zoom and mapping
    void SetZoom(int32_t percent, bool fitWidth);
    int32_t GetMaxZoom() const { return m_maxZoom; }
    // From the page resolution and the screen's: one page pixel per screen pixel at the maximum.
    void SetMaxZoomFor(uint32_t pageResolution, int screenResolution);
    bool IsFitWidth() const { return m_fitWidth; }
    void FitWidth();
    POINT WindowToPage(POINT client) const;
    POINT PageToWindow(POINT page) const;
    POINT GetPageOrigin() const;
    int GetScrollX() const { return m_scrollX; }
    int GetScrollY() const { return m_scrollY; }
    void ScrollTo(int x, int y);
    int32_t GetPageWidth() const { return m_pageWidth; }
    int32_t GetPageHeight() const { return m_pageHeight; }
    bool IsDrawingBand() const { return m_drawingBand; }

    // --- window-side operations the subclass may replace
    virtual bool IsBusy() const { return false; }
    virtual void DrawPage(HDC dc, const RECT& destination) = 0;
    virtual int32_t GetPageCount() const = 0;
    virtual bool GoToPage(int32_t n) = 0;
    virtual int32_t GetCurrentPageNumber() const = 0;
    // The name Save Layout proposes before its extension is changed.
    virtual std::wstring GetSuggestedName() const { return m_frame ? m_frame->GetDocumentName() : std::wstring(); }

    void CheckMergedCellsMode() override;
    void OnActivateView() override;
    // The submenu of the context menu resource that the view shows for it.
    virtual int GetContextSubmenuIndex(UINT menuId) const
    {
        (void)menuId;
        return 0;
    }
    // A typed or chosen zoom box text: "150", "150%" or " 150 % "; 0 when it is no number.
    static int32_t ParseZoomText(const std::wstring& text);

protected:
    bool LayoutToScreen(RECT& rect) override;
    void InvalidateLayoutRect(const RECT* rect) override;
    RECT GetPageRect() override;
    void AutoScroll(int32_t x, int32_t y) override;
    void ShowContextMenu(UINT menuId, POINT point) override;
    std::wstring GetDocumentName() override;
    void InvalidateSelection(HRGN other) override;
    void BeginCapture() override;
    void OnSelectionChanged() override;
    LayoutFrame* GetFrame() override { return m_frame; }
    bool OnRowAndCellEditing() override { return LayoutView::OnRowAndCellEditing(); }
    void Redraw() override;
    HWND GetViewWindow() override { return m_hWnd; }
    void Invalidate(bool erase) override;
    bool RunJob(ConversionJob& job, bool showProgress) override;

    void SetPageSize(int32_t width, int32_t height);
    void UpdateScrollBars();
    void ScrollBy(int dx, int dy);
    int32_t Modifiers(UINT flags) const;

    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    void OnHScroll(UINT code, UINT position, CScrollBar* bar);
    void OnVScroll(UINT code, UINT position, CScrollBar* bar);
    void OnSize(UINT type, int cx, int cy);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnRButtonUp(UINT flags, CPoint point);
    void OnTimer(UINT_PTR id);
    void OnCaptureChanged(CWnd* newCapture);
    void OnCancelMode();
    void OnZoomIn();
    void OnZoomOut();
    void OnUpdateZoomIn(CCmdUI* ui);
    void OnUpdateZoomOut(CCmdUI* ui);
    void OnFitWidth();
    void OnZoomBox();
    void OnUpdateZoomBox(CCmdUI* ui);
    void OnZoomBoxFocusLost();
    void OnUpdateSelectionModeButton(CCmdUI* ui);
    void OnUpdateColumnModeButton(CCmdUI* ui);
    void OnUpdateSelectionKind(CCmdUI* ui);
    void OnUpdateTextMode(CCmdUI* ui);
    void OnUpdateTableMode(CCmdUI* ui);
    void OnUpdateRowAndCellEditing(CCmdUI* ui);
    void OnZoomPreset(UINT id);
    void OnUpdateZoomPreset(CCmdUI* ui);
    void OnSplit();
    void OnMerge();
    void OnUpdateSplit(CCmdUI* ui);
    void OnUpdateMerge(CCmdUI* ui);
    void OnClearLayout();
    void OnAutoColumnDetection();
    void OnUpdateAutoColumnDetection(CCmdUI* ui);
    void OnColumnFormatCommand(UINT id);
    void OnUpdateColumnFormatCommand(CCmdUI* ui);
    void OnRowAndCellEditingCommand();
    void OnSelectionKind(UINT id);
    void OnTextMode();
    void OnTableMode();
    void OnConvertCommand();
    void OnUpdateConvert(CCmdUI* ui);
    void OnCopy();
    void OnUpdateCopy(CCmdUI* ui);
    void OnUndo();
    void OnRedo();
    void OnUpdateUndo(CCmdUI* ui);
    void OnUpdateRedo(CCmdUI* ui);
    void OnFindNext();
    void OnUpdateFindNext(CCmdUI* ui);
    void OnOpenLayout();
    void OnSaveLayout();
    void OnUpdateSaveLayout(CCmdUI* ui);
    void OnNextPage();
    void OnPreviousPage();
    void OnFirstPage();
    void OnLastPage();
    void OnUpdateNextPage(CCmdUI* ui);
    void OnUpdatePreviousPage(CCmdUI* ui);
    void OnCurrentPageBox();
    void OnUpdatePageCount(CCmdUI* ui);
    void OnGoToPage();
    void OnUpdateGoToPage(CCmdUI* ui);
    DECLARE_MESSAGE_MAP()

    // Runs the update handler of another command through the wrapper: whether it ended enabled.
    bool UpdatesEnabled(UINT command);
    // The rubber band ends without a table: the capture went elsewhere.
    void CancelBand();

    // Goes to page n when it exists; otherwise tells the user the valid range.
    void GoToCheckedPage(int64_t n);

    int32_t m_pageWidth = 0;
    int32_t m_pageHeight = 0;
    int m_scrollX = 0;
    int m_scrollY = 0;
    bool m_fitWidth = false;
    int32_t m_maxZoom = 100;
    POINT m_bandStart = {0, 0};
    POINT m_bandCurrent = {0, 0};
    bool m_drawingBand = false;
    LayoutFrame* m_frame = nullptr;
};
