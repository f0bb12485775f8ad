// CDockBar: the bars docked on one side of a frame (ids AFX_IDW_DOCKBAR_TOP..BOTTOM) or in a
// floating frame (AFX_IDW_DOCKBAR_FLOAT), kept in rows.
#pragma once

#include "framework/AfxColl.h"
#include "framework/AfxControlBar.h"

class CDockBar : public CControlBar
{
    DECLARE_DYNAMIC(CDockBar)
public:
    explicit CDockBar(BOOL bFloating = FALSE);

    BOOL m_bFloating;
    // The rows: m_arrBars[0] is null, and every row is ended by a null entry. An entry is a bar, or
    // a placeholder below 0x10000 that keeps the place of a hidden or floating bar (its id).
    CPtrArray m_arrBars;
    BOOL m_bLayoutQuery = FALSE; // the current layout only measures
    CRect m_rectLayout;          // room the frame offers in the current layout (empty: the frame's client area)

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);

    static BOOL IsPlaceholder(void* pEntry)
    {
        return pEntry != nullptr && reinterpret_cast<UINT_PTR>(pEntry) < 0x10000;
    }
    // The bar at nPos, null for a row end or a placeholder.
    CControlBar* GetDockedControlBar(int nPos) const;
    int GetDockedCount() const;
    int GetDockedVisibleCount() const;
    // Index of the entry for pBar (bar or its placeholder), skipping nPosExclude; -1 when absent.
    int FindBar(CControlBar* pBar, int nPosExclude = -1) const;

    // Docks the bar: at lpRect (screen) it joins the row the rectangle's middle lies in, or opens a
    // row before, between or after the rows; without a rectangle it takes its placeholder's place,
    // else a new last row.
    void DockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
    // Takes the bar out; with nAddPlaceHolder 1 a placeholder keeps its place (-1: the placeholder
    // of a bar that was there before is removed too). An emptied row disappears.
    BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude = -1, int nAddPlaceHolder = 0);
    void RemovePlaceHolder(CControlBar* pBar);
    void ShowAll(BOOL bShow);

    // The row layout: each visible bar asked for its size, placed along the row where it was or
    // after the previous bar, wrapped to a new row when it would start past the end; moved in one
    // deferred batch unless measuring.
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    // How far a bar overlaps the one before it in a row (their borders meet).
    virtual int BarOverlap(const CControlBar* pBar) const;
    void DoPaint(CDC* pDC) override;

protected:
    int Insert(CControlBar* pBar, CRect rect, CPoint ptMid);
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    void OnLButtonDown(UINT, CPoint) {}
    void OnLButtonDblClk(UINT, CPoint) {}
    void OnNcDestroy();
    DECLARE_MESSAGE_MAP()
};
