#pragma once
// The table-conversion layer of the main frame: the Find dialog and the search it hands to the
// active page view, the conversion, selection-mode and column-mode buttons whose pictures follow
// the current choice, their tooltips, and the zoom box. Its window class is the one a starting
// copy looks for; it answers the hand-off of print jobs and keeps the print target.
#include <string>

#include "app/ChildFrame.h"
#include "app/NoDocMainFrame.h"
#include "table/LayoutShell.h"

class CFindReplaceDialog;
class CKTToolbarComboBoxButton;

class CConvertingMainFrame : public CNoDocMainFrame, public OxTextFindInterface
{
    DECLARE_DYNAMIC(CConvertingMainFrame)
public:
    // After the saved interface state was loaded: the toolbar buttons of the selection-mode and
    // column-mode commands open their menus wherever they are clicked.
    virtual void RestorePopupButtons();
    // Called once when start-up has finished with the user interface on.
    virtual void OnUIReady() {}
    // The view's document changed.
    virtual void RefreshAfterLayoutChange(bool flag);

    // The conversion button shows the picture of the current target's command.
    void UpdateConvertButton(CWnd* frame = nullptr);
    // The selection-mode button shows the picture of the current mode.
    void UpdateSelectionModeButton();
    // The column-mode button shows the picture of the mode (0 columns, 1 rows, 2 cells).
    void SetColumnModeButton(CWnd* frame, int32_t kind);
    // The zoom box of the navigation toolbar and of the customize sheet.
    static void FillZoomComboButton(CKTToolbarComboBoxButton& button);
    // Every zoom box shows the zoom of the view, when the view is in the active child frame.
    void ShowZoom(HWND view, int32_t zoom);
    // The zoom boxes' text; false when there is no zoom box.
    static bool GetZoomBoxText(std::wstring& text);

    bool GetFindDialogRect(RECT& rect) const;
    // Moves the Find dialog off a found text: down by its height when it covers the desktop's
    // centre, else to the mirrored place across the desktop.
    void MoveFindDialogAway();
    CFindReplaceDialog* GetFindDialog() const { return m_findDialog; }

    // Every child frame refreshes its view and its preview, after options that change them.
    void RefreshChildFrames();
    // Posts the command to every child frame of the client area.
    void PostToChildFrames(UINT command);

    // The child frame that shows the file at path (names compared without regard to case), or null.
    CChildFrame* FindChildFrame(const std::wstring& path) const override;
    // The frame of the last print job's document, or null.
    CChildFrame* GetPrintTarget() const { return m_printTarget; }
    void SetPrintTarget(CChildFrame* frame) { m_printTarget = frame; }
    // Called by a child frame while its window is destroyed: it is forgotten at once.
    virtual void OnChildFrameDestroyed(CChildFrame* frame);
    // The active child frame of this program, or null.
    CChildFrame* GetActiveChildFrame() const;

    BOOL GetToolbarButtonToolTipText(CKTToolbarButton* pButton, CString& strTTText) override;
    // Enter in a zoom box applies its text.
    BOOL PreTranslateMessage(MSG* msg) override;
    // "name - Kest" with the active document's name, maximized or not; "Kest" alone while none
    // is open.
    void OnUpdateFrameTitle(BOOL addToTitle) override;

    static constexpr UINT ConvertCommand = 34120;
    static constexpr UINT FirstTargetCommand = 34101;
    static constexpr UINT SelectionModeCommand = 34110;
    static constexpr UINT ColumnModeCommand = 34114;
    static constexpr UINT ColumnsCommand = 34111;
    static constexpr UINT TextSelectionCommand = 34117;
    static constexpr UINT TableEditingCommand = 34118;
    static constexpr UINT ZoomBoxCommand = 34160;
    static constexpr UINT FirstZoomCommand = 34162;
    static constexpr UINT FindCommand = 57636;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCopyData(CWnd* sender, COPYDATASTRUCT* data);
    void OnFind();
    void OnUpdateFind(CCmdUI* ui);
    LRESULT OnFindReplace(WPARAM wParam, LPARAM lParam);
    // Posted after the title was set while a document window is maximized.
    static constexpr UINT WM_MENDTITLE = WM_USER + 244;
    LRESULT OnMendTitle(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // Gives every button of the command the image and repaints the bars that hold one.
    static void SetButtonImage(UINT command, int image);

    CFindReplaceDialog* m_findDialog = nullptr;

private:
    CChildFrame* m_printTarget = nullptr;
};
