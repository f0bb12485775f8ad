#pragma once
// The window object that subclasses the MDI client window of a toolkit main frame: it lets the
// frame's menu bar take the menus the MDI machinery hands out, keeps the frame's window popup up
// to date, lets the frame paint the background, and carries a strip of tabs, one per document
// window, which stays hidden while tabs are not enabled.
//
// User-interface thread only. Owns its tab window, image list and icon map.

#include "framework/Afx.h"
#include "uitoolkit/bars/KTTabWnd.h"

class CKTMDIClientArea : public CWnd
{
public:
    CKTMDIClientArea();
    ~CKTMDIClientArea() override;

    // With tabs enabled, the child's tab becomes the active one.
    void ActivateTab(HWND hwnd);
    // Rebuilds the tabs from the document windows; bScroll brings the active tab into view.
    void UpdateTabs(BOOL bScroll = FALSE);
    // Print preview hides the tab strip; leaving it shows the strip again.
    void OnSetPreviewMode(BOOL bPreview);
    void EnableMDITabs(BOOL bEnable = TRUE);
    BOOL AreMDITabs() const { return m_bTabIsEnabled; }
    CKTTabWnd& GetTabWnd() { return m_wndTab; }

    void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = adjustBorder) override;

    // The private message that asks for UpdateTabs without scrolling.
    static const UINT kUpdateTabsMessage = WM_USER + 101;

protected:
    void PreSubclassWindow() override;
    BOOL IsTabStripVisible() const;
    // The strip's options hide it: a single tab with hide-when-single, none with hide-when-empty.
    BOOL IsStripHiddenByOptions() const;

    LRESULT OnSetMenu(WPARAM wParam, LPARAM lParam);
    LRESULT OnRefreshMenu(WPARAM wParam, LPARAM lParam);
    LRESULT OnMDIDestroy(WPARAM wParam, LPARAM lParam);
    LRESULT OnUpdateTabs(WPARAM wParam, LPARAM lParam);
    BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

    CKTTabWnd m_wndTab;
    BOOL m_bTabIsTop = FALSE;
    BOOL m_bTabCloseButton = FALSE;
    BOOL m_bTabIsEnabled = FALSE;
    HIMAGELIST m_hImageList = nullptr;
    BOOL m_bTabIcons = TRUE;
    CMap<HICON, HICON, int, int> m_mapIcons{10};
};
